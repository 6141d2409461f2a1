// Execution of the classic instructions: number entry by program steps,
// arithmetic and functions, stack, registers, display, sound and statistics.
#include <cmath>
#include <string>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

// ---------------------------------------------------------------- helpers

int16_t CPrgmOps::IntOf(const COperand& o) {
    switch (o.eKind) {
    case enmOpd::Number:
        if (o.bIntOk) return o.nInt;
        throw CCalcError(enmErrKind::Overflow);
    case enmOpd::BadNumber:
        throw CCalcError(enmErrKind::Overflow);
    default:
        throw CCalcError(enmErrKind::Syntax);
    }
}

int CPrgmOps::RegAtRun(const CPrgm& p, const CRegRef& r) {
    const CMem& oMem = p.m_.oMem;
    switch (r.eAt) {
    case enmRegAt::Fixed: return r.nReg;
    case enmRegAt::NearestI: return NumUtil::ToInt16(oMem.RclI());
    case enmRegAt::IntPartI: return NumUtil::IntPartToInt16(oMem.RclI());
    case enmRegAt::IndNear: return NumUtil::ToInt16(oMem.Rcl(r.nReg));
    case enmRegAt::IndInt: return NumUtil::IntPartToInt16(oMem.Rcl(r.nReg));
    case enmRegAt::Bad: break;
    }
    throw CCalcError(r.eErr);
}

void CPrgm::PushEntry() {
    // The entry ends even when its text cannot be read, so that a failing
    // number is reported once and not again at every following step.
    EntryActive = ExpEntryActive = false;
    m_.oStack.Push(m_.GetVal());
}

// ---------------------------------------------------------------- number entry

void CPrgmOps::Digit(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const char d = static_cast<char>('0' + s.pInstr->nArg);
    if (!p.EntryActive && !p.ExpEntryActive) {
        m.lblDisp.resize(1);
        m.lblDisp[0] = d;
        m.lblEex.clear();
        p.EntryActive = true;
        p.ExpEntryActive = false;
    } else if (p.EntryActive && !p.ExpEntryActive) {
        m.lblDisp += d;
    } else {
        // The exponent keeps two digits: the older one falls out.
        const std::string& e = m.lblEex;
        const char cSign = e.size() > 0 ? e[0] : ' ';
        const char cLast = e.size() > 2 ? e[2] : '0';
        m.lblEex = std::string{cSign, cLast, d};
    }
}

void CPrgmOps::Point(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    if (p.ExpEntryActive) {
        m.oStack.Push(m.GetVal());
        m.lblDisp = "0.";
        m.lblEex.clear();
        p.ExpEntryActive = false;
        p.EntryActive = true;
    } else if (p.EntryActive) {
        if (m.lblDisp.find('.') == std::string::npos) {
            m.lblDisp += '.';
        } else {
            // A second point ends the number keyed so far and begins a new one.
            m.oStack.Push(m.GetVal());
            m.lblDisp = "0.";
            m.lblEex.clear();
        }
    } else {
        m.lblDisp = "0.";
        m.lblEex.clear();
        p.EntryActive = true;
    }
}

void CPrgmOps::Eex(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    if (p.ExpEntryActive) {
        m.oStack.Push(m.GetVal());
        m.lblDisp = "1.";
        m.lblEex = " 00";
        return;
    }
    if (!p.EntryActive) m.lblDisp = "1.";
    m.lblEex = " 00";
    p.EntryActive = false;
    p.ExpEntryActive = true;
}

void CPrgmOps::Chs(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    if (p.EntryActive) {
        if (!m.lblDisp.empty() && m.lblDisp[0] == '-')
            m.lblDisp.erase(0, 1);
        else
            m.lblDisp.insert(0, 1, '-');
    } else if (p.ExpEntryActive) {
        const std::string sRest = m.lblEex.empty() ? std::string() : m.lblEex.substr(1);
        m.lblEex = (!m.lblEex.empty() && m.lblEex[0] == '-' ? " " : "-") + sRest;
    } else {
        const double x = m.oStack.Pop();
        m.fLastX = x;
        m.oStack.Push(-x);
    }
}

