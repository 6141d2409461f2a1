// Power, the W/PRGM-RUN switch, R/S, SST, the card functions and the extra buttons.
#include "CFrontPanel.h"
#include "CStateFile.h"
#include "../machine/CFileIO.h"

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
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
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
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
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
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
    }
}

void CFrontPanel::ReadDataOrWriteProgram() {
    CFileChoice oChoice;
    if (oPrgm.HasProgram() && AskYesNo("Write Program", "Write Program?", enmIcon::Question) &&
        ChooseFile("", enmFileUse::Write, oChoice)) {
        // The name picked is the file used: the directory shown and the name typed.
        FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
        if (oChoice.sFull == oPrgm.GetFilename() && oPrgm.HasSpecialComments()) {
            const std::string sWarning = std::string("You are about to write to an existing program file that ") +
                                         "contains special comments that were entered with a text editor." +
                                         " Saving to that file will overwrite the special comments. " +
                                         "Proceed anyway";
            if (!AskYesNo("* * * * * * * * W A R N I N G!!! * * * * * * * * ", sWarning, enmIcon::Critical)) return;
        }
        oNew.KeepIf(oPrgm.WriteProgram(oChoice.sFull));
        return;
    }
    if (AskYesNo("Read Data", "Read Data?", enmIcon::Question) && ChooseFile("", enmFileUse::Read, oChoice) &&
        !oMem.ReadData(oChoice.sFull))
        MsgBox("Error in reading file " + oChoice.sFull, "File Input Error");
}

CFileChoice CFrontPanel::StateFileName(enmFileUse eUse) {
    CFileChoice oChoice;
    if (ChooseFile("", eUse, oChoice)) return oChoice;
    return {CStateFile::kDefaultName, CStateFile::kDefaultName};   // in the current directory
}

void CFrontPanel::imgSaveState_Click() {
    if (bInErr || IsRunning()) return;
    const CFileChoice oChoice = StateFileName(enmFileUse::Write);
    FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
    CStateFile o;
    o.sFilename = oPrgm.GetFilename();
    for (int i = 1; i <= CStateFile::kSteps; ++i) o.aSteps[static_cast<size_t>(i)] = oPrgm.GetLine(i);
    for (int r = 0; r < CStateFile::kRegs; ++r) o.aRegs[static_cast<size_t>(r)] = oMem.Rcl(r);
    o.fX = oStack.GetX();
    o.fY = oStack.GetY();
    o.fZ = oStack.GetZ();
    o.fT = oStack.GetT();
    // Looked at without the flag test, which would clear flags 2 and 3.
    for (int f = 0; f < 10; ++f) o.aFlags[static_cast<size_t>(f)] = oFlags.PeekFlag(f);
    o.nDigits = nDigits;
    o.eDispMode = eDispMode;
    if (!oNew.KeepIf(o.Write(oChoice.sFull))) oHost_.ShowNotice("Error", "Could not open state file for output", enmIcon::Critical);
}

void CFrontPanel::imgRestoreState_Click() {
    if (IsRunning()) return;
    const std::string sFile = StateFileName(enmFileUse::Read).sFull;
    // The whole file is read and checked before anything of it is used.
    CStateFile o;
    if (!o.Read(sFile)) {
        oHost_.ShowNotice("Error", "Could not open state file for input", enmIcon::Critical);
        return;
    }
    oPrgm.SetFilename(o.sFilename);
    for (int i = 1; i <= CStateFile::kSteps; ++i) oPrgm.SetLine(i, o.aSteps[static_cast<size_t>(i)]);
    for (int r = 0; r < CStateFile::kRegs; ++r) oMem.Sto(r, o.aRegs[static_cast<size_t>(r)]);
    // Pushed in turn, T first; the stack refuses a value of 1e100 or more.
    bool bRefused = false;
    for (double v : {o.fT, o.fZ, o.fY, o.fX}) {
        bInErr = false;
        oStack.Push(v);
        bRefused = bRefused || bInErr;
    }
    for (int f = 0; f < 10; ++f) {
        if (o.aFlags[static_cast<size_t>(f)])
            oFlags.SetFlag(f);
        else
            oFlags.ClearFlag(f);
    }
    nDigits = o.nDigits;
    eDispMode = o.eDispMode;
    ShowX();
    oPrgm.ScanLabels();
    oPrgm.SetPrgmPointer(1);
    if (oPrgm.HasProgram()) {
        SetCardVisible(true);
        SetProgramLabel(oPrgm.GetFilename());
    }
    // Setting the pointer has cleared the error a refused value raised, so
    // the note line says that the stack is not all the file held.
    if (bRefused) {
        sNote = "Restore: a stack value of 1e100 or more was left out";
        oHost_.Refresh(enmPart::Note);
    }
}

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
        ChooseFile("", enmFileUse::Write, oChoice)) {
        FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
        if (!oNew.KeepIf(oMem.WriteData(oChoice.sFull))) MsgBox("Error in writing to file " + oChoice.sFull, "File Input Error");
    }
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
