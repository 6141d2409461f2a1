// The classic instructions: number entry by program steps, X<>I and the
// frame of a step. The display instructions run from
// the keys as they do as steps: tests/panel/test_keyboard.cpp.
#include <cmath>

#include "PrgmFixture.h"

using ExecTest = PrgmTest;

TEST_F(ExecTest, NumberEntryBySteps) {
    // A keyed number reaches the stack at the next instruction; ENTER pushes
    // it once and a second ENTER duplicates X. A second EEX, or a point
    // during the exponent, pushes the number and starts a new one ("1E00", "0.").
    const struct { std::vector<std::string> vSteps; double fX, fY; const char* sDisp; bool bMant, bExp; } aCases[] = {
        {{"1", "EEX", "3", "ENTER"}, 1000, 10, nullptr, false, false},
        {{"2", "EEX", "3", "+"}, 2010, 20, nullptr, false, false},
        {{"1", "2", "ENTER", "3", "+"}, 15, 10, nullptr, false, false},
        {{"4", "EEX", "2", "CHS", "ENTER"}, 0.04, 10, nullptr, false, false},
        {{"3", "EEX", "2", "EEX"}, 300, 10, "1.| 00", false, true},
        {{"2", "EEX", "3", "."}, 2000, 10, "0.|", true, false},
        {{"EEX", "CHS", "5", "ENTER"}, 1e-5, 10, "1.|-05", false, false},
        {{"5", "CHS", "EEX", "CHS", "2", "ENTER"}, -0.05, 10, "-5|-02", false, false},
        {{"1", "ENTER", "ENTER"}, 1, 1, "1|", false, false},
        {{".", "5", "."}, 0.5, 10, "0.|", true, false},
        {{"EEX", "1", "2", "3"}, 10, 20, "1.| 23", false, true},   // the exponent keeps its last two digits
    };
    for (const auto& c : aCases) {
        SetStack(10, 20);
        Steps(c.vSteps);
        EXPECT_NEAR(X(), c.fX, 1e-15 * std::fabs(c.fX)) << c.vSteps[0] << c.vSteps[1];
        EXPECT_EQ(Y(), c.fY) << c.vSteps[0] << c.vSteps[1];
        if (c.sDisp) EXPECT_EQ(m.lblDisp + "|" + m.lblEex, c.sDisp);
        EXPECT_EQ(V({double(p.EntryActive), double(p.ExpEntryActive)}), V({double(c.bMant), double(c.bExp)}));
    }
    // Unknown steps and CLx change nothing, not even a number being keyed.
    SetStack(1, 2, 3, 4);
    Steps({"4", "FOO", "CLX", "", "2", "+"});
    EXPECT_EQ(V({X(), Y()}), V({43, 2}));   // "42" keyed across the passed-over steps, then 1 + 42
}

TEST_F(ExecTest, XExchangeIWithAnIOutOfRangeIsAnErrorThatLosesNothing) {
    m.oMem.StoI(1e100);
    SetStack(1, 2, 3, 4);
    Steps({"X<>I"});   // I cannot be pushed: an error before anything moves
    EXPECT_EQ(Stack(), V({1, 2, 3, 4}));
    EXPECT_EQ(V({m.oMem.RclI(), double(m.bInErr)}), V({1e100, 1}));
    EXPECT_EQ(LastMessage(), ErrAt("001 X<>I"));
}

// Faults and failed range tests as errors of the step that change nothing:
// ExtTest.FunctionsFollowTheResultRule. Without the frame of a running step
// the error reaches the caller, the pointer on the step.
TEST_F(ExecTest, AFaultWithoutTheFrameReachesTheCaller) {
    Load({"1/X"});
    EXPECT_THROW(p.ExecuteStep(), CCalcError);
    EXPECT_EQ(Ptr(), 1);
}
