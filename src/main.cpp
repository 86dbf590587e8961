#include "platform/AppFolder.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wexlo"));
    wexlo::platform::setAppFolder(
        wexlo::platform::resolveAppFolder(QApplication::arguments(), wexlo::platform::programFolder()));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Wexlo"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
