#include "app/UpdateSchedule.h"

#include "platform/Platform.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"
#include "shared/settings/Settings.h"
#include "shared/updater/UpdateWindow.h"
#include "shared/util/ProgramInfo.h"

namespace wexlo::updateschedule {

namespace logname {
namespace {
const QString& kModule = wexlo::logname::kUpdateScheduleModule;
const QString kAutoCheckDisabled = QStringLiteral("autocheckdisabled");
const QString kCheckDue = QStringLiteral("updatecheckdue");
}  // namespace
}  // namespace logname

namespace {

qint64 todayNumber() { return dates::dayNumber(platform::clock().today()); }

QString withoutFinalSlash(QString s)
{
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}
}  // namespace

QString packageFileName() { return programInfo().updateFileName; }

QString updateServer(const QStringList& arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--update-server"));
    if (at >= 0 && at + 1 < arguments.size())
        return withoutFinalSlash(arguments.at(at + 1));
    for (const QString& a : arguments)
        if (a.startsWith(QStringLiteral("--update-server=")))
            return withoutFinalSlash(a.mid(16));
    return withoutFinalSlash(programInfo().updateServer);
}

QString versionFileUrl(const QString& server)
{
    return server + QStringLiteral("/versions/WXLO_current.txt");
}

QString detailsFileUrl(const QString& server)
{
    return server + QStringLiteral("/versions/WXLO_details.txt");
}

bool autoCheckDisabled()
{
    bool disabled = true;
    // A setting that is not a yes or no is logged and leaves the check off.
    runGuarded(logname::kAutoCheckDisabled, logname::kModule, [&] {
        disabled = settings::readSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool();
    });
    if (disabled)
        logging::writeLine(QStringLiteral("Automatic update check is disabled"));
    return disabled;
}

bool checkDue()
{
    const QString weekAgo = QString::number(todayNumber() - 7);
    QString last = weekAgo;
    // A date that cannot be read is logged and counts as a week ago.
    runGuarded(logname::kCheckDue, logname::kModule, [&] {
        last = settings::readSetting(QStringLiteral("LastUpdateCheck"),
                                     static_cast<std::int32_t>(todayNumber() - 7))
                   .toText();
        if (last.contains(QLatin1Char('/')))
            last = QString::number(dates::dayNumber(dates::parseDate(last)));
    });
    last = last.trimmed();
    // Compared as texts: for five-digit day numbers (1927 to 2173) that is the numeric order.
    return QString::compare(last, weekAgo, Qt::CaseSensitive) <= 0;
}

void recordCheck() { UpdateWindow::recordUpdateCheck(); }

}  // namespace wexlo::updateschedule
