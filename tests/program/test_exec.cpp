// The classic instructions: number entry by program steps, arithmetic and
// functions with the range test, stack, registers, display and statistics.
#include <cmath>

#include "PrgmFixture.h"

using ExecTest = PrgmTest;

TEST_F(ExecTest, NumberEntryBySteps) {
    // A keyed number reaches the stack at the next instruction.
    const struct { std::vector<std::string> vSteps; double fX0, fWant; } aCases[] = {
        {{"1", "EEX", "3", "ENTER"}, 0, 1000}, {{"2", "EEX", "3", "+"}, 5, 2005},
        {{"1", "2", "ENTER", "3", "+"}, 0, 15}, {{"4", "EEX", "2", "CHS", "ENTER"}, 0, 0.04}};
    for (const auto& c : aCases) {
        SetStack(c.fX0);
        Steps(c.vSteps);
        EXPECT_DOUBLE_EQ(X(), c.fWant) << c.vSteps[0];
        EXPECT_FALSE(p.EntryActive || p.ExpEntryActive);
    }
    SetStack(7, 8);
    Steps({".", "5", "."});
    EXPECT_EQ(V({X(), Y()}), V({0.5, 7}));
    EXPECT_EQ(m.lblDisp, "0.");   // a new number has begun
    EXPECT_TRUE(p.EntryActive);
    Steps({"EEX", "1", "2", "3"});
    EXPECT_EQ(m.lblDisp + "|" + m.lblEex, "1.| 23");   // the exponent keeps its last two digits
    // CHS negates X, or toggles the sign being keyed.
    SetStack(3, 4);
    m.fLastX = 0;
    Steps({"CHS"});
    EXPECT_EQ(V({X(), Y(), m.fLastX}), V({-3, 4, 3}));
    Steps({"5", "CHS"});
    EXPECT_EQ(m.lblDisp, "-5");
    EXPECT_EQ(X(), -3);
    // Unknown steps and CLx change nothing, not even a number being keyed.
    SetStack(1, 2, 3, 4);
    Steps({"4", "FOO", "CLX", "", "2", "+"});
    EXPECT_EQ(V({X(), Y()}), V({43, 2}));   // "42" keyed across the passed-over steps, then 1 + 42
}

TEST_F(ExecTest, TwoNumberFunctionsDropTheStackAndSetLastX) {
    const struct { const char* sStep; V vIn, vWant; } aCases[] = {
        {"%CH", {75, 50, 3, 4}, {-50, 3, 4, 75}},   // (Y - X) / Y * 100, Y consumed
        {"%", {15, 200, 3, 4}, {30, 200, 3, 15}}, {"y^x", {10, 2, 0, 0}, {1024, 0, 0, 10}}};
    for (const auto& c : aCases) {
        SetStack(c.vIn[0], c.vIn[1], c.vIn[2], c.vIn[3]);
        Steps({c.sStep});
        EXPECT_EQ(V({X(), Y(), Stack()[2], m.fLastX}), c.vWant) << c.sStep;
    }
    SetStack(0.5, -8);
    Steps({"Y^X"});
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(X(), 0.5);
}

TEST_F(ExecTest, AnglesAndConversions) {
    const struct { const char* sMode; double fIn, fWant; } aCases[] = {{"DEG", 30, 0.5}, {"GRD", 100, 1}};
    for (const auto& c : aCases) {
        SetStack(c.fIn);
        Steps({c.sMode, "SIN"});
        EXPECT_NEAR(X(), c.fWant, 1e-12) << c.sMode;
    }
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
    EXPECT_EQ(LastMessage(), ErrAt("001 R->P"));
}

TEST_F(ExecTest, FaultsAndFailedRangeTestsAreErrorsOfTheStepThatChangeNothing) {
    for (const char* sStep : {"1/X", "LN", "LOG"}) {
        SetStack(0, 7);
        m.fLastX = 123;
        Steps({sStep});
        EXPECT_TRUE(m.bInErr) << sStep;
        EXPECT_EQ(LastMessage(), ErrAt(std::string("001 ") + sStep));
        EXPECT_EQ(V({X(), Y(), m.fLastX, double(Ptr())}), V({0, 7, 123, 1})) << sStep;
    }
    // Without the frame the error reaches the caller, the pointer on the step.
    Load({"1/X"});
    SetStack(0);
    EXPECT_THROW(p.ExecuteStep(), CCalcError);
    EXPECT_EQ(Ptr(), 1);
    // e^231 is about 1.9e100: a failed range test; a tiny result becomes 0.
    const struct { double fIn; bool bErr; double fWant, fTol; } aCases[] = {
        {231, true, 231, 0}, {230, false, std::exp(230.0), 1e-12 * std::exp(230.0)}, {-240, false, 0, 0}};
    for (const auto& c : aCases) {
        SetStack(c.fIn);
        Steps({"E^X"});
        EXPECT_EQ(m.bInErr, c.bErr) << c.fIn;
        EXPECT_NEAR(X(), c.fWant, c.fTol) << c.fIn;
    }
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
    Steps({"STO+ A", "RCL- A"});
    EXPECT_EQ(V({m.oMem.Rcl(20), X(), Y()}), V({39, 6 - 39, 0}));
    // A register that does not exist: the push refuses 1e111, no message.
    SetStack(1, 2);
    Steps({"RCL 1000"});
    EXPECT_TRUE(m.bInErr && oHost.vMessages.empty());
    EXPECT_EQ(X(), 1);
}

TEST_F(ExecTest, BadRegisterOperandsAreErrorsOfTheStep) {
    for (const char* sStep : {"STO 1e999", "STO -40000", "STO IND", "RCL IND 1000", "STO/ 3"}) {
        SetStack(0);
        Steps({sStep});
        EXPECT_TRUE(m.bInErr) << sStep;
        EXPECT_EQ(LastMessage(), ErrAt(std::string("001 ") + sStep));
    }
}

TEST_F(ExecTest, DisplayInstructions) {
    Steps({"SCI", "DSP 4"});
    EXPECT_EQ(V({double(static_cast<int>(m.eDispMode)), double(m.nDigits)}), V({1, 4}));
    m.oMem.StoI(6.5);
    Steps({"ENG", "DSP (i)"});
    EXPECT_EQ(V({double(static_cast<int>(m.eDispMode)), double(m.nDigits)}), V({2, 6}));
    Steps({"DSP x"});
    EXPECT_FALSE(m.bInErr);
    EXPECT_EQ(m.nDigits, 6);
    SetStack(2.345678);
    Steps({"DSP 2", "RND"});
    EXPECT_EQ(V({X(), m.fLastX}), V({2.35, 2.345678}));
}

TEST_F(ExecTest, StatisticsKeepTheStackWhenTheSumsFail) {
    m.oStat.Clear();
    SetStack(1, 2, 30, 40);
    Steps({"SUM+"});
    EXPECT_EQ(V({X(), Y(), m.fLastX}), V({1, 30, 1}));   // n, then the stack drops
    SetStack(3, 6);
    Steps({"SUM+", "RCL SUM"});
    EXPECT_EQ(V({X(), Y()}), V({4, 8}));   // sums of x and y
    Steps({"MEAN"});
    EXPECT_EQ(V({X(), Y()}), V({2, 4}));
    m.oStat.Clear();
    SetStack(5, 6, 7, 8);
    Steps({"SDEV"});   // no points: the results fail the range test
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(V({X(), Y()}), V({5, 6}));
}
