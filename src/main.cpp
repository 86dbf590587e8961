#include "app/frmMain.h"
#include "platform/AppFolder.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wexlo"));
    // The exit procedure ends the program itself, whichever windows are still around.
    QApplication::setQuitOnLastWindowClosed(false);
    wexlo::platform::setAppFolder(
        wexlo::platform::resolveAppFolder(QApplication::arguments(), wexlo::platform::programFolder()));
    wexlo::frmMain window;
    QObject::connect(&window, &wexlo::frmMain::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return QApplication::exec();
}
