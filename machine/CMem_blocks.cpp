// Register blocks named by range codes: clear, fill, copy, move, exchange,
// search, sums and sorts.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CMem.h"
#include "CStatRegs.h"

namespace corvel {

namespace {

using Regs = std::array<double, CMem::kMaxReg + 1>;

[[noreturn]] void ThrowBadCode() { throw CCalcError(enmErrKind::DivByZero, "invalid register range code"); }
[[noreturn]] void ThrowPastEnd() { throw CCalcError(enmErrKind::Range, "register past 999"); }

int ParseDigits(std::string_view s) {
    int n = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), n);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) ThrowBadCode();
    return n;
}

// How many registers of a block of nCount starting at nDst fit below 1000.
int FittingCount(int nDst, int nCount) { return std::clamp(CMem::kMaxReg + 1 - nDst, 0, nCount); }

// Copies (or moves) R(nSrc .. nSrc+nCount-1) to R(nDst ..) as if through a
// temporary block: the destination always receives the old source values,
// also when the blocks overlap. A move then sets to 0 the source registers
// that are not part of the destination. When the destination runs past 999
// only the registers that fit are transferred, then the error is raised.
void TransferBlock(Regs& R, int nSrc, int nDst, int nCount, bool bMove) {
    const int nFit = FittingCount(nDst, nCount);
    std::vector<double> aOld(R.begin() + nSrc, R.begin() + nSrc + nFit);
    for (int k = 0; k < nFit; ++k) R[nDst + k] = aOld[k];
    if (bMove) {
        for (int k = 0; k < nFit; ++k) {
            const int n = nSrc + k;
            if (n < nDst || n >= nDst + nFit) R[n] = 0.0;
        }
    }
    if (nFit < nCount) ThrowPastEnd();
}

// Exchanges the block S = R(nSrc .. nSrc+nCount-1) with D = R(nDst ..).
// Disjoint blocks swap register by register. Overlapping blocks cannot all
// swap pairwise, so the exchange is done as a rotation that loses no value:
// D receives the old values of S in order, and the old values of the part of
// D outside S fill, in ascending order, the part of S outside D (the
// registers that D does not overwrite). For disjoint blocks that is exactly
// the pairwise exchange. When D runs past 999 the registers that fit are
// exchanged this way, then the error is raised.
void ExchangeBlock(Regs& R, int nSrc, int nDst, int nCount) {
    const int nFit = FittingCount(nDst, nCount);
    auto InBlock = [](int n, int nStart, int nLen) { return n >= nStart && n < nStart + nLen; };
    std::vector<double> aOldSrc(R.begin() + nSrc, R.begin() + nSrc + nFit);
    std::vector<double> aDisplaced;
    for (int k = 0; k < nFit; ++k)
        if (!InBlock(nDst + k, nSrc, nFit)) aDisplaced.push_back(R[nDst + k]);
    for (int k = 0; k < nFit; ++k) R[nDst + k] = aOldSrc[k];
    size_t j = 0;
    for (int k = 0; k < nFit; ++k) {
        const int n = nSrc + k;
        if (!InBlock(n, nDst, nFit)) R[n] = aDisplaced[j++];
    }
    if (nFit < nCount) ThrowPastEnd();
}

} // namespace

// The code is written "000.0000" (at least three digits before the point,
// four after, the last rounded; "." always, whatever the locale): the digits
// before the point give one register, the first three after it the other.
void CMem::GetMemRange(double& fCode, int& nFirst, int& nLast) const {
    fCode = std::fabs(fCode);
    // Anything from 1e6 on (and NaN or infinity) cannot name a register below
    // 1000; refusing it here also keeps the text short.
    if (!(fCode < 1e6)) ThrowBadCode();
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, fCode, std::chars_format::fixed, 4);
    if (res.ec != std::errc()) ThrowBadCode();
    const std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
    const size_t nDot = s.find('.');
    if (nDot == std::string_view::npos || s.size() < nDot + 5) ThrowBadCode();
    int a = ParseDigits(s.substr(0, nDot));
    int b = ParseDigits(s.substr(nDot + 1, 3));
    if (a > b) std::swap(a, b);
    if (b > kMaxReg) ThrowBadCode();
    nFirst = a;
    nLast = b;
}

void CMem::ClearRangeMem(double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    for (int i = a; i <= b; ++i) R_[i] = 0.0;
}

void CMem::FillRangeMemWithFixedValue(double fCode, double v) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    NumUtil::Check(v);
    for (int i = a; i <= b; ++i) R_[i] = v;
}

void CMem::FillRangeMemWithRandomValue(double fCode, double a, double b) {
    int nA = 0, nB = 0;
    GetMemRange(fCode, nA, nB);
    const double fWidth = NumUtil::Check(b - a);
    for (int i = nA; i <= nB; ++i)
        R_[i] = NumUtil::Check(NumUtil::Check(Numeric::RandomNumber() * fWidth) + a);
}

// Values are 16-bit integers, each rounded (halves to even) from the previous
// one plus the step. The next value is formed only when a register still
// waits for it, so a fill that ends exactly at the 16-bit limit succeeds.
void CMem::FillRangeMemWithSeqValue(double fCode, double fStart, double fStep) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    double v = NumUtil::ToInt16(fStart);
    for (int i = a; i <= b; ++i) {
        R_[i] = v;
        if (i < b) v = NumUtil::ToInt16(v + fStep);
    }
}

