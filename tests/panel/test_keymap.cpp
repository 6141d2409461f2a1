#include <cmath>

#include "PanelFixture.h"

using KeyMapTest = PanelTest;

TEST_F(KeyMapTest, PercentAndPercentChange) {
    Keys("2 0 0 ENTER 5 0 f 0");
    EXPECT_EQ(X(), 100);
    EXPECT_EQ(Y(), 200);
    Keys("g EEX 2 0 0 ENTER 5 0 g 0");
    EXPECT_EQ(X(), -75);
    EXPECT_EQ(Y(), 0);
}

TEST_F(KeyMapTest, AnglesAndLastX) {
    Keys("1 8 0 g 2");
    EXPECT_DOUBLE_EQ(X(), M_PI);
    Keys("h 0");
    EXPECT_EQ(X(), 180);
    Keys("3 0 f 4");
    EXPECT_NEAR(X(), 0.5, 1e-15);
    Keys("h EEX 1 0 0 f 4");   // grads
    EXPECT_NEAR(X(), 1, 1e-15);
    Keys("h CHS 1 g 6");   // radians
    EXPECT_NEAR(X(), M_PI / 4, 1e-15);
    Keys("h ENTER 2 g 4");   // back to degrees: arcsin 2 is an error
    EXPECT_TRUE(oMain.bInErr);
}

TEST_F(KeyMapTest, PolarAndRectangular) {
    Keys("9 0 ENTER 2 f 1");
    EXPECT_NEAR(X(), 0, 1e-15);
    EXPECT_NEAR(Y(), 2, 1e-15);
    Keys("CLX CLX 4 ENTER 3 g 1");
    EXPECT_NEAR(X(), std::atan(4.0 / 3.0) * 180 / M_PI, 1e-12);
    EXPECT_NEAR(Y(), 5, 1e-15);
    Keys("CLX CLX CLX 4 ENTER 0 g 1");
    EXPECT_TRUE(oMain.bInErr);
}

TEST_F(KeyMapTest, ArithmeticFaultsAreErrors) {
    const char* const kCases[] = {"0 h 4", "0 f 7", "1 CHS f 7", "1 CHS f 9", "2 CHS ENTER . 5 h 5",
                                  "2 3 1 g 7", "EEX 9 9 ENTER *", "1 ENTER 0 /", "1 0 0 0 h /"};
    for (const char* s : kCases) {
        SCOPED_TRACE(s);
        Keys("CLX");
        oMain.oStack.Clear();
        Keys(s);
        EXPECT_TRUE(oMain.bInErr);
        EXPECT_EQ(Display(), "Error|");
        EXPECT_TRUE(std::isfinite(X()));
    }
}

TEST_F(KeyMapTest, FailedResultLeavesStackAndLastX) {
    Keys("5 ENTER 7 ENTER 0 /");
    EXPECT_TRUE(oMain.bInErr);
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Y(), 7);
    EXPECT_EQ(oMain.fLastX, 0);
}

TEST_F(KeyMapTest, StatisticsKeys) {
    Keys("4 ENTER 3 SUM+");
    EXPECT_EQ(Display(), "1.00|");
    const double kSums[] = {3, 9, 4, 16, 12, 1};
    for (int r = 14; r <= 19; ++r) EXPECT_EQ(oMain.oMem.Rcl(r), kSums[r - 14]) << r;
    Keys("8 ENTER 5 SUM+ f SUM+");
    EXPECT_EQ(X(), 4);
    EXPECT_EQ(Y(), 6);
    Keys("g SUM+");
    EXPECT_NEAR(X(), std::sqrt(2.0), 1e-12);
    Keys("8 ENTER 5 h SUM+");
    EXPECT_EQ(X(), 1);
    Keys("RCL SUM+");
    EXPECT_EQ(X(), 3);
    EXPECT_EQ(Y(), 4);
}

TEST_F(KeyMapTest, MeanWithoutPointsIsAnErrorThatKeepsTheStack) {
    Keys("7 ENTER 8 f SUM+");
    EXPECT_TRUE(oMain.bInErr);
    EXPECT_EQ(X(), 8);
    EXPECT_EQ(Y(), 7);
}

