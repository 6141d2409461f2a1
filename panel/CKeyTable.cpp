// The key table. A RUN-mode operation that is also an instruction names the
// instruction, so the key runs the interpreter's own code; where the key and
// the program step differ on purpose, the entry says why.
#include "CKeyTable.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "../program/CPrgm.h"
#include "CFrontPanel.h"

namespace corvel {

namespace {

using P = CFrontPanel;

constexpr CKeyAct E() { return {enmAct::Entry, nullptr, nullptr, nullptr, enmPendOp::None, nullptr}; }
// RUN: the instruction of the step text s ("LN", "ST I"), found in the
// instruction table when the program starts (a name it lacks stops it there).
CKeyAct I(const char* s, const char* sWhy = nullptr) {
    const char* pBlank = std::strchr(s, ' ');
    return {enmAct::Instr, &CPrgm::InstrRow(std::string(s, pBlank ? pBlank : s + std::strlen(s))),
            pBlank ? pBlank + 1 : nullptr, nullptr, enmPendOp::None, sWhy};
}
constexpr CKeyAct R(const char* s) { return {enmAct::Record, nullptr, s, nullptr, enmPendOp::None, nullptr}; }
constexpr CKeyAct O(KeyFn fn, const char* sWhy = nullptr) {
    return {enmAct::Own, nullptr, nullptr, fn, enmPendOp::None, sWhy};
}
constexpr CKeyAct Pd(enmPendOp e) { return {enmAct::Pend, nullptr, nullptr, nullptr, e, nullptr}; }
constexpr CKeyAct Px() { return {enmAct::Prefix, nullptr, nullptr, nullptr, enmPendOp::None, nullptr}; }
constexpr CKeyAct N() { return {enmAct::Nothing, nullptr, nullptr, nullptr, enmPendOp::None, nullptr}; }

constexpr const char* kTestsWhy = "the tests act only in programs; from the keys the plain operation runs";

constexpr CKeyAct Label[4] = {O(&P::LabelKey), O(&P::LabelKey), O(&P::LabelKey), O(&P::LabelKey)};

// A label key and the instruction it runs when no program label answers it.
#define LABEL_KEY(K, NAME, LOWER, DEFAULT)                                                          \
    {enmKey::K, NAME, NAME, NAME, LOWER, "", "", enmKeyLook::Dark, 0, 0, static_cast<uint8_t>(enmKey::K) - 10, 1, \
     true, {Label[0], Label[1], Label[2], Label[3]},                                                \
     {R("GSB " NAME), R("GSB " LOWER), N(), N()}, I(DEFAULT)}

const CKeyRow kRows[] = {
    // Upper block: labels, then the register and program keys, the prefixes, entry.
    LABEL_KEY(A, "A", "a", "1/X"),
    LABEL_KEY(B, "B", "b", "SQRT"),
    LABEL_KEY(C, "C", "c", "Y^X"),
    LABEL_KEY(D, "D", "d", "RV"),
    LABEL_KEY(E, "E", "e", "X<>Y"),
    {enmKey::SigmaPlus, "SUM+", "Q", "Σ+", "x̄", "s", "Σ−", enmKeyLook::Dark, 0, 1, 0, 1, true,
     {I("SUM+"), I("MEAN"), I("SDEV"), I("SUM-")},
     {R("Sum+"), R("Mean"), R("Sdev"), R("Sum-")}},
    {enmKey::GTO, "GTO", "G", "GTO", "GSB", "gsb", "RTN", enmKeyLook::Dark, 0, 1, 1, 1, true,
     {Pd(enmPendOp::GTO), Pd(enmPendOp::GSB), Pd(enmPendOp::gsb),
      O(&P::RtnKey, "from the keys RTN rewinds the program to step 1")},
     {Pd(enmPendOp::GTO), Pd(enmPendOp::GSB), Pd(enmPendOp::gsb), R("RTN")}},
    {enmKey::DSP, "DSP", "d", "DSP", "FIX", "SCI", "ENG", enmKeyLook::Dark, 0, 1, 2, 1, false,
     {Pd(enmPendOp::DSP), I("FIX"), I("SCI"), I("ENG")},
     {Pd(enmPendOp::DSP), R("FIX"), R("SCI"), R("ENG")}},
    {enmKey::OfI, "(i)", "(i)", "(i)", "RND", "", "x⇄I", enmKeyLook::Dark, 0, 1, 3, 1, false,
     {N(), I("RND"), N(), I("X<>I")},
     {N(), R("RND"), N(), R("x<>I")}},
    {enmKey::SST, "SST", "S", "SST", "LBL", "lbl", "BST", enmKeyLook::Dark, 0, 1, 4, 1, false,
     {N(), N(), N(), N()},   // the SST key has a handler of its own
     {O(&P::NextLineKey), Pd(enmPendOp::LBL), Pd(enmPendOp::lbl), O(&P::PrevLineKey)}},
    {enmKey::F, "f", "f", "f", "", "", "", enmKeyLook::Gold, 0, 2, 0, 1, false,
     {Px(), Px(), Px(), Px()}, {Px(), Px(), Px(), Px()}},
    {enmKey::G, "g", "g", "g", "", "", "", enmKeyLook::Blue, 0, 2, 1, 1, false,
     {Px(), Px(), Px(), Px()}, {Px(), Px(), Px(), Px()}},
    {enmKey::STO, "STO", "s", "STO", "DSZ", "DSZ(i)", "ST I", enmKeyLook::Dark, 0, 2, 2, 1, true,
     {Pd(enmPendOp::STO), O(&P::DszKey, "from the keys DSZ only counts I down; it never skips"),
      O(&P::DszIndKey, "from the keys DSZ (i) only counts R(I) down; it never skips"), I("ST I")},
     {Pd(enmPendOp::STO), R("DSZ"), R("DSZ (i)"), R("ST I")}},
    {enmKey::RCL, "RCL", "r", "RCL", "ISZ", "ISZ(i)", "RC I", enmKeyLook::Dark, 0, 2, 3, 1, true,
     {Pd(enmPendOp::RCL), O(&P::IszKey, "from the keys ISZ only counts I up; it never skips"),
      O(&P::IszIndKey, "from the keys ISZ (i) only counts R(I) up; it never skips"), I("RC I")},
     {Pd(enmPendOp::RCL), R("ISZ"), R("ISZ (i)"), R("RC I")}},
    {enmKey::H, "h", "h", "h", "", "", "", enmKeyLook::Black, 0, 2, 4, 1, false,
     {Px(), Px(), Px(), Px()}, {Px(), Px(), Px(), Px()}},
    {enmKey::Enter, "ENTER", "e\r", "ENTER", "W/DATA", "MERGE", "DEG", enmKeyLook::Dark, 0, 3, 0, 2, false,
     {E(), O(&P::WriteDataCard, "from the keys W/DATA is a card function: all registers to a data file"),
      O(&P::ReadProgramCard, "from the keys g ENTER reads a program listing by card"), I("DEG")},
     {R("ENTER"), R("W/DATA"), R("MERGE"), R("DEG")}},
    {enmKey::Chs, "CHS", "_H", "CHS", "P⇄S", "CLFLG", "RAD", enmKeyLook::Dark, 0, 3, 2, 1, false,
     {E(), I("P<>S"), I("CLRFLG"), I("RAD")},
     {R("CHS"), R("P<>S"), N(), R("RAD")}},
    {enmKey::EEX, "EEX", "x", "EEX", "CLREG", "CLSTK", "GRD", enmKeyLook::Dark, 0, 3, 3, 1, false,
     {E(), O(&P::ClRegKey, "from the keys CLREG also resets the statistics registers"), I("CLSTK"), I("GRD")},
     {R("EEX"), R("CLREG"), R("CLSTK"), R("GRD")}},
    {enmKey::CLX, "CLX", "c", "CLX", "CLPRGM", "", "DEL", enmKeyLook::Dark, 0, 3, 4, 1, false,
     {E(), O(&P::ClearProgramKey), E(), E()},
     {R("CLX"), O(&P::ClearProgramKey), N(), O(&P::DeleteStepKey)}},
    // Lower block: arithmetic on the left, the digits, R/S.
    {enmKey::Minus, "-", "-", "−", "x=0?", "x=y?", "SF", enmKeyLook::Dark, 1, 0, 0, 1, false,
     {I("-"), I("-", kTestsWhy), I("-", kTestsWhy), Pd(enmPendOp::SF)},
     {R("-"), R("x=0?"), R("x=y?"), Pd(enmPendOp::SF)}},
    {enmKey::K7, "7", "7", "7", "LN", "eˣ", "x⇄y", enmKeyLook::Light, 1, 0, 1, 1, false,
     {E(), I("LN"), I("E^X"), O(&P::SwapKey, "from the keys x<>y refuses a Y of 1e100 or more")},
     {R("7"), R("LN"), R("E^X"), R("x<>y")}},
    {enmKey::K8, "8", "8", "8", "LOG", "10ˣ", "R↓", enmKeyLook::Light, 1, 0, 2, 1, false,
     {E(), I("LOG"), I("10^X"), I("RV")},
     {R("8"), R("LOG"), R("10^x"), R("Rv")}},
    {enmKey::K9, "9", "9", "9", "√x", "x²", "R↑", enmKeyLook::Light, 1, 0, 3, 1, false,
     {E(), I("SQRT"), I("X^2"), I("R^")},
     {R("9"), R("SQRT"), R("x^2"), R("R^")}},
    {enmKey::Plus, "+", "+", "+", "x≠0?", "x≠y?", "CF", enmKeyLook::Dark, 1, 1, 0, 1, false,
     {I("+"), I("+", kTestsWhy), I("+", kTestsWhy), Pd(enmPendOp::CF)},
     {R("+"), R("x<>0?"), R("x<>y?"), Pd(enmPendOp::CF)}},
    {enmKey::K4, "4", "4", "4", "SIN", "SIN⁻¹", "1/x", enmKeyLook::Light, 1, 1, 1, 1, false,
     {E(), I("SIN"), I("ARCSIN"), I("1/X")},
     {R("4"), R("SIN"), R("ARCSIN"), R("1/x")}},
    {enmKey::K5, "5", "5", "5", "COS", "COS⁻¹", "yˣ", enmKeyLook::Light, 1, 1, 2, 1, false,
     {E(), I("COS"), I("ARCCOS"), I("Y^X")},
     {R("5"), R("COS"), R("ARCCOS"), R("y^x")}},
    {enmKey::K6, "6", "6", "6", "TAN", "TAN⁻¹", "ABS", enmKeyLook::Light, 1, 1, 3, 1, false,
     {E(), I("TAN"), I("ARCTAN"), I("ABS")},
     {R("6"), R("TAN"), R("ARCTAN"), R("ABS")}},
    {enmKey::Mult, "*", "*", "×", "x<0?", "x≤y?", "F?", enmKeyLook::Dark, 1, 2, 0, 1, false,
     {I("*"), I("*", kTestsWhy), I("*", kTestsWhy), Pd(enmPendOp::FTest)},
     {R("*"), R("x<0?"), R("x<=y?"), Pd(enmPendOp::FTest)}},
    {enmKey::K1, "1", "1", "1", "R←P", "R→P", "PAUSE", enmKeyLook::Light, 1, 2, 1, 1, false,
     {E(), I("R<-P"), I("R->P"), O(&P::ShowXKey, "from the keys PAUSE only ends the entry and shows X; it does not wait")},
     {R("1"), R("R<-P"), R("R->P"), R("PAUSE")}},
    {enmKey::K2, "2", "2", "2", "D←R", "D→R", "π", enmKeyLook::Light, 1, 2, 2, 1, false,
     {E(), I("D<-R"), I("D->R"), I("PI")},
     {R("2"), R("D<-R"), R("D->R"), R("PI")}},
    {enmKey::K3, "3", "3", "3", "H←HMS", "H→HMS", "REG", enmKeyLook::Light, 1, 2, 3, 1, false,
     {E(), I("H<-HMS"), I("H->HMS"), I("REG")},
     {R("3"), R("H<-HMS"), R("H->HMS"), R("REG")}},
    {enmKey::Div, "/", "/", "÷", "x>0?", "x>y?", "N!", enmKeyLook::Dark, 1, 3, 0, 1, false,
     {I("/"), I("/", kTestsWhy), I("/", kTestsWhy), I("N!")},
     {R("/"), R("x>0?"), R("x>y?"), R("N!")}},
    {enmKey::K0, "0", "0", "0", "%", "%CH", "LST x", enmKeyLook::Light, 1, 3, 1, 1, false,
     {E(), O(&P::PctKey, "from the keys % is (y / 100) x x, which can round apart from the step's Y x x / 100"),
      O(&P::PctChKey, "the keyboard's percent change is (x - y) / y * 100, the opposite sign of the step's"),
      I("LST x")},
     {R("0"), R("%"), R("%CH"), R("LST x")}},
    {enmKey::Decimal, ".", ".", "•", "INT", "FRAC", "HMS+", enmKeyLook::Light, 1, 3, 2, 1, false,
     {E(), I("INT"), I("FRAC"), I("HMS+", "HMS+ is a function of the keys only: in W/PRGM h . records a decimal point")},
     {R("."), R("INT"), R("FRAC"), R(".")}},
    {enmKey::RunStop, "R/S", "R", "R/S", "-x-", "STK", "SPACE", enmKeyLook::Dark, 1, 3, 3, 1, false,
     // the R/S key has a handler of its own; these are what it does in RUN mode
     {O(&P::RunKeyProgram), O(&P::BlinkXKey), O(&P::BlinkStackKey), N()},
     {R("R/S"), R("-x-"), R("STK"), R("SPACE")}},
};

constexpr int kRowCount = static_cast<int>(sizeof kRows / sizeof kRows[0]);
static_assert(kRowCount == kKeyCount, "one row per key");

#undef LABEL_KEY

const CControlRow kControls[] = {
    {"ON", "On: resets the whole calculator", &P::imgOn_Click},
    {"OFF", "Off (twice: quit)", &P::imgOff_Click},
    {"W/PRGM", "W/PRGM: record program steps", &P::imgPrgm_Click},
    {"RUN", "RUN: keys act at once", &P::imgRun_Click},
    {"CARD", "Card slot: write the program or read data", &P::imgCardReader_Click},
    {"SAVE", "Save the machine state", &P::imgSaveState_Click},
    {"RESTORE", "Restore the machine state", &P::imgRestoreState_Click},
    {"EDIT", "Edit the program as text", &P::imgEdit_Click},
    {"ABOUT", "About CorvelXMem", &P::imgCopyright_Click},
    {"STEPOVER", "Step over: a GSB with its whole subroutine, any other step as SST (F10)", &P::StepOverKey},
    {"STEPOUT", "Step out: run until the current subroutine returns (Shift+F11)", &P::StepOutKey},
};

} // namespace

const CKeyRow* KeyRows(int& nCount) {
    nCount = kRowCount;
    return kRows;
}

const CKeyRow& KeyRow(enmKey eKey) {
    static const auto aByKey = [] {
        const CKeyRow* a[kKeyCount] = {};
        for (const CKeyRow& r : kRows) a[static_cast<int>(r.eKey)] = &r;
        struct S { const CKeyRow* a[kKeyCount]; } s{};
        for (int i = 0; i < kKeyCount; ++i) s.a[i] = a[i];
        return s;
    }();
    return *aByKey.a[static_cast<int>(eKey)];
}

const CKeyRow* KeyByName(const char* sName) {
    for (const CKeyRow& r : kRows)
        if (std::strcmp(r.sName, sName) == 0) return &r;
    return nullptr;
}

const CKeyRow* KeyByChar(int nChar) {
    if (nChar <= 0 || nChar > 127) return nullptr;
    for (const CKeyRow& r : kRows)
        if (std::strchr(r.sTyped, nChar) != nullptr) return &r;
    return nullptr;
}

const CControlRow* ControlRows(int& nCount) {
    nCount = static_cast<int>(sizeof kControls / sizeof kControls[0]);
    return kControls;
}

const CControlRow* ControlByName(const char* sName) {
    for (const CControlRow& r : kControls)
        if (std::strcmp(r.sName, sName) == 0) return &r;
    return nullptr;
}

namespace {

constexpr const char* kJump = "from the keys GTO moves the pointer and GSB runs the program; neither uses the return stack";
constexpr const char* kNone = "from the keys this completion does nothing";
constexpr const char* kIndReg = "from the keys (i) addresses R(|floor(I)|), with no range test of the result";
constexpr const char* kGtoI = "from the keys GTO (i) rounds I to the nearest integer, without taking its integer part";

const CPendRow kPendRows[] = {
    {enmPendOp::None, "", nullptr, nullptr, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {enmPendOp::STO, "STO", "STO", "STO", false, "STO", nullptr, nullptr, nullptr, kIndReg,
     {enmPendOp::STOPlus, enmPendOp::STOMinus, enmPendOp::STOMult, enmPendOp::STODiv}, 'S'},
    {enmPendOp::STOPlus, "STO+", "STO+", "STO+", false, "STO+", nullptr, nullptr, kNone, kIndReg, {}, 'S', 0},
    {enmPendOp::STOMinus, "STO-", "STO-", "STO-", false, "STO-", nullptr, nullptr, kNone, kIndReg, {}, 'S', 1},
    {enmPendOp::STOMult, "STO*", "STO*", "STO*", false, "STO*", nullptr, nullptr, kNone, kIndReg, {}, 'S', 2},
    {enmPendOp::STODiv, "STO/", "STO/", "STO/", false, "STO/", nullptr, nullptr, kNone, kIndReg, {}, 'S', 3},
    {enmPendOp::RCL, "RCL", "RCL", "RCL", false, "RCL", "RCL Sum+", nullptr, nullptr, kIndReg,
     {enmPendOp::RCLPlus, enmPendOp::RCLMinus, enmPendOp::RCLMult, enmPendOp::RCLDiv}, 'R'},
    {enmPendOp::RCLPlus, "RCL+", "RCL+", "RCL+", false, "RCL+", nullptr, nullptr, kNone, kIndReg, {}, 'R', 0},
    {enmPendOp::RCLMinus, "RCL-", "RCL-", "RCL-", false, "RCL-", nullptr, nullptr, kNone, kIndReg, {}, 'R', 1},
    {enmPendOp::RCLMult, "RCL*", "RCL*", "RCL*", false, "RCL*", nullptr, nullptr, kNone, kIndReg, {}, 'R', 2},
    {enmPendOp::RCLDiv, "RCL/", "RCL/", "RCL/", false, "RCL/", nullptr, nullptr, kNone, kIndReg, {}, 'R', 3},
    {enmPendOp::GTO, "GTO", "GTO", "GTO", false, "GTO", nullptr, kJump, kJump, kGtoI},
    {enmPendOp::gto, "gto", nullptr, "GTO", true, nullptr, nullptr, nullptr, kJump, nullptr},
    {enmPendOp::GSB, "GSB", "GSB", "GSB", false, "GSB", nullptr, kJump, kJump, kJump},
    {enmPendOp::gsb, "gsb", nullptr, "GSB", true, nullptr, nullptr, nullptr, kJump, nullptr},
    {enmPendOp::DSP, "DSP", "DSP", nullptr, false, "DSP", nullptr, nullptr, nullptr, nullptr},
    {enmPendOp::SF, "SF", "SF", nullptr, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {enmPendOp::CF, "CF", "CF", nullptr, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {enmPendOp::FTest, "F?", "F?", nullptr, false, nullptr, nullptr,
     "from the keys F? shows whether the flag is set in a message instead of skipping", nullptr, nullptr},
    {enmPendOp::LBL, "LBL", "LBL", "LBL", false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {enmPendOp::lbl, "lbl", "LBL", "LBL", true, nullptr, nullptr, nullptr, nullptr, nullptr},
};

// Every step text the tables record names an instruction of the instruction
// table: checked when the program starts, so a typo stops it there.
void CheckStepText(const char* s) {
    if (s == nullptr) return;
    const char* pBlank = std::strchr(s, ' ');
    CPrgm::InstrRow(std::string(s, pBlank ? pBlank : s + std::strlen(s)));
}

const bool kStepTextsChecked = [] {
    for (const CKeyRow& r : kRows)
        for (const CKeyAct& a : r.aPrgm)
            if (a.eAct == enmAct::Record) CheckStepText(a.sText);
    for (const CPendRow& r : kPendRows)
        for (const char* s : {r.sDigit, r.sLetter, r.sIndirect, r.sSum}) CheckStepText(s);
    return true;
}();

} // namespace

const CPendRow& PendRow(enmPendOp ePend) {
    // The rows in any order: each is found by its operation.
    static const auto aByOp = [] {
        struct S { const CPendRow* a[kPendOpCount]; } o{};
        for (const CPendRow& r : kPendRows) o.a[static_cast<int>(r.ePend)] = &r;
        return o;
    }();
    return *aByOp.a[static_cast<int>(ePend)];
}

const char* PendOpText(enmPendOp e) { return PendRow(e).sTitle; }

} // namespace corvel
