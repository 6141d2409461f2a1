#include "CMachine.h"

#include <cmath>
#include <string_view>

#include "../numeric/NumUtil.h"

namespace corvel {

CMachine::CMachine() : oStack(&bInErr), oStat(oMem) {
    oMem.Attach(&oStack, &oStat, &oFlags);
    Clear();
}

void CMachine::Clear() {
    bInErr = false;
    eDispMode = enmDispMode::FIX;
    nDigits = 2;
    oStack.Clear();
    oMem.Clear();
    oStat.Clear();
    oFlags.Clear();
    Pi = 4.0 * std::atan(1.0);
    fAngleFactor = Pi / 180.0;
}

namespace {

// Powers of ten that are exact doubles.
constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common entries (a sign, at most 15 significant digits, one point, an
// exponent field of a sign character and up to three digits) read without
// building any text: the digits make an exact integer, and one multiplication
// or division by an exact power of ten rounds correctly, exactly as reading
// the whole decimal text would. False when the entry is not of that form.
bool FastValue(std::string_view m, std::string_view e, double& fOut) {
    size_t i = 0;
    bool bNeg = false;
    if (i < m.size() && m[i] == '-') {
        bNeg = true;
        ++i;
    }
    uint64_t nDigits = 0;
    int nSig = 0, nFrac = 0, nAll = 0;
    bool bPoint = false;
    for (; i < m.size(); ++i) {
        const char c = m[i];
        if (c >= '0' && c <= '9') {
            ++nAll;
            if (bPoint) ++nFrac;
            if (nSig > 0 || c != '0') {
                if (++nSig > 15) return false;
                nDigits = nDigits * 10 + static_cast<uint64_t>(c - '0');
            }
        } else if (c == '.' && !bPoint) {
            bPoint = true;
        } else {
            return false;
        }
    }
    if (nAll == 0) return false;
    int nExp = 0;
    if (!e.empty()) {
        size_t j = 0;
        bool bExpNeg = false;
        if (e[0] == ' ' || e[0] == '+' || e[0] == '-') {
            bExpNeg = e[0] == '-';
            j = 1;
        }
        if (j == e.size() || e.size() - j > 3) return false;
        for (; j < e.size(); ++j) {
            if (e[j] < '0' || e[j] > '9') return false;
            nExp = nExp * 10 + (e[j] - '0');
        }
        if (bExpNeg) nExp = -nExp;
    }
    const int p = nExp - nFrac;
    if (p < -22 || p > 22) return false;
    double v = static_cast<double>(nDigits);
    v = p >= 0 ? v * kExactPow10[p] : v / kExactPow10[-p];
    fOut = bNeg ? -v : v;
    return true;
}

} // namespace

double CMachine::GetValText() const {
    double v = 0.0;
    if (FastValue(lblDisp, lblEex, v)) return v;
    // Anything else is read as one decimal text, mantissa "e" exponent.
    double fPart = 0;
    if (!NumUtil::ParseWhole(lblDisp, fPart)) throw CCalcError(enmErrKind::Syntax);
    std::string_view sExp = lblEex;
    while (!sExp.empty() && sExp.front() == ' ') sExp.remove_prefix(1);
    if (sExp.empty()) sExp = "0";
    if (!NumUtil::ParseWhole(sExp, fPart)) throw CCalcError(enmErrKind::Syntax);
    if (sExp.front() == '+') sExp.remove_prefix(1);
    std::string sAll(NumUtil::TrimBlanks(lblDisp));
    sAll += 'e';
    sAll += sExp;
    // Too large to be a finite double: an overflow, as the arithmetic would give.
    if (!NumUtil::ParseWhole(sAll, v)) throw CCalcError(enmErrKind::Overflow);
    return v;
}

} // namespace corvel