void CPrgmOps::Enter(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    if (p.EntryActive || p.ExpEntryActive) {
        p.EntryActive = p.ExpEntryActive = false;
        m.oStack.Push(m.GetVal());
    } else {
        m.oStack.Push(m.oStack.GetX());
    }
}

// ---------------------------------------------------------------- arithmetic and functions

void CPrgmOps::Binary(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    const double r = Ranged(s.pInstr->pfnBinary(m.oStack.GetY(), x));
    m.fLastX = x;
    m.oStack.Drop2AndPushX(r);
}

void CPrgmOps::Unary(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    const double r = Ranged(s.pInstr->pfnUnary(p, x));
    m.fLastX = x;
    m.oStack.Drop1AndPushX(r);
}

void CPrgmOps::Percent(CPrgm& p, CStep&) {
    // X = Y * X / 100 with Y kept. The result is checked before the stack
    // moves, so a result that cannot be pushed does not lose X.
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    const double r = NumUtil::Check(m.oStack.GetY() * x / 100.0);
    if (!(std::fabs(r) < NumUtil::kBig)) throw CCalcError(enmErrKind::Overflow);
    m.oStack.Pop();
    m.fLastX = x;
    m.oStack.Push(r);
}

void CPrgmOps::IntFracRnd(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    double r = 0.0;
    switch (s.pInstr->nArg) {
    case 0: r = Numeric::IntPart(x); break;
    case 1: r = Numeric::FracPart(x); break;
    default: r = Numeric::RoundTo(x, m.nDigits); break;
    }
    NumUtil::Check(r);
    m.oStack.Pop();
    m.fLastX = x;
    m.oStack.Push(r);
}

void CPrgmOps::AngleMode(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    switch (s.pInstr->nArg) {
    case 0: m.fAngleFactor = m.Pi / 180.0; break;
    case 1: m.fAngleFactor = 1.0; break;
    default: m.fAngleFactor = m.Pi / 200.0; break;
    }
}

void CPrgmOps::ToRect(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    const double fTheta = NumUtil::Check(m.fAngleFactor * m.oStack.GetY());
    double fX = 0.0, fY = 0.0;
    Numeric::PolarToRect(fTheta, x, fX, fY);
    fX = Ranged(fX);
    fY = Ranged(fY);
    m.fLastX = x;
    m.oStack.Drop2AndPushXAndY(fX, fY);
}

void CPrgmOps::ToPolar(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    if (x == 0.0) throw CCalcError(enmErrKind::DivByZero);
    double fTheta = 0.0, fR = 0.0;
    Numeric::RectToPolar(x, m.oStack.GetY(), fTheta, fR);
    fTheta = Ranged(NumUtil::Div(Ranged(fTheta), m.fAngleFactor));
    fR = Ranged(fR);
    m.fLastX = x;
    m.oStack.Drop2AndPushXAndY(fTheta, fR);
}

// ---------------------------------------------------------------- stack

void CPrgmOps::Swap(CPrgm& p, CStep&) { p.m_.oStack.Swap(); }
void CPrgmOps::RollUp(CPrgm& p, CStep&) { p.m_.oStack.RollUp(); }
void CPrgmOps::RollDn(CPrgm& p, CStep&) { p.m_.oStack.RollDn(); }
void CPrgmOps::ClStk(CPrgm& p, CStep&) { p.m_.oStack.Clear(); }
void CPrgmOps::Lst(CPrgm& p, CStep&) { p.m_.oStack.Push(p.m_.fLastX); }
void CPrgmOps::PushPi(CPrgm& p, CStep&) { p.m_.oStack.Push(p.m_.Pi); }

// ---------------------------------------------------------------- registers

void CPrgmOps::Sto(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    m.oMem.Sto(RegAt(p, s.oSto), m.oStack.GetX());
}

void CPrgmOps::Rcl(CPrgm& p, CStep& s) {
    // A register that does not exist recalls 1e111: the push refuses it.
    p.m_.oStack.Push(p.m_.oMem.Rcl(RegAt(p, s.oRcl)));
}

void CPrgmOps::RclSum(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    double fSumX = 0.0, fSumY = 0.0;
    m.oStat.RclSumPlus(fSumX, fSumY);
    if (!std::isfinite(fSumX) || !std::isfinite(fSumY)) throw CCalcError(enmErrKind::Overflow);
    m.oStack.Push(fSumY);
    m.oStack.Push(fSumX);
}

