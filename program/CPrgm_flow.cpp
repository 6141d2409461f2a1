// Execution of the flow-control instructions: jumps and calls with the
// fifteen-deep return stack, stop and pause, the tests that skip a step, the
// loop counters and the flags.
#include <string>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

int16_t CPrgmOps::LabelOf(CPrgm& p, CStep& s, bool bGsb) {
    if (s.oOp.eKind == enmOpd::Indirect) {
        // GTO takes the integer part of I first; GSB rounds I directly.
        double fI = p.m_.oMem.RclI();
        if (!bGsb) fI = Numeric::IntPart(fI);
        return p.FindNumberLabel(NumUtil::ToInt16(fI));
    }
    // A named target is looked up once per rebuild of the label table.
    if (s.nLabelGen != p.nLabelGen_) {
        s.nLabelStep = p.FindLabel(s.oOp.sText);
        s.nLabelGen = p.nLabelGen_;
    }
    return s.nLabelStep;
}

void CPrgmOps::Gto(CPrgm& p, CStep& s) {
    const int16_t nStep = LabelOf(p, s, false);
    if (nStep == 0) {
        p.m_.bInErr.Raise(enmErrKind::NoLabel);   // the program stops on this step
        return;
    }
    p.JumpTo(nStep);
}

void CPrgmOps::Gsb(CPrgm& p, CStep& s) {
    const int16_t nStep = LabelOf(p, s, true);
    if (nStep == 0) {
        p.m_.bInErr.Raise(enmErrKind::NoLabel);
        return;
    }
    const int16_t nReturn = static_cast<int16_t>(p.PrgmPtr + 1);
    if (p.RetPtr < CPrgm::kRetDepth) {
        p.RetStack[++p.RetPtr] = nReturn;
    } else {
        // Sixteen deep: the oldest return step is lost.
        for (int k = 1; k < CPrgm::kRetDepth; ++k) p.RetStack[k] = p.RetStack[k + 1];
        p.RetStack[CPrgm::kRetDepth] = nReturn;
        p.RetPtr = CPrgm::kRetDepth;
    }
    p.JumpTo(nStep);
}

void CPrgmOps::Rtn(CPrgm& p, CStep&) {
    if (p.RetPtr > 0) {
        const int16_t nReturn = p.RetStack[p.RetPtr];
        --p.RetPtr;
        if (nReturn <= CPrgm::kMaxSteps)
            p.JumpTo(nReturn);
        else
            p.Halted = true;   // called from step 999
    } else {
        p.Halted = true;
    }
}

void CPrgmOps::RunStop(CPrgm& p, CStep&) { p.StopRequested = true; }

void CPrgmOps::Pause(CPrgm& p, CStep&) {
    CPanelFeedback& fb = p.fb_;
    fb.ShowX();
    fb.Host().Refresh(enmPart::Disp);
    // X stays on the display for three seconds, then a click.
    p.ShowFor({{p.m_.lblDisp, 3.0}}, [&fb] {
        fb.Host().PlaySound(enmSound::Click);
        fb.Host().Refresh(enmPart::Disp);
    });
}

template <int N>
void CPrgmOps::Test(CPrgm& p, CStep&) {
    const CStack& st = p.m_.oStack;
    bool b = false;
    if constexpr (N == 0) b = st.Xeq0();
    else if constexpr (N == 1) b = st.Xneq0();
    else if constexpr (N == 2) b = st.Xlt0();
    else if constexpr (N == 3) b = st.Xgt0();
    else if constexpr (N == 4) b = st.XeqY();
    else if constexpr (N == 5) b = st.XneqY();
    else if constexpr (N == 6) b = st.XlteqY();
    else b = st.XgtY();
    if (!b) CPrgm::INC(p.PrgmPtr);
}

template void CPrgmOps::Test<0>(CPrgm&, CStep&);
template void CPrgmOps::Test<1>(CPrgm&, CStep&);
template void CPrgmOps::Test<2>(CPrgm&, CStep&);
template void CPrgmOps::Test<3>(CPrgm&, CStep&);
template void CPrgmOps::Test<4>(CPrgm&, CStep&);
template void CPrgmOps::Test<5>(CPrgm&, CStep&);
template void CPrgmOps::Test<6>(CPrgm&, CStep&);
template void CPrgmOps::Test<7>(CPrgm&, CStep&);

// ---- loop counters: the decoder picks the form by the operand (CounterOf) ----

