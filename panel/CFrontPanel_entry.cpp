// The key-entry engine: the frame every key handler runs in, number entry
// in the display fields, the prefix keys and the pending two-key operations.
#include <string>

#include "../numeric/NumUtil.h"
#include "CFrontPanel.h"

namespace corvel {

namespace {

int DigitOfKey(enmKey e) { return static_cast<int>(e) - static_cast<int>(enmKey::K0); }

const char* PrefixTitle(enmShift e) {
    switch (e) {
    case enmShift::F: return "[f]";
    case enmShift::G: return "[g]";
    case enmShift::H: return "[h]";
    case enmShift::None: break;
    }
    return "";
}

} // namespace

void CFrontPanel::KeyClick(enmKey eKey) {
    if (!Admit(enmInput::Key, [this, eKey] { KeyClick(eKey); })) return;
    if (!bOn) return;
    oHost_.PlaySound(enmSound::Click);
    // While "Error" is shown in RUN mode only CLX acts.
    if (bRun && bInErr && eKey != enmKey::CLX) return;
    eCurKey_ = eKey;
    try {
        if (bRun)
            RunKey(eKey);
        else
            PrgmKey(eKey);
        if (bInErr) ErrorPath();
        DropEndedStepEntry();
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
    }
}

void CFrontPanel::DropEndedStepEntry() {
    // A key that ended the number the steps were keying without pushing it
    // (CLX, the mode switch, an error) leaves the program nothing to go on with.
    if (!bStepEntry_ || eNumEntry == enmNumEntry::Mantissa || eNumEntry == enmNumEntry::Exponent) return;
    bStepEntry_ = false;
    oPrgm.EntryActive = oPrgm.ExpEntryActive = false;
}

void CFrontPanel::ErrorPath() {
    lblDisp = "Error";
    lblEex.clear();
    bInErr = true;
    eNumEntry = enmNumEntry::Idle;
    eShift = enmShift::None;
    oHost_.Refresh(enmPart::Disp);
}

void CFrontPanel::ErrorPath(enmErrKind eCause) {
    bInErr.Raise(eCause);
    ErrorPath();
}

void CFrontPanel::EndKey() {
    eShift = enmShift::None;
    SetTitle(kTitle);
}

void CFrontPanel::FinishEntryInline() {
    if (eNumEntry != enmNumEntry::Idle) {
        PushEntry();
        ShowX();
        eNumEntry = enmNumEntry::Idle;
    }
}

void CFrontPanel::SavePendingNum() {
    if (eNumEntry != enmNumEntry::Idle) {
        PushEntry();
        eNumEntry = enmNumEntry::Idle;
    }
}

void CFrontPanel::PushEntry() {
    // A number the steps were keying ends here too.
    bStepEntry_ = false;
    oPrgm.EntryActive = oPrgm.ExpEntryActive = false;
    oStack.Push(GetVal());
    // A typed number the stack refuses ends the key at once, so the key's own
    // work never runs on the stack as it was.
    if (bInErr) throw CCalcError(enmErrKind::Overflow);
}

void CFrontPanel::SetPendOp(enmPendOp eOp) {
    ePendOp = eOp;
    SetTitle(std::string(kTitle) + "[" + PendOpText(eOp) + "]");
}

void CFrontPanel::ClearPendOp() {
    ePendOp = enmPendOp::None;
    SetTitle(kTitle);
}

// ---- number entry ----

void CFrontPanel::StartNumber(int d) {
    eNumEntry = enmNumEntry::Mantissa;
    SetDisplay(std::to_string(d), "");
    oFlags.SetFlag(CFlags::kDataEntry);
}

void CFrontPanel::AppendDigit(int d) {
    const char c = static_cast<char>('0' + d);
    if (eNumEntry == enmNumEntry::Mantissa) {
        lblDisp += c;
    } else if (eNumEntry == enmNumEntry::Exponent) {
        // The exponent scrolls: sign, second digit, new digit.
        std::string s = lblEex;
        while (s.size() < 3) s += '0';
        lblEex = std::string(1, s[0]) + s[2] + c;
    } else {   // a digit replaces the displayed copy
        lblDisp = std::string(1, c);
        lblEex.clear();
        eNumEntry = enmNumEntry::Mantissa;
    }
    oHost_.Refresh(enmPart::Disp);
}

void CFrontPanel::DecimalKey() {
    switch (eNumEntry) {
    case enmNumEntry::Idle:
    case enmNumEntry::LiftPending:
        SetDisplay("0.", "");
        break;
    case enmNumEntry::Mantissa:
        if (lblDisp.find('.') == std::string::npos) {
            SetDisplay(lblDisp + ".", lblEex);
        } else {
            PushEntry();
            SetDisplay("0.", "");
        }
        break;
    case enmNumEntry::Exponent:
        PushEntry();
        SetDisplay("0.", "");
        break;
    }
    eNumEntry = enmNumEntry::Mantissa;
    oFlags.SetFlag(CFlags::kDataEntry);
}

void CFrontPanel::EEXKey() {
    ClearPendOp();
    switch (eNumEntry) {
    case enmNumEntry::Idle:
        if (eShift != enmShift::None) {
            RunAct(KeyRow(enmKey::EEX).aRun[static_cast<int>(eShift)]);
            return;
        }
        SetDisplay("1", " 00");
        eNumEntry = enmNumEntry::Exponent;
        oFlags.SetFlag(CFlags::kDataEntry);
        break;
    case enmNumEntry::Mantissa:   // the prefix is not consulted
        SetDisplay(lblDisp, " 00");
        eNumEntry = enmNumEntry::Exponent;
        break;
    default:
        PushEntry();
        SetDisplay("1", " 00");
        eNumEntry = enmNumEntry::Exponent;
        oFlags.SetFlag(CFlags::kDataEntry);
        break;
    }
    // A prefix still set (keyed in W/PRGM before the switch to RUN) is used up
    // here, so the exponent digits that follow are not taken as f, g or h keys.
    EndKey();
}

void CFrontPanel::ChsKey() {
    ClearPendOp();
    switch (eNumEntry) {
    case enmNumEntry::Idle:
        if (eShift != enmShift::None) {
            RunAct(KeyRow(enmKey::Chs).aRun[static_cast<int>(eShift)]);
            return;
        }
        // LAST X keeps its value: the keyboard's CHS is part of number entry.
        oStack.Push(-oStack.Pop());
        ShowX();
        break;
    case enmNumEntry::Mantissa:
        if (!lblDisp.empty() && lblDisp[0] == '-')
            lblDisp.erase(0, 1);
        else
            lblDisp.insert(0, "-");
        oHost_.Refresh(enmPart::Disp);
        break;
    case enmNumEntry::Exponent:
        if (lblEex.empty()) lblEex = " 00";
        lblEex[0] = lblEex[0] == ' ' ? '-' : ' ';
        oHost_.Refresh(enmPart::Disp);
        break;
    case enmNumEntry::LiftPending:
        // Right after ENTER or CLX the displayed copy is pushed and then
        // negated, so that 5 ENTER CHS leaves -5 over 5 as users expect.
        PushEntry();
        eNumEntry = enmNumEntry::Idle;
        oStack.Push(-oStack.Pop());
        ShowX();
        break;
    }
    EndKey();
}

void CFrontPanel::EnterKey() {
    ClearPendOp();
    if (eNumEntry != enmNumEntry::Idle) {
        SavePendingNum();
        ShowX();
        if (eShift != enmShift::None) {
            // With a prefix the prefixed function runs after the push.
            RunAct(KeyRow(enmKey::Enter).aRun[static_cast<int>(eShift)]);
            return;
        }
        if (!bInErr) eNumEntry = enmNumEntry::LiftPending;
    } else if (eShift == enmShift::None) {
        const double x = oStack.Pop();
        oStack.Push(x);
        oStack.Push(x);
        ShowX();
    } else {
        RunAct(KeyRow(enmKey::Enter).aRun[static_cast<int>(eShift)]);
        return;
    }
    EndKey();
}

void CFrontPanel::CLXKey() {
    ClearPendOp();
    if (bInErr) {
        ShowX();
    } else if (eShift == enmShift::F) {
        ClearProgramKey();
    } else {
        if (eNumEntry == enmNumEntry::Idle) oStack.Pop();
        SetDisplay("0.00", "");
        eNumEntry = enmNumEntry::LiftPending;
    }
    EndKey();
    bInErr = false;
}

void CFrontPanel::EntryKey(enmKey eKey) {
    switch (eKey) {
    case enmKey::Decimal: DecimalKey(); return;
    case enmKey::EEX: EEXKey(); return;
    case enmKey::Chs: ChsKey(); return;
    case enmKey::Enter: EnterKey(); return;
    case enmKey::CLX: CLXKey(); return;
    default:
        if (eNumEntry == enmNumEntry::Idle)
            StartNumber(DigitOfKey(eKey));
        else
            AppendDigit(DigitOfKey(eKey));
        return;
    }
}

void CFrontPanel::PrefixKey(enmShift eNew) {
    eShift = eNew;
    const std::string sPrefixTitle = std::string(kTitle) + PrefixTitle(eNew);
    if (eNew == enmShift::F) {
        // f turns a waiting GTO into "gto" and cancels any other operation.
        if (HasPendOp()) {
            if (ePendOp == enmPendOp::GTO)
                SetPendOp(enmPendOp::gto);
            else
                ClearPendOp();
            if (bRun) eShift = enmShift::None;   // used up at once
        } else {
            SetTitle(sPrefixTitle);
        }
    } else {
        if (bRun || HasPendOp()) ClearPendOp();
        SetTitle(sPrefixTitle);
    }
    if (bRun) {
        FinishEntryInline();
        eNumEntry = enmNumEntry::Idle;
    }
}

void CFrontPanel::DspKey() {
    ClearPendOp();
    if (eShift == enmShift::None) {
        SetPendOp(enmPendOp::DSP);
    } else {
        oPrgm.ExecInstr(*KeyRow(enmKey::DSP).aRun[static_cast<int>(eShift)].pInstr);   // FIX, SCI, ENG
        EndKey();
    }
    SavePendingNum();
    ShowX();
}

// ---- RUN mode dispatch ----

void CFrontPanel::RunKey(enmKey eKey) {
    const CKeyRow& oRow = KeyRow(eKey);
    const CKeyAct& oAct = oRow.aRun[static_cast<int>(eShift)];
    if (oAct.eAct == enmAct::Prefix) {
        PrefixKey(eKey == enmKey::F ? enmShift::F : eKey == enmKey::G ? enmShift::G : enmShift::H);
        return;
    }
    // A waiting operation takes its operand or continuation first.
    if (HasPendOp() && PendingKey(eKey)) return;
    switch (eKey) {
    case enmKey::EEX:
    case enmKey::Chs:
    case enmKey::Enter:
    case enmKey::CLX:
        EntryKey(eKey);   // these consult the entry state before the prefix
        return;
    case enmKey::DSP:
        DspKey();
        return;
    default:
        break;
    }
    if (oAct.eAct == enmAct::Entry) {
        EntryKey(eKey);
        return;
    }
    if (oRow.bFinishInline) FinishEntryInline();
    RunAct(oAct);
}

void CFrontPanel::RunAct(const CKeyAct& oAct) {
    switch (oAct.eAct) {
    case enmAct::Instr:
        // The instruction's own code, in the frame of a key: the entry ends
        // first and X is shown afterwards.
        SavePendingNum();
        oPrgm.ExecInstr(*oAct.pInstr, oAct.sText);
        ShowX();
        EndKey();
        return;
    case enmAct::Own:
        (this->*oAct.pfnOwn)();
        return;
    case enmAct::Pend:
        if (!KeyRow(eCurKey_).bFinishInline) {
            SavePendingNum();
            SetPendOp(oAct.ePend);
            ShowX();
        } else {
            SetPendOp(oAct.ePend);
        }
        eShift = enmShift::None;
        return;
    default:
        EndKey();
        return;
    }
}

} // namespace corvel
