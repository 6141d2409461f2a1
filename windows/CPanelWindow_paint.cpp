// Drawing of the front panel. Everything is drawn in the panel's logical
// coordinates; the painter's transform scales it to the window, so it stays
// sharp at any size and pixel density.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include "CKeyPlaces.h"
#include "CLedDisplay.h"
#include "CLegendText.h"
#include "CPanelColours.h"
#include "CPanelWindow.h"

using namespace corvel;

namespace PC = PanelColours;

namespace {
QFont SansFont(int nPixels, bool bBold) { return LegendText::Sans(nPixels, bBold); }
}  // namespace

void CPanelWindow::paintEvent(QPaintEvent* pEvent) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRegion(pEvent->region());
    p.fillRect(rect(), QColor(0x16, 0x16, 0x18));
    p.setTransform(ToWidget());

    PaintBody(p);
    PaintDisplay(p);
    PaintInfoLine(p);
    PaintLamp(p);
    PaintSwitch(p, rcPowerOff_, rcPowerOn_, QStringLiteral("OFF"), QStringLiteral("ON"), oMain_.View().bOn);
    PaintSwitch(p, rcPrgm_, rcRun_, QStringLiteral("W/PRGM"), QStringLiteral("RUN"), oMain_.View().bRun);
    PaintCardSlot(p);
    for (size_t i = 0; i < vSpots_.size(); ++i) {
        const CSpot& o = vSpots_[i];
        if (o.pKey)
            PaintKey(p, *o.pKey, o.rc, static_cast<int>(i) == nPressed_ && bPressInside_);
    }
    PaintButtons(p);
}

