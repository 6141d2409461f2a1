// Display formatting of any value and the blinking helpers (what keys show: test_keyboard.cpp).
#include <cmath>

#include "PanelFixture.h"

using DisplayTest = PanelTest;

TEST_F(DisplayTest, FormatsInEveryModeAndDigitCount) {
    struct { int nMode; int16_t nDigits; double v; const char* sShown; } const kCases[] = {
        // FIX switches to SCI only for a number it cannot show.
        {0, 2, 0, "0.00|"}, {0, 2, 1e-101, "0.00|"}, {0, 2, 123.456, "123.46|"}, {0, 2, -0.5, "-0.50|"},
        {0, 2, 0.01, "0.01|"}, {0, 2, 0.009, "9.00|-03"}, {0, 2, 5, "5.00|"},
        {0, 2, 1e9, "1000000000.00|"}, {0, 2, 1234567890, "1.23|09"},
        {0, 9, 1234567, "1234567.000000000|"}, {0, 9, 12345678, "1.234567800|07"},
        {0, 0, 12.3, "12.|"}, {0, 0, 0.4, "4.|-01"}, {0, -5, 2.7, "3.|"}, {0, 0, 9.7, "10.|"},
        // The rounded mantissa of the fallback may carry to 10 while the exponent stays.
        {0, 2, 0.009999, "10.00|-03"}, {0, 9, 999999999.999, "10.000000000|08"}, {0, 9, 123456.5, "123456.500000000|"},
        // SCI: rounding carries into the mantissa, the exponent stays.
        {1, 2, 0, "0.00|00"}, {1, 2, 1e20, "1.00|20"}, {1, 2, -2.5e-7, "-2.50|-07"},
        {1, 2, 9.999e5, "10.00|05"}, {1, 2, 1.5e-100, "1.50|-100"}, {1, 2, 9.999999999E+99, "10.00|99"},
        {1, 2, std::nan(""), "Error|"}, {1, 2, INFINITY, "Error|"},
        // ENG: exponents are multiples of three.
        {2, 2, 0, "0.00|00"}, {2, 2, 12300, "12.30|03"}, {2, 2, 0.5, "500.00|-03"},
        {2, 2, 1000, "1.00|03"}, {2, 2, 999996, "1000.00|03"}, {2, 2, 0.05, "50.00|-03"},
    };
    for (const auto& c : kCases) {
        oMain.Machine().eDispMode = static_cast<enmDispMode>(c.nMode);
        oMain.Machine().nDigits = c.nDigits;
        EXPECT_EQ(Shown(c.v), c.sShown) << c.nMode << " " << c.nDigits << " " << c.v;
    }
    oMain.Machine().eDispMode = enmDispMode::FIX;
    oMain.Machine().nDigits = 32767;   // at most 99 decimals, in SCI
    EXPECT_EQ(Shown(1.5), "1.5" + std::string(98, '0') + "|00");
    EXPECT_EQ(oMain.View().eDispMode, enmDispMode::FIX);   // for that one number only
}

TEST_F(DisplayTest, BlinkingWaitsOnTheHostClockRestoresTheDisplayAndFailsOnError) {
    oMain.Machine().oStack.SetAll(1.5, 0, 0, 0);
    const double t0 = oHost.fClock;
    oMain.BlinkXKey();
    EXPECT_EQ(oMain.View().lblDisp, "1.50");
    EXPECT_GE(oHost.fClock - t0, 3.0);   // four waits of up to one second each
    oMain.Machine().lblDisp = "keep";
    oMain.Machine().lblEex = "07";
    oMain.BlinkStackKey();
    EXPECT_EQ(Display(), "keep|07");
    oMain.Machine().oStack.SetAll(1e100, 0, 0, 0);
    EXPECT_THROW(oMain.BlinkXKey(), CCalcError);
}

// The show-X step clicks once its blink is over, as a pause does: while the point is out, only A's own click
// has sounded.
TEST_F(DisplayTest, TheShowXStepClicksAfterItsBlink) {
    Keys("W/PRGM f SST A f R/S h GTO RUN 5");
    const int nBefore = oHost.CountSound(enmSound::Click);
    int nAtBlink = -1;
    oHost.fnOnRefresh = [&](enmPart e) {
        if (e == enmPart::Disp && oMain.View().lblDisp == "5 00") nAtBlink = oHost.CountSound(enmSound::Click);
    };
    Keys("A");
    oHost.fnOnRefresh = nullptr;
    const int nAfter = oHost.CountSound(enmSound::Click);
    EXPECT_EQ(std::to_string(nAtBlink - nBefore) + " " + std::to_string(nAfter - nBefore), "1 2");
}

// The print tape: X as shown (what a run prints: tape_trace.keys), and only the last 10,000 lines.
TEST_F(DisplayTest, TheTapePrintsWhatIsShownAndKeepsTheLastLines) {
    Keys("7 g DSP f R/S");
    EXPECT_EQ(Last(oMain.Tape().Lines()), "7.00 00");
    for (int i = 0; i < 10005; ++i) oMain.Tape().Print(std::to_string(i));
    EXPECT_EQ(oMain.Tape().Lines().size(), 10000u);
    EXPECT_EQ(oMain.Tape().Lines().empty() ? "" : oMain.Tape().Lines()[0], "5");
    oMain.Tape().Clear();
    oMain.Tape().Print("a");
    EXPECT_EQ(oMain.Tape().Text(), "a\r\n");
}

// What a program shows on purpose (PAUSE, the show-X and show-stack blinks) is marked as such while it shows, and the
// mark goes with a repaint before the run goes on; ordinary steps never set it.
TEST_F(DisplayTest, ARunMarksWhatItShowsOnPurposeUntilItIsOver) {
    const struct { const char* sStepKeys; bool bShows; } kCases[] = {
        {"h 1", true}, {"f R/S", true}, {"g R/S", true}, {"2 *", false}};
    for (const auto& c : kCases) {
        Keys(std::string("ON W/PRGM f SST A ") + c.sStepKeys + " 1 + h GTO RUN");
        ASSERT_FALSE(oMain.View().bInErr) << c.sStepKeys;
        // Each repaint of the display during the last run: busy, showing.
        std::string sSeen;
        oHost.fnOnRefresh = [&](enmPart e) {
            if (e == enmPart::Disp && oMain.View().bBusy) sSeen += oMain.Showing() ? 'S' : 'r';
        };
        Keys("5 A");
        oHost.fnOnRefresh = nullptr;
        // Marked, and unmarked again while the run still goes on.
        EXPECT_EQ(sSeen.find('S') != std::string::npos, c.bShows) << c.sStepKeys << " " << sSeen;
        if (c.bShows) EXPECT_NE(sSeen.find('r', sSeen.find('S')), std::string::npos) << c.sStepKeys << " " << sSeen;
        EXPECT_FALSE(oMain.Showing() || oMain.View().bBusy) << c.sStepKeys;
    }
}
