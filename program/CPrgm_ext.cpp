// Execution of the extended instructions: random numbers and the
// straight-line fit on the statistics registers. (Their one- and two-number
// functions are table rows with the Ext workers of CPrgm_ops.h.)
#include <string>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

namespace {

// x = Pop, LAST X = x, then nMore further pops; returns x.
double PopToLastX(CMachine& m, int nMore = 0) {
    const double x = m.oStack.Pop();
    m.fLastX = x;
    for (int k = 0; k < nMore; ++k) m.oStack.Pop();
    return x;
}

} // namespace

// ---------------------------------------------------------------- random numbers and the Σ+ line

double CPrgmOps::YHat(const CPrgm& p, double x) {
    const CMem& oMem = p.m_.oMem;
    return oMem.RclA("B") * x + oMem.RclA("A");
}

double CPrgmOps::XHat(const CPrgm& p, double x) {
    const CMem& oMem = p.m_.oMem;
    return NumUtil::Div(x - oMem.RclA("A"), oMem.RclA("B"));
}

void CPrgmOps::RanNum(CPrgm& p, CStep&) { p.m_.oStack.Push(Numeric::RandomNumber()); }

namespace {

// The line through the Σ+ data, each result range-tested; zeros when there
// are too few points (the ok flag is not looked at).
void SigmaLine(CMachine& m, double& fSlope, double& fIntercept, double& fR2) {
    fSlope = fIntercept = fR2 = 0.0;
    bool bOk = false;
    m.oStat.LinearReg(fSlope, fIntercept, fR2, bOk);
    fSlope = CPrgmOps::Ranged(fSlope);
    fIntercept = CPrgmOps::Ranged(fIntercept);
    fR2 = CPrgmOps::Ranged(fR2);
}

} // namespace

void CPrgmOps::Lr(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    double fSlope = 0.0, fIntercept = 0.0, fR2 = 0.0;
    SigmaLine(m, fSlope, fIntercept, fR2);
    PopToLastX(m);
    m.oStack.Drop2AndPushXAndY(fSlope, fR2);
    m.oStack.Push(fIntercept);
}

void CPrgmOps::Lr2(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    double fSlope = 0.0, fIntercept = 0.0, fR2 = 0.0;
    SigmaLine(m, fSlope, fIntercept, fR2);
    m.oMem.StoA("A", fIntercept);
    m.oMem.StoA("B", fSlope);
}

} // namespace corvel
