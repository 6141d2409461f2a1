// Flow control: jumps, calls and the return stack, tests, loop counters, flags (clearing them all from
// the keys: tests/panel/test_keyboard.cpp; bad operands: ExtTest.FunctionsFollowTheResultRule).
#include "PrgmFixture.h"

using FlowTest = PrgmTest;

TEST_F(FlowTest, CallsReturnAndTheSixteenthNestedCallLosesTheOldest) {
    Load({"LBL A", "RTN"}, 20);
    p.SetLine(10, "GSB A");
    Step(10);
    const double fCalled = Ptr();
    Step();
    Step();
    EXPECT_EQ(V({fCalled, double(Ptr()), double(p.ReturnDepth())}), V({20, 11, 0}));
    // Step 1 calls label 1, label k calls k + 1 up to nDepth, which returns. 15 levels return to the R/S at
    // step 2; with 16 the return to 2 is lost and label 1's RTN (step 5) halts.
    for (int nDepth : {15, 16}) {
        S v = {"GSB 1", "R/S"};
        for (int k = 1; k <= nDepth; ++k)
            v.insert(v.end(), {"LBL " + std::to_string(k), k < nDepth ? "GSB " + std::to_string(k + 1) : "RTN", "RTN"});
        Load(v);
        Run();
        EXPECT_EQ(V({double(m.bInErr), double(p.ReturnDepth()), double(p.Halted), double(Ptr())}),
                  V({0, 0, double(nDepth == 16), nDepth == 15 ? 3.0 : 5.0})) << nDepth;
    }
}

TEST_F(FlowTest, IndirectJumpsAndMissingLabels) {
    // GTO (i) takes the integer part of I, GSB (i) the nearest, halves to even. A negative I is an error
    // without a message; one that does not fit a step number an error of the step.
    Load({"GTO (i)", "GSB (i)", "LBL 2", "LBL 3", "LBL 4"});
    const struct { int nStep; double fI; int nPtr; bool bErr; } aCases[] = {
        {1, 2.7, 3, false}, {2, 2.7, 4, false}, {2, 2.5, 3, false}, {2, 3.5, 5, false},
        {1, -1, 1, true},   {2, -1, 2, true},   {1, 1e6, 1, true}};
    for (const auto& c : aCases) {
        m.oMem.StoI(c.fI);
        Step(c.nStep);
        EXPECT_EQ(V({double(Ptr()), double(m.bInErr)}), V({double(c.nPtr), double(c.bErr)})) << c.nStep << " " << c.fI;
    }
    EXPECT_EQ(V({double(p.ReturnDepth()), double(p.ReturnStack()[1]), double(p.ReturnStack()[3])}), V({3, 3, 3}));
    EXPECT_EQ(oHost.vMessages, S{ErrAt("001 GTO (i)")});
    // A missing label stops the run on the jump, without a message.
    Load({"1", "GTO B", "2"});
    Run();
    EXPECT_EQ(V({double(m.bInErr), double(oHost.vMessages.size()), double(Ptr())}), V({1, 0, 2}));
}

TEST_F(FlowTest, TestsSkipTheNextStepWhenFalse) {
    const struct { const char* sTest; double x, y; bool bTrue; } aCases[] = {
        {"X=0?", 0, 0, true},  {"X=0?", 1e-300, 0, false}, {"X<>0?", 1e-300, 0, true}, {"X!=0?", 0, 0, false},
        {"X<=Y?", 2, 2, true}, {"X>Y?", 2, 2, false},      {"X<0?", 2, 2, false},       {"X>0?", 2, 2, true},
        {"X=Y?", 2, 2, true},  {"X<>Y?", 2, 2, false},     {"X!=Y?", 2, 3, true}};
    for (const auto& c : aCases) {
        Load({c.sTest, "1", "2"});
        SetStack(c.x, c.y);
        Step();
        EXPECT_EQ(Ptr(), c.bTrue ? 2 : 3) << c.sTest << " " << c.x;
    }
    // A test on step 999 skips step 1; a call from 999 returns to 1000, which halts.
    Load({"LBL A", "RTN"}, 5);
    p.SetLine(999, "X=0?");
    SetStack(5);
    Step(999);
    EXPECT_EQ(Ptr(), 2);
    p.SetLine(999, "GSB A");
    for (int n = 0; n < 3; ++n) Step(n ? -1 : 999);
    EXPECT_EQ(V({double(p.Halted), double(Ptr())}), V({1, 6}));
}

TEST_F(FlowTest, LoopCounters) {
    // The counter (register nReg, or I when -1) goes from fBefore to fAfter; step 2 is skipped (nNext 3)
    // when it reaches zero. I = fI.
    const struct { const char* sStep; double fI; int nReg; double fBefore, fAfter; int nNext; } aCases[] = {
        {"DSZ", 1, -1, 0, 0, 3},         {"DSZ", 1.5, -1, 0, 0.5, 3},   {"DSZ", 2, -1, 0, 1, 2},
        {"ISZ", -1, -1, 0, 0, 3},        // without an operand: I itself
        {"DSZ (i)", 30.9, 30, 1, 0, 3},  // indirect through I: register 30
        {"DSZ x", 3, 3, 5, 5, 2},        // a name that is no register: nothing
        {"DSZ IND 7", 3, 7, 1, 0, 3},    // IND with a number counts in that register itself
        {"DSZ IND A", 3, 20, 2, 1, 2},   // IND with a name: the lettered register
        {"DSZ A", 3, 20, 1, 1, 2},       // a plain name: nothing happens
        {"ISZ 5", 3, 3, -1, 0, 3},       // ISZ with any operand: the register addressed through I
    };
    for (const auto& c : aCases) {
        m.oMem.Clear();
        m.oMem.StoI(c.fI);
        if (c.nReg >= 0) m.oMem.Sto(c.nReg, c.fBefore);
        Load({c.sStep, "1", "2"});
        Step();
        const double fNow = c.nReg >= 0 ? m.oMem.Rcl(c.nReg) : m.oMem.RclI();
        EXPECT_EQ(V({fNow, double(Ptr()), double(m.bInErr)}), V({c.fAfter, double(c.nNext), 0})) << c.sStep << " " << c.fI;
    }
}

TEST_F(FlowTest, FlagsAndFlagErrors) {
    Load({"SF 3", "F? 3", "1", "F? 3", "2", "CF 3"});
    m.oStack.Clear();
    Run();
    // The first test runs "1" and clears flag 3; the second skips "2"; the run stops on the filler after step 6.
    EXPECT_EQ(V({X(), double(Ptr())}), V({1, 8}));
    Steps({"SF"});   // no operand: an error without a message
    EXPECT_TRUE(m.bInErr && oHost.vMessages.empty());
}
