#pragma once
// The main window: draws the whole front panel of the calculator with
// QPainter in a fixed logical coordinate system scaled to the window, and
// forwards clicks, typed characters and the clipboard keys to CFrontPanel's
// handlers. It decides nothing about the calculator: it shows what
// CFrontPanel holds.
#include <QIcon>
#include <QPointer>
#include <QRectF>
#include <QStringList>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "../panel/CFrontPanel.h"

class QPainter;
class CProgramView;
class CReferenceWindow;
class CTapeWindow;

using corvel::CFrontPanel;
using corvel::CKeyRow;
using corvel::enmPart;

class CPanelWindow : public QWidget {
    Q_OBJECT
public:
    // The panel's logical size; everything is drawn in these units.
    static constexpr qreal kWidth = 480.0;
    static constexpr qreal kHeight = 800.0;
    // The smallest a legend may get on the screen, in pixels.
    static constexpr int kMinLegendPixels = 9;
    // What a window frame is allowed before the window manager has said.
    static constexpr QSize kFrameAllowance{16, 40};
    // How long a note stays under the display.
    static constexpr int kNoteMs = 2500;

    explicit CPanelWindow(CFrontPanel& oMain, QWidget* pParent = nullptr);

    CFrontPanel& Main() { return oMain_; }

    // The first size on a screen whose available area is oAvailable: the
    // largest at the panel's proportions that fits with its frame, never
    // larger than the panel's own size nor smaller than the minimum at the
    // screen's device pixel ratio.
    static QSize FirstSize(const QSize& oAvailable, const QSize& oFrame = kFrameAllowance, qreal fPixelRatio = 1.0);
    // The smallest size in logical pixels at a device pixel ratio: the
    // smallest legend still kMinLegendPixels device pixels tall.
    static QSize MinimumPanelSize(qreal fPixelRatio = 1.0);
    // The smallest text printed on or around a key, in logical pixels.
    static int SmallestLegendPixels();

    // Repaints the part of the panel that the core changed, at once.
    void RefreshPart(enmPart ePart);
    // After a slice of a run: the program view and the tape look again, at
    // most ten times a second while it runs, and once when it has ended.
    void AfterSlice(bool bEnded);
    // Title and mouse pointer from CFrontPanel's state.
    void SyncFromCore();

    // For tests and tools: the rectangle (widget coordinates) of a key or
    // control by the name key scripts use ("7", "ENTER", "SUM+", "ON", "OFF",
    // "W/PRGM", "RUN", "CARD", "SAVE", "RESTORE", "EDIT", "ABOUT"), or of
    // "DISPLAY", "INFO" (the line under it) and "LAMP"; empty for an unknown name.
    QRect SpotRect(const QString& sName) const;
    QStringList SpotNames() const;
    // The name of the area under a point in widget coordinates, or empty.
    QString SpotAt(const QPoint& oPos) const;
    // The tool tip for a point in widget coordinates, or empty.
    QString ToolTipAt(const QPoint& oPos) const;
    // The line under the display as it is drawn now: a note, why "Error" is
    // shown, or the program's name.
    QString InfoLine() const;
    // The small words drawn along the top of the display: the active prefix
    // (f, g or h), PRGM in W/PRGM mode, the operation waiting for its operand.
    QStringList Annunciators() const;
    // A listing named on the command line, read as g ENTER reads it.
    void OpenListing(const QString& sFile);
    // The panel's part of the window in screen coordinates.
    QRect PanelScreenRect() const;
    // The panel as drawn now.
    QImage GrabPanel();
    // The display texts as last painted, and whether they were dimmed.
    QString PaintedDisplay() const { return sPaintedDisp_; }
    QString PaintedExponent() const { return sPaintedEex_; }
    bool PaintedDimmed() const { return bPaintedDim_; }
    // How long notes stay (tests shorten it).
    void SetNoteDuration(int nMs) { oNoteTimer_.setInterval(nMs); }

