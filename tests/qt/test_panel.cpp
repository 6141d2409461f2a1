// The front panel window: clicks and typed characters reach the calculator,
// the panel shows what the calculator holds, and it scales with the window.
#include "QtTestSupport.h"

namespace {
QRect DisplayArea(CPanelWindow& w) {
    // The display sits above the first row of keys, across the panel.
    const QRect rcA = w.SpotRect("A"), rcE = w.SpotRect("E"), rcOff = w.SpotRect("OFF");
    return QRect(QPoint(rcA.left(), 0), QPoint(rcE.right(), rcOff.top() - 1)).intersected(w.rect());
}
// True when the image has some bright red LED pixels in the display.
bool HasLitLed(const QImage& oImg, CPanelWindow& w) { return LedPeak(oImg, DisplayArea(w)) > 200; }
}  // namespace

TEST(PanelWindow, EveryControlHasItsOwnAreaAndHitTestingMatchesIt) {
    CCalcUnderTest o;
    const QStringList vNames = o.oWindow.SpotNames();
    EXPECT_EQ(vNames.size(), 35 + 11);   // 35 keys, 2 switches of 2 areas, card slot, 6 buttons
    EXPECT_EQ(QSet<QString>(vNames.begin(), vNames.end()).size(), vNames.size());
    for (const QString& s : vNames) {
        const QRect rc = o.oWindow.SpotRect(s);
        EXPECT_TRUE(o.oWindow.rect().contains(rc) && o.oWindow.SpotAt(rc.center()) == s) << s;
        for (const QString& t : vNames)
            EXPECT_FALSE(t != s && rc.adjusted(1, 1, -1, -1).intersects(o.oWindow.SpotRect(t))) << s << " overlaps " << t;
    }
    // ENTER is the one double-width key.
    EXPECT_GT(o.oWindow.SpotRect("ENTER").width(), o.oWindow.SpotRect("CHS").width() * 2);
}

TEST(PanelWindow, ScalesToAnySizeKeepingItsProportions) {
    CCalcUnderTest o;
    const QRect rcKey0 = o.oWindow.SpotRect("7");
    // Asked for less than the minimum, it stops at the minimum.
    o.oWindow.resize(100, 160);
    EXPECT_EQ(o.oWindow.size(), CPanelWindow::MinimumPanelSize());
    for (const QSize& oSize : {CPanelWindow::MinimumPanelSize(), QSize(960, 1600), QSize(1000, 700)}) {
        o.oWindow.resize(oSize);
        QCoreApplication::processEvents();
        const QImage oImg = o.oWindow.GrabPanel();
        EXPECT_EQ(oImg.size() / oImg.devicePixelRatio(), o.oWindow.size());
        EXPECT_TRUE(HasLitLed(oImg, o.oWindow));
        // Uniform scaling: the key keeps its shape, the panel stays centred.
        const QRect rcKey = o.oWindow.SpotRect("7");
        EXPECT_NEAR(double(rcKey.width()) / rcKey.height(), double(rcKey0.width()) / rcKey0.height(), 0.1);
        const QRect rcA = o.oWindow.SpotRect("A"), rcE = o.oWindow.SpotRect("E");
        EXPECT_NEAR(rcA.left() + rcE.right(), o.oWindow.width(), 3);
    }
    // Clicks still land on the right keys at the last size, and the panel shows the result.
    o.Clicks({"CLX", "7", ".", "5", "ENTER", "2", "/", "4", "*", "1", "-"});
    EXPECT_EQ(QString::fromStdString(o.oMain.View().lblDisp) + "|" + o.oWindow.PaintedDisplay(), "14.00|14.00");
}

TEST(PanelWindow, AKeyActsOnReleaseAndShowsThatItIsHeldDown) {
    CCalcUnderTest o;
    const QPoint oCentre = o.oWindow.SpotRect("9").center();
    const QImage oUp = o.oWindow.GrabPanel();
    MousePress(&o.oWindow, oCentre);
    EXPECT_NE(oUp, o.oWindow.GrabPanel());
    const std::string sPressed = o.oMain.View().lblDisp;
    MouseRelease(&o.oWindow, oCentre);
    EXPECT_EQ(sPressed + "|" + o.oMain.View().lblDisp, "0.00|9");

    // Pressed on one key and released on another: neither runs.
    MousePress(&o.oWindow, o.oWindow.SpotRect("5").center());
    MouseRelease(&o.oWindow, o.oWindow.SpotRect("6").center());
    EXPECT_EQ(o.oMain.View().lblDisp, "9");
}

