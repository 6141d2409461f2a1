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
    if (bTrace) fb_.TraceStep(ShowCurrLine());
    // A step not decoded yet runs DecodeFirst, which decodes it and runs it.
    CStep& oStep = Decoded_[static_cast<size_t>(PrgmPtr)];
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
            MergeReadNothing = false;   // a single step is a run of its own
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
        RunOneStep();
    }
}

void CPrgm::Exec() {
    ResetStartTime();
    Halted = false;
    StopRequested = false;
    nRunSteps = 0;
    MergeReadNothing = false;
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
