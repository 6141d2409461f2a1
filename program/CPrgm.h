#pragma once
// Program memory and interpreter: the instruction vocabulary, the 999 step
// texts with the step pointer and label table, the execution of every
// instruction, the run loop with single and back step, and listing files.
// It acts on the machine state it is given and reaches the front panel only
// through CPanelFeedback.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "../machine/CMachine.h"
#include "../numeric/CCalcError.h"
#include "CPanelFeedback.h"
#include "CPrgmRun.h"
#include "CPrgmStep.h"

namespace corvel {

struct CPrgmOps;

class CPrgm {
public:
    static constexpr int kMaxSteps = 999;
    static constexpr int kRetDepth = 15;

    CPrgm(CMachine& oMachine, CPanelFeedback& oPanel);
    CPrgm(const CPrgm&) = delete;
    CPrgm& operator=(const CPrgm&) = delete;

    // ---- vocabulary ----
    // Lists every step whose mnemonic is not in the instruction table, one
    // "Line N text" and CR LF each; empty when all are known.
    std::string CheckTokens() const;
    // Replaces a whole step text that is an alias (any case) by its instruction.
    static void Translate(std::string& sStep);

    // ---- program memory and pointer ----
    // The filler step: every step after a program, and of a cleared memory.
    static constexpr const char* kFiller = "R/S";
    // A step number as the display, the messages and the listings write it ("007").
    static std::string StepNumber(int nStep);
    // A step that sets a label, as the label table reads it: its text holds
    // "LBL " (so "lbl a" is no label, and f A cannot reach it).
    static bool IsLabelStep(const std::string& sStep) { return sStep.find("LBL ") != std::string::npos; }
    void Clear();
    // Everything as in a new program memory (the machine is not touched):
    // Clear, no run or timed display under way, nothing traced, no messages.
    void ResetToNew();
    int GetMaxSteps() const { return kMaxSteps; }
    static void INC(int16_t& nStep) { nStep = nStep < kMaxSteps ? static_cast<int16_t>(nStep + 1) : int16_t{1}; }
    static void DEC(int16_t& nStep) { nStep = nStep >= 1 ? static_cast<int16_t>(nStep - 1) : int16_t{kMaxSteps}; }
    int16_t GetPrgmPointer() const { return PrgmPtr; }
    void SetPrgmPointer(int nStep);
    // The return stack: how many returns wait, and the steps they go to
    // (positions 1..ReturnDepth()).
    int ReturnDepth() const { return RetPtr; }
    const std::array<int16_t, kRetDepth + 1>& ReturnStack() const { return RetStack; }
    // A return to nStep waits on top, as a GSB at the step before it leaves it.
    void PushReturn(int16_t nStep) {
        if (RetPtr < kRetDepth) RetStack[static_cast<size_t>(++RetPtr)] = nStep;
    }
    // Forgets every waiting return (a run started afresh from the keys).
    void ClearReturns() { RetPtr = 0; }
    // How many labels the label table holds.
    int NumLabels() const { return LabelCount; }
    void Reset();
    const std::string& GetLine(int nStep) const;          // raises Range outside 0..999
    void SetLine(int nStep, const std::string& sText);    // raises Range outside 0..999
    void InsertLine(std::string sLine);
    void DeleteLine();
    std::string ShowLine(int nLine) const;
    std::string ShowCurrLine() const;
    std::string ShowNextLine();
    std::string ShowPrevLine();
    int16_t FindLabel(const std::string& sLbl) const;
    bool HasProgram() const { return FindEndOfProgram() >= 2; }
    int16_t FindEndOfProgram() const;
    bool ScanLabels();
    bool ScanGotos();
    void SetFilename(const std::string& s) { sFilename_ = s; }
    std::string GetFilename() const { return sFilename_; }
    bool HasSpecialComments() const { return SpecialComments; }
    void ResetStartTime();

