// Fuzz target: the step decoder and the run loop. Each input line is the
// text of one step (from step 1, at most 999), stored as it stands, as a
// restored state file may store it; the program then runs from step 1 for at
// most kRunSteps steps, answering every question yes and every file dialog
// with one of a few files (a data file, a listing for MERGE, a new file, a
// missing one), in slices of steps as a headless host runs it (the fast
// path). It fails when a step leaves a non-finite number on the
// stack, in LAST X or in a register, or the pointer or the return stack out
// of range.
#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "common/FakeFeedback.h"

using namespace corvel_fuzz;

namespace {

constexpr uint64_t kRunSteps = 3000;

void WriteFixtures() {
    WriteFile("data.dax", "1.5\r\n-2\r\n1E+99\r\n0\r\n7\r\n");
    WriteFile("prog.corvel", "001 LBL A\r\n002 2\r\n003 *\r\n004 RTN\r\n");
}

void Answer(CFakeFeedback& fb) {
    const CWorkDir& o = CWorkDir::Get();
    for (int k = 0; k < 64; ++k) {
        fb.vYesNo.push_back(true);
        static const char* const kNames[] = {"data.dax", "prog.corvel", "out.dax", "missing.dax"};
        const char* s = kNames[k % 4];
        fb.vFiles.push_back({s, o.File(s)});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const CWorkDir::CInput oInput;
    WriteFixtures();
    CMachine m;
    CFakeFeedback fb(m);
    CPrgm p(m, fb);
    std::string_view sRest(reinterpret_cast<const char*>(pData), nSize);
    for (int n = 1; n <= CPrgm::kMaxSteps && !sRest.empty(); ++n) p.SetLine(n, std::string(TakeLine(sRest)));
    p.ScanLabels();   // a program with label faults runs too, as after a restore
    m.oStack.SetAll(3, 2, 1, 0.5);
    for (int r = 0; r < 30; ++r) m.oMem.Sto(r, r * 1.5 - 7);
    m.oMem.SetIreg(5);
    Answer(fb);
    p.Reset();
    p.Exec();
    // Slices of 1 to 64 steps up to the last step, as a headless host drives
    // a run: the fast path runs them where it can.
    while (p.Busy()) {
        CheckFinite(m, false);
        CheckPointers(p);
        if (p.nRunSteps >= kRunSteps) p.RequestStop();
        const uint64_t nLeft = p.nRunSteps < kRunSteps ? kRunSteps - p.nRunSteps : 1;
        const CSlice s = p.RunSlice(std::min<uint64_t>(nLeft, 1 + p.nRunSteps % 64));
        if (s.eState == enmRunState::Waiting && s.fWakeAt > fb.fClock) fb.fClock = s.fWakeAt;
    }
    CheckFinite(m, true);
    CheckPointers(p);
    // A single step and a back step from where the run ended.
    p.SST_Exec(true);
    fb.Drive(p);
    p.BST();
    fb.Drive(p);
    CheckFinite(m, true);
    CheckPointers(p);
    return 0;
}