using NumUtil::Combine;

void CPrgmOps::StoArith(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const int k = RegAt(p, s.oArith);
    const double r = Ranged(Combine(s.pInstr->nArg, m.oMem.Rcl(k), m.oStack.GetX()));
    // A name that is no register reads I and stores nothing.
    m.oMem.Sto(s.oSto.eAt == enmRegAt::Fixed ? s.oSto.nReg : k, r);
}

template <int N>
void CPrgmOps::Arith(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    const double r = Ranged(Combine(N, m.oStack.GetY(), x));
    m.fLastX = x;
    m.oStack.Drop2AndPushX(r);
}

void CPrgmOps::StoFixed(CPrgm& p, CStep& s) { p.m_.oMem.Sto(s.oSto.nReg, p.m_.oStack.GetX()); }

void CPrgmOps::RclFixed(CPrgm& p, CStep& s) { p.m_.oStack.Push(p.m_.oMem.Rcl(s.oRcl.nReg)); }

void CPrgmOps::RclByI(CPrgm& p, CStep&) {
    CMem& oMem = p.m_.oMem;
    p.m_.oStack.Push(oMem.Rcl(NumUtil::IntPartToInt16(oMem.RclI())));
}

void CPrgmOps::RclInd(CPrgm& p, CStep& s) {
    CMem& oMem = p.m_.oMem;
    p.m_.oStack.Push(oMem.Rcl(NumUtil::IntPartToInt16(oMem.Rcl(s.oRcl.nReg))));
}

template <int N>
void CPrgmOps::StoArithFixed(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double r = Ranged(Combine(N, m.oMem.Rcl(s.oArith.nReg), m.oStack.GetX()));
    m.oMem.Sto(s.oSto.nReg, r);
}

template <int N>
void CPrgmOps::RclArithFixed(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    m.oStack.Drop1AndPushX(Ranged(Combine(N, m.oStack.GetX(), m.oMem.Rcl(s.oArith.nReg))));
}

void CPrgmOps::Specialize(CStep& s) {
    const ExecFn pfn = s.pfn;
    const bool bSto = s.oSto.eAt == enmRegAt::Fixed;
    const bool bArith = bSto && s.oArith.eAt == enmRegAt::Fixed;
    if (pfn == &Sto && bSto) {
        s.pfn = &StoFixed;
    } else if (pfn == &Rcl && s.oOp.eKind == enmOpd::Sum) {
        s.pfn = &RclSum;
    } else if (pfn == &Rcl) {
        switch (s.oRcl.eAt) {
        case enmRegAt::Fixed: s.pfn = &RclFixed; break;
        case enmRegAt::IntPartI: s.pfn = &RclByI; break;
        case enmRegAt::IndInt: s.pfn = &RclInd; break;
        default: break;
        }
    } else if (pfn == &Dsp) {
        s.pfn = DigitsOf(s);
    } else if (pfn == &Dsz || pfn == &Isz) {
        s.pfn = CounterOf(s);
    } else if (s.pInstr != nullptr && s.pInstr->eArg == enmArg::Flag && s.oOp.eKind == enmOpd::Empty) {
        s.pfn = &NoFlag;
    } else if (pfn == &StoArith && bArith) {
        static const ExecFn kSto[] = {&StoArithFixed<0>, &StoArithFixed<1>, &StoArithFixed<2>, &StoArithFixed<3>};
        s.pfn = kSto[s.pInstr->nArg];
    } else if (pfn == &RclArith && s.oArith.eAt == enmRegAt::Fixed) {
        static const ExecFn kRcl[] = {&RclArithFixed<0>, &RclArithFixed<1>, &RclArithFixed<2>, &RclArithFixed<3>};
        s.pfn = kRcl[s.pInstr->nArg];
    }
}

template void CPrgmOps::Arith<0>(CPrgm&, CStep&);
template void CPrgmOps::Arith<1>(CPrgm&, CStep&);
template void CPrgmOps::Arith<2>(CPrgm&, CStep&);
template void CPrgmOps::Arith<3>(CPrgm&, CStep&);

