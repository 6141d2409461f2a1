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
//
// Usage: corvelxmem-bench [ITERATIONS] [QUEENS-LISTING]
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
#include <memory>
#include <string>
#include <vector>

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
    oMain.oPrgm.Clear();
    for (int i = 0; i < 8; ++i) oMain.oPrgm.SetLine(i + 1, kSteps[i]);
    oMain.oPrgm.ScanLabels();
    oMain.oMem.Sto(1, 1.000001);
    oMain.oMem.Sto(2, 0.999999);
    oMain.oMem.Sto(3, 0);
    oMain.oMem.StoI(fIterations);
}

struct CResult {
    double fSteps = 0;
    double fSeconds = 0;
    double Rate() const { return fSteps / fSeconds; }
};

CResult RunLoop(CFrontPanel& oMain, double fIterations) {
    LoadLoop(oMain, fIterations);
    oMain.oPrgm.SetPrgmPointer(1);
    const auto t0 = Clock::now();
    RunToEnd(oMain);
    CResult r;
    r.fSeconds = SecondsSince(t0);
    r.fSteps = static_cast<double>(oMain.oPrgm.nRunSteps);
    if (oMain.bInErr) std::fprintf(stderr, "the benchmark program stopped on an error\n");
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
double StopLatencyMs(CQtHost& oHost, enmBeside eBeside = enmBeside::Nothing) {
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    OpenBeside(oWindow, eBeside);
    QCoreApplication::processEvents();
    LoadLoop(oMain, 2e9);   // far more than the run lasts
    oMain.oPrgm.SetPrgmPointer(1);
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
        oMain.oPrgm.SetPrgmPointer(oMain.oPrgm.FindLabel("A"));
        const auto t0 = Clock::now();
        RunToEnd(oMain);
        vSeconds.push_back(SecondsSince(t0));
        q.fSteps = static_cast<double>(oMain.oPrgm.nRunSteps);
        q.fResult = oMain.oStack.GetX();
    }
    const double fSeconds = Median(vSeconds);
    q.fMicroseconds = fSeconds * 1e6;
    q.fNsPerStep = fSeconds * 1e9 / q.fSteps;
    return q;
}

} // namespace

int main(int argc, char* argv[]) {
    double fIterations = 1e6;
    if (argc > 1) fIterations = std::atof(argv[1]);
    if (!(fIterations >= 1 && fIterations <= 1e9)) {
        std::fprintf(stderr, "usage: corvelxmem-bench [ITERATIONS 1..1e9] [QUEENS-LISTING]\n");
        return 2;
    }
    const std::string sQueens = argc > 2 ? argv[2] : std::string(CORVEL_SOURCE_DIR) + "/examples/queens8.corvel";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication oApp(argc, argv);

    CNullHost oNull;
    CFrontPanel oHeadless(oNull);
    if (!oHeadless.oPrgm.ReadProgram(sQueens)) {
        std::fprintf(stderr, "corvelxmem-bench: cannot read the listing %s\n", sQueens.c_str());
        return 2;
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
    oHeadless.oPrgm.bTrace = true;
    const CResult j = MedianRun(oHeadless, fIterations, 5);
    oHeadless.oPrgm.bTrace = false;
    const double fTraceLatency = StopLatencyMs(oQt, enmBeside::TapeTrace);

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
    std::printf("medians of 15 (a, c), 7 (b), 5 (f-i, taking turns; j) and 301 (e) runs\n");
    return 0;
}
