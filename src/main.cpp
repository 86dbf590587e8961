#include "app/MainWindow.h"
#include "app/Program.h"
#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "platform/SingleInstance.h"
#include "platform/Translations.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "Usage: wexlo [--home DIR] [--update-server URL]\n"
    "Keeps the register of the things you have lent to other people.\n"
    "\n"
    "  --home DIR            keep the loans, settings and log in DIR\n"
    "                        (else $WEXLO_HOME, else ~/.local/share/Wexlo)\n"
    "  --update-server URL   ask this server for new versions\n"
    "  --help                show this text and end\n"
    "  --version             show the version and end\n";

// Start-up benchmarks set WEXLO_NO_SPLASH_PAUSE to time start-up without the splash's fixed pause;
// only sleeps while the main window is being built are skipped.
class NoSleepClock : public wexlo::platform::Clock {
public:
    void sleepMs(int) override {}
};

}  // namespace

int main(int argc, char* argv[])
{
    wexlo::app::installProgramInfo();
    // Answered before any window exists, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Wexlo %s\n", wexlo::programVersion().toUtf8().constData());
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wexlo"));
    // Before any window is built, so every caption is made in the user's language (LANGUAGE,
    // LC_ALL, LC_MESSAGES or LANG pick it, as for every desktop program).
    wexlo::platform::Translations translations;
    translations.install(QLocale::system(),
                         wexlo::platform::translationsFolder(wexlo::platform::programFolder()));
    wexlo::app::installProgramInfo();  // again, now with its description in that language
    // The exit procedure ends the program itself, whichever windows are still around.
    QApplication::setQuitOnLastWindowClosed(false);
    wexlo::platform::setAppFolder(wexlo::platform::resolveAppFolder(
        QApplication::arguments(), wexlo::platform::programFolder()));
    // One window per register: a second start on the folder brings the first one's to the front.
    wexlo::platform::SingleInstance instance;
    if (!instance.claim(wexlo::platform::appFolder()))
        return 0;
    NoSleepClock noSleep;
    const bool noPause = qEnvironmentVariableIsSet("WEXLO_NO_SPLASH_PAUSE");
    if (noPause)
        wexlo::platform::setClock(&noSleep);
    wexlo::MainWindow window;
    if (noPause)
        wexlo::platform::setClock(nullptr);
    QObject::connect(&window, &wexlo::MainWindow::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &wexlo::platform::SingleInstance::activationRequested, &window,
                     [&window] {
                         window.show();
                         window.raise();
                         window.activateWindow();
                     });
    window.show();
    return QApplication::exec();
}
