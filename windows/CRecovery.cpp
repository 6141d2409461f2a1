#include "CRecovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace Recovery {

namespace {

int aPipe[2] = {-1, -1};

// Async-signal-safe: one write to the pipe, errno kept.
void OnSignal(int) {
    const int nErrno = errno;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(aPipe[1], &c, 1);
    errno = nErrno;
}

QString Dir() {
    // Only an absolute $XDG_STATE_HOME counts; anything else means the default.
    const QString sXdg = qEnvironmentVariable("XDG_STATE_HOME");
    const QString sBase = !sXdg.isEmpty() && QDir::isAbsolutePath(sXdg)
                              ? sXdg
                              : QDir::homePath() + QStringLiteral("/.local/state");
    return sBase + QStringLiteral("/corvelxmem");
}

} // namespace

QString FilePath() { return Dir() + QStringLiteral("/unsaved-work.txt"); }

bool SaveIfChanged(corvel::CFrontPanel& oMain) {
    if (!oMain.WorkChanged()) return false;
    if (!QDir().mkpath(Dir())) return false;
    return oMain.WriteStateTo(QFile::encodeName(FilePath()).toStdString());
}

void OfferAtStart(corvel::CFrontPanel& oMain, const std::function<bool(const QString&)>& fnAsk) {
    const QString sFile = FilePath();
    if (!QFileInfo(sFile).isFile()) return;
    if (fnAsk(QStringLiteral("The last session ended with unsaved work. Restore it?")) &&
        oMain.RestoreStateFrom(QFile::encodeName(sFile).toStdString())) {
        oMain.MarkWorkChanged();
        oMain.SetNote("Restored the unsaved work of the last session");
    }
    QFile::remove(sFile);
}

void OnSignals(QObject* pOwner, std::function<void()> fnOnSignal) {
    if (aPipe[0] < 0 && ::pipe2(aPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* pNotifier = new QSocketNotifier(aPipe[0], QSocketNotifier::Read, pOwner);
    QObject::connect(pNotifier, &QSocketNotifier::activated, pOwner, [fnOnSignal = std::move(fnOnSignal)]() {
        char aBuf[16];
        while (::read(aPipe[0], aBuf, sizeof aBuf) > 0) {
        }
        fnOnSignal();
    });
    struct sigaction oAct = {};
    oAct.sa_handler = OnSignal;
    sigemptyset(&oAct.sa_mask);
    oAct.sa_flags = SA_RESTART;
    for (int nSig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(nSig, &oAct, nullptr);
}

} // namespace Recovery