TEST_F(KeyMapTest, RegisterArithmetic) {
    Keys("1 0 STO 3 5 STO + 3 RCL 3");
    EXPECT_EQ(X(), 15);
    Keys("1 0 STO 2 4 STO 2 1 0 RCL + 2");
    EXPECT_EQ(X(), 14);
    Keys("1 0 RCL - 2");
    EXPECT_EQ(X(), 6);
    Keys("1 0 RCL / 2");
    EXPECT_EQ(X(), 2.5);
    EXPECT_EQ(oMain.sTitle, "CorvelXMem ");
    // A failing register division keeps the register and the operation pending.
    Keys("0 STO / 2");
    EXPECT_TRUE(oMain.bInErr);
    EXPECT_EQ(oMain.oMem.Rcl(2), 4);
    EXPECT_EQ(oMain.sPendOp, "STO/");
}

TEST_F(KeyMapTest, LettersAndIndirectRegisters) {
    Keys("1 h STO 2 STO (i) RCL (i)");
    EXPECT_EQ(oMain.oMem.Rcl(1), 2);
    EXPECT_EQ(X(), 2);
    Keys("7 STO A RCL E RCL A");
    EXPECT_EQ(oMain.oMem.Rcl(20), 7);
    EXPECT_EQ(X(), 7);
    EXPECT_EQ(Y(), 0);
    Keys("3 . 5 h STO DSP (i)");
    EXPECT_EQ(oMain.nDigits, 4);
    Keys("2 . 5 h STO DSP (i)");
    EXPECT_EQ(oMain.nDigits, 2);
    Keys("9 h (i)");   // x<>I
    EXPECT_EQ(X(), 2.5);
    EXPECT_EQ(oMain.oMem.RclI(), 9);
    Keys("f STO f STO h RCL");   // DSZ twice on I, then recall I
    EXPECT_EQ(X(), 7);
}

TEST_F(KeyMapTest, IndirectAddressBeyondSixteenBitsIsAnError) {
    Keys("4 EEX 5 h STO STO (i)");
    EXPECT_TRUE(oMain.bInErr);
    Keys("CLX 1 0 0 0 h STO RCL (i)");   // register 1000 does not exist
    EXPECT_TRUE(oMain.bInErr);
}

TEST_F(KeyMapTest, IntegerPartsRoundingAndFactorial) {
    Keys("2 . 7 CHS f .");
    EXPECT_EQ(X(), -2);
    EXPECT_NEAR(oMain.fLastX, -2.7, 1e-15);
    Keys("2 . 7 5 g .");
    EXPECT_NEAR(X(), 0.75, 1e-15);
    Keys("1 . 2 3 4 5 6 f (i)");
    EXPECT_EQ(X(), 1.23);
    Keys("5 h /");
    EXPECT_EQ(X(), 120);
    Keys("1 . 5 ENTER . 2 5 h .");
    EXPECT_NEAR(X(), 1.45, 1e-12);
}

TEST_F(KeyMapTest, StackKeys) {
    Keys("1 ENTER 2 ENTER 3 ENTER 4");
    Keys("h 8");
    EXPECT_EQ(X(), 3);
    Keys("h 9 h 9");
    EXPECT_EQ(X(), 1);
    Keys("h 7");
    EXPECT_EQ(X(), 4);
    EXPECT_EQ(Y(), 1);
    Keys("g EEX");
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Y(), 0);
}

TEST_F(KeyMapTest, ClearingKeys) {
    Keys("5 STO 4 STO 1 5 f CHS");
    EXPECT_EQ(oMain.oMem.Rcl(14), 5);
    EXPECT_EQ(oMain.oMem.Rcl(4), 0);
    Keys("f EEX");
    EXPECT_EQ(oMain.oMem.Rcl(14), 0);
    EXPECT_EQ(oMain.oMem.Rcl(11), 0);
    Keys("h - 4");   // SF 4
    EXPECT_TRUE(oMain.oFlags.PeekFlag(4));
    Keys("g CHS");
    EXPECT_FALSE(oMain.oFlags.PeekFlag(4));
}

TEST_F(KeyMapTest, FlagKeysAndTheirNotice) {
    Keys("h -");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [SF]");
    Keys("3 h * 3");
    ASSERT_FALSE(oHost.vShown.empty());
    EXPECT_EQ(oHost.vShown.back(), "message [Flag 3 Status] Flag 3 is set");
    Keys("h * 3");
    EXPECT_EQ(oHost.vShown.back(), "message [Flag 3 Status] Flag 3 is clear");
    Keys("h + 4 h * 4");
    EXPECT_EQ(oHost.vShown.back(), "message [Flag 4 Status] Flag 4 is clear");
}

