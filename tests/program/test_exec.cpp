// The classic instructions: number entry by program steps, the operand forms of STO and RCL (number, letter,
// IND, (i)), the register arithmetic and the frame of a step (bad operands: ExtTest.FunctionsFollowTheResultRule;
// the display instructions run from the keys as they do as steps: tests/panel/test_keyboard.cpp).
#include <cmath>

#include "PrgmFixture.h"

using ExecTest = PrgmTest;

TEST_F(ExecTest, NumberEntryBySteps) {
    // A keyed number reaches the stack at the next instruction; ENTER pushes it once and a second ENTER
    // duplicates X. A second EEX, or a point during the exponent, pushes the number and starts a new one.
    const struct { std::vector<std::string> vSteps; double fX, fY; const char* sDisp; bool bMant, bExp; } aCases[] = {
        {{"1", "EEX", "3", "ENTER"}, 1000, 10, nullptr, false, false},
        {{"2", "EEX", "3", "+"}, 2010, 20, nullptr, false, false},
        {{"1", "2", "ENTER", "3", "+"}, 15, 10, nullptr, false, false},
        {{"4", "EEX", "2", "CHS", "ENTER"}, 0.04, 10, nullptr, false, false},
        {{"3", "EEX", "2", "EEX"}, 300, 10, "1.| 00", false, true},
        {{"2", "EEX", "3", "."}, 2000, 10, "0.|", true, false},
        {{"EEX", "CHS", "5", "ENTER"}, 1e-5, 10, "1.|-05", false, false},
        {{"5", "CHS", "EEX", "CHS", "2", "ENTER"}, -0.05, 10, "-5|-02", false, false},
        {{"1", "ENTER", "ENTER"}, 1, 1, "1|", false, false},
        {{".", "5", "."}, 0.5, 10, "0.|", true, false},
        {{"EEX", "1", "2", "3"}, 10, 20, "1.| 23", false, true},   // the exponent keeps its last two digits
    };
    for (const auto& c : aCases) {
        SetStack(10, 20);
        Steps(c.vSteps);
        EXPECT_NEAR(X(), c.fX, 1e-15 * std::fabs(c.fX)) << c.vSteps[0] << c.vSteps[1];
        EXPECT_EQ(Y(), c.fY) << c.vSteps[0] << c.vSteps[1];
        if (c.sDisp) EXPECT_EQ(m.lblDisp + "|" + m.lblEex, c.sDisp);
        EXPECT_EQ(V({double(p.EntryActive), double(p.ExpEntryActive)}), V({double(c.bMant), double(c.bExp)}));
    }
    // Unknown steps and CLx change nothing, not even a number being keyed.
    SetStack(1, 2, 3, 4);
    Steps({"4", "FOO", "CLX", "", "2", "+"});
    EXPECT_EQ(V({X(), Y()}), V({43, 2}));   // "42" keyed across the passed-over steps, then 1 + 42
}

// Without the frame of a running step an error reaches the caller, the pointer on the step (as errors of
// the step that change nothing: ExtTest.FunctionsFollowTheResultRule).
TEST_F(ExecTest, AFaultWithoutTheFrameReachesTheCaller) {
    Load({"1/X"});
    EXPECT_THROW(p.ExecuteStep(), CCalcError);
    EXPECT_EQ(Ptr(), 1);
}

TEST_F(ExecTest, StoreAndRecallOperands) {
    // R3 = 33, R5 = fR5, R12 = 8, I = 3.5, X = 42; register nReg then holds fReg and X is fX. IND and (i)
    // store to the nearest register (halves to even) and recall from the integer part's.
    const struct { std::vector<std::string> vSteps; double fR5; int nReg; double fReg, fX; } aCases[] = {
        {{"STO IND 5"}, 12.5, 12, 42, 42}, {{"RCL IND 5"}, 12.7, 12, 8, 8},
        {{"STO (i)"}, 0, 4, 42, 42},       {{"RCL (I)"}, 0, 3, 33, 33},
        {{"STO a", "CLX", "RCL A"}, 0, 20, 42, 42},   // letters upper-cased
        {{"STO+ A", "RCL- 3"}, 0, 20, 42, 9},         // register arithmetic: R20 = 0 + 42, X = 42 - 33
    };
    for (const auto& c : aCases) {
        m.oMem.Clear();
        for (const auto& [n, f] : {std::pair{3, 33.0}, {5, c.fR5}, {12, 8.0}}) m.oMem.Sto(n, f);
        m.oMem.StoI(3.5);
        SetStack(42);
        Steps(c.vSteps);
        EXPECT_EQ(V({m.oMem.Rcl(c.nReg), X()}), V({c.fReg, c.fX})) << c.vSteps[0];
    }
    // A register that does not exist: the push refuses 1e111, no message.
    SetStack(1, 2);
    Steps({"RCL 1000"});
    EXPECT_EQ(V({double(m.bInErr), double(oHost.vMessages.size()), X()}), V({1, 0, 1}));
    m.oMem.Sto(500, 1);
    Steps({"CLREG"});   // every register, not only those the viewer shows
    EXPECT_EQ(m.oMem.Rcl(500), 0);
    Steps({"DSP 4", "DSP x"});   // a display operand that is no number is passed over
    EXPECT_EQ(V({double(m.nDigits), double(m.bInErr)}), V({4, 0}));
}

TEST_F(ExecTest, RegisterArithmeticLeavesTheStackAndLastX) {
    // R2 = 20, R3 = 30; X = 4, Y = 7. "(i)" is the nearest integer of I here (halves to even), unlike the
    // plain recall's integer part.
    const struct { const char* sStep; double fI; int nReg; double fReg, fX; } aCases[] = {
        {"STO- (i)", 2.5, 2, 16, 4}, {"STO* (i)", 2.7, 3, 120, 4}, {"STO/ 3", 0, 3, 7.5, 4},
        {"RCL+ (i)", 2.7, 3, 30, 34}, {"RCL* 2", 0, 2, 20, 80}, {"RCL/ 2", 0, 2, 20, 0.2},
        {"RCL- (i)", 2.5, 2, 20, -16},
    };
    for (const auto& c : aCases) {
        m.oMem.Sto(2, 20);
        m.oMem.Sto(3, 30);
        m.oMem.StoI(c.fI);
        m.fLastX = -1;
        SetStack(4, 7, 8, 9);
        Steps({c.sStep});
        EXPECT_EQ(V({double(m.bInErr), m.oMem.Rcl(c.nReg)}), V({0, c.fReg})) << c.sStep;
        EXPECT_EQ(StackL(), V({c.fX, 7, 8, 9, -1})) << c.sStep;
    }
}
