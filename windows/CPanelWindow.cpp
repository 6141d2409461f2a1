#include "CPanelWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <exception>

#include "CDialogLook.h"
#include "CKeyPlaces.h"
#include "CPanelAccessible.h"
#include "CProgramView.h"
#include "CReferenceWindow.h"
#include "CTapeWindow.h"
#include "../numeric/NumUtil.h"

using namespace corvel;

namespace {

// "typed: s", "typed: e or Enter": the computer-keyboard characters of a key.
QString TypedText(const char* sTyped) {
    QStringList v;
    for (const char* p = sTyped; *p; ++p) v << (*p == '\r' ? QStringLiteral("Enter") : QString(QLatin1Char(*p)));
    return v.isEmpty() ? QString() : QStringLiteral("typed: ") + v.join(QStringLiteral(" or "));
}

// The key's name and characters, then what it does with each prefix.
QString KeyTip(const CKeyRow& k) {
    QString s = QString::fromUtf8(k.sName);
    const QString sTyped = TypedText(k.sTyped);
    if (!sTyped.isEmpty()) s += QStringLiteral(" \u2014 ") + sTyped;
    QStringList vShifted;
    const char* const aPrefix[] = {"f", "g", "h"};
    const char* const aLegend[] = {k.sF, k.sG, k.sH};
    for (int i = 0; i < 3; ++i)
        if (*aLegend[i]) vShifted << QStringLiteral("%1 %2").arg(QLatin1String(aPrefix[i]), QString::fromUtf8(aLegend[i]));
    if (!vShifted.isEmpty()) s += '\n' + vShifted.join(QStringLiteral("   "));
    return s;
}

}  // namespace

CPanelWindow::CPanelWindow(CFrontPanel& oMain, QWidget* pParent) : QWidget(pParent), oMain_(oMain) {
    setObjectName("CFrontPanel");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAcceptDrops(true);
    CPanelAccessible::Install();
    setAccessibleName(QStringLiteral("Calculator panel"));
    UpdateMinimumSize();
    const QScreen* pScreen = screen();
    resize(pScreen ? FirstSize(pScreen->availableGeometry().size(), kFrameAllowance, pScreen->devicePixelRatio())
                   : sizeHint());
    setWindowIcon(AppIcon());
    oNoteTimer_.setSingleShot(true);
    oNoteTimer_.setInterval(kNoteMs);
    connect(&oNoteTimer_, &QTimer::timeout, this, [this]() {
        sNote_.clear();
        RepaintLogical(rcInfo_);
    });
    BuildLayout();
    SyncFromCore();
}

QSize CPanelWindow::sizeHint() const {
    return QSize(static_cast<int>(kWidth) + ViewWidth(), static_cast<int>(kHeight));
}

int CPanelWindow::ViewWidth() const { return bViewShown_ ? CProgramView::kWidth : 0; }

QRect CPanelWindow::PanelRect() const { return QRect(0, 0, std::max(1, width() - ViewWidth()), height()); }

int CPanelWindow::SmallestLegendPixels() {
    int nKeys = 0;
    const CKeyRow* pRows = corvel::KeyRows(nKeys);
    int nSmallest = 1000;
    for (int i = 0; i < nKeys; ++i) {
        const KeyPlaces::CSizes n = KeyPlaces::SizesFor(pRows[i]);
        for (int nSize : {n.nFace, n.nF, n.nG, n.nH})
            if (nSize > 0) nSmallest = std::min(nSmallest, nSize);
    }
    return nSmallest;
}

QSize CPanelWindow::MinimumPanelSize(qreal fPixelRatio) {
    const qreal s = qreal(kMinLegendPixels) / fPixelRatio / SmallestLegendPixels();
    return QSize(static_cast<int>(std::ceil(kWidth * s)), static_cast<int>(std::ceil(kHeight * s)));
}

QSize CPanelWindow::FirstSize(const QSize& oAvailable, const QSize& oFrame, qreal fPixelRatio) {
    const qreal s = std::min({1.0, (oAvailable.width() - oFrame.width()) / kWidth,
                              (oAvailable.height() - oFrame.height()) / kHeight});
    const QSize o(static_cast<int>(std::floor(kWidth * s)), static_cast<int>(std::floor(kHeight * s)));
    return o.expandedTo(MinimumPanelSize(fPixelRatio));
}

void CPanelWindow::UpdateMinimumSize() {
    setMinimumSize(MinimumPanelSize(devicePixelRatioF()) + QSize(ViewWidth(), 0));
}

