#include "CSoundPlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <memory>

namespace {
// The audio service keeps playing what it was given for a moment after the
// data has been handed over; stopping the output earlier cuts the sound.
constexpr int kTailMs = 250;
// Upper bound on the wait beyond the sound's own length, should the audio
// service never answer: a key must not hang the calculator.
constexpr int kGiveUpMs = 3000;

quint32 ReadU32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 ReadU16(const char* p) { return qFromLittleEndian<quint16>(p); }
}  // namespace

CSoundPlayer::CSoundPlayer() = default;

CSoundPlayer::~CSoundPlayer() {
    if (pThread_) {
        // Outputs still in their tail are stopped in their own thread.
        QObject* pWorker = pWorker_;
        QMetaObject::invokeMethod(pWorker_, [pWorker]() {
            // Each output before the buffer it reads from.
            for (QAudioSink* pSink : pWorker->findChildren<QAudioSink*>()) {
                pSink->stop();
                delete pSink;
            }
            qDeleteAll(pWorker->children());
        }, Qt::BlockingQueuedConnection);
        pThread_->quit();
        pThread_->wait();
        delete pWorker_;
        delete pThread_;
    }
}

bool CSoundPlayer::HasOutput() { return !QMediaDevices::defaultAudioOutput().isNull(); }

bool CSoundPlayer::ParseWav(const QByteArray& aFile, CWav& oWav) {
    const char* p = aFile.constData();
    const qsizetype n = aFile.size();
    if (n < 12 || memcmp(p, "RIFF", 4) != 0 || memcmp(p + 8, "WAVE", 4) != 0) return false;
    int nChannels = 0, nRate = 0, nBits = 0;
    bool bFmt = false;
    qsizetype nPos = 12;
    while (nPos + 8 <= n) {
        const quint32 nLen = ReadU32(p + nPos + 4);
        const qsizetype nBody = nPos + 8;
        if (nLen > static_cast<quint32>(n - nBody)) return false;
        if (memcmp(p + nPos, "fmt ", 4) == 0) {
            if (nLen < 16 || ReadU16(p + nBody) != 1) return false;   // integer PCM only
            nChannels = ReadU16(p + nBody + 2);
            nRate = static_cast<int>(ReadU32(p + nBody + 4));
            nBits = ReadU16(p + nBody + 14);
            bFmt = true;
        } else if (memcmp(p + nPos, "data", 4) == 0) {
            if (!bFmt || nChannels < 1 || nRate < 1 || (nBits != 8 && nBits != 16)) return false;
            oWav.oFormat.setSampleRate(nRate);
            oWav.oFormat.setChannelCount(nChannels);
            oWav.oFormat.setSampleFormat(nBits == 16 ? QAudioFormat::Int16 : QAudioFormat::UInt8);
            oWav.aPcm = aFile.mid(nBody, nLen);
            const qint64 nBytesPerSec = static_cast<qint64>(nRate) * nChannels * (nBits / 8);
            oWav.nDurationMs = static_cast<int>(oWav.aPcm.size() * 1000 / nBytesPerSec);
            return true;
        }
        nPos = nBody + nLen + (nLen & 1);   // chunks are padded to even length
    }
    return false;
}

const CSoundPlayer::CWav* CSoundPlayer::Load(const QString& sPath) {
    auto it = oCache_.find(sPath);
    if (it != oCache_.end()) return &it.value();
    QFile oFile(sPath);
    if (!oFile.open(QIODevice::ReadOnly)) return nullptr;
    CWav oWav;
    if (!ParseWav(oFile.readAll(), oWav)) return nullptr;
    return &oCache_.insert(sPath, oWav).value();
}

bool CSoundPlayer::Play(const QString& sPath) {
    const QAudioDevice oDevice = QMediaDevices::defaultAudioOutput();
    const CWav* pWav = oDevice.isNull() ? nullptr : Load(sPath);
    if (!pWav) {
        ++nSkipped_;
        return false;
    }
    if (!pThread_) {
        pThread_ = new QThread;
        pThread_->setObjectName("sound");
        pWorker_ = new QObject;
        pWorker_->moveToThread(pThread_);
        pThread_->start();
    }
    // Shared, so that a give-up on this side leaves the worker a valid semaphore.
    auto pDone = std::make_shared<QSemaphore>(0);
    const CWav oWav = *pWav;
    QObject* pWorker = pWorker_;
    QMetaObject::invokeMethod(pWorker_, [oDevice, oWav, pDone, pWorker]() {
        // Both belong to the worker, so that whatever is still playing when
        // the player goes away is cleaned up with it.
        auto* pBuffer = new QBuffer(pWorker);
        pBuffer->setData(oWav.aPcm);
        pBuffer->open(QIODevice::ReadOnly);
        auto* pSink = new QAudioSink(oDevice, oWav.oFormat, pWorker);
        pSink->start(pBuffer);
        auto fnStop = [pSink, pBuffer]() {
            pSink->stop();
            delete pSink;
            delete pBuffer;
        };
        if (pSink->error() != QAudio::NoError) {
            fnStop();
            pDone->release();
            return;
        }
        // The caller goes on when the sound's own length has passed; the
        // output is stopped only after the tail, so the end is never cut
        // even though the audio service plays a little behind.
        QTimer::singleShot(oWav.nDurationMs, pWorker, [pDone]() { pDone->release(); });
        QTimer::singleShot(oWav.nDurationMs + kTailMs, pWorker, fnStop);
    }, Qt::QueuedConnection);
    pDone->tryAcquire(1, oWav.nDurationMs + kGiveUpMs);
    ++nPlayed_;
    return true;
}
