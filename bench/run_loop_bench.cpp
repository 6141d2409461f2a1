// Measures how fast programs run:
//  (a) a DSZ loop of register recalls, a multiplication and a register
//      addition, headless through the core;
//  (b) the same through the Qt host with the window shown and real event
//      processing;
//  (c) the same arithmetic as a plain C++ loop;
//  (d) the same through a naive Qt host that visits the event loop four
//      times on every step;
//  (e) the eight queens search of examples/queens8.corvel, headless, in
//      nanoseconds per step;
//  (f)-(i) the loop in the shown window: as it is, with the program view
//      open, with the tape window open and TRACE off, and with TRACE on,
//      the four run in turn so that a load on the machine hits them alike.
// Each figure is the median of many repeats. Also measures how soon R/S
// stops a running loop in the window, without and with TRACE.
// Then, in rounds that take turns so that a load on the machine hits them
// alike: the eight queens listing, the DSZ loop, the Savage loop of
// functions, the DSZ loop with TRACE on and off (headless, in ns per step),
// the batch front-end started 200 times against /bin/true, and the same
// eight queens search as a Python function under python3 (bench/queens8.py).
// --core measures only these rounds. The calculator's own figures in them are
// in processor time of the thread, the start-up and Python in wall clock.
//
// Usage: corvelxmem-bench [--core] [ITERATIONS] [QUEENS-LISTING]
#include "../windows/CPanelWindow.h"
#include "../windows/CProgramView.h"
#include "../windows/CQtHost.h"
#include "../windows/CTapeWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvel;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A host with nothing behind it: the core alone.
class CNullHost : public CHost {
public:
    void PlaySound(enmSound) override {}
    double ClockSeconds() override { return fClock_; }
    // Drives the run at once; a timed display moves the clock to its end.
    void ScheduleRun(CFrontPanel& o) override {
        while (o.Busy()) {
            const CSlice s = o.RunSlice(uint64_t{1} << 24);
            if (s.eState == enmRunState::Waiting) fClock_ = s.fWakeAt;
        }
    }
    void Refresh(enmPart) override {}
    bool AskYesNo(const std::string&, const std::string&, enmIcon) override { return false; }
    void ShowNotice(const std::string&, const std::string&, enmIcon) override {}
    void ShowMsg(const std::string&, const std::string&) override {}
    bool InputBox(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
    bool ChooseFile(const std::string&, enmFileUse, CFileChoice&) override { return false; }
    void ShowEditor(const std::string&, const std::function<bool(const std::string&)>&) override {}
    void ShowRegisters(const std::vector<std::string>&) override {}
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>&) override {}
    void ShowAbout() override {}
    void ExitProgram() override {}

private:
    double fClock_ = 0;
};

