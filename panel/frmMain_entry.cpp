// The key-entry engine: the frame every key handler runs in, number entry
// in the display fields, the prefix keys and the pending two-key operations.
#include <string>

#include "../numeric/NumUtil.h"
#include "frmMain.h"

void frmMain::KeyClick(enmKey eKey) {
    if (!bOn) return;
    PlayClick();
    // While "Error" is shown in RUN mode only CLX acts.
    if (bRun && bInErr && eKey != enmKey::CLX) return;
    try {
        if (bRun)
            RunKey(eKey);
        else
            PrgmKey(eKey);
        if (bInErr) ErrorPath();
    } catch (const CCalcError&) {
        ErrorPath();
    }
}

void frmMain::ErrorPath() {
    lblDisp = "Error";
    lblEex.clear();
    bInErr = true;
    enmNumEntry = 0;
    enmShift = 0;
    RepaintDisplay();
}

void frmMain::EndKey() {
    enmShift = 0;
    SetTitle(kTitle);
}

void frmMain::FinishEntryInline() {
    if (enmNumEntry != 0) {
        PushEntry();
        ShowX();
        enmNumEntry = 0;
    }
}

void frmMain::SavePendingNum() {
    if (enmNumEntry != 0) {
        PushEntry();
        enmNumEntry = 0;
    }
}

void frmMain::PushEntry() {
    oStack.Push(GetVal());
    // A typed number the stack refuses ends the key at once, so the key's own
    // work never runs on the stack as it was.
    if (bInErr) throw CCalcError(enmErrKind::Overflow);
}

double frmMain::GetVal() {
    // Mantissa and exponent are read together, so that any number of typed
    // digits is converted exactly.
    double fMant = 0, fExp = 0;
    if (!NumUtil::ParseWhole(lblDisp, fMant)) throw CCalcError(enmErrKind::Syntax);
    std::string sExp = lblEex;
    // The exponent field's sign character is a blank or "-"; a "+" is accepted too.
    while (!sExp.empty() && sExp[0] == ' ') sExp.erase(0, 1);
    if (sExp.empty()) sExp = "0";
    if (!NumUtil::ParseWhole(sExp, fExp)) throw CCalcError(enmErrKind::Syntax);
    std::string sMant = lblDisp;
    while (!sMant.empty() && sMant[0] == ' ') sMant.erase(0, 1);
    while (!sMant.empty() && sMant.back() == ' ') sMant.pop_back();
    if (!sExp.empty() && sExp[0] == '+') sExp.erase(0, 1);
    double v = 0;
    if (!NumUtil::ParseWhole(sMant + "e" + sExp, v)) {
        // Too large to be a finite double: an overflow, as the arithmetic would give.
        throw CCalcError(enmErrKind::Overflow);
    }
    return v;
}

void frmMain::SetPendOp(const std::string& sOp) {
    bPendOp = true;
    sPendOp = sOp;
    SetTitle(std::string(kTitle) + "[" + sOp + "]");
}

void frmMain::ClearPendOp() {
    bPendOp = false;
    sPendOp.clear();
    SetTitle(kTitle);
}

// ---- number entry ----

void frmMain::StartNumber(int d) {
    enmNumEntry = 1;
    SetDisplay(std::to_string(d), "");
    oFlags.SetFlag(3);
}

void frmMain::AppendDigit(int d) {
    const char c = static_cast<char>('0' + d);
    if (enmNumEntry == 1) {
        lblDisp += c;
    } else if (enmNumEntry == 2) {
        // The exponent scrolls: sign, second digit, new digit.
        std::string s = lblEex;
        while (s.size() < 3) s += '0';
        lblEex = std::string(1, s[0]) + s[2] + c;
    } else {   // 3: a digit replaces the displayed copy
        lblDisp = std::string(1, c);
        lblEex.clear();
        enmNumEntry = 1;
    }
    RepaintDisplay();
}

void frmMain::DecimalKey() {
    if (enmNumEntry == 0 || enmNumEntry == 3) {
        SetDisplay("0.", "");
    } else if (enmNumEntry == 1) {
        if (lblDisp.find('.') == std::string::npos) {
            SetDisplay(lblDisp + ".", lblEex);
        } else {
            PushEntry();
            SetDisplay("0.", "");
        }
    } else {
        PushEntry();
        SetDisplay("0.", "");
    }
    enmNumEntry = 1;
    oFlags.SetFlag(3);
}