namespace {

template <bool bUp>
bool CountAndTestZero(double& v) {
    if constexpr (bUp) return Numeric::IncAndTestZero(v);
    else return Numeric::DecAndTestZero(v);
}

} // namespace

template <bool bUp>
void CPrgmOps::CountI(CPrgm& p, CStep&) {
    CMem& oMem = p.m_.oMem;
    double v = oMem.RclI();
    if (CountAndTestZero<bUp>(v)) CPrgm::INC(p.PrgmPtr);
    oMem.StoI(v);
}

void CPrgmOps::IszInd(CPrgm& p, CStep&) {
    CMem& oMem = p.m_.oMem;
    double v = oMem.RclInd();
    if (Numeric::IncAndTestZero(v)) CPrgm::INC(p.PrgmPtr);
    oMem.StoInd(v);
}

void CPrgmOps::DszNamed(CPrgm& p, CStep& s) {
    CMem& oMem = p.m_.oMem;
    double v = oMem.RclA(s.oOp2.sUpper);
    if (Numeric::DecAndTestZero(v)) CPrgm::INC(p.PrgmPtr);
    oMem.StoA(s.oOp2.sUpper, v);
}

void CPrgmOps::DszReg(CPrgm& p, CStep& s) {
    CMem& oMem = p.m_.oMem;
    const int k = IntOf(s.oOp.eKind == enmOpd::Ind ? s.oOp2 : s.oOp);
    // A register that does not exist could not hold the count: report it
    // instead of letting the loop run on for ever.
    if (k < 0 || k > CMem::kMaxReg) throw CCalcError(enmErrKind::Range);
    double v = oMem.Rcl(k);
    if (Numeric::DecAndTestZero(v)) CPrgm::INC(p.PrgmPtr);
    oMem.Sto(k, v);
}

void CPrgmOps::DszByI(CPrgm& p, CStep&) {
    // The register addressed through I, found once: I does not change between.
    CMem& oMem = p.m_.oMem;
    const int k = oMem.IndIndex();
    double v = oMem.Rcl(k);   // no such register: 1e111, whose integer part overflows
    if (Numeric::DecAndTestZero(v)) CPrgm::INC(p.PrgmPtr);
    oMem.Sto(k, v);
}

void CPrgmOps::NoCounter(CPrgm&, CStep&) { throw CCalcError(enmErrKind::Syntax); }
void CPrgmOps::NoEffect(CPrgm&, CStep&) {}

ExecFn CPrgmOps::CounterOf(const CStep& s) {
    if (s.pInstr->pfnExec == &Isz) {
        // ISZ: I itself, or the register I names for any other operand.
        const bool bI = s.oOp.eKind == enmOpd::Empty || s.oOp.eKind == enmOpd::RegI;
        return bI ? &CountI<true> : &IszInd;
    }
    switch (s.oOp.eKind) {
    case enmOpd::Empty:
    case enmOpd::RegI: return &CountI<false>;
    case enmOpd::Indirect: return &DszByI;
    case enmOpd::Number:
    case enmOpd::BadNumber: return &DszReg;
    case enmOpd::Ind:
        // IND and the register named by the third word: a number or a name.
        if (s.oOp2.eKind == enmOpd::Number || s.oOp2.eKind == enmOpd::BadNumber) return &DszReg;
        if (s.oOp2.eKind == enmOpd::Empty) return &NoCounter;
        return &DszNamed;
    default: return &NoEffect;   // any other operand: nothing happens
    }
}

void CPrgmOps::Dsz(CPrgm& p, CStep& s) { CounterOf(s)(p, s); }
void CPrgmOps::Isz(CPrgm& p, CStep& s) { CounterOf(s)(p, s); }

// ---- flags: a flag step without its number is refused when decoded (NoFlag) ----

void CPrgmOps::NoFlag(CPrgm& p, CStep&) { p.m_.bInErr.Raise(enmErrKind::Syntax); }
void CPrgmOps::SetFlag(CPrgm& p, CStep& s) { p.m_.oFlags.SetFlag(IntOf(s.oOp)); }
void CPrgmOps::ClearFlag(CPrgm& p, CStep& s) { p.m_.oFlags.ClearFlag(IntOf(s.oOp)); }

void CPrgmOps::TestFlag(CPrgm& p, CStep& s) {
    if (!p.m_.oFlags.TestFlag(IntOf(s.oOp))) CPrgm::INC(p.PrgmPtr);
}

void CPrgmOps::ClrFlg(CPrgm& p, CStep&) { p.m_.oFlags.Clear(); }

} // namespace corvel