void CPanelWindow::BuildLayout() {
    rcDisplay_ = QRectF(20, 18, 440, 74);
    rcInfo_ = QRectF(24, 93, 432, 16);
    rcPowerOff_ = QRectF(22, 110, 58, 26);
    rcPowerOn_ = QRectF(80, 110, 58, 26);
    rcLamp_ = QRectF(176, 114, 92, 18);
    rcPrgm_ = QRectF(290, 110, 96, 26);
    rcRun_ = QRectF(386, 110, 72, 26);
    rcCard_ = QRectF(22, 138, 436, 36);

    vSpots_.clear();
    int nKeys = 0;
    const CKeyRow* pRows = corvel::KeyRows(nKeys);
    for (int i = 0; i < nKeys; ++i) {
        const CKeyRow* pKey = &pRows[i];
        vSpots_.push_back({QString::fromUtf8(pKey->sName), KeyPlaces::For(*pKey).rcKey, pKey, KeyTip(*pKey),
                           [this, pKey]() { oMain_.PressKey(pKey->sName); }});
    }
    // The switches, the card slot and the six picture buttons along the
    // bottom edge: save, restore, edit, the program view, the tape, about.
    // The view and the tape are the window's own, not the calculator's.
    const auto Button = [](int i) { return QRectF(223 + 39 * i, 744, 34, 34); };
    const QRectF aPlaces[] = {rcPowerOn_, rcPowerOff_, rcPrgm_, rcRun_, rcCard_,
                              Button(0), Button(1), Button(2), Button(5)};
    int nControls = 0;
    const corvel::CControlRow* pControls = corvel::ControlRows(nControls);
    for (int i = 0; i < nControls && i < 9; ++i) {
        const char* sName = pControls[i].sName;
        vSpots_.push_back({QString::fromUtf8(sName), aPlaces[i], nullptr, QString::fromUtf8(pControls[i].sTip),
                           [this, sName]() { oMain_.PressKey(sName); }});
    }
    vSpots_.push_back({QStringLiteral("PROGRAM"), Button(3), nullptr,
                       QStringLiteral("Program view beside the panel: steps, stack, registers (Ctrl+L)"),
                       [this]() { ToggleProgramView(); }});
    vSpots_.push_back({QStringLiteral("TAPE"), Button(4), nullptr,
                       QStringLiteral("Print tape: -x-, STK and TRACE lines (Ctrl+T)"), [this]() { ToggleTape(); }});
}

QTransform CPanelWindow::ToWidget() const {
    const QRect rc = PanelRect();
    const qreal s = std::min(rc.width() / kWidth, rc.height() / kHeight);
    return QTransform(s, 0, 0, s, (rc.width() - kWidth * s) / 2, (rc.height() - kHeight * s) / 2);
}

QRect CPanelWindow::SpotRect(const QString& sName) const {
    if (sName == QLatin1String("DISPLAY")) return ToWidget().mapRect(rcDisplay_).toAlignedRect();
    if (sName == QLatin1String("LAMP")) return ToWidget().mapRect(rcLamp_).toAlignedRect();
    if (sName == QLatin1String("INFO")) return ToWidget().mapRect(rcInfo_).toAlignedRect();
    for (const CSpot& o : vSpots_)
        if (o.sName == sName) return ToWidget().mapRect(o.rc).toAlignedRect();
    return QRect();
}