    // The print tape window (Ctrl+T, or the tape button): opened beside the
    // panel, or closed when it is open.
    void ToggleTape();
    // The program view (Ctrl+L, or the listing button): shown on the right,
    // the window growing by its width so the panel keeps its size; or hidden.
    void ToggleProgramView();
    CTapeWindow* TapeWindow() const;                        // nullptr until first opened
    // The reference of the keys and instructions (F1): opened beside the
    // panel, or brought to the front.
    void ShowReference();
    CReferenceWindow* ReferenceWindow() const;             // nullptr until first opened
    CProgramView* ProgramView() const { return pView_; }   // nullptr until first shown
    bool ProgramViewShown() const { return bViewShown_; }
    // The part of the window the panel is drawn in (all of it without the view).
    QRect PanelRect() const;

    // Closing (close box, Off when off, Ctrl+Q, the window manager) with
    // changed work asks "Save the calculator's state before closing?" unless
    // this was called (the work went to the recovery file).
    void CloseWithoutAsking() { bCloseWithoutAsking_ = true; }

    // A small picture of the calculator for the window icon.
    static QIcon AppIcon();

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return false; }

protected:
    bool event(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

    // Clicks a key or control by its spot name, as the mouse would.
    void ClickSpot(const QString& sName);

private:
    friend class CPanelAccessible;
    friend class CPanelAccessiblePart;
    // A clickable area: a key of the table or another control.
    struct CSpot {
        QString sName;
        QRectF rc;           // logical coordinates
        const CKeyRow* pKey = nullptr;   // the key, or nullptr for another control
        QString sTip;
        std::function<void()> fnClick;
    };

    void BuildLayout();
    QTransform ToWidget() const;
    int SpotIndexAt(const QPointF& oWidgetPos) const;
    void RunHandler(const std::function<void()>& fnHandler);
    void RepaintLogical(const QRectF& rc);
    // Once shown and framed: the first size for the real frame, and the
    // window and its frame moved inside the screen's available area.
    void KeepOnScreen();
    // Moves the window, frame and all, inside the screen's available area.
    void MoveInsideScreen();
    // The program view's width while it is shown, else 0.
    int ViewWidth() const;
    // Whether a picture button's window or view is open (its icon is lit).
    bool ButtonLit(const QString& sName) const;
    QString DisplayTip() const;
    // The minimum size for the screen the window is on now.
    void UpdateMinimumSize();

    // Painting (CPanelWindow_paint.cpp).
    void PaintBody(QPainter& p) const;
    void PaintDisplay(QPainter& p);
    void PaintInfoLine(QPainter& p) const;
    void PaintLamp(QPainter& p) const;
    void PaintAnnunciators(QPainter& p, const QRectF& rcGlass) const;
    void PaintSwitch(QPainter& p, const QRectF& rcLeft, const QRectF& rcRight, const QString& sLeft,
                     const QString& sRight, bool bRight) const;
    void PaintCardSlot(QPainter& p) const;
    void PaintKey(QPainter& p, const CKeyRow& oKey, const QRectF& rc, bool bPressed) const;
    void PaintButtons(QPainter& p) const;

    CFrontPanel& oMain_;
    std::vector<CSpot> vSpots_;
    int nPressed_ = -1;      // spot held down by the mouse
    bool bPressInside_ = false;
    bool bPlaced_ = false;

    QRectF rcDisplay_, rcInfo_, rcCard_, rcLamp_;
    QRectF rcPowerOff_, rcPowerOn_, rcPrgm_, rcRun_;
    QString sPaintedDisp_, sPaintedEex_;
    bool bPaintedDim_ = false;
    QString sNote_;
    QTimer oNoteTimer_;
    QElapsedTimer oSinceHelpers_;   // since the helpers last looked during a run
    QPointer<CTapeWindow> pTape_;
    QPointer<CReferenceWindow> pReference_;
    CProgramView* pView_ = nullptr;
    bool bViewShown_ = false;
    bool bCloseWithoutAsking_ = false;
    // The question on closing with changed work: true to close.
    bool AskSaveBeforeClosing();
};
