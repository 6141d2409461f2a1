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

TEST(HostEvents, ARunningProgramsYieldsLetPendingEventsThrough) {
    CQtHost oHost;
    bool bDelivered = false;
    QTimer::singleShot(0, [&]() { bDelivered = true; });
    QElapsedTimer oLimit;
    oLimit.start();
    // Yields as a running program would give them, step after step.
    while (!bDelivered && oLimit.elapsed() < 5000) oHost.ProcessEvents();
    EXPECT_TRUE(bDelivered);
    EXPECT_GE(oHost.EventVisits(), 1);

    // Yields in quick succession visit the event loop only now and then.
    const long nBefore = oHost.EventVisits();
    for (int i = 0; i < 10000; ++i) oHost.ProcessEvents();
    EXPECT_LT(oHost.EventVisits() - nBefore, 1000);
}

TEST(HostEvents, IdleWaitsLetEventsThroughOnlyWhenAsked) {
    CQtHost oHost;
    const double fStart = oHost.ClockSeconds();
    EXPECT_NEAR(fStart, QDateTime::currentMSecsSinceEpoch() / 1000.0, 2.0);
    bool bDelivered = false;
    QTimer::singleShot(0, [&]() { bDelivered = true; });
    oHost.IdleUntil(fStart + 0.001, false);
    EXPECT_FALSE(bDelivered);
    oHost.IdleUntil(fStart + 0.001, true);
    EXPECT_TRUE(bDelivered);
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