    bool Halted = false;
    bool StopRequested = false;
    // Steps executed since the current (or last) run started.
    uint64_t nRunSteps = 0;
    // Each step is handed to CPanelFeedback::TraceStep before it runs; with
    // bTraceRing (the front panel's tape) only its number is noted, and the
    // lines are made when the tape is looked at (TakeTrace).
    bool bTrace = false;
    bool bTraceRing = false;
    // The tape keeps this many lines, so no more traced lines are kept.
    static constexpr size_t kTraceKeep = 10000;
    // The lines traced since the last take, oldest first, each as the step
    // read when it ran: hands the last nKeep (at most kTraceKeep) to fnLine
    // and returns how many were traced in all.
    uint64_t TakeTrace(size_t nKeep, const std::function<void(std::string&&)>& fnLine);
    bool EntryActive = false;
    bool ExpEntryActive = false;
    // ---- execution ----
    // Pushes a number being keyed by program steps (GetVal) and ends its entry.
    void SavePendingNumber() {
        if (EntryActive || ExpEntryActive) PushEntry();
    }
    // ---- running: the host drives ----
    // Exec starts a run from PrgmPtr, SST_Exec a single step (bSST: shown
    // first for two seconds, as the SST key does), BST a back step. None of
    // them runs a step or waits: the host then calls RunSlice, again and
    // again, until the slice it returns has ended. Nothing here runs the
    // host's event loop; a timed display (PAUSE, a blink, the step line) is
    // a Waiting state with the time it is due again.
    // A run with nStopBelow (step over, step out) also stops, as R/S stops
    // it, before a step that finds fewer returns on the return stack: its
    // subroutine has returned.
    void Exec(int nStopBelow = 0);
    void SST_Exec(bool bSST = true);
    // The nStopBelow of a step over: the step at the pointer is a GSB (any
    // form), whose subroutine then runs whole; 0 for any other step, which
    // the caller single-steps.
    int StepOverDepth();
    // The nStopBelow of a step out: the return of the current subroutine (0
    // with an empty return stack: a run as R/S).
    int StepOutDepth() const { return RetPtr; }
    void BST();
    // Runs at most nMaxSteps steps (or the rest of a single step), or moves
    // a timed display on when its time has come. A stop request is honoured
    // before any step, and cuts a timed display short.
    CSlice RunSlice(uint64_t nMaxSteps);
    // A run, a single step or a back step is under way (maybe waiting).
    bool Busy() const { return eMode_ != enmMode::None; }
    // A run (not a single or back step) is under way.
    bool Running() const { return eMode_ == enmMode::Run; }
    // A timed display is on: the display shows something on purpose.
    bool Waiting() const { return oShow_.Active(); }
    // ---- breakpoints: the session's, not the program's ----
    // A run stops before a step that has one, as a stop by R/S does, except
    // at the step it starts from. They move with inserted and deleted steps
    // and go with Clear and an accepted listing or editor text.
    void ToggleBreak(int nStep);
    bool HasBreak(int nStep) const {
        return nStep >= 1 && nStep <= kMaxSteps && aBreaks_[static_cast<size_t>(nStep)];
    }
    void ClearBreaks();
    // The breakpoint the last run stopped before (0: none).
    int16_t BreakStop = 0;
    // ---- the run profile: how often each step ran ----
    // Counted only while on (off costs nothing); each step is counted when
    // TRACE would print it, an erring one too. Turning it on starts from
    // zero; the counts of steps whose text changes or moves go.
    void SetProfiling(bool bOn);
    bool Profiling() const { return pProfile_ != nullptr; }
    uint64_t ProfileCount(int nStep) const;
    void ResetProfile();
    // Asks a run to stop before its next step (R/S, On, Off, the mode switch).
    void RequestStop() {
        if (eMode_ == enmMode::Run) StopRequested = true;
    }
    // Shows the phases in turn on the display, then calls fnAfter. For a
    // step (bInStep) fnAfter may raise the step's error, and the step ends
    // (the pointer moves on) only after it. Outside any run (a key's blink)
    // it is a timed display of its own that the host drives like a run.
    void ShowFor(std::vector<CShowPhase> vPhases, std::function<void()> fnAfter, bool bInStep = true);
    // The step at PrgmPtr without the frame: decode (if needed), execute and
    // advance the pointer as a running program would. Errors propagate as
    // CCalcError to the caller; the pointer then still names the step.
    void ExecuteStep();
    // Runs one instruction given as a step text on the machine state, as a
    // key does: no number entry is ended, the pointer does not move, errors
    // propagate to the caller.
    void ExecInstr(const std::string& sText);
    // Runs up to nBudget steps on the fast path (CPrgm_fast.cpp), counted and
    // traced as RunOneStep does, and returns how many ran: it ends before a
    // step it leaves to the general path, and runs nothing while a number is
    // being keyed or the run is stopped or in error.
    uint64_t RunFast(uint64_t nBudget);
    // The decoded form of a step (decoded now if its text changed).
    CStep& DecodedStep(int nStep);
    // Runs the instruction of a table row with the given operand words (as
    // "I" or "IND 3"; nullptr none), as ExecInstr runs a step text.
    void ExecInstr(const CInstr& oInstr, const char* sOperands = nullptr);
    // Looks a mnemonic up in the instruction table (any case); nullptr when unknown.
    static const CInstr* FindInstr(const std::string& sMnemonic);
    // Whether a step text is an instruction as a listing is checked: no
    // control character, its first word in the instruction table.
    static bool IsKnownStep(const std::string& sStep);
    // The row of a mnemonic the code itself names; a name the table lacks is
    // a fault of the program (std::logic_error), not of the user.
    static const CInstr& InstrRow(const std::string& sMnemonic);
    // Every row of the instruction table (read only), in the reference's order.
    static const CInstr* InstrTable(int& nCount);
    // Every alias a listing may use, with the instruction it stands for.
    static const CAlias* AliasTable(int& nCount);

