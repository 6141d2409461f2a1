// Register instructions: the operand forms of STO and RCL (number, letter,
// IND, (i)), the register arithmetic, and bad operands.
#include "PrgmFixture.h"

using RegisterTest = PrgmTest;

TEST_F(RegisterTest, StoreAndRecallOperands) {
    // R3 = 33, R5 = fR5, R12 = 8, I = 3.5, X = 42; register nReg then holds
    // fReg and X is fX. IND and (i) store to the nearest register (halves to
    // even) and recall from the integer part's.
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
    EXPECT_TRUE(m.bInErr && oHost.vMessages.empty());
    EXPECT_EQ(X(), 1);
    m.oMem.Sto(500, 1);
    Steps({"CLREG"});   // every register, not only those the viewer shows
    EXPECT_EQ(m.oMem.Rcl(500), 0);
}

TEST_F(RegisterTest, RegisterArithmeticLeavesTheStackAndLastX) {
    // R2 = 20, R3 = 30; X = 4, Y = 7. "(i)" is the nearest integer of I
    // here (halves to even), unlike the plain recall's integer part.
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
        EXPECT_FALSE(m.bInErr) << c.sStep;
        EXPECT_EQ(m.oMem.Rcl(c.nReg), c.fReg) << c.sStep;
        EXPECT_EQ(Stack(), V({c.fX, 7, 8, 9})) << c.sStep;
        EXPECT_EQ(m.fLastX, -1) << c.sStep;
    }
}

TEST_F(RegisterTest, BadRegisterOperandsAreErrorsOfTheStep) {
    for (const char* sStep : {"STO 1e999", "STO -40000", "STO IND", "RCL IND 1000", "STO/ 3"}) {
        SetStack(0);
        Steps({sStep});
        EXPECT_TRUE(m.bInErr) << sStep;
        EXPECT_EQ(LastMessage(), ErrAt(std::string("001 ") + sStep));
    }
    Steps({"DSP 4", "DSP x"});   // a display operand that is no number is passed over
    EXPECT_EQ(V({double(m.nDigits), double(m.bInErr)}), V({4, 0}));
}
