#pragma once
// Shared pieces of the Qt tests: a calculator in a window, and a watchdog
// that deals with a modal window as soon as it appears, so no test can hang.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtWidgets/qtestsupport_widgets.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "../../windows/CPanelWindow.h"
#include "../../windows/CQtHost.h"

using namespace corvel;

// Qt's strings in test failure messages as text, not as lists of characters.
// Here, where every Qt test sees it, so that all of them print alike.
inline void PrintTo(const QString& s, std::ostream* pOut) { *pOut << '"' << s.toStdString() << '"'; }

// Runs the event loop until nothing is under way on the panel (false when
// nLimitMs passed first).
bool WaitUntilIdle(CFrontPanel& oMain, int nLimitMs = 10000);
void MouseClick(QWidget* w, const QPoint& oPos);
void KeyClick(QWidget* w, Qt::Key eKey, const QString& sText = QString(), Qt::KeyboardModifiers eMods = {});

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
    bool WaitIdle(int nLimitMs = 10000) { return WaitUntilIdle(oMain, nLimitMs); }
    void Clicks(std::initializer_list<const char*> vNames) {
        for (const char* s : vNames) Click(s);
    }
    void Ctrl(Qt::Key eKey) { KeyClick(&oWindow, eKey, {}, Qt::ControlModifier); }
};
using CCalcUnderTest = CCalcWith<>;

// Acts once on QApplication::activeModalWidget() when one shows up. If the
// action does not close it, or nothing shows up within nLimitMs, the
// watchdog rejects whatever modal window is open, so exec() returns.
class CModalWatchdog {
public:
    explicit CModalWatchdog(std::function<void(QWidget*)> fnAct, int nLimitMs = 5000);
    ~CModalWatchdog();
    bool Acted() const { return bActed_; }
    bool GaveUp() const { return bGaveUp_; }

private:
    void Tick();

    std::function<void(QWidget*)> fnAct_;
    int nLimitMs_;
    QTimer oTimer_;
    QElapsedTimer oClock_;
    bool bActed_ = false;
    bool bGaveUp_ = false;
};

// Acts on the modal windows in the order they appear (any beyond the list,
// and any an action left open for 5 s, are rejected) and keeps the text of
// every message box.
using FAct = std::function<void(QWidget*)>;
class CAnswers {
public:
    explicit CAnswers(std::vector<FAct> v);
    QStringList vTexts;

private:
    std::vector<FAct> v_;
    size_t nNext_ = 0;
    QPointer<QWidget> pLast_;
    QElapsedTimer oSince_;
    QTimer oTimer_;
};
FAct Press(const char* sButton);    // clicks the button of that text
extern const FAct kReject;
FAct ChooseFile(const QString& sFile);   // types sFile into the file dialog and clicks OK

// The brightest red of the LED parts (red over twice the green) of oImg in rc.
inline int LedPeak(const QImage& oImg, const QRect& rc) {
    int n = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const QColor c = oImg.pixelColor(x, y);
            if (c.red() > 2 * c.green()) n = std::max(n, c.red());
        }
    return n;
}

// Clicks the child button of w whose text is sText (mnemonic ampersands ignored).
bool ClickButton(QWidget* w, const QString& sText);

// Synthetic input delivered straight to a widget, as the window system would.
void MousePress(QWidget* w, const QPoint& oPos);
void MouseRelease(QWidget* w, const QPoint& oPos);
void KeyClicks(QWidget* w, const QString& sText);