    CMachine& Machine() { return m_; }
    const CMachine& Machine() const { return m_; }

    // ---- listing files ----
    // Asks whether to include step numbers, then writes the 999 steps; a
    // failure shows its message, changes nothing and gives false.
    bool WriteProgram(const std::string& sFile);
    // Reads and checks a listing; only an accepted listing replaces the
    // program (true). Every failure shows its message and changes nothing.
    bool ReadProgram(const std::string& sFile);
    // The parts of a listing line, as the reader takes them: the instruction
    // from nCode to nCodeEnd (after a leading step number, before a comment,
    // no blank or tab around it) and where a comment starts (npos: none).
    // The editor takes its lines the same way.
    struct CLineParts {
        size_t nCode = 0;
        size_t nCodeEnd = 0;
        size_t nComment = std::string::npos;
    };
    static CLineParts SplitListingLine(const std::string& sLine);
    // The lines the last refused listing or editor text pointed at (empty
    // when it was accepted or pointed at no line).
    const std::vector<CListingPlace>& FaultPlaces() const { return vFaultPlaces_; }
    // The part of a file name after its last "/" or "\".
    static std::string FileTitle(const std::string& sName);

    // ---- the source editor ----
    // The program as the editor shows it: each of the 999 steps and CR LF.
    std::string EditText() const;
    // Rebuilds the program from the editor's text; false (after its message)
    // when the text is refused, and then nothing has changed.
    bool AcceptEditText(const std::string& sText);
    // For each line of an editor text, the step it starts at when the text is
    // taken back: 0 for a line that makes no step, -1 for one past step 999.
    static std::vector<int> EditLineSteps(const std::string& sText);
    // For each line of an editor text, why Close would refuse it: an unknown
    // instruction, a label defined again, a GTO to a missing label ("" when
    // none of these).
    static std::vector<std::string> EditLineFaults(const std::string& sText);

private:
    friend struct CPrgmOps;

    int16_t PrgmPtr = 0;
    int16_t LabelCount = 0;
    int16_t RetPtr = 0;
    std::array<int16_t, kRetDepth + 1> RetStack{};   // positions 1..15
    // A MERGE of the current run has read nothing, and no listing was read
    // since (cleared when a run or a single step starts, and by Clear).
    bool MergeReadNothing = false;
    bool SpecialComments = false;

    using CSteps = std::array<std::string, kMaxSteps + 1>;
    // For each step from step 1, the line of the text it came from.
    using CPlaces = std::vector<CListingPlace>;
    // A label fault the scans find: their message and the step.
    struct CScanFault {
        std::string sTitle;
        std::string sMsg;
        int nStep = 0;
    };
    enum class enmRead { Read, Unreadable };
    // A copy of the label table.
    struct CLabels {
        int16_t nCount = 0;
        std::vector<std::string> vNames;
        std::vector<int16_t> vLines;
        std::unordered_map<int, int16_t> oNumbers;
    };

