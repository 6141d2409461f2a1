// Execution of the classic instructions: number entry by program steps,
// arithmetic and functions, stack, registers, display, sound and statistics.
#include <cmath>
#include <string>

#include "../numeric/Module1.h"
#include "../numeric/NumUtil.h"
#include "../panel/frmMain.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

// ---------------------------------------------------------------- helpers

double CPrgmOps::Ranged(double r) {
    NumUtil::Check(r);
    if (Module1::IsOverflow(r)) throw CCalcError(enmErrKind::Overflow);
    return r;
}

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

int CPrgmOps::IndReg(CPrgm& p, const COperand& o2, bool bRclRule) {
    CMem& oMem = p.oMain_.oMem;
    double v = 0.0;
    switch (o2.eKind) {
    case enmOpd::Empty:
        throw CCalcError(enmErrKind::Syntax);   // "IND" names no register by itself
    case enmOpd::Number:
    case enmOpd::BadNumber:
        v = oMem.Rcl(IntOf(o2));
        break;
    default:
        v = oMem.RclA(o2.sUpper);
        break;
    }
    if (bRclRule) v = Module1::IntPart(v);
    return NumUtil::ToInt16(v);
}

bool CPrgmOps::RegOf(CPrgm& p, const COperand& o, const COperand& o2, bool bRclRule, int& k) {
    switch (o.eKind) {
    case enmOpd::Number:
    case enmOpd::BadNumber:
        k = IntOf(o);
        return true;
    case enmOpd::RegI:
        k = CMem::kRegI;
        return true;
    case enmOpd::Indirect: {
        double fI = p.oMain_.oMem.RclI();
        if (bRclRule) fI = Module1::IntPart(fI);
        k = NumUtil::ToInt16(fI);
        return true;
    }
    case enmOpd::Ind:
        k = IndReg(p, o2, bRclRule);
        return true;
    default:
        return false;
    }
}

void CPrgm::SavePendingNumber() {
    if (!EntryActive && !ExpEntryActive) return;
    // The entry ends even when its text cannot be read, so that a failing
    // number is reported once and not again at every following step.
    EntryActive = ExpEntryActive = false;
    oMain_.oStack.Push(oMain_.GetVal());
}

// ---------------------------------------------------------------- number entry

