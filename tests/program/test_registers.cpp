// Register instructions: the operand forms of STO and RCL (number, letter,
// IND, (i)), the register arithmetic, and bad operands.
#include "PrgmFixture.h"

using RegisterTest = PrgmTest;

TEST_F(RegisterTest, StoreAndRecallOperands) {
    SetStack(42);
    m.oMem.Sto(5, 12.5);
    Steps({"STO IND 5"});
    EXPECT_EQ(m.oMem.Rcl(12), 42);   // 12.5 rounds to even
    m.oMem.Sto(5, 12.7);
    m.oMem.Sto(12, 8);
    Steps({"RCL IND 5"});
    EXPECT_EQ(X(), 8);               // integer part, then the register
    m.oMem.StoI(3.5);
    Steps({"STO (i)"});
    EXPECT_EQ(m.oMem.Rcl(4), 8);     // nearest(I) = 4
    m.oMem.Sto(3, 33);
    Steps({"RCL (I)"});
    EXPECT_EQ(X(), 33);              // integer part of I = 3
    Steps({"STO a", "RCL A"});
    EXPECT_EQ(m.oMem.RclA("A"), 33);
    SetStack(6);
    Steps({"STO+ A", "RCL- A"});
    EXPECT_EQ(V({m.oMem.Rcl(20), X(), Y()}), V({39, 6 - 39, 0}));
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
