// Start-up, the interpreter's feedback, running a program, and the keys and
// controls by name and by typed character.
#include "CFrontPanel.h"

#include <cmath>

#include "../numeric/NumUtil.h"

namespace corvel {

CFrontPanel::CFrontPanel(CHost& oHost)
    : oHost_(oHost),
      oStack(oMachine.oStack),
      oMem(oMachine.oMem),
      oStat(oMachine.oStat),
      oFlags(oMachine.oFlags),
      oPrgm(oMachine, *this),
      fLastX(oMachine.fLastX),
      fAngleFactor(oMachine.fAngleFactor),
      Pi(oMachine.Pi),
      bInErr(oMachine.bInErr),
      eDispMode(oMachine.eDispMode),
      nDigits(oMachine.nDigits),
      lblDisp(oMachine.lblDisp),
      lblEex(oMachine.lblEex) {
    Release = false;
    oTape.SetTraceSource(&oPrgm);
    oPrgm.bTraceRing = true;
    bCardVisible = false;
    Form_Load();
    MarkWorkNew();
}

void CFrontPanel::ResetToNew() {
    oTape.ResetToNew();
    oMachine.ResetToNew();
    oPrgm.ResetToNew();
    oPrgm.bTraceRing = true;
    Release = false;   // the switches, prefixes and modes are set by Form_Load below
    lblPrgm.clear();
    sTitle.clear();
    bCardVisible = bBusy = false;
    sNote.clear();
    eCurKey_ = enmKey::K0;
    bKeyShow_ = bReplaying_ = bChangedAnyway_ = false;
    eStarted_ = enmStarted::None;
    vHeld_.clear();
    Form_Load();
    MarkWorkNew();
}

void CFrontPanel::Form_Load() {
    SetTitle(kTitle);
    InitData();
    lblDisp = "0.00";
    lblEex.clear();
    oHost_.Refresh(enmPart::Disp);
}

void CFrontPanel::InitData() {
    bOn = true;
    bRun = true;
    eShift = enmShift::None;
    eNumEntry = enmNumEntry::Idle;
    ePendOp = enmPendOp::None;
    eAngleMode = enmAngleMode::Degrees;
    bStepEntry_ = false;
    lblEex.clear();
    // FIX 2, degrees, no error; stack, registers, statistics and flags cleared.
    oMachine.Clear();
    oPrgm.Clear();
    oPrgm.EntryActive = oPrgm.ExpEntryActive = false;
}

void CFrontPanel::SetTitle(const std::string& s) {
    if (sTitle == s) return;
    sTitle = s;
    oHost_.Refresh(enmPart::Title);
}

void CFrontPanel::SetDisplay(const std::string& sDisp, const std::string& sEex) {
    lblDisp = sDisp;
    lblEex = sEex;
    oHost_.Refresh(enmPart::Disp);
}

// ---- the interpreter's feedback ----

void CFrontPanel::MsgBox(const std::string& sMsg, const std::string& sMsgTitle) {
    // A step's error has ended the run: the panel says so at once (lamp off,
    // "Error" at full brightness), not only after the box is answered.
    if (bInErr && eStarted_ == enmStarted::Run) {
        ErrorPath();
        SetRunning(false);
    }
    oHost_.ShowMsg(sMsg, sMsgTitle.empty() ? std::string("Corvel Emulator") : sMsgTitle);
}

void CFrontPanel::ListingError(const std::string& sListingTitle, const std::string& sMsg, bool bOwnWindow,
                               const std::vector<CListingPlace>& vPlaces) {
    if (vPlaces.empty()) {
        CPanelFeedback::ListingError(sListingTitle, sMsg, bOwnWindow, vPlaces);
        return;
    }
    std::string sDetails;
    for (const CListingPlace& o : vPlaces) sDetails += o.Describe() + "\n";
    oHost_.ShowMsgDetails(sMsg, sListingTitle, sDetails, bOwnWindow ? enmIcon::Information : enmIcon::Critical);
    // After the message, so that the note is still there when it is closed.
    SetNote(vPlaces.front().Describe());
}

void CFrontPanel::SetProgramLabel(const std::string& sText) {
    lblPrgm = sText;
    oHost_.Refresh(enmPart::PrgmLabel);
}

void CFrontPanel::SetCardVisible(bool bVisible) {
    bCardVisible = bVisible;
    oHost_.Refresh(enmPart::Card);
}

void CFrontPanel::SetRunning(bool bRunning) {
    bBusy = bRunning;
    oHost_.Refresh(enmPart::Cursor);
    if (bRunning) oHost_.Refresh(enmPart::Window);
}

// ---- running ----

CFrontPanel::enmWhileBusy CFrontPanel::WhileBusy(enmInput eInput) const {
    if (oPrgm.Waiting()) {
        // A timed display (PAUSE, a blink, the step line) holds every input
        // back until it is over, except R/S, which stops a run at once.
        if (eInput == enmInput::RunStop && oPrgm.Running()) return enmWhileBusy::Stop;
        return eInput == enmInput::GoTo ? enmWhileBusy::Ignore : enmWhileBusy::Hold;
    }
    if (!vHeld_.empty() && !bReplaying_) return enmWhileBusy::Hold;   // behind those held before
    if (!oPrgm.Busy()) return enmWhileBusy::Act;
    // Between two slices of a run.
    switch (eInput) {
    case enmInput::Key:      // keys act between steps; a label key or GSB starts no second run
    case enmInput::Switch:   // On, Off and the mode switch stop the run themselves
        return enmWhileBusy::Act;
    case enmInput::RunStop:
        return enmWhileBusy::Stop;
    default:   // SST, the card slot, files, the editor, paste, the program view
        return enmWhileBusy::Ignore;
    }
}

bool CFrontPanel::Admit(enmInput eInput, std::function<void()> fnAgain) {
    switch (WhileBusy(eInput)) {
    case enmWhileBusy::Act:
        return true;
    case enmWhileBusy::Hold:
        if (fnAgain) vHeld_.push_back(std::move(fnAgain));
        return false;
    case enmWhileBusy::Stop:
        if (bOn) oHost_.PlaySound(enmSound::Click);
        RequestStop();
        return false;
    case enmWhileBusy::Ignore:
        break;
    }
    return false;
}

void CFrontPanel::RequestStop() {
    if (!oPrgm.Running()) return;
    oPrgm.RequestStop();
    oHost_.ScheduleRun(*this);   // honoured by the next slice, at once
}

void CFrontPanel::RunProgram(int nStopBelow) {
    if (oPrgm.Busy()) return;   // no second run while one is under way
    oPrgm.Exec(nStopBelow);
    eStarted_ = enmStarted::Run;
    oHost_.ScheduleRun(*this);
}

void CFrontPanel::StartRunAt(int nStep) {
    if (oPrgm.Busy()) return;   // nor does a key move the running one
    oPrgm.SetPrgmPointer(nStep);
    bInErr = false;
    RunProgram();
}

void CFrontPanel::ShowTimed(std::vector<CShowPhase> vPhases, std::function<void()> fnAfter) {
    if (!bKeyShow_) {   // the step that is running shows it
        oPrgm.ShowFor(std::move(vPhases), std::move(fnAfter));
        return;
    }
    // A key's: an error found at its end takes the key's error path.
    const bool bWasBusy = oPrgm.Busy();
    oPrgm.ShowFor(std::move(vPhases),
                  [this, fn = std::move(fnAfter)] {
                      try {
                          if (fn) fn();
                      } catch (const CCalcError& e) {
                          ErrorPath(e.Kind());
                      }
                  },
                  false);
    if (!bWasBusy && oPrgm.Busy()) {
        eStarted_ = enmStarted::Show;
        oHost_.ScheduleRun(*this);
    }
}

CSlice CFrontPanel::RunSlice(uint64_t nMaxSteps) {
    const CSlice oSlice = oPrgm.RunSlice(nMaxSteps);
    if (!oPrgm.Busy() && eStarted_ != enmStarted::None) AfterRun();
    // Inputs held back by a timed display act now that it is over, in order
    // (one of them may start another timed display, which holds the rest).
    bReplaying_ = true;
    while (!vHeld_.empty() && !oPrgm.Waiting()) {
        const std::function<void()> fn = std::move(vHeld_.front());
        vHeld_.erase(vHeld_.begin());
        fn();
    }
    bReplaying_ = false;
    return oSlice;
}

void CFrontPanel::AfterRun() {
    const enmStarted eWas = eStarted_;
    eStarted_ = enmStarted::None;
    if (eWas == enmStarted::Run) {
        // The power or mode switch may have moved while the program ran: the
        // display then shows what that state shows, not the X of the ended run.
        // A run that ended on an error shows "Error", as the key that started
        // it would have shown it.
        if (bInErr && bOn && bRun) ErrorPath();
        if (!bOn) {
            SetDisplay("", "");
        } else if (!bRun) {
            SetDisplay(oPrgm.ShowCurrLine(), "");
        }
    } else if (eWas == enmStarted::Step) {
        bInErr = false;   // the SST key clears the error after each single step
    }
    // Stopped inside a number the steps were keying: it stays in entry, as a
    // typed number does, so the digit, point, EEX and CHS keys go on with it,
    // R/S and SST hand it back to the program, and any other key ends it.
    if (oPrgm.EntryActive || oPrgm.ExpEntryActive) {
        eNumEntry = oPrgm.ExpEntryActive ? enmNumEntry::Exponent : enmNumEntry::Mantissa;
        bStepEntry_ = true;
    }
}

void CFrontPanel::EntryToRun() {
    if (bStepEntry_)
        ResumeStepEntry();
    else
        SavePendingNum();
}

void CFrontPanel::ResumeStepEntry() {
    if (!bStepEntry_) return;
    bStepEntry_ = false;
    oPrgm.EntryActive = eNumEntry == enmNumEntry::Mantissa;
    oPrgm.ExpEntryActive = eNumEntry == enmNumEntry::Exponent;
    eNumEntry = enmNumEntry::Idle;
}

// ---- keys by name and by character ----

bool CFrontPanel::IsKeyName(const std::string& sName) {
    return KeyByName(sName.c_str()) != nullptr || ControlByName(sName.c_str()) != nullptr;
}

bool CFrontPanel::PressKey(const std::string& sName) {
    SetNote("");   // a note lasts until the next key or click
    if (const CKeyRow* pKey = KeyByName(sName.c_str())) {
        if (pKey->eKey == enmKey::RunStop)
            imgRunStop_Click();
        else if (pKey->eKey == enmKey::SST)
            imgSST_Click();
        else
            KeyClick(pKey->eKey);
        return true;
    }
    if (const CControlRow* pControl = ControlByName(sName.c_str())) {
        (this->*pControl->pfnClick)();
        return true;
    }
    return false;
}

bool CFrontPanel::Form_KeyPress(int nChar) {
    const CKeyRow* pKey = KeyByChar(nChar);
    if (pKey == nullptr) return false;
    PressKey(pKey->sName);
    return true;
}

bool CFrontPanel::GoToStep(int nStep) {
    if (!Admit(enmInput::GoTo, {}) || !bOn || bInErr || nStep < 0 || nStep > oPrgm.GetMaxSteps()) return false;
    oPrgm.SetPrgmPointer(nStep);
    if (!bRun) SetDisplay(oPrgm.ShowCurrLine(), "");
    oHost_.Refresh(enmPart::Window);
    return true;
}

std::string CFrontPanel::CopyText() const {
    if (!bOn) return std::string();
    if (!bRun) return oPrgm.GetLine(oPrgm.GetPrgmPointer());
    return NumUtil::FormatRoundTrip(oStack.GetX());
}

void CFrontPanel::PasteText(const std::string& sText) {
    if (!Admit(enmInput::Paste, [this, sText] { PasteText(sText); })) return;
    if (!bOn || !bRun || bInErr) return;
    double v = 0;
    std::string sWhy;
    if (!NumUtil::ParseWhole(sText, v))
        sWhy = "Paste: not a number";
    else if (!(std::fabs(v) < NumUtil::kBig))
        sWhy = "Paste: number too large";
    SetNote(sWhy);
    if (!sWhy.empty()) return;
    try {
        ClearPendOp();
        // As typing: a number being typed ends first (as ENTER ends it);
        // after ENTER or CLX the number takes the place of the copy, as a
        // typed digit does, so that copy is not pushed.
        if (eNumEntry == enmNumEntry::Mantissa || eNumEntry == enmNumEntry::Exponent) PushEntry();
        oStack.Push(v);
        oFlags.SetFlag(CFlags::kDataEntry);
        eNumEntry = enmNumEntry::Idle;
        EndKey();
        ShowX();
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
    }
}

void CFrontPanel::NotYetImplemented() {
    oHost_.ShowNotice("FYI", "Feature is not yet implemented", enmIcon::Information);
}

} // namespace corvel
