#pragma once
// The front panel: the calculator's state, its display texts and every key
// handler. It owns the machine state and the program memory, and it is the
// interpreter's CPanelFeedback. Its state is private: the Qt window and the
// batch front-end draw what View() shows and forward clicks and typed
// characters to its handlers.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../machine/CMachine.h"
#include "../program/CPanelFeedback.h"
#include "../program/CPrgm.h"
#include "CHost.h"
#include "CKeyTable.h"
#include "CPanelTypes.h"
#include "CPrintTape.h"

namespace corvel {

// What a window or another host reads of the front panel: its state, read
// only (the panel's own fields, under their names). The host changes nothing
// through it; it acts through the panel's handlers.
struct CPanelView {
    const CMachine& oMachine;
    const CStack& oStack;
    const CMem& oMem;
    const CStatRegs& oStat;
    const CFlags& oFlags;
    const CPrgm& oPrgm;
    const CPrintTape& oTape;
    const double& fLastX;
    const CErrorFlag& bInErr;
    const enmDispMode& eDispMode;
    const int16_t& nDigits;
    const std::string& lblDisp;   // mantissa text (or "Error", or a program line)
    const std::string& lblEex;    // exponent text
    const bool& bOn;
    const bool& bRun;             // RUN mode (false: W/PRGM)
    const enmShift& eShift;
    const enmNumEntry& eNumEntry;
    const enmPendOp& ePendOp;
    const enmAngleMode& eAngleMode;
    const std::string& lblPrgm;
    const std::string& sTitle;
    const bool& bCardVisible;
    const bool& bBusy;
    const std::string& sNote;
};

class CFrontPanel : public CPanelFeedback {
public:
    static constexpr const char* kTitle = "CorvelXMem ";

    explicit CFrontPanel(CHost& oHost);   // creates the machine, then Form_Load
    CFrontPanel(const CFrontPanel&) = delete;
    CFrontPanel& operator=(const CFrontPanel&) = delete;

    CHost& Host() override { return oHost_; }

    // ---- what a host reads, and the parts a host may set up directly ----
    const CPanelView& View() const { return oView_; }
    // The machine and the program memory, for a host that sets the calculator
    // up directly (the batch's options, tests, fuzzing). A window reads View()
    // and acts through the handlers below.
    CMachine& Machine() { return oMachine; }
    CPrgm& Prgm() { return oPrgm; }
    // The print tape: the tape window reads, clears and saves it.
    CPrintTape& Tape() { return oTape; }
    // TRACE on the tape; a breakpoint set or cleared at nStep (program view).
    void SetTrace(bool bTraceOn) { oPrgm.bTrace = bTraceOn; }
    void ToggleBreak(int nStep) { oPrgm.ToggleBreak(nStep); }
    // The run profile is counted while the program view shows its column.
    void SetProfiling(bool bCount) { oPrgm.SetProfiling(bCount); }
    // When set, the source editor button does nothing.
    void SetRelease(bool b) { Release = b; }
    // Everything as in a new front panel on the same host (its hooks stay):
    // the machine, the program memory, the tape, the panel's own state.
    void ResetToNew();

private:
    CHost& oHost_;

    // ---- the machine state, owned here and shared with the interpreter ----
    CMachine oMachine;
    CStack& oStack;
    CMem& oMem;
    CStatRegs& oStat;
    CFlags& oFlags;
    CPrgm oPrgm;
    // The machine's fields under the names the key handlers use.
    double& fLastX;
    double& fAngleFactor;
    double& Pi;
    CErrorFlag& bInErr;
    enmDispMode& eDispMode;
    int16_t& nDigits;
    std::string& lblDisp;   // mantissa text (or "Error", or a program line)
    std::string& lblEex;    // exponent text

    // ---- the front panel's own state ----
    bool bOn = true;
    bool bRun = true;
    enmShift eShift = enmShift::None;
    enmNumEntry eNumEntry = enmNumEntry::Idle;
    enmPendOp ePendOp = enmPendOp::None;
    enmAngleMode eAngleMode = enmAngleMode::Degrees;
    // When set, the source editor button does nothing.
    bool Release = false;

