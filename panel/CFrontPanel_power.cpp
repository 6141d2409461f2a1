// Power, the W/PRGM-RUN switch, R/S, SST, the card functions and the extra buttons.
#include "CFrontPanel.h"
#include "CStateFile.h"
#include "../machine/CFileIO.h"

namespace corvel {

void CFrontPanel::ShowCurrPrgmLine() { SetDisplay(oPrgm.ShowCurrLine(), lblEex); }

void CFrontPanel::imgOn_Click() {
    if (!Admit(enmInput::Switch, [this] { imgOn_Click(); })) return;
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
    oHost_.Refresh(enmPart::Disp);
    oHost_.Refresh(enmPart::PrgmLabel);
}

void CFrontPanel::imgOff_Click() {
    if (!Admit(enmInput::Switch, [this] { imgOff_Click(); })) return;
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
    if (!Admit(enmInput::Switch, [this] { imgPrgm_Click(); })) return;
    if (!bOn) return;
    if (bRun) {
        RequestStop();
        imgCLX_Click();
        bRun = false;
        ShowCurrPrgmLine();
        lblEex.clear();
        oHost_.Refresh(enmPart::Disp);
    }
    bInErr = false;
}

void CFrontPanel::imgRun_Click() {
    if (!Admit(enmInput::Switch, [this] { imgRun_Click(); })) return;
    if (!bOn || bRun) return;
    oPrgm.ScanLabels();
    bRun = true;
    SetCardVisible(oPrgm.HasProgram());
    bInErr = false;
    ShowX();
}

void CFrontPanel::imgRunStop_Click() {
    // R/S while a program runs stops it before its next step.
    if (!Admit(enmInput::RunStop, [this] { imgRunStop_Click(); })) return;
    if (!bOn) return;
    oHost_.PlaySound(enmSound::Click);
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
            const CKeyAct& oAct = oRow.aRun[static_cast<int>(eShift)];
            BeforeRunKey();
            if (oAct.pfnOwn) (this->*oAct.pfnOwn)();   // run, show X blinking, show the stack
        }
        if (bInErr) ErrorPath();
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
    }
}

void CFrontPanel::imgSST_Click() {
    if (!Admit(enmInput::SST, [this] { imgSST_Click(); })) return;
    if (!bOn) return;
    oHost_.PlaySound(enmSound::Click);
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
        EntryToRun();
        const enmShift eWas = eShift;
        eShift = enmShift::None;
        oPrgm.ResetStartTime();
        if (eWas == enmShift::H)
            oPrgm.BST();
        else
            oPrgm.SST_Exec(true);
        if (oPrgm.Busy()) {
            eStarted_ = enmStarted::Step;   // the error is cleared when the step has ended
            oHost_.ScheduleRun(*this);
        } else {
            bInErr = false;
        }
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
    }
}

void CFrontPanel::BeforeRunKey() {
    ePendOp = enmPendOp::None;
    EntryToRun();
    eShift = enmShift::None;
    SetTitle(kTitle);
}

void CFrontPanel::StepKey(bool bOver) {
    if (!Admit(enmInput::SST, [this, bOver] { StepKey(bOver); })) return;
    if (!bOn) return;
    const int nStopBelow = !bRun ? 0 : bOver ? oPrgm.StepOverDepth() : oPrgm.StepOutDepth();
    if (!bRun && !bOver) {
        SetNote("Step out runs in RUN mode");
        return;
    }
    if (nStopBelow == 0 && bOver) {
        // No GSB: the SST key's single step (or next step in W/PRGM mode).
        eShift = enmShift::None;
        imgSST_Click();
        return;
    }
    if (bInErr) return;
    oHost_.PlaySound(enmSound::Click);
    try {
        BeforeRunKey();
        oPrgm.ResetStartTime();
        RunProgram(nStopBelow);
        if (bInErr) ErrorPath();
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
    }
}

