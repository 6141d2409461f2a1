#include <cmath>

#include "PanelFixture.h"

using DisplayTest = PanelTest;

TEST_F(DisplayTest, StartsOnInRunModeWithFix2) {
    EXPECT_EQ(Display(), "0.00|");
    EXPECT_EQ(oMain.sTitle, "CorvelXMem ");
    EXPECT_TRUE(oMain.bOn);
    EXPECT_TRUE(oMain.bRun);
    EXPECT_NEAR(oMain.fAngleFactor, M_PI / 180, 1e-15);
}

TEST_F(DisplayTest, FixFormatAndAutomaticScientific) {
    EXPECT_EQ(Shown(0), "0.00|");
    EXPECT_EQ(Shown(1e-101), "0.00|");
    EXPECT_EQ(Shown(123.456), "123.46|");
    EXPECT_EQ(Shown(0.5), "0.50|");
    EXPECT_EQ(Shown(-0.5), "-0.50|");
    EXPECT_EQ(Shown(1), "1.00|");
    EXPECT_EQ(Shown(0.01), "0.01|");
    EXPECT_EQ(Shown(0.009), "9.00|-03");
    EXPECT_EQ(Shown(5), "5.00|");   // the switch to SCI was only for that number
    EXPECT_EQ(Shown(1e9), "1000000000.00|");
    EXPECT_EQ(Shown(1234567890), "1.23|09");
    oMain.nDigits = 9;
    EXPECT_EQ(Shown(1234567), "1234567.000000000|");
    EXPECT_EQ(Shown(12345678), "1.234567800|07");
    oMain.nDigits = 0;
    EXPECT_EQ(Shown(12.3), "12.|");
    EXPECT_EQ(Shown(0.4), "4.|-01");
}

TEST_F(DisplayTest, SciAndEngFormats) {
    oMain.enmDispMode = 1;
    EXPECT_EQ(Shown(0), "0.00|00");
    EXPECT_EQ(Shown(1e20), "1.00|20");
    EXPECT_EQ(Shown(-2.5e-7), "-2.50|-07");
    EXPECT_EQ(Shown(9.999e5), "10.00|05");   // rounding carries, the exponent stays
    EXPECT_EQ(Shown(1.5e-100), "1.50|-100");
    oMain.enmDispMode = 2;
    EXPECT_EQ(Shown(0), "0.00|00");
    EXPECT_EQ(Shown(12300), "12.30|03");
    EXPECT_EQ(Shown(0.5), "500.00|-03");
    EXPECT_EQ(Shown(1000), "1.00|03");
    EXPECT_EQ(Shown(999996), "1000.00|03");
    double m = 0;
    int16_t n = 0;
    oMain.GetEngFormat(0.05, m, n);
    EXPECT_NEAR(m, 50, 1e-12);
    EXPECT_EQ(n, -3);
}

TEST_F(DisplayTest, OutOfRangeShowsErrorAndReplacesX) {
    oMain.oStack.SetAll(1e100, 2, 3, 4);
    oMain.ShowX();
    EXPECT_EQ(Display(), "Error|");
    EXPECT_TRUE(oMain.bInErr);
    EXPECT_EQ(X(), 9.999999999E+99);
    EXPECT_EQ(Y(), 2);
    oMain.oStack.SetAll(-1e100, 2, 3, 4);
    oMain.ShowX();
    EXPECT_EQ(X(), 9.999999999E+99);
    oMain.enmDispMode = 1;
    EXPECT_EQ(Shown(9.999999999E+99), "10.00|99");
    EXPECT_EQ(Shown(std::nan("")), "Error|");
    EXPECT_EQ(Shown(INFINITY), "Error|");
}

TEST_F(DisplayTest, AbsurdDigitCountsStillFormat) {
    oMain.nDigits = -5;
    EXPECT_EQ(Shown(2.7), "3.|");
    oMain.nDigits = 32767;
    std::string d, e;
    oMain.ShowXHelper(1.5, d, e);
    EXPECT_EQ(d.substr(0, 4), "1.50");
    EXPECT_EQ(e, "00");
}

TEST_F(DisplayTest, BlinkXWaitsOnTheHostClockAndFailsOnError) {
    oMain.oStack.SetAll(1.5, 0, 0, 0);
    const double t0 = oHost.fClock;
    oMain.BlinkX();
    EXPECT_EQ(oMain.lblDisp, "1.50");
    EXPECT_GE(oHost.fClock - t0, 3.0);   // four waits of up to one second each
    oMain.oStack.SetAll(1e100, 0, 0, 0);
    EXPECT_THROW(oMain.BlinkX(), CCalcError);
}

TEST_F(DisplayTest, BlinkStackRestoresTheDisplay) {
    oMain.oStack.SetAll(1, 2, 3, 4);
    oMain.lblDisp = "keep";
    oMain.lblEex = "07";
    oMain.BlinkStack();
    EXPECT_EQ(Display(), "keep|07");
}
