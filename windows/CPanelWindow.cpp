#include "CPanelWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <exception>

using namespace corvel;

namespace {
// Upper block: five columns; lower block: four wider columns.
constexpr qreal kMarginX = 24.0;
constexpr qreal kUpperTop = 180.0, kUpperPitch = 64.0, kUpperKeyW = 62.0, kUpperKeyH = 34.0;
constexpr qreal kLowerTop = 440.0, kLowerPitch = 70.0, kLowerKeyW = 78.0, kLowerKeyH = 38.0;
constexpr qreal kLegendH = 14.0;   // the band above each key for its f legend

QRectF KeyRect(const CKeyRow& k) {
    const bool bUpper = k.nSection == 0;
    const int nCols = bUpper ? 5 : 4;
    const qreal fPitchX = (CPanelWindow::kWidth - 2 * kMarginX) / nCols;
    const qreal fKeyW = bUpper ? kUpperKeyW : kLowerKeyW;
    const qreal fKeyH = bUpper ? kUpperKeyH : kLowerKeyH;
    const qreal fTop = (bUpper ? kUpperTop : kLowerTop) + k.nRow * (bUpper ? kUpperPitch : kLowerPitch) + kLegendH;
    const qreal fLeft = kMarginX + k.nCol * fPitchX + (fPitchX - fKeyW) / 2;
    const qreal fWidth = fKeyW + (k.nSpan - 1) * fPitchX;
    return QRectF(fLeft, fTop, fWidth, fKeyH);
}
}  // namespace

CPanelWindow::CPanelWindow(CFrontPanel& oMain, QWidget* pParent) : QWidget(pParent), oMain_(oMain) {
    setObjectName("CFrontPanel");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setMinimumSize(static_cast<int>(kWidth * 0.5), static_cast<int>(kHeight * 0.5));
    resize(sizeHint());
    setWindowIcon(AppIcon());
    BuildLayout();
    SyncFromCore();
}

QSize CPanelWindow::sizeHint() const { return QSize(static_cast<int>(kWidth), static_cast<int>(kHeight)); }

void CPanelWindow::BuildLayout() {
    rcDisplay_ = QRectF(20, 18, 440, 74);
    rcPrgmLabel_ = QRectF(24, 94, 432, 16);
    rcPowerOff_ = QRectF(22, 110, 58, 26);
    rcPowerOn_ = QRectF(80, 110, 58, 26);
    rcPrgm_ = QRectF(290, 110, 96, 26);
    rcRun_ = QRectF(386, 110, 72, 26);
    rcCard_ = QRectF(22, 138, 436, 36);

    vSpots_.clear();
    int nKeys = 0;
    const CKeyRow* pRows = corvel::KeyRows(nKeys);
    for (int i = 0; i < nKeys; ++i) {
        const CKeyRow* pKey = &pRows[i];
        vSpots_.push_back({QString::fromUtf8(pKey->sName), KeyRect(*pKey), pKey,
                           [this, pKey]() { oMain_.PressKey(pKey->sName); }});
    }
    // The switches, the card slot and the four picture buttons along the bottom edge.
    const QRectF aPlaces[] = {rcPowerOn_, rcPowerOff_, rcPrgm_, rcRun_, rcCard_,
                              QRectF(292, 742, 34, 34), QRectF(334, 742, 34, 34),
                              QRectF(376, 742, 34, 34), QRectF(418, 742, 34, 34)};
    int nControls = 0;
    const corvel::CControlRow* pControls = corvel::ControlRows(nControls);
    for (int i = 0; i < nControls && i < 9; ++i) {
        const auto fn = pControls[i].pfnClick;
        vSpots_.push_back({QString::fromUtf8(pControls[i].sName), aPlaces[i], nullptr, [this, fn]() { (oMain_.*fn)(); }});
    }
}

QTransform CPanelWindow::ToWidget() const {
    const qreal s = std::min(width() / kWidth, height() / kHeight);
    return QTransform(s, 0, 0, s, (width() - kWidth * s) / 2, (height() - kHeight * s) / 2);
}

QRect CPanelWindow::SpotRect(const QString& sName) const {
    for (const CSpot& o : vSpots_)
        if (o.sName == sName) return ToWidget().mapRect(o.rc).toAlignedRect();
    return QRect();
}

