// The host's sound, clock and event visits.
#include "QtTestSupport.h"

TEST(Sounds, ShortMonoPcmPlayedToTheirEndOrSkippedAndBrokenDataRefused) {
    CSoundPlayer::CWav oClick, oBeep;
    ASSERT_TRUE(CSoundPlayer::ParseWav(ReadFile(":/assets/click.wav"), oClick));
    const QByteArray aGood = ReadFile(":/assets/beep.wav");
    ASSERT_TRUE(CSoundPlayer::ParseWav(aGood, oBeep));
    for (const auto* p : {&oClick, &oBeep})
        EXPECT_TRUE(p->oFormat.channelCount() == 1 && p->oFormat.sampleFormat() == QAudioFormat::Int16 && !p->aPcm.isEmpty());
    EXPECT_TRUE(oClick.nDurationMs < 100 && oBeep.nDurationMs >= 250 && oBeep.nDurationMs <= 500);

    QByteArray aFloat = aGood, aNotWave = aGood;
    aFloat[20] = 3;   // IEEE float samples
    aNotWave.replace(8, 4, "AVI ");
    // Empty, cut inside the header, data shorter than announced, float, not WAVE.
    for (const QByteArray& a : {QByteArray(), aGood.left(30), aGood.left(aGood.size() - 10), aFloat, aNotWave})
        EXPECT_FALSE(CSoundPlayer::ParseWav(a, oBeep)) << a.size();
    // Played to their end before returning, or skipped silently without an output device.
    CQtHost oHost;
    if (!CSoundPlayer::HasOutput()) {
        for (enmSound e : {enmSound::Click, enmSound::Beep}) oHost.PlaySound(e);
        EXPECT_EQ(std::vector<int>({oHost.Sound().SkippedCount(), oHost.Sound().PlayedCount()}), std::vector<int>({2, 0}));
        return;
    }
    CSoundPlayer oPlayer;
    bool bEventRan = false;
    QTimer::singleShot(0, [&]() { bEventRan = true; });
    QElapsedTimer oClock;
    oClock.start();
    EXPECT_TRUE(oPlayer.Play(":/assets/beep.wav") && oClock.elapsed() >= 250 && !bEventRan);   // the wait runs no event loop
    EXPECT_FALSE(oPlayer.Play(":/assets/missing.wav"));   // a sound that cannot be read is skipped
    EXPECT_EQ(std::vector<int>({oPlayer.PlayedCount(), oPlayer.SkippedCount()}), std::vector<int>({1, 1}));
}

// The click that starts a run returns at once; the benchmark measures how soon R/S stops a run.
TEST(HostRun, TheEventLoopDrivesTheRunAndRSCutsAPauseOrBlinkShort) {
    const auto StartUntilShowing = [](CCalcUnderTest& o) {   // true when the timed display came on
        o.oMain.PressKey("A");
        EXPECT_TRUE(o.oMain.IsRunning());   // the key returned at once, the run goes on from the event loop
        return QTest::qWaitFor([&] { return o.oMain.Showing(); }, 5000);
    };
    for (const char* sShow : {"PAUSE", "-X-", "STK"}) {
        SCOPED_TRACE(sShow);
        CCalcUnderTest o;
        o.Program({"LBL A", "ISZ", sShow, "GTO A"});
        bool bTick = false;
        QTimer::singleShot(0, [&]() { bTick = true; });
        ASSERT_TRUE(StartUntilShowing(o));
        EXPECT_TRUE(bTick);
        QElapsedTimer oClock;
        oClock.start();
        o.oMain.PressKey("R/S");
        ASSERT_TRUE(o.WaitIdle(5000));
        EXPECT_LT(oClock.elapsed(), 900);   // long before the display's second is over
        EXPECT_EQ(o.oMain.Machine().oMem.RclI(), 1);
        EXPECT_FALSE(o.oMain.View().bBusy || o.oMain.Showing());
    }
    // Other keys typed while a timed display is on act after it, in the order typed.
    CCalcUnderTest o;
    o.Program({"LBL A", "PAUSE", "RTN"});
    ASSERT_TRUE(StartUntilShowing(o));
    for (const char* k : {"4", "ENTER", "2", "-"}) o.oMain.PressKey(k);
    EXPECT_EQ(o.oMain.Machine().oStack.GetX(), 0);   // nothing yet
    ASSERT_TRUE(o.WaitIdle(10000));
    EXPECT_EQ(o.oMain.Machine().oStack.GetX(), 2);   // 4 - 2: in the order typed
}