    // The print tape of the show-X and show-stack functions and of TRACE.
    CPrintTape oTape;

    // ---- window elements ----
    std::string lblPrgm;
    std::string sTitle;
    bool bCardVisible = false;   // imgCard
    bool bBusy = false;          // busy mouse pointer while a program runs
    // The line under the display: a short note, kept until the next key or
    // click (empty: none). The window fades it after a moment.
    std::string sNote;

public:
    // The display shows something on purpose: the show-X or show-stack
    // blink, a PAUSE, a step line shown by SST or BST. A window that marks a
    // running program on its display leaves it as it is meanwhile.
    bool Showing() const { return oPrgm.Waiting(); }

    bool HasPendOp() const { return ePendOp != enmPendOp::None; }

    // ---- display, sounds, pauses ----
    void ShowXHelper(double X, std::string& sDisp, std::string& sEex) const { oMachine.ShowXHelper(X, sDisp, sEex); }
    // Shows the display as it stands for three seconds.
    void DoPause() { ShowTimed({{lblDisp, 3.0}}, {}); }
    void XRefresh();
    // A value as the tape prints it: the mantissa, and a blank and the
    // exponent when there is one.
    std::string TapeText(double v) const;
    // Sets both display fields and repaints them.
    void SetDisplay(const std::string& sDisp, const std::string& sEex);
    void SetTitle(const std::string& s);

    // ---- CPanelFeedback: what the interpreter asks of the panel ----
    void ShowX() override;
    void BlinkX(std::function<void()> fnAfter) override;
    void BlinkStack() override;
    void MsgBox(const std::string& sMsg, const std::string& sTitle) override;
    // The first line a refused listing points at goes on the note line, all
    // of them into the message window's details.
    void ListingError(const std::string& sTitle, const std::string& sMsg, bool bOwnWindow,
                      const std::vector<CListingPlace>& vPlaces) override;
    void ShowMemViewer() override;
    void ShowMemBlock(double& fRange) override;
    void SetProgramLabel(const std::string& sText) override;
    void SetCardVisible(bool bVisible) override;
    void SetRunning(bool bRunning) override;
    void TraceStep(const std::string& sLine) override { oTape.Print(sLine); }

    // ---- key entry engine ----
    void SavePendingNum();
    // Pushes the typed number; a refused push is an error of the key.
    void PushEntry();
    double GetVal() const { return oMachine.GetVal(); }
    void SetPendOp(enmPendOp eOp);
    void ClearPendOp();

    // ---- keys ----
    // Any calculator key, as a click on it; R/S and SST go to their own handlers.
    void KeyClick(enmKey eKey);
    void img0_Click() { KeyClick(enmKey::K0); }
    void img1_Click() { KeyClick(enmKey::K1); }
    void img2_Click() { KeyClick(enmKey::K2); }
    void img3_Click() { KeyClick(enmKey::K3); }
    void img4_Click() { KeyClick(enmKey::K4); }
    void img5_Click() { KeyClick(enmKey::K5); }
    void img6_Click() { KeyClick(enmKey::K6); }
    void img7_Click() { KeyClick(enmKey::K7); }
    void img8_Click() { KeyClick(enmKey::K8); }
    void img9_Click() { KeyClick(enmKey::K9); }
    void imgA_Click() { KeyClick(enmKey::A); }
    void imgB_Click() { KeyClick(enmKey::B); }
    void imgC_Click() { KeyClick(enmKey::C); }
    void imgD_Click() { KeyClick(enmKey::D); }
    void imgE_Click() { KeyClick(enmKey::E); }
    void imgDecimal_Click() { KeyClick(enmKey::Decimal); }
    void imgEEX_Click() { KeyClick(enmKey::EEX); }
    void imgChs_Click() { KeyClick(enmKey::Chs); }
    void imgEnter_Click() { KeyClick(enmKey::Enter); }
    void imgCLX_Click() { KeyClick(enmKey::CLX); }
    void imgPlus_Click() { KeyClick(enmKey::Plus); }
    void imgMinus_Click() { KeyClick(enmKey::Minus); }
    void imgMult_Click() { KeyClick(enmKey::Mult); }
    void imgDiv_Click() { KeyClick(enmKey::Div); }
    void imgSTO_Click() { KeyClick(enmKey::STO); }
    void imgRCL_Click() { KeyClick(enmKey::RCL); }
    void imgGTO_Click() { KeyClick(enmKey::GTO); }
    void imgDSP_Click() { KeyClick(enmKey::DSP); }
    void imgOfI_Click() { KeyClick(enmKey::OfI); }
    void imgSigmaPlus_Click() { KeyClick(enmKey::SigmaPlus); }
    void imgF_Click() { KeyClick(enmKey::F); }
    void imgG_Click() { KeyClick(enmKey::G); }
    void imgH_Click() { KeyClick(enmKey::H); }

