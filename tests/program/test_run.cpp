// The frame of a step, the run loop, single step and back step, stopping a
// run from outside, and every instruction against hostile operands. An R/S
// step and the run after it: tests/batch/prgm_rs_continue.keys.
#include <cmath>

#include "PrgmFixture.h"

using RunTest = PrgmTest;
using S = std::vector<std::string>;

TEST_F(RunTest, SingleStepFromStep0RunsStep1AndShowsTheLineFirst) {
    Load({"7", "8"});
    SetStack(3);
    p.SetPrgmPointer(0);
    std::string sShown;
    oHost.fnOnRepaint = [&] {
        if (sShown.empty() && m.lblDisp.rfind("001", 0) == 0) sShown = m.lblDisp;
    };
    const double fStart = oHost.fClock;
    bool bSST = true;
    p.SST_Exec(bSST);
    EXPECT_GE(oHost.fClock, fStart + 1);   // the line stayed on display
    const std::string sFirst = sShown + "|" + m.lblDisp + "|" + std::to_string(Ptr());
    p.SST_Exec(bSST);
    EXPECT_EQ(sFirst + "|" + m.lblDisp, "001 7|7|2|78");   // the digits keyed so far, not X
}

TEST_F(RunTest, EndOfProgramMessageOnlyWhenSingleStepping) {
    for (bool bSingle : {true, false}) {
        Load({"RTN"});
        p.SetFilename("prog.corvel");
        bool bSST = true;
        if (bSingle) p.SST_Exec(bSST);
        else p.Exec();
        EXPECT_EQ(oHost.vMessages, bSingle ? S{"SST Information|End of program!"} : S{});
        EXPECT_EQ(V({double(p.Halted), double(oHost.CountSound("beep"))}), V({1, 1}));
        if (bSingle) EXPECT_EQ(Ptr(), 1);
        EXPECT_EQ(oHost.sLabel, "prog.corvel");
    }
}

TEST_F(RunTest, ErrorNamesTheFailingStepAndStopsTheRun) {
    Load({"1", "2", "3", "4", "5", "6", "7", "8", "CLSTK", "1", "CHS", "LN", "9"});
    p.Exec();
    // The keyed -1 reached the stack; LN itself changed nothing.
    EXPECT_EQ(V({double(m.bInErr), double(Ptr()), X()}), V({1, 12, -1}));
    bool bSST = true;
    p.SST_Exec(bSST);   // while the error stands, a single step does nothing
    EXPECT_EQ(Ptr(), 12);
    EXPECT_EQ(oHost.vMessages, S{ErrAt("012 LN")});
}

TEST_F(RunTest, BackStepStopsAtStep1AndKeepsTheDisplay) {
    Load({"1", "2", "3", "4", "5"});
    p.SetPrgmPointer(5);
    p.Halted = true;
    m.lblDisp = "keep";
    p.BST();
    EXPECT_EQ(V({double(Ptr()), double(p.Halted)}), V({4, 0}));
    EXPECT_EQ(m.lblDisp, "keep");
    p.SetPrgmPointer(1);
    p.BST();
    EXPECT_EQ(Ptr(), 1);
}

TEST_F(RunTest, EveryStepYieldsOnceBeforeItRuns) {
    Load({"1", "2", "+", "R/S"});
    oHost.nYields = 0;
    long nStepsAtYield = -1;
    oHost.fnOnYield = [&] {
        if (oHost.nYields == 3) nStepsAtYield = static_cast<long>(p.nRunSteps);
    };
    p.Exec();
    EXPECT_EQ(V({double(oHost.nYields), double(nStepsAtYield)}), V({4, 2}));   // the third yield precedes step 3
}

TEST_F(RunTest, StopRequestFromOutsideEndsAnEndlessLoop) {
    Load({"LBL A", "ISZ", "GTO A"});
    m.oMem.StoI(0);
    long nCalls = 0;
    oHost.fnOnYield = [&] {
        if (++nCalls == 30000) p.StopRequested = true;   // R/S pressed during the run
    };
    p.Exec();
    EXPECT_FALSE(m.bInErr || p.StopRequested || oHost.bRunning);
    EXPECT_EQ(V({double(p.nRunSteps), m.oMem.RclI()}), V({29999, 10000}));   // the step after the request does not run
    // An error flag set from outside stops the run too.
    nCalls = 0;
    oHost.fnOnYield = [&] {
        if (++nCalls == 400) m.bInErr = true;
    };
    p.SetPrgmPointer(1);
    p.Exec();
    EXPECT_EQ(V({double(m.bInErr), double(nCalls)}), V({1, 400}));
}

