// The fast path against the general path: random programs (seeded) run in slices of many steps and in
// slices of one step (the general path) must leave the same machine, bit for bit, also when stopped at random
// steps or by a step out; TRACE must give the same lines and the profile the counts TRACE printed.
#include <algorithm>
#include <functional>

#include "PrgmFixture.h"
#include "common/RandomProgram.h"

namespace {

// The step loop's whole vocabulary: indirection, register arithmetic, tests, jumps, loops, missing labels
// and registers, an unknown word.
const S kWords = {
    ".", "EEX", "CHS", "ENTER", "CLX", "+", "-", "*", "/", "SQRT", "LN", "1/X", "Y^X", "X^2", "ABS", "SIN", "INT",
    "X<>Y", "LST", "RV", "R^", "RCL 1", "RCL 7", "RCL (i)", "RCL IND 3", "RCL 1000", "RCL A", "STO 1", "STO 3",
    "STO (i)", "STO+ 2", "STO- 3", "STO* 1", "STO/ 2", "RCL+ 1", "RCL- 2", "RCL* 3", "RCL/ 1", "ST", "RC", "X=0?",
    "X<>0?", "X<0?", "X>0?", "X=Y?", "X<>Y?", "X<=Y?", "X>Y?", "GTO 1", "GTO 2", "GTO 3", "GSB 4", "GSB 2", "RTN",
    "DSZ", "ISZ", "DSZ (i)", "ISZ (i)", "DSZ 3", "SPACE", "FOO", "GTO 9", "SF 1", "F? 1", "X<>I", "R/S"};

struct CSide {
    CMachine m;
    CFakeFeedback fb{m};
    CPrgm p{m, fb};

    // Runs from the pointer in slices of fnSlice() steps; R/S between two slices stops it after nStopAt steps.
    void Run(uint64_t nStopAt, const std::function<uint64_t()>& fnSlice, int nStopBelow) {
        p.Exec(nStopBelow);
        while (p.Busy()) {
            if (p.nRunSteps >= nStopAt) p.RequestStop();
            const uint64_t n = p.nRunSteps < nStopAt ? nStopAt - p.nRunSteps : 1;
            const CSlice s = p.RunSlice(std::min(n, fnSlice()));
            if (s.eState == enmRunState::Waiting && s.fWakeAt > fb.fClock) fb.fClock = s.fWakeAt;
        }
    }

    // Everything a run may change, with the display and the messages.
    std::string State() const {
        std::string s = corvel_test::Snapshot(m, p) + " " + std::to_string(p.Halted) + std::to_string(p.StopRequested) +
                        " n=" + std::to_string(p.nRunSteps) + " " + m.lblDisp + "|" + m.lblEex + "|";
        for (const std::string& t : fb.vMessages) s += t + "\n";
        return s;
    }
};

TEST(FastPathTest, RandomProgramsLeaveTheMachineAsTheGeneralPathDoes) {
    for (unsigned nSeed = 1; nSeed <= 1500; ++nSeed) {
        std::mt19937 g(nSeed);
        auto Pick = [&](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
        const std::vector<std::string> vSteps = corvel_test::RandomProgram(g, kWords);
        double aRegs[10];
        for (double& v : aRegs) v = Pick(4) == 0 ? Pick(2000) - 1000 : (Pick(200) - 100) / 8.0;
        const double fI = Pick(6) == 0 ? 1e10 : Pick(30) - 5;
        const uint64_t nStopAt = 1 + g() % 2000;
        const bool bTrace = nSeed % 2 == 0;
        const int nOut = nSeed % 5 == 0 ? 2 : 0;   // a step out of two returns
        CSide oFast, oGeneral;
        for (CSide* s : {&oFast, &oGeneral}) {
            for (size_t k = 0; k < vSteps.size(); ++k) s->p.SetLine(static_cast<int>(k + 1), vSteps[k]);
            s->p.ScanLabels();
            for (int r = 0; r < 10; ++r) s->m.oMem.Sto(r, aRegs[r]);
            s->m.oMem.StoI(fI);
            s->m.oStack.SetAll(2, 3, 0.5, -4);
            s->p.bTrace = bTrace;
            s->p.SetProfiling(nSeed % 3 != 0);
            s->p.Reset();
            for (int k = 0; k < nOut; ++k) s->p.PushReturn(3);
        }
        oFast.p.bTraceRing = true;
        oFast.Run(nStopAt, [&] { return uint64_t{1} + g() % 40; }, nOut);
        oGeneral.Run(nStopAt, [] { return uint64_t{1}; }, nOut);   // one step a slice: the general path
        ASSERT_EQ(oFast.State(), oGeneral.State()) << "seed " << nSeed;
        std::vector<uint64_t> vCounts[3]{std::vector<uint64_t>(CPrgm::kMaxSteps + 1), {}, {}};
        S vFast, vGeneral;
        for (const std::string& s : oGeneral.fb.vShown)
            if (s.rfind("trace ", 0) == 0) vGeneral.push_back(s);
        for (const std::string& s : vGeneral) ++vCounts[0][std::stoul(s.substr(6, 3))];
        for (int n = 0; n <= CPrgm::kMaxSteps; ++n)
            for (int k : {1, 2}) vCounts[k].push_back((k == 1 ? oFast : oGeneral).p.ProfileCount(n));
        ASSERT_EQ(vCounts[1], vCounts[2]) << "seed " << nSeed;
        if (bTrace && nSeed % 3 != 0) ASSERT_EQ(vCounts[0], vCounts[1]) << "seed " << nSeed;
        // The traced lines show the steps as they read when they ran.
        oFast.p.SetLine(1, "CLX");
        oFast.p.TakeTrace(CPrgm::kTraceKeep, [&](std::string&& s) { vFast.push_back("trace " + s); });
        if (vGeneral.size() > CPrgm::kTraceKeep) vGeneral.erase(vGeneral.begin(), vGeneral.end() - CPrgm::kTraceKeep);
        ASSERT_EQ(vFast, vGeneral) << "seed " << nSeed;
    }
}

} // namespace
