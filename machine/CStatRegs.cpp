#include "CStatRegs.h"

#include <cmath>

#include "../numeric/NumUtil.h"
#include "CMem.h"
#include "StatNoise.h"

namespace corvel {

namespace {

constexpr int kRegSumX = 14;
constexpr int kRegSumX2 = 15;
constexpr int kRegSumY = 16;
constexpr int kRegSumY2 = 17;
constexpr int kRegSumXY = 18;
constexpr int kRegSum = 19;

// Sample variance numerator divided by n - 1, then its square root. A
// clearly negative radicand (sums that no set of points can give) is an
// invalid-argument error; rounding residue around 0 counts as 0.
double SampleDev(double n, double fSum, double fSum2) {
    const double fSq = NumUtil::Check(fSum * fSum);
    double fNum = NumUtil::Check(fSum2 - NumUtil::Div(fSq, n));
    fNum = StatNoise::ZeroIfNoise(fNum, fSum2, n);
    const double fRad = NumUtil::Div(fNum, n - 1.0);
    if (fRad < 0.0) throw CCalcError(enmErrKind::Invalid);
    return NumUtil::Check(std::sqrt(fRad));
}

} // namespace

CStatRegs::CStatRegs(CMem& oMem) : oMem_(oMem) { Clear(); }

double CStatRegs::Sum() const { return oMem_.Rcl(kRegSum); }
double CStatRegs::SumX() const { return oMem_.Rcl(kRegSumX); }
double CStatRegs::SumX2() const { return oMem_.Rcl(kRegSumX2); }
double CStatRegs::SumY() const { return oMem_.Rcl(kRegSumY); }
double CStatRegs::SumY2() const { return oMem_.Rcl(kRegSumY2); }
double CStatRegs::SumXY() const { return oMem_.Rcl(kRegSumXY); }
void CStatRegs::SetSum(double v) { oMem_.Sto(kRegSum, v); }
void CStatRegs::SetSumX(double v) { oMem_.Sto(kRegSumX, v); }
void CStatRegs::SetSumX2(double v) { oMem_.Sto(kRegSumX2, v); }
void CStatRegs::SetSumY(double v) { oMem_.Sto(kRegSumY, v); }
void CStatRegs::SetSumY2(double v) { oMem_.Sto(kRegSumY2, v); }
void CStatRegs::SetSumXY(double v) { oMem_.Sto(kRegSumXY, v); }

void CStatRegs::Clear() {
    for (int n = kRegSumX; n <= kRegSum; ++n) oMem_.Sto(n, 0.0);
    bErr_ = false;
}

// Each step is checked before it is stored: an overflowing step raises and
// leaves its register unchanged, the steps before it keep their new values.
double CStatRegs::SumsAdd(double x, double y) {
    SetSum(NumUtil::Check(Sum() + 1.0));
    SetSumX(NumUtil::Check(SumX() + x));
    SetSumX2(NumUtil::Check(NumUtil::Check(x * x) + SumX2()));
    SetSumY(NumUtil::Check(SumY() + y));
    SetSumY2(NumUtil::Check(NumUtil::Check(y * y) + SumY2()));
    SetSumXY(NumUtil::Check(NumUtil::Check(x * y) + SumXY()));
    return Sum();
}

double CStatRegs::SumsSub(double x, double y) {
    SetSum(NumUtil::Check(Sum() - 1.0));
    SetSumX(NumUtil::Check(SumX() - x));
    SetSumX2(NumUtil::Check(SumX2() - NumUtil::Check(x * x)));
    SetSumY(NumUtil::Check(SumY() - y));
    SetSumY2(NumUtil::Check(SumY2() - NumUtil::Check(y * y)));
    SetSumXY(NumUtil::Check(SumXY() - NumUtil::Check(x * y)));
    return Sum();
}

double CStatRegs::MeanX() {
    const double n = Sum();
    if (n <= 0.0) { bErr_ = true; return NumUtil::kErrVal; }
    return NumUtil::Div(SumX(), n);
}

double CStatRegs::MeanY() {
    const double n = Sum();
    if (n <= 0.0) { bErr_ = true; return NumUtil::kErrVal; }
    return NumUtil::Div(SumY(), n);
}

double CStatRegs::SdevX() {
    const double n = Sum();
    if (n <= 1.0) { bErr_ = true; return NumUtil::kErrVal; }
    return SampleDev(n, SumX(), SumX2());
}

double CStatRegs::SdevY() {
    const double n = Sum();
    if (n <= 1.0) { bErr_ = true; return NumUtil::kErrVal; }
    return SampleDev(n, SumY(), SumY2());
}

void CStatRegs::RclSumPlus(double& a, double& b) const {
    a = SumX();
    b = SumY();
}

void CStatRegs::LinearReg(double& fSlope, double& fIntercept, double& fR2, bool& bOk) {
    const double n = Sum();
    if (n <= 1.0) { bOk = false; return; }
    const double fSx = SumX(), fSx2 = SumX2(), fSy = SumY(), fSxy = SumXY();
    const double fMeanX = NumUtil::Div(fSx, n);
    const double fMeanY = NumUtil::Div(fSy, n);
    const double fDevX = SampleDev(n, fSx, fSx2);
    const double fDevY = SampleDev(n, fSy, SumY2());

    const double fNx2 = NumUtil::Check(n * fSx2);
    const double fDen = StatNoise::ZeroIfNoise(NumUtil::Check(fNx2 - NumUtil::Check(fSx * fSx)), fNx2, n);
    const double fNum = NumUtil::Check(NumUtil::Check(n * fSxy) - NumUtil::Check(fSx * fSy));
    fSlope = NumUtil::Div(fNum, fDen);
    fIntercept = NumUtil::Check(fMeanY - NumUtil::Check(fSlope * fMeanX));
    const double fR = NumUtil::Div(NumUtil::Check(fSxy - NumUtil::Check(fSy * fMeanX)),
                                   NumUtil::Check((n - 1.0) * fDevX * fDevY));
    fR2 = NumUtil::Check(fR * fR);
    bOk = true;
}

} // namespace corvel
