#pragma once
// Shared pieces of the Qt tests: a calculator in a window, and a helper that
// plays the user on every modal window as soon as it appears, so no test can hang.
#include <gtest/gtest.h>

#include <QtWidgets>
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>
#include <algorithm>
#include <functional>
#include <ostream>
#include <vector>

#include "../../windows/CPanelWindow.h"
#include "../../windows/CQtHost.h"

using namespace corvel;

// Qt's strings in test failure messages as text, not as lists of characters.
// Here, where every Qt test sees it, so that all of them print alike.
inline void PrintTo(const QString& s, std::ostream* pOut) { *pOut << '"' << s.toStdString() << '"'; }
inline std::ostream& operator<<(std::ostream& o, const QString& s) { return o << s.toStdString(); }

// A whole file written, or read ("" when it cannot be).
inline bool WriteFile(const QString& sFile, const QByteArray& a) {
    QFile f(sFile);
    return f.open(QIODevice::WriteOnly) && f.write(a) == a.size();
}
inline QByteArray ReadFile(const QString& sFile) {
    QFile f(sFile);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
// Synthetic input delivered straight to a widget, as the window system would.
inline void SendMouse(QWidget* w, QEvent::Type e, const QPoint& oPos) {
    QMouseEvent o(e, oPos, w->mapToGlobal(oPos), Qt::LeftButton, e == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
    QApplication::sendEvent(w, &o);
}
inline void MousePress(QWidget* w, const QPoint& oPos) { SendMouse(w, QEvent::MouseButtonPress, oPos); }
inline void MouseRelease(QWidget* w, const QPoint& oPos) { SendMouse(w, QEvent::MouseButtonRelease, oPos); }
inline void MouseClick(QWidget* w, const QPoint& oPos) {
    MousePress(w, oPos);
    MouseRelease(w, oPos);
}
void KeyClick(QWidget* w, Qt::Key eKey, const QString& sText = QString(), Qt::KeyboardModifiers eMods = {});
void KeyClicks(QWidget* w, const QString& sText);
// A double click on a list's row as the mouse gives it: press, release, double click, release.
void DoubleClick(QListWidget* p, QListWidgetItem* pItem);
// Clicks the child button of w whose text is sText (mnemonic ampersands ignored).
bool ClickButton(QWidget* w, const QString& sText);

// A calculator with its window shown (offscreen in the test run), on a host
// of the test's choice.
template <class THost = CQtHost>
struct CCalcWith {
    THost oHost;
    CFrontPanel oMain{oHost};
    CPanelWindow oWindow{oMain};

    CCalcWith() {
        oHost.SetPanel(&oWindow);
        oWindow.show();
        if (!QTest::qWaitForWindowExposed(&oWindow)) ADD_FAILURE() << "the panel window was never exposed";
    }
    // Clicks the named key or area at its centre, then lets the host drive
    // what the click started (a run, a blink) to its end.
    void Click(const char* sName) {
        const QRect rc = oWindow.SpotRect(QString::fromUtf8(sName));
        ASSERT_FALSE(rc.isEmpty()) << "no key or area named " << sName;
        MouseClick(&oWindow, rc.center());
        WaitIdle();
    }
    // Runs the event loop until nothing is under way on the panel (false when nLimitMs passed first).
    bool WaitIdle(int nLimitMs = 10000) {
        QElapsedTimer oClock;
        oClock.start();
        while (oMain.Busy() && oClock.elapsed() < nLimitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return !oMain.Busy();
    }
    void Clicks(std::initializer_list<const char*> vNames) {
        for (const char* s : vNames) Click(s);
    }
    void Ctrl(Qt::Key eKey) { KeyClick(&oWindow, eKey, {}, Qt::ControlModifier); }
    // Puts the steps in program memory from step 1 on.
    void Program(std::initializer_list<const char*> vSteps) {
        int n = 0;
        for (const char* s : vSteps) oMain.Prgm().SetLine(++n, s);
        oMain.Prgm().ScanLabels();
    }
};
using CCalcUnderTest = CCalcWith<>;

// Acts on the modal windows in the order they appear and keeps the text of
// every message box. Any window beyond the list, and any an action left open
// for 5 s, is rejected, so exec() returns; GaveUp() tells that it happened.
// One made inside an action answers the windows that action opens.
using FAct = std::function<void(QWidget*)>;
class CAnswers {
public:
    explicit CAnswers(std::vector<FAct> v);
    ~CAnswers();
    int Acted() const { return nActed_; }   // how many of the actions have run
    bool GaveUp() const { return bGaveUp_; }
    QStringList vTexts;

private:
    static CAnswers* pInnermost_;
    std::vector<FAct> v_;
    CAnswers* pOuter_;
    int nActed_ = 0;
    bool bGaveUp_ = false;
    QPointer<QWidget> pLast_;
    QElapsedTimer oSince_;
    QTimer oTimer_;
};
FAct Press(const char* sButton);    // clicks the button of that text
extern const FAct kReject;
FAct ChooseFile(const QString& sFile);   // types sFile into the file dialog and clicks OK

// The brightest red of the LED parts (red over twice the green) of oImg in rc,
// and the brightest green of the lamp.
inline int Peak(const QImage& oImg, const QRect& rc, bool bLamp = false) {
    int n = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const QColor c = oImg.pixelColor(x, y);
            if (bLamp ? c.green() > c.red() + 30 : c.red() > 2 * c.green()) n = std::max(n, bLamp ? c.green() : c.red());
        }
    return n;
}

// A clock of the test's own: a wait (a pause, a blink) passes at once, and
// the run is driven here, a step a slice, telling fnOnWait where it stands
// after each: 'w' a timed display is on, 'y' between two steps.
class CSimClockHost : public CQtHost {
public:
    double ClockSeconds() override { return fClock; }
    void ScheduleRun(CFrontPanel& o) override {
        if (bDriving) return;
        bDriving = true;
        while (o.Busy()) {
            const CSlice s = o.RunSlice(1);
            if (fnOnWait) fnOnWait(s.eState == enmRunState::Waiting ? 'w' : 'y');
            if (s.eState == enmRunState::Waiting) fClock = std::max(s.fWakeAt, fClock);
        }
        bDriving = false;
    }
    bool bDriving = false;
    double fClock = 1.0e9;
    std::function<void(char)> fnOnWait;
};
