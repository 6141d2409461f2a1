// RUN mode: what each key does in each prefix state, how a pending two-key
// operation is completed by its operand key, and the label keys A-E.
#include <cctype>
#include <cmath>

#include "../numeric/Module1.h"
#include "../numeric/NumUtil.h"
#include "frmMain.h"

namespace {

// Range test of a key result: a fault or a magnitude of 1e100 or more is an
// error; below 1e-100 becomes 0.
double Tested(double r) {
    NumUtil::Check(r);
    if (Module1::IsOverflow(r)) throw CCalcError(enmErrKind::Overflow);
    return r;
}

// The four arithmetic operations of the register keys, by the last
// character of the pending operation's name.
double Arith(char cOp, double a, double b) {
    switch (cOp) {
    case '+': return NumUtil::Check(a + b);
    case '-': return NumUtil::Check(a - b);
    case '*': return NumUtil::Check(a * b);
    default: return NumUtil::Div(a, b);
    }
}

double Power(double y, double x) {
    if (y == 0.0 && x < 0.0) throw CCalcError(enmErrKind::DivByZero);
    if (y < 0.0 && x != std::trunc(x)) throw CCalcError(enmErrKind::Invalid);
    return NumUtil::Check(std::pow(y, x));
}

double Ln(double x) {
    if (x <= 0.0) throw CCalcError(x == 0.0 ? enmErrKind::DivByZero : enmErrKind::Invalid);
    return std::log(x);
}

double Sqrt(double x) {
    if (x < 0.0) throw CCalcError(enmErrKind::Invalid);
    return std::sqrt(x);
}
} // namespace

// One-number function: r replaces X, LAST X keeps the old X.
template <class Fn> void frmMain::F1(Fn fn) {
    SavePendingNum();
    const double x = oStack.GetX();
    const double r = Tested(fn(x));
    fLastX = x;
    oStack.Drop1AndPushX(r);
    ShowX();
    EndKey();
}

// Two-number function of y and x: the stack drops and r lands in X.
template <class Fn> void frmMain::F2(Fn fn) {
    SavePendingNum();
    const double x = oStack.GetX();
    const double y = oStack.GetY();
    const double r = Tested(fn(y, x));
    fLastX = x;
    oStack.Drop2AndPushX(r);
    ShowX();
    EndKey();
}

// Stack or state operation without a result test.
template <class Fn> void frmMain::S(Fn fn) {
    SavePendingNum();
    fn();
    ShowX();
    EndKey();
}

