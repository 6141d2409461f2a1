// The panel as a desktop window: its first size on a screen, the clipboard
// keys, what a running program looks like, why "Error" is shown, legible
// legends, tool tips everywhere, and one look for every dialog.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>

#include <algorithm>

#include "../../windows/CDialogLook.h"
#include "../../windows/CLedDisplay.h"
#include "../../windows/CLegendText.h"
#include "../../windows/CPanelColours.h"
#include "QtTestSupport.h"

namespace {

void SendShortcut(QWidget* w, Qt::Key eKey) {
    QKeyEvent o(QEvent::KeyPress, eKey, Qt::ControlModifier);
    QApplication::sendEvent(w, &o);
}

// The brightest red of the LED parts in rc, and the brightest green of the lamp.
int LedPeak(const QImage& oImg, const QRect& rc) {
    int n = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const QColor c = oImg.pixelColor(x, y);
            if (c.red() > 2 * c.green()) n = std::max(n, c.red());
        }
    return n;
}

int LampPeak(const QImage& oImg, const QRect& rc) {
    int n = 0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const QColor c = oImg.pixelColor(x, y);
            if (c.green() > c.red() + 30) n = std::max(n, c.green());
        }
    return n;
}

// A calculator whose clock is simulated: a wait returns at once, and the
// test looks at the panel whenever the core waits or yields.
class CSimClockHost : public CQtHost {
public:
    double ClockSeconds() override { return fClock; }
    // Drives the run here, a step a slice, telling the test where it stands:
    // 'w' a timed display is on, 'y' between two steps.
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

}  // namespace

namespace {

QImage Led(const QString& sMantissa, const QString& sExponent, bool bText = false) {
    QImage o(420, 56, QImage::Format_RGB32);
    o.fill(Qt::black);
    QPainter p(&o);
    p.setRenderHint(QPainter::Antialiasing);
    LedDisplay::Paint(p, QRectF(0, 0, 420, 56), sMantissa, sExponent, bText, LedDisplay::enmBrightness::Full);
    return o;
}

// The columns in which two pictures differ.
std::pair<int, int> DiffColumns(const QImage& a, const QImage& b) {
    int nFirst = a.width(), nLast = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                nFirst = std::min(nFirst, x);
                nLast = std::max(nLast, x);
            }
    return {nFirst, nLast};
}

}  // namespace

TEST(LedDisplay, NumbersInSegmentsWithThePointBetweenDigitsAndTextInDots) {
    const struct {
        const char* sText;
        const char* sCells;   // sign, then each cell with "." after a lit point; "" when not a number
    } kCases[] = {{"-1.50", "-1.50"}, {"1 50", " 150"}, {"12.", " 12."}, {"12 ", " 12"}, {"0.", " 0."},
                  {"Error", ""},      {"X:1.50", ""},   {"1.2.3", ""}, {"012 STO+ A", ""}, {" 5", ""}};
    for (const auto& c : kCases) {
        LedDisplay::CNumber o;
        QString sCells;
        if (LedDisplay::ParseNumber(QString::fromLatin1(c.sText), o)) {
            sCells = o.bMinus ? "-" : " ";
            for (const LedDisplay::CCell& oCell : o.vCells) sCells += QString(QChar(oCell.c)) + (oCell.bPoint ? "." : "");
        }
        EXPECT_EQ(sCells, c.sCells) << c.sText;
    }
    // A blinking point leaves every digit where it was: only the point's place changes.
    const auto [nFirst, nLast] = DiffColumns(Led("1.50", ""), Led("1 50", ""));
    EXPECT_GE(nFirst, 0);
    EXPECT_LT(nLast - nFirst, 10);
    // A mantissa longer than its cells is cut before the exponent, which stays.
    EXPECT_EQ(Led("1." + QString(60, '2'), "-05"), Led("1." + QString(14, '2'), "-05"));
    EXPECT_NE(Led("1." + QString(14, '2'), "-05"), Led("1." + QString(14, '2'), "-06"));
    // Upper and lower case differ.
    EXPECT_NE(Led("005 GSB e", "", true), Led("005 GSB E", "", true));
}

TEST(FirstSize, TheLargestPanelThatFitsTheScreenWithItsFrame) {
    const QSize oMin = CPanelWindow::MinimumPanelSize();
    const QSize kFrame(2, 25);
    // Available areas: laptop, 2560x1440 at scale 2, full HD, portrait,
    // a small screen, and one smaller than the minimum.
    for (const QSize& oFree : {QSize(1366, 768), QSize(1280, 720), QSize(1920, 1080), QSize(768, 1366),
                               QSize(1024, 700), QSize(640, 480)}) {
        const QSize o = CPanelWindow::FirstSize(oFree, kFrame);
        SCOPED_TRACE(testing::Message() << oFree.width() << "x" << oFree.height());
        EXPECT_LE(o.width(), 480);
        EXPECT_LE(o.height(), 800);
        EXPECT_NEAR(o.width() * 800.0 / o.height(), 480.0, 2.0);
        if (oMin.height() + kFrame.height() <= oFree.height()) {
            EXPECT_LE(o.height() + kFrame.height(), oFree.height());
            EXPECT_LE(o.width() + kFrame.width(), oFree.width());
            // The largest: one pixel more would not fit, unless at full size.
            EXPECT_TRUE(o.height() == 800 || o.height() + 2 + kFrame.height() > oFree.height());
        } else {
            EXPECT_EQ(o, oMin);
        }
    }
    EXPECT_EQ(CPanelWindow::FirstSize(QSize(1366, 768), kFrame), QSize(445, 743));
}

