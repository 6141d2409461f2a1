#pragma once
// The decoded form of one program step. A step text is split and classified
// once, when it is first executed after it changed; the interpreter then runs
// from this form and never looks at the text again.
#include <cstdint>
#include <string>

class CPrgm;
class frmMain;
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
    bool bIntOk = false;      // Number: fInt fits a 16-bit integer (nearest, halves to even)
    int16_t nInt = 0;
    double fNum = 0.0;        // Number: the value
    std::string sText;        // as written
    std::string sUpper;       // upper-cased (register letters are upper case)
};

// One row of the instruction table: mnemonic -> the function that executes it.
struct CInstr {
    const char* sName;
    void (*pfnExec)(CPrgm&, CStep&);   // nullptr: a known instruction that does nothing
    bool bEntry;                       // number entry: does not end a number being keyed
    // Optional worker for handlers shared by a family of instructions.
    double (*pfnUnary)(const frmMain&, double);
    double (*pfnBinary)(double y, double x);
    int nArg;                          // small per-instruction code for shared handlers
};

struct CStep {
    bool bValid = false;               // false: decode the text again before use
    const CInstr* pInstr = nullptr;    // nullptr: unknown mnemonic, the step is passed over
    COperand oOp;                      // word 2
    COperand oOp2;                     // word 3
    // Jump target cache for GTO/GSB with a named label: valid while the label
    // table has not been rebuilt since.
    int nLabelGen = -1;
    int16_t nLabelStep = 0;
};