void frmMain::RunFunctionKey(enmKey eKey) {
    const int nShift = enmShift;
    const double k = fAngleFactor;
    if (IsLetterKey(eKey)) {
        LabelKey(eKey);
        return;
    }
    switch (eKey) {
    case enmKey::K0:
        if (nShift == 1) {
            SavePendingNum();
            const double y = oStack.GetY();
            F1([y](double x) { return (y / 100.0) * x; });
        } else if (nShift == 2) {
            F2([](double y, double x) { return NumUtil::Div(x - y, y) * 100.0; });
        } else {
            S([this] { oStack.Push(fLastX); });
        }
        return;
    case enmKey::K1:
        if (nShift == 1) {
            // Polar to rectangular: x is the radius, y the angle.
            SavePendingNum();
            const double x = oStack.GetX(), y = oStack.GetY();
            const double rx = Tested(x * std::cos(y * k));
            const double ry = Tested(x * std::sin(y * k));
            fLastX = x;
            oStack.Drop2AndPushXAndY(rx, ry);
            ShowX();
            EndKey();
        } else if (nShift == 2) {
            SavePendingNum();
            const double x = oStack.GetX(), y = oStack.GetY();
            const double fAngle = Tested(std::atan(NumUtil::Div(y, x)) / k);
            const double r = Tested(std::sqrt(x * x + y * y));
            fLastX = x;
            oStack.Drop2AndPushXAndY(fAngle, r);
            ShowX();
            EndKey();
        } else {
            S([] {});
        }
        return;
    case enmKey::K2:
        if (nShift == 1)
            F1([this](double x) { return x * 180.0 / Pi; });
        else if (nShift == 2)
            F1([this](double x) { return x / 180.0 * Pi; });
        else
            S([this] { oStack.Push(Pi); });
        return;
    case enmKey::K3:
        if (nShift == 1)
            F1([](double x) { return Module1::HMSToHours(x); });
        else if (nShift == 2)
            F1([](double x) { return Module1::HoursToHMS(x); });
        else
            S([this] { oMem.ShowMem(0); });
        return;
    case enmKey::K4:
        if (nShift == 1)
            F1([k](double x) { return std::sin(x * k); });
        else if (nShift == 2)
            F1([k](double x) { return Module1::ArcSin(x) / k; });
        else
            F1([](double x) { return NumUtil::Div(1.0, x); });
        return;
    case enmKey::K5:
        if (nShift == 1)
            F1([k](double x) { return std::cos(x * k); });
        else if (nShift == 2)
            F1([k](double x) { return Module1::ArcCos(x) / k; });
        else
            F2(Power);
        return;
    case enmKey::K6:
        if (nShift == 1)
            F1([k](double x) { return std::tan(x * k); });
        else if (nShift == 2)
            F1([k](double x) { return std::atan(x) / k; });
        else
            F1([](double x) { return std::fabs(x); });
        return;
    case enmKey::K7:
        if (nShift == 1)
            F1(Ln);
        else if (nShift == 2)
            F1([](double x) { return std::exp(x); });
        else
            S([this] {
                if (!(std::fabs(oStack.GetY()) < NumUtil::kBig)) throw CCalcError(enmErrKind::Overflow);
                oStack.Swap();
            });
        return;
    case enmKey::K8:
        if (nShift == 1)
            F1([](double x) { return Module1::Log10(x); });
        else if (nShift == 2)
            F1([](double x) { return std::pow(10.0, x); });
        else
            S([this] { oStack.RollDn(); });
        return;
    case enmKey::K9:
        if (nShift == 1)
            F1(Sqrt);
        else if (nShift == 2)
            F1([](double x) { return x * x; });
        else
            S([this] { oStack.RollUp(); });
        return;
    case enmKey::Decimal:
        if (nShift == 3) {
            F2([](double y, double x) { return Module1::HMSPlus(x, y); });
        } else {
            SavePendingNum();
            const double x = oStack.GetX();
            const double r = nShift == 1 ? Module1::IntPart(x) : Module1::FracPart(x);
            oStack.Pop();
            fLastX = x;
            oStack.Push(r);
            ShowX();
            EndKey();
        }
        return;
    case enmKey::EEX:
        if (nShift == 1) {
            oMem.Clear();
            oStat.Clear();
        } else if (nShift == 2) {
            oStack.Clear();
            ShowX();
        } else {
            fAngleFactor = Pi / 200.0;
        }
        EndKey();
        return;
    case enmKey::Chs:
        if (nShift == 1)
            oMem.SwapPrimtoSecMem();
        else if (nShift == 2)
            oFlags.Clear();
        else
            fAngleFactor = 1.0;
        EndKey();
        return;
    case enmKey::Enter:
        if (nShift == 1) {
            WriteDataCard();
        } else if (nShift == 2) {
            ReadProgramCard();
        } else {
            fAngleFactor = Pi / 180.0;
        }
        EndKey();
        return;
    case enmKey::Plus:
    case enmKey::Minus:
    case enmKey::Mult:
        if (nShift == 3) {
            SavePendingNum();
            SetPendOp(eKey == enmKey::Plus ? "CF" : eKey == enmKey::Minus ? "SF" : "F?");
            ShowX();
            enmShift = 0;
            return;
        }
        // The comparison tests on f and g are program steps only: the plain
        // operation runs.
        if (eKey == enmKey::Plus)
            F2([](double y, double x) { return y + x; });
        else if (eKey == enmKey::Minus)
            F2([](double y, double x) { return y - x; });
        else
            F2([](double y, double x) { return y * x; });
        return;
    case enmKey::Div:
        if (nShift == 3)
            F1([](double x) { return Module1::Factorial(x); });
        else
            F2([](double y, double x) { return NumUtil::Div(y, x); });
        return;
    case enmKey::STO:
    case enmKey::RCL: {
        FinishEntryInline();
        const bool bSto = eKey == enmKey::STO;
        if (nShift == 0) {
            SetPendOp(bSto ? "STO" : "RCL");
            return;
        }
        const double fDelta = bSto ? -1.0 : 1.0;
        if (nShift == 1) {
            oMem.StoI(NumUtil::Check(oMem.RclI() + fDelta));
        } else if (nShift == 2) {
            const double v = NumUtil::Check(oMem.RclInd() + fDelta);
            oMem.StoInd(v);
        } else if (bSto) {
            oMem.StoI(oStack.GetX());
        } else {
            oStack.Push(oMem.RclI());
            ShowX();
        }
        EndKey();
        return;
    }
    case enmKey::GTO:
        FinishEntryInline();
        if (nShift == 3) {
            oPrgm.Reset();
            bInErr = false;
            EndKey();
            return;
        }
        SetPendOp(nShift == 0 ? "GTO" : nShift == 1 ? "GSB" : "gsb");
        enmShift = 0;
        return;
    case enmKey::DSP:
        ClearPendOp();
        if (nShift == 0) {
            SetPendOp("DSP");
        } else {
            enmDispMode = nShift - 1;   // f FIX, g SCI, h ENG
            EndKey();
        }
        SavePendingNum();
        ShowX();
        return;
    case enmKey::OfI:
        if (nShift == 1) {
            SavePendingNum();
            const double x = oStack.GetX();
            const double r = Module1::RoundTo(x, nDigits);
            oStack.Pop();
            fLastX = x;
            oStack.Push(r);
            ShowX();
        } else if (nShift == 3) {
            SavePendingNum();
            const double fI = oMem.RclI();
            if (!(std::fabs(fI) < NumUtil::kBig)) throw CCalcError(enmErrKind::Overflow);
            const double x = oStack.Pop();
            oStack.Push(fI);
            oMem.StoI(x);
            ShowX();
        }
        EndKey();
        return;
    case enmKey::SigmaPlus:
        FinishEntryInline();
        if (nShift == 0 || nShift == 3) {
            const double x = oStack.GetX(), y = oStack.GetY();
            if (nShift == 0)
                oStat.SumsAdd(x, y);
            else
                oStat.SumsSub(x, y);
            oStack.Drop();
            oStack.Drop();
            fLastX = x;
            oStack.Push(oStat.GetCount());
        } else {
            // Both results are tested before either reaches the stack, so a
            // failed mean or deviation leaves the stack as it was.
            const double fx = Tested(nShift == 1 ? oStat.MeanX() : oStat.SdevX());
            const double fy = Tested(nShift == 1 ? oStat.MeanY() : oStat.SdevY());
            fLastX = oStack.GetX();
            oStack.Drop2AndPushXAndY(fx, fy);
        }
        ShowX();
        EndKey();
        return;
    default:
        EndKey();
        return;
    }
}

