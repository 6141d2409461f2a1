// Fuzz target: the step decoder and the run loop. Each input line is the
// text of one step (from step 1, at most 999), stored as it stands, as a
// restored state file may store it; the program then runs from step 1 for at
// most kRunSteps steps, answering every question yes and every file dialog
// with one of a few files (a data file, a listing for MERGE, a new file, a
// missing one). It fails when a step leaves a non-finite number on the stack,
// in LAST X or in a register, or the pointer or the return stack out of range.
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

// The calculator of this process, reset for each input: the machine as a new
// one, the program memory cleared, the dialogs' answers and records empty.
struct CCalc {
    CMachine m;
    CFakeFeedback fb{m};
    CPrgm p{m, fb};
    void Reset() {
        corvel_fuzz::Reset(m);
        p.Clear();
        p.EntryActive = p.ExpEntryActive = p.StopRequested = false;
        p.nRunSteps = 0;
        p.ResetStartTime();
        fb.vYesNo.clear();
        fb.vFiles.clear();
        fb.vMessages.clear();
        fb.vShown.clear();
        fb.vSounds.clear();
        fb.vBlocks.clear();
        fb.fClock = 1.0e9;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const CWorkDir::CInput oInput;
    WriteFixtures();
    static CCalc o;
    o.Reset();
    CMachine& m = o.m;
    CFakeFeedback& fb = o.fb;
    CPrgm& p = o.p;
    std::string_view sRest(reinterpret_cast<const char*>(pData), nSize);
    for (int n = 1; n <= CPrgm::kMaxSteps && !sRest.empty(); ++n) p.SetLine(n, std::string(TakeLine(sRest)));
    p.ScanLabels();   // a program with label faults runs too, as after a restore
    m.oStack.SetAll(3, 2, 1, 0.5);
    for (int r = 0; r < 30; ++r) m.oMem.Sto(r, r * 1.5 - 7);
    m.oMem.SetIreg(5);
    Answer(fb);
    fb.fnOnYield = [&] {
        CheckFinite(m, false);
        CheckPointers(p);
        if (p.nRunSteps >= kRunSteps) p.StopRequested = true;
    };
    p.Reset();
    p.Exec();
    CheckFinite(m, true);
    CheckPointers(p);
    // A single step and a back step from where the run ended.
    bool bSST = true;
    p.SST_Exec(bSST);
    p.BST();
    CheckFinite(m, true);
    CheckPointers(p);
    return 0;
}
