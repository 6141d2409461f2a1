// The display: number formatting in FIX, SCI and ENG, the out-of-range
// display, the blinking show-X and show-stack functions, pauses and sounds.
#include <cmath>
#include <cstdio>

#include "../numeric/NumUtil.h"
#include "frmMain.h"

namespace {

// Digits actually formatted: a count set by a program may be negative or
// absurdly large; the display shows between 0 and 99 decimals.
int DisplayDigits(int16_t n) {
    if (n < 0) return 0;
    if (n > 99) return 99;
    return n;
}

std::string FormatFixed(double v, int nDec) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", nDec, v);
    std::string s(buf);
    // With no decimals the pattern still ends in a point ("12.").
    if (nDec == 0) s += '.';
    // A value that rounds to zero keeps no minus sign.
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

// Exponent with the pattern "00": at least two digits, minus sign when negative.
std::string FormatExponent(int e) {
    char buf[16];
    if (e < 0)
        std::snprintf(buf, sizeof buf, "-%02d", -e);
    else
        std::snprintf(buf, sizeof buf, "%02d", e);
    return buf;
}

// e with 1 <= a / 10^e < 10.
int Normalise(double a) {
    int e = static_cast<int>(std::floor(std::log10(a)));
    const double p = std::pow(10.0, e);
    if (a < p)
        --e;
    else if (a / p >= 10.0)
        ++e;
    return e;
}

} // namespace

void frmMain::GetEngFormat(double X, double& Y, int16_t& N) const {
    const double a = std::fabs(X);
    if (a == 0.0 || !std::isfinite(a)) {
        Y = X;
        N = 0;
        return;
    }
    const int e0 = Normalise(a);
    const int e = 3 * static_cast<int>(std::floor(e0 / 3.0));
    N = static_cast<int16_t>(e);
    Y = X / std::pow(10.0, e);
}

void frmMain::ShowXHelper(double X, std::string& sDisp, std::string& sEex) const {
    const double a = std::fabs(X);
    const int nDec = DisplayDigits(nDigits);
    if (!(a < NumUtil::kBig)) {   // also infinities and NaN
        sDisp = "Error";
        sEex.clear();
        return;
    }
    if (a <= NumUtil::kTiny) {
        sDisp = "0." + std::string(static_cast<size_t>(nDec), '0');
        sEex = enmDispMode == 0 ? "" : "00";
        return;
    }
    const int e = Normalise(a);
    const double m = X / std::pow(10.0, e);
    const int ae = e == 0 ? 1 : std::abs(e);

    int nMode = enmDispMode;
    if (nMode == 0 && (a > 1e9 || a < std::pow(10.0, -nDec) || nDec + ae > 15)) nMode = 1;

    if (nMode == 0) {
        sDisp = FormatFixed(X, nDec);
        sEex.clear();
    } else if (nMode == 1) {
        sDisp = FormatFixed(m, nDec);
        sEex = FormatExponent(e);
    } else {
        double fM = 0;
        int16_t nE = 0;
        GetEngFormat(X, fM, nE);
        sDisp = FormatFixed(fM, nDec);
        sEex = FormatExponent(nE);
    }
}

void frmMain::ShowX() {
    std::string sDisp, sEex;
    ShowXHelper(oStack.GetX(), sDisp, sEex);
    lblDisp = sDisp;
    lblEex = sEex;
    if (sDisp == "Error") {
        bInErr = true;
        oStack.Pop();
        oStack.Push(9.999999999E+99);
    }
    RepaintDisplay();
}

void frmMain::WaitSeconds(double fSeconds, bool bProcessEvents) {
    // The wall clock is read at whole-second resolution.
    const double fTarget = std::floor(oHost_.ClockSeconds()) + fSeconds;
    while (std::floor(oHost_.ClockSeconds()) < fTarget) oHost_.IdleUntil(fTarget, bProcessEvents);
}

void frmMain::Wait(double Delay) { WaitSeconds(Delay, false); }

void frmMain::DoPause() { Wait(3); }

void frmMain::XRefresh() {
    oHost_.Refresh(enmPart::Window);
    RepaintDisplay();
}

void frmMain::BlinkX() {
    std::string sDisp, sEex;
    ShowXHelper(oStack.GetX(), sDisp, sEex);
    const auto p = sDisp.find('.');
    if (p == std::string::npos) throw CCalcError(enmErrKind::Forced);
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

void frmMain::BlinkStack() {
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
            throw CCalcError(enmErrKind::Forced);
        }
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