void CPrgmOps::RclArith(CPrgm& p, CStep& s) {
    CMachine& m = p.m_;
    const double r = Ranged(Combine(s.pInstr->nArg, m.oStack.GetX(), m.oMem.Rcl(RegAt(p, s.oArith))));
    m.oStack.Drop1AndPushX(r);
}

void CPrgmOps::St(CPrgm& p, CStep&) { p.m_.oMem.StoI(p.m_.oStack.GetX()); }
void CPrgmOps::Rc(CPrgm& p, CStep&) { p.m_.oStack.Push(p.m_.oMem.RclI()); }

void CPrgmOps::XexI(CPrgm& p, CStep&) {
    CMachine& m = p.m_;
    // An I that the stack would refuse is an error before anything moves,
    // so neither X nor I is lost.
    if (!(std::fabs(m.oMem.RclI()) < NumUtil::kBig)) throw CCalcError(enmErrKind::Overflow);
    const double x = m.oStack.Pop();
    m.oStack.Push(m.oMem.RclI());
    m.oMem.StoI(x);
}

void CPrgmOps::PexS(CPrgm& p, CStep&) { p.m_.oMem.SwapPrimtoSecMem(); }
void CPrgmOps::ClReg(CPrgm& p, CStep&) { p.m_.oMem.Clear(); }

// ---------------------------------------------------------------- display and sound

void CPrgmOps::DispMode(CPrgm& p, CStep& s) { p.m_.eDispMode = static_cast<enmDispMode>(s.pInstr->nArg); }

// DSP by its operand, picked when the step is decoded: (i), a number, or
// anything else (nothing happens).
void CPrgmOps::DspByI(CPrgm& p, CStep&) { p.m_.nDigits = NumUtil::ToInt16(p.m_.oMem.RclI()); }
void CPrgmOps::DspN(CPrgm& p, CStep& s) { p.m_.nDigits = IntOf(s.oOp); }

ExecFn CPrgmOps::DigitsOf(const CStep& s) {
    switch (s.oOp.eKind) {
    case enmOpd::Indirect: return &DspByI;
    case enmOpd::Number:
    case enmOpd::BadNumber: return &DspN;
    default: return &NoEffect;
    }
}

void CPrgmOps::Dsp(CPrgm& p, CStep& s) { DigitsOf(s)(p, s); }

void CPrgmOps::Reg(CPrgm& p, CStep&) { p.fb_.ShowMemViewer(); }
void CPrgmOps::Stk(CPrgm& p, CStep&) { p.fb_.BlinkStack(); }

void CPrgmOps::ShowXBlink(CPrgm& p, CStep&) {
    // The click comes when the blink is over, as after a pause.
    CPanelFeedback& fb = p.fb_;
    fb.BlinkX([&fb] { fb.Host().PlaySound(enmSound::Click); });
}

void CPrgmOps::Beep(CPrgm& p, CStep&) { p.fb_.Host().PlaySound(enmSound::Beep); }

// ---------------------------------------------------------------- statistics

void CPrgmOps::SumPlusMinus(CPrgm& p, CStep& s) {
    // The sums are updated before the stack moves, so a failing update
    // leaves X and Y where they were.
    CMachine& m = p.m_;
    const double x = m.oStack.GetX();
    const double y = m.oStack.GetY();
    const double n = s.pInstr->nArg == 0 ? m.oStat.SumsAdd(x, y) : m.oStat.SumsSub(x, y);
    NumUtil::Check(n);
    m.oStack.Pop();
    m.oStack.Pop();
    m.fLastX = x;
    m.oStack.Push(n);
}

void CPrgmOps::MeanSdev(CPrgm& p, CStep& s) {
    // Both results are tested before X and Y are dropped, so a failing test
    // (too few points) leaves the stack as it was.
    CMachine& m = p.m_;
    const bool bMean = s.pInstr->nArg == 0;
    const double fX = Ranged(bMean ? m.oStat.MeanX() : m.oStat.SdevX());
    const double fY = Ranged(bMean ? m.oStat.MeanY() : m.oStat.SdevY());
    m.fLastX = m.oStack.GetX();
    m.oStack.Drop2();
    m.oStack.Push(fY);
    m.oStack.Push(fX);
}

} // namespace corvel
