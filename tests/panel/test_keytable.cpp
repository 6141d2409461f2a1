// Where a key's RUN-mode action differs on purpose from its recorded step (the key table says why), results differ.
#include "PanelFixture.h"

namespace {

// What differs: X, I, R1, R20 (A), pointer, return depth, seconds waited, boxes shown, statistics error, error flag.
enum class enmSeen { X, I, R1, RegA, Ptr, RetDepth, Waited, Boxes, StatErr, Err };

// The same start for the key and the step: the step at 1 with labels 2 and 3 after it, one return to step 3 waiting,
// R20 (A) = 3, a failed mean, and a question answered Yes with a file that can be neither written nor read.
struct SCalc {
    CFakeHost oHost;
    CFrontPanel o{oHost};
    SCalc(const char* sStep, double x, double y, double fI, double fR1) {
        const char* aSteps[] = {sStep, "LBL 2", "LBL 3", "R/S"};
        for (int n = 0; n < 4; ++n) o.Prgm().SetLine(n + 1, aSteps[n]);
        o.Prgm().ScanLabels();
        o.Prgm().SetPrgmPointer(1);
        o.Prgm().PushReturn(3);
        o.Machine().oStack.SetAll(x, y, 0, 0);
        o.Machine().oMem.StoI(fI);
        o.Machine().oMem.Sto(1, fR1);
        o.Machine().oMem.Sto(20, 3);
        o.Machine().oStat.MeanX();
        oHost.vYesNo = {true};
        oHost.vFiles = {CFileChoice{"x.dax", "/nonexistent-corvel-dir/x.dax"}};
    }
    double Seen(enmSeen e) {
        const double a[] = {o.Machine().oStack.GetX(), o.Machine().oMem.RclI(), o.Machine().oMem.Rcl(1), o.Machine().oMem.Rcl(20),
                            double(o.Prgm().GetPrgmPointer()), double(o.Prgm().ReturnDepth()), oHost.fClock - 1e9,
                            double(oHost.vShown.size()), double(o.Machine().oStat.IsErr()), double(bool(o.View().bInErr))};
        return a[static_cast<int>(e)];
    }
};
} // namespace

TEST(KeyTable, KeysThatDifferFromTheirStepOnPurpose) {
    const struct { const char *sKeys, *sStep; double x, y, fI, fR1; enmSeen eSeen; double fByKeys, fByStep; } aCases[] = {
        {"f 0", "%", 3, 7, 0, 0, enmSeen::X, 0.21000000000000002, 0.20999999999999999},   // (y / 100) x x
        {"STO (i)", "STO (i)", 7, 0, -0.5, 0, enmSeen::R1, 7, 0},                // R(|floor(I)|) against nearest(I)
        {"GTO (i)", "GTO (i)", 0, 0, 2.7, 0, enmSeen::Ptr, 3, 2},                // nearest(I) against its integer part
        {"STO + A", "STO+ A", 5, 0, 0, 0, enmSeen::RegA, 3, 8},                  // letter forms do nothing
        {"RCL + A", "RCL+ A", 5, 0, 0, 0, enmSeen::X, 5, 8},
        {"RCL + (i)", "RCL+ (i)", 9e99, 0, 1, 9e99, enmSeen::X, 9.999999999e99, 9e99},   // no range test
        {"h 7", "X<>Y", 2, 1e100, 0, 0, enmSeen::X, 2, 1e100},                  // a Y out of range refused
        {"f STO", "DSZ", 0, 0, 1, 0, enmSeen::Ptr, 1, 3},                        // the counters never skip
        {"g STO", "DSZ (i)", 0, 0, 1, 1, enmSeen::Ptr, 1, 3},
        {"f RCL", "ISZ", 0, 0, -1, 0, enmSeen::Ptr, 1, 3},
        {"g RCL", "ISZ (i)", 0, 0, 1, -1, enmSeen::Ptr, 1, 3},
        {"h 1", "PAUSE", 0, 0, 0, 0, enmSeen::Waited, 0, 3},                     // no wait
        {"h GTO", "RTN", 0, 0, 0, 0, enmSeen::Ptr, 1, 3},                        // back to step 1
        {"f GTO 2", "GSB 2", 0, 0, 0, 0, enmSeen::RetDepth, 0, 2},               // a fresh start: no
        {"f GTO (i)", "GSB (i)", 0, 0, 2, 0, enmSeen::RetDepth, 0, 2},           // returns left over
        {"h * 5", "F? 5", 0, 0, 0, 0, enmSeen::Ptr, 1, 3},                       // a message, no skip
        {"f ENTER", "W/DATA", 0, 0, 0, 0, enmSeen::Err, 0, 1},                   // card functions: a failed file
        {"g ENTER", "MERGE", 0, 0, 0, 0, enmSeen::Err, 0, 1},                    // is a message, not an error
        {"f EEX", "CLREG", 0, 0, 0, 0, enmSeen::StatErr, 0, 1},                  // the statistics reset too
        // (%CH's opposite sign, and the tests on + - * / that act only in programs: keyboard rows.)
    };
    for (const auto& c : aCases) {
        SCalc oKeys(c.sStep, c.x, c.y, c.fI, c.fR1), oStep(c.sStep, c.x, c.y, c.fI, c.fR1);
        std::istringstream is(c.sKeys);
        for (std::string k; is >> k;) oKeys.o.PressKey(k);
        oStep.o.Prgm().SST_Exec(false);
        oStep.oHost.ScheduleRun(oStep.o);
        EXPECT_EQ(std::pair(oKeys.Seen(c.eSeen), oStep.Seen(c.eSeen)), std::pair(c.fByKeys, c.fByStep)) << c.sKeys;
    }
}
