// Measures how fast programs run: a DSZ loop of arithmetic and register
// arithmetic, run (a) headless through the core, (b) through the Qt host with
// the window shown and real event processing, (c) as the same arithmetic in
// plain C++, and (d) through a Qt host that visits the event loop on every
// yield, four times per step. Also measures how soon R/S stops a running loop.
//
// Usage: corvelxmem-bench [ITERATIONS]   (default 1000000)
#include "../windows/CPanelWindow.h"
#include "../windows/CQtHost.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace corvel;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// A host with nothing behind it: the core alone.
class CNullHost : public CHost {
public:
    void PlaySound(enmSound) override {}
    double ClockSeconds() override { return 0; }
    void IdleUntil(double, bool) override {}
    void ProcessEvents() override {}
    void Refresh(enmPart) override {}
    bool AskYesNo(const std::string&, const std::string&, enmIcon) override { return false; }
    void ShowNotice(const std::string&, const std::string&, enmIcon) override {}
    void ShowMsg(const std::string&, const std::string&) override {}
    bool InputBox(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
    bool ChooseFile(const std::string&, CFileChoice&) override { return false; }
    void ShowRegisters(const std::vector<std::string>&) override {}
    void ShowMemBlock(const std::function<std::vector<std::string>(bool)>&) override {}
    void ShowAbout() override {}
    void ExitProgram() override {}
};

// The naive design: every yield of the run loop visits the event loop.
class CNaiveQtHost : public CQtHost {
public:
    void ProcessEvents() override { QCoreApplication::processEvents(); }
};

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
    oMain.RunProgram();
    CResult r;
    r.fSeconds = SecondsSince(t0);
    r.fSteps = static_cast<double>(oMain.oPrgm.nRunSteps);
    if (oMain.bInErr) std::fprintf(stderr, "the benchmark program stopped on an error\n");
    return r;
}

CResult RunInWindow(CQtHost& oHost, double fIterations) {
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    QCoreApplication::processEvents();
    const CResult r = RunLoop(oMain, fIterations);
    oHost.SetPanel(nullptr);
    return r;
}

// Starts an endless loop, "clicks" R/S at a known moment through the event
// queue and returns how long after that moment the run ended, in ms.
double StopLatencyMs(CQtHost& oHost) {
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    QCoreApplication::processEvents();
    LoadLoop(oMain, 2e9);   // far more than the run lasts
    oMain.oPrgm.SetPrgmPointer(1);
    Clock::time_point tClick;
    QTimer::singleShot(300, [&] {
        tClick = Clock::now();
        oMain.imgRunStop_Click();
    });
    const auto tStart = Clock::now();
    oMain.RunProgram();
    const auto tEnd = Clock::now();
    oHost.SetPanel(nullptr);
    // The click was due 300 ms after the start; the latency counts from then.
    const auto tDue = tStart + std::chrono::milliseconds(300);
    (void)tClick;
    return std::chrono::duration<double, std::milli>(tEnd - tDue).count();
}

CResult PlainLoop(double fIterations, double fStepsPerIteration) {
    volatile double r1 = 1.000001, r2 = 0.999999;
    double r3 = 0, fI = fIterations;
    const auto t0 = Clock::now();
    for (;;) {
        r3 += r1 * r2;
        fI -= 1;
        if (std::trunc(fI) == 0) break;
    }
    CResult r;
    r.fSeconds = SecondsSince(t0);
    r.fSteps = fIterations * fStepsPerIteration;
    volatile double fSink = r3;
    (void)fSink;
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    double fIterations = 1e6;
    if (argc > 1) fIterations = std::atof(argv[1]);
    if (!(fIterations >= 1 && fIterations <= 1e9)) {
        std::fprintf(stderr, "usage: corvelxmem-bench [ITERATIONS 1..1e9]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication oApp(argc, argv);

    CNullHost oNull;
    CFrontPanel oHeadless(oNull);
    const CResult a = RunLoop(oHeadless, fIterations);
    const double fStepsPerIteration = a.fSteps / fIterations;
    const CResult c = PlainLoop(fIterations, fStepsPerIteration);
    CQtHost oQt;
    const CResult b = RunInWindow(oQt, fIterations);
    CNaiveQtHost oNaive;
    // The naive host is slow: a tenth of the loop is enough to measure it.
    const CResult d = RunInWindow(oNaive, std::max(1.0, std::floor(fIterations / 10)));
    const double fLatency = StopLatencyMs(oQt);

    std::printf("program: LBL A, RCL 1, RCL 2, *, STO+ 3, DSZ, GTO A (%.0f iterations, %.0f steps)\n",
                fIterations, a.fSteps);
    std::printf("(a) headless core          %12.0f steps/s  (%.3f s)\n", a.Rate(), a.fSeconds);
    std::printf("(b) Qt host, window shown  %12.0f steps/s  (%.3f s)\n", b.Rate(), b.fSeconds);
    std::printf("(c) plain C++ loop         %12.0f steps/s  (%.3f s, same arithmetic)\n", c.Rate(), c.fSeconds);
    std::printf("(d) Qt host, 4 visits/step %12.0f steps/s  (%.3f s, a tenth of the loop)\n", d.Rate(),
                d.fSeconds);
    std::printf("a/c = %.4f   b/d = %.1f\n", a.Rate() / c.Rate(), b.Rate() / d.Rate());
    std::printf("R/S stopped the running loop %.1f ms after the click\n", fLatency);
    return 0;
}