    // Reads a listing into aSteps (fillers after its last step).
    // A line that cannot be read (too long, or past step 999) is oFault.
    enmRead ParseListing(const std::string& sFile, CSteps& aSteps, bool& bComments, CPlaces& vPlaces,
                         CListingPlace& oFault);
    // Makes aSteps the program if its instructions are all known and its
    // labels pass both scans (each failure shows its message); the memory is
    // then as after Clear with these steps. Otherwise nothing changes.
    // Each message names the lines of vPlaces it is about.
    bool AdoptIfValid(CSteps& aSteps, const std::string& sErrorTail, const CPlaces& vPlaces);
    // Shows a refusal with the lines of the given steps.
    void ListingError(const std::string& sTitle, const std::string& sMsg, bool bOwnWindow, const CPlaces& vPlaces,
                      const std::vector<int>& vSteps);
    // The steps of an editor text, as Close takes them.
    static void EditSteps(const std::string& sText, CSteps& aSteps, std::vector<int>* pLineSteps, CPlaces* pPlaces);
    // The report of unknown instructions; pBad gets their steps.
    std::string CheckTokensIn(const CSteps& aSteps, std::vector<int>* pBad = nullptr) const;
    // The label scans without their messages: true when a fault was found.
    bool FindLabelFault(CScanFault& o);
    bool FindGotoFault(CScanFault& o) const;
    CLabels SaveLabels() const;
    void RestoreLabels(const CLabels& o);

    void PushEntry();
    void Invalidate(int nFirst, int nLast);
    // Notes a traced step (bTraceRing).
    void NoteTrace() { aTrace_[nTraced_++ & (kTraceRing - 1)] = PrgmPtr; }
    // Makes the lines of the steps noted so far, before a step text changes.
    void KeepTraceTexts();
    static void Decode(const std::string& sText, CStep& oStep);
    // Decodes a step of the instruction pInstr (nullptr: unknown) with these operand words.
    static void DecodeWords(const CInstr* pInstr, std::string sOp, std::string sOp2, CStep& oStep);
    enum class enmMode : uint8_t { None, Run, SST, BST, Show };
    // One step at PrgmPtr as a run executes it: decode, end a number being
    // keyed, execute, and (unless the step shows something for a while)
    // finish it.
    void RunOneStep();
    // The end of a step: the pointer moves on unless it erred or halted.
    void FinishStep() {
        if (!(m_.bInErr | Halted))
            INC(PrgmPtr);
        else if (Halted)
            fb_.SetProgramLabel(sFilename_);
    }
    // Runs at most nMaxSteps steps of a run; an error of a step propagates.
    enmRunState RunSteps(uint64_t nMaxSteps);
    // Moves a timed display on; true while it is still on.
    bool ShowNextPhase();
    void StartPhase();
    // The timed display is over (or cut short): what the step does after it.
    void EndTimedShow();
    // The error of the step at PrgmPtr: the error flag, and its message,
    // shown when the run or single step has ended.
    void ReportStepError(enmErrKind eCause);
    // The ends of a run, a single step and a back step.
    CSlice EndRun(enmRunState eEnd);
    CSlice EndSST();
    // Shows the current step for two seconds, then the display as it was.
    void ShowStepBriefly(bool bRepaintAfter);
    // Moves the pointer, as SetPrgmPointer(nStep) does for a step 1..999, from
    // inside a step: the step's normal advance then lands on nStep. (A jump
    // is a cleared advance mark and the pointer set to its target.)
    void JumpTo(int nStep) {
        Halted = false;
        m_.bInErr = false;
        PrgmPtr = static_cast<int16_t>(nStep - 1);
    }
    // The step of a label whose name is the decimal text of n, 0 when none.
    int16_t FindNumberLabel(int n) const;

public:
    // The kinds of compact step records of the fast path.
    enum class enmFast : uint8_t {
        Unbuilt, General, Nop, Number, NumberEnter, RclFix, RclByI, RclInd, StoFix, StoNearI, Rc, St,
        StoAdd, StoSub, StoMul, StoDiv, RclAdd, RclSub, RclMul, RclDiv, Add, Sub, Mul, Div, Unary, Binary,
        Swap, Enter, Chs, Lst, RollDn, TestX0, TestX1, TestX2, TestX3, TestXY0, TestXY1, TestXY2, TestXY3,
        Gto, Gsb, Rtn, DszI, IszI, IszByI, DszFix, DszByI, Abs, Square, Count
    };

private:
    struct CFastStep {
        enmFast eOp = enmFast::Unbuilt;
        int8_t nLen = 0;      // Number: how many digit steps; Gto: 1 when it goes to a label step
        int16_t nReg = 0;     // the register, or the step a jump goes to
        // The profile's count of the step's runs on the fast path not yet
        // added to pProfile_ (in the record, so counting costs one add).
        uint32_t nCount = 0;
        double fVal = 0.0;    // Number: the value the digits key
        double (*pfnUnary)(const CPrgm&, double) = nullptr;
        double (*pfnBinary)(double, double) = nullptr;
    };
    // Makes the record of a step from its decoded form.
    void BuildFast(int nStep);
    void BuildFastNumber(int nStep, CFastStep& r);
    void BuildFastFlow(const CStep& s, CFastStep& r);
    // Runs records up to nBudget steps and returns how many ran; eWhy names a
    // record that ended it to be made or called (Unbuilt, Unary, Binary).
    // One copy of the loop for each of TRACE and the profile on or off, so
    // that what is off costs nothing.
    template <bool bTraceOn, bool bCountOn>
    uint64_t FastSlice(uint64_t nBudget, enmFast& eWhy);
    // Adds the records' counts to pProfile_ (or drops them when it is off).
    void FlushFastCounts(int nFirst = 0, int nLast = kMaxSteps, bool bKeep = true);
    uint64_t nSinceFlush_ = 0;   // steps counted in the records since the last flush
    // The one-number or two-number function step at the pointer; false when
    // the general path must run it.
    bool FastCall();
    std::unique_ptr<std::array<CFastStep, kMaxSteps + 1>> pFast_;   // made by the first fast slice
    int nTextGen_ = 0;   // changes whenever a step text changes
    int nFastGen_ = -1, nFastLabelGen_ = -1;

