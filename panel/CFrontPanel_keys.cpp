// RUN mode: the key operations of their own named in the key table, how a
// pending two-key operation is completed by its operand key (both modes),
// line-number input and the label keys A-E.
#include <cctype>
#include <cmath>

#include "../numeric/Numeric.h"
#include "../numeric/NumUtil.h"
#include "CFrontPanel.h"

namespace corvel {

namespace {

bool IsDigitKey(enmKey e) { return e <= enmKey::K9; }
bool IsLetterKey(enmKey e) { return e >= enmKey::A && e <= enmKey::E; }
char LetterOfKey(enmKey e) { return static_cast<char>('A' + (static_cast<int>(e) - static_cast<int>(enmKey::A))); }

using Numeric::Ranged;
using NumUtil::Combine;

// The instructions the keys' own operations run.
const CInstr& kSwap = CPrgm::InstrRow("X<>Y");
const CInstr& kClReg = CPrgm::InstrRow("CLREG");

// The code of an arithmetic key (NumUtil::Combine's), -1 for any other key.
int ArithOfKey(enmKey e) {
    switch (e) {
    case enmKey::Plus: return 0;
    case enmKey::Minus: return 1;
    case enmKey::Mult: return 2;
    case enmKey::Div: return 3;
    default: return -1;
    }
}

} // namespace

// ---- key operations of their own ----

void CFrontPanel::PctKey() {
    SavePendingNum();
    const double x = oStack.GetX();
    const double y = oStack.GetY();
    const double r = Ranged(y / 100.0 * x);
    fLastX = x;
    oStack.Drop1AndPushX(r);
    ShowX();
    EndKey();
}

void CFrontPanel::PctChKey() {
    SavePendingNum();
    const double x = oStack.GetX();
    const double y = oStack.GetY();
    const double r = Ranged(NumUtil::Div(x - y, y) * 100.0);
    fLastX = x;
    oStack.Drop2AndPushX(r);
    ShowX();
    EndKey();
}

void CFrontPanel::ShowXKey() {
    SavePendingNum();
    ShowX();
    EndKey();
}

void CFrontPanel::SwapKey() {
    SavePendingNum();
    if (!(std::fabs(oStack.GetY()) < NumUtil::kBig)) throw CCalcError(enmErrKind::Overflow);
    oPrgm.ExecInstr(kSwap);
    ShowX();
    EndKey();
}

void CFrontPanel::ClRegKey() {
    oPrgm.ExecInstr(kClReg);
    oStat.Clear();
    EndKey();
}

void CFrontPanel::ClearProgramKey() {
    oPrgm.Clear();
    SetProgramLabel("");
    SetCardVisible(false);
    if (bRun) {
        eNumEntry = enmNumEntry::Idle;
    } else {
        ShowPrgmLineAndEnd();
        SetTitle(kTitle);
    }
}

void CFrontPanel::DszKey() {
    oMem.StoI(NumUtil::Check(oMem.RclI() - 1.0));
    EndKey();
}

void CFrontPanel::DszIndKey() {
    oMem.StoInd(NumUtil::Check(oMem.RclInd() - 1.0));
    EndKey();
}

void CFrontPanel::IszKey() {
    oMem.StoI(NumUtil::Check(oMem.RclI() + 1.0));
    EndKey();
}

void CFrontPanel::IszIndKey() {
    oMem.StoInd(NumUtil::Check(oMem.RclInd() + 1.0));
    EndKey();
}

void CFrontPanel::RtnKey() {
    oPrgm.Reset();
    bInErr = false;
    EndKey();
}

void CFrontPanel::RunKeyProgram() {
    oPrgm.ResetStartTime();
    RunProgram();
}

void CFrontPanel::LabelKey() {
    const enmKey eKey = eCurKey_;
    const enmShift eWas = eShift;
    EndKey();
    const char c = LetterOfKey(eKey);
    std::string sLabel;
    switch (eWas) {
    case enmShift::None: sLabel = std::string(1, c); break;
    case enmShift::F: sLabel = std::string(1, static_cast<char>(std::tolower(c))); break;
    case enmShift::G: sLabel = std::string("g") + c; break;
    case enmShift::H: sLabel = std::string("h") + c; break;
    }
    const int p = oPrgm.FindLabel(sLabel);
    if (p != 0) {
        if (oPrgm.Busy()) return;   // no second run, nor a move of the running one
        FreshStart();
        StartRunAt(p);
        return;
    }
    if (eWas != enmShift::None) throw CCalcError(enmErrKind::NoLabel);
    // Without a program label the keys keep their default functions.
    RunAct(KeyRow(eKey).oDefault);
}

// ---- pending operations ----

bool CFrontPanel::PendingKey(enmKey eKey) {
    const bool bOperand = IsDigitKey(eKey) || IsLetterKey(eKey) || eKey == enmKey::OfI || eKey == enmKey::SigmaPlus;
    if (bOperand) {
        CompletePending(eKey);
        return true;
    }
    switch (eKey) {
    case enmKey::Plus:
    case enmKey::Minus:
    case enmKey::Mult:
    case enmKey::Div: {
        // STO and RCL become STO+ ... RCL/; any other operation is cancelled
        // and the arithmetic key is not performed.
        const enmPendOp eNext = PendRow(ePendOp).aNext[ArithOfKey(eKey)];
        if (eNext != enmPendOp::None) {
            SetPendOp(eNext);
        } else {
            ClearPendOp();
            // In W/PRGM a prefix held with the cancelled operation is used up
            // with it, so no invisible prefix remains.
            if (!bRun) eShift = enmShift::None;
        }
        return true;
    }
    case enmKey::Decimal:
        if (ePendOp == enmPendOp::GTO)
            LineNumberInput();
        else
            ClearPendOp();
        if (!bRun) eShift = enmShift::None;
        return true;
    default:
        // Every other key cancels the waiting operation (W/PRGM) or handles it
        // itself (RUN), then acts.
        if (!bRun) ClearPendOp();
        return false;
    }
}

std::string CFrontPanel::PendingStep(enmKey eKey, std::string& sOperand, const char*& sWhy) const {
    const CPendRow& oRow = PendRow(ePendOp);
    sWhy = nullptr;
    if (IsDigitKey(eKey)) {
        sOperand = std::string(1, static_cast<char>('0' + static_cast<int>(eKey)));
        sWhy = oRow.sRunDigit;
        return oRow.sDigit ? std::string(oRow.sDigit) + " " + sOperand : std::string();
    }
    if (IsLetterKey(eKey)) {
        const char c = LetterOfKey(eKey);
        sOperand = std::string(1, oRow.bLowerLetter ? static_cast<char>(std::tolower(c)) : c);
        sWhy = oRow.sRunLetter;
        return oRow.sLetter ? std::string(oRow.sLetter) + " " + sOperand : std::string();
    }
    if (eKey == enmKey::OfI) {
        sOperand = "(i)";
        sWhy = oRow.sRunIndirect;
        return oRow.sIndirect ? std::string(oRow.sIndirect) + " (i)" : std::string();
    }
    return oRow.sSum ? std::string(oRow.sSum) : std::string();
}

void CFrontPanel::CompletePending(enmKey eKey) {
    std::string sOperand;
    const char* sWhy = nullptr;
    const std::string sStep = PendingStep(eKey, sOperand, sWhy);
    if (!bRun) {
        ClearPendOp();
        if (sStep.empty())
            ShowPrgmLineAndEnd();
        else
            Record(sStep);
        return;
    }
    if (sWhy != nullptr) {
        CompletePendingOwn(eKey, sOperand);
    } else if (!sStep.empty()) {
        oPrgm.ExecInstr(sStep);
        ShowX();
    }
    // An error above leaves the operation pending.
    ClearPendOp();
}

void CFrontPanel::CompletePendingOwn(enmKey eKey, const std::string& sOperand) {
    const double x = oStack.GetX();
    switch (ePendOp) {
    case enmPendOp::GTO:
    case enmPendOp::gto:
    case enmPendOp::GSB:
    case enmPendOp::gsb: {
        const bool bRunIt = ePendOp == enmPendOp::GSB || ePendOp == enmPendOp::gsb;
        if (eKey == enmKey::OfI)
            GotoLabel(std::to_string(NumUtil::ToInt16(oMem.RclI())), bRunIt);
        else
            GotoLabel(sOperand, bRunIt);
        return;
    }
    case enmPendOp::FTest: {
        const bool b = oFlags.TestFlag(static_cast<int>(eKey));
        MsgBox("Flag " + sOperand + (b ? " is set" : " is clear"), "Flag " + sOperand + " Status");
        return;
    }
    default:
        break;
    }
    if (eKey != enmKey::OfI) return;   // the letter forms of the register arithmetic do nothing
    const CPendRow& oRow = PendRow(ePendOp);
    if (oRow.cReg == 'S') {
        oMem.StoInd(oRow.nArith < 0 ? x : Combine(oRow.nArith, oMem.RclInd(), x));
    } else if (oRow.cReg == 'R') {
        if (oRow.nArith < 0)
            oStack.Push(oMem.RclInd());
        else
            oStack.Drop1AndPushX(Combine(oRow.nArith, x, oMem.RclInd()));
        ShowX();
    }
}

void CFrontPanel::LineNumberInput() {
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

void CFrontPanel::FreshStart() {
    // A run started afresh from the keys returns nowhere: returns left over
    // from a run that ended inside a subroutine (an error, a stop) would send
    // its RTN back into that other program. R/S and GTO keep them.
    oPrgm.ClearReturns();
    oPrgm.ResetProfile();   // the profile is of this run; R/S and SST add to it
}

void CFrontPanel::GotoLabel(const std::string& sLabel, bool bRunIt) {
    const int p = oPrgm.FindLabel(sLabel);
    if (p <= 0) throw CCalcError(enmErrKind::NoLabel);
    if (bRunIt) {
        ClearPendOp();
        if (oPrgm.Busy()) return;
        FreshStart();
        StartRunAt(p);
        return;
    }
    oPrgm.SetPrgmPointer(p);
    bInErr = false;
}

} // namespace corvel
