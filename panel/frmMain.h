#pragma once
// The front panel: the calculator's state, its display texts and every key
// handler. The Qt window and the batch front-end draw what this holds and
// forward clicks and typed characters to its handlers.
#include <cstdint>
#include <string>
#include <vector>

#include "../machine/CFlags.h"
#include "../machine/CMem.h"
#include "../machine/CStack.h"
#include "../machine/CStatRegs.h"
#include "../program/CPrgm.h"
#include "CHost.h"

// The calculator's keys (the switches, R/S, SST and the card slot have
// handlers of their own).
enum class enmKey {
    K0, K1, K2, K3, K4, K5, K6, K7, K8, K9,
    A, B, C, D, E,
    Decimal, EEX, Chs, Enter, CLX,
    Plus, Minus, Mult, Div,
    STO, RCL, GTO, DSP, OfI, SigmaPlus,
    F, G, H
};

// Key classes used by the handlers.
inline bool IsDigitKey(enmKey e) { return e >= enmKey::K0 && e <= enmKey::K9; }
inline int DigitOfKey(enmKey e) { return static_cast<int>(e) - static_cast<int>(enmKey::K0); }
inline bool IsLetterKey(enmKey e) { return e >= enmKey::A && e <= enmKey::E; }
inline char LetterOfKey(enmKey e) { return static_cast<char>('A' + (static_cast<int>(e) - static_cast<int>(enmKey::A))); }

class frmMain {
public:
    static constexpr const char* kTitle = "CorvelXMem ";

    explicit frmMain(CHost& oHost);   // Form_Initialize, then Form_Load
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    CHost& Host() { return oHost_; }

    // ---- public state, in declaration order ----
    double fLastX = 0.0;
    double fAngleFactor = 0.0;
    double Pi = 0.0;
    bool bOn = true;
    bool bRun = true;
    int32_t enmShift = 0;       // 0 none, 1 f, 2 g, 3 h
    bool bInErr = false;
    int32_t enmNumEntry = 0;    // 0 idle, 1 mantissa, 2 exponent, 3 lift pending
    bool bPendOp = false;
    std::string sPendOp;
    int32_t enmAngleMode = 1;
    int32_t enmDispMode = 0;    // 0 FIX, 1 SCI, 2 ENG
    int16_t nDigits = 2;
    bool Release = false;

private:
    CHost& oHost_;   // declared here so that the machine objects can be built after it

public:
    // The machine objects, created in this order.
    CStack oStack;
    CMem oMem;
    CStatRegs oStat;
    CPrgm oPrgm;
    CFlags oFlags;

    // ---- window elements ----
    std::string lblDisp;
    std::string lblEex;
    std::string lblPrgm;
    std::string sTitle;
    bool bCardVisible = false;   // imgCard
    bool bBusy = false;          // busy mouse pointer while a program runs

    // ---- display, sounds, pauses ----
    void ShowXHelper(double X, std::string& sDisp, std::string& sEex) const;
    void GetEngFormat(double X, double& Y, int16_t& N) const;
    void ShowX();
    void Wait(double Delay);
    void DoPause();
    void BlinkX();
    void BlinkStack();
    void XRefresh();
    void PlayClick();
    void PlayBeep();
    // Sets both display fields and repaints them.
    void SetDisplay(const std::string& sDisp, const std::string& sEex);
    void RepaintDisplay();
    void SetTitle(const std::string& s);
    // The calculator's own message window (an empty title gives the default one).
    void MsgBox(const std::string& sMsg, const std::string& sTitle);

    // ---- key entry engine ----
    void SavePendingNum();
    // Pushes the typed number; a refused push is an error of the key.
    void PushEntry();
    double GetVal();
    void SetPendOp(const std::string& sOp);
    void ClearPendOp();

    // ---- keys ----
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
    void imgCardReader_Click();
    void ReadDataOrWriteProgram();
    void imgSaveState_Click();
    void imgRestoreState_Click();
    void imgCopyright_Click();
    void imgEdit_Click();

    // ---- keys by name ("ENTER", "R/S", "W/PRGM", ...), as key scripts spell them ----
    static bool IsKeyName(const std::string& sName);
    bool PressKey(const std::string& sName);   // false for an unknown name

    // ---- computer keyboard ----
    // Returns true when the character was taken by a key.
    bool Form_KeyPress(int nChar);
    void NotYetImplemented();

    // A program is running (Exec is on the call stack).
    bool IsRunning() const { return nRunDepth_ > 0; }
    // Asks a running program to stop at its next step, as R/S would.
    void RequestStop();

    // ---- used by the key handlers (public for the interpreter and tests) ----
    // The common error path of every key handler.
    void ErrorPath();
    // Prefix and title bookkeeping at the end of most RUN keys.
    void EndKey();
    // Finishes a number entry inline and shows X (STO, RCL, GTO, A-E, SUM+, f/g/h).
    void FinishEntryInline();
    // Runs the program from the current step (the interpreter's run loop).
    void RunProgram();

    // ---- card functions of the ENTER key ----
    void WriteDataCard();     // f ENTER: "Write Data?", file dialog, all registers to a data file
    void ReadProgramCard();   // g ENTER: "Read Program?", file dialog, listing into program memory

    // ---- register viewers ----
    // The register viewer: the 26 labelled registers, formatted like the display.
    std::vector<std::string> MemRegLines() const;
    void ShowMemViewer(int16_t nReg);
    // The memory block viewer for a range number; an invalid range is an error.
    void ShowMemBlock(double& fRange);
    // The lines of the block viewer for registers nFirst..nLast.
    std::vector<std::string> MemBlockLines(int nFirst, int nLast, bool bNonZeroOnly) const;
    // Decodes a block viewer range number (raises when the last register is above 999).
    static void DecodeViewerRange(double fRange, int& nFirst, int& nLast);

private:
    // RUN mode: the key with its prefix and pending operation.
    void RunKey(enmKey eKey);
    // RUN mode: a prefixed key (enmShift 1..3), or an unprefixed non-entry key.
    void RunFunctionKey(enmKey eKey);
    // RUN mode: a pending operation continued or completed by eKey.
    // Returns true when the key was consumed by the pending operation.
    bool RunPendingKey(enmKey eKey);
    void ExecPendOpDigit(int d);
    void LineNumberInput();
    void GotoLabel(const std::string& sLabel, bool bRunIt);
    void LabelKey(enmKey eKey);
    // W/PRGM mode: records the step of eKey.
    void PrgmKey(enmKey eKey);
    void InsertPendOpDigit(int d);
    void Record(const std::string& sStep);
    // Shows the current program line and uses up the prefix.
    void ShowPrgmLineAndEnd();

    // Number entry.
    void StartNumber(int d);
    void AppendDigit(int d);
    void DecimalKey();
    void EEXKey();
    void ChsKey();
    void EnterKey();
    void CLXKey();
    void PrefixKey(int nShift);

    // Function patterns.
    template <class Fn> void F1(Fn fn);
    template <class Fn> void F2(Fn fn);
    template <class Fn> void S(Fn fn);

    void WaitSeconds(double fSeconds, bool bProcessEvents);

    int nRunDepth_ = 0;
};
