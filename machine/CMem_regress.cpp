// Curve fits over points held in a block of registers: straight lines (and
// their power, logarithmic and exponential forms) through the statistics
// registers, and planes and parabolas through private sums.
#include <cmath>

#include "../numeric/NumUtil.h"
#include "CMem.h"
#include "CStatRegs.h"
#include "StatNoise.h"

namespace corvel {

namespace {

using NumUtil::Check;

// Last register at which a point of nSize registers may start, so that no
// point reaches past register 999.
int LastPointStart(int nLast, int nSize) {
    if (nLast + nSize - 1 > CMem::kMaxReg) return nLast - (nSize - 1);
    return nLast;
}

enum class enmLine { Linear, Power, Log, Exp };

// Transforms a point for one of the straight-line fits; false when the
// point does not qualify (a logarithm of a value that is not positive).
bool TransformLine(enmLine enmFit, double x, double y, double& fX, double& fY) {
    switch (enmFit) {
    case enmLine::Linear: fX = x; fY = y; return true;
    case enmLine::Power:
        if (!(x > 0.0 && y > 0.0)) return false;
        fX = std::log(x); fY = std::log(y); return true;
    case enmLine::Log:
        if (!(x > 0.0)) return false;
        fX = std::log(x); fY = y; return true;
    case enmLine::Exp:
        if (!(y > 0.0)) return false;
        fX = x; fY = std::log(y); return true;
    }
    return false;
}

// Sums of a fit in two independent variables.
struct SPlaneSums {
    double n = 0, fX1 = 0, fX1Sq = 0, fX2 = 0, fX2Sq = 0, fY = 0, fYSq = 0, fX1X2 = 0, fX1Y = 0, fX2Y = 0;

