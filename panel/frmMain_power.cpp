// Power, the W/PRGM-RUN switch, R/S, SST, the card functions and the extra buttons.
#include "frmMain.h"

void frmMain::ShowCurrPrgmLine() { SetDisplay(oPrgm.ShowCurrLine(), lblEex); }

void frmMain::imgOn_Click() {
    // A running program is stopped first: On resets everything.
    RequestStop();
    const bool bWasRun = bRun;
    Form_Load();
    bCardVisible = false;
    oHost_.Refresh(enmPart::Card);
    lblPrgm.clear();
    oHost_.Refresh(enmPart::PrgmLabel);
    if (bWasRun) imgCLX_Click();
    bRun = true;
    bInErr = false;
}

void frmMain::TurnOff() {
    bOn = false;
    lblDisp.clear();
    lblEex.clear();
    lblPrgm.clear();
    RepaintDisplay();
    oHost_.Refresh(enmPart::PrgmLabel);
}

void frmMain::imgOff_Click() {
    if (!bOn) {
        RequestStop();
        oHost_.ExitProgram();
        return;
    }
    if (bRun) {
        RequestStop();
        TurnOff();
    }
    bInErr = false;
}

void frmMain::imgPrgm_Click() {
    if (!bOn) return;
    if (bRun) {
        RequestStop();
        imgCLX_Click();
        bRun = false;
        ShowCurrPrgmLine();
        lblEex.clear();
        RepaintDisplay();
    }
    bInErr = false;
}

void frmMain::imgRun_Click() {
    if (!bOn || bRun) return;
    oPrgm.ScanLabels();
    bRun = true;
    bCardVisible = oPrgm.HasProgram();
    oHost_.Refresh(enmPart::Card);
    bInErr = false;
    ShowX();
}

void frmMain::imgRunStop_Click() {
    if (!bOn) return;
    PlayClick();
    // R/S while a program runs stops it at its next step.
    if (IsRunning()) {
        RequestStop();
        return;
    }
    try {
        if (!bRun) {
            ClearPendOp();
            static const char* const kSteps[] = {"R/S", "-x-", "STK", "SPACE"};
            oPrgm.InsertLine(kSteps[enmShift >= 0 && enmShift <= 3 ? enmShift : 0]);
            enmShift = 0;
            SetTitle(kTitle);
            SetDisplay(oPrgm.ShowCurrLine(), "");
        } else {
            if (bInErr) return;
            bPendOp = false;
            sPendOp.clear();
            SavePendingNum();
            const int nShift = enmShift;
            enmShift = 0;
            SetTitle(kTitle);
            if (nShift == 1) {
                BlinkX();
            } else if (nShift == 2) {
                BlinkStack();
            } else if (nShift == 0) {
                oPrgm.ResetStartTime();
                RunProgram();
            }
        }
        if (bInErr) ErrorPath();
    } catch (const CCalcError&) {
        ErrorPath();
    }
}

void frmMain::imgSST_Click() {
    if (!bOn) return;
    PlayClick();
    if (IsRunning()) return;   // no second run inside a running one
    try {
        if (!bRun) {
            ClearPendOp();
            if (enmShift == 0) {
                SetDisplay(oPrgm.ShowNextLine(), "");
            } else if (enmShift == 3) {
                SetDisplay(oPrgm.ShowPrevLine(), "");
            } else {
                SetPendOp(enmShift == 1 ? "LBL" : "lbl");
            }
            if (enmShift == 3) SetTitle(kTitle);
            enmShift = 0;
            bInErr = false;
            return;
        }
        if (bInErr) return;
        ClearPendOp();
        const int nShift = enmShift;
        enmShift = 0;
        oPrgm.ResetStartTime();
        if (nShift == 3) {
            oPrgm.BST();
        } else {
            bool bSST = true;
            ++nRunDepth_;
            try {
                oPrgm.SST_Exec(bSST);
            } catch (...) {
                --nRunDepth_;
                throw;
            }
            --nRunDepth_;
        }
        bInErr = false;
    } catch (const CCalcError&) {
        ErrorPath();
    }
}

void frmMain::imgCardReader_Click() {
    if (!bOn) return;
    PlayClick();
    // The card reader comes with the program listing files.
    if (bRun && !bInErr) NotYetImplemented();
}

void frmMain::ReadDataOrWriteProgram() { NotYetImplemented(); }

void frmMain::imgSaveState_Click() { NotYetImplemented(); }

void frmMain::imgRestoreState_Click() { NotYetImplemented(); }

void frmMain::imgCopyright_Click() { oHost_.ShowAbout(); }

void frmMain::imgEdit_Click() {
    if (Release) return;
    NotYetImplemented();
}

void frmMain::WriteDataCard() {
    if (!oHost_.AskYesNo("Write Data", "Write Data?", enmIcon::Question)) return;
    CFileChoice oChoice;
    if (!oHost_.ChooseFile("", oChoice)) return;
    oMem.WriteData(oChoice.sFull);
}

void frmMain::ReadProgramCard() {
    // Program listings cannot be read yet.
    NotYetImplemented();
}
