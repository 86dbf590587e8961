#pragma once

// The schedule of the update check: whether it is switched off, whether it is due, and
// recording that it ran. Also where the maker's update server is.

#include <QString>
#include <QStringList>

namespace wexlo::updateschedule {

// The name under which the update package is saved in the application folder.
QString packageFileName();  // "WexloUpd.exe"

// The server holding /versions/: "--update-server URL" on the command line, else the value
// fixed at build time.
QString updateServer(const QStringList& arguments);
QString versionFileUrl(const QString& server);
QString detailsFileUrl(const QString& server);

// "DisableAutoUpdateCheck" (default true); when true it also logs that the check is off.
bool autoCheckDisabled();
// True when "LastUpdateCheck" lies 7 or more days back (or was never recorded).
bool checkDue();
// Stores today's day number under "LastUpdateCheck".
void recordCheck();

}  // namespace wexlo::updateschedule
