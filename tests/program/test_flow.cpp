// Flow control: jumps, calls and the return stack, tests, loop counters, flags.
#include "PrgmFixture.h"

using FlowTest = PrgmTest;

TEST_F(FlowTest, SubroutineReturnsToTheStepAfterTheCall) {
    Load({"LBL A", "RTN"}, 20);
    p.SetLine(10, "GSB A");
    p.ScanLabels();
    p.SetPrgmPointer(10);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 20);
    Step();
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 11);
    EXPECT_EQ(p.RetPtr, 0);
}

namespace {

// Step 1 calls label 1; label k calls label k + 1 up to nDepth, which returns.
// Returned all the way, the run stops on the "R/S" at step 2.
std::vector<std::string> Nested(int nDepth) {
    std::vector<std::string> v = {"GSB 1", "R/S"};
    for (int k = 1; k < nDepth; ++k) {
        v.push_back("LBL " + std::to_string(k));
        v.push_back("GSB " + std::to_string(k + 1));
        v.push_back("RTN");
    }
    v.push_back("LBL " + std::to_string(nDepth));
    v.push_back("RTN");
    return v;
}

} // namespace

TEST_F(FlowTest, FifteenNestedCallsReturnAndTheSixteenthLosesTheOldest) {
    for (int nDepth : {15, 16}) {
        p.Clear();
        const std::vector<std::string> v = Nested(nDepth);
        for (size_t i = 0; i < v.size(); ++i) p.SetLine(static_cast<int>(i) + 1, v[i]);
        ASSERT_TRUE(p.ScanLabels());
        p.SetPrgmPointer(1);
        p.Exec();
        EXPECT_FALSE(m.bInErr);
        EXPECT_EQ(p.RetPtr, 0);
        if (nDepth == 15) {
            EXPECT_FALSE(p.Halted);
            EXPECT_EQ(p.GetPrgmPointer(), 3);   // after the "R/S" at step 2
        } else {
            // The return to step 2 was lost: the RTN of label 1 (step 5) halts.
            EXPECT_TRUE(p.Halted);
            EXPECT_EQ(p.GetPrgmPointer(), 5);
        }
    }
}

TEST_F(FlowTest, IndirectJumpsRoundDifferently) {
    Load({"GTO (i)", "GSB (i)", "LBL 2", "LBL 3"});
    m.oMem.StoI(2.7);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 3);   // integer part 2
    p.SetPrgmPointer(2);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 4);   // nearest 3
    EXPECT_EQ(p.RetPtr, 1);
    EXPECT_EQ(p.RetStack[1], 3);
    for (int nStep : {1, 2}) {
        m.oMem.StoI(-1);
        p.SetPrgmPointer(nStep);
        Step();
        EXPECT_TRUE(m.bInErr);
        EXPECT_EQ(p.GetPrgmPointer(), nStep);
        EXPECT_TRUE(oHost.vMessages.empty());
    }
    m.oMem.StoI(1e6);   // does not fit a step number: an error of the step
    p.SetPrgmPointer(1);
    Step();
    EXPECT_EQ(LastMessage(), "Program Error|Error at line 001 GTO (i)");
}

TEST_F(FlowTest, MissingLabelStopsOnTheJumpWithoutMessage) {
    Load({"1", "GTO B", "2"});
    p.Exec();
    EXPECT_TRUE(m.bInErr);
    EXPECT_EQ(p.GetPrgmPointer(), 2);
    EXPECT_TRUE(oHost.vMessages.empty());
}

TEST_F(FlowTest, TestsSkipTheNextStepWhenFalse) {
    Load({"X=0?", "X<>0?", "X!=0?"});
    SetStack(0);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 2);
    SetStack(1e-300);   // exact comparison, no tolerance
    p.SetPrgmPointer(1);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 3);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 4);
    Load({"X<=Y?", "X>Y?", "X<0?", "X>0?", "X=Y?", "X<>Y?"});
    SetStack(2, 2);
    const int nExpected[] = {2, 4, 5, 5, 6, 8};
    for (int i = 0; i < 6; ++i) {
        p.SetPrgmPointer(i + 1);
        Step();
        EXPECT_EQ(p.GetPrgmPointer(), nExpected[i]) << p.GetLine(i + 1);
    }
}

TEST_F(FlowTest, TestOnStep999SkipsStep1) {
    p.Clear();
    p.SetLine(999, "X=0?");
    p.SetLine(1, "1");
    SetStack(5);
    p.SetPrgmPointer(999);
    Step();
    EXPECT_EQ(p.GetPrgmPointer(), 2);
    // A call from step 999 returns to 1000, which halts.
    p.SetLine(999, "GSB A");
    p.SetLine(5, "LBL A");
    p.SetLine(6, "RTN");
    p.ScanLabels();
    p.SetPrgmPointer(999);
    Step();
    Step();
    Step();
    EXPECT_TRUE(p.Halted);
    EXPECT_EQ(p.GetPrgmPointer(), 6);
}

TEST_F(FlowTest, LoopCounters) {
    Load({"DSZ", "DSZ (i)", "DSZ 7", "DSZ x", "ISZ"});
    const struct { double fI; int nNext; double fAfter; } cases[] = {{1, 3, 0}, {1.5, 3, 0.5}, {2, 2, 1}};
    for (const auto& c : cases) {
        m.oMem.StoI(c.fI);
        p.SetPrgmPointer(1);
        Step();
        EXPECT_EQ(p.GetPrgmPointer(), c.nNext) << c.fI;
        EXPECT_EQ(m.oMem.RclI(), c.fAfter);
    }
    m.oMem.StoI(30.9);   // indirect through I: register 30
    m.oMem.Sto(30, 1);
    m.oMem.Sto(7, 3);
    Step();              // R30 reaches 0: "DSZ 7" is skipped
    Step();              // "DSZ x": a name that is no register, nothing
    EXPECT_EQ(m.oMem.Rcl(30), 0);
    EXPECT_EQ(m.oMem.Rcl(7), 3);
    m.oMem.StoI(-1);
    Step();
    EXPECT_EQ(m.oMem.RclI(), 0);
    EXPECT_EQ(p.GetPrgmPointer(), 7);
    // A counter register that does not exist is an error, not a silent loop.
    Load({"DSZ 1000"});
    Step();
    EXPECT_EQ(LastMessage(), "Program Error|Error at line 001 DSZ 1000");
}

TEST_F(FlowTest, FlagsAndFlagErrors) {
    Load({"SF 3", "F? 3", "1", "F? 3", "2", "CF 3"});
    m.oStack.Clear();
    p.Exec();
    // The first test runs "1" and clears flag 3; the second skips "2".
    EXPECT_EQ(X(), 1);
    EXPECT_EQ(p.GetPrgmPointer(), 8);   // stopped on the filler after step 6
    Load({"SF"});
    Step();
    EXPECT_TRUE(m.bInErr);
    EXPECT_TRUE(oHost.vMessages.empty());
    Load({"CF x"});
    Step();
    EXPECT_EQ(LastMessage(), "Program Error|Error at line 001 CF x");
    m.oFlags.SetFlag(5);
    Load({"CLRFLG"});
    Step();
    EXPECT_FALSE(m.oFlags.PeekFlag(5));
}
