// CorvelXMem: the desktop application.
#include "CPanelWindow.h"
#include "CQtHost.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>

#include "corvel_version.h"

using namespace corvel;

int main(int argc, char* argv[]) {
    // Read before any Qt object exists, so they answer without a display.
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
    QApplication oApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvelXMem"));

    CQtHost oHost;
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    // A listing named on the command line, read once the window is up.
    const QStringList vArgs = QApplication::arguments().mid(1);
    for (const QString& s : vArgs) {
        if (s.startsWith('-')) continue;
        QTimer::singleShot(0, &oWindow, [&oWindow, s]() { oWindow.OpenListing(s); });
        break;
    }
    return oApp.exec();
}