void frmMain::EEXKey() {
    ClearPendOp();
    if (enmNumEntry == 0) {
        if (enmShift != 0) {
            RunFunctionKey(enmKey::EEX);
            return;
        }
        SetDisplay("1", " 00");
        enmNumEntry = 2;
        oFlags.SetFlag(3);
    } else if (enmNumEntry == 1) {
        SetDisplay(lblDisp, " 00");
        enmNumEntry = 2;
    } else {
        PushEntry();
        SetDisplay("1", " 00");
        enmNumEntry = 2;
        oFlags.SetFlag(3);
    }
}

void frmMain::ChsKey() {
    ClearPendOp();
    switch (enmNumEntry) {
    case 0:
        if (enmShift != 0) {
            RunFunctionKey(enmKey::Chs);
            return;
        }
        oStack.Push(-oStack.Pop());
        ShowX();
        break;
    case 1:
        if (!lblDisp.empty() && lblDisp[0] == '-')
            lblDisp.erase(0, 1);
        else
            lblDisp.insert(0, "-");
        RepaintDisplay();
        break;
    case 2:
        if (lblEex.empty()) lblEex = " 00";
        lblEex[0] = lblEex[0] == ' ' ? '-' : ' ';
        RepaintDisplay();
        break;
    default:
        // Right after ENTER or CLX the displayed copy is pushed and then
        // negated, so that 5 ENTER CHS leaves -5 over 5 as users expect.
        PushEntry();
        enmNumEntry = 0;
        oStack.Push(-oStack.Pop());
        ShowX();
        break;
    }
    EndKey();
}

void frmMain::EnterKey() {
    ClearPendOp();
    if (enmNumEntry != 0) {
        SavePendingNum();
        ShowX();
        if (enmShift == 0) {
            if (!bInErr) enmNumEntry = 3;
        } else {
            RunFunctionKey(enmKey::Enter);
            return;
        }
    } else if (enmShift == 0) {
        const double x = oStack.Pop();
        oStack.Push(x);
        oStack.Push(x);
        ShowX();
    } else {
        RunFunctionKey(enmKey::Enter);
        return;
    }
    EndKey();
}

void frmMain::CLXKey() {
    ClearPendOp();
    if (bInErr) {
        ShowX();
    } else if (enmShift == 1) {
        oPrgm.Clear();
        lblPrgm.clear();
        oHost_.Refresh(enmPart::PrgmLabel);
        bCardVisible = false;
        oHost_.Refresh(enmPart::Card);
        enmNumEntry = 0;
    } else {
        if (enmNumEntry == 0) oStack.Pop();
        SetDisplay("0.00", "");
        enmNumEntry = 3;
    }
    EndKey();
    bInErr = false;
}

void frmMain::PrefixKey(int nShift) {
    enmShift = nShift;
    if (bRun) {
        if (nShift == 1) {
            if (bPendOp) {
                if (sPendOp == "GTO")
                    SetPendOp("gto");
                else
                    ClearPendOp();
                enmShift = 0;
            } else {
                SetTitle(std::string(kTitle) + "[f]");
            }
        } else {
            ClearPendOp();
            SetTitle(std::string(kTitle) + (nShift == 2 ? "[g]" : "[h]"));
        }
        FinishEntryInline();
        enmNumEntry = 0;
    } else {
        if (nShift == 1) {
            if (bPendOp) {
                if (sPendOp == "GTO")
                    SetPendOp("gto");
                else
                    ClearPendOp();
            } else {
                SetTitle(std::string(kTitle) + "[f]");
            }
        } else {
            if (bPendOp) ClearPendOp();
            SetTitle(std::string(kTitle) + (nShift == 2 ? "[g]" : "[h]"));
        }
    }
}

// ---- RUN mode dispatch ----

void frmMain::RunKey(enmKey eKey) {
    if (eKey == enmKey::F || eKey == enmKey::G || eKey == enmKey::H) {
        PrefixKey(eKey == enmKey::F ? 1 : eKey == enmKey::G ? 2 : 3);
        return;
    }
    // A waiting operation takes its operand or continuation first.
    if (bPendOp && RunPendingKey(eKey)) return;

    if (IsDigitKey(eKey) && enmShift == 0) {
        if (enmNumEntry == 0)
            StartNumber(DigitOfKey(eKey));
        else
            AppendDigit(DigitOfKey(eKey));
        return;
    }
    switch (eKey) {
    case enmKey::Decimal:
        if (enmShift == 0) {
            DecimalKey();
            return;
        }
        break;
    case enmKey::EEX: EEXKey(); return;
    case enmKey::Chs: ChsKey(); return;
    case enmKey::Enter: EnterKey(); return;
    case enmKey::CLX: CLXKey(); return;
    default: break;
    }
    RunFunctionKey(eKey);
}