TEST_F(KeyMapTest, LabelKeysWithoutAProgram) {
    Keys("4 A");
    EXPECT_EQ(X(), 0.25);
    Keys("1 6 B");
    EXPECT_EQ(X(), 4);
    Keys("2 ENTER 1 0 C");
    EXPECT_EQ(X(), 1024);
    Keys("1 ENTER 2 E");
    EXPECT_EQ(X(), 1);
    EXPECT_EQ(Y(), 2);
    Keys("f A");
    EXPECT_TRUE(oMain.bInErr);
    Keys("CLX GTO A");
    EXPECT_TRUE(oMain.bInErr);
    EXPECT_EQ(oMain.sPendOp, "GTO");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem [GTO]");
}

TEST_F(KeyMapTest, LineNumberInput) {
    oHost.vInputs = {"abc", " ", "..", "-A", "12"};
    Keys("GTO .");
    EXPECT_TRUE(oMain.bInErr);   // not a number
    EXPECT_EQ(oHost.vShown.back(),
              "input [Line Number Input] Enter a line number [1..999] or . to go to step 1, or  .. to go to "
              "the end, or - followed by a label name");
    Keys("CLX GTO .");   // blank: nothing changes, nothing pending
    EXPECT_FALSE(oMain.bPendOp);
    Keys("GTO .");
    EXPECT_EQ(oMain.oPrgm.GetPrgmPointer(), 0);   // empty memory ends at step 1
    Keys("GTO .");
    EXPECT_EQ(oMain.oPrgm.GetPrgmPointer(), 1);   // no label A: step 1
    Keys("GTO .");
    EXPECT_EQ(oMain.oPrgm.GetPrgmPointer(), 12);
}

TEST_F(KeyMapTest, ViewersShowFormattedRegisters) {
    Keys("1 . 5 STO 3 CHS STO 4 1 2 3 4 5 STO A g DSP h 3");
    ASSERT_EQ(oHost.vLastViewer.size(), 26u);
    EXPECT_EQ(oHost.vLastViewer[3], "p3:  1.50E00");
    EXPECT_EQ(oHost.vLastViewer[4], "p4: -1.50E00");
    EXPECT_EQ(oHost.vLastViewer[20], " A:  1.23E04");
    EXPECT_EQ(oHost.vLastViewer[25], " I:  0.00E00");
    Keys("f DSP h 3");
    EXPECT_EQ(oHost.vLastViewer[3], "p3:  1.50");
    EXPECT_EQ(oHost.vLastViewer[13], "s3:  0.00");
}

TEST_F(KeyMapTest, BlockViewerRanges) {
    int a = 0, b = 0;
    frmMain::DecodeViewerRange(12.034, a, b);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 34);
    frmMain::DecodeViewerRange(5.1, a, b);
    EXPECT_EQ(b, 100);
    frmMain::DecodeViewerRange(7, a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 7);
    EXPECT_THROW(frmMain::DecodeViewerRange(1500.01, a, b), CCalcError);
    EXPECT_THROW(frmMain::DecodeViewerRange(1e300, a, b), CCalcError);
    oMain.oMem.Sto(12, 3.5);
    oMain.oMem.Sto(40, -1.25e20);
    double r = 10.040;
    oMain.ShowMemBlock(r);
    EXPECT_EQ(oHost.vLastViewer.size(), 31u);
    EXPECT_EQ(oHost.vLastViewer[2], "12: 3.5");
    ASSERT_EQ(oHost.vLastViewerNonZero.size(), 2u);
    EXPECT_EQ(oHost.vLastViewerNonZero[1], "40: -1.25E+20");
}

TEST_F(KeyMapTest, TypedCharactersActAsKeys) {
    for (char c : std::string("1.5e")) oMain.Form_KeyPress(c);
    CFakeHost oOther;
    frmMain oClicked(oOther);
    for (const char* k : {"1", ".", "5", "ENTER"}) oClicked.PressKey(k);
    EXPECT_EQ(Display(), oClicked.lblDisp + "|" + oClicked.lblEex);
    EXPECT_EQ(X(), oClicked.oStack.GetX());
    EXPECT_EQ(oMain.enmNumEntry, oClicked.enmNumEntry);
    EXPECT_FALSE(oMain.Form_KeyPress('a'));
    EXPECT_TRUE(oMain.Form_KeyPress(13));
    EXPECT_EQ(Y(), 1.5);
    oMain.Form_KeyPress('f');
    oMain.Form_KeyPress('c');   // f CLX clears the program
    EXPECT_EQ(oMain.enmShift, 0);
    oMain.bOn = false;
    EXPECT_TRUE(oMain.Form_KeyPress('7'));
    EXPECT_EQ(Y(), 1.5);
}