void CMem::CopyRangeMem(double fSrc, double fDst) {
    int a = 0, b = 0, nDst = 0, nDstLast = 0;
    GetMemRange(fSrc, a, b);
    GetMemRange(fDst, nDst, nDstLast);
    TransferBlock(R_, a, nDstLast, b - a + 1, false);
}

void CMem::MoveRangeMem(double fSrc, double fDst) {
    int a = 0, b = 0, nDst = 0, nDstLast = 0;
    GetMemRange(fSrc, a, b);
    GetMemRange(fDst, nDst, nDstLast);
    TransferBlock(R_, a, nDstLast, b - a + 1, true);
}

void CMem::SwapRangeMem(double fSrc, double fDst) {
    int a = 0, b = 0, nDst = 0, nDstLast = 0;
    GetMemRange(fSrc, a, b);
    GetMemRange(fDst, nDst, nDstLast);
    ExchangeBlock(R_, a, nDstLast, b - a + 1);
}

void CMem::SearchMemRangeIntg(double fCode, double& v, double& fIndex) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    v = Numeric::IntPart(v);
    fIndex = -1.0;
    for (int i = a; i <= b; ++i) {
        if (Numeric::IntPart(R_[i]) == v) { fIndex = i; return; }
    }
}

void CMem::SearchMemRangeExact(double fCode, double v, double& fIndex) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    fIndex = -1.0;
    for (int i = a; i <= b; ++i) {
        if (R_[i] == v) { fIndex = i; return; }
    }
}

namespace {
CStatRegs& StatOf(CStatRegs* p) {
    if (!p) throw CCalcError(enmErrKind::Forced, "statistics registers not attached");
    return *p;
}
} // namespace

// Adds (or removes) the points of a block: pairs (R(i), R(i+1)) for i =
// first, first+2, ..., or one point (R(i), R(i)) per register.
double CMem::SumRange(double fCode, bool bPairs, bool bAdd) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    CStatRegs& oStat = StatOf(pStat_);
    for (int i = a; i <= b; i += bPairs ? 2 : 1) {
        const int j = bPairs ? i + 1 : i;
        if (j > kMaxReg) ThrowPastEnd();
        if (bAdd)
            oStat.SumsAdd(R_[i], R_[j]);
        else
            oStat.SumsSub(R_[i], R_[j]);
    }
    return oStat.Sum();
}

double CMem::SumAddMemRange(double fCode) { return SumRange(fCode, true, true); }
double CMem::SumSubMemRange(double fCode) { return SumRange(fCode, true, false); }
double CMem::SumAddXMemRange(double fCode) { return SumRange(fCode, false, true); }
double CMem::SumSubXMemRange(double fCode) { return SumRange(fCode, false, false); }

void CMem::SortRangeMem(double fCode) {
    int a = 0, b = 0;
    GetMemRange(fCode, a, b);
    QuickSort(a, b);
}

// Records of nSize registers, ordered by their register nKey. A record code
// whose key is not smaller than its size names no key register inside the
// record: it is refused like an invalid range code, before anything moves.
void CMem::SortGroup(double fCode, double fRecordCode) {
    int a = 0, b = 0, nKey = 0, nSize = 0;
    GetMemRange(fCode, a, b);
    GetMemRange(fRecordCode, nKey, nSize);
    if (nKey >= nSize) ThrowBadCode();
    const int n = (b - a + 1) / nSize;
    auto Start = [&](int r) { return a + (r - 1) * nSize; };
    for (int r = 1; r <= n - 1; ++r) {
        for (int t = r + 1; t <= n; ++t) {
            if (R_[Start(r) + nKey] > R_[Start(t) + nKey]) {
                for (int k = 0; k < nSize; ++k) std::swap(R_[Start(r) + k], R_[Start(t) + k]);
            }
        }
    }
}

// Iterative quicksort with the middle element as pivot; the larger part is
// stacked and the smaller one sorted first, so the stack stays shallow.
void CMem::QuickSort(int lb, int ub) {
    if (lb >= ub) return;
    if (lb < 0 || ub > kMaxReg) throw CCalcError(enmErrKind::Range, "register past 999");
    constexpr int kStack = 33;
    int aLb[kStack], aUb[kStack];
    int sp = 0;
    aLb[0] = lb;
    aUb[0] = ub;
    while (sp >= 0) {
        lb = aLb[sp];
        ub = aUb[sp];
        while (lb < ub) {
            int m = lb + (ub - lb) / 2;
            std::swap(R_[lb], R_[m]);
            int i = lb + 1, j = ub;
            for (;;) {
                while (i < j && R_[lb] > R_[i]) ++i;
                while (j >= i && R_[j] > R_[lb]) --j;
                if (i >= j) break;
                std::swap(R_[i], R_[j]);
                --j;
                ++i;
            }
            std::swap(R_[lb], R_[j]);
            m = j;
            if (m - lb > ub - m) {
                if (m - 1 > lb) {
                    if (sp >= kStack) throw std::logic_error("sort stack exhausted");
                    aLb[sp] = lb;
                    aUb[sp] = m - 1;
                    ++sp;
                }
                lb = m + 1;
            } else {
                if (m + 1 < ub) {
                    if (sp >= kStack) throw std::logic_error("sort stack exhausted");
                    aLb[sp] = m + 1;
                    aUb[sp] = ub;
                    ++sp;
                }
                ub = m - 1;
            }
        }
        --sp;
    }
}

} // namespace corvel
