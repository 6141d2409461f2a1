#include "frmMain.h"

#include <cmath>

frmMain::frmMain(CHost& oHost)
    : oHost_(oHost), oStack(&bInErr), oMem(), oStat(oMem), oPrgm(*this), oFlags() {
    // Form_Initialize: the machine objects exist (stack, registers,
    // statistics, program, flags); wire them to one another.
    Release = false;
    oMem.Attach(&oStack, &oStat, &oFlags);
    oMem.OnShowMem = [this](int16_t n) { ShowMemViewer(n); };
    bCardVisible = false;
    Form_Load();
}

void frmMain::Form_Load() {
    SetTitle(kTitle);
    InitData();
    lblDisp = "0.00";
    lblEex.clear();
    RepaintDisplay();
}

void frmMain::InitData() {
    bOn = true;
    bRun = true;
    enmShift = 0;
    bInErr = false;
    enmNumEntry = 0;
    bPendOp = false;
    sPendOp.clear();
    enmDispMode = 0;
    nDigits = 2;
    enmAngleMode = 1;
    lblEex.clear();
    oStack.Clear();
    oMem.Clear();
    oStat.Clear();
    oPrgm.Clear();
    oFlags.Clear();
    Pi = 4.0 * std::atan(1.0);
    fAngleFactor = Pi / 180.0;
}

void frmMain::SetTitle(const std::string& s) {
    if (sTitle == s) return;
    sTitle = s;
    oHost_.Refresh(enmPart::Title);
}

void frmMain::SetDisplay(const std::string& sDisp, const std::string& sEex) {
    lblDisp = sDisp;
    lblEex = sEex;
    RepaintDisplay();
}

void frmMain::RepaintDisplay() { oHost_.Refresh(enmPart::Disp); }

void frmMain::MsgBox(const std::string& sMsg, const std::string& sMsgTitle) {
    oHost_.ShowMsg(sMsg, sMsgTitle.empty() ? std::string("Corvel Emulator") : sMsgTitle);
}

void frmMain::PlayClick() { oHost_.PlaySound(enmSound::Click); }
void frmMain::PlayBeep() { oHost_.PlaySound(enmSound::Beep); }

void frmMain::RequestStop() {
    if (IsRunning()) oPrgm.StopRequested = true;
}

void frmMain::RunProgram() {
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