QStringList CPanelWindow::SpotNames() const {
    QStringList v;
    for (const CSpot& o : vSpots_) v << o.sName;
    return v;
}

int CPanelWindow::SpotIndexAt(const QPointF& oWidgetPos) const {
    const QPointF oLogical = ToWidget().inverted().map(oWidgetPos);
    for (size_t i = 0; i < vSpots_.size(); ++i)
        if (vSpots_[i].rc.contains(oLogical)) return static_cast<int>(i);
    return -1;
}

QString CPanelWindow::SpotAt(const QPoint& oPos) const {
    const int n = SpotIndexAt(oPos);
    return n < 0 ? QString() : vSpots_[static_cast<size_t>(n)].sName;
}

QImage CPanelWindow::GrabPanel() { return grab().toImage(); }

void CPanelWindow::RepaintLogical(const QRectF& rc) {
    if (!isVisible()) return;
    repaint(ToWidget().mapRect(rc).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void CPanelWindow::RefreshPart(enmPart ePart) {
    switch (ePart) {
        case enmPart::Disp:
            // Painted now, not queued: a blinking display must show while the
            // core keeps the thread.
            RepaintLogical(rcDisplay_);
            break;
        case enmPart::Title:
        case enmPart::Cursor:
            SyncFromCore();
            break;
        case enmPart::Card:
            RepaintLogical(rcCard_);
            break;
        case enmPart::PrgmLabel:
            RepaintLogical(rcPrgmLabel_);
            break;
        case enmPart::Window:
        case enmPart::Note:
            if (isVisible()) repaint();
            break;
    }
}

void CPanelWindow::SyncFromCore() {
    const QString sTitle = QString::fromStdString(oMain_.sTitle);
    if (windowTitle() != sTitle) setWindowTitle(sTitle);
    if (oMain_.bBusy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void CPanelWindow::RunHandler(const std::function<void()>& fnHandler) {
    try {
        fnHandler();
    } catch (const std::exception& e) {
        // The handlers deal with calculator errors themselves; anything that
        // still escapes must not take the window down with it.
        QMessageBox::critical(this, QStringLiteral("CorvelXMem"),
                              QStringLiteral("Internal error: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    SyncFromCore();
    update();
}

void CPanelWindow::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) return;
    nPressed_ = SpotIndexAt(pEvent->position());
    bPressInside_ = nPressed_ >= 0;
    if (nPressed_ >= 0) RepaintLogical(vSpots_[static_cast<size_t>(nPressed_)].rc.adjusted(-4, -4, 4, 4));
}

void CPanelWindow::mouseMoveEvent(QMouseEvent* pEvent) {
    if (nPressed_ < 0) return;
    const bool bInside = SpotIndexAt(pEvent->position()) == nPressed_;
    if (bInside != bPressInside_) {
        bPressInside_ = bInside;
        update();
    }
}

void CPanelWindow::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton || nPressed_ < 0) return;
    const int n = nPressed_;
    const bool bHit = SpotIndexAt(pEvent->position()) == n;
    // Released before the handler runs: a handler that runs a program lets
    // further clicks in, which must start from a clean state.
    nPressed_ = -1;
    bPressInside_ = false;
    RepaintLogical(vSpots_[static_cast<size_t>(n)].rc.adjusted(-4, -4, 4, 4));
    if (bHit) {
        const std::function<void()> fn = vSpots_[static_cast<size_t>(n)].fnClick;
        RunHandler(fn);
    }
}

void CPanelWindow::keyPressEvent(QKeyEvent* pEvent) {
    int nChar = -1;
    if (pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) {
        nChar = 13;
    } else {
        const QString sText = pEvent->text();
        if (sText.size() == 1 && sText.at(0).unicode() >= 32 && sText.at(0).unicode() < 127)
            nChar = sText.at(0).unicode();
    }
    if (nChar < 0 || (pEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QWidget::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
    RunHandler([this, nChar]() { oMain_.Form_KeyPress(nChar); });
}

void CPanelWindow::closeEvent(QCloseEvent* pEvent) {
    // A program running inside a click handler would otherwise go on with no
    // window to show it.
    if (oMain_.IsRunning()) oMain_.RequestStop();
    QWidget::closeEvent(pEvent);
}