bool frmMain::RunPendingKey(enmKey eKey) {
    if (IsDigitKey(eKey)) {
        ExecPendOpDigit(DigitOfKey(eKey));
        ClearPendOp();
        return true;
    }
    if (IsLetterKey(eKey)) {
        const std::string sL(1, LetterOfKey(eKey));
        const std::string sLower(1, static_cast<char>(std::tolower(LetterOfKey(eKey))));
        const double x = oStack.GetX();
        if (sPendOp == "STO") {
            oMem.StoA(sL, x);
        } else if (sPendOp == "RCL") {
            oStack.Push(oMem.RclA(sL));
            ShowX();
        } else if (sPendOp == "GTO") {
            GotoLabel(sL, false);
        } else if (sPendOp == "gto") {
            GotoLabel(sLower, false);
        } else if (sPendOp == "GSB") {
            GotoLabel(sL, true);
        } else if (sPendOp == "gsb") {
            GotoLabel(sLower, true);
        }
        ClearPendOp();
        return true;
    }
    switch (eKey) {
    case enmKey::OfI: {
        const double x = oStack.GetX();
        if (sPendOp == "STO") {
            oMem.StoInd(x);
        } else if (sPendOp.size() == 4 && sPendOp.compare(0, 3, "STO") == 0) {
            const double r = oMem.RclInd();
            oMem.StoInd(Arith(sPendOp[3], r, x));
        } else if (sPendOp == "RCL") {
            oStack.Push(oMem.RclInd());
            ShowX();
        } else if (sPendOp.size() == 4 && sPendOp.compare(0, 3, "RCL") == 0) {
            const double r = oMem.RclInd();
            oStack.Drop1AndPushX(Arith(sPendOp[3], x, r));
            ShowX();
        } else if (sPendOp == "DSP") {
            nDigits = NumUtil::ToInt16(oMem.RclI());
            ShowX();
        } else if (sPendOp == "GTO" || sPendOp == "GSB") {
            const int16_t n = NumUtil::ToInt16(oMem.RclI());
            GotoLabel(std::to_string(n), sPendOp == "GSB");
        }
        ClearPendOp();
        return true;
    }
    case enmKey::SigmaPlus:
        if (sPendOp == "RCL") {
            double a = 0, b = 0;
            oStat.RclSumPlus(a, b);
            oStack.Push(b);
            oStack.Push(a);
            ShowX();
        }
        ClearPendOp();
        return true;
    case enmKey::Plus:
    case enmKey::Minus:
    case enmKey::Mult:
    case enmKey::Div:
        if (sPendOp == "STO" || sPendOp == "RCL") {
            static const char kOps[] = "+-*/";
            SetPendOp(sPendOp + kOps[static_cast<int>(eKey) - static_cast<int>(enmKey::Plus)]);
        } else {
            ClearPendOp();
        }
        return true;
    case enmKey::Decimal:
        if (sPendOp == "GTO")
            LineNumberInput();
        else
            ClearPendOp();
        return true;
    default:
        return false;
    }
}

