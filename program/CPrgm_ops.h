#pragma once
// The functions that execute the instructions (internal to program/). Each
// has the signature of CInstr::pfnExec; the instruction table in
// CPrgm_decode.cpp maps every mnemonic to one of them.
#include "../numeric/CCalcError.h"
#include "../numeric/NumUtil.h"
#include "../numeric/Numeric.h"
#include "CPrgm.h"
#include "CPrgmStep.h"

namespace corvel {

struct CPrgmOps {

    // ---- shared helpers ----
    // The range test applied to a result (one rule for keys and steps).
    static double Ranged(double r) { return Numeric::Ranged(r); }
    // The operand as a 16-bit integer (nearest, halves to even): a number
    // that does not fit is an overflow, any other text is not a number.
    static int16_t IntOf(const COperand& o);
    // The register a resolved reference names now.
    static int RegAt(const CPrgm& p, const CRegRef& r) {
        if (r.eAt == enmRegAt::Fixed) return r.nReg;
        return RegAtRun(p, r);
    }
    static int RegAtRun(const CPrgm& p, const CRegRef& r);

    // ---- number entry ----
    static void Digit(CPrgm& p, CStep& s);
    static void Point(CPrgm& p, CStep& s);
    static void Eex(CPrgm& p, CStep& s);
    static void Chs(CPrgm& p, CStep& s);
    static void Enter(CPrgm& p, CStep& s);

    // ---- arithmetic and functions ----
    static void Binary(CPrgm& p, CStep& s);     // rule R with pfnBinary(Y, X)
    static void Unary(CPrgm& p, CStep& s);      // rule R with pfnUnary(X)
    static void Percent(CPrgm& p, CStep& s);
    static void IntFracRnd(CPrgm& p, CStep& s); // nArg 0 INT, 1 FRAC, 2 RND
    static void AngleMode(CPrgm& p, CStep& s);  // nArg 0 DEG, 1 RAD, 2 GRD
    static void ToRect(CPrgm& p, CStep& s);     // R<-P
    static void ToPolar(CPrgm& p, CStep& s);    // R->P

    // ---- stack ----
    static void Swap(CPrgm& p, CStep& s);
    static void RollUp(CPrgm& p, CStep& s);
    static void RollDn(CPrgm& p, CStep& s);
    static void ClStk(CPrgm& p, CStep& s);
    static void Lst(CPrgm& p, CStep& s);
    static void PushPi(CPrgm& p, CStep& s);

    // ---- registers ----
    static void Sto(CPrgm& p, CStep& s);
    static void Rcl(CPrgm& p, CStep& s);
    static void StoArith(CPrgm& p, CStep& s);   // nArg 0 +, 1 -, 2 *, 3 /
    // The same for a register fixed when the step was decoded.
    static void StoFixed(CPrgm& p, CStep& s);
    static void RclFixed(CPrgm& p, CStep& s);
    static void RclSum(CPrgm& p, CStep& s);     // RCL SUM
    static void RclByI(CPrgm& p, CStep& s);     // RCL (i)
    static void RclInd(CPrgm& p, CStep& s);     // RCL IND n
    // The loop counters, one form per operand kind; CounterOf picks it.
    static void DszByI(CPrgm& p, CStep& s);     // DSZ (i)
    template <bool bUp> static void CountI(CPrgm& p, CStep& s);   // DSZ, ISZ, "I"
    static void IszInd(CPrgm& p, CStep& s);     // ISZ with any other operand
    static void DszNamed(CPrgm& p, CStep& s);   // DSZ IND name
    static void DszReg(CPrgm& p, CStep& s);     // DSZ n, DSZ IND n
    static void NoCounter(CPrgm& p, CStep& s);  // DSZ IND with no third word
    static void NoEffect(CPrgm& p, CStep& s);    // an operand that makes the step do nothing
    static ExecFn CounterOf(const CStep& s);
    // A flag instruction with no flag named.
    static void NoFlag(CPrgm& p, CStep& s);
    template <int N> static void StoArithFixed(CPrgm& p, CStep& s);
    template <int N> static void RclArithFixed(CPrgm& p, CStep& s);
    // Y + X, Y - X, Y * X, Y / X with rule R.
    template <int N> static void Arith(CPrgm& p, CStep& s);
    // What a step runs until it is decoded: decodes the step at the pointer,
    // then runs it.
    static void DecodeFirst(CPrgm& p, CStep& s);
    // Picks the faster form of a decoded step where its operands allow one.
    static void Specialize(CStep& s);
    static void RclArith(CPrgm& p, CStep& s);   // nArg 0 +, 1 -, 2 *, 3 /
    static void St(CPrgm& p, CStep& s);
    static void Rc(CPrgm& p, CStep& s);
    static void XexI(CPrgm& p, CStep& s);
    static void PexS(CPrgm& p, CStep& s);
    static void ClReg(CPrgm& p, CStep& s);

