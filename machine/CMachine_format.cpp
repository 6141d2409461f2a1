// Number formatting for the display: FIX, SCI and ENG with n decimals, the
// automatic switch to SCI, and the out-of-range "Error".
#include <cmath>
#include <cstdio>

#include "../numeric/NumUtil.h"
#include "CMachine.h"

namespace corvel {

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

void CMachine::GetEngFormat(double X, double& Y, int16_t& N) {
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

void CMachine::ShowXHelper(double X, std::string& sDisp, std::string& sEex) const {
    const double a = std::fabs(X);
    const int nDec = DisplayDigits(nDigits);
    if (!(a < NumUtil::kBig)) {   // also infinities and NaN
        sDisp = "Error";
        sEex.clear();
        return;
    }
    if (a <= NumUtil::kTiny) {
        sDisp = "0." + std::string(static_cast<size_t>(nDec), '0');
        sEex = eDispMode == enmDispMode::FIX ? "" : "00";
        return;
    }
    const int e = Normalise(a);
    const double m = X / std::pow(10.0, e);
    const int ae = e == 0 ? 1 : std::abs(e);

    enmDispMode eMode = eDispMode;
    if (eMode == enmDispMode::FIX && (a > 1e9 || a < std::pow(10.0, -nDec) || nDec + ae > 15)) eMode = enmDispMode::SCI;

    if (eMode == enmDispMode::FIX) {
        sDisp = FormatFixed(X, nDec);
        sEex.clear();
    } else if (eMode == enmDispMode::SCI) {
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

void CMachine::FormatX() {
    ShowXHelper(oStack.GetX(), lblDisp, lblEex);
    if (lblDisp == "Error") {
        bInErr.Raise(enmErrKind::Overflow);
        oStack.Pop();
        oStack.Push(9.999999999E+99);
    }
}

} // namespace corvel
