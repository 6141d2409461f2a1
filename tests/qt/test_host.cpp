// The host's sound, clock and event visits.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include "QtTestSupport.h"

namespace {
QByteArray ReadResource(const char* sPath) {
    QFile f(QString::fromLatin1(sPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(Sounds, TheEmbeddedSoundsAreShortMonoPcmAndBrokenDataIsRefused) {
    CSoundPlayer::CWav oClick, oBeep;
    ASSERT_TRUE(CSoundPlayer::ParseWav(ReadResource(":/assets/click.wav"), oClick));
    const QByteArray aGood = ReadResource(":/assets/beep.wav");
    ASSERT_TRUE(CSoundPlayer::ParseWav(aGood, oBeep));
    for (const auto* p : {&oClick, &oBeep}) {
        EXPECT_EQ(p->oFormat.channelCount(), 1);
        EXPECT_EQ(p->oFormat.sampleFormat(), QAudioFormat::Int16);
        EXPECT_FALSE(p->aPcm.isEmpty());
    }
    EXPECT_LT(oClick.nDurationMs, 100);
    EXPECT_GE(oBeep.nDurationMs, 250);
    EXPECT_LE(oBeep.nDurationMs, 500);

    QByteArray aFloat = aGood, aNotWave = aGood;
    aFloat[20] = 3;   // IEEE float samples
    aNotWave.replace(8, 4, "AVI ");
    // Empty, cut inside the header, data shorter than announced, float, not WAVE.
    for (const QByteArray& a : {QByteArray(), aGood.left(30), aGood.left(aGood.size() - 10), aFloat, aNotWave})
        EXPECT_FALSE(CSoundPlayer::ParseWav(a, oBeep)) << a.size();
}

TEST(Sounds, WithoutAnOutputDeviceTheyAreSkippedSilently) {
    if (CSoundPlayer::HasOutput()) GTEST_SKIP() << "this machine has an audio output";
    CQtHost oHost;
    oHost.PlaySound(enmSound::Click);
    oHost.PlaySound(enmSound::Beep);
    EXPECT_EQ(std::vector<int>({oHost.Sound().SkippedCount(), oHost.Sound().PlayedCount()}), std::vector<int>({2, 0}));
}

// The window's host drives a run from its event loop: the click that starts
// it returns at once, events keep flowing, and R/S is never held back by a
// timed display (the benchmark measures how soon it stops a run).
TEST(HostRun, TheEventLoopDrivesTheRunAndRSCutsAPauseOrBlinkShort) {
    for (const char* sShow : {"PAUSE", "-X-", "STK"}) {
        SCOPED_TRACE(sShow);
        CCalcUnderTest o;
        for (int i = 1; i <= 4; ++i) o.oMain.Prgm().SetLine(i, std::vector<std::string>{"LBL A", "ISZ", sShow, "GTO A"}[i - 1]);
        o.oMain.Prgm().ScanLabels();
        bool bTick = false;
        QTimer::singleShot(0, [&]() { bTick = true; });
        o.oMain.PressKey("A");
        EXPECT_TRUE(o.oMain.IsRunning());   // not a step has run yet
        QElapsedTimer oClock;
        oClock.start();
        while (!o.oMain.Showing() && oClock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_TRUE(bTick);
        ASSERT_TRUE(o.oMain.Showing());
        const qint64 nPressed = oClock.elapsed();
        o.oMain.PressKey("R/S");
        ASSERT_TRUE(o.WaitIdle(5000));
        EXPECT_LT(oClock.elapsed() - nPressed, 900);   // long before the display's second is over
        EXPECT_EQ(o.oMain.Machine().oMem.RclI(), 1);
        EXPECT_FALSE(o.oMain.View().bBusy || o.oMain.Showing());
    }
}

// Keys typed while a timed display is on act after it, in the order typed.
TEST(HostRun, KeysDuringAPauseActAfterIt) {
    CCalcUnderTest o;
    for (int i = 1; i <= 3; ++i) o.oMain.Prgm().SetLine(i, std::vector<std::string>{"LBL A", "PAUSE", "RTN"}[i - 1]);
    o.oMain.Prgm().ScanLabels();
    o.oMain.PressKey("A");
    QElapsedTimer oClock;
    oClock.start();
    while (!o.oMain.Showing() && oClock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(o.oMain.Showing());
    for (const char* k : {"4", "ENTER", "2", "-"}) o.oMain.PressKey(k);
    EXPECT_EQ(o.oMain.Machine().oStack.GetX(), 0);   // nothing yet
    ASSERT_TRUE(o.WaitIdle(10000));
    EXPECT_EQ(o.oMain.Machine().oStack.GetX(), 2);   // 4 - 2: in the order typed
}

TEST(Sounds, WithAnOutputDeviceTheyPlayToTheirEndBeforeReturning) {
    if (!CSoundPlayer::HasOutput()) GTEST_SKIP() << "this machine has no audio output";
    CSoundPlayer::CWav oBeep;
    ASSERT_TRUE(CSoundPlayer::ParseWav(ReadResource(":/assets/beep.wav"), oBeep));
    CSoundPlayer oPlayer;
    bool bEventRan = false;
    QTimer::singleShot(0, [&]() { bEventRan = true; });
    QElapsedTimer oClock;
    oClock.start();
    EXPECT_TRUE(oPlayer.Play(":/assets/beep.wav"));
    EXPECT_GE(oClock.elapsed(), oBeep.nDurationMs);
    EXPECT_FALSE(bEventRan);   // the wait did not run the window's event loop
    EXPECT_FALSE(oPlayer.Play(":/assets/missing.wav"));   // a sound that cannot be read is skipped
    EXPECT_EQ(std::vector<int>({oPlayer.PlayedCount(), oPlayer.SkippedCount()}), std::vector<int>({1, 1}));
}
