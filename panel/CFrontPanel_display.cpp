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

void CFrontPanel::Wait(double Delay) { WaitSeconds(Delay, false); }

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
