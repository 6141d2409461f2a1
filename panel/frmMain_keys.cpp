// RUN mode: what each key does in each prefix state, and how a pending
// two-key operation is completed by its operand key.
#include <cmath>

#include "../numeric/Module1.h"
#include "../numeric/NumUtil.h"
#include "frmMain.h"

namespace {
int DigitOf(enmKey eKey) { return static_cast<int>(eKey) - static_cast<int>(enmKey::K0); }
bool IsDigit(enmKey eKey) { return eKey >= enmKey::K0 && eKey <= enmKey::K9; }

// Range test of a key result: a fault or a magnitude of 1e100 or more is an error.
double Tested(double r) {
    NumUtil::Check(r);
    if (Module1::IsOverflow(r)) throw CCalcError(enmErrKind::Overflow);
    return r;
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
    switch (eKey) {
    case enmKey::Plus:
        if (nShift == 3) {
            SavePendingNum();
            SetPendOp("CF");
            ShowX();
            enmShift = 0;
            return;
        }
        F2([](double y, double x) { return y + x; });
        return;
    case enmKey::Minus:
        if (nShift == 3) {
            SavePendingNum();
            SetPendOp("SF");
            ShowX();
            enmShift = 0;
            return;
        }
        F2([](double y, double x) { return y - x; });
        return;
    case enmKey::Mult:
        if (nShift == 3) {
            SavePendingNum();
            SetPendOp("F?");
            ShowX();
            enmShift = 0;
            return;
        }
        F2([](double y, double x) { return y * x; });
        return;
    case enmKey::Div:
        if (nShift == 3) {
            F1([](double x) { return Module1::Factorial(x); });
            return;
        }
        F2([](double y, double x) { return NumUtil::Div(y, x); });
        return;
    case enmKey::STO:
        if (nShift == 0) {
            FinishEntryInline();
            SetPendOp("STO");
            return;
        }
        break;
    case enmKey::RCL:
        if (nShift == 0) {
            FinishEntryInline();
            SetPendOp("RCL");
            return;
        }
        break;
    case enmKey::GTO:
        FinishEntryInline();
        if (nShift == 0) {
            SetPendOp("GTO");
            enmShift = 0;
            return;
        }
        if (nShift == 1) {
            SetPendOp("GSB");
            enmShift = 0;
            return;
        }
        if (nShift == 2) {
            SetPendOp("gsb");
            enmShift = 0;
            return;
        }
        break;
    case enmKey::DSP:
        ClearPendOp();
        if (nShift == 0) {
            SetPendOp("DSP");
        } else {
            enmDispMode = nShift - 1;   // f FIX, g SCI, h ENG
            enmShift = 0;
            SetTitle(kTitle);
        }
        SavePendingNum();
        ShowX();
        return;
    default:
        break;
    }
    (void)DigitOf;
    (void)IsDigit;
    // Keys whose function is not wired yet only click.
    EndKey();
}

bool frmMain::RunPendingKey(enmKey eKey) {
    if (IsDigit(eKey)) {
        ExecPendOpDigit(DigitOf(eKey));
        ClearPendOp();
        return true;
    }
    switch (eKey) {
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
        ClearPendOp();
        return true;
    default:
        return false;
    }
}

void frmMain::ExecPendOpDigit(int d) {
    if (sPendOp == "DSP") {
        nDigits = static_cast<int16_t>(d);
        ShowX();
    }
}

void frmMain::LineNumberInput() {}
void frmMain::GotoLabel(const std::string&, bool) {}
void frmMain::LabelKey(enmKey) {}