    // ---- power, modes, R/S, SST, card reader, extra buttons ----
    void Form_Load();
    void InitData();
    void ShowCurrPrgmLine();
    void imgOn_Click();
    void imgOff_Click();
    void TurnOff();
    void imgPrgm_Click();
    void imgRun_Click();
    void imgRunStop_Click();
    void imgSST_Click();
    // Step over (F10): a GSB at the pointer runs with its whole subroutine
    // and stops after it; any other step goes as SST. Step out (Shift+F11):
    // runs until the current subroutine has returned, as R/S with an empty
    // return stack. Both stop at a breakpoint and by R/S as any run does. In
    // W/PRGM mode step over moves to the next step as SST does there, and
    // step out says on the note line that it runs in RUN mode.
    void StepOverKey() { StepKey(true); }
    void StepOutKey() { StepKey(false); }
    void imgCardReader_Click();
    void ReadDataOrWriteProgram();
    void imgSaveState_Click();
    void imgRestoreState_Click();
    void imgCopyright_Click();
    void imgEdit_Click();

    // ---- keys and controls by name ("ENTER", "R/S", "W/PRGM", ...), as key scripts spell them ----
    static bool IsKeyName(const std::string& sName);
    bool PressKey(const std::string& sName);   // false for an unknown name

    // ---- the program view beside the panel ----
    // Moves the pointer to step nStep as GTO . NNN does (in W/PRGM mode the
    // display shows the step). Does nothing while a program runs, while the
    // calculator is off or while "Error" is shown; false then.
    bool GoToStep(int nStep);

    // ---- clipboard ----
    // The text Ctrl+C copies: in RUN mode X in full precision (the shortest
    // text that reads back to the same number, "." as the point); in W/PRGM
    // mode the current step's text. Empty while off.
    std::string CopyText() const;
    // Ctrl+V in RUN mode: a number (sign, digits, point, exponent with E or e,
    // blanks around it) does what typing it and finishing the entry would do:
    // a number being typed ends first, after ENTER or CLX it takes the copy's
    // place, otherwise it lifts the stack; X is the very value the text
    // denotes, a finished entry. Anything else changes nothing and
    // puts a short note on the panel (never "Error"). Does nothing in W/PRGM
    // mode, while off, while a program runs or while "Error" is shown.
    void PasteText(const std::string& sText);
    // Sets the line under the display (View().sNote).
    void SetNote(const std::string& sText);

    // ---- the state file and the user's work ----
    // The whole state in the state-file format to sFile (atomically); no message.
    bool WriteStateTo(const std::string& sFile);
    // Reads sFile as the restore button does (its message on failure: false).
    bool RestoreStateFrom(const std::string& sFile);
    // The save button's save, but a cancelled dialog saves nothing: true only
    // when the state was written (closing the window asks for this).
    bool SaveStateChosen();
    // The work (program memory, the program's file name, the 1000 registers)
    // differs from what it was at start-up or at the last state save or restore.
    bool WorkChanged() const;
    // The work as it is now counts as kept (unchanged).
    void MarkWorkKept();
    // The work counts as changed until it is next kept (work recovered at start-up).
    void MarkWorkChanged() { bChangedAnyway_ = true; }

    // ---- computer keyboard ----
    // Returns true when the character was taken by a key.
    bool Form_KeyPress(int nChar);
    void NotYetImplemented();