void CPrgmOps::Digit(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    const char d = static_cast<char>('0' + s.pInstr->nArg);
    if (!p.EntryActive && !p.ExpEntryActive) {
        m.lblDisp.assign(1, d);
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
    frmMain& m = p.oMain_;
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
    frmMain& m = p.oMain_;
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
    frmMain& m = p.oMain_;
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
    frmMain& m = p.oMain_;
    if (p.EntryActive || p.ExpEntryActive) {
        p.EntryActive = p.ExpEntryActive = false;
        m.oStack.Push(m.GetVal());
    } else {
        m.oStack.Push(m.oStack.GetX());
    }
}

// ---------------------------------------------------------------- arithmetic and functions

void CPrgmOps::Binary(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    const double x = m.oStack.GetX();
    const double r = Ranged(s.pInstr->pfnBinary(m.oStack.GetY(), x));
    m.fLastX = x;
    m.oStack.Drop2AndPushX(r);
}

void CPrgmOps::Unary(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    const double x = m.oStack.GetX();
    const double r = Ranged(s.pInstr->pfnUnary(m, x));
    m.fLastX = x;
    m.oStack.Drop1AndPushX(r);
}

void CPrgmOps::Percent(CPrgm& p, CStep&) {
    // X = Y * X / 100 with Y kept. The result is checked before the stack
    // moves, so a result that cannot be pushed does not lose X.
    frmMain& m = p.oMain_;
    const double x = m.oStack.GetX();
    const double r = NumUtil::Check(m.oStack.GetY() * x / 100.0);
    if (!(std::fabs(r) < NumUtil::kBig)) throw CCalcError(enmErrKind::Overflow);
    m.oStack.Pop();
    m.fLastX = x;
    m.oStack.Push(r);
}

void CPrgmOps::IntFracRnd(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    const double x = m.oStack.GetX();
    double r = 0.0;
    switch (s.pInstr->nArg) {
    case 0: r = Module1::IntPart(x); break;
    case 1: r = Module1::FracPart(x); break;
    default: r = Module1::RoundTo(x, m.nDigits); break;
    }
    NumUtil::Check(r);
    m.oStack.Pop();
    m.fLastX = x;
    m.oStack.Push(r);
}

void CPrgmOps::AngleMode(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    switch (s.pInstr->nArg) {
    case 0: m.fAngleFactor = m.Pi / 180.0; break;
    case 1: m.fAngleFactor = 1.0; break;
    default: m.fAngleFactor = m.Pi / 200.0; break;
    }
}

void CPrgmOps::ToRect(CPrgm& p, CStep&) {
    frmMain& m = p.oMain_;
    const double x = m.oStack.GetX();
    const double fTheta = NumUtil::Check(m.fAngleFactor * m.oStack.GetY());
    double fX = 0.0, fY = 0.0;
    Module1::PolarToRect(fTheta, x, fX, fY);
    fX = Ranged(fX);
    fY = Ranged(fY);
    m.fLastX = x;
    m.oStack.Drop2AndPushXAndY(fX, fY);
}

void CPrgmOps::ToPolar(CPrgm& p, CStep&) {
    frmMain& m = p.oMain_;
    const double x = m.oStack.GetX();
    if (x == 0.0) throw CCalcError(enmErrKind::DivByZero);
    double fTheta = 0.0, fR = 0.0;
    Module1::RectToPolar(x, m.oStack.GetY(), fTheta, fR);
    fTheta = Ranged(NumUtil::Div(Ranged(fTheta), m.fAngleFactor));
    fR = Ranged(fR);
    m.fLastX = x;
    m.oStack.Drop2AndPushXAndY(fTheta, fR);
}

// ---------------------------------------------------------------- stack

void CPrgmOps::Swap(CPrgm& p, CStep&) { p.oMain_.oStack.Swap(); }
void CPrgmOps::RollUp(CPrgm& p, CStep&) { p.oMain_.oStack.RollUp(); }
void CPrgmOps::RollDn(CPrgm& p, CStep&) { p.oMain_.oStack.RollDn(); }
void CPrgmOps::ClStk(CPrgm& p, CStep&) { p.oMain_.oStack.Clear(); }
void CPrgmOps::Lst(CPrgm& p, CStep&) { p.oMain_.oStack.Push(p.oMain_.fLastX); }
void CPrgmOps::PushPi(CPrgm& p, CStep&) { p.oMain_.oStack.Push(p.oMain_.Pi); }

// ---------------------------------------------------------------- registers

void CPrgmOps::Sto(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    int k = 0;
    if (RegOf(p, s.oOp, s.oOp2, false, k))
        m.oMem.Sto(k, m.oStack.GetX());
    else
        m.oMem.StoA(s.oOp.sUpper, m.oStack.GetX());
}

void CPrgmOps::Rcl(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    if (s.oOp.eKind == enmOpd::Sum) {
        double fSumX = 0.0, fSumY = 0.0;
        m.oStat.RclSumPlus(fSumX, fSumY);
        if (!std::isfinite(fSumX) || !std::isfinite(fSumY)) throw CCalcError(enmErrKind::Overflow);
        m.oStack.Push(fSumY);
        m.oStack.Push(fSumX);
        return;
    }
    int k = 0;
    const double v = RegOf(p, s.oOp, s.oOp2, true, k) ? m.oMem.Rcl(k) : m.oMem.RclA(s.oOp.sUpper);
    m.oStack.Push(v);   // a register that does not exist recalls 1e111: the push refuses it
}

namespace {

double Combine(int nOp, double a, double b) {
    switch (nOp) {
    case 0: return a + b;
    case 1: return a - b;
    case 2: return a * b;
    default: return NumUtil::Div(a, b);
    }
}

} // namespace

void CPrgmOps::StoArith(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    int k = 0;
    const bool bByName = !RegOf(p, s.oOp, s.oOp2, false, k);
    const double fReg = bByName ? m.oMem.RclA(s.oOp.sUpper) : m.oMem.Rcl(k);
    const double r = Ranged(Combine(s.pInstr->nArg, fReg, m.oStack.GetX()));
    if (bByName)
        m.oMem.StoA(s.oOp.sUpper, r);
    else
        m.oMem.Sto(k, r);
}

void CPrgmOps::RclArith(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    int k = 0;
    const bool bByName = !RegOf(p, s.oOp, s.oOp2, false, k);
    const double fReg = bByName ? m.oMem.RclA(s.oOp.sUpper) : m.oMem.Rcl(k);
    const double r = Ranged(Combine(s.pInstr->nArg, m.oStack.GetX(), fReg));
    m.oStack.Drop1AndPushX(r);
}

void CPrgmOps::St(CPrgm& p, CStep&) { p.oMain_.oMem.StoI(p.oMain_.oStack.GetX()); }
void CPrgmOps::Rc(CPrgm& p, CStep&) { p.oMain_.oStack.Push(p.oMain_.oMem.RclI()); }

void CPrgmOps::XexI(CPrgm& p, CStep&) {
    frmMain& m = p.oMain_;
    const double x = m.oStack.Pop();
    m.oStack.Push(m.oMem.RclI());
    m.oMem.StoI(x);
}

void CPrgmOps::PexS(CPrgm& p, CStep&) { p.oMain_.oMem.SwapPrimtoSecMem(); }
void CPrgmOps::ClReg(CPrgm& p, CStep&) { p.oMain_.oMem.Clear(); }

// ---------------------------------------------------------------- display and sound

void CPrgmOps::DispMode(CPrgm& p, CStep& s) { p.oMain_.enmDispMode = s.pInstr->nArg; }

void CPrgmOps::Dsp(CPrgm& p, CStep& s) {
    frmMain& m = p.oMain_;
    switch (s.oOp.eKind) {
    case enmOpd::Indirect: m.nDigits = NumUtil::ToInt16(m.oMem.RclI()); break;
    case enmOpd::Number:
    case enmOpd::BadNumber: m.nDigits = IntOf(s.oOp); break;
    default: break;
    }
}

void CPrgmOps::Reg(CPrgm& p, CStep&) { p.oMain_.oMem.ShowMem(0); }
void CPrgmOps::Stk(CPrgm& p, CStep&) { p.oMain_.BlinkStack(); }

void CPrgmOps::ShowXBlink(CPrgm& p, CStep&) {
    p.oMain_.BlinkX();
    p.oMain_.PlayClick();
}

void CPrgmOps::Beep(CPrgm& p, CStep&) { p.oMain_.PlayBeep(); }

// ---------------------------------------------------------------- statistics

void CPrgmOps::SumPlusMinus(CPrgm& p, CStep& s) {
    // The sums are updated before the stack moves, so a failing update
    // leaves X and Y where they were.
    frmMain& m = p.oMain_;
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
    frmMain& m = p.oMain_;
    const bool bMean = s.pInstr->nArg == 0;
    const double fX = Ranged(bMean ? m.oStat.MeanX() : m.oStat.SdevX());
    const double fY = Ranged(bMean ? m.oStat.MeanY() : m.oStat.SdevY());
    m.fLastX = m.oStack.GetX();
    m.oStack.Drop2();
    m.oStack.Push(fY);
    m.oStack.Push(fX);
}
