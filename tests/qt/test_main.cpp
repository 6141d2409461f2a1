// The Qt tests' entry point: one QApplication for all tests, offscreen
// unless a platform was chosen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QtWidgets/qtestsupport_widgets.h>

#include "QtTestSupport.h"

CCalcUnderTest::CCalcUnderTest() {
    oHost.SetPanel(&oWindow);
    oWindow.show();
    if (!QTest::qWaitForWindowExposed(&oWindow)) ADD_FAILURE() << "the panel window was never exposed";
}

void CCalcUnderTest::Click(const char* sName) {
    const QRect rc = oWindow.SpotRect(QString::fromUtf8(sName));
    ASSERT_FALSE(rc.isEmpty()) << "no key or area named " << sName;
    MouseClick(&oWindow, rc.center());
    WaitIdle();
}

bool CCalcUnderTest::WaitIdle(int nLimitMs) { return WaitUntilIdle(oMain, nLimitMs); }

bool WaitUntilIdle(CFrontPanel& oMain, int nLimitMs) {
    QElapsedTimer oClock;
    oClock.start();
    while (oMain.Busy() && oClock.elapsed() < nLimitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return !oMain.Busy();
}

void CCalcUnderTest::Clicks(std::initializer_list<const char*> vNames) {
    for (const char* s : vNames) Click(s);
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

void KeyClick(QWidget* w, Qt::Key eKey, const QString& sText) {
    for (QEvent::Type e : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent o(e, eKey, Qt::NoModifier, sText);
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    fnDefaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