    // ---- the run, driven by the host ----
    // A run, a single or back step or a timed display is under way, or keys
    // held back during a timed display wait to act: the host calls RunSlice.
    bool Busy() const { return oPrgm.Busy() || !vHeld_.empty(); }
    // A program is running (started by R/S, a label key or GSB).
    bool IsRunning() const { return oPrgm.Running(); }
    // One slice of what is under way (see CHost::ScheduleRun); when it ends
    // the panel finishes the run, and keys held back during a timed display
    // act once it is over, in the order they came.
    CSlice RunSlice(uint64_t nMaxSteps);
    // Asks a running program to stop before its next step, as R/S does.
    void RequestStop();

    // ---- used by the key handlers (public for the interpreter and tests) ----
    // The common error path of every key handler (the cause, when known, is
    // noted with the error flag).
    void ErrorPath();
    void ErrorPath(enmErrKind eCause);
    // Prefix and title bookkeeping at the end of most RUN keys.
    void EndKey();
    // Finishes a number entry inline and shows X (STO, RCL, GTO, A-E, SUM+, f/g/h).
    void FinishEntryInline();
    // Starts a run from the current step (the host drives it); no second
    // run starts while one is under way.
    void RunProgram(int nStopBelow = 0);
    // Starts a run at step nStep, unless one is under way.
    void StartRunAt(int nStep);
    // A timed display on behalf of a key, or of the step that is running.
    void ShowTimed(std::vector<CShowPhase> vPhases, std::function<void()> fnAfter);

    // ---- card functions of the ENTER key ----
    void WriteDataCard();     // f ENTER: "Write Data?", file dialog, all registers to a data file
    void ReadProgramCard();   // g ENTER: "Read Program?", file dialog, listing into program memory

    // ---- files from the desktop ----
    // A listing named on the command line: read as g ENTER reads it after
    // Yes with sFile typed (its messages as usual). False when it was not read.
    bool ReadProgramFile(const std::string& sFile);
    // A file dropped on the panel: a state file (LooksLikeStateFile) asks
    // "Restore the calculator's state from FILE?" and restores it; any other
    // asks "Read Program?" as g ENTER does and reads it as a listing.
    // Nothing while a program runs; a listing also needs the calculator on.
    void DropFile(const std::string& sFile);
    // Whether a drop would be taken now.
    bool AcceptsDrop() const { return !Busy(); }

    // ---- register viewers ----
    // The register viewer: the 26 labelled registers, formatted like the display.
    std::vector<std::string> MemRegLines() const;
    // The lines of the block viewer for registers nFirst..nLast.
    std::vector<std::string> MemBlockLines(int nFirst, int nLast, bool bNonZeroOnly) const;
    // Decodes a block viewer range number (raises when the last register is above 999).
    static void DecodeViewerRange(double fRange, int& nFirst, int& nLast);

    // ---- key operations of their own, named in the key table ----
    void BlinkXKey();         // f R/S: X blinks (the run is held meanwhile)
    void BlinkStackKey();     // g R/S: the stack blinks
    void PctKey();            // f 0: percent as (y / 100) x x
    void PctChKey();          // g 0: percent change with the keyboard's sign
    void ShowXKey();          // h 1: the entry ends and X is shown
    void SwapKey();           // h 7: x<>y, refused for a Y out of range
    void ClRegKey();          // f EEX: registers and statistics cleared
    void ClearProgramKey();   // f CLX: the program memory cleared
    void DszKey();            // f STO: I - 1
    void DszIndKey();         // g STO: R(I) - 1
    void IszKey();            // f RCL: I + 1
    void IszIndKey();         // g RCL: R(I) + 1
    void RtnKey();            // h GTO: back to step 1
    void LabelKey();          // A-E: run from the label or the default function
    void DeleteStepKey();     // W/PRGM h CLX
    void NextLineKey();       // W/PRGM SST
    void PrevLineKey();       // W/PRGM h SST
    void RunKeyProgram();     // R/S: run from the current step

private:
    // The key being handled (for operations that act by key).
    enmKey eCurKey_ = enmKey::K0;

