// The front panel window: clicks and typed keys reach the calculator, it shows what that holds, and it scales.
#include "QtTestSupport.h"

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
    EXPECT_GT(o.oWindow.SpotRect("ENTER").width(), o.oWindow.SpotRect("CHS").width() * 2);   // the one double-width key
}

TEST(PanelWindow, ScalesToAnySizeKeepingItsProportions) {
    CCalcUnderTest o;
    const QRect rcKey0 = o.oWindow.SpotRect("7");
    o.oWindow.resize(100, 160);   // less than the minimum: it stops at the minimum
    EXPECT_EQ(o.oWindow.size(), CPanelWindow::MinimumPanelSize());
    for (const QSize& oSize : {CPanelWindow::MinimumPanelSize(), QSize(960, 1600), QSize(1000, 700)}) {
        o.oWindow.resize(oSize);
        QCoreApplication::processEvents();
        const QImage oImg = o.oWindow.GrabPanel();
        EXPECT_TRUE(oImg.size() / oImg.devicePixelRatio() == o.oWindow.size() &&
                    Peak(oImg, o.oWindow.SpotRect("DISPLAY")) > 200);
        // Uniform scaling: the key keeps its shape, the panel stays centred.
        const QRect rcKey = o.oWindow.SpotRect("7");
        EXPECT_NEAR(double(rcKey.width()) / rcKey.height(), double(rcKey0.width()) / rcKey0.height(), 0.1);
        EXPECT_NEAR(o.oWindow.SpotRect("A").left() + o.oWindow.SpotRect("E").right(), o.oWindow.width(), 3);
    }
    // Clicks still land on the right keys at the last size, and the panel shows the result.
    o.Clicks({"7", ".", "5", "ENTER", "2", "/"});
    EXPECT_EQ(QString::fromStdString(o.oMain.View().lblDisp) + "|" + o.oWindow.PaintedDisplay(), "3.75|3.75");
}

// Pressed on one key and released on another, neither runs.
TEST(PanelWindow, AKeyActsOnReleaseAndTheSwitchesFollowTheCalculatorState) {
    CCalcUnderTest o;
    const QPoint oCentre = o.oWindow.SpotRect("9").center();
    const QImage oUp = o.oWindow.GrabPanel();
    SendMouse(&o.oWindow, QEvent::MouseButtonPress, oCentre);
    EXPECT_TRUE(oUp != o.oWindow.GrabPanel() && o.oMain.View().lblDisp == "0.00");
    SendMouse(&o.oWindow, QEvent::MouseButtonRelease, oCentre);
    SendMouse(&o.oWindow, QEvent::MouseButtonPress, o.oWindow.SpotRect("5").center());
    SendMouse(&o.oWindow, QEvent::MouseButtonRelease, o.oWindow.SpotRect("6").center());
    EXPECT_EQ(o.oMain.View().lblDisp, "9");
    // What the keys do while off is in tests/panel/test_keyboard.cpp.
    for (const auto& [sAway, sBack] : {std::pair{"OFF", "ON"}, std::pair{"W/PRGM", "RUN"}}) {
        o.Click(sAway);
        const QImage oAway = o.oWindow.GrabPanel();
        EXPECT_FALSE((o.oMain.View().bOn && o.oMain.View().bRun) ||
                     (!o.oMain.View().bOn && Peak(oAway, o.oWindow.SpotRect("DISPLAY")) > 200)) << sAway;
        o.Click(sBack);
        EXPECT_TRUE(o.oMain.View().bOn && o.oMain.View().bRun && o.oWindow.GrabPanel() != oAway) << sBack;
    }
}

// What the core changes is painted as soon as it asks for a repaint, without the event loop.
TEST(PanelWindow, TheCoreRepaintsWithoutTheEventLoop) {
    CCalcUnderTest o;
    const QRect rcCard = o.oWindow.SpotRect("CARD");
    const QImage oEmpty = o.oWindow.GrabPanel().copy(rcCard);
    o.oMain.Machine().lblDisp = "1 23";
    o.oMain.SetTitle("CorvelXMem [STO]");
    o.oMain.SetRunning(true);
    o.oMain.SetCardVisible(true);   // the card picture appears with a program
    o.oMain.SetProgramLabel("demo.corvel");
    for (enmPart e : {enmPart::Disp, enmPart::Title, enmPart::Cursor, enmPart::Card, enmPart::PrgmLabel}) o.oHost.Refresh(e);
    EXPECT_EQ(o.oWindow.PaintedDisplay() + "|" + o.oWindow.windowTitle(), "1 23|CorvelXMem [STO]");
    EXPECT_TRUE(o.oWindow.cursor().shape() == Qt::BusyCursor && o.oWindow.GrabPanel().copy(rcCard) != oEmpty);
    o.oMain.SetRunning(false);
    o.oHost.Refresh(enmPart::Cursor);
    EXPECT_NE(o.oWindow.cursor().shape(), Qt::BusyCursor);
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
    const QString sErr = QString::fromLocal8Bit(oProc.readAllStandardError()).trimmed();
    EXPECT_TRUE(oProc.exitCode() == 1 && sErr.contains("xvfb-run") && !sErr.contains('\n')) << sErr;
}

TEST(PanelWindow, TypedRAndClosingTheWindowStopARunningProgram) {
    CCalcUnderTest o;
    o.Clicks({"W/PRGM", "f", "SST", "A", "1", "+", "GTO", "A", "RUN"});
    o.oMain.MarkWorkKept();   // nothing to ask about on closing
    const std::function<void()> kStops[] = {[&] { KeyClicks(&o.oWindow, "R"); }, [&] { o.oWindow.close(); }};
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
