// CorvelXMem: the desktop application.
#include "CPanelWindow.h"
#include "CQtHost.h"

#include <QApplication>
#include <cstdio>
#include <string>

#include "../machine/CFileIO.h"
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
                "usage: corvelxmem [--version] [--help] [Qt options]\n\n"
                "Opens the calculator window: a keystroke-programmable RPN scientific calculator with\n"
                "a four-level stack, 1000 registers and programs of up to 999 steps. Click its keys or\n"
                "type them (the README lists the characters); Ctrl+C copies X, Ctrl+V pastes a number.\n"
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
    // A file size limit makes a save fail and say so, instead of ending the session.
    FileIO::IgnoreFileSizeSignal();
    QApplication oApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvelXMem"));

    CQtHost oHost;
    CFrontPanel oMain(oHost);
    CPanelWindow oWindow(oMain);
    oHost.SetPanel(&oWindow);
    oWindow.show();
    return oApp.exec();
}
