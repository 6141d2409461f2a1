// The frame around one step (single step), the run loop and the back step.
#include <cstdio>
#include <string>

#include "../numeric/CCalcError.h"
#include "CPrgm.h"

namespace corvel {

namespace {

std::string ThreeDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", n);
    return buf;
}

// Shows the busy pointer for as long as a run lasts, however it ends.
class CRunning {
public:
    explicit CRunning(CPanelFeedback& fb) : fb_(fb) { fb_.SetRunning(true); }
    ~CRunning() { fb_.SetRunning(false); }
    CRunning(const CRunning&) = delete;
    CRunning& operator=(const CRunning&) = delete;

private:
    CPanelFeedback& fb_;
};

} // namespace

void CPrgm::ShowStepBriefly(bool bRepaintAfter) {
    const std::string sDisp = m_.lblDisp, sEex = m_.lblEex;
    m_.lblDisp = ShowCurrLine();
    m_.lblEex.clear();
    fb_.RepaintDisplay();
    fb_.Wait(2);
    m_.lblDisp = sDisp;
    m_.lblEex = sEex;
    if (bRepaintAfter) fb_.RepaintDisplay();
}

inline void CPrgm::RunOneStep() {
    if (static_cast<unsigned>(PrgmPtr - 1) >= static_cast<unsigned>(kMaxSteps)) {
        if (PrgmPtr != 0) {
            Halted = true;
            return;
        }
        PrgmPtr = 1;   // step 000 is never executed
    }
    ++nRunSteps;
    if (bTrace) {
        if (bTraceRing)
            NoteTrace();
        else
            fb_.TraceStep(ShowCurrLine());
    }
    // A step not decoded yet runs DecodeFirst, which decodes it and runs it.
    CStep& oStep = Decoded()[static_cast<size_t>(PrgmPtr)];
    if (!oStep.bEntry) SavePendingNumber();
    oStep.pfn(*this, oStep);
    if (!(m_.bInErr | Halted))
        INC(PrgmPtr);
    else if (Halted)
        fb_.SetProgramLabel(sFilename_);
}

void CPrgm::ExecuteStep() {
    if (static_cast<uint16_t>(PrgmPtr) > kMaxSteps) {
        Halted = true;
        return;
    }
    if (PrgmPtr == 0) PrgmPtr = 1;
    CStep& oStep = DecodedStep(PrgmPtr);
    if (!oStep.bEntry) SavePendingNumber();
    oStep.pfn(*this, oStep);
    if (!m_.bInErr && !Halted) INC(PrgmPtr);
}

void CPrgm::ExecInstr(const std::string& sText) {
    CStep oStep;
    Decode(sText, oStep);
    oStep.pfn(*this, oStep);
}

void CPrgm::KeepTraceTexts() {
    const uint64_t nNew = nTraced_ - nTraceMade_;
    if (nNew == 0) return;
    nTraceLinesAll_ += nNew;
    // Older lines would fall off the tape at once.
    const uint64_t nFrom = nTraced_ - (nNew < kTraceKeep ? nNew : kTraceKeep);
    for (uint64_t k = nFrom; k < nTraced_; ++k) {
        const int n = aTrace_[k & (kTraceRing - 1)];
        const std::string& sText = Program_[static_cast<size_t>(n)];
        std::string s(4 + sText.size(), ' ');
        s[0] = static_cast<char>('0' + n / 100);
        s[1] = static_cast<char>('0' + n / 10 % 10);
        s[2] = static_cast<char>('0' + n % 10);
        s.replace(4, sText.size(), sText);
        vTraceLines_.push_back(std::move(s));
    }
    while (vTraceLines_.size() > kTraceKeep) vTraceLines_.pop_front();
    nTraceMade_ = nTraced_;
}

uint64_t CPrgm::TakeTrace(size_t nKeep, const std::function<void(std::string&&)>& fnLine) {
    KeepTraceTexts();
    const size_t nSkip = vTraceLines_.size() > nKeep ? vTraceLines_.size() - nKeep : 0;
    for (size_t i = nSkip; i < vTraceLines_.size(); ++i) fnLine(std::move(vTraceLines_[i]));
    const uint64_t nAll = nTraceLinesAll_;
    vTraceLines_.clear();
    nTraceLinesAll_ = 0;
    return nAll;
}

void CPrgm::ReportStepError(enmErrKind eCause) {
    m_.bInErr.Raise(eCause);
    fb_.MsgBox("Error at line " + ThreeDigits(PrgmPtr) + " " + Program_[static_cast<size_t>(PrgmPtr)],
               "Program Error");
}

void CPrgm::SST_Exec(bool& bSST) {
    if (m_.bInErr || Halted) return;
    try {
        fb_.YieldTarget().ProcessEvents();
        // A stop requested while the window had its events (R/S, On, Off,
        // the mode switch) takes effect before the step runs: the pointer
        // stays on it and a new run starts there.
        if ((StopRequested || m_.bInErr) && !bSST) return;
        if (bSST) {
            if (PrgmPtr == 0) PrgmPtr = 1;
            ShowStepBriefly(false);
        }
        RunOneStep();
        if (Halted && bSST) {
            fb_.ShowNotice("SST Information", "End of program!", enmIcon::Information);
            fb_.PlayBeep();
        }
    } catch (const CCalcError& e) {
        ReportStepError(e.Kind());
    }
    if (bSST) {
        if (!EntryActive && !ExpEntryActive)
            fb_.ShowX();
        else
            fb_.RepaintDisplay();   // the digits keyed so far stay on display
    }
}

void CPrgm::RunSteps(bool& bStopped) {
    CYieldTarget& oYield = fb_.YieldTarget();
    while (!(m_.bInErr | Halted)) {
        if (StopRequested) {
            bStopped = true;
            return;
        }
        oYield.ProcessEvents();
        if (StopRequested | m_.bInErr) continue;   // takes effect before the step
        // The steps the host allows before its next yield: on the fast path
        // where it can, one step on the general path where it cannot.
        for (uint64_t nLeft = oYield.StepBudget(); nLeft > 0 && !(m_.bInErr | Halted | StopRequested); --nLeft) {
            if (nLeft > 1) {
                nLeft -= RunFast(nLeft);
                if (nLeft == 0 || (m_.bInErr | Halted | StopRequested)) break;
            }
            RunOneStep();
        }
    }
}

void CPrgm::Exec() {
    ResetStartTime();
    Halted = false;
    StopRequested = false;
    nRunSteps = 0;
    m_.bInErr = false;
    EntryActive = ExpEntryActive = false;
    {
        CRunning oRunning(fb_);
        bool bStopped = false;
        for (;;) {
            try {
                RunSteps(bStopped);
                break;
            } catch (const CCalcError& e) {
                ReportStepError(e.Kind());
            }
        }
        if (bStopped) ResetStartTime();
        StopRequested = false;
    }
    fb_.ShowX();
    fb_.RepaintWindow();
    fb_.PlayBeep();
}

void CPrgm::BST() {
    if (PrgmPtr > 1) DEC(PrgmPtr);
    ShowStepBriefly(true);
    Halted = false;
}

} // namespace corvel
