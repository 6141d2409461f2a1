// Program memory: the 999 step texts, the step pointer with its wrap-around,
// inserting and deleting steps, the one-line step display, the label table
// and the two consistency scans.
#include <cstdio>
#include <string>

#include "../numeric/CCalcError.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

namespace {


bool EqualsNoCase(const std::string& s, const char* p) {
    size_t i = 0;
    for (; i < s.size() && p[i]; ++i) {
        char c = s[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        char d = p[i];
        if (d >= 'a' && d <= 'z') d = static_cast<char>(d - 'a' + 'A');
        if (c != d) return false;
    }
    return i == s.size() && p[i] == '\0';
}

bool IsFiller(const std::string& s) { return EqualsNoCase(s, CPrgm::kFiller); }

// The value of a label name that is a whole number written as GTO (i) writes
// it ("3", "-12", never "03" or "+3"); false for any other name.
bool NumberLabel(const std::string& s, int& n) {
    size_t i = s.size() > 1 && s[0] == '-' ? 1 : 0;
    if (i == s.size() || s.size() - i > 5) return false;
    if (s[i] == '0' && (s.size() - i > 1 || i == 1)) return false;
    int v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    n = s[0] == '-' ? -v : v;
    return n >= -32768 && n <= 32767;
}

} // namespace

std::string CPrgm::StepNumber(int nStep) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", nStep);
    return buf;
}

CPrgm::CPrgm(CMachine& oMachine, CPanelFeedback& oPanel) : m_(oMachine), fb_(oPanel) {
    Clear();
}

void CPrgm::MakeDecoded() {
    pDecoded_ = std::make_unique<std::array<CStep, kMaxSteps + 1>>();
    for (CStep& s : *pDecoded_) s.pfn = &CPrgmOps::DecodeFirst;
}

void CPrgm::Invalidate(int nFirst, int nLast) {
    ++nTextGen_;
    if (!pDecoded_) return;   // none decoded yet
    for (int k = nFirst; k <= nLast; ++k) {
        CStep& s = (*pDecoded_)[static_cast<size_t>(k)];
        s.bValid = false;
        s.bEntry = true;   // the decoded step decides, once it is decoded
        s.pfn = &CPrgmOps::DecodeFirst;
    }
}

void CPrgm::Clear() {
    KeepTraceTexts();
    Program_[0].clear();
    for (int k = 1; k <= kMaxSteps; ++k)
        if (Program_[k] != kFiller) Program_[k] = kFiller;
    Invalidate(0, kMaxSteps);
    RetPtr = 0;
    RetStack.fill(0);
    MergeReadNothing = false;
    LabelCount = 0;
    oNumberLabels_.clear();
    ++nLabelGen_;
    Halted = false;
    m_.bInErr = false;
    PrgmPtr = 0;
    sFilename_.clear();
    SpecialComments = false;
}

void CPrgm::SetPrgmPointer(int nStep) {
    Halted = false;
    m_.bInErr = false;
    if (nStep >= 0 && nStep <= kMaxSteps) PrgmPtr = static_cast<int16_t>(nStep);
}

void CPrgm::Reset() {
    Halted = false;
    m_.bInErr = false;
    EntryActive = ExpEntryActive = false;
    PrgmPtr = 1;
}

const std::string& CPrgm::GetLine(int nStep) const {
    if (nStep < 0 || nStep > kMaxSteps) throw CCalcError(enmErrKind::Range);
    return Program_[nStep];
}

void CPrgm::SetLine(int nStep, const std::string& sText) {
    if (nStep < 0 || nStep > kMaxSteps) throw CCalcError(enmErrKind::Range);
    KeepTraceTexts();
    Program_[nStep] = sText;
    Invalidate(nStep, nStep);
}

void CPrgm::InsertLine(std::string sLine) {
    // Taken by value: the text may be one of the steps the shift moves.
    KeepTraceTexts();
    INC(PrgmPtr);
    for (int k = kMaxSteps; k > PrgmPtr; --k) Program_[k] = std::move(Program_[k - 1]);
    Program_[PrgmPtr] = std::move(sLine);
    Invalidate(PrgmPtr, kMaxSteps);
}

void CPrgm::DeleteLine() {
    const int nFrom = PrgmPtr < 0 ? 0 : PrgmPtr;
    KeepTraceTexts();
    for (int k = nFrom; k < kMaxSteps; ++k) Program_[k] = std::move(Program_[k + 1]);
    Program_[kMaxSteps] = kFiller;
    Invalidate(nFrom, kMaxSteps);
}

std::string CPrgm::ShowLine(int nLine) const {
    if (nLine < 0 || nLine > kMaxSteps) throw CCalcError(enmErrKind::Range);
    if (nLine == 0) return "000";
    return StepNumber(nLine) + " " + Program_[nLine];
}

std::string CPrgm::ShowCurrLine() const { return StepNumber(PrgmPtr) + " " + Program_[PrgmPtr]; }

std::string CPrgm::ShowNextLine() {
    INC(PrgmPtr);
    return ShowCurrLine();
}

std::string CPrgm::ShowPrevLine() {
    DEC(PrgmPtr);
    return ShowCurrLine();
}

int16_t CPrgm::FindLabel(const std::string& sLbl) const {
    for (int k = 1; k <= LabelCount; ++k)
        if (LabelName_[k] == sLbl) return LabelLine_[k];
    return 0;
}

int16_t CPrgm::FindEndOfProgram() const {
    if (Program_[kMaxSteps] != kFiller) return kMaxSteps;
    for (int n = 1; n < kMaxSteps; ++n)
        if (IsFiller(Program_[n]) && IsFiller(Program_[n + 1])) return static_cast<int16_t>(n);
    return kMaxSteps;
}

int16_t CPrgm::FindNumberLabel(int n) const {
    const auto it = oNumberLabels_.find(n);
    return it == oNumberLabels_.end() ? int16_t{0} : it->second;
}

bool CPrgm::ScanLabels() {
    LabelCount = 0;
    oNumberLabels_.clear();
    ++nLabelGen_;
    for (int n = 1; n <= kMaxSteps; ++n) {
        const std::string& sStep = Program_[n];
        if (!IsLabelStep(sStep)) continue;
        const std::string sName = sStep.substr(sStep.find(' ') + 1);
        if (FindLabel(sName) != 0) {
            fb_.MsgBox("Label " + sName + " appears more than once! Please edit your program.",
                          "Duplicate Label Found!");
            return false;
        }
        ++LabelCount;
        LabelName_[LabelCount] = sName;
        LabelLine_[LabelCount] = static_cast<int16_t>(n);
        int nNumber = 0;
        if (NumberLabel(sName, nNumber)) oNumberLabels_.emplace(nNumber, static_cast<int16_t>(n));
    }
    return true;
}

bool CPrgm::ScanGotos() {
    for (int n = 1; n <= kMaxSteps; ++n) {
        const std::string& sStep = Program_[n];
        if (sStep.find("GTO ") == std::string::npos) continue;
        const std::string sTarget = sStep.substr(sStep.find(' ') + 1);
        if (EqualsNoCase(sTarget, "(i)")) continue;
        if (FindLabel(sTarget) == 0) {
            fb_.MsgBox("In line " + StepNumber(n) + " " + sStep + " the label " + sTarget +
                              " does not exist. Please edit your program.",
                          "Missing Label Found!");
            return false;
        }
    }
    return true;
}

void CPrgm::ResetStartTime() { fStartTime_ = fb_.ClockSeconds(); }

} // namespace corvel