    // RUN mode: the key with its prefix and pending operation.
    void RunKey(enmKey eKey);
    // RUN mode: one action of the key table.
    void RunAct(const CKeyAct& oAct);
    // A pending operation continued or completed by eKey (both modes).
    // Returns true when the key was consumed by the pending operation.
    bool PendingKey(enmKey eKey);
    void CompletePending(enmKey eKey);
    // The step a pending operation records with the operand key, its
    // operand text, and why RUN mode does something of its own (or nullptr).
    std::string PendingStep(enmKey eKey, std::string& sOperand, const char*& sWhy) const;
    void CompletePendingOwn(enmKey eKey, const std::string& sOperand);
    void LineNumberInput();
    void GotoLabel(const std::string& sLabel, bool bRunIt);
    // Empties the return stack before a run started by a label key or GSB.
    void FreshStart();
    // W/PRGM mode: records the step of eKey.
    void PrgmKey(enmKey eKey);
    void Record(const std::string& sStep);
    // Shows the current program line and uses up the prefix.
    void ShowPrgmLineAndEnd();
    void StepKey(bool bOver);
    // What R/S and the step keys do before a run starts: the pending
    // operation and the prefix go, a number the steps were keying goes back
    // to them, a typed one ends.
    void BeforeRunKey();

    // Number entry.
    void EntryKey(enmKey eKey);
    void StartNumber(int d);
    void AppendDigit(int d);
    void DecimalKey();
    void EEXKey();
    void ChsKey();
    void EnterKey();
    void CLXKey();
    void PrefixKey(enmShift eNew);
    void DspKey();

    // The state file chosen in the dialog (true), or the default one on Cancel (false).
    bool StateFileName(enmFileUse eUse, CFileChoice& oChoice);
    // Ends a number being typed before a save; false when the stack refused it.
    bool FinishEntryForSave();
    // Writes the state file of the choice; a failure shows its message (false)
    // and removes the file the dialog made for it.
    bool SaveStateAs(const CFileChoice& oChoice);

    // The work as a new calculator has it (filler steps, registers +0, no
    // file name) counts as kept, without a copy (a reset is cheap then).
    void MarkWorkNew();
    // The work as last kept (at start-up, by a state save or restore); no
    // steps: the work of a new calculator.
    std::vector<std::string> vKeptSteps_;
    std::vector<double> vKeptRegs_;
    std::string sKeptFilename_;
    bool bChangedAnyway_ = false;

    // What an input does while something is under way, decided here alone.
    enum class enmInput { Key, RunStop, SST, Card, FileKey, SaveState, RestoreState, Edit, Switch, Paste, GoTo };
    enum class enmWhileBusy { Act, Hold, Ignore, Stop };
    enmWhileBusy WhileBusy(enmInput eInput) const;
    // Applies the rule for eInput: false when the input must not act now
    // (held back to act later as fnAgain, ignored, or turned into a stop).
    bool Admit(enmInput eInput, std::function<void()> fnAgain);
    // What a run, single step or back step leaves on the panel when it ends.
    void AfterRun();
    // A number the steps were keying when the run stopped goes back to the
    // program (R/S, SST), which goes on keying it.
    void ResumeStepEntry();
    // Before R/S or SST runs: a number the steps were keying goes back to the
    // program, one typed at the keys goes to the stack, so no digit is lost.
    void EntryToRun();
    void DropEndedStepEntry();
    // The number in entry is one the steps were keying (see AfterRun).
    bool bStepEntry_ = false;

    enum class enmStarted { None, Run, Step, Show } eStarted_ = enmStarted::None;
    void ShowAsKey(const std::function<void()>& fnShow);
    bool bKeyShow_ = false;                     // a key's blink is being set up
    bool bReplaying_ = false;                   // held inputs are acting now
    std::vector<std::function<void()>> vHeld_;  // inputs held back by a timed display

    const CPanelView oView_{oMachine, oStack, oMem, oStat, oFlags, oPrgm, oTape, fLastX, bInErr, eDispMode,
                            nDigits, lblDisp, lblEex, bOn, bRun, eShift, eNumEntry, ePendOp, eAngleMode,
                            lblPrgm, sTitle, bCardVisible, bBusy, sNote};
};

} // namespace corvel