    // ---- display and sound ----
    static void DispMode(CPrgm& p, CStep& s);   // nArg 0 FIX, 1 SCI, 2 ENG
    static void Dsp(CPrgm& p, CStep& s);
    static void DspByI(CPrgm& p, CStep& s);     // DSP (i)
    static void DspN(CPrgm& p, CStep& s);       // DSP n
    static ExecFn DigitsOf(const CStep& s);
    static void Reg(CPrgm& p, CStep& s);
    static void Stk(CPrgm& p, CStep& s);
    static void ShowXBlink(CPrgm& p, CStep& s);
    static void Beep(CPrgm& p, CStep& s);

    // ---- statistics ----
    static void SumPlusMinus(CPrgm& p, CStep& s);  // nArg 0 SUM+, 1 SUM-
    static void MeanSdev(CPrgm& p, CStep& s);      // nArg 0 MEAN, 1 SDEV

    // ---- flow control ----
    static void Gto(CPrgm& p, CStep& s);
    static void Gsb(CPrgm& p, CStep& s);
    static void Rtn(CPrgm& p, CStep& s);
    static void RunStop(CPrgm& p, CStep& s);
    static void Pause(CPrgm& p, CStep& s);
    template <int N> static void Test(CPrgm& p, CStep& s);   // N: which comparison
    static void Dsz(CPrgm& p, CStep& s);
    static void Isz(CPrgm& p, CStep& s);
    static void SetFlag(CPrgm& p, CStep& s);
    static void ClearFlag(CPrgm& p, CStep& s);
    static void TestFlag(CPrgm& p, CStep& s);
    static void ClrFlg(CPrgm& p, CStep& s);

    // The label step of a GTO/GSB target, 0 when there is none.
    static int16_t LabelOf(CPrgm& p, CStep& s, bool bGsb);

    // ---- extended instructions (CPrgm_ext.cpp) ----
    // Workers for rule R: f(X); f(n, X) with n the integer part of Y as a
    // 16-bit integer (a Y that does not fit is an overflow).
    template <double (*F)(double)>
    static double Ext1(const CPrgm&, double x) { return F(x); }
    template <double (*F)(double, double)>
    static double Ext2(double y, double x) { return F(y, x); }
    template <double (*F)(int16_t, double)>
    static double ExtN(double y, double x) { return F(NumUtil::IntPartToInt16(y), x); }
    static double YHat(const CPrgm& p, double x);   // B * X + A
    static double XHat(const CPrgm& p, double x);   // (X - A) / B
    static void RanNum(CPrgm& p, CStep& s);
    static void Lr(CPrgm& p, CStep& s);
    static void Lr2(CPrgm& p, CStep& s);
    // Register blocks whose operands leave the stack after the call (X to
    // LAST X); nArg says which.
    enum : int { kClrRegX, kClrSum, kFillC, kFillR, kFillV, kCopyReg, kMoveReg, kSwapReg, kSort, kRegX };
    static void Block(CPrgm& p, CStep& s);
    static void SortRec(CPrgm& p, CStep& s);
    static void Search(CPrgm& p, CStep& s);      // nArg 0 SRCHI, 1 SRCHE
    static void SumRange(CPrgm& p, CStep& s);    // nArg 0 SUM+X, 1 SUM-X, 2 SUMX+X, 3 SUMX-X
    static void LineFit(CPrgm& p, CStep& s);     // nArg 0 LRLIN, 1 LRPOW, 2 LRLOG, 3 LREXP
    static void PlaneFit(CPrgm& p, CStep& s);    // nArg 0 MLR, 1 MLRPOW, 2 QUADREG
    // Data files; nArg says which: W/DATA, W/DATAX, R/DATAX, W/DATA$, R/DATA$, WRIT2SF, READFSF.
    enum : int { kWData, kWDataX, kRDataX, kWDataS, kRDataS, kWrit2SF, kReadFSF };
    static void DataFile(CPrgm& p, CStep& s);
    static void Merge(CPrgm& p, CStep& s);
};

} // namespace corvel
