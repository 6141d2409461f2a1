#pragma once
// The keyboard as one table: one row per key with its name (as key scripts
// and tests spell it), the characters typed for it on the computer keyboard,
// its legends and place on the panel, and for each prefix what it does in
// RUN mode and what it records in W/PRGM mode. The key handlers, the window,
// the computer keyboard and the batch front-end all read this table.
#include <cstdint>

#include "CPanelTypes.h"

namespace corvel {

class CFrontPanel;
struct CInstr;

enum class enmKey : uint8_t {
    K0, K1, K2, K3, K4, K5, K6, K7, K8, K9,
    A, B, C, D, E,
    Decimal, EEX, Chs, Enter, CLX,
    Plus, Minus, Mult, Div,
    STO, RCL, GTO, DSP, OfI, SigmaPlus,
    F, G, H,
    RunStop, SST
};
inline constexpr int kKeyCount = static_cast<int>(enmKey::SST) + 1;

// What a key does with one prefix.
enum class enmAct : uint8_t {
    Entry,    // RUN: the number-entry engine (digits, ".", EEX, CHS, ENTER, CLX)
    Instr,    // RUN: the entry ends, the instruction pInstr runs as a program step would, X is shown
    Record,   // W/PRGM: records the step sText after the current one
    Own,      // an operation of the key's own (pfnOwn)
    Pend,     // starts the pending operation ePend
    Prefix,   // f, g or h
    Nothing   // the prefix is used up, nothing else happens
};

using KeyFn = void (CFrontPanel::*)();

struct CKeyAct {
    enmAct eAct = enmAct::Nothing;
    const CInstr* pInstr = nullptr;    // Instr: its row of the instruction table
    const char* sText = nullptr;       // Instr: its operand words ("I") or nullptr; Record: the step text
    KeyFn pfnOwn = nullptr;            // Own
    enmPendOp ePend = enmPendOp::None; // Pend
    // Where the RUN-mode operation differs on purpose from the step the key
    // records (or from the instruction of the same name): why.
    const char* sWhy = nullptr;
};

// The key's colour on the panel.
enum class enmKeyLook : uint8_t { Dark, Light, Gold, Blue, Black };

struct CKeyRow {
    enmKey eKey;
    const char* sName;     // "7", "ENTER", "SUM+", "R/S" ...
    const char* sTyped;    // computer-keyboard characters for it ("" none; "\r" is the Enter key)
    const char* sFace;     // printed on the key (UTF-8)
    const char* sF;        // gold legend above the key
    const char* sG;        // blue legend on the key's front
    const char* sH;        // grey legend below the key
    enmKeyLook eLook;
    uint8_t nSection, nRow, nCol, nSpan;   // upper block of five columns (0) or lower of four (1)
    bool bFinishInline;    // RUN: ends an entry with X shown before acting (STO, RCL, GTO, A-E, SUM+)
    CKeyAct aRun[4];       // RUN mode, by prefix: none, f, g, h
    CKeyAct aPrgm[4];      // W/PRGM mode, by prefix
    // A-E: what the key does in RUN mode when no program label answers it.
    CKeyAct oDefault{};
};

// All keys, in reading order on the panel.
const CKeyRow* KeyRows(int& nCount);
const CKeyRow& KeyRow(enmKey eKey);
// The key of a name, or of a character typed on the computer keyboard; nullptr when none.
const CKeyRow* KeyByName(const char* sName);
const CKeyRow* KeyByChar(int nChar);

// A pending two-key operation: its title, the steps it records in W/PRGM
// mode for each kind of operand key, and where completing it in RUN mode does
// something else than running that step, why.
struct CPendRow {
    enmPendOp ePend;
    const char* sTitle;    // as the window title shows it: "STO+", "gto", "F?"
    const char* sDigit;    // the step's first word before a digit ("STO+"); nullptr: nothing recorded
    const char* sLetter;   // the same before a letter A-E; nullptr: nothing recorded
    bool bLowerLetter;     // the letter names a lower-case label (gto, gsb, lbl)
    const char* sIndirect; // the same before "(i)"; nullptr: nothing recorded
    const char* sSum;      // the whole step recorded for SUM+; nullptr: nothing recorded
    // RUN mode, by operand: nullptr when the key runs the recorded step as an
    // instruction; otherwise why it does something of its own.
    const char* sRunDigit;
    const char* sRunLetter;
    const char* sRunIndirect;
    // STO, RCL: the operation an arithmetic key + - * / makes of it (None: the
    // key cancels it).
    enmPendOp aNext[4]{};
    // The register operation: 'S' stores, 'R' recalls, 0 neither; and the
    // arithmetic it combines with (NumUtil::Combine's code), -1 none.
    char cReg = 0;
    int8_t nArith = -1;
};
const CPendRow& PendRow(enmPendOp ePend);

// The other controls of the panel: the switches, the card slot, the four
// picture buttons and the program view's step over and step out. They have
// names and handlers but no prefixes.
struct CControlRow {
    // "ON", "OFF", "W/PRGM", "RUN", "CARD", "SAVE", "RESTORE", "EDIT", "ABOUT", "STEPOVER", "STEPOUT"
    const char* sName;
    const char* sTip;      // what it does, in a few words
    KeyFn pfnClick;
};
const CControlRow* ControlRows(int& nCount);
const CControlRow* ControlByName(const char* sName);

} // namespace corvel
