// CorvelXMem: the desktop application.
#include "CPanelWindow.h"
#include "CQtHost.h"
#include "CRecovery.h"

#include <QApplication>
#include <QSessionManager>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <string>

#include "../machine/CFileIO.h"
#include "corvel_version.h"

using namespace corvel;

namespace {

// What is answered before any Qt object exists, so it works without a
// display: --version, --help, and no display at all. The exit status, or -1
// to go on.
int EarlyExit(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("corvelxmem " CORVEL_VERSION "\n");
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::printf(
                "usage: corvelxmem [--version] [--help] [Qt options] [FILE.corvel]\n\n"
                "Opens the calculator window: a keystroke-programmable RPN scientific calculator with\n"
                "a four-level stack, 1000 registers and programs of up to 999 steps. Click its keys or\n"
                "type them (man corvelxmem lists the characters); F1 opens the reference of the keys\n"
                "and instructions, Ctrl+C copies X, Ctrl+V pastes a number. A program listing FILE is\n"
                "read after start-up, as g ENTER reads one.\n"
                "Without a display, run it under Xvfb: xvfb-run -a corvelxmem\n");
            return 0;
        }
    }
    // Without a display Qt would abort with a long platform-plugin message.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("corvelxmem needs a graphical display; run it under Xvfb with: xvfb-run -a build/corvelxmem\n",
                   stderr);
        return 1;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const int nExit = EarlyExit(argc, argv); nExit >= 0) return nExit;
    // A file size limit makes a save fail and say so, instead of ending the session.
    FileIO::IgnoreFileSizeSignal();
    QApplication oApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvelXMem"));

    CQtHost oHost;
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);

    // For the tests only: CORVELXMEM_TEST_INPUT holds words; a first word
    // "yes" or "no" answers the start-up question (printed as "question:
    // TEXT"), the others are key names pressed once the window is shown;
    // then "ready" is printed.
    QStringList vTestInput = qEnvironmentVariable("CORVELXMEM_TEST_INPUT").split(' ', Qt::SkipEmptyParts);
    const bool bTestHook = qEnvironmentVariableIsSet("CORVELXMEM_TEST_INPUT");

    // Before anything else: the work an ended session left behind.
    Recovery::OfferAtStart(oMain, [&](const QString& sText) {
        if (!bTestHook) return oHost.AskYesNo("CorvelXMem", sText.toStdString(), enmIcon::Question);
        std::printf("question: %s\n", qPrintable(sText));
        const bool bYes = !vTestInput.isEmpty() && vTestInput.front() == QLatin1String("yes");
        if (!vTestInput.isEmpty() && (bYes || vTestInput.front() == QLatin1String("no"))) vTestInput.pop_front();
        return bYes;
    });
    // A signal or the session's end keeps changed work in the recovery file.
    const auto fnEnd = [&]() {
        Recovery::SaveIfChanged(oMain);
        oWindow.CloseWithoutAsking();
        oWindow.close();
        QCoreApplication::quit();
    };
    Recovery::OnSignals(&oWindow, fnEnd);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&oApp, &QGuiApplication::commitDataRequest, &oWindow, [&](QSessionManager&) {
        Recovery::SaveIfChanged(oMain);
        oWindow.CloseWithoutAsking();
    });
#endif

    oWindow.show();
    if (bTestHook) {
        QTimer::singleShot(0, &oWindow, [&oMain, vTestInput]() {
            for (const QString& k : vTestInput) oMain.PressKey(k.toStdString());
            std::printf("ready\n");
            std::fflush(stdout);
        });
    }
    // A listing named on the command line, read once the window is up.
    const QStringList vArgs = QApplication::arguments().mid(1);
    for (const QString& s : vArgs) {
        if (s.startsWith('-')) continue;
        QTimer::singleShot(0, &oWindow, [&oWindow, s]() { oWindow.OpenListing(s); });
        break;
    }
    return oApp.exec();
}
