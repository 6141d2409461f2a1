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
#include "../../windows/dlgFile.h"

using namespace corvel;

// Qt's strings in every Qt test's failure messages as text, not as lists of characters.
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
inline void MouseClick(QWidget* w, const QPoint& oPos) {
    SendMouse(w, QEvent::MouseButtonPress, oPos);
    SendMouse(w, QEvent::MouseButtonRelease, oPos);
}
// A double click on a list's row as the mouse gives it: press, release, double click, release.
inline void DoubleClick(QListWidget* p, QListWidgetItem* pItem) {
    const QPoint oAt = p->visualItemRect(pItem).center();
    MouseClick(p->viewport(), oAt);
    SendMouse(p->viewport(), QEvent::MouseButtonDblClick, oAt);
    SendMouse(p->viewport(), QEvent::MouseButtonRelease, oAt);
}
inline void KeyClick(QWidget* w, Qt::Key eKey, const QString& sText = QString(), Qt::KeyboardModifiers eMods = {}) {
    for (QEvent::Type e : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent o(e, eKey, eMods, sText);
        QApplication::sendEvent(w, &o);
    }
}
inline void KeyClicks(QWidget* w, const QString& sText) {
    for (const QChar c : sText) KeyClick(w, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c));
}
// Clicks the child button of w whose text is sText (mnemonic ampersands ignored).
inline void ClickButton(QWidget* w, const QString& sText) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == sText) return b->click();
    ADD_FAILURE() << "no button " << sText << " on " << w->windowTitle();
}

// A calculator with its window shown (offscreen in the test run), on a host of the test's choice.
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
    // Clicks the named key or area at its centre, then waits until what that started (a run, a blink) is over.
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
    void Clicks(std::initializer_list<const char*> vNames) { for (const char* s : vNames) Click(s); }
    void Ctrl(Qt::Key eKey) { KeyClick(&oWindow, eKey, {}, Qt::ControlModifier); }
    // Puts the steps in program memory from step 1 on.
    void Program(std::initializer_list<const char*> vSteps) {
        int n = 0;
        for (const char* s : vSteps) oMain.Prgm().SetLine(++n, s);
        oMain.Prgm().ScanLabels();
    }
};
using CCalcUnderTest = CCalcWith<>;

// Acts on the modal windows in the order they appear and keeps the text of every message box. Any window
// beyond the list, and any an action left open for 5 s, is rejected, so exec() returns; GaveUp() tells that it
// happened. One made inside an action answers the windows that action opens.
using FAct = std::function<void(QWidget*)>;
inline const FAct kReject = [](QWidget* w) {
    if (auto* p = qobject_cast<QDialog*>(w)) p->reject();
    else w->close();
};
class CAnswers {
public:
    explicit CAnswers(std::vector<FAct> v) : v_(std::move(v)), pOuter_(pInnermost_) {
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
            // The action runs outside this tick: Qt does not fire a timer again while its own event is
            // handled, so a modal window that the action opens by mistake could not be rescued from inside it.
            const FAct fn = nActed_ < static_cast<int>(v_.size()) ? v_[nActed_++] : kReject;
            QTimer::singleShot(0, w, [fn, w] { fn(w); });
        });
        oTimer_.start(10);
    }
    ~CAnswers() { pInnermost_ = pOuter_; }
    int Acted() const { return nActed_; }   // how many of the actions have run
    bool GaveUp() const { return bGaveUp_; }
    QStringList vTexts;

private:
    static inline CAnswers* pInnermost_ = nullptr;
    std::vector<FAct> v_;
    CAnswers* pOuter_;
    int nActed_ = 0;
    bool bGaveUp_ = false;
    QPointer<QWidget> pLast_;
    QElapsedTimer oSince_;
    QTimer oTimer_;
};
inline FAct Press(const char* s) { return [s](QWidget* w) { ClickButton(w, QString::fromUtf8(s)); }; }
inline FAct ChooseFile(const QString& sFile) {   // types sFile into the file dialog and clicks OK
    return [sFile](QWidget* w) {
        auto* p = qobject_cast<dlgFile*>(w);
        ASSERT_TRUE(p);
        p->txtFilename->setText(sFile);
        p->OKButton->click();
    };
}

// The brightest red of the LED parts (red over twice the green) of oImg in rc, or the lamp's brightest green.
inline int Peak(const QImage& oImg, const QRect& rc, bool bLamp = false) {
    int n = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const QColor c = oImg.pixelColor(x, y);
            if (bLamp ? c.green() > c.red() + 30 : c.red() > 2 * c.green()) n = std::max(n, bLamp ? c.green() : c.red());
        }
    return n;
}

// A clock of the test's own: a wait (a pause, a blink) passes at once, and the run is driven here, a step
// a slice, telling fnOnWait where it stands after each: 'w' a timed display is on, 'y' between two steps.
struct CSimClockHost : CQtHost {
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
