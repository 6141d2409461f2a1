// The display as the keys and the interpreter show it: X, the blinking
// show-X and show-stack functions, and the waits on the wall clock.
#include <cmath>

#include "../numeric/CCalcError.h"
#include "CFrontPanel.h"

namespace corvel {

void CFrontPanel::ShowX() {
    oMachine.FormatX();
    RepaintDisplay();
}

void CFrontPanel::WaitSeconds(double fSeconds, bool bProcessEvents) {
    // The wall clock is read at whole-second resolution.
    const double fTarget = std::floor(oHost_.ClockSeconds()) + fSeconds;
    while (std::floor(oHost_.ClockSeconds()) < fTarget) oHost_.IdleUntil(fTarget, bProcessEvents);
}

namespace {
// Marks the display as shown on purpose for as long as it lives, and
// repaints it when it is over, so the window shows the change at once.
class CShowing {
public:
    explicit CShowing(CFrontPanel& o) : o_(o), bWas_(o.bShowing) {
        o_.bShowing = true;
        o_.RepaintDisplay();
    }
    ~CShowing() {
        o_.bShowing = bWas_;
        if (!bWas_) o_.RepaintDisplay();
    }
    CShowing(const CShowing&) = delete;
    CShowing& operator=(const CShowing&) = delete;

private:
    CFrontPanel& o_;
    bool bWas_;
};
}  // namespace

// The interpreter waits only to let the display be read: PAUSE, and the
// step line of SST and BST.
void CFrontPanel::Wait(double Delay) {
    const CShowing oShowing(*this);
    WaitSeconds(Delay, false);
}

void CFrontPanel::XRefresh() {
    oHost_.Refresh(enmPart::Window);
    RepaintDisplay();
}

std::string CFrontPanel::TapeText(double v) const {
    std::string sDisp, sEex;
    ShowXHelper(v, sDisp, sEex);
    return sEex.empty() ? sDisp : sDisp + " " + sEex;
}

void CFrontPanel::BlinkX() {
    const CShowing oShowing(*this);
    std::string sDisp, sEex;
    ShowXHelper(oStack.GetX(), sDisp, sEex);
    const auto p = sDisp.find('.');
    if (p == std::string::npos) throw CCalcError(enmErrKind::Overflow);   // "Error" has no point to blink
    oTape.Print(TapeText(oStack.GetX()));
    for (int i = 0; i < 2; ++i) {
        std::string sBlank = sDisp;
        sBlank[p] = ' ';
        lblDisp = sBlank;
        RepaintDisplay();
        WaitSeconds(1, true);
        lblDisp = sDisp;
        RepaintDisplay();
        WaitSeconds(1, false);
    }
}

void CFrontPanel::BlinkStack() {
    const CShowing oShowing(*this);
    const std::string sSaveDisp = lblDisp, sSaveEex = lblEex;
    double a[5];
    oStack.GetStack(a);
    static const char kNames[] = "XYZT";
    for (int r = 0; r < 4; ++r) {
        std::string sDisp, sEex;
        ShowXHelper(a[r + 1], sDisp, sEex);
        const std::string sText = std::string(1, kNames[r]) + ":" + sDisp;
        const auto p = sText.find('.');
        if (p == std::string::npos) {
            lblDisp = sSaveDisp;
            lblEex = sSaveEex;
            throw CCalcError(enmErrKind::Overflow);   // "Error" has no point to blink
        }
        oTape.Print(std::string(1, kNames[r]) + " " + TapeText(a[r + 1]));
        std::string sBlank = sText;
        sBlank[p] = ' ';
        for (int i = 0; i < 2; ++i) {
            lblDisp = sText;
            RepaintDisplay();
            WaitSeconds(1, true);
            lblDisp = sBlank;
            RepaintDisplay();
            WaitSeconds(1, true);
            lblDisp = sText;
            RepaintDisplay();
            WaitSeconds(1, true);
        }
    }
    lblDisp = sSaveDisp;
    lblEex = sSaveEex;
    RepaintDisplay();
}

} // namespace corvel
