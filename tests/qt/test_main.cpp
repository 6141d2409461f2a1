// The Qt tests' entry point: one QApplication for all tests, offscreen
// unless a platform was chosen.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "../../windows/dlgFile.h"
#include "QtTestSupport.h"

CAnswers* CAnswers::pInnermost_ = nullptr;

CAnswers::CAnswers(std::vector<FAct> v) : v_(std::move(v)), pOuter_(pInnermost_) {
    pInnermost_ = this;
    QObject::connect(&oTimer_, &QTimer::timeout, [this] {
        if (pInnermost_ != this) return;   // one made inside an action answers for now
        QWidget* w = QApplication::activeModalWidget();
        if (w && w == pLast_ && oSince_.elapsed() > 5000) {   // the action left it open
            bGaveUp_ = true;
            kReject(w);
        }
        if (!w || w == pLast_) return;
        pLast_ = w;
        oSince_.start();
        if (auto* p = qobject_cast<QMessageBox*>(w)) vTexts.push_back(p->text());
        bGaveUp_ = bGaveUp_ || nActed_ >= static_cast<int>(v_.size());
        // The action runs outside this tick: Qt does not fire a timer again
        // while its own event is being handled, so a modal window that the
        // action opens by mistake could not be rescued from inside it.
        const FAct fn = nActed_ < static_cast<int>(v_.size()) ? v_[nActed_++] : kReject;
        QTimer::singleShot(0, w, [fn, w] { fn(w); });
    });
    oTimer_.start(10);
}

CAnswers::~CAnswers() { pInnermost_ = pOuter_; }

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

void DoubleClick(QListWidget* p, QListWidgetItem* pItem) {
    const QPoint oAt = p->visualItemRect(pItem).center();
    MouseClick(p->viewport(), oAt);
    SendMouse(p->viewport(), QEvent::MouseButtonDblClick, oAt);
    MouseRelease(p->viewport(), oAt);
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
// An alarm signal, so that a test busy in a loop that never returns to the
// event loop is stopped too. CORVEL_TEST_LIMIT sets the seconds (default 60).
class CTestWatchdog : public ::testing::EmptyTestEventListener {
public:
    explicit CTestWatchdog(int nSeconds) : nSeconds_(nSeconds) { std::signal(SIGALRM, &CTestWatchdog::Expired); }
    void OnTestStart(const ::testing::TestInfo& o) override {
        nMsg_ = std::snprintf(aMsg_, sizeof aMsg_, "\n%s.%s: still running after %d s; the run stops here\n",
                              o.test_suite_name(), o.name(), nSeconds_);
        alarm(static_cast<unsigned>(nSeconds_));
    }
    void OnTestEnd(const ::testing::TestInfo&) override { alarm(0); }

private:
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
    fnDefaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int nLimit = qEnvironmentVariableIsEmpty("CORVEL_TEST_LIMIT") ? 60 : qEnvironmentVariableIntValue("CORVEL_TEST_LIMIT");
    ::testing::UnitTest::GetInstance()->listeners().Append(new CTestWatchdog(nLimit > 0 ? nLimit : 60));
    return RUN_ALL_TESTS();
}
