#include <cmath>
#include <random>

#include "PanelFixture.h"

using RandomKeysTest = PanelTest;

// Thousands of random keys in RUN mode never crash and never leave a NaN or
// an infinity on the stack or in a register.
TEST_F(RandomKeysTest, NeverCrashesNorLeavesNonFiniteValues) {
    static const char* const kKeys[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "EEX",
                                        "CHS", "ENTER", "CLX", "+", "-", "*", "/", "STO", "RCL", "GTO",
                                        "DSP", "(i)", "SUM+", "f", "g", "h", "A", "B", "C", "D", "E"};
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kKeys)) - 1);
    oHost.vInputs.assign(200, "5");
    for (int i = 0; i < 60000; ++i) {
        const char* k = kKeys[pick(rng)];
        oMain.PressKey(k);
        // Error displays are cleared now and then so the keys keep acting.
        if (oMain.bInErr && rng() % 4 == 0) oMain.PressKey("CLX");
        ASSERT_TRUE(std::isfinite(oMain.oStack.GetX()) && std::isfinite(oMain.oStack.GetY()) &&
                    std::isfinite(oMain.oStack.GetZ()) && std::isfinite(oMain.oStack.GetT()))
            << "after key " << i << " " << k;
        if (i % 500 == 0) {
            for (int r = 0; r <= 999; ++r) ASSERT_TRUE(std::isfinite(oMain.oMem.Rcl(r))) << r;
            ASSERT_TRUE(std::isfinite(oMain.fLastX));
        }
    }
}