TEST(FirstSize, TheMinimumKeepsTheSmallestLegendNinePixelsTallAndTheWindowStartsAtItsFirstSize) {
    const QSize oMin = CPanelWindow::MinimumPanelSize();
    const int nSmallest = CPanelWindow::SmallestLegendPixels();
    EXPECT_GE(nSmallest * oMin.height() / 800.0, 9.0);
    EXPECT_LT(nSmallest * (oMin.height() - 2) / 800.0, 9.0);   // and it is the smallest such size
    CCalcUnderTest o;
    EXPECT_EQ(o.oWindow.minimumSize(), oMin);
    EXPECT_EQ(o.oWindow.size(), CPanelWindow::FirstSize(o.oWindow.screen()->availableGeometry().size()));
}

TEST(Clipboard, CtrlVPastesAndCtrlCCopiesThroughTheCoreAndANoteShowsForAMoment) {
    // What reads as a number is the core's business (its own tests); here the
    // keys, the system clipboard and the note line under the display.
    CCalcUnderTest o;
    o.oWindow.SetNoteDuration(30);
    o.Clicks({"2", "ENTER", "3", "/"});
    SendShortcut(&o.oWindow, Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toDouble(), 2.0 / 3);
    o.Click("7");
    QGuiApplication::clipboard()->setText(" 1.5e3 ");
    SendShortcut(&o.oWindow, Qt::Key_V);
    EXPECT_EQ(o.oMain.oStack.GetX(), 1500);
    EXPECT_EQ(o.oMain.oStack.GetY(), 7);
    QGuiApplication::clipboard()->setText("abc");
    SendShortcut(&o.oWindow, Qt::Key_V);
    EXPECT_EQ(o.oWindow.InfoLine(), "Paste: not a number");
    EXPECT_NE(o.oWindow.PaintedDisplay(), "Error");
    QTest::qWait(100);
    EXPECT_EQ(o.oWindow.InfoLine(), "");   // the note goes after a moment
    KeyClicks(&o.oWindow, "5");            // typed characters still work
    EXPECT_EQ(o.oMain.lblDisp, "5");
}

TEST(RunIndication, DimmedWithTheLampLitExceptWhatTheProgramShowsOnPurpose) {
    // The step after LBL A, and how the display is drawn while the core
    // waits ('w': a pause or a blink) and yields between steps ('y').
    const struct {
        const char* sStep;
        bool bFullWhileWaiting;
    } kCases[] = {{"h 1", true}, {"f R/S", true}, {"g R/S", true}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.sStep);
        CSimClockHost oHost;
        CFrontPanel oMain{oHost};
        CPanelWindow oWindow{oMain};
        oHost.SetPanel(&oWindow);
        oWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&oWindow));
        for (const QString& s : ("W/PRGM f SST A " + QString(c.sStep) + " 1 + h GTO RUN 5").split(' '))
            oMain.PressKey(s.toStdString());
        const QRect rcDisp = oWindow.SpotRect("DISPLAY"), rcLamp = oWindow.SpotRect("LAMP");
        QString sSeen;   // "w+" a wait at full brightness, "y-" a yield dimmed ...
        oHost.fnOnWait = [&](char cWhen) {
            if (!oMain.bBusy || sSeen.count(cWhen) > 3) return;
            const QImage oImg = oWindow.GrabPanel();
            EXPECT_GT(LampPeak(oImg, rcLamp), 200);
            sSeen += cWhen;
            sSeen += LedPeak(oImg, rcDisp) > 220 ? '+' : '-';
        };
        oMain.PressKey("A");
        oHost.fnOnWait = nullptr;
        EXPECT_TRUE(sSeen.contains("y-")) << sSeen.toStdString();
        EXPECT_EQ(sSeen.contains("w+"), c.bFullWhileWaiting) << sSeen.toStdString();
        EXPECT_FALSE(sSeen.contains("w-")) << sSeen.toStdString();
        // Over: full brightness, the lamp out.
        const QImage oAfter = oWindow.GrabPanel();
        EXPECT_GT(LedPeak(oAfter, rcDisp), 220);
        EXPECT_LT(LampPeak(oAfter, rcLamp), 120);
        EXPECT_FALSE(oWindow.PaintedDimmed());
    }
}

