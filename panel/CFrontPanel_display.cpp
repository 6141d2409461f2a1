// The display as the keys and the interpreter show it: X and the blinking
// show-X and show-stack functions (timed displays the host drives).
#include <cmath>

#include "../numeric/CCalcError.h"
#include "CFrontPanel.h"

namespace corvel {

void CFrontPanel::ShowX() {
    oMachine.FormatX();
    oHost_.Refresh(enmPart::Disp);
}

void CFrontPanel::XRefresh() {
    oHost_.Refresh(enmPart::Window);
    oHost_.Refresh(enmPart::Disp);
}

std::string CFrontPanel::TapeText(double v) const {
    std::string sDisp, sEex;
    ShowXHelper(v, sDisp, sEex);
    return sEex.empty() ? sDisp : sDisp + " " + sEex;
}

void CFrontPanel::BlinkX(std::function<void()> fnAfter) {
    std::string sDisp, sEex;
    ShowXHelper(oStack.GetX(), sDisp, sEex);
    const auto p = sDisp.find('.');
    if (p == std::string::npos) throw CCalcError(enmErrKind::Overflow);   // "Error" has no point to blink
    oTape.Print(TapeText(oStack.GetX()));
    std::string sBlank = sDisp;
    sBlank[p] = ' ';
    // The point goes out and comes back, twice, a second each time.
    ShowTimed({{sBlank, 1.0}, {sDisp, 1.0}, {sBlank, 1.0}, {sDisp, 1.0}}, std::move(fnAfter));
}

void CFrontPanel::BlinkStack() {
    const std::string sSaveDisp = lblDisp, sSaveEex = lblEex;
    double a[5];
    oStack.GetStack(a);
    static const char kNames[] = "XYZT";
    std::vector<CShowPhase> vPhases;
    bool bUnshowable = false;
    for (int r = 0; r < 4 && !bUnshowable; ++r) {
        std::string sDisp, sEex;
        ShowXHelper(a[r + 1], sDisp, sEex);
        const std::string sText = std::string(1, kNames[r]) + ":" + sDisp;
        const auto p = sText.find('.');
        if (p == std::string::npos) {
            bUnshowable = true;   // "Error" has no point to blink: the registers before it still blink
            break;
        }
        oTape.Print(std::string(1, kNames[r]) + " " + TapeText(a[r + 1]));
        std::string sBlank = sText;
        sBlank[p] = ' ';
        for (int i = 0; i < 2; ++i) vPhases.insert(vPhases.end(), {{sText, 1.0}, {sBlank, 1.0}, {sText, 1.0}});
    }
    ShowTimed(std::move(vPhases), [this, sSaveDisp, sSaveEex, bUnshowable] {
        lblDisp = sSaveDisp;
        lblEex = sSaveEex;
        if (bUnshowable) throw CCalcError(enmErrKind::Overflow);
        oHost_.Refresh(enmPart::Disp);
    });
}

// A blink from the keys: a timed display of its own, which the host drives.
void CFrontPanel::ShowAsKey(const std::function<void()>& fnShow) {
    bKeyShow_ = true;
    try {
        fnShow();
    } catch (...) {
        bKeyShow_ = false;
        throw;
    }
    bKeyShow_ = false;
}

void CFrontPanel::BlinkXKey() { ShowAsKey([this] { BlinkX({}); }); }
void CFrontPanel::BlinkStackKey() { ShowAsKey([this] { BlinkStack(); }); }

} // namespace corvel