void CPanelWindow::PaintBody(QPainter& p) const {
    const QRectF rcBody(2, 2, kWidth - 4, kHeight - 4);
    QLinearGradient oBody(rcBody.topLeft(), rcBody.bottomLeft());
    // The keyboard begins just below the upper plate.
    oBody.setColorAt(0.0, PC::kBodyTop);
    oBody.setColorAt(0.22, PC::kBodyKeys);
    oBody.setColorAt(1.0, PC::kBodyBottom);
    p.setPen(QPen(QColor(0x08, 0x08, 0x09), 2));
    p.setBrush(oBody);
    p.drawRoundedRect(rcBody, 26, 26);
    p.setPen(QPen(QColor(0x58, 0x58, 0x5e), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rcBody.adjusted(3, 3, -3, -3), 23, 23);

    // The upper plate with the display, switches and card slot.
    const QRectF rcPlate(12, 10, kWidth - 24, 166);
    QLinearGradient oPlate(rcPlate.topLeft(), rcPlate.bottomLeft());
    oPlate.setColorAt(0.0, PC::kPlateTop);
    oPlate.setColorAt(1.0, PC::kPlateBottom);
    p.setPen(QPen(QColor(0x6a, 0x6a, 0x70), 1));
    p.setBrush(oPlate);
    p.drawRoundedRect(rcPlate, 16, 16);

    // A fine gold rule between the plate and the keyboard.
    p.setPen(QPen(QColor(0xb8, 0x8a, 0x2a, 160), 1));
    p.drawLine(QPointF(30, 178), QPointF(kWidth - 30, 178));
}

void CPanelWindow::PaintDisplay(QPainter& p) {
    // Bezel and the dark red window.
    p.setPen(QPen(QColor(0x00, 0x00, 0x00), 2));
    p.setBrush(QColor(0x06, 0x06, 0x06));
    p.drawRoundedRect(rcDisplay_, 9, 9);
    const QRectF rcGlass = rcDisplay_.adjusted(10, 9, -10, -9);
    QLinearGradient oGlass(rcGlass.topLeft(), rcGlass.bottomLeft());
    oGlass.setColorAt(0.0, PC::kGlassTop);
    oGlass.setColorAt(0.5, PC::kGlassMiddle);
    oGlass.setColorAt(1.0, PC::kGlassBottom);
    p.setPen(QPen(QColor(0x40, 0x10, 0x10), 1));
    p.setBrush(oGlass);
    p.drawRoundedRect(rcGlass, 4, 4);

    sPaintedDisp_ = QString::fromStdString(oMain_.View().lblDisp);
    sPaintedEex_ = QString::fromStdString(oMain_.View().lblEex);
    // A running program's display is dimmed, except what it shows on purpose.
    bPaintedDim_ = oMain_.View().bBusy && !oMain_.Showing();
    // A program line is text even when it is all digits ("012 5").
    const bool bText = !oMain_.View().bRun || oMain_.View().lblDisp == oMain_.View().oPrgm.ShowCurrLine();
    LedDisplay::Paint(p, rcGlass, sPaintedDisp_, sPaintedEex_, bText,
                      bPaintedDim_ ? LedDisplay::enmBrightness::Dimmed : LedDisplay::enmBrightness::Full);
    PaintAnnunciators(p, rcGlass);

    // A faint reflection across the top of the glass.
    QLinearGradient oShine(rcGlass.topLeft(), QPointF(rcGlass.left(), rcGlass.center().y()));
    oShine.setColorAt(0.0, QColor(255, 255, 255, 26));
    oShine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(oShine);
    p.drawRoundedRect(QRectF(rcGlass.left() + 2, rcGlass.top() + 2, rcGlass.width() - 4, rcGlass.height() / 2 - 2),
                      3, 3);
}

void CPanelWindow::PaintAnnunciators(QPainter& p, const QRectF& rcGlass) const {
    // Along the top of the glass, above the digits, in the digits' red.
    const QStringList v = Annunciators();
    if (v.isEmpty()) return;
    LedDisplay::PaintSmallWords(p, rcGlass.topLeft() + QPointF(12, 2.5), 1.15, v,
                                bPaintedDim_ ? LedDisplay::enmBrightness::Dimmed : LedDisplay::enmBrightness::Full);
}

void CPanelWindow::PaintInfoLine(QPainter& p) const {
    // A note first, then why "Error" is shown, otherwise the program's name.
    const QString s = InfoLine();
    if (s.isEmpty()) return;
    QColor oInk = PC::kPlateInkSoft;
    if (!sNote_.isEmpty())
        oInk = PC::kNoteInk;
    else if (oMain_.View().bInErr)
        oInk = PC::kCauseInk;
    const QFont f = SansFont(12, !sNote_.isEmpty() || oMain_.View().bInErr);
    p.setFont(f);
    p.setPen(oInk);
    const QString sShown = QFontMetricsF(f).elidedText(s, Qt::ElideMiddle, rcInfo_.width() - 8);
    p.drawText(rcInfo_, Qt::AlignHCenter | Qt::AlignVCenter, sShown);
}

void CPanelWindow::PaintLamp(QPainter& p) const {
    // A small round lamp and its label, between the two switches.
    const bool bOn = oMain_.View().bBusy;
    const QPointF c(rcLamp_.left() + 8, rcLamp_.center().y());
    QRadialGradient oLamp(c - QPointF(1.2, 1.2), 6);
    oLamp.setColorAt(0.0, bOn ? QColor(0xe8, 0xff, 0xe8) : PC::kLampOff.lighter(160));
    oLamp.setColorAt(0.5, bOn ? PC::kLampOn : PC::kLampOff);
    oLamp.setColorAt(1.0, bOn ? PC::kLampOn.darker(160) : PC::kLampOff.darker(150));
    if (bOn) {
        QRadialGradient oHalo(c, 11);
        QColor oGlow = PC::kLampOn;
        oGlow.setAlpha(90);
        oHalo.setColorAt(0.0, oGlow);
        oHalo.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(oHalo);
        p.drawEllipse(c, 11, 11);
    }
    p.setPen(QPen(QColor(0x05, 0x05, 0x05), 1));
    p.setBrush(oLamp);
    p.drawEllipse(c, 5, 5);
    p.setFont(SansFont(11, true));
    p.setPen(PC::kPlateInkSoft);
    p.drawText(QRectF(c.x() + 10, rcLamp_.top(), rcLamp_.right() - c.x() - 10, rcLamp_.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("RUNNING"));
}

void CPanelWindow::PaintSwitch(QPainter& p, const QRectF& rcLeft, const QRectF& rcRight, const QString& sLeft,
                               const QString& sRight, bool bRight) const {
    // The track straddles the line between the two clickable areas; the
    // labels stand outside it.
    const qreal fTrackW = 44, fTrackH = 14;
    const QRectF rcTrack(rcLeft.right() - fTrackW / 2, rcLeft.center().y() - fTrackH / 2, fTrackW, fTrackH);
    const QFont f = SansFont(11, true);
    p.setFont(f);
    p.setPen(PC::kPlateInk);
    p.drawText(QRectF(rcLeft.left(), rcLeft.top(), rcTrack.left() - rcLeft.left() - 5, rcLeft.height()),
               Qt::AlignRight | Qt::AlignVCenter, sLeft);
    p.drawText(QRectF(rcTrack.right() + 5, rcRight.top(), rcRight.right() - rcTrack.right() - 5, rcRight.height()),
               Qt::AlignLeft | Qt::AlignVCenter, sRight);

    p.setPen(QPen(QColor(0x50, 0x50, 0x55), 1));
    p.setBrush(QColor(0x03, 0x03, 0x03));
    p.drawRoundedRect(rcTrack, 3, 3);
    const qreal fKnobW = fTrackW / 2 + 2;
    const QRectF rcKnob(bRight ? rcTrack.right() - fKnobW - 1 : rcTrack.left() + 1, rcTrack.top() - 2, fKnobW,
                        fTrackH + 4);
    QLinearGradient oKnob(rcKnob.topLeft(), rcKnob.bottomLeft());
    oKnob.setColorAt(0.0, QColor(0xf2, 0xf2, 0xf2));
    oKnob.setColorAt(1.0, QColor(0x8e, 0x8e, 0x94));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(oKnob);
    p.drawRoundedRect(rcKnob, 3, 3);
    p.setPen(QPen(QColor(0x60, 0x60, 0x66), 1));
    for (int i = -1; i <= 1; ++i) {
        const qreal x = rcKnob.center().x() + i * 4;
        p.drawLine(QPointF(x, rcKnob.top() + 4), QPointF(x, rcKnob.bottom() - 4));
    }
}

void CPanelWindow::PaintCardSlot(QPainter& p) const {
    const QRectF rcSlot(rcCard_.left() + 6, rcCard_.bottom() - 12, rcCard_.width() - 12, 8);
    if (oMain_.View().bCardVisible) {
        // A card standing out of the slot, its written edge showing.
        const QRectF rcCardOut(rcSlot.left() + 40, rcCard_.top() + 3, rcSlot.width() - 80,
                               rcSlot.center().y() - rcCard_.top() - 3);
        QLinearGradient oCard(rcCardOut.topLeft(), rcCardOut.bottomLeft());
        oCard.setColorAt(0.0, QColor(0xf7, 0xf3, 0xe6));
        oCard.setColorAt(1.0, QColor(0xdc, 0xd4, 0xbe));
        p.setPen(QPen(QColor(0x7a, 0x70, 0x58), 1));
        p.setBrush(oCard);
        p.drawRoundedRect(rcCardOut, 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2b, 0x4f, 0x8a));
        p.drawRect(QRectF(rcCardOut.left() + 1, rcCardOut.top() + 1, rcCardOut.width() - 2, 4));
        // Small key-shaped boxes printed along the card, as on a program card.
        p.setPen(QPen(QColor(0x9a, 0x90, 0x78), 0.8));
        p.setBrush(Qt::NoBrush);
        const qreal fBox = (rcCardOut.width() - 20) / 5;
        for (int i = 0; i < 5; ++i)
            p.drawRect(QRectF(rcCardOut.left() + 10 + i * fBox + 3, rcCardOut.top() + 8, fBox - 6, 9));
        const QString s = QString::fromStdString(oMain_.View().lblPrgm);
        if (!s.isEmpty()) {
            const QFont f = SansFont(9, true);
            p.setFont(f);
            p.setPen(QColor(0x22, 0x1c, 0x14));
            const QRectF rcName(rcCardOut.left() + 12, rcCardOut.top() + 7, rcCardOut.width() - 24, 11);
            p.fillRect(rcName, QColor(0xf3, 0xee, 0xde));
            p.drawText(rcName, Qt::AlignCenter, QFontMetricsF(f).elidedText(s, Qt::ElideMiddle, rcName.width()));
        }
    }
    QLinearGradient oSlot(rcSlot.topLeft(), rcSlot.bottomLeft());
    oSlot.setColorAt(0.0, QColor(0x00, 0x00, 0x00));
    oSlot.setColorAt(1.0, QColor(0x22, 0x22, 0x24));
    p.setPen(QPen(QColor(0x5a, 0x5a, 0x60), 1));
    p.setBrush(oSlot);
    p.drawRoundedRect(rcSlot, 3, 3);
}

void CPanelWindow::PaintKey(QPainter& p, const CKeyRow& oKey, const QRectF& rcKey, bool bPressed) const {
    const PC::CKeyColours c = PC::ForKey(oKey.eLook);
    const KeyPlaces::CPlaces oAt = KeyPlaces::For(oKey);
    const KeyPlaces::CSizes n = KeyPlaces::SizesFor(oKey);

    // Legends printed on the body: f above, h below.
    if (n.nF > 0) {
        p.setPen(PC::kGold);
        LegendText::Draw(p, oAt.rcAbove, QString::fromUtf8(oKey.sF), n.nF, Qt::AlignBottom);
    }
    if (n.nH > 0) {
        p.setPen(PC::kGrey);
        LegendText::Draw(p, oAt.rcBelow, QString::fromUtf8(oKey.sH), n.nH, Qt::AlignTop);
    }

    // The key: a shadow, the body with its sloped front face, the top face.
    const QPointF oDown(0, bPressed ? 1.5 : 0);
    const QRectF rc = rcKey.translated(oDown);
    if (!bPressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 140));
        p.drawRoundedRect(rcKey.translated(0, 2.5), 6, 6);
    }
    p.setPen(QPen(QColor(0x05, 0x05, 0x05), 1));
    p.setBrush(c.oFront);
    p.drawRoundedRect(rc, 6, 6);
    const QRectF rcTop = oAt.rcTop.translated(oDown);
    QLinearGradient oTop(rcTop.topLeft(), rcTop.bottomLeft());
    oTop.setColorAt(0.0, bPressed ? c.oBottom : c.oTop);
    oTop.setColorAt(1.0, c.oBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(oTop);
    p.drawRoundedRect(rcTop, 4.5, 4.5);

    // Face text on the top face, g legend on the front face.
    p.setFont(SansFont(n.nFace, true));
    p.setPen(c.oFace);
    p.drawText(rcTop, Qt::AlignCenter, QString::fromUtf8(oKey.sFace));
    if (n.nG > 0) {
        p.setPen(c.oLegendG);
        LegendText::Draw(p, oAt.rcFront.translated(oDown), QString::fromUtf8(oKey.sG), n.nG, Qt::AlignVCenter);
    }
    if (bPressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawRoundedRect(rc, 6, 6);
    }
}

