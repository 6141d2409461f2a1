#include "PanelFixture.h"

// W/PRGM keys, the switches, R/S and SST around the interpreter.
using PrgmPanelTest = PanelTest;

TEST_F(PrgmPanelTest, RecordsAndRunsTheTypicalProgram) {
    Keys("W/PRGM f SST A 2 * h GTO");
    EXPECT_EQ(oMain.oPrgm.GetLine(1), "LBL A");
    EXPECT_EQ(oMain.oPrgm.GetLine(4), "RTN");
    EXPECT_EQ(oMain.lblDisp, "004 RTN");
    EXPECT_EQ(oMain.lblEex, "");
    Keys("RUN");
    EXPECT_TRUE(oMain.bCardVisible);
    Keys("5 A");
    EXPECT_EQ(Display(), "10.00|");
    EXPECT_EQ(oHost.vSounds.back(), enmSound::Beep);
    EXPECT_FALSE(oMain.bBusy);
}

TEST_F(PrgmPanelTest, PrefixedSwitchAndStepKeys) {
    Keys("W/PRGM 1 2 3 RUN f W/PRGM");   // f with the switch clears the program
    EXPECT_FALSE(oMain.oPrgm.HasProgram());
    Keys("7 8 g R/S");
    EXPECT_EQ(oMain.lblDisp, "003 STK");
    Keys("f R/S h R/S");
    EXPECT_EQ(oMain.oPrgm.GetLine(4), "-x-");
    EXPECT_EQ(oMain.oPrgm.GetLine(5), "SPACE");
    Keys("h SST h SST");
    EXPECT_EQ(oMain.lblDisp, "003 STK");
    Keys("SST");
    EXPECT_EQ(oMain.lblDisp, "004 -x-");
    Keys("g SST B");
    EXPECT_EQ(oMain.lblDisp, "005 LBL b");
    Keys("DSP (i) STO + 3 h + 4 g CHS");
    EXPECT_EQ(oMain.oPrgm.GetLine(6), "DSP (i)");
    EXPECT_EQ(oMain.oPrgm.GetLine(7), "STO+ 3");
    EXPECT_EQ(oMain.oPrgm.GetLine(8), "CF 4");
    EXPECT_EQ(oMain.lblDisp, "008 CF 4");   // g CHS records nothing
    EXPECT_EQ(oMain.sTitle, "CorvelXMem ");
}

TEST_F(PrgmPanelTest, RunStopStopsAnEndlessLoop) {
    Keys("W/PRGM f SST A 1 + GTO A RUN");
    long nPressed = 0;
    oHost.fnOnYield = [&] {
        if (oMain.oPrgm.nRunSteps == 5000 && nPressed == 0) {
            ++nPressed;
            oMain.imgRunStop_Click();   // R/S pressed while the program runs
            oMain.PressKey("A");        // a second run is never started inside this one
        }
    };
    Keys("A");
    EXPECT_EQ(nPressed, 1);
    EXPECT_FALSE(oMain.IsRunning());
    EXPECT_LE(oMain.oPrgm.nRunSteps, 5001u);
    EXPECT_FALSE(oMain.bInErr);
    EXPECT_GT(X(), 1000);
}

TEST_F(PrgmPanelTest, RunStopPushesTheTypedNumberFirst) {
    Keys("W/PRGM 2 * RUN GTO . ");   // pointer to step 1 via the line input
    oHost.vInputs = {"1"};
    Keys("GTO .");
    Keys("2 1 R/S");
    EXPECT_EQ(X(), 42);
}

TEST_F(PrgmPanelTest, PowerSwitch) {
    Keys("W/PRGM 1 RUN 5 STO 3");
    Keys("OFF");
    EXPECT_FALSE(oMain.bOn);
    EXPECT_EQ(Display(), "|");
    Keys("7");
    EXPECT_EQ(Display(), "|");
    Keys("ON");
    EXPECT_TRUE(oMain.bOn);
    EXPECT_EQ(Display(), "0.00|");
    EXPECT_EQ(oMain.oMem.Rcl(3), 0);
    EXPECT_FALSE(oMain.oPrgm.HasProgram());
    Keys("W/PRGM OFF");   // nothing happens in W/PRGM
    EXPECT_TRUE(oMain.bOn);
    Keys("RUN OFF OFF");
    EXPECT_TRUE(oHost.bExited);
}

TEST_F(PrgmPanelTest, SingleStepAndBackStep) {
    Keys("W/PRGM 3 ENTER 4 + RUN");
    oHost.vInputs = {"."};
    Keys("GTO . SST");
    EXPECT_EQ(Display(), "3|");   // digits keyed so far stay on display
    Keys("SST SST SST");
    EXPECT_EQ(X(), 7);
    EXPECT_EQ(oMain.oPrgm.GetPrgmPointer(), 5);
    Keys("h SST");
    EXPECT_EQ(oMain.oPrgm.GetPrgmPointer(), 4);
    EXPECT_EQ(oMain.enmShift, 0);
}

TEST_F(PrgmPanelTest, ProgramErrorShowsItsLine) {
    Keys("W/PRGM f 7 RUN");
    oHost.vInputs = {"1"};
    Keys("1 CHS GTO . R/S");
    EXPECT_EQ(oHost.vShown.back(), "message [Program Error] Error at line 001 LN");
    EXPECT_EQ(Display(), "Error|");
    Keys("CLX");
    EXPECT_FALSE(oMain.bInErr);
}

TEST_F(PrgmPanelTest, SwitchesPressedDuringARunDecideTheDisplay) {
    Keys("W/PRGM f SST A 1 + GTO A RUN 7");
    const char* const kSwitches[] = {"OFF", "W/PRGM", "ON"};
    const char* const kDisplays[] = {"|", "001 LBL A|", "0.00|"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(kSwitches[i]);
        if (!oMain.bOn) Keys("ON");
        if (!oMain.bRun) Keys("RUN");
        if (!oMain.oPrgm.HasProgram()) Keys("W/PRGM f SST A 1 + GTO A RUN");
        bool bPressed = false;
        oHost.fnOnYield = [&] {
            if (oMain.oPrgm.nRunSteps == 100 && !bPressed) {
                bPressed = true;
                oMain.PressKey(kSwitches[i]);
            }
        };
        Keys("A");
        oHost.fnOnYield = nullptr;
        EXPECT_FALSE(oMain.IsRunning());
        EXPECT_EQ(Display(), kDisplays[i]);
    }
    EXPECT_EQ(oMain.oPrgm.GetPrgmPointer(), 0);   // On cleared the program in mid-run
}

TEST_F(PrgmPanelTest, DeletingAtTheTopOfMemoryLosesNothing) {
    Keys("W/PRGM 1 2 h SST h SST h CLX");
    EXPECT_EQ(oMain.lblDisp, "000 ");
    EXPECT_EQ(oMain.oPrgm.GetLine(1), "1");
    EXPECT_EQ(oMain.oPrgm.GetLine(2), "2");
}
