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
    oMem.OnShowMem = [this](int16_t n) { ShowMemViewer(n); };
    oTape.SetTraceSource(&oPrgm);
    oPrgm.bTraceRing = true;
    bCardVisible = false;
    Form_Load();
}

void CFrontPanel::Form_Load() {
    SetTitle(kTitle);
    InitData();
    lblDisp = "0.00";
    lblEex.clear();
    RepaintDisplay();
}

void CFrontPanel::InitData() {
    bOn = true;
    bRun = true;
    eShift = enmShift::None;
    eNumEntry = enmNumEntry::Idle;
    ePendOp = enmPendOp::None;
    eAngleMode = enmAngleMode::Degrees;
    lblEex.clear();
    // FIX 2, degrees, no error; stack, registers, statistics and flags cleared.
    oMachine.Clear();
    oPrgm.Clear();
}

void CFrontPanel::SetTitle(const std::string& s) {
    if (sTitle == s) return;
    sTitle = s;
    oHost_.Refresh(enmPart::Title);
}

void CFrontPanel::SetDisplay(const std::string& sDisp, const std::string& sEex) {
    lblDisp = sDisp;
    lblEex = sEex;
    RepaintDisplay();
}

// ---- the interpreter's feedback ----

void CFrontPanel::RepaintDisplay() { oHost_.Refresh(enmPart::Disp); }
void CFrontPanel::RepaintWindow() { oHost_.Refresh(enmPart::Window); }

void CFrontPanel::MsgBox(const std::string& sMsg, const std::string& sMsgTitle) {
    oHost_.ShowMsg(sMsg, sMsgTitle.empty() ? std::string("Corvel Emulator") : sMsgTitle);
}

void CFrontPanel::ShowNotice(const std::string& sNoticeTitle, const std::string& sText, enmIcon eIcon) {
    oHost_.ShowNotice(sNoticeTitle, sText, eIcon);
}

bool CFrontPanel::AskYesNo(const std::string& sQuestionTitle, const std::string& sText, enmIcon eIcon) {
    return oHost_.AskYesNo(sQuestionTitle, sText, eIcon);
}

bool CFrontPanel::ChooseFile(const std::string& sInitial, enmFileUse eUse, CFileChoice& oChoice) {
    return oHost_.ChooseFile(sInitial, eUse, oChoice);
}

void CFrontPanel::PlayClick() { oHost_.PlaySound(enmSound::Click); }
void CFrontPanel::PlayBeep() { oHost_.PlaySound(enmSound::Beep); }

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

double CFrontPanel::ClockSeconds() { return oHost_.ClockSeconds(); }

// ---- running ----

void CFrontPanel::RequestStop() {
    if (IsRunning()) oPrgm.StopRequested = true;
}

void CFrontPanel::RunProgram() {
    // A key pressed while a program runs never starts a second run inside it.
    if (IsRunning()) return;
    ++nRunDepth_;
    try {
        oPrgm.Exec();
    } catch (...) {
        --nRunDepth_;
        throw;
    }
    --nRunDepth_;
    // The power or mode switch may have moved while the program ran: the
    // display then shows what that state shows, not the X of the ended run.
    if (!bOn) {
        SetDisplay("", "");
    } else if (!bRun) {
        SetDisplay(oPrgm.ShowCurrLine(), "");
    }
}

// ---- keys by name and by character ----

bool CFrontPanel::IsKeyName(const std::string& sName) {
    return KeyByName(sName.c_str()) != nullptr || ControlByName(sName.c_str()) != nullptr;
}

bool CFrontPanel::PressKey(const std::string& sName) {
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
    if (IsRunning() || !bOn || bInErr || nStep < 0 || nStep > oPrgm.GetMaxSteps()) return false;
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
    if (!bOn || !bRun || IsRunning() || bInErr) return;
    double v = 0;
    std::string sWhy;
    if (!NumUtil::ParseWhole(sText, v))
        sWhy = "Paste: not a number";
    else if (!(std::fabs(v) < NumUtil::kBig))
        sWhy = "Paste: number too large";
    if (!sWhy.empty()) {
        sNote = sWhy;
        oHost_.Refresh(enmPart::Note);
        return;
    }
    try {
        ClearPendOp();
        SavePendingNum();   // an entry in progress ends as ENTER ends it
        oStack.Push(v);
        oFlags.SetFlag(3);
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
