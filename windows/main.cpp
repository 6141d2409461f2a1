// CorvelXMem: the desktop application.
#include "CPanelWindow.h"
#include "CQtHost.h"

#include <QApplication>
#include <cstdio>

using namespace corvel;

int main(int argc, char* argv[]) {
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
    return oApp.exec();
}
