// W/PRGM mode: the program step each key records in each prefix state.
#include "frmMain.h"

void frmMain::PrgmKey(enmKey) {}
void frmMain::InsertPendOpDigit(int) {}
void frmMain::Record(const std::string&) {}