namespace {

// The program's name on the left of the bottom strip.
void DrawBrand(QPainter& p) {
    p.setFont(SansFont(20, true));
    QFont fBrand = SansFont(20, true);
    fBrand.setItalic(true);
    p.setFont(fBrand);
    p.setPen(PC::kBrand);
    p.drawText(QRectF(30, 740, 220, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvel"));
    const qreal fBrandW = QFontMetricsF(fBrand).horizontalAdvance(QStringLiteral("Corvel"));
    p.setPen(PC::kGold);
    p.drawText(QRectF(30 + fBrandW + 2, 740, 120, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("XMem"));
    p.setFont(SansFont(10, true));
    p.setPen(PC::kBrandSmall);
    p.drawText(QRectF(31, 766, 240, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("PROGRAMMABLE  SCIENTIFIC  RPN"));
}

// The picture on a round button, centred on c, in the pen already set.
void DrawPicture(QPainter& p, const QString& sName, QPointF c, const QColor& oInk) {
    if (sName == "TAPE") {
        // A strip of paper with printed lines, torn off at the foot.
        QPainterPath oStrip;
        oStrip.moveTo(c + QPointF(-6, -9));
        oStrip.lineTo(c + QPointF(6, -9));
        oStrip.lineTo(c + QPointF(6, 7));
        oStrip.lineTo(c + QPointF(3, 9));
        oStrip.lineTo(c + QPointF(0, 7));
        oStrip.lineTo(c + QPointF(-3, 9));
        oStrip.lineTo(c + QPointF(-6, 7));
        oStrip.closeSubpath();
        p.drawPath(oStrip);
        QPen oThin = p.pen();
        oThin.setWidthF(1.3);
        p.setPen(oThin);
        for (int y : {-5, -1, 3}) p.drawLine(c + QPointF(-3, y), c + QPointF(y == 3 ? 1 : 3, y));
    } else if (sName == "PROGRAM") {
        // A page beside a list of steps.
        p.drawRoundedRect(QRectF(c.x() - 9, c.y() - 8, 18, 16), 2, 2);
        p.drawLine(c + QPointF(1, -8), c + QPointF(1, 8));
        QPen oThin = p.pen();
        oThin.setWidthF(1.3);
        p.setPen(oThin);
        for (int y : {-4, 0, 4}) p.drawLine(c + QPointF(4, y), c + QPointF(6, y));
    } else if (sName == "SAVE" || sName == "RESTORE") {
        // A tray with an arrow going into it (save) or coming out (restore).
        QPainterPath oTray;
        oTray.moveTo(c + QPointF(-8, 1));
        oTray.lineTo(c + QPointF(-8, 7));
        oTray.lineTo(c + QPointF(8, 7));
        oTray.lineTo(c + QPointF(8, 1));
        p.drawPath(oTray);
        const bool bDownArrow = sName == "SAVE";
        const QPointF oFrom = c + QPointF(0, bDownArrow ? -9 : 3);
        const QPointF oTo = c + QPointF(0, bDownArrow ? 3 : -9);
        p.drawLine(oFrom, oTo);
        const qreal d = bDownArrow ? -4 : 4;
        p.drawLine(oTo, oTo + QPointF(-4, d));
        p.drawLine(oTo, oTo + QPointF(4, d));
    } else if (sName == "EDIT") {
        // A pencil.
        p.save();
        p.translate(c);
        p.rotate(-45);
        p.drawRect(QRectF(-7, -2.5, 11, 5));
        QPainterPath oTip;
        oTip.moveTo(4, -2.5);
        oTip.lineTo(9, 0);
        oTip.lineTo(4, 2.5);
        p.drawPath(oTip);
        p.restore();
    } else {
        // "i" for the about box.
        p.setBrush(oInk);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c + QPointF(0, -6), 1.8, 1.8);
        p.drawRoundedRect(QRectF(c.x() - 1.6, c.y() - 2, 3.2, 10), 1, 1);
    }
}

}  // namespace

void CPanelWindow::PaintButtons(QPainter& p) const {
    DrawBrand(p);
    const QColor oInk = PC::kButtonInk;
    for (const CSpot& o : vSpots_) {
        if (o.pKey) continue;
        if (o.sName != "SAVE" && o.sName != "RESTORE" && o.sName != "EDIT" && o.sName != "ABOUT" &&
            o.sName != "TAPE" && o.sName != "PROGRAM")
            continue;
        const bool bDown = nPressed_ >= 0 && vSpots_[static_cast<size_t>(nPressed_)].sName == o.sName &&
                           bPressInside_;
        const QRectF rc = o.rc.adjusted(2, 2, -2, -2).translated(0, bDown ? 1 : 0);
        QRadialGradient oBtn(rc.center() - QPointF(4, 5), rc.width() * 0.7);
        oBtn.setColorAt(0.0, PC::kButtonLight);
        oBtn.setColorAt(1.0, PC::kButtonDark);
        p.setPen(QPen(QColor(0x08, 0x08, 0x08), 1));
        p.setBrush(oBtn);
        p.drawEllipse(rc);
        // A window or view that is open lights its button's picture.
        p.setPen(QPen(ButtonLit(o.sName) ? PC::kGold : oInk, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        DrawPicture(p, o.sName, rc.center(), oInk);
    }
}

QIcon CPanelWindow::AppIcon() {
    QIcon oIcon;
    for (int n : {16, 32, 64, 128}) {
        QPixmap oPix(n, n);
        oPix.fill(Qt::transparent);
        QPainter p(&oPix);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(n / 64.0, n / 64.0);
        // Body, display, and three rows of keys.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2c, 0x2c, 0x30));
        p.drawRoundedRect(QRectF(10, 2, 44, 60), 7, 7);
        p.setBrush(QColor(0x30, 0x05, 0x05));
        p.drawRoundedRect(QRectF(14, 6, 36, 13), 2, 2);
        p.setBrush(PC::kLed);
        p.drawRect(QRectF(17, 11, 12, 3));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                p.setBrush(r == 0 && c == 0 ? PC::kGold : (r > 0 ? QColor(0xee, 0xe8, 0xd8) : QColor(0x60, 0x60, 0x66)));
                p.drawRoundedRect(QRectF(15 + c * 12, 25 + r * 12, 10, 8), 2, 2);
            }
        p.end();
        oIcon.addPixmap(oPix);
    }
    return oIcon;
}
