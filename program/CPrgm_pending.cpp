// Temporary minimal program memory so that the front panel links while the
// interpreter is being written; replaced file by file.
#include "CPrgm.h"

#include "../numeric/CCalcError.h"
#include "../panel/frmMain.h"

CPrgm::CPrgm(frmMain& oMain) : oMain_(oMain) { Clear(); }
const char* CPrgm::GetTokenList() { return ""; }
void CPrgm::InitTokens() {}
void CPrgm::SortTokens() {}
void CPrgm::QuickSort(std::array<std::string, kTokenCapacity + 1>&, int, int) {}
int16_t CPrgm::SearchToken(const std::string&) const { return 0; }
std::string CPrgm::CheckTokens() const { return ""; }
void CPrgm::Translate(std::string&) {}
void CPrgm::Clear() {
    Program_[0].clear();
    for (int i = 1; i <= kMaxSteps; ++i) Program_[i] = "R/S";
    RetPtr = 0; LabelCount = 0; Halted = false; PrgmPtr = 0; sFilename_.clear(); SpecialComments = false;
}
void CPrgm::INC(int16_t& n) { n = n < kMaxSteps ? n + 1 : 1; }
void CPrgm::DEC(int16_t& n) { n = n >= 1 ? n - 1 : kMaxSteps; }
void CPrgm::SetPrgmPointer(int n) { Halted = false; if (n >= 0 && n <= kMaxSteps) PrgmPtr = static_cast<int16_t>(n); }
void CPrgm::Reset() { Halted = false; EntryActive = ExpEntryActive = false; PrgmPtr = 1; }
const std::string& CPrgm::GetLine(int n) const { if (n < 0 || n > kMaxSteps) throw CCalcError(enmErrKind::Range); return Program_[n]; }
void CPrgm::SetLine(int n, const std::string& s) { if (n < 0 || n > kMaxSteps) throw CCalcError(enmErrKind::Range); Program_[n] = s; }
void CPrgm::InsertLine(const std::string&) {}
void CPrgm::DeleteLine() {}
std::string CPrgm::ShowLine(int) const { return "000"; }
std::string CPrgm::ShowCurrLine() const { return "000 "; }
std::string CPrgm::ShowNextLine() { return ShowCurrLine(); }
std::string CPrgm::ShowPrevLine() { return ShowCurrLine(); }
int16_t CPrgm::FindLabel(const std::string&) const { return 0; }
int16_t CPrgm::FindEndOfProgram() const { return 1; }
bool CPrgm::ScanLabels() { return true; }
bool CPrgm::ScanGotos() { return true; }
void CPrgm::ResetStartTime() {}
void CPrgm::SavePendingNumber() {}
void CPrgm::SST_Exec(bool&) {}
void CPrgm::Exec() {}
void CPrgm::BST() {}
void CPrgm::WriteProgram(const std::string&) {}
void CPrgm::ReadProgram(const std::string&) {}
