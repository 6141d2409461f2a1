// Program memory: the 999 step texts, the step pointer with its wrap-around,
// inserting and deleting steps, the one-line step display, the label table
// and the two consistency scans.
#include <algorithm>
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
    FlushFastCounts(nFirst, nLast, false);
    if (pProfile_) std::fill(pProfile_->begin() + nFirst, pProfile_->begin() + nLast + 1, 0);
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
    ClearBreaks();
}

void CPrgm::ResetToNew() {
    nTraced_ = nTraceMade_ = nTraceLinesAll_ = 0;
    vTraceLines_.clear();
    Clear();
    StopRequested = EntryActive = ExpEntryActive = bTrace = false;
    nRunSteps = 0;
    BreakStop = 0;
    vFaultPlaces_.clear();
    fStartTime_ = 0.0;
    eMode_ = enmMode::None;
    bRunStart_ = bStepPending_ = bSSTShown_ = bShowInStep_ = false;
    oShow_ = CTimedShow{};
    sErrorMsg_.clear();
}

void CPrgm::ToggleBreak(int nStep) {
    if (nStep < 1 || nStep > kMaxSteps) return;
    bool& b = aBreaks_[static_cast<size_t>(nStep)];
    b = !b;
    nBreaks_ += b ? 1 : -1;
}

void CPrgm::ClearBreaks() {
    aBreaks_.fill(false);
    nBreaks_ = 0;
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
    if (nBreaks_ != 0) {   // the breakpoints move with their steps
        nBreaks_ -= aBreaks_[kMaxSteps] ? 1 : 0;
        std::copy_backward(aBreaks_.begin() + PrgmPtr, aBreaks_.end() - 1, aBreaks_.end());
        aBreaks_[static_cast<size_t>(PrgmPtr)] = false;
    }
    Invalidate(PrgmPtr, kMaxSteps);
}

void CPrgm::DeleteLine() {
    const int nFrom = PrgmPtr < 0 ? 0 : PrgmPtr;
    KeepTraceTexts();
    for (int k = nFrom; k < kMaxSteps; ++k) Program_[k] = std::move(Program_[k + 1]);
    Program_[kMaxSteps] = kFiller;
    if (nBreaks_ != 0 && nFrom >= 1) {   // the deleted step's breakpoint goes with it
        nBreaks_ -= aBreaks_[static_cast<size_t>(nFrom)] ? 1 : 0;
        std::copy(aBreaks_.begin() + nFrom + 1, aBreaks_.end(), aBreaks_.begin() + nFrom);
        aBreaks_[kMaxSteps] = false;
    }
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
    CScanFault o;
    if (!FindLabelFault(o)) return true;
    fb_.MsgBox(o.sMsg, o.sTitle);
    return false;
}

bool CPrgm::ScanGotos() {
    CScanFault o;
    if (!FindGotoFault(o)) return true;
    fb_.MsgBox(o.sMsg, o.sTitle);
    return false;
}

bool CPrgm::FindLabelFault(CScanFault& o) {
    LabelCount = 0;
    oNumberLabels_.clear();
    ++nLabelGen_;
    for (int n = 1; n <= kMaxSteps; ++n) {
        const std::string& sStep = Program_[n];
        if (!IsLabelStep(sStep)) continue;
        const std::string sName = sStep.substr(sStep.find(' ') + 1);
        if (FindLabel(sName) != 0) {
            o = {"Duplicate Label Found!", "Label " + sName + " appears more than once! Please edit your program.", n};
            return true;
        }
        ++LabelCount;
        LabelName_[LabelCount] = sName;
        LabelLine_[LabelCount] = static_cast<int16_t>(n);
        int nNumber = 0;
        if (NumberLabel(sName, nNumber)) oNumberLabels_.emplace(nNumber, static_cast<int16_t>(n));
    }
    return false;
}

bool CPrgm::FindGotoFault(CScanFault& o) const {
    for (int n = 1; n <= kMaxSteps; ++n) {
        const std::string& sStep = Program_[n];
        if (sStep.find("GTO ") == std::string::npos) continue;
        const std::string sTarget = sStep.substr(sStep.find(' ') + 1);
        if (EqualsNoCase(sTarget, "(i)")) continue;
        if (FindLabel(sTarget) == 0) {
            o = {"Missing Label Found!",
                 "In line " + StepNumber(n) + " " + sStep + " the label " + sTarget +
                     " does not exist. Please edit your program.",
                 n};
            return true;
        }
    }
    return false;
}

void CPrgm::ResetStartTime() { fStartTime_ = fb_.Host().ClockSeconds(); }

} // namespace corvel