TEST(PanelWindow, SwitchesFollowTheCalculatorState) {
    // What the keys do while off is in tests/panel/test_keyboard.cpp.
    CCalcUnderTest o;
    for (const auto& [sAway, sBack] : {std::pair{"OFF", "ON"}, std::pair{"W/PRGM", "RUN"}}) {
        o.Click(sAway);
        const QImage oAway = o.oWindow.GrabPanel();
        EXPECT_FALSE(o.oMain.View().bOn && o.oMain.View().bRun) << sAway;
        if (!o.oMain.View().bOn) EXPECT_FALSE(HasLitLed(oAway, o.oWindow));
        o.Click(sBack);
        EXPECT_TRUE(o.oMain.View().bOn && o.oMain.View().bRun) << sBack;
        EXPECT_NE(o.oWindow.GrabPanel(), oAway) << sBack;
    }
}

// What the core changes is painted when it asks for a repaint, without the
// event loop: a blinking display asks while it keeps the thread.
TEST(PanelWindow, TheCoreRepaintsWithoutTheEventLoop) {
    CCalcUnderTest o;
    const QRect rcCard = o.oWindow.SpotRect("CARD");
    const QImage oEmpty = o.oWindow.GrabPanel().copy(rcCard);
    o.oMain.Machine().lblDisp = "1 23";
    o.oHost.Refresh(enmPart::Disp);
    o.oMain.SetTitle("CorvelXMem [STO]");
    o.oHost.Refresh(enmPart::Title);
    EXPECT_EQ(o.oWindow.PaintedDisplay() + "|" + o.oWindow.windowTitle(), "1 23|CorvelXMem [STO]");
    for (bool bBusy : {true, false}) {
        o.oMain.SetRunning(bBusy);
        o.oHost.Refresh(enmPart::Cursor);
        EXPECT_EQ(o.oWindow.cursor().shape() == Qt::BusyCursor, bBusy);
    }
    // The card picture appears with a program.
    o.oMain.SetCardVisible(true);
    o.oMain.SetProgramLabel("demo.corvel");
    o.oHost.Refresh(enmPart::Card);
    o.oHost.Refresh(enmPart::PrgmLabel);
    EXPECT_NE(o.oWindow.GrabPanel().copy(rcCard), oEmpty);
}

TEST(Application, RefusesPolitelyWithoutADisplay) {
    const QString sExe = QCoreApplication::applicationDirPath() + "/../corvelxmem";
    if (!QFileInfo::exists(sExe)) GTEST_SKIP() << "corvelxmem is not built";
    QProcess oProc;
    QProcessEnvironment oEnv = QProcessEnvironment::systemEnvironment();
    for (const char* s : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) oEnv.remove(s);
    oProc.setProcessEnvironment(oEnv);
    oProc.start(sExe, {});
    ASSERT_TRUE(oProc.waitForFinished(10000));
    EXPECT_EQ(oProc.exitCode(), 1);
    const QString sErr = QString::fromLocal8Bit(oProc.readAllStandardError()).trimmed();
    EXPECT_TRUE(sErr.contains("xvfb-run") && !sErr.contains('\n')) << sErr;
}

// A program that never ends is stopped by the R key typed into the window,
// and closing the window stops it too; the window takes keys again afterwards.
TEST(PanelWindow, TypedRAndClosingTheWindowStopARunningProgram) {
    CCalcUnderTest o;
    o.Clicks({"W/PRGM", "f", "SST", "A", "1", "+", "GTO", "A", "RUN"});
    const std::function<void()> kStops[] = {[&] { KeyClicks(&o.oWindow, "R"); },
                                            [&] {
                                                o.oMain.MarkWorkKept();   // nothing to ask about on closing
                                                o.oWindow.close();
                                            }};
    for (const auto& fnStop : kStops) {
        QTimer oOnceRunning;   // however late the first slice comes on a loaded machine
        QObject::connect(&oOnceRunning, &QTimer::timeout, [&] {
            if (o.oMain.Prgm().nRunSteps < 100) return;
            oOnceRunning.stop();
            fnStop();
        });
        oOnceRunning.start(10);
        o.Click("A");
        EXPECT_FALSE(o.oMain.IsRunning() || o.oMain.View().bInErr || o.oMain.View().bBusy);
        EXPECT_GE(o.oMain.Prgm().nRunSteps, 100u);   // it ran, and was stopped
    }
    EXPECT_FALSE(o.oWindow.isVisible());
}