    void Add(double x1, double x2, double y) {
        n += 1.0;
        fX1 = Check(fX1 + x1);
        fX1Sq = Check(fX1Sq + Check(x1 * x1));
        fX2 = Check(fX2 + x2);
        fX2Sq = Check(fX2Sq + Check(x2 * x2));
        fY = Check(fY + y);
        fYSq = Check(fYSq + Check(y * y));
        fX1X2 = Check(fX1X2 + Check(x1 * x2));
        fX1Y = Check(fX1Y + Check(x1 * y));
        fX2Y = Check(fX2Y + Check(x2 * y));
    }
};

// n * Sab - Sa * Sb, with rounding residue taken as 0.
double Centred(double n, double fSab, double fSa, double fSb) {
    const double fP = Check(n * fSab);
    const double fQ = Check(fSa * fSb);
    return StatNoise::ZeroIfNoise(Check(fP - fQ), std::fmax(std::fabs(fP), std::fabs(fQ)), n);
}

} // namespace

namespace {
// Shared by the four straight-line fits.
template <class TRegs>
void FitLine(CMem& oMem, CStatRegs* pStat, const TRegs& R, double fCode, enmLine enmFit,
             double& fSlope, double& fIntercept, double& fR2, bool& bOk) {
    int a = 0, b = 0;
    oMem.GetMemRange(fCode, a, b);
    if (!pStat) throw CCalcError(enmErrKind::Forced, "statistics registers not attached");
    const int nLastStart = LastPointStart(b, 2);
    pStat->Clear();
    for (int i = a; i <= nLastStart; i += 2) {
        double fX = 0, fY = 0;
        if (TransformLine(enmFit, R[i], R[i + 1], fX, fY)) pStat->SumsAdd(fX, fY);
    }
    pStat->LinearReg(fSlope, fIntercept, fR2, bOk);
}
} // namespace

void CMem::LR_Linear(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk) {
    FitLine(*this, pStat_, R_, fCode, enmLine::Linear, fSlope, fIntercept, fR2, bOk);
}

void CMem::LR_Power(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk) {
    FitLine(*this, pStat_, R_, fCode, enmLine::Power, fSlope, fIntercept, fR2, bOk);
}

void CMem::LR_Log(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk) {
    FitLine(*this, pStat_, R_, fCode, enmLine::Log, fSlope, fIntercept, fR2, bOk);
}

void CMem::LR_Exp(double fCode, double& fSlope, double& fIntercept, double& fR2, bool& bOk) {
    FitLine(*this, pStat_, R_, fCode, enmLine::Exp, fSlope, fIntercept, fR2, bOk);
}

namespace {

enum class enmPlane { Linear, Power, Quadratic };

// Fits Y = a0 + a1*X1 + a2*X2 by least squares. The outputs are written as
// they are computed; registers 10..19 receive the sums only when the whole
// computation has succeeded.
template <class TRegs>
void FitPlane(CMem& oMem, TRegs& R, double fCode, enmPlane enmFit,
              double& a1, double& a2, double& a0, double& fR2, bool& bOk) {
    int a = 0, b = 0;
    oMem.GetMemRange(fCode, a, b);
    const int nSize = enmFit == enmPlane::Quadratic ? 2 : 3;
    const int nLastStart = LastPointStart(b, nSize);
    SPlaneSums s;
    for (int i = a; i <= nLastStart; i += nSize) {
        switch (enmFit) {
        case enmPlane::Linear: s.Add(R[i], R[i + 1], R[i + 2]); break;
        case enmPlane::Power:
            if (R[i] > 0.0 && R[i + 1] > 0.0 && R[i + 2] > 0.0)
                s.Add(std::log(R[i]), std::log(R[i + 1]), std::log(R[i + 2]));
            break;
        case enmPlane::Quadratic: s.Add(R[i], Check(R[i] * R[i]), R[i + 1]); break;
        }
    }
    if (s.n < 3.0) { bOk = false; return; }
    const double n = s.n;
    const double S11 = Centred(n, s.fX1Sq, s.fX1, s.fX1);
    const double S22 = Centred(n, s.fX2Sq, s.fX2, s.fX2);
    const double S12 = Centred(n, s.fX1X2, s.fX1, s.fX2);
    const double S1Y = Centred(n, s.fX1Y, s.fY, s.fX1);
    const double S2Y = Centred(n, s.fX2Y, s.fY, s.fX2);

    const double fP = Check(S22 * S11), fQ = Check(S12 * S12);
    const double fDet = StatNoise::ZeroIfNoise(Check(fP - fQ), std::fmax(fP, fQ), n);
    a2 = NumUtil::Div(Check(Check(S11 * S2Y) - Check(S12 * S1Y)), fDet);
    a1 = NumUtil::Div(Check(S1Y - Check(a2 * S12)), S11);
    a0 = NumUtil::Div(Check(Check(s.fY - Check(a1 * s.fX1)) - Check(a2 * s.fX2)), n);
    const double fYY = Check(Check(s.fY * s.fY) / n);
    const double fRDen = StatNoise::ZeroIfNoise(Check(s.fYSq - fYY), s.fYSq, n);
    // Summed left to right, as the formula is written, so r² is the same to the last bit.
    const double fRNum = Check(Check(Check(Check(s.fX1Y * a1) + Check(a0 * s.fY)) + Check(s.fX2Y * a2)) - fYY);
    fR2 = NumUtil::Div(fRNum, fRDen);
    bOk = true;
    const double aSums[10] = {s.fX2Y, s.fX1Y, s.fY, s.fYSq, s.fX1, s.fX1Sq, s.fX2, s.fX2Sq, s.fX1X2, s.n};
    for (int k = 0; k < 10; ++k) R[10 + k] = aSums[k];
}

} // namespace

void CMem::MultLinearRegression(double fCode, double& a1, double& a2, double& a0, double& fR2, bool& bOk) {
    FitPlane(*this, R_, fCode, enmPlane::Linear, a1, a2, a0, fR2, bOk);
}

void CMem::MLR_Power(double fCode, double& a1, double& a2, double& a0, double& fR2, bool& bOk) {
    FitPlane(*this, R_, fCode, enmPlane::Power, a1, a2, a0, fR2, bOk);
}

void CMem::QuadraticFit(double fCode, double& a1, double& a2, double& a0, double& fR2, bool& bOk) {
    FitPlane(*this, R_, fCode, enmPlane::Quadratic, a1, a2, a0, fR2, bOk);
}

} // namespace corvel