// Starts the run and lets the host drive it to its end (a window host
// drives it from the event loop).
void RunToEnd(CFrontPanel& oMain) {
    oMain.RunProgram();
    while (oMain.Busy()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// LBL A, RCL 1, RCL 2, *, STO+ 3, DSZ, GTO A, RTN with I = iterations.
void LoadLoop(CFrontPanel& oMain, double fIterations) {
    static const char* const kSteps[] = {"LBL A", "RCL 1", "RCL 2", "*", "STO+ 3", "DSZ", "GTO A", "RTN"};
    oMain.Prgm().Clear();
    for (int i = 0; i < 8; ++i) oMain.Prgm().SetLine(i + 1, kSteps[i]);
    oMain.Prgm().ScanLabels();
    oMain.Machine().oMem.Sto(1, 1.000001);
    oMain.Machine().oMem.Sto(2, 0.999999);
    oMain.Machine().oMem.Sto(3, 0);
    oMain.Machine().oMem.StoI(fIterations);
}

struct CResult {
    double fSteps = 0;
    double fSeconds = 0;
    double Rate() const { return fSteps / fSeconds; }
};

CResult RunLoop(CFrontPanel& oMain, double fIterations) {
    LoadLoop(oMain, fIterations);
    oMain.Prgm().SetPrgmPointer(1);
    const auto t0 = Clock::now();
    RunToEnd(oMain);
    CResult r;
    r.fSeconds = SecondsSince(t0);
    r.fSteps = static_cast<double>(oMain.Prgm().nRunSteps);
    if (oMain.View().bInErr) std::fprintf(stderr, "the benchmark program stopped on an error\n");
    return r;
}

// The median rate of nRepeats runs.
CResult MedianRun(CFrontPanel& oMain, double fIterations, int nRepeats) {
    std::vector<double> vSeconds;
    CResult r;
    for (int i = 0; i < nRepeats; ++i) {
        r = RunLoop(oMain, fIterations);
        vSeconds.push_back(r.fSeconds);
    }
    r.fSeconds = Median(vSeconds);
    return r;
}

CResult RunInWindow(CQtHost& oHost, double fIterations, int nRepeats) {
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    QCoreApplication::processEvents();
    const CResult r = MedianRun(oMain, fIterations, nRepeats);
    oHost.SetPanel(nullptr);
    return r;
}

// The loop in a shown window with what is open beside it.
enum class enmBeside { Nothing, ProgramView, Tape, TapeTrace };

struct CWindowCase {
    enmBeside eBeside;
    std::unique_ptr<CFrontPanel> pMain;
    std::unique_ptr<CPanelWindow> pWindow;
    std::vector<double> vNsPerStep;
    double fSeconds = 0;
    long nViewLooks = 0;
};

void OpenBeside(CPanelWindow& oWindow, enmBeside eBeside) {
    if (eBeside == enmBeside::ProgramView) oWindow.ToggleProgramView();
    if (eBeside == enmBeside::Tape || eBeside == enmBeside::TapeTrace) oWindow.ToggleTape();
    if (eBeside == enmBeside::TapeTrace) oWindow.TapeWindow()->chkTrace->setChecked(true);
}

// Each case has its calculator and window; the runs take turns. A run of
// TRACE on takes a tenth of the loop (its steps are slower, and many).
std::vector<CWindowCase> RunWindowCases(CQtHost& oHost, double fIterations, int nRepeats) {
    std::vector<CWindowCase> v;
    for (enmBeside e : {enmBeside::Nothing, enmBeside::ProgramView, enmBeside::Tape, enmBeside::TapeTrace}) {
        CWindowCase o{e, std::make_unique<CFrontPanel>(oHost), nullptr, {}};
        o.pWindow = std::make_unique<CPanelWindow>(*o.pMain);
        o.pWindow->show();
        OpenBeside(*o.pWindow, e);
        v.push_back(std::move(o));
    }
    QCoreApplication::processEvents();
    for (int i = 0; i < nRepeats; ++i)
        for (CWindowCase& o : v) {
            oHost.SetPanel(o.pWindow.get());
            const long nLooks = o.pWindow->ProgramView() ? o.pWindow->ProgramView()->Refreshes() : 0;
            const CResult r =
                RunLoop(*o.pMain, o.eBeside == enmBeside::TapeTrace ? std::max(1.0, std::floor(fIterations / 10)) : fIterations);
            o.vNsPerStep.push_back(r.fSeconds * 1e9 / r.fSteps);
            o.fSeconds += r.fSeconds;
            if (o.pWindow->ProgramView()) o.nViewLooks += o.pWindow->ProgramView()->Refreshes() - nLooks;
            // What the windows would do between two runs, a user's pause.
            QCoreApplication::processEvents();
        }
    oHost.SetPanel(nullptr);
    return v;
}

// Starts an endless loop, "clicks" R/S at a known moment through the event
// queue and returns how long after that moment the run ended, in ms.
// sShows: "" the DSZ loop; otherwise a loop around that one step ("-X-",
// "PAUSE"), so the click comes while the display shows something.
double StopLatencyMs(CQtHost& oHost, enmBeside eBeside = enmBeside::Nothing, const char* sShows = "") {
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    OpenBeside(oWindow, eBeside);
    QCoreApplication::processEvents();
    LoadLoop(oMain, 2e9);   // far more than the run lasts
    if (*sShows) {
        oMain.Prgm().SetLine(2, sShows);
        oMain.Prgm().SetLine(3, "GTO A");
        oMain.Prgm().ScanLabels();
    }
    oMain.Prgm().SetPrgmPointer(1);
    QTimer::singleShot(300, [&] { oMain.imgRunStop_Click(); });
    const auto tStart = Clock::now();
    RunToEnd(oMain);
    const auto tEnd = Clock::now();
    oHost.SetPanel(nullptr);
    // The click was due 300 ms after the start; the latency counts from then.
    const auto tDue = tStart + std::chrono::milliseconds(300);
    return std::chrono::duration<double, std::milli>(tEnd - tDue).count();
}

CResult PlainLoop(double fIterations, double fStepsPerIteration, int nRepeats) {
    std::vector<double> vSeconds;
    CResult r;
    for (int i = 0; i < nRepeats; ++i) {
        volatile double r1 = 1.000001, r2 = 0.999999;
        double r3 = 0, fI = fIterations;
        const auto t0 = Clock::now();
        for (;;) {
            r3 += r1 * r2;
            fI -= 1;
            if (std::trunc(fI) == 0) break;
        }
        vSeconds.push_back(SecondsSince(t0));
        volatile double fSink = r3;
        (void)fSink;
    }
    r.fSeconds = Median(vSeconds);
    r.fSteps = fIterations * fStepsPerIteration;
    return r;
}

struct CQueens {
    double fNsPerStep = 0;
    double fSteps = 0;
    double fMicroseconds = 0;
    double fResult = 0;
};

CQueens RunQueens(CFrontPanel& oMain, int nRepeats) {
    std::vector<double> vSeconds;
    CQueens q;
    for (int i = 0; i < nRepeats; ++i) {
        oMain.Prgm().SetPrgmPointer(oMain.Prgm().FindLabel("A"));
        const auto t0 = Clock::now();
        RunToEnd(oMain);
        vSeconds.push_back(SecondsSince(t0));
        q.fSteps = static_cast<double>(oMain.Prgm().nRunSteps);
        q.fResult = oMain.Machine().oStack.GetX();
    }
    const double fSeconds = Median(vSeconds);
    q.fMicroseconds = fSeconds * 1e6;
    q.fNsPerStep = fSeconds * 1e9 / q.fSteps;
    return q;
}

// The Savage loop: A = tan(atan(exp(ln(sqrt(A*A))))) + 1, 2499 times, in radians.
void LoadSavage(CFrontPanel& oMain) {
    static const char* const kSteps[] = {"LBL B", "RAD", "1", "STO 1", "LBL 5", "RCL 1", "X^2", "SQRT", "LN",
                                         "E^X", "ARCTAN", "TAN", "1", "+", "STO 1", "DSZ", "GTO 5", "RCL 1", "RTN"};
    oMain.Prgm().Clear();
    for (int i = 0; i < 19; ++i) oMain.Prgm().SetLine(i + 1, kSteps[i]);
    oMain.Prgm().ScanLabels();
    oMain.Machine().oMem.StoI(2499);
}

// Seconds to start a program nTimes in a row with posix_spawn and wait for
// each (its output goes to /dev/null).
double SpawnSeconds(const std::vector<std::string>& vArgs, int nTimes) {
    std::vector<char*> vArgv;
    for (const std::string& s : vArgs) vArgv.push_back(const_cast<char*>(s.c_str()));
    vArgv.push_back(nullptr);
    posix_spawn_file_actions_t oActions;
    posix_spawn_file_actions_init(&oActions);
    posix_spawn_file_actions_addopen(&oActions, 1, "/dev/null", O_WRONLY, 0);
    const auto t0 = Clock::now();
    for (int i = 0; i < nTimes; ++i) {
        pid_t pid = 0;
        if (posix_spawn(&pid, vArgv[0], &oActions, nullptr, vArgv.data(), environ) != 0) {
            std::fprintf(stderr, "corvelxmem-bench: cannot start %s\n", vArgv[0]);
            std::exit(2);
        }
        int nStatus = 0;
        waitpid(pid, &nStatus, 0);
    }
    const double f = SecondsSince(t0);
    posix_spawn_file_actions_destroy(&oActions);
    return f;
}

// One call of bench/queens8.py's function under python3 (the median of its own runs), in seconds.
double PythonQueensSeconds(const std::string& sScript) {
    const std::string sCmd = "python3 '" + sScript + "' 40";
    FILE* p = popen(sCmd.c_str(), "r");
    double fCount = 0, fSeconds = 0;
    const bool bOk = p != nullptr && std::fscanf(p, "%lf %lf", &fCount, &fSeconds) == 2 && fCount == 876;
    if (p != nullptr) pclose(p);
    return bOk ? fSeconds : 0.0;
}

// The processor time of this thread in seconds: on a shared machine a run's
// figure does not grow by the time other processes had the processor.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The median processor time per step of nRepeats runs of a loaded program from step nStart.
double CpuNsPerStep(CFrontPanel& oMain, int nStart, int nRepeats, const std::function<void()>& fnBefore = {}) {
    std::vector<double> v;
    for (int k = 0; k < nRepeats; ++k) {
        if (fnBefore) fnBefore();
        oMain.Prgm().SetPrgmPointer(nStart);
        const double t0 = ThreadSeconds();
        oMain.RunProgram();
        v.push_back((ThreadSeconds() - t0) * 1e9 / static_cast<double>(oMain.Prgm().nRunSteps));
    }
    return Median(v);
}

// The rounds of the core figures, taking turns.
void CoreRounds(CHost& oHost, const std::string& sQueens, const std::string& sBatch, int nRounds) {
    CFrontPanel oMain(oHost);   // the eight queens listing
    CFrontPanel oLoop(oHost);
    CFrontPanel oSavage(oHost);
    oMain.Prgm().ReadProgram(sQueens);
    LoadSavage(oSavage);
    const double fTraceIterations = 1e5;
    std::vector<double> vQueens, vLoop, vSavage, vTraceOff, vTraceOn, vBatch, vTrue, vRatio, vPython;
    std::vector<double> vQueensProfile, vLoopProfile;
    double fQueensSteps = 0, fSavageX = 0;
    const std::string sScript = std::string(CORVEL_SOURCE_DIR) + "/bench/queens8.py";
    const int nQueensAt = oMain.Prgm().FindLabel("A");
    for (int i = 0; i < nRounds; ++i) {
        vQueens.push_back(CpuNsPerStep(oMain, nQueensAt, 21));
        fQueensSteps = static_cast<double>(oMain.Prgm().nRunSteps);
        vLoop.push_back(CpuNsPerStep(oLoop, 1, 3, [&] { LoadLoop(oLoop, 1e6); }));
        // The same two with the run profile counting.
        oMain.SetProfiling(true);
        vQueensProfile.push_back(CpuNsPerStep(oMain, nQueensAt, 21));
        oMain.SetProfiling(false);
        vLoopProfile.push_back(CpuNsPerStep(oLoop, 1, 3, [&] {
            LoadLoop(oLoop, 1e6);
            oLoop.SetProfiling(true);
        }));
        oLoop.SetProfiling(false);
        vSavage.push_back(CpuNsPerStep(oSavage, 1, 5, [&] { LoadSavage(oSavage); }));
        fSavageX = oSavage.Machine().oStack.GetX();
        vTraceOff.push_back(CpuNsPerStep(oLoop, 1, 3, [&] { LoadLoop(oLoop, fTraceIterations); }));
        oLoop.Prgm().bTrace = true;
        vTraceOn.push_back(CpuNsPerStep(oLoop, 1, 3, [&] { LoadLoop(oLoop, fTraceIterations); }));
        oLoop.Prgm().bTrace = false;
        oLoop.Tape().Clear();
        const double fBatch = SpawnSeconds({sBatch, "2", "ENTER", "3", "+"}, 200);
        const double fTrue = SpawnSeconds({"/bin/true"}, 200);
        vBatch.push_back(fBatch / 200 * 1e6);
        vTrue.push_back(fTrue / 200 * 1e6);
        vRatio.push_back(fBatch / fTrue);
        const double fPython = PythonQueensSeconds(sScript);
        if (fPython > 0) vPython.push_back(fPython);
    }
    const double fQueens = Median(vQueens);
    std::printf("core rounds (%d, taking turns), headless, medians; the calculator's figures in processor time:\n",
                nRounds);
    std::printf("  eight queens (examples/queens8.corvel, %.0f steps)  %6.2f ns/step  (%.0f us a run)\n",
                fQueensSteps, fQueens, fQueens * fQueensSteps / 1e3);
    std::printf("  DSZ loop                                      %6.2f ns/step  (%.0f million steps/s)\n",
                Median(vLoop), 1e3 / Median(vLoop));
    std::printf("  eight queens, profile on                      %6.2f ns/step  (%.2f times off)\n",
                Median(vQueensProfile), Median(vQueensProfile) / fQueens);
    std::printf("  DSZ loop, profile on                          %6.2f ns/step  (%.2f times off)\n",
                Median(vLoopProfile), Median(vLoopProfile) / Median(vLoop));
    std::printf("  Savage loop (2499 times, A = %.6f)      %6.2f ns/step\n", fSavageX, Median(vSavage));
    std::printf("  DSZ loop, TRACE off                           %6.2f ns/step\n", Median(vTraceOff));
    std::printf("  DSZ loop, TRACE on                            %6.2f ns/step  (%.2f times TRACE off)\n",
                Median(vTraceOn), Median(vTraceOn) / Median(vTraceOff));
    std::printf("  start-up: corvelxmem-batch 2 ENTER 3 +  %7.0f us; /bin/true %7.0f us  (%.2f times; "
                "200 starts in a row with posix_spawn)\n",
                Median(vBatch), Median(vTrue), Median(vRatio));
    if (vPython.empty()) {
        std::printf("  python3 bench/queens8.py: could not run it\n");
    } else {
        const double fPy = Median(vPython) * 1e6;
        std::printf("  python3 bench/queens8.py                      %6.0f us a run; the calculator takes %.2f "
                    "times its time\n",
                    fPy, fQueens * fQueensSteps / 1e3 / fPy);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    bool bCore = false;
    std::vector<char*> vArgs(argv, argv + argc);
    if (vArgs.size() > 1 && std::string(vArgs[1]) == "--core") {
        bCore = true;
        vArgs.erase(vArgs.begin() + 1);
    }
    argc = static_cast<int>(vArgs.size());
    argv = vArgs.data();
    double fIterations = 1e6;
    if (argc > 1) fIterations = std::atof(argv[1]);
    if (!(fIterations >= 1 && fIterations <= 1e9)) {
        std::fprintf(stderr, "usage: corvelxmem-bench [--core] [ITERATIONS 1..1e9] [QUEENS-LISTING]\n");
        return 2;
    }
    const std::string sQueens = argc > 2 ? argv[2] : std::string(CORVEL_SOURCE_DIR) + "/examples/queens8.corvel";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication oApp(argc, argv);

    CNullHost oNull;
    CFrontPanel oHeadless(oNull);
    if (!oHeadless.Prgm().ReadProgram(sQueens)) {
        std::fprintf(stderr, "corvelxmem-bench: cannot read the listing %s\n", sQueens.c_str());
        return 2;
    }
    const char* pBatch = std::getenv("CORVEL_BENCH_BATCH");
    const std::string sBatch = pBatch != nullptr ? pBatch : CORVEL_BATCH_PATH;
    if (bCore) {
        CoreRounds(oNull, sQueens, sBatch, 15);
        return 0;
    }
    const CQueens e = RunQueens(oHeadless, 301);
    const CResult a = MedianRun(oHeadless, fIterations, 15);
    const double fStepsPerIteration = a.fSteps / fIterations;
    const CResult c = PlainLoop(fIterations, fStepsPerIteration, 15);
    CQtHost oQt;
    const CResult b = RunInWindow(oQt, fIterations, 7);
    const double fLatency = StopLatencyMs(oQt);
    // Runs of a second or so, long enough for the windows' timers to act in them.
    const std::vector<CWindowCase> vWindow = RunWindowCases(oQt, fIterations * 10, 5);
    oHeadless.Prgm().bTrace = true;
    const CResult j = MedianRun(oHeadless, fIterations, 5);
    oHeadless.Prgm().bTrace = false;
    const double fTraceLatency = StopLatencyMs(oQt, enmBeside::TapeTrace);
    const double fBlinkLatency = StopLatencyMs(oQt, enmBeside::Nothing, "-X-");
    const double fPauseLatency = StopLatencyMs(oQt, enmBeside::Nothing, "PAUSE");

    std::printf("program: LBL A, RCL 1, RCL 2, *, STO+ 3, DSZ, GTO A (%.0f iterations, %.0f steps)\n",
                fIterations, a.fSteps);
    std::printf("(a) headless core          %12.0f steps/s  (%.3f s)\n", a.Rate(), a.fSeconds);
    std::printf("(b) Qt host, window shown  %12.0f steps/s  (%.3f s)\n", b.Rate(), b.fSeconds);
    std::printf("(c) plain C++ loop         %12.0f steps/s  (%.3f s, same arithmetic)\n", c.Rate(), c.fSeconds);
    std::printf("(e) eight queens, headless %12.1f ns/step  (%.0f steps in %.0f us, %.0f positions tried)\n",
                e.fNsPerStep, e.fSteps, e.fMicroseconds, e.fResult);
    std::printf("a/c = %.4f   b/a = %.3f\n", a.Rate() / c.Rate(), b.Rate() / a.Rate());
    static const char* const kCase[] = {"(f) window as it is         ", "(g) program view open       ",
                                        "(h) tape window, TRACE off  ", "(i) tape window, TRACE on   "};
    const double fBase = Median(vWindow[0].vNsPerStep);
    for (size_t i = 0; i < vWindow.size(); ++i) {
        const CWindowCase& o = vWindow[i];
        const double f = Median(o.vNsPerStep);
        std::printf("%s %8.1f ns/step", kCase[i], f);
        if (i > 0) std::printf("  (%+.1f%% against f)", (f / fBase - 1) * 100);
        if (o.eBeside == enmBeside::ProgramView)
            std::printf("  (the view looked %.1f times a second)", o.nViewLooks / o.fSeconds);
        std::printf("\n");
    }
    std::printf("(j) headless, TRACE on      %8.1f ns/step  (the core's own cost of the tape)\n",
                j.fSeconds * 1e9 / j.fSteps);
    std::printf("R/S stopped the running loop %.1f ms after the click (%.1f ms with TRACE on and the tape open)\n",
                fLatency, fTraceLatency);
    std::printf("R/S stopped a loop of -X- %.1f ms after the click, a loop of PAUSE %.1f ms after it\n", fBlinkLatency,
                fPauseLatency);
    std::printf("medians of 15 (a, c), 7 (b), 5 (f-i, taking turns; j) and 301 (e) runs\n");
    CoreRounds(oNull, sQueens, sBatch, 15);
    return 0;
}