    CMachine& m_;
    CPanelFeedback& fb_;
    std::array<std::string, kMaxSteps + 1> Program_;
    // The decoded steps, made when a step is first decoded or run, not at start-up.
    std::unique_ptr<std::array<CStep, kMaxSteps + 1>> pDecoded_;
    std::array<CStep, kMaxSteps + 1>& Decoded() {
        if (!pDecoded_) MakeDecoded();
        return *pDecoded_;
    }
    void MakeDecoded();
    std::array<std::string, kMaxSteps + 1> LabelName_;
    std::array<int16_t, kMaxSteps + 1> LabelLine_{};
    // Labels whose names are whole numbers ("3", "-12"), for GTO (i) and GSB (i).
    std::unordered_map<int, int16_t> oNumberLabels_;
    int nLabelGen_ = 0;   // changes whenever the label table is rebuilt

    std::string sFilename_;
    std::vector<CListingPlace> vFaultPlaces_;
    double fStartTime_ = 0.0;

    // Traced step numbers not yet made into lines: a ring larger than the tape.
    static constexpr size_t kTraceRing = 16384;
    static_assert(kTraceRing >= kTraceKeep && (kTraceRing & (kTraceRing - 1)) == 0);
    std::array<int16_t, kTraceRing> aTrace_{};
    uint64_t nTraced_ = 0, nTraceMade_ = 0;
    // Lines made before a text change, and how many were traced before them.
    std::deque<std::string> vTraceLines_;
    uint64_t nTraceLinesAll_ = 0;

    enmMode eMode_ = enmMode::None;
    std::array<bool, kMaxSteps + 1> aBreaks_{};
    std::unique_ptr<std::array<uint64_t, kMaxSteps + 1>> pProfile_;   // null: not counting
    int nStopBelow_ = 0;       // the run stops when the return stack is less deep
    int nBreaks_ = 0;
    bool bRunStart_ = false;   // the run has not left the step it started from
    bool bStepPending_ = false;   // the single step has not run yet (its line is shown)
    bool bSSTShown_ = false;      // the single step is presented (SST key)
    bool bShowInStep_ = false;    // the timed display belongs to the step at PrgmPtr
    CTimedShow oShow_;
    std::string sErrorMsg_;       // the error message of the run, shown at its end
};

} // namespace corvel
