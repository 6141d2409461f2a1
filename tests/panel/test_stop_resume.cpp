// Stopping a run and going on with R/S, or single-stepping into it first,
// never changes what the program computes: seeded random programs run
// straight through and interrupted must leave the same machine, bit for bit.
#include <cmath>
#include <cstdio>
#include <random>

#include "PanelFixture.h"

namespace {

// LBL A, a body, RTN, then two subroutines; the body draws from numbers keyed
// by steps, arithmetic, registers, tests, subroutine calls and DSZ loops.
std::vector<std::string> RandomProgram(std::mt19937& g) {
    static const char* const kOps[] = {"+", "-", "*", "/", "ENTER", "X<>Y", "RV", "CHS", "LST", "STO 1",
                                       "RCL 1", "STO+ 2", "RCL* 2", "X<Y?", "X=0?", "X>0?", "SQRT", "1/X"};
    std::uniform_int_distribution<int> kind(0, 9), op(0, std::size(kOps) - 1), digit(0, 9), len(1, 3);
    std::vector<std::string> v{"LBL A"};
    auto Number = [&] {
        const int n = len(g);
        for (int i = 0; i < n; ++i) v.push_back(std::to_string(digit(g)));
        if (kind(g) < 2) v.push_back(".");
        if (kind(g) < 2) v.push_back(std::to_string(digit(g)));
        if (kind(g) == 0) v.insert(v.end(), {"EEX", std::to_string(digit(g))});
        if (kind(g) == 0) v.push_back("CHS");
    };
    const int nBody = 8 + len(g) * 4;
    for (int i = 0; i < nBody; ++i) {
        switch (kind(g)) {
        case 0: case 1: case 2: Number(); break;
        case 3: v.push_back(kind(g) < 5 ? "GSB 1" : "GSB 2"); break;
        case 4:   // a loop of I = 1..3 turns
            v.insert(v.end(), {std::to_string(len(g)), "STO I", "LBL 3", kOps[op(g)], "DSZ", "GTO 3"});
            break;
        default: v.push_back(kOps[op(g)]); break;
        }
    }
    v.insert(v.end(), {"RTN", "LBL 1"});
    Number();
    v.insert(v.end(), {"+", "RTN", "LBL 2", kOps[op(g)], "GSB 1", "RTN"});
    return v;
}

struct SRun {
    CFakeHost oHost;
    CFrontPanel o{oHost};
    explicit SRun(const std::vector<std::string>& vSteps) {
        for (size_t i = 0; i < vSteps.size(); ++i) o.Prgm().SetLine(static_cast<int>(i + 1), vSteps[i]);
        o.Prgm().ScanLabels();
        o.Machine().oStack.SetAll(2.5, -3, 7, 11);
        for (int r = 0; r < 4; ++r) o.Machine().oMem.Sto(r, r * 1.25 + 0.5);
    }
    void Press(const char* s) { o.PressKey(s); }
    // Everything a program can change, every number exactly (hexadecimal).
    std::string Machine() const {
        std::string s;
        auto Add = [&s](const char* sName, double v) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " %s=%a", sName, v);
            s += buf;
        };
        const double a[] = {o.View().oStack.GetX(), o.View().oStack.GetY(), o.View().oStack.GetZ(), o.View().oStack.GetT(), o.View().fLastX};
        for (int i = 0; i < 5; ++i) Add(std::string(1, "XYZTL"[i]).c_str(), a[i]);
        for (int r = 0; r < 1000; ++r)
            if (const double v = o.View().oMem.Rcl(r); v != 0 || std::signbit(v)) Add(("R" + std::to_string(r)).c_str(), v);
        s += " flags=";
        for (int f = 0; f < 10; ++f) s += o.View().oFlags.PeekFlag(f) ? '1' : '0';
        const CPrgm& p = o.View().oPrgm;
        s += " ptr=" + std::to_string(p.GetPrgmPointer()) + " ret=";
        for (int i = 1; i <= p.ReturnDepth(); ++i) s += std::to_string(p.ReturnStack()[static_cast<size_t>(i)]) + ",";
        s += " entry=" + std::to_string(p.EntryActive) + std::to_string(p.ExpEntryActive) +
             " err=" + std::to_string(bool(o.View().bInErr));
        if (p.EntryActive || p.ExpEntryActive) s += " keyed=" + o.View().lblDisp + "|" + o.View().lblEex;
        return s;
    }
};

constexpr uint64_t kMaxSteps = 3000;

} // namespace

TEST(StopAndResume, NeverChangesTheResult) {
    std::mt19937 g(20261207);
    int nCompared = 0, nStops = 0, nStepped = 0;
    for (int nProgram = 0; nProgram < 10000; ++nProgram) {
        const std::vector<std::string> vSteps = RandomProgram(g);
        SRun oStraight(vSteps);
        oStraight.oHost.fnOnYield = [&] {
            if (oStraight.o.Prgm().nRunSteps >= kMaxSteps) oStraight.o.RequestStop();
        };
        oStraight.Press("A");
        const uint64_t nSteps = oStraight.o.Prgm().nRunSteps;
        if (nSteps >= kMaxSteps || nSteps < 3) continue;   // endless, or nothing to interrupt
        const std::string sWant = oStraight.Machine();
        ++nCompared;

        // Stopped after random steps, each time resumed with R/S.
        SRun oStopped(vSteps);
        std::uniform_int_distribution<uint64_t> at(1, nSteps - 1);
        uint64_t nStopAt = at(g), nDone = 0;
        oStopped.oHost.fnOnYield = [&] {
            if (nDone + oStopped.o.Prgm().nRunSteps == nStopAt) oStopped.o.RequestStop();
        };
        oStopped.Press("A");
        for (int i = 0; i < 4 && nDone + oStopped.o.Prgm().nRunSteps < nSteps; ++i) {
            nDone += oStopped.o.Prgm().nRunSteps;
            nStopAt = nDone + std::uniform_int_distribution<uint64_t>(1, nSteps - nDone)(g);
            ++nStops;
            oStopped.Press("R/S");
        }
        if (nDone + oStopped.o.Prgm().nRunSteps < nSteps) {   // the last stop: on to the end
            nDone += oStopped.o.Prgm().nRunSteps;
            nStopAt = 0;
            oStopped.Press("R/S");
        }
        std::string sProg; for (auto& t : vSteps) sProg += t + "; ";
        ASSERT_EQ(oStopped.Machine(), sWant) << sProg << "stopped at step " << nStopAt << " of " << nSteps << ", program "
                                             << nProgram;

        // Single steps from label A, then R/S (an error or halt while
        // stepping ends the comparison: SST clears the error by design).
        SRun oStepped(vSteps);
        oStepped.Press("GTO");
        oStepped.Press("A");
        const uint64_t nSST = std::uniform_int_distribution<uint64_t>(1, std::min<uint64_t>(nSteps - 1, 12))(g);
        bool bClean = true;
        for (uint64_t i = 0; i < nSST && bClean; ++i) {
            oStepped.Press("SST");
            bClean = !oStepped.o.Prgm().Halted && oStepped.oHost.vMessages.empty();
        }
        if (!bClean) continue;
        oStepped.Press("R/S");
        ++nStepped;
        ASSERT_EQ(oStepped.Machine(), sWant) << nSST << " single steps, program " << nProgram;
    }
    EXPECT_GT(nCompared, 5000);
    EXPECT_GT(nStops, 5000);
    EXPECT_GT(nStepped, 2000);
}