void CPanelWindow::ClickSpot(const QString& sName) {
    for (const CSpot& o : vSpots_)
        if (o.sName == sName) {
            const std::function<void()> fn = o.fnClick;
            RunHandler(fn);
            return;
        }
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

QString CPanelWindow::DisplayTip() const {
    if (oMain_.View().bInErr) {
        const QString sCause = QString::fromUtf8(oMain_.View().bInErr.CauseText());
        return (sCause.isEmpty() ? QStringLiteral("Error") : QStringLiteral("Error: ") + sCause) +
               QStringLiteral("\nCLX clears it");
    }
    return QStringLiteral("Ctrl+C copies X, Ctrl+V pastes a number");
}

QString CPanelWindow::ToolTipAt(const QPoint& oPos) const {
    const int n = SpotIndexAt(oPos);
    if (n >= 0) return vSpots_[static_cast<size_t>(n)].sTip;
    const QPointF oLogical = ToWidget().inverted().map(QPointF(oPos));
    if (rcDisplay_.contains(oLogical) || rcInfo_.contains(oLogical)) return DisplayTip();
    if (rcLamp_.contains(oLogical)) return QStringLiteral("Lit while a program runs");
    return QString();
}

QStringList CPanelWindow::Annunciators() const {
    QStringList v;
    if (!oMain_.View().bOn) return v;
    const char* const aShift[] = {"", "f", "g", "h"};
    const int nShift = static_cast<int>(oMain_.View().eShift);
    if (nShift > 0 && nShift < 4) v << QLatin1String(aShift[nShift]);
    if (!oMain_.View().bRun) v << QStringLiteral("PRGM");
    if (oMain_.HasPendOp()) v << QString::fromUtf8(corvel::PendOpText(oMain_.View().ePendOp));
    return v;
}

QRect CPanelWindow::PanelScreenRect() const {
    const QRect rc = ToWidget().mapRect(QRectF(0, 0, kWidth, kHeight)).toAlignedRect();
    return QRect(mapToGlobal(rc.topLeft()), rc.size());
}

void CPanelWindow::OpenListing(const QString& sFile) {
    RunHandler([this, sFile]() { oMain_.ReadProgramFile(sFile.toStdString()); });
}

QString CPanelWindow::InfoLine() const {
    if (!sNote_.isEmpty()) return sNote_;
    if (oMain_.View().bInErr) return QString::fromUtf8(oMain_.View().bInErr.CauseText());
    return QString::fromStdString(oMain_.View().lblPrgm);
}

bool CPanelWindow::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::ScreenChangeInternal)
        UpdateMinimumSize();
    if (pEvent->type() == QEvent::ToolTip) {
        const auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        const QString sTip = ToolTipAt(pHelp->pos());
        if (sTip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(pHelp->globalPos(), sTip, this);
        return true;
    }
    return QWidget::event(pEvent);
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
            // core keeps the thread. The line under it tells why "Error" is
            // shown, and a tool tip that told it goes when the error does.
            if (!oMain_.View().bInErr && QToolTip::isVisible() && QToolTip::text().startsWith(QLatin1String("Error")))
                QToolTip::hideText();
            RepaintLogical(rcDisplay_.united(rcInfo_));
            CPanelAccessible::TextsChanged(this);
            break;
        case enmPart::Title:
            SyncFromCore();
            break;
        case enmPart::Cursor:
            // A run starts or ends: the pointer, the lamp and the display's brightness.
            SyncFromCore();
            RepaintLogical(rcDisplay_.united(rcLamp_));
            break;
        case enmPart::Card:
            RepaintLogical(rcCard_);
            break;
        case enmPart::PrgmLabel:
            RepaintLogical(rcInfo_);
            CPanelAccessible::TextsChanged(this);
            break;
        case enmPart::Note:
            sNote_ = QString::fromStdString(oMain_.View().sNote);
            if (!sNote_.isEmpty()) oNoteTimer_.start();
            RepaintLogical(rcInfo_);
            CPanelAccessible::TextsChanged(this);
            break;
        case enmPart::Window:
            if (isVisible()) repaint();
            break;
    }
    if (pView_) pView_->Changed();
}

void CPanelWindow::AfterSlice(bool bEnded) {
    constexpr qint64 kHelpersEveryMs = 100;
    if (!bEnded && oSinceHelpers_.isValid() && oSinceHelpers_.elapsed() < kHelpersEveryMs) return;
    oSinceHelpers_.start();
    if (pView_ && pView_->isVisible()) pView_->Refresh();
    if (pTape_ && pTape_->isVisible()) pTape_->Flush();
}

