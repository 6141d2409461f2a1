// The classic instructions: number entry by program steps, arithmetic and
// functions with the range test, stack, registers, display and statistics.
#include <cmath>

#include "PrgmFixture.h"

using ExecTest = PrgmTest;

TEST_F(ExecTest, NumbersKeyedByStepsReachTheStackAtTheNextInstruction) {
    Steps({"1", "EEX", "3", "ENTER"});
    EXPECT_EQ(X(), 1000);
    EXPECT_FALSE(p.EntryActive || p.ExpEntryActive);

    SetStack(5);
    Steps({"2", "EEX", "3", "+"});
    EXPECT_EQ(X(), 2005);

    SetStack(0);
    Steps({"1", "2", "ENTER", "3", "+"});
    EXPECT_EQ(X(), 15);

    SetStack(7, 8);
    Steps({".", "5", "."});
    EXPECT_EQ(X(), 0.5);
    EXPECT_EQ(Y(), 7);
    EXPECT_EQ(m.lblDisp, "0.");   // a new number has begun
    EXPECT_TRUE(p.EntryActive);

    Steps({"EEX", "1", "2", "3"});
    EXPECT_EQ(m.lblDisp, "1.");
    EXPECT_EQ(m.lblEex, " 23");   // the exponent keeps its last two digits
    Steps({"4", "EEX", "2", "CHS", "ENTER"});
    EXPECT_DOUBLE_EQ(X(), 0.04);
}

TEST_F(ExecTest, ChsNegatesXOrTogglesTheSignBeingKeyed) {
    SetStack(3, 4);
    m.fLastX = 0;
    Steps({"CHS"});
    EXPECT_EQ(X(), -3);
    EXPECT_EQ(Y(), 4);
    EXPECT_EQ(m.fLastX, 3);
    Steps({"5", "CHS"});
    EXPECT_EQ(m.lblDisp, "-5");
    EXPECT_EQ(X(), -3);
}

TEST_F(ExecTest, UnknownStepsAndClxChangeNothingNotEvenANumberBeingKeyed) {
    SetStack(1, 2, 3, 4);
    Steps({"4", "FOO", "CLX", "", "2", "+"});
    EXPECT_EQ(X(), 43);   // "42" was keyed across the passed-over steps, then 1 + 42
    EXPECT_EQ(Y(), 2);
}

TEST_F(ExecTest, TwoNumberFunctionsDropTheStackAndSetLastX) {
    SetStack(75, 50, 3, 4);
    Steps({"%CH"});
    EXPECT_EQ(X(), -50);   // (Y - X) / Y * 100, Y consumed
    EXPECT_EQ(Y(), 3);
    EXPECT_EQ(Z(), 4);
    EXPECT_EQ(m.fLastX, 75);

    SetStack(15, 200, 3, 4);
    Steps({"%"});
    EXPECT_EQ(X(), 30);
    EXPECT_EQ(Y(), 200);
    EXPECT_EQ(Z(), 3);
    EXPECT_EQ(m.fLastX, 15);

    SetStack(10, 2);
    Steps({"y^x"});
    EXPECT_EQ(X(), 1024);
    SetStack(0.5, -8);
    Steps({"Y^X"});
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(X(), 0.5);
}

TEST_F(ExecTest, AnglesAndConversions) {
    SetStack(30);
    Steps({"DEG", "SIN"});
    EXPECT_NEAR(X(), 0.5, 1e-12);
    SetStack(100);
    Steps({"GRD", "SIN"});
    EXPECT_NEAR(X(), 1, 1e-12);
    SetStack(3, 4);
    Steps({"DEG", "R->P"});
    EXPECT_NEAR(X(), std::atan(4.0 / 3.0) * 180 / M_PI, 1e-9);
    EXPECT_NEAR(Y(), 5, 1e-12);
    Steps({"X<>Y", "R<-P"});   // angle in Y, magnitude in X
    EXPECT_NEAR(X(), 3, 1e-9);
    EXPECT_NEAR(Y(), 4, 1e-9);
    SetStack(0, 4);
    Steps({"R->P"});
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(LastMessage(), "Program Error|Error at line 001 R->P");
}

