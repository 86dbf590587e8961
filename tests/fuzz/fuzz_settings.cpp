// The settings file may have been edited by hand or damaged: loading it must never crash or
// hang, the store must come out in key order, and what it saves must load back to the same.

#include "FuzzSupport.h"
#include "platform/Platform.h"
#include "shared/settings/SettingsStore.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {

// A save into a fresh temporary folder has no reason to fail; a message box means it did.
class AbortingMessageBox : public wexlo::platform::MessageBox {
public:
    wexlo::platform::MsgAnswer show(const wexlo::platform::MessageRequest& r) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(r.text));
        std::abort();
    }
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        std::abort();
    return f.readAll();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wexlo::fuzz::setUpOnce();
    static const bool installed = [] {
        static AbortingMessageBox boxes;
        wexlo::platform::setMessageBox(&boxes);
        wexlo::SettingsStore::setErrorReporter([](const QString& message, const QString&) {
            std::fprintf(stderr, "unexpected report: %s\n", qPrintable(message));
            std::abort();
        });
        return true;
    }();
    Q_UNUSED(installed)

    const QString input = wexlo::fuzz::appFile(QStringLiteral("input.ini"));
    const QString first = wexlo::fuzz::appFile(QStringLiteral("first.ini"));
    const QString second = wexlo::fuzz::appFile(QStringLiteral("second.ini"));
    wexlo::fuzz::writeFile(input, data, size);

    wexlo::SettingsStore settings;
    settings.load(input);
    for (std::int32_t i = 2; i <= settings.count(); ++i)
        if (QString::compare(settings.keyAt(i - 1), settings.keyAt(i), Qt::CaseSensitive) > 0)
            std::abort();  // the entries must stay in key order

    // The first save upper-cases keys a hand-edited file may hold in lower case; from then on
    // a load and a save change nothing.
    settings.save(first);
    settings.load(first);
    settings.save(first);
    settings.load(first);
    settings.save(second);
    if (readFile(first) != readFile(second))
        std::abort();
    return 0;
}