void CPanelWindow::SyncFromCore() {
    const QString sTitle = QString::fromStdString(oMain_.View().sTitle);
    if (windowTitle() != sTitle) setWindowTitle(sTitle);
    if (oMain_.View().bBusy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void CPanelWindow::RunHandler(const std::function<void()>& fnHandler) {
    // A note lasts until the next key or paste, which may leave its own.
    if (!sNote_.isEmpty()) {
        sNote_.clear();
        oNoteTimer_.stop();
        RepaintLogical(rcInfo_);
    }
    try {
        fnHandler();
    } catch (const std::exception& e) {
        // The handlers deal with calculator errors themselves; anything that
        // still escapes must not take the window down with it.
        QMessageBox::critical(this, QStringLiteral("CorvelXMem"),
                              QStringLiteral("Internal error: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    SyncFromCore();
    if (pTape_ && pTape_->isVisible()) pTape_->Flush();
    update();
    if (pView_) pView_->Changed();
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
    if (pEvent->matches(QKeySequence::Copy)) {
        pEvent->accept();
        const QString s = QString::fromStdString(oMain_.CopyText());
        if (!s.isEmpty()) QGuiApplication::clipboard()->setText(s);
        return;
    }
    if (pEvent->matches(QKeySequence::Paste)) {
        pEvent->accept();
        // A number as the user's locale writes it (1,5; 1 234; the minus sign U+2212).
        const bool bComma = QLocale::system().decimalPoint() == QLatin1String(",");
        const std::string s = corvel::NumUtil::PastedNumberText(QGuiApplication::clipboard()->text().toStdString(), bComma);
        RunHandler([this, &s]() { oMain_.PasteText(s); });
        return;
    }
    // Step over (F10) and step out (Shift+F11), as the program view's buttons.
    const bool bStepOver = pEvent->key() == Qt::Key_F10 && pEvent->modifiers() == Qt::NoModifier;
    if (bStepOver || (pEvent->key() == Qt::Key_F11 && pEvent->modifiers() == Qt::ShiftModifier)) {
        pEvent->accept();
        RunHandler([this, bStepOver]() { oMain_.PressKey(bStepOver ? "STEPOVER" : "STEPOUT"); });
        return;
    }
    if (pEvent->key() == Qt::Key_F9 && pEvent->modifiers() == Qt::NoModifier) {
        // A breakpoint on the pointer's step, set or cleared, drawn in the program view.
        pEvent->accept();
        if (pView_)
            pView_->ToggleBreak(oMain_.View().oPrgm.GetPrgmPointer());
        else
            oMain_.ToggleBreak(oMain_.View().oPrgm.GetPrgmPointer());
        return;
    }
    const bool bCtrl = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (pEvent->key() == Qt::Key_F1) {
        pEvent->accept();
        ShowReference();
        return;
    }
    if (bCtrl && pEvent->key() == Qt::Key_Q) {
        pEvent->accept();
        close();   // through the window's own close path
        return;
    }
    if (pEvent->key() == Qt::Key_Backspace && !(pEvent->modifiers() & ~Qt::KeypadModifier)) {
        pEvent->accept();
        RunHandler([this]() { oMain_.PressKey("CLX"); });
        return;
    }
    if (bCtrl && (pEvent->key() == Qt::Key_T || pEvent->key() == Qt::Key_L)) {
        pEvent->accept();
        if (pEvent->key() == Qt::Key_T)
            ToggleTape();
        else
            ToggleProgramView();
        return;
    }
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

void CPanelWindow::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    if (bPlaced_ || !isWindow()) return;
    bPlaced_ = true;
    // The window manager puts its frame around the window a moment after it
    // is shown; only then is the whole size known.
    QTimer::singleShot(300, this, [this]() { KeepOnScreen(); });
}

void CPanelWindow::KeepOnScreen() {
    const QScreen* pScreen = screen();
    if (!pScreen || !isVisible() || isMaximized() || isFullScreen()) return;
    const QRect rcFree = pScreen->availableGeometry();
    const QSize oFrame = frameGeometry().size() - size();
    // With the real frame known the first size can be what it allows, larger
    // or smaller than the allowance made for it.
    if (!oFrame.isEmpty()) {
        const QSize oView(ViewWidth(), 0);
        const QSize oSize = FirstSize(rcFree.size() - oView, oFrame, devicePixelRatioF()) + oView;
        if (oSize != size()) resize(oSize);
    }
    MoveInsideScreen();
}

void CPanelWindow::MoveInsideScreen() {
    const QScreen* pScreen = screen();
    if (!pScreen || !isVisible() || isMaximized() || isFullScreen()) return;
    const QRect rcFree = pScreen->availableGeometry();
    const QSize oFrame = frameGeometry().size() - size();
    const QSize oWhole = size() + oFrame;
    const QPoint oAt = frameGeometry().topLeft();
    const int x = std::clamp(oAt.x(), rcFree.left(), std::max(rcFree.left(), rcFree.right() + 1 - oWhole.width()));
    const int y = std::clamp(oAt.y(), rcFree.top(), std::max(rcFree.top(), rcFree.bottom() + 1 - oWhole.height()));
    if (QPoint(x, y) != oAt) move(x, y);
}

bool CPanelWindow::AskSaveBeforeClosing() {
    QMessageBox oBox(QMessageBox::Question, QStringLiteral("CorvelXMem"),
                     QStringLiteral("Save the calculator's state before closing?"),
                     QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    DialogLook::Apply(&oBox);
    oBox.button(QMessageBox::Discard)->setText(QStringLiteral("Don't Save"));
    oBox.setDefaultButton(QMessageBox::Save);
    switch (oBox.exec()) {
        case QMessageBox::Save: return oMain_.SaveStateChosen();   // a cancelled dialog keeps the window
        case QMessageBox::Discard: return true;
        default: return false;
    }
}

void CPanelWindow::closeEvent(QCloseEvent* pEvent) {
    if (!bCloseWithoutAsking_ && oMain_.WorkChanged() && !AskSaveBeforeClosing()) {
        pEvent->ignore();
        update();   // a save may have changed the panel
        return;
    }
    // A running program stops with the window that shows it.
    oMain_.RequestStop();
    if (pTape_) pTape_->close();
    if (pReference_) pReference_->close();
    QWidget::closeEvent(pEvent);
}

namespace {
// The one local file of a drag, or empty.
QString DraggedFile(const QMimeData* pData) {
    if (!pData || !pData->hasUrls() || pData->urls().size() != 1) return QString();
    const QUrl oUrl = pData->urls().constFirst();
    return oUrl.isLocalFile() ? oUrl.toLocalFile() : QString();
}
}  // namespace

void CPanelWindow::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (oMain_.AcceptsDrop() && !DraggedFile(pEvent->mimeData()).isEmpty()) pEvent->acceptProposedAction();
}

void CPanelWindow::dropEvent(QDropEvent* pEvent) {
    const QString sFile = DraggedFile(pEvent->mimeData());
    if (sFile.isEmpty() || !oMain_.AcceptsDrop()) return;
    pEvent->acceptProposedAction();
    // Asked after the drop has ended, so the file manager is not held meanwhile.
    QTimer::singleShot(0, this, [this, sFile]() {
        RunHandler([this, sFile]() { oMain_.DropFile(sFile.toStdString()); });
    });
}

void CPanelWindow::resizeEvent(QResizeEvent* pEvent) {
    QWidget::resizeEvent(pEvent);
    if (pView_) pView_->setGeometry(width() - CProgramView::kWidth, 0, CProgramView::kWidth, height());
}

void CPanelWindow::ToggleTape() {
    if (!pTape_) {
        pTape_ = new CTapeWindow(oMain_, this);
        // Its button is lit while it is open, however it is closed.
        connect(pTape_, &QDialog::finished, this, [this]() { update(); });
        // As tall as the panel, so a long stretch of the tape is in view.
        pTape_->resize(pTape_->width(), std::max(pTape_->height(), height()));
        DialogLook::PlaceBeside(this, pTape_);
    }
    if (pTape_->isVisible()) {
        pTape_->close();
    } else {
        pTape_->show();
        pTape_->raise();
    }
    update();
}

void CPanelWindow::ToggleProgramView() {
    if (!pView_) {
        pView_ = new CProgramView(oMain_, this);
        pView_->fnPress = [this](const char* sKey) { RunHandler([this, sKey]() { oMain_.PressKey(sKey); }); };
        pView_->hide();
    }
    bViewShown_ = !bViewShown_;
    const int nGrow = bViewShown_ ? CProgramView::kWidth : -CProgramView::kWidth;
    // Read first: a larger minimum widens the window at once.
    const int nWidth = width();
    UpdateMinimumSize();
    // The window grows or shrinks by the view, so the panel keeps its size;
    // a maximized window keeps its size and the panel makes room.
    if (isWindow() && !isMaximized() && !isFullScreen()) resize(nWidth + nGrow, height());
    pView_->setGeometry(width() - CProgramView::kWidth, 0, CProgramView::kWidth, height());
    pView_->setVisible(bViewShown_);
    if (bViewShown_) MoveInsideScreen();
    update();
}

CTapeWindow* CPanelWindow::TapeWindow() const { return pTape_.data(); }

void CPanelWindow::ShowReference() {
    if (!pReference_) {
        pReference_ = new CReferenceWindow(this);
        pReference_->resize(pReference_->width(), std::max(pReference_->height(), height()));
        DialogLook::PlaceBeside(this, pReference_);
    }
    pReference_->show();
    pReference_->raise();
    pReference_->activateWindow();
    pReference_->txtSearch->setFocus();
}

CReferenceWindow* CPanelWindow::ReferenceWindow() const { return pReference_.data(); }

bool CPanelWindow::ButtonLit(const QString& sName) const {
    if (sName == QLatin1String("TAPE")) return pTape_ && pTape_->isVisible();
    if (sName == QLatin1String("PROGRAM")) return bViewShown_;
    return false;
}
