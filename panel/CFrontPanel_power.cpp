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
    // The card reader comes with the program listing files.
    if (bRun && !bInErr) NotYetImplemented();
}

void CFrontPanel::ReadDataOrWriteProgram() { NotYetImplemented(); }

void CFrontPanel::imgSaveState_Click() { NotYetImplemented(); }

void CFrontPanel::imgRestoreState_Click() { NotYetImplemented(); }

void CFrontPanel::imgCopyright_Click() { oHost_.ShowAbout(); }

void CFrontPanel::imgEdit_Click() {
    if (Release) return;
    NotYetImplemented();
}

void CFrontPanel::WriteDataCard() {
    CFileChoice oChoice;
    if (oHost_.AskYesNo("Write Data", "Write Data?", enmIcon::Question) && oHost_.ChooseFile("", oChoice))
        oMem.WriteData(oChoice.sFull);
    EndKey();
}

void CFrontPanel::ReadProgramCard() {
    // Program listings cannot be read yet.
    NotYetImplemented();
    EndKey();
}

} // namespace corvel
