// Power, the W/PRGM-RUN switch, R/S, SST, the card functions and the extra buttons.
#include "CFrontPanel.h"

namespace corvel {

void CFrontPanel::ShowCurrPrgmLine() { SetDisplay(oPrgm.ShowCurrLine(), lblEex); }

void CFrontPanel::imgOn_Click() {
    // A running program is stopped first: On resets everything.
    RequestStop();
    const bool bWasRun = bRun;
    Form_Load();
    bCardVisible = false;
    oHost_.Refresh(enmPart::Card);
    SetProgramLabel("");
    if (bWasRun) imgCLX_Click();
    bRun = true;
    bInErr = false;
}

void CFrontPanel::TurnOff() {
    bOn = false;
    lblDisp.clear();
    lblEex.clear();
    lblPrgm.clear();
    RepaintDisplay();
    oHost_.Refresh(enmPart::PrgmLabel);
}

void CFrontPanel::imgOff_Click() {
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

void CFrontPanel::imgPrgm_Click() {
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

void CFrontPanel::imgRun_Click() {
    if (!bOn || bRun) return;
    oPrgm.ScanLabels();
    bRun = true;
    SetCardVisible(oPrgm.HasProgram());
    bInErr = false;
    ShowX();
}

void CFrontPanel::imgRunStop_Click() {
    if (!bOn) return;
    PlayClick();
    // R/S while a program runs stops it at its next step.
    if (IsRunning()) {
        RequestStop();
        return;
    }
    const CKeyRow& oRow = KeyRow(enmKey::RunStop);
    try {
        if (!bRun) {
            ClearPendOp();
            oPrgm.InsertLine(oRow.aPrgm[static_cast<int>(eShift)].sText);
            eShift = enmShift::None;
            SetTitle(kTitle);
            SetDisplay(oPrgm.ShowCurrLine(), "");
        } else {
            if (bInErr) return;
            ePendOp = enmPendOp::None;
            SavePendingNum();
            const CKeyAct& oAct = oRow.aRun[static_cast<int>(eShift)];
            eShift = enmShift::None;
            SetTitle(kTitle);
            if (oAct.pfnOwn) (this->*oAct.pfnOwn)();   // run, show X blinking, show the stack
        }
        if (bInErr) ErrorPath();
    } catch (const CCalcError&) {
        ErrorPath();
    }
}

void CFrontPanel::imgSST_Click() {
    if (!bOn) return;
    PlayClick();
    if (IsRunning()) return;   // no second run inside a running one
    try {
        if (!bRun) {
            ClearPendOp();
            const enmShift eWas = eShift;
            const CKeyAct& oAct = KeyRow(enmKey::SST).aPrgm[static_cast<int>(eWas)];
            if (oAct.eAct == enmAct::Pend)
                SetPendOp(oAct.ePend);   // f SST: LBL, g SST: lbl
            else
                (this->*oAct.pfnOwn)();   // the next or, with h, the previous step
            eShift = enmShift::None;
            bInErr = false;
            return;
        }
        if (bInErr) return;
        ClearPendOp();
        const enmShift eWas = eShift;
        eShift = enmShift::None;
        oPrgm.ResetStartTime();
        if (eWas == enmShift::H) {
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

void CFrontPanel::imgCardReader_Click() {
    if (!bOn) return;
    PlayClick();
    // The card slot reads and writes nothing while a program runs.
    if (!bRun || bInErr || IsRunning()) return;
    try {
        ClearPendOp();
        eShift = enmShift::None;
        SavePendingNum();
        ReadDataOrWriteProgram();
        if (bInErr) ErrorPath();
    } catch (const CCalcError&) {
        ErrorPath();
    }
}

void CFrontPanel::ReadDataOrWriteProgram() {
    CFileChoice oChoice;
    if (oPrgm.HasProgram() && AskYesNo("Write Program", "Write Program?", enmIcon::Question) &&
        ChooseFile("", enmFileUse::Write, oChoice)) {
        // The name picked is the file used: the directory shown and the name typed.
        if (oChoice.sFull == oPrgm.GetFilename() && oPrgm.HasSpecialComments()) {
            const std::string sWarning = std::string("You are about to write to an existing program file that ") +
                                         "contains special comments that were entered with a text editor." +
                                         " Saving to that file will overwrite the special comments. " +
                                         "Proceed anyway";
            if (!AskYesNo("* * * * * * * * W A R N I N G!!! * * * * * * * * ", sWarning, enmIcon::Critical)) return;
        }
        oPrgm.WriteProgram(oChoice.sFull);
        return;
    }
    if (AskYesNo("Read Data", "Read Data?", enmIcon::Question) && ChooseFile("", enmFileUse::Read, oChoice))
        oMem.ReadData(oChoice.sFull);
}

void CFrontPanel::imgSaveState_Click() { NotYetImplemented(); }

void CFrontPanel::imgRestoreState_Click() { NotYetImplemented(); }

void CFrontPanel::imgCopyright_Click() { oHost_.ShowAbout(); }

void CFrontPanel::imgEdit_Click() {
    if (Release || IsRunning()) return;
    oHost_.ShowEditor(oPrgm.EditText(), [this](const std::string& sText) {
        if (!oPrgm.AcceptEditText(sText)) return false;
        if (bOn && !bRun) ShowCurrPrgmLine();
        return true;
    });
}

void CFrontPanel::WriteDataCard() {
    CFileChoice oChoice;
    if (!IsRunning() && AskYesNo("Write Data", "Write Data?", enmIcon::Question) &&
        ChooseFile("", enmFileUse::Write, oChoice))
        oMem.WriteData(oChoice.sFull);
    EndKey();
}

void CFrontPanel::ReadProgramCard() {
    CFileChoice oChoice;
    if (!IsRunning() && AskYesNo("Read Program", "Read Program?", enmIcon::Question) &&
        ChooseFile("", enmFileUse::Read, oChoice))
        oPrgm.ReadProgram(oChoice.sFull);
    EndKey();
}

} // namespace corvel
