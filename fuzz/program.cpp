// Fuzz target: the step decoder and the run loop. Each input line is the text of one step (from
// step 1, at most 999), stored as a restored state file may store it; the program then runs from
// step 1 for at most kRunSteps steps, every question answered yes and every file dialog with one of
// a few files, in slices of 1 to 64 steps as a headless host runs it (the fast path). It fails
// when a step leaves a non-finite number on the stack, in LAST X or in a register, or the pointer
// or the return stack out of range, or when the same run stopped at some step and resumed with
// R/S ends with a machine that differs from the run straight through.
#include <algorithm>
#include <cctype>
#include <string>

#include "FuzzSupport.h"

using namespace corvel_fuzz;

namespace {

constexpr uint64_t kRunSteps = 3000;

void WriteFixtures() {
    WriteFile("data.dax", "1.5\r\n-2\r\n1E+99\r\n0\r\n7\r\n");
    WriteFile("prog.corvel", "001 LBL A\r\n002 2\r\n003 *\r\n004 RTN\r\n");
}

// Runs the input's program from step 1, stopped before its step nStopAt of
// the run (0: never) and resumed there as R/S resumes a run. bEnded: the run
// ended by itself within kRunSteps steps; nSteps: how many it ran.
struct CRun {
    CMachineSnap oMachine;
    std::string sPrgm;   // pointer, return stack, number entry
    bool bEnded = false;
    uint64_t nSteps = 0;
};

CRun RunProgram(std::string_view sInput, uint64_t nStopAt, bool bStepAfter) {
    const CWorkDir::CInput oInput;
    WriteFixtures();
    // One calculator for the process, new at first and reset after each run
    // (after, so that a run frees what it took: no leak check is set off).
    static CCalc oCalc;
    CMachine& m = oCalc.m;
    CFakeFeedback& fb = oCalc.fb;
    CPrgm& p = oCalc.p;
    for (int n = 1; n <= CPrgm::kMaxSteps && !sInput.empty(); ++n) p.SetLine(n, std::string(TakeLine(sInput)));
    p.ScanLabels();   // a program with label faults runs too, as after a restore
    m.oStack.SetAll(3, 2, 1, 0.5);
    for (int r = 0; r < 30; ++r) m.oMem.Sto(r, r * 1.5 - 7);
    m.oMem.SetIreg(5);
    // Every question answered yes, the file dialogs in turn with these files
    // (named relative to the work directory, which is the current one).
    static const char* const kNames[] = {"data.dax", "prog.corvel", "out.dax", "missing.dax"};
    fb.vYesNo.assign(64, true);
    for (int k = 0; k < 64; ++k) fb.vFiles.push_back({kNames[k % 4], kNames[k % 4]});
    uint64_t nDone = 0;
    bool bBudget = false;
    // Slices of 1 to 64 steps, as a headless host drives a run (the fast path
    // runs them where it can), cut short to stop exactly before step nStopAt.
    const auto fnDrive = [&] {
        while (p.Busy()) {
            CheckFinite(m, false);
            CheckPointers(p);
            const uint64_t n = nDone + p.nRunSteps;
            if (n >= kRunSteps) bBudget = true;
            if (n >= kRunSteps || n == nStopAt) p.RequestStop();
            uint64_t nSlice = 1 + p.nRunSteps % 64;
            if (n < kRunSteps) nSlice = std::min(nSlice, kRunSteps - n);
            if (nStopAt > n) nSlice = std::min(nSlice, nStopAt - n);
            const CSlice s = p.RunSlice(nSlice);
            if (s.eState == enmRunState::Waiting && s.fWakeAt > fb.fClock) fb.fClock = s.fWakeAt;
        }
    };
    p.Reset();
    p.Exec();
    fnDrive();
    if (nStopAt != 0 && nDone + p.nRunSteps == nStopAt && !bBudget && !m.bInErr && !p.Halted) {
        nDone += p.nRunSteps;
        p.Exec();   // R/S: the run goes on where it stopped
        fnDrive();
    }
    CRun o;
    o.nSteps = nDone + p.nRunSteps;
    o.bEnded = !bBudget;
    o.oMachine = CMachineSnap::Of(m);
    o.sPrgm = std::to_string(p.GetPrgmPointer()) + "|" + std::to_string(p.EntryActive) + std::to_string(p.ExpEntryActive) +
              "|" + m.lblDisp + "|" + m.lblEex + "|";
    for (int k = 1; k <= p.ReturnDepth(); ++k) o.sPrgm += std::to_string(p.ReturnStack()[static_cast<size_t>(k)]) + ",";
    CheckFinite(m, true);
    CheckPointers(p);
    if (bStepAfter) {   // a single step and a back step from where the run ended
        p.SST_Exec(true);
        fb.Drive(p);
        p.BST();
        fb.Drive(p);
        CheckFinite(m, true);
        CheckPointers(p);
    }
    oCalc.Reset();
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string_view sInput(reinterpret_cast<const char*>(pData), nSize);
    const CRun oStraight = RunProgram(sInput, 0, true);
    // Stopping and resuming never changes the result (random numbers excepted:
    // the generator goes on between the two runs).
    if (!oStraight.bEnded || oStraight.nSteps < 2 || nSize == 0) return 0;
    std::string sUpper(sInput);
    for (char& c : sUpper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (sUpper.find("RAN") != std::string::npos) return 0;
    const uint64_t nStopAt = 1 + pData[nSize - 1] * 7919u % (oStraight.nSteps - 1);
    const CRun oStopped = RunProgram(sInput, nStopAt, false);
    FUZZ_CHECK(oStopped.oMachine == oStraight.oMachine && oStopped.sPrgm == oStraight.sPrgm,
               "a run stopped and resumed with R/S ended elsewhere than the same run straight through");
    return 0;
}
