// Stopping a run and going on with R/S, or single-stepping into it first, never changes what the program computes:
// seeded random programs run straight through and interrupted must leave the same machine, bit for bit.
#include "PanelFixture.h"
#include "common/RandomProgram.h"

namespace {

struct SRun {
    CFakeHost oHost;
    CFrontPanel o{oHost};
    explicit SRun(const std::vector<std::string>& vSteps) {
        for (size_t i = 0; i < vSteps.size(); ++i) o.Prgm().SetLine(static_cast<int>(i + 1), vSteps[i]);
        o.Prgm().ScanLabels();
        o.Machine().oStack.SetAll(2.5, -3, 7, 11);
        for (int r = 0; r < 4; ++r) o.Machine().oMem.Sto(r, r * 1.25 + 0.5);
    }
    std::string Machine() { return corvel_test::Snapshot(o.Machine(), o.Prgm()); }
};

constexpr uint64_t kMaxSteps = 3000;

} // namespace

TEST(StopAndResume, NeverChangesTheResult) {
    std::mt19937 g(20261207);
    int nCompared = 0, nStops = 0, nStepped = 0;
    for (int nProgram = 0; nProgram < 10000; ++nProgram) {
        const std::vector<std::string> vSteps = corvel_test::RandomProgram(g);
        SRun oStraight(vSteps);
        oStraight.oHost.fnOnYield = [&] {
            if (oStraight.o.Prgm().nRunSteps >= kMaxSteps) oStraight.o.RequestStop();
        };
        oStraight.o.PressKey("A");
        const uint64_t nSteps = oStraight.o.Prgm().nRunSteps;
        if (nSteps >= kMaxSteps || nSteps < 3) continue;   // endless, or nothing to interrupt
        const std::string sWant = oStraight.Machine();
        ++nCompared;

        // Stopped after random steps, each time resumed with R/S.
        SRun oStopped(vSteps);
        uint64_t nStopAt = std::uniform_int_distribution<uint64_t>(1, nSteps - 1)(g), nDone = 0;
        oStopped.oHost.fnOnYield = [&] {
            if (nDone + oStopped.o.Prgm().nRunSteps == nStopAt) oStopped.o.RequestStop();
        };
        oStopped.o.PressKey("A");
        for (int i = 0; i < 5 && nDone + oStopped.o.Prgm().nRunSteps < nSteps; ++i) {   // the fifth: on to the end
            nDone += oStopped.o.Prgm().nRunSteps;
            nStopAt = i < 4 ? nDone + std::uniform_int_distribution<uint64_t>(1, nSteps - nDone)(g) : 0;
            nStops += i < 4;
            oStopped.o.PressKey("R/S");
        }
        ASSERT_EQ(oStopped.Machine(), sWant)
            << testing::PrintToString(vSteps) << " stopped at step " << nStopAt << " of " << nSteps << ", program " << nProgram;

        // Single steps from label A, then R/S (an error or halt while stepping ends it: SST clears errors by design).
        SRun oStepped(vSteps);
        for (const char* k : {"GTO", "A"}) oStepped.o.PressKey(k);
        const uint64_t nSST = std::uniform_int_distribution<uint64_t>(1, std::min<uint64_t>(nSteps - 1, 12))(g);
        bool bClean = true;
        for (uint64_t i = 0; i < nSST && bClean; ++i) {
            oStepped.o.PressKey("SST");
            bClean = !oStepped.o.Prgm().Halted && oStepped.oHost.vMessages.empty();
        }
        if (!bClean) continue;
        oStepped.o.PressKey("R/S");
        ++nStepped;
        ASSERT_EQ(oStepped.Machine(), sWant) << nSST << " single steps, program " << nProgram;
    }
    EXPECT_GT(nCompared, 5000);
    EXPECT_GT(nStops, 5000);
    EXPECT_GT(nStepped, 2000);
}
