// The frame around one step, the run loop that the host drives one slice at
// a time, timed displays (PAUSE, the blinks, the step line of SST and BST),
// the single step and the back step.
#include <cmath>
#include <string>

#include "../numeric/CCalcError.h"
#include "CPrgm.h"
#include "CPrgm_ops.h"

namespace corvel {

// ---- timed displays ----

void CPrgm::ShowFor(std::vector<CShowPhase> vPhases, std::function<void()> fnAfter, bool bInStep) {
    if (vPhases.empty()) {
        if (fnAfter) fnAfter();
        return;
    }
    bShowInStep_ = bInStep && eMode_ != enmMode::None;
    if (eMode_ == enmMode::None) eMode_ = enmMode::Show;
    oShow_.vPhases = std::move(vPhases);
    oShow_.fnAfter = std::move(fnAfter);
    oShow_.nAt = 0;
    StartPhase();
}

void CPrgm::StartPhase() {
    const CShowPhase& o = oShow_.vPhases[oShow_.nAt];
    m_.lblDisp = o.sDisp;
    fb_.Host().Refresh(enmPart::Disp);
    // The wall clock is read at whole-second resolution.
    oShow_.fUntil = std::floor(fb_.Host().ClockSeconds()) + o.fSeconds;
}

bool CPrgm::ShowNextPhase() {
    if (std::floor(fb_.Host().ClockSeconds()) < oShow_.fUntil) return true;
    if (++oShow_.nAt >= oShow_.vPhases.size()) return false;
    StartPhase();
    return true;
}

void CPrgm::EndTimedShow() {
    const bool bInStep = bShowInStep_;
    std::function<void()> fnAfter = std::move(oShow_.fnAfter);
    oShow_ = CTimedShow{};
    fb_.Host().Refresh(enmPart::Disp);   // no longer shown on purpose
    try {
        if (fnAfter) fnAfter();
        if (bInStep) FinishStep();
    } catch (const CCalcError& e) {
        ReportStepError(e.Kind());
    }
}

void CPrgm::ShowStepBriefly(bool bRepaintAfter) {
    const std::string sDisp = m_.lblDisp, sEex = m_.lblEex;
    m_.lblEex.clear();
    ShowFor({{ShowCurrLine(), 2.0}},
            [this, sDisp, sEex, bRepaintAfter] {
                m_.lblDisp = sDisp;
                m_.lblEex = sEex;
                if (bRepaintAfter) fb_.Host().Refresh(enmPart::Disp);
            },
            false);
}

// ---- one step ----

inline void CPrgm::RunOneStep() {
    if (static_cast<unsigned>(PrgmPtr - 1) >= static_cast<unsigned>(kMaxSteps)) {
        if (PrgmPtr != 0) {
            Halted = true;
            return;
        }
        PrgmPtr = 1;   // step 000 is never executed
    }
    ++nRunSteps;
    if (pProfile_) ++(*pProfile_)[static_cast<size_t>(PrgmPtr)];
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
    if (oShow_.Active()) return;   // the step ends when its display is over
    FinishStep();
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
    // Shown once the run or single step has ended, so the panel is at rest
    // behind the message.
    sErrorMsg_ = "Error at line " + StepNumber(PrgmPtr) + " " + Program_[static_cast<size_t>(PrgmPtr)];
}

// ---- starting ----

void CPrgm::Exec(int nStopBelow) {
    if (eMode_ != enmMode::None) return;
    nStopBelow_ = nStopBelow;
    ResetStartTime();
    Halted = false;
    StopRequested = false;
    nRunSteps = 0;
    MergeReadNothing = false;
    m_.bInErr = false;
    // A number the steps were keying when a run or single step stopped stays
    // in entry: the run goes on keying it (the panel hands it back, or ends
    // it as a key ends a typed number).
    sErrorMsg_.clear();
    BreakStop = 0;
    bRunStart_ = true;
    eMode_ = enmMode::Run;
    fb_.SetRunning(true);
}

void CPrgm::SST_Exec(bool bSST) {
    if (eMode_ != enmMode::None || m_.bInErr || Halted) return;   // nothing runs
    if (!bSST && StopRequested) return;   // as a run's step: a stop request comes first
    sErrorMsg_.clear();
    bSSTShown_ = bSST;
    bStepPending_ = true;
    eMode_ = enmMode::SST;
    if (bSST) {
        MergeReadNothing = false;   // a single step is a run of its own
        if (PrgmPtr == 0) PrgmPtr = 1;
        ShowStepBriefly(false);
    }
}

int CPrgm::StepOverDepth() {
    const CStep& s = DecodedStep(PrgmPtr == 0 ? 1 : PrgmPtr);
    if (s.pInstr == nullptr || s.pInstr->pfnExec != &CPrgmOps::Gsb) return 0;
    // A sixteenth return pushes the oldest out: the depth stays at the top.
    return RetPtr < kRetDepth ? RetPtr + 1 : kRetDepth;
}

void CPrgm::SetProfiling(bool bOn) {
    if (bOn == Profiling()) return;
    FlushFastCounts(0, kMaxSteps, false);
    if (!bOn)
        pProfile_.reset();
    else if (!pProfile_)
        pProfile_ = std::make_unique<std::array<uint64_t, kMaxSteps + 1>>();
}

void CPrgm::ResetProfile() {
    FlushFastCounts(0, kMaxSteps, false);
    if (pProfile_) pProfile_->fill(0);
}

uint64_t CPrgm::ProfileCount(int nStep) const {
    if (!pProfile_ || nStep < 0 || nStep > kMaxSteps) return 0;
    const size_t n = static_cast<size_t>(nStep);
    return (*pProfile_)[n] + (pFast_ ? (*pFast_)[n].nCount : 0);
}

void CPrgm::BST() {
    if (eMode_ != enmMode::None) return;
    if (PrgmPtr > 1) DEC(PrgmPtr);
    eMode_ = enmMode::BST;
    ShowStepBriefly(true);
}

// ---- the slices ----

enmRunState CPrgm::RunSteps(uint64_t nMaxSteps) {
    for (;;) {
        if (m_.bInErr | Halted) return m_.bInErr ? enmRunState::Error : enmRunState::Halted;
        if (StopRequested) return enmRunState::Stopped;   // takes effect before the step
        // Step over and out: the subroutine has returned (not before the step
        // the run starts from, the GSB of a step over).
        if (RetPtr < nStopBelow_ && !bRunStart_) return enmRunState::Stopped;
        if (nMaxSteps == 0) return enmRunState::Running;
        // A breakpoint stops the run before its step, except at the step the
        // run started from (R/S goes on from a breakpoint).
        if (nBreaks_ != 0 && !bRunStart_ && HasBreak(PrgmPtr)) {
            BreakStop = PrgmPtr;
            return enmRunState::Stopped;
        }
        bRunStart_ = false;
        // On the fast path where it can, one step on the general path where it
        // cannot. The fast path does not look at breakpoints: with any set,
        // every step goes the general way.
        if (nMaxSteps > 1 && nBreaks_ == 0) {
            const uint64_t nFast = RunFast(nMaxSteps);
            nMaxSteps -= nFast;
            if (nFast != 0) continue;
        }
        --nMaxSteps;
        RunOneStep();
        if (oShow_.Active()) return enmRunState::Waiting;
    }
}

CSlice CPrgm::RunSlice(uint64_t nMaxSteps) {
    if (eMode_ == enmMode::None) return {};
    if (oShow_.Active()) {
        // A stop request cuts a run's timed display short.
        const bool bCut = eMode_ == enmMode::Run && StopRequested;
        if (!bCut && ShowNextPhase()) return {enmRunState::Waiting, oShow_.fUntil};
        EndTimedShow();
    }
    switch (eMode_) {
    case enmMode::Run: {
        enmRunState e = enmRunState::Error;
        try {
            e = RunSteps(nMaxSteps);
        } catch (const CCalcError& err) {
            ReportStepError(err.Kind());
        }
        if (e == enmRunState::Running) return {e};
        if (e == enmRunState::Waiting) return {e, oShow_.fUntil};
        return EndRun(e);
    }
    case enmMode::SST:
        if (bStepPending_) {
            bStepPending_ = false;
            try {
                RunOneStep();
            } catch (const CCalcError& err) {
                ReportStepError(err.Kind());
            }
            if (oShow_.Active()) return {enmRunState::Waiting, oShow_.fUntil};
        }
        return EndSST();
    case enmMode::BST:
        Halted = false;
        break;
    case enmMode::Show:
    case enmMode::None:
        break;
    }
    eMode_ = enmMode::None;
    return {};
}

CSlice CPrgm::EndRun(enmRunState eEnd) {
    if (eEnd == enmRunState::Stopped) ResetStartTime();
    // An error ends a number being keyed, as the keys' error path ends a typed one.
    if (eEnd == enmRunState::Error) EntryActive = ExpEntryActive = false;
    StopRequested = false;
    nStopBelow_ = 0;
    eMode_ = enmMode::None;
    fb_.SetRunning(false);
    if (EntryActive || ExpEntryActive)
        fb_.Host().Refresh(enmPart::Disp);   // stopped inside a number: the digits keyed so far stay
    else
        fb_.ShowX();
    fb_.Host().Refresh(enmPart::Window);
    if (!sErrorMsg_.empty()) {
        fb_.MsgBox(sErrorMsg_, "Program Error");
        sErrorMsg_.clear();
    }
    fb_.Host().PlaySound(enmSound::Beep);
    return {eEnd};
}

CSlice CPrgm::EndSST() {
    eMode_ = enmMode::None;
    const bool bErr = !sErrorMsg_.empty() || m_.bInErr;
    if (bErr) EntryActive = ExpEntryActive = false;
    if (bSSTShown_ && Halted && !bErr) {
        fb_.Host().ShowNotice("SST Information", "End of program!", enmIcon::Information);
        fb_.Host().PlaySound(enmSound::Beep);
    }
    if (!sErrorMsg_.empty()) {
        fb_.MsgBox(sErrorMsg_, "Program Error");
        sErrorMsg_.clear();
    }
    if (bSSTShown_) {
        if (!EntryActive && !ExpEntryActive)
            fb_.ShowX();
        else
            fb_.Host().Refresh(enmPart::Disp);   // the digits keyed so far stay on display
    }
    return {};
}

} // namespace corvel
