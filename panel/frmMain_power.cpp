// Power, the W/PRGM-RUN switch, R/S, SST, the card reader and the extra buttons.
#include "frmMain.h"

void frmMain::ShowCurrPrgmLine() { SetDisplay(oPrgm.ShowCurrLine(), lblEex); }
void frmMain::imgOn_Click() {}
void frmMain::imgOff_Click() {}
void frmMain::TurnOff() {}
void frmMain::imgPrgm_Click() {}
void frmMain::imgRun_Click() {}
void frmMain::imgRunStop_Click() {}
void frmMain::imgSST_Click() {}
void frmMain::imgCardReader_Click() {}
void frmMain::ReadDataOrWriteProgram() {}
void frmMain::imgSaveState_Click() {}
void frmMain::imgRestoreState_Click() {}
void frmMain::imgCopyright_Click() {}
void frmMain::imgEdit_Click() {}

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