void CFrontPanel::imgCardReader_Click() {
    // The card slot reads and writes nothing while a program runs.
    if (!Admit(enmInput::Card, [this] { imgCardReader_Click(); })) return;
    if (!bOn) return;
    oHost_.PlaySound(enmSound::Click);
    if (!bRun || bInErr) return;
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
    oChoice.sPurpose = "Write the program listing";
    if (oPrgm.HasProgram() && oHost_.AskYesNo("Write Program", "Write Program?", enmIcon::Question) &&
        oHost_.ChooseFile("", enmFileUse::Write, oChoice)) {
        // The name picked is the file used: the directory shown and the name typed.
        FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
        if (oChoice.sFull == oPrgm.GetFilename() && oPrgm.HasSpecialComments()) {
            const std::string sWarning = std::string("You are about to write to an existing program file that ") +
                                         "contains special comments that were entered with a text editor." +
                                         " Saving to that file will overwrite the special comments. " +
                                         "Proceed anyway";
            if (!oHost_.AskYesNo("* * * * * * * * W A R N I N G!!! * * * * * * * * ", sWarning, enmIcon::Critical))
                return;
        }
        oNew.KeepIf(oPrgm.WriteProgram(oChoice.sFull));
        return;
    }
    oChoice.sPurpose = "Read a data file";
    if (oHost_.AskYesNo("Read Data", "Read Data?", enmIcon::Question) &&
        oHost_.ChooseFile("", enmFileUse::Read, oChoice) && !oMem.ReadData(oChoice.sFull))
        MsgBox("Error in reading file " + oChoice.sFull, "File Input Error");
}

bool CFrontPanel::StateFileName(enmFileUse eUse, CFileChoice& oChoice) {
    oChoice.sPurpose = eUse == enmFileUse::Write ? "Save the calculator's state" : "Restore the calculator's state";
    if (oHost_.ChooseFile("", eUse, oChoice)) return true;
    oChoice.sTyped = oChoice.sFull = CStateFile::kDefaultName;   // in the current directory
    oChoice.bCreated = false;
    return false;
}

void CFrontPanel::SetNote(const std::string& sText) {
    if (sNote.empty() && sText.empty()) return;
    sNote = sText;
    oHost_.Refresh(enmPart::Note);
}

bool CFrontPanel::FinishEntryForSave() {
    // A number being typed is on the display: it is part of what is saved.
    // Off cleared the display and the number with it; On starts afresh.
    if (!bOn || (eNumEntry != enmNumEntry::Mantissa && eNumEntry != enmNumEntry::Exponent)) return true;
    try {
        PushEntry();
        eNumEntry = enmNumEntry::Idle;
        if (bOn && bRun) ShowX();
        return true;
    } catch (const CCalcError& e) {
        ErrorPath(e.Kind());
        return false;
    }
}

bool CFrontPanel::WriteStateTo(const std::string& sFile) {
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
    return o.Write(sFile);
}

bool CFrontPanel::SaveStateAs(const CFileChoice& oChoice) {
    const std::string& sFile = oChoice.sFull;
    FileIO::CCreatedFile oNew(sFile, oChoice.bCreated);
    if (!oNew.KeepIf(WriteStateTo(sFile))) {
        oHost_.ShowNotice("Error", "Could not open state file for output", enmIcon::Critical);
        return false;
    }
    MarkWorkKept();
    SetNote("Saved to " + CPrgm::FileTitle(sFile));
    return true;
}

void CFrontPanel::imgSaveState_Click() {
    if (!Admit(enmInput::SaveState, [this] { imgSaveState_Click(); }) || bInErr) return;
    if (!FinishEntryForSave()) return;
    CFileChoice oChoice;
    StateFileName(enmFileUse::Write, oChoice);
    SaveStateAs(oChoice);
}

bool CFrontPanel::SaveStateChosen() {
    if (IsRunning()) return false;
    if (bInErr) {
        SetNote("Not saved while Error is shown: CLX clears it");
        return false;
    }
    if (!FinishEntryForSave()) return false;
    CFileChoice oChoice;
    return StateFileName(enmFileUse::Write, oChoice) && SaveStateAs(oChoice);
}

