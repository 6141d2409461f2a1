#pragma once
// Program memory and interpreter: the instruction vocabulary, the 999 step
// texts with the step pointer and label table, the execution of every
// instruction, the run loop with single and back step, and listing files.
// It acts on the machine state it is given and reaches the front panel only
// through CPanelFeedback.
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "../machine/CMachine.h"
#include "../numeric/CCalcError.h"
#include "CPanelFeedback.h"
#include "CPrgmStep.h"

namespace corvel {

struct CPrgmOps;

class CPrgm {
public:
    static constexpr int kMaxSteps = 999;
    static constexpr int kTokenCapacity = 200;
    static constexpr int kRetDepth = 15;

    CPrgm(CMachine& oMachine, CPanelFeedback& oPanel);
    CPrgm(const CPrgm&) = delete;
    CPrgm& operator=(const CPrgm&) = delete;

    // ---- vocabulary and token table ----
    static const char* GetTokenList();
    void InitTokens();
    void SortTokens();
    static void QuickSort(std::array<std::string, kTokenCapacity + 1>& a, int nFirst, int nLast);
    int16_t SearchToken(const std::string& sToken) const;
    std::string CheckTokens() const;
    static void Translate(std::string& sStep);
    std::array<std::string, kTokenCapacity + 1> Tokens;   // index 0 unused
    int16_t TokenCount = 0;

    // ---- program memory and pointer ----
    void Clear();
    int GetMaxSteps() const { return kMaxSteps; }
    static void INC(int16_t& nStep) { nStep = nStep < kMaxSteps ? static_cast<int16_t>(nStep + 1) : int16_t{1}; }
    static void DEC(int16_t& nStep) { nStep = nStep >= 1 ? static_cast<int16_t>(nStep - 1) : int16_t{kMaxSteps}; }
    int16_t GetPrgmPointer() const { return PrgmPtr; }
    void SetPrgmPointer(int nStep);
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
    const std::string& Filename() const { return sFilename_; }
    void SetFilename(const std::string& s) { sFilename_ = s; }
    std::string GetFilename() const { return sFilename_; }
    bool HasSpecialComments() const { return SpecialComments; }
    void ResetStartTime();

    int16_t PrgmPtr = 0;
    bool Halted = false;
    bool StopRequested = false;
    // Steps executed since the current (or last) run started.
    uint64_t nRunSteps = 0;
    // Each step is handed to CPanelFeedback::TraceStep before it runs.
    bool bTrace = false;
    bool SpecialComments = false;
    bool EntryActive = false;
    bool ExpEntryActive = false;
    int16_t LabelCount = 0;
    int16_t RetPtr = 0;
    std::array<int16_t, kRetDepth + 1> RetStack{};   // positions 1..15

    // ---- execution ----
    // Pushes a number being keyed by program steps (GetVal) and ends its entry.
    void SavePendingNumber() {
        if (EntryActive || ExpEntryActive) PushEntry();
    }
    // Executes the step at PrgmPtr with the frame and error handling of a
    // single step; bSST asks for single-step presentation.
    void SST_Exec(bool& bSST);
    void Exec();
    void BST();
    // The step at PrgmPtr without the frame: decode (if needed), execute and
    // advance the pointer as a running program would. Errors propagate as
    // CCalcError to the caller; the pointer then still names the step.
    void ExecuteStep();
    // Runs one instruction given as a step text on the machine state, as a
    // key does: no number entry is ended, the pointer does not move, errors
    // propagate to the caller.
    void ExecInstr(const std::string& sText);
    // The decoded form of a step (decoded now if its text changed).
    CStep& DecodedStep(int nStep);
    // Looks a mnemonic up in the instruction table (any case); nullptr when unknown.
    static const CInstr* FindInstr(const std::string& sMnemonic);
    // Every row of the instruction table, for tests and tools.
    static const CInstr* InstrTable(int& nCount);
    double GetStartTime() const { return fStartTime_; }

    CMachine& Machine() { return m_; }
    const CMachine& Machine() const { return m_; }

    // ---- listing files ----
    // Asks whether to include step numbers, then writes the 999 steps; a
    // failure shows its message, changes nothing and gives false.
    bool WriteProgram(const std::string& sFile);
    // Reads and checks a listing; only an accepted listing replaces the
    // program (true). Every failure shows its message and changes nothing.
    bool ReadProgram(const std::string& sFile);
    // The part of a file name after its last "/" or "\".
    static std::string FileTitle(const std::string& sName);
    static std::string TrimBlanks(const std::string& s);

    // ---- the source editor ----
    // The program as the editor shows it: each of the 999 steps and CR LF.
    std::string EditText() const;
    // Rebuilds the program from the editor's text; false (after its message)
    // when the text is refused, and then nothing has changed.
    bool AcceptEditText(const std::string& sText);
    // For each line of an editor text, the step it starts at when the text is
    // taken back: 0 for a line that makes no step, -1 for one past step 999.
    static std::vector<int> EditLineSteps(const std::string& sText);

private:
    friend struct CPrgmOps;

    using CSteps = std::array<std::string, kMaxSteps + 1>;
    enum class enmRead { Read, Unreadable };
    // A copy of the label table.
    struct CLabels {
        int16_t nCount = 0;
        std::vector<std::string> vNames;
        std::vector<int16_t> vLines;
        std::unordered_map<int, int16_t> oNumbers;
    };

    // Reads a listing into aSteps (fillers after its last step).
    enmRead ParseListing(const std::string& sFile, CSteps& aSteps, bool& bComments);
    // Makes aSteps the program if its instructions are all known and its
    // labels pass both scans (each failure shows its message); the memory is
    // then as after Clear with these steps. Otherwise nothing changes.
    bool AdoptIfValid(CSteps& aSteps, const std::string& sErrorTail);
    // The steps of an editor text, as Close takes them.
    static void EditSteps(const std::string& sText, CSteps& aSteps, std::vector<int>* pLineSteps);
    std::string CheckTokensIn(const CSteps& aSteps) const;
    CLabels SaveLabels() const;
    void RestoreLabels(const CLabels& o);

    void PushEntry();
    void Invalidate(int nFirst, int nLast);
    static void Decode(const std::string& sText, CStep& oStep);
    // One step at PrgmPtr as a run executes it, after its yield: decode,
    // end a number being keyed, execute, advance.
    void RunOneStep();
    // Runs steps until the program stops; an error of a step propagates.
    void RunSteps(bool& bStopped);
    // The error of the step at PrgmPtr: the error flag and its message.
    void ReportStepError(enmErrKind eCause);
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

    CMachine& m_;
    CPanelFeedback& fb_;
    std::array<std::string, kMaxSteps + 1> Program_;
    std::array<CStep, kMaxSteps + 1> Decoded_;
    std::array<std::string, kMaxSteps + 1> LabelName_;
    std::array<int16_t, kMaxSteps + 1> LabelLine_{};
    // Labels whose names are whole numbers ("3", "-12"), for GTO (i) and GSB (i).
    std::unordered_map<int, int16_t> oNumberLabels_;
    int nLabelGen_ = 0;   // changes whenever the label table is rebuilt

    std::string sFilename_;
    double fStartTime_ = 0.0;
};

} // namespace corvel
