#pragma once
// The decoded form of one program step. A step text is split, classified and
// resolved once, when it is first executed after it changed; the interpreter
// then runs from this form and never looks at the text again.
#include <cstdint>
#include <string>

#include "../numeric/CCalcError.h"

namespace corvel {

class CPrgm;
struct CStep;

// What an operand word is, decided once when the step is decoded.
enum class enmOpd : uint8_t {
    Empty,      // no word, or an empty word (two adjacent blanks)
    Number,     // a decimal number that is finite ("3", "-1.5", "2e3")
    BadNumber,  // written as a number but too large for a double ("1e999")
    Indirect,   // "(i)" in any case
    Ind,        // "IND" in any case; the register is named by the third word
    RegI,       // "I" in any case
    Sum,        // "SUM" or "SUM+" in any case
    Name        // any other text
};

struct COperand {
    enmOpd eKind = enmOpd::Empty;
    bool bIntOk = false;      // Number: nInt holds it (nearest, halves to even, fits 16 bits)
    int16_t nInt = 0;
    double fNum = 0.0;        // Number: the value
    std::string sText;        // as written
    std::string sUpper;       // upper-cased (register letters are upper case)
};

// How the register a step names is found when it runs.
enum class enmRegAt : uint8_t {
    Fixed,     // nReg itself (a number outside 0..999 addresses nothing)
    NearestI,  // I to the nearest integer
    IntPartI,  // the integer part of I, to the nearest integer
    IndNear,   // the value of register nReg, to the nearest integer
    IndInt,    // the integer part of register nReg's value, to the nearest integer
    Bad        // the operand names no register: raises eErr
};

struct CRegRef {
    enmRegAt eAt = enmRegAt::Fixed;
    enmErrKind eErr = enmErrKind::Syntax;
    int16_t nReg = -1;
};

using ExecFn = void (*)(CPrgm&, CStep&);

// What the operand words of an instruction are: the decoder resolves them
// once, by this kind, when the step is decoded.
enum class enmArg : uint8_t {
    None,       // no operand (any words after the mnemonic are ignored)
    Reg,        // a register: number, A-E, I, (i), IND r (RCL also SUM)
    Digits,     // DSP: a digit count or (i)
    Flag,       // SF, CF, F?: a flag number; none at all is refused
    Label,      // LBL, GTO, GSB: a label name or (i)
    Counter     // DSZ, ISZ: the register counted
};

// One row of the instruction table: the mnemonic, the function that executes
// it, its operand kind, and what the reference says about it.
struct CInstr {
    const char* sName;
    ExecFn pfnExec;                    // nullptr: a known instruction that does nothing
    bool bEntry;                       // number entry: does not end a number being keyed
    // Optional worker for handlers shared by a family of instructions.
    double (*pfnUnary)(const CPrgm&, double);
    double (*pfnBinary)(double y, double x);
    int nArg;                          // small per-instruction code for shared handlers
    enmArg eArg;                       // what its operand words are
    const char* szGroup;               // the family it belongs to ("stack", "registers" ...)
    const char* szOperands;            // "-", "r", "label", "n" ...
    const char* szStack;               // "x -> ln x", "y x -> y+x"
    const char* szText;                // one line saying what it does
};

// A text a listing may use for another: ALIAS is read as NAME. A form
// (bForm) stands for a family ("STO + r" for "STO+ r" with any r).
struct CAlias {
    const char* sAlias;
    const char* sName;
    bool bForm = false;
};

struct CStep {
    bool bValid = false;               // false: decode the text again before use
    bool bEntry = true;                // runs without ending a number being keyed
    ExecFn pfn = nullptr;              // what runs (a no-op for unknown and empty instructions)
    const CInstr* pInstr = nullptr;    // nullptr: unknown mnemonic, the step is passed over
    COperand oOp;                      // word 2
    COperand oOp2;                     // word 3
    // The register of the step, resolved once: as STO stores (names that are
    // no register store nothing), as RCL recalls (such names recall I), and
    // as the register arithmetic reads (STO's rule, names recall I).
    CRegRef oSto, oRcl, oArith;
    // Jump target for GTO/GSB with a named label: valid while the label
    // table has not been rebuilt since.
    int nLabelGen = -1;
    int16_t nLabelStep = 0;
};

} // namespace corvel