void frmMain::ExecPendOpDigit(int d) {
    const double x = oStack.GetX();
    const std::string sDigit(1, static_cast<char>('0' + d));
    if (sPendOp == "STO") {
        oMem.Sto(d, x);
    } else if (sPendOp.size() == 4 && sPendOp.compare(0, 3, "STO") == 0) {
        oMem.Sto(d, Tested(Arith(sPendOp[3], oMem.Rcl(d), x)));
    } else if (sPendOp == "RCL") {
        oStack.Push(oMem.Rcl(d));
        ShowX();
    } else if (sPendOp.size() == 4 && sPendOp.compare(0, 3, "RCL") == 0) {
        oStack.Drop1AndPushX(Tested(Arith(sPendOp[3], x, oMem.Rcl(d))));
        ShowX();
    } else if (sPendOp == "DSP") {
        nDigits = static_cast<int16_t>(d);
        ShowX();
    } else if (sPendOp == "GTO") {
        GotoLabel(sDigit, false);
    } else if (sPendOp == "GSB") {
        GotoLabel(sDigit, true);
    } else if (sPendOp == "SF") {
        oFlags.SetFlag(d);
    } else if (sPendOp == "CF") {
        oFlags.ClearFlag(d);
    } else if (sPendOp == "F?") {
        const bool b = oFlags.TestFlag(d);
        MsgBox("Flag " + sDigit + (b ? " is set" : " is clear"), "Flag " + sDigit + " Status");
    }
}

void frmMain::LineNumberInput() {
    std::string sAnswer;
    const bool bOk = oHost_.InputBox(
        "Enter a line number [1..999] or . to go to step 1, or  .. to go to the end, or - followed by a label name",
        "Line Number Input", ".", sAnswer);
    size_t a = 0, b = sAnswer.size();
    while (a < b && std::isspace(static_cast<unsigned char>(sAnswer[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(sAnswer[b - 1]))) --b;
    const std::string s = bOk ? sAnswer.substr(a, b - a) : std::string();
    if (!s.empty()) {
        int nLine = 0;
        if (s == ".") {
            nLine = 1;
        } else if (s == "..") {
            const int e = oPrgm.FindEndOfProgram();
            nLine = e < oPrgm.GetMaxSteps() ? e - 1 : e;
        } else if (s[0] == '-') {
            const int p = oPrgm.FindLabel(s.substr(1));
            nLine = p != 0 ? p : 1;
        } else {
            double v = 0;
            if (!NumUtil::ParseWhole(s, v)) throw CCalcError(enmErrKind::Syntax);
            nLine = NumUtil::ToInt16(v);
        }
        oPrgm.SetPrgmPointer(nLine);
        bInErr = false;
        if (!bRun) SetDisplay(oPrgm.ShowCurrLine(), "");
    }
    ClearPendOp();
}

void frmMain::GotoLabel(const std::string& sLabel, bool bRunIt) {
    const int p = oPrgm.FindLabel(sLabel);
    if (p <= 0) throw CCalcError(enmErrKind::Forced);
    // A key pressed during a run starts no second run, nor moves the running one.
    if (bRunIt && IsRunning()) return;
    oPrgm.SetPrgmPointer(p);
    bInErr = false;
    if (bRunIt) {
        ClearPendOp();
        RunProgram();
    }
}

void frmMain::LabelKey(enmKey eKey) {
    FinishEntryInline();
    const int nShift = enmShift;
    EndKey();
    const char c = LetterOfKey(eKey);
    std::string sLabel;
    switch (nShift) {
    case 0: sLabel = std::string(1, c); break;
    case 1: sLabel = std::string(1, static_cast<char>(std::tolower(c))); break;
    case 2: sLabel = std::string("g") + c; break;
    default: sLabel = std::string("h") + c; break;
    }
    const int p = oPrgm.FindLabel(sLabel);
    if (p != 0) {
        if (IsRunning()) return;
        oPrgm.SetPrgmPointer(p);
        bInErr = false;
        RunProgram();
        return;
    }
    if (nShift != 0) throw CCalcError(enmErrKind::Forced);
    // Without a program label the keys keep their default functions.
    switch (eKey) {
    case enmKey::A: F1([](double x) { return NumUtil::Div(1.0, x); }); break;
    case enmKey::B: F1(Sqrt); break;
    case enmKey::C: F2(Power); break;
    case enmKey::D: S([this] { oStack.RollDn(); }); break;
    default: S([this] { oStack.Swap(); }); break;
    }
}
