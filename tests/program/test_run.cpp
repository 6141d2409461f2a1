// The run loop, single step and back step, stopping a run from outside (an R/S step, the run after it and an
// error's message: tests/panel/test_keyboard.cpp).
#include <cmath>

#include "PrgmFixture.h"

using RunTest = PrgmTest;

// A single step shows its line first; a back step clears a halt, stops at step 1 and keeps the display (what
// single steps key: tests/panel/test_keyboard.cpp).
TEST_F(RunTest, SingleStepShowsTheLineFirstAndBackStepStopsAtStep1) {
    Load({"7", "8"});
    p.SetPrgmPointer(0);
    std::string sShown;
    oHost.fnOnRepaint = [&] { if (sShown.empty() && m.lblDisp.rfind("001", 0) == 0) sShown = m.lblDisp; };
    const double fStart = oHost.fClock;
    p.SST_Exec(true);
    oHost.Drive(p);
    EXPECT_GE(oHost.fClock, fStart + 1);   // the line stayed on display
    EXPECT_EQ(sShown + "|" + m.lblDisp + "|" + std::to_string(Ptr()), "001 7|7|2");
    p.Halted = true;
    m.lblDisp = "keep";
    for (int n = 0; n < 2; ++n) {
        p.BST();
        oHost.Drive(p);
    }
    EXPECT_EQ(m.lblDisp + "|" + std::to_string(Ptr()) + "|" + std::to_string(p.Halted), "keep|1|0");
}

TEST_F(RunTest, EndOfProgramMessageOnlyWhenSingleStepping) {
    for (bool bSingle : {true, false}) {
        Load({"RTN"});
        p.SetFilename("prog.corvel");
        if (bSingle) p.SST_Exec(true);
        else p.Exec();
        oHost.Drive(p);
        EXPECT_EQ(oHost.vMessages, bSingle ? S{"SST Information|End of program!"} : S{});
        EXPECT_EQ(V({double(p.Halted), double(oHost.CountSound(enmSound::Beep))}), V({1, 1}));
        if (bSingle) EXPECT_EQ(Ptr(), 1);
        EXPECT_EQ(oHost.sLabel, "prog.corvel");
    }
}

TEST_F(RunTest, TheHostDrivesTheRunInSlicesAndWaitsAreDeadlines) {
    Load({"1", "PAUSE", "2", "+", "R/S"});
    p.Exec();
    EXPECT_EQ(p.nRunSteps, 0u);   // starting a run runs no step
    CSlice s = p.RunSlice(1);
    EXPECT_EQ(V({double(s.eState == enmRunState::Running), double(p.nRunSteps)}), V({1, 1}));
    s = p.RunSlice(100);   // PAUSE: X shown until three whole seconds from now
    EXPECT_EQ(V({double(s.eState == enmRunState::Waiting), s.fWakeAt, double(Ptr())}),
              V({1, std::floor(oHost.fClock) + 3, 2}));
    EXPECT_EQ(p.RunSlice(100).eState, enmRunState::Waiting);   // no step runs before its time
    oHost.fClock = s.fWakeAt;
    s = p.RunSlice(100);
    EXPECT_EQ(V({double(s.eState == enmRunState::Stopped), X(), double(Ptr()), double(oHost.CountSound(enmSound::Click))}),
              V({1, 3, 6, 1}));
    EXPECT_FALSE(p.Busy() || oHost.bRunning);
    // Breakpoints in slices of many steps: prgm_breakpoints.keys (the batch runs such slices).
}

TEST_F(RunTest, AStopCutsAPauseShortAndTheRunEndsAfterThePausingStep) {
    Load({"LBL A", "PAUSE", "GTO A"});
    p.Exec();
    EXPECT_EQ(p.RunSlice(100).eState, enmRunState::Waiting);
    p.RequestStop();
    const CSlice s = p.RunSlice(100);
    EXPECT_EQ(V({double(s.eState == enmRunState::Stopped), double(Ptr()), double(p.nRunSteps)}), V({1, 3, 2}));
}

TEST_F(RunTest, StopRequestFromOutsideEndsAnEndlessLoop) {
    Load({"LBL A", "ISZ", "GTO A"});
    m.oMem.StoI(0);
    long nCalls = 0;
    oHost.fnOnYield = [&] { if (++nCalls == 30000) p.RequestStop(); };   // R/S pressed during the run
    Run();
    EXPECT_FALSE(m.bInErr || p.StopRequested || oHost.bRunning);
    EXPECT_EQ(V({double(p.nRunSteps), m.oMem.RclI()}), V({29999, 10000}));   // the step after the request does not run
    // An error flag set from outside stops the run too.
    nCalls = 0;
    oHost.fnOnYield = [&] { if (++nCalls == 400) m.bInErr = true; };
    p.SetPrgmPointer(1);
    Run();
    EXPECT_EQ(V({double(m.bInErr), double(nCalls)}), V({1, 400}));
    const int nAt = Ptr();
    p.SST_Exec(true);   // while the error stands, a single step does nothing
    EXPECT_EQ(V({double(p.Busy()), double(Ptr())}), V({0, double(nAt)}));
}