void CFrontPanel::imgRestoreState_Click() {
    if (!Admit(enmInput::RestoreState, [this] { imgRestoreState_Click(); })) return;
    CFileChoice oChoice;
    const std::string& sFile = oChoice.sFull;
    if (!StateFileName(enmFileUse::Read, oChoice) && oHost_.AsksBeforeDefaultRestore() && WorkChanged() &&
        !oHost_.AskYesNo("Restore State",
                         std::string("Replace the program and registers with ") + CStateFile::kDefaultName + "?",
                         enmIcon::Question))
        return;
    RestoreStateFrom(sFile);
}

bool CFrontPanel::RestoreStateFrom(const std::string& sFile) {
    // The whole file is read and checked before anything of it is used.
    CStateFile o;
    if (!o.Read(sFile)) {
        oHost_.ShowNotice("Error", "Could not open state file for input", enmIcon::Critical);
        return false;
    }
    // The restored X is a finished number: the next digit starts a new one.
    eNumEntry = enmNumEntry::Idle;
    bStepEntry_ = false;
    oPrgm.EntryActive = oPrgm.ExpEntryActive = false;
    oPrgm.SetFilename(o.sFilename);
    for (int i = 1; i <= CStateFile::kSteps; ++i) oPrgm.SetLine(i, o.aSteps[static_cast<size_t>(i)]);
    oPrgm.ClearBreaks();
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
    MarkWorkKept();
    // Setting the pointer has cleared the error a refused value raised, so
    // the note line says that the stack is not all the file held.
    SetNote(bRefused ? std::string("Restore: a stack value of 1e100 or more was left out")
                     : "Restored from " + CPrgm::FileTitle(sFile));
    return true;
}

void CFrontPanel::imgCopyright_Click() { oHost_.ShowAbout(); }

void CFrontPanel::imgEdit_Click() {
    if (!Admit(enmInput::Edit, [this] { imgEdit_Click(); }) || Release) return;
    oHost_.ShowEditor(oPrgm.EditText(), [this](const std::string& sText) {
        if (!oPrgm.AcceptEditText(sText)) return false;
        SetNote("");   // the fault a refused text pointed at has gone with it
        if (bOn && !bRun) ShowCurrPrgmLine();
        return true;
    });
}

void CFrontPanel::WriteDataCard() {
    CFileChoice oChoice;
    oChoice.sPurpose = "Write a data file";
    if (Admit(enmInput::FileKey, {}) && oHost_.AskYesNo("Write Data", "Write Data?", enmIcon::Question) &&
        oHost_.ChooseFile("", enmFileUse::Write, oChoice)) {
        FileIO::CCreatedFile oNew(oChoice.sFull, oChoice.bCreated);
        if (!oNew.KeepIf(oMem.WriteData(oChoice.sFull))) MsgBox("Error in writing to file " + oChoice.sFull, "File Input Error");
    }
    EndKey();
}

void CFrontPanel::ReadProgramCard() {
    CFileChoice oChoice;
    oChoice.sPurpose = "Read a program listing";
    if (Admit(enmInput::FileKey, {}) && oHost_.AskYesNo("Read Program", "Read Program?", enmIcon::Question) &&
        oHost_.ChooseFile("", enmFileUse::Read, oChoice))
        oPrgm.ReadProgram(oChoice.sFull);
    EndKey();
}

bool CFrontPanel::ReadProgramFile(const std::string& sFile) {
    if (Busy() || !bOn) return false;
    const bool bRead = oPrgm.ReadProgram(sFile);
    EndKey();
    return bRead;
}

void CFrontPanel::DropFile(const std::string& sFile) {
    if (Busy()) return;
    if (CStateFile::LooksLikeStateFile(sFile)) {
        if (oHost_.AskYesNo("Restore State", "Restore the calculator's state from " + sFile + "?", enmIcon::Question))
            RestoreStateFrom(sFile);
        return;
    }
    if (bOn && oHost_.AskYesNo("Read Program", "Read Program?", enmIcon::Question)) ReadProgramFile(sFile);
}

} // namespace corvel
