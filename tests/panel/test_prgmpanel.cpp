// R/S and the switches pressed while a program runs, and what only the fake
// host records; key sequences are in tests/batch/prgm_*.keys.
#include "PanelFixture.h"

using PrgmPanelTest = PanelTest;

TEST_F(PrgmPanelTest, RunStopStopsAnEndlessLoop) {
    Keys("W/PRGM f SST A 1 + GTO A RUN");
    long nPressed = 0;
    oHost.fnOnYield = [&] {
        if (oMain.Prgm().nRunSteps == 5000 && nPressed == 0) {
            ++nPressed;
            oMain.imgRunStop_Click();   // R/S pressed while the program runs
            oMain.PressKey("A");        // a second run is never started inside this one
        }
    };
    Keys("A");
    EXPECT_FALSE(oMain.IsRunning() || oMain.View().bInErr);
    EXPECT_EQ(nPressed, 1);
    EXPECT_LE(oMain.Prgm().nRunSteps, 5001u);
    EXPECT_GT(X(), 1000);
}

TEST_F(PrgmPanelTest, SwitchesPressedDuringARunDecideTheDisplay) {
    Keys("W/PRGM f SST A 1 + GTO A RUN 7");
    const char* const kSwitches[] = {"OFF", "W/PRGM", "ON"};
    const char* const kDisplays[] = {"|", "001 LBL A|", "0.00|"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(kSwitches[i]);
        if (!oMain.View().bOn) Keys("ON");
        if (!oMain.View().bRun) Keys("RUN");
        if (!oMain.Prgm().HasProgram()) Keys("W/PRGM f SST A 1 + GTO A RUN");
        bool bPressed = false;
        oHost.fnOnYield = [&] {
            if (oMain.Prgm().nRunSteps == 100 && !bPressed) {
                bPressed = true;
                oMain.PressKey(kSwitches[i]);
            }
        };
        Keys("A");
        oHost.fnOnYield = nullptr;
        EXPECT_FALSE(oMain.IsRunning());
        EXPECT_EQ(Display(), kDisplays[i]);
    }
    EXPECT_EQ(oMain.Prgm().GetPrgmPointer(), 0);   // On cleared the program in mid-run
}

// The program view's double click: the pointer moves as GTO . NNN moves it,
// except while "Error" is shown or the calculator is off.
TEST_F(PanelTest, GoingToAStepFromTheProgramView) {
    Keys("W/PRGM f SST A 2 * h GTO");
    EXPECT_TRUE(oMain.GoToStep(2));
    EXPECT_EQ(oMain.Prgm().GetPrgmPointer(), 2);
    EXPECT_EQ(Display(), "002 2|");
    Keys("RUN 1 ENTER 0 /");
    ASSERT_TRUE(oMain.View().bInErr);
    EXPECT_FALSE(oMain.GoToStep(3));
    Keys("CLX OFF");
    EXPECT_FALSE(oMain.GoToStep(3));
    EXPECT_EQ(oMain.Prgm().GetPrgmPointer(), 2);
}
