// The Qt tests' entry point: one QApplication for all tests, offscreen
// unless a platform was chosen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QMouseEvent>
#include <QPointer>
#include <QtWidgets/qtestsupport_widgets.h>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "../../windows/dlgFile.h"
#include "QtTestSupport.h"

bool WaitUntilIdle(CFrontPanel& oMain, int nLimitMs) {
    QElapsedTimer oClock;
    oClock.start();
    while (oMain.Busy() && oClock.elapsed() < nLimitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return !oMain.Busy();
}

CModalWatchdog::CModalWatchdog(std::function<void(QWidget*)> fnAct, int nLimitMs)
    : fnAct_(std::move(fnAct)), nLimitMs_(nLimitMs) {
    oClock_.start();
    QObject::connect(&oTimer_, &QTimer::timeout, [this]() { Tick(); });
    oTimer_.start(10);
}

CModalWatchdog::~CModalWatchdog() { oTimer_.stop(); }

void CModalWatchdog::Tick() {
    QWidget* w = QApplication::activeModalWidget();
    if (w && !bActed_) {
        bActed_ = true;
        // The action runs outside this tick: Qt does not fire a timer again
        // while its own event is being handled, so a modal window that the
        // action opens by mistake could not be rescued from inside it.
        QTimer::singleShot(0, &oTimer_, [this, p = QPointer<QWidget>(w)]() {
            if (p) fnAct_(p);
        });
        return;
    }
    if (oClock_.elapsed() > nLimitMs_) {
        if (w) {
            bGaveUp_ = true;
            if (auto* pDlg = qobject_cast<QDialog*>(w))
                pDlg->reject();
            else
                w->close();
        } else if (!bActed_) {
            bGaveUp_ = true;
            oTimer_.stop();
        }
    }
}

CAnswers::CAnswers(std::vector<FAct> v) : v_(std::move(v)) {
    QObject::connect(&oTimer_, &QTimer::timeout, [this] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w == pLast_ && oSince_.elapsed() > 5000) kReject(w);   // the action left it open
        if (!w || w == pLast_) return;
        pLast_ = w;
        oSince_.start();
        if (auto* p = qobject_cast<QMessageBox*>(w)) vTexts.push_back(p->text());
        const FAct fn = nNext_ < v_.size() ? v_[nNext_++] : kReject;
        QTimer::singleShot(0, w, [fn, w] { fn(w); });
    });
    oTimer_.start(10);
}

FAct Press(const char* s) { return [s](QWidget* w) { ClickButton(w, QString::fromUtf8(s)); }; }
const FAct kReject = [](QWidget* w) {
    if (auto* p = qobject_cast<QDialog*>(w)) p->reject();
    else w->close();
};
FAct ChooseFile(const QString& sFile) {
    return [sFile](QWidget* w) {
        auto* p = qobject_cast<dlgFile*>(w);
        ASSERT_TRUE(p);
        p->txtFilename->setText(sFile);
        p->OKButton->click();
    };
}

bool ClickButton(QWidget* w, const QString& sText) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->text().remove('&') == sText) {
            b->click();
            return true;
        }
    }
    return false;
}

void MousePress(QWidget* w, const QPoint& oPos) {
    QMouseEvent e(QEvent::MouseButtonPress, oPos, w->mapToGlobal(oPos), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &e);
}

void MouseRelease(QWidget* w, const QPoint& oPos) {
    QMouseEvent e(QEvent::MouseButtonRelease, oPos, w->mapToGlobal(oPos), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(w, &e);
}

void MouseClick(QWidget* w, const QPoint& oPos) {
    MousePress(w, oPos);
    MouseRelease(w, oPos);
}

void KeyClick(QWidget* w, Qt::Key eKey, const QString& sText, Qt::KeyboardModifiers eMods) {
    for (QEvent::Type e : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent o(e, eKey, eMods, sText);
        QApplication::sendEvent(w, &o);
    }
}

void KeyClicks(QWidget* w, const QString& sText) {
    for (const QChar c : sText) KeyClick(w, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c));
}

namespace {
// The offscreen platform remarks on every dialog that it cannot size windows
// by their hints; that is expected here and drowns the test output.
QtMessageHandler fnDefaultHandler = nullptr;
void QuietHandler(QtMsgType eType, const QMessageLogContext& oContext, const QString& sMsg) {
    if (sMsg.contains(QLatin1String("propagateSizeHints"))) return;
    fnDefaultHandler(eType, oContext, sMsg);
}
}  // namespace

// A time limit for each test: a test still running after it fails the whole run
// at once with its name, instead of leaving a hang to the test driver's limit.
// A thread of its own, so that a test busy in a loop that never returns to the
// event loop is stopped too. CORVEL_TEST_LIMIT sets the seconds (default 60).
class CTestWatchdog : public ::testing::EmptyTestEventListener {
public:
    explicit CTestWatchdog(int nSeconds) : nSeconds_(nSeconds), oThread_([this] { Watch(); }) {}
    ~CTestWatchdog() override {
        {
            std::lock_guard<std::mutex> l(oMutex_);
            bQuit_ = true;
        }
        oWake_.notify_all();
        oThread_.join();
    }
    void OnTestStart(const ::testing::TestInfo& o) override {
        std::lock_guard<std::mutex> l(oMutex_);
        sTest_ = std::string(o.test_suite_name()) + "." + o.name();
        ++nGen_;
        oWake_.notify_all();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::lock_guard<std::mutex> l(oMutex_);
        sTest_.clear();
        ++nGen_;
        oWake_.notify_all();
    }

private:
    void Watch() {
        std::unique_lock<std::mutex> l(oMutex_);
        while (!bQuit_) {
            if (sTest_.empty()) {
                oWake_.wait(l);
                continue;
            }
            const int nGen = nGen_;
            if (oWake_.wait_for(l, std::chrono::seconds(nSeconds_), [&] { return bQuit_ || nGen_ != nGen; }))
                continue;
            std::fprintf(stderr, "\n%s: still running after %d s; the run stops here\n", sTest_.c_str(), nSeconds_);
            std::fflush(stderr);
            std::_Exit(3);
        }
    }
    const int nSeconds_;
    std::mutex oMutex_;
    std::condition_variable oWake_;
    std::string sTest_;
    int nGen_ = 0;
    bool bQuit_ = false;
    std::thread oThread_;
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    fnDefaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int nLimit = qEnvironmentVariableIsEmpty("CORVEL_TEST_LIMIT") ? 60 : qEnvironmentVariableIntValue("CORVEL_TEST_LIMIT");
    ::testing::UnitTest::GetInstance()->listeners().Append(new CTestWatchdog(nLimit > 0 ? nLimit : 60));
    return RUN_ALL_TESTS();
}
