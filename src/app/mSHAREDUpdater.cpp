#include "app/mSHAREDUpdater.h"

#include "platform/Platform.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/settings/mSHAREDSettings.h"
#include "shared/updater/fSHAREDUpdater.h"
#include "shared/util/ProgramInfo.h"

namespace wexlo::mSHAREDUpdater {

namespace {
const QString kModule = QStringLiteral("mSHAREDUpdater");

qint64 todayNumber() { return dates::dayNumber(platform::clock().today()); }

QString withoutFinalSlash(QString s)
{
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s;
}
}  // namespace

QString UpdateFileName() { return programInfo().updateFileName; }

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

bool AutoCheckDisabled()
{
    bool disabled = true;
    OnError on(QStringLiteral("autocheckdisabled"), kModule);
    on([&] {
        disabled =
            mSHAREDSettings::ReadSetting(QStringLiteral("DisableAutoUpdateCheck"), true).toBool();
    });
    if (disabled)
        on([] { mSHAREDLogging::writelog(QStringLiteral("Automatic update check is disabled")); });
    return disabled;
}

bool UpdateCheckDue()
{
    bool due = false;
    OnError on(QStringLiteral("updatecheckdue"), kModule);
    const QString weekAgo = QString::number(todayNumber() - 7);
    QString last;
    on([&] {
        last = mSHAREDSettings::ReadSetting(QStringLiteral("LastUpdateCheck"),
                                            static_cast<std::int32_t>(todayNumber() - 7))
                   .toText();
    });
    if (last.contains(QLatin1Char('/')))
        on([&] { last = QString::number(dates::dayNumber(dates::parseDate(last))); });
    last = last.trimmed();
    // Compared as texts: for five-digit day numbers (1927 to 2173) that is the numeric order.
    due = QString::compare(last, weekAgo, Qt::CaseSensitive) <= 0;
    return due;
}

void RecordUpdateCheck() { fSHAREDUpdater::RecordUpdateCheck(); }

}  // namespace wexlo::mSHAREDUpdater
