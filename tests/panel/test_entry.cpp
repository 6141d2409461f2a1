#include "PanelFixture.h"

using EntryTest = PanelTest;

TEST_F(EntryTest, AddingTwoNumbers) {
    Keys("2 ENTER 3 +");
    EXPECT_EQ(Display(), "5.00|");
    EXPECT_EQ(X(), 5);
    EXPECT_EQ(oMain.fLastX, 3);
    EXPECT_EQ(oMain.enmNumEntry, 0);
}

TEST_F(EntryTest, DecimalPointTwiceStartsANewNumber) {
    Keys("1 2 . 5");
    EXPECT_EQ(Display(), "12.5|");
    Keys(".");
    EXPECT_EQ(Display(), "0.|");
    EXPECT_EQ(X(), 12.5);
    EXPECT_TRUE(oMain.oFlags.PeekFlag(3));
}

TEST_F(EntryTest, ExponentEntryScrollsAndToggles) {
    Keys("EEX");
    EXPECT_EQ(Display(), "1| 00");
    Keys("2 3 4");
    EXPECT_EQ(Display(), "1| 34");
    Keys("CHS");
    EXPECT_EQ(Display(), "1|-34");
    Keys("CHS");
    EXPECT_EQ(Display(), "1| 34");
    Keys("+");
    EXPECT_EQ(X(), 1e34);
}

TEST_F(EntryTest, MantissaSignBeforeExponent) {
    Keys("5 CHS EEX 3 CHS");
    EXPECT_EQ(Display(), "-5|-03");
    Keys("ENTER");
    EXPECT_DOUBLE_EQ(X(), -5e-3);
}

TEST_F(EntryTest, LongDigitStringsStayExact) {
    Keys("1 2 3 4 5 6 7 8 9 0 ENTER");
    EXPECT_EQ(Display(), "1.23|09");
    EXPECT_EQ(X(), 1234567890);
    Keys("CLX");
    for (int i = 0; i < 40; ++i) Keys("1");
    Keys("ENTER");
    EXPECT_DOUBLE_EQ(X(), 1.1111111111111111e39);
}

TEST_F(EntryTest, TypedNumberTooLargeIsRefused) {
    Keys("7 ENTER 1 0 EEX 9 9 ENTER");
    EXPECT_EQ(Display(), "Error|");
    EXPECT_TRUE(oMain.bInErr);
    EXPECT_EQ(X(), 7);
    EXPECT_EQ(Y(), 0);
    Keys("5");   // ignored while "Error" shows
    EXPECT_EQ(Display(), "Error|");
    Keys("CLX");
    EXPECT_FALSE(oMain.bInErr);
    EXPECT_EQ(Display(), "7.00|");
}

TEST_F(EntryTest, RefusedEntryStopsTheKeyThatFinishedIt) {
    for (const char* sKey : {"+", "SUM+", "STO", "R/S", "f", "."}) {
        SCOPED_TRACE(sKey);
        oMain.oStack.SetAll(3, 2, 1, 0);
        oMain.bInErr = false;
        oMain.enmNumEntry = 0;
        Keys("1 0 EEX 9 9");
        Keys(sKey);
        EXPECT_EQ(Display(), "Error|");
        EXPECT_EQ(X(), 3);
        EXPECT_EQ(Y(), 2);
        EXPECT_EQ(oMain.oMem.Rcl(19), 0);   // no statistics point was added
        EXPECT_FALSE(oMain.bPendOp);
    }
}

TEST_F(EntryTest, EnterDuplicatesAndLiftRules) {
    Keys("5 ENTER 3 -");
    EXPECT_EQ(X(), 2);
    Keys("CLX 5 ENTER ENTER");
    EXPECT_EQ(X(), 5);
    EXPECT_EQ(Y(), 5);
    // ENTER from idle duplicates the exact value, ENTER after ENTER the shown one.
    oMain.oStack.SetAll(3.14159, 0, 0, 0);
    oMain.ShowX();
    oMain.enmNumEntry = 0;
    Keys("ENTER");
    EXPECT_EQ(X(), 3.14159);
    EXPECT_EQ(Y(), 3.14159);
    oMain.enmNumEntry = 3;   // the display holds a copy to be pushed again
    Keys("ENTER");
    EXPECT_EQ(X(), 3.14);
}

TEST_F(EntryTest, ClxDropsAndZeroIsPushedNext) {
    Keys("3 ENTER 4 ENTER 5 +");
    EXPECT_EQ(X(), 9);
    Keys("CLX");
    EXPECT_EQ(Display(), "0.00|");
    EXPECT_EQ(X(), 3);
    Keys("+");
    EXPECT_EQ(X(), 3);
    Keys("CLX 7 +");   // a digit after CLX replaces the zero without a lift
    EXPECT_EQ(X(), 7);
}

TEST_F(EntryTest, ChangeSignOfXAndRightAfterEnter) {
    Keys("4 ENTER CHS");
    EXPECT_EQ(X(), -4);
    EXPECT_EQ(Y(), 4);
    Keys("CLX 3 ENTER 2 + CHS");
    EXPECT_EQ(X(), -5);
    EXPECT_EQ(oMain.fLastX, 2);   // CHS leaves LAST X alone
}

TEST_F(EntryTest, PrefixesShowInTheTitle) {
    Keys("f");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [f]");
    Keys("f");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [f]");
    Keys("g");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [g]");
    EXPECT_EQ(oMain.enmShift, 2);
    Keys("/");   // an error leaves the title as it was
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [g]");
    Keys("CLX 6 ENTER 3 g /");   // divides even with a prefix
    EXPECT_EQ(X(), 2);
    EXPECT_EQ(oMain.enmShift, 0);
    EXPECT_EQ(oMain.sTitle, "CorvelXMem ");
}

TEST_F(EntryTest, PendingOperationsContinueAndCancel) {
    Keys("STO");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [STO]");
    Keys("+");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [STO+]");
    Keys("*");
    EXPECT_FALSE(oMain.bPendOp);
    EXPECT_EQ(oMain.sTitle, "CorvelXMem ");
    Keys("4 ENTER 2 STO * +");
    EXPECT_FALSE(oMain.bPendOp);
    EXPECT_EQ(X(), 2);
    EXPECT_EQ(Y(), 4);
    Keys("GTO f");
    EXPECT_EQ(oMain.sPendOp, "gto");
    EXPECT_EQ(oMain.enmShift, 0);
    Keys("RCL f");
    EXPECT_FALSE(oMain.bPendOp);
    Keys("DSP g");
    EXPECT_FALSE(oMain.bPendOp);
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [g]");
}

TEST_F(EntryTest, DisplayFormatKeys) {
    Keys("2 ENTER 3 /");
    Keys("DSP 4");
    EXPECT_EQ(Display(), "0.6667|");
    Keys("g DSP");
    EXPECT_EQ(Display(), "6.6667|-01");
    Keys("h DSP");
    EXPECT_EQ(Display(), "666.6667|-03");
    Keys("f DSP");
    EXPECT_EQ(Display(), "0.6667|");
}

TEST_F(EntryTest, EveryKeyClicksButNothingWorksWhileOff) {
    Keys("1");
    EXPECT_EQ(oHost.vSounds.size(), 1u);
    oMain.bOn = false;
    Keys("2 ENTER");
    EXPECT_EQ(oHost.vSounds.size(), 1u);
    EXPECT_EQ(Display(), "1|");
}
