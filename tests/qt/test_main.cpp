// The Qt tests' entry point: one QApplication for all tests, offscreen unless a platform was chosen.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "QtTestSupport.h"

// A time limit for each test (CORVEL_TEST_LIMIT seconds, default 60): an alarm signal, so that even a test
// busy in a loop that never returns to the event loop stops the whole run at once, with its name.
struct CTestWatchdog : ::testing::EmptyTestEventListener {
    explicit CTestWatchdog(int nSeconds) : nSeconds_(nSeconds) { std::signal(SIGALRM, &CTestWatchdog::Expired); }
    void OnTestStart(const ::testing::TestInfo& o) override {
        nMsg_ = std::snprintf(aMsg_, sizeof aMsg_, "\n%s.%s: still running after %d s; the run stops here\n",
                              o.test_suite_name(), o.name(), nSeconds_);
        alarm(static_cast<unsigned>(nSeconds_));
    }
    void OnTestEnd(const ::testing::TestInfo&) override { alarm(0); }
    static void Expired(int) {   // only what a signal handler may call
        if (write(2, aMsg_, static_cast<size_t>(std::min<int>(nMsg_, sizeof aMsg_ - 1))) < 0) std::_Exit(4);
        std::_Exit(3);
    }
    const int nSeconds_;
    static inline char aMsg_[512] = {};
    static inline int nMsg_ = 0;
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform remarks on every dialog that it cannot size windows by their hints: expected noise.
    static const QtMessageHandler fnDefault =
        qInstallMessageHandler([](QtMsgType e, const QMessageLogContext& oContext, const QString& sMsg) {
            if (!sMsg.contains(QLatin1String("propagateSizeHints"))) fnDefault(e, oContext, sMsg);
        });
    QApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int nLimit = qEnvironmentVariableIntValue("CORVEL_TEST_LIMIT");   // 0 when unset
    ::testing::UnitTest::GetInstance()->listeners().Append(new CTestWatchdog(nLimit > 0 ? nLimit : 60));
    return RUN_ALL_TESTS();
}
