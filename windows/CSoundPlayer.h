#pragma once
// Plays a short WAV resource to its end without running the GUI event loop.
// The audio output lives in a worker thread with an event loop of its own;
// the caller waits on a semaphore until the sound has had time to finish.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QAudioFormat>

class QThread;
class QObject;

class CSoundPlayer {
public:
    CSoundPlayer();
    ~CSoundPlayer();
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;

    // Plays the WAV file at sPath (a resource such as ":/assets/click.wav")
    // and returns when it has finished. Returns false at once, silently, when
    // there is no audio output or the file cannot be read.
    bool Play(const QString& sPath);

    // True when the system offers an audio output device.
    static bool HasOutput();

    int PlayedCount() const { return nPlayed_; }
    int SkippedCount() const { return nSkipped_; }

    // A decoded PCM WAV file.
    struct CWav {
        QAudioFormat oFormat;
        QByteArray aPcm;
        int nDurationMs = 0;
    };
    // Reads a RIFF/WAVE file of 8- or 16-bit integer PCM; false when it is not one.
    static bool ParseWav(const QByteArray& aFile, CWav& oWav);

private:
    const CWav* Load(const QString& sPath);

    QHash<QString, CWav> oCache_;
    QThread* pThread_ = nullptr;
    QObject* pWorker_ = nullptr;   // lives in pThread_
    int nPlayed_ = 0;
    int nSkipped_ = 0;
};