TEST_F(ExecTest, FaultsAndFailedRangeTestsAreErrorsOfTheStepThatChangeNothing) {
    for (const char* sStep : {"1/X", "LN", "LOG"}) {
        SetStack(0, 7);
        m.fLastX = 123;
        Steps({sStep});
        EXPECT_TRUE(m.bInErr) << sStep;
        EXPECT_EQ(LastMessage(), std::string("Program Error|Error at line 001 ") + sStep);
        EXPECT_EQ(X(), 0);
        EXPECT_EQ(Y(), 7);
        EXPECT_EQ(m.fLastX, 123);
        EXPECT_EQ(p.GetPrgmPointer(), 1);
    }
    // Without the frame the error reaches the caller, the pointer on the step.
    Load({"1/X"});
    SetStack(0);
    EXPECT_THROW(p.ExecuteStep(), CCalcError);
    EXPECT_EQ(p.GetPrgmPointer(), 1);
    SetStack(231);
    Steps({"E^X"});   // about 1.9e100
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(X(), 231);
    SetStack(230);
    Steps({"E^X"});
    EXPECT_FALSE(m.bInErr);
    EXPECT_NEAR(X() / std::exp(230.0), 1, 1e-12);
    // A tiny result becomes 0.
    SetStack(-240);
    Steps({"E^X"});
    EXPECT_FALSE(m.bInErr);
    EXPECT_EQ(X(), 0);
}

TEST_F(ExecTest, StoreAndRecallOperands) {
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
    Steps({"STO+ A"});
    EXPECT_EQ(m.oMem.Rcl(20), 39);
    Steps({"RCL- A"});
    EXPECT_EQ(X(), 6 - 39);
    EXPECT_EQ(Y(), 0);
    // A register that does not exist: the push refuses 1e111, no message.
    SetStack(1, 2);
    Steps({"RCL 1000"});
    EXPECT_TRUE(m.bInErr);
    EXPECT_TRUE(oHost.vMessages.empty());
    EXPECT_EQ(X(), 1);
}

TEST_F(ExecTest, RegisterArithmeticFaultsLeaveTheRegister) {
    m.oMem.Sto(3, 5);
    SetStack(0);
    Steps({"STO/ 3"});
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(m.oMem.Rcl(3), 5);
    SetStack(9e99);
    m.oMem.Sto(3, 9e99);
    Steps({"STO+ 3"});
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(m.oMem.Rcl(3), 9e99);
    for (const char* sStep : {"STO 1e999", "STO -40000", "STO IND", "RCL IND 1000"}) {
        Steps({sStep});
        EXPECT_TRUE(m.bInErr) << sStep;
        EXPECT_EQ(LastMessage(), std::string("Program Error|Error at line 001 ") + sStep);
    }
}

TEST_F(ExecTest, DisplayInstructions) {
    Steps({"SCI", "DSP 4"});
    EXPECT_EQ(m.enmDispMode, 1);
    EXPECT_EQ(m.nDigits, 4);
    m.oMem.StoI(6.5);
    Steps({"ENG", "DSP (i)"});
    EXPECT_EQ(m.enmDispMode, 2);
    EXPECT_EQ(m.nDigits, 6);
    Steps({"DSP x"});
    EXPECT_FALSE(m.bInErr);
    EXPECT_EQ(m.nDigits, 6);
    SetStack(2.345678);
    Steps({"DSP 2", "RND"});
    EXPECT_EQ(X(), 2.35);
    EXPECT_EQ(m.fLastX, 2.345678);
}

TEST_F(ExecTest, StatisticsKeepTheStackWhenTheSumsFail) {
    m.oStat.Clear();
    SetStack(1, 2, 30, 40);
    Steps({"SUM+"});
    EXPECT_EQ(X(), 1);   // n
    EXPECT_EQ(Y(), 30);
    EXPECT_EQ(m.fLastX, 1);
    SetStack(3, 6);
    Steps({"SUM+", "RCL SUM"});
    EXPECT_EQ(X(), 4);   // sum of x
    EXPECT_EQ(Y(), 8);   // sum of y
    Steps({"MEAN"});
    EXPECT_EQ(X(), 2);
    EXPECT_EQ(Y(), 4);
    m.oStat.Clear();
    SetStack(5, 6, 7, 8);
    Steps({"SDEV"});     // no points: the results fail the range test
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(X(), 5);
    EXPECT_EQ(Y(), 6);
}
