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
bool frmMain::Form_KeyPress(int) { return false; }
void frmMain::NotYetImplemented() {}
