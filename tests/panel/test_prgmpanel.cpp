// R/S and switches pressed during a run, as only the fake host records them (key sequences: tests/batch/prgm_*.keys).
#include "PanelFixture.h"

using PrgmPanelTest = PanelTest;

// R/S stops the run (and A pressed then starts no second run inside it).
TEST_F(PrgmPanelTest, RunStopAndTheSwitchesPressedDuringARunDecideTheDisplay) {
    Keys("W/PRGM f SST A 1 + GTO A RUN 7");
    const struct { const char *sSwitch, *sDisplay; } kCases[] = {
        {"R/S A", "32.00|"}, {"OFF", "|"}, {"W/PRGM", "001 LBL A|"}, {"ON", "0.00|"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.sSwitch);
        if (!oMain.View().bOn) Keys("ON");
        if (!oMain.View().bRun) Keys("RUN");
        if (!oMain.Prgm().HasProgram()) Keys("W/PRGM f SST A 1 + GTO A RUN");
        bool bPressed = false;
        oHost.fnOnYield = [&] {
            if (oMain.Prgm().nRunSteps == 100 && !bPressed) {
                bPressed = true;
                Keys(c.sSwitch);
            }
        };
        Keys("A");
        oHost.fnOnYield = nullptr;
        EXPECT_FALSE(oMain.IsRunning());
        EXPECT_EQ(Display(), c.sDisplay);
    }
    EXPECT_EQ(oMain.Prgm().GetPrgmPointer(), 0);   // On cleared the program in mid-run
}

// The program view's double click moves the pointer as GTO . NNN does, but
// not while "Error" is shown (both: test_workbench.cpp) or the calculator is off.
TEST_F(PanelTest, GoingToAStepFromTheProgramView) {
    Keys("W/PRGM f SST A 2 * h GTO RUN OFF");
    EXPECT_FALSE(oMain.GoToStep(3));
    EXPECT_EQ(oMain.Prgm().GetPrgmPointer(), 4);
}