TEST(ErrorCause, ALineAndTheDisplaysToolTipSayWhyUntilTheErrorIsCleared) {
    const struct {
        const char* sKeys;
        const char* sCause;
    } kCases[] = {{"1 ENTER 0 /", "division by zero"}, {"1 CHS f 9", "invalid argument"}};
    for (const auto& c : kCases) {
        CCalcUnderTest o;
        const QPoint oDisplay = o.oWindow.SpotRect("DISPLAY").center();
        const QImage oBefore = o.oWindow.GrabPanel();
        for (const QString& s : QString(c.sKeys).split(' ')) o.Click(s.toUtf8().constData());
        ASSERT_TRUE(o.oMain.bInErr) << c.sKeys;
        EXPECT_EQ(o.oWindow.InfoLine(), c.sCause);
        EXPECT_TRUE(o.oWindow.ToolTipAt(oDisplay).contains(c.sCause)) << o.oWindow.ToolTipAt(oDisplay).toStdString();
        EXPECT_NE(o.oWindow.GrabPanel(), oBefore);
        o.Click("CLX");
        EXPECT_EQ(o.oWindow.InfoLine(), "");
        EXPECT_FALSE(o.oWindow.ToolTipAt(oDisplay).contains(c.sCause));
    }
}

TEST(Legibility, EveryLegendContrastsAtLeastFourAndAHalfToOne) {
    // The formula against known values first.
    EXPECT_NEAR(PanelColours::ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(PanelColours::ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    std::vector<PanelColours::CInkPair> v = PanelColours::InkPairs();
    v.push_back({"dialog text", DialogLook::kText, DialogLook::kWindow});
    v.push_back({"dialog text on lists", DialogLook::kText, DialogLook::kBase});
    v.push_back({"dialog buttons", DialogLook::kText, DialogLook::kButton});
    v.push_back({"dialog selection", DialogLook::kHighlightText, DialogLook::kHighlight});
    v.push_back({"dialog disabled text", DialogLook::kDisabledText, DialogLook::kWindow});
    for (const auto& o : v)
        EXPECT_GE(PanelColours::ContrastRatio(o.oInk, o.oBackground), 4.5)
            << o.sWhat << " " << o.oInk.name().toStdString() << " on " << o.oBackground.name().toStdString();
}

TEST(Legibility, EveryKeyAndControlHasAToolTipAndKeysNameTheirCharacters) {
    CCalcUnderTest o;
    for (const QString& s : o.oWindow.SpotNames())
        EXPECT_FALSE(o.oWindow.ToolTipAt(o.oWindow.SpotRect(s).center()).isEmpty()) << s.toStdString();
    const char* const kTips[][2] = {
        {"STO", "STO \u2014 typed: s"},
        {"ENTER", "ENTER \u2014 typed: e or Enter"},
        {"(i)", "(i) \u2014 typed: ( or i or )"},
        {"CARD", "Card slot: write the program or read data"},
        {"SAVE", "Save the machine state"},
    };
    for (const auto& t : kTips)
        EXPECT_EQ(o.oWindow.ToolTipAt(o.oWindow.SpotRect(t[0]).center()).section('\n', 0, 0), QString::fromUtf8(t[1]));
    // The superscripts are drawn raised, from plain characters.
    std::vector<QString> vRuns;
    for (const LegendText::CRun& r : LegendText::Runs(QString::fromUtf8("SIN⁻¹")))
        vRuns.push_back((r.bSuper ? "^" : "") + r.sText);
    EXPECT_EQ(vRuns, std::vector<QString>({"SIN", QString::fromUtf8("^\u22121")}));
}

TEST(Dialogs, ShareOneLookAndTheAboutBoxIsNoWiderThanThePanel) {
    CCalcUnderTest o;
    const std::function<void()> kOpeners[] = {
        [&] { o.oHost.ShowMsg("text", "title"); },
        [&] { o.oHost.ShowRegisters({"p0: 1"}); },
        [&] { o.oHost.ShowMemBlock([](bool) { return std::vector<std::string>{"0: 1"}; }); },
        [&] { o.oHost.AskYesNo("t", "question?", enmIcon::Question); },
        [&] { o.oHost.ShowNotice("t", "notice", enmIcon::Information); },
        [&] {
            std::string s;
            o.oHost.InputBox("p", "t", "", s);
        },
        [&] {
            CFileChoice oChoice;
            o.oHost.ChooseFile("", enmFileUse::Read, oChoice);
        },
        [&] { o.oHost.ShowEditor("LBL A", [](const std::string&) { return true; }); },
        [&] { o.oHost.ShowAbout(); },
    };
    int n = 0;
    for (const auto& fnOpen : kOpeners) {
        QString sName;
        bool bLook = false;
        int nWidth = 0;
        CModalWatchdog oDog([&](QWidget* w) {
            sName = w->objectName() + "/" + w->metaObject()->className();
            bLook = w->property("corvelLook").toBool();
            nWidth = w->width();
            qobject_cast<QDialog*>(w)->reject();
        });
        fnOpen();
        EXPECT_TRUE(oDog.Acted()) << n;
        EXPECT_TRUE(bLook) << sName.toStdString();
        if (sName.startsWith("AboutBox")) EXPECT_LE(nWidth, o.oWindow.width());
        ++n;
    }
}
