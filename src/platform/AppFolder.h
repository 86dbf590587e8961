#pragma once

#include <QString>
#include <QStringList>

namespace wexlo::platform {

// The folder that holds every file of the program, without a final separator.
// Chosen once at start-up by resolveAppFolder(); tests set it directly.
QString appFolder();
void setAppFolder(const QString& folder);

// The rule: "--home DIR" on the command line, else WEXLO_HOME, else the program file's folder
// when it already holds datalist.txt, Wexlo.ini or a file named "portable", else the per-user
// data folder (~/.local/share/Wexlo). The chosen folder is created when missing.
QString resolveAppFolder(const QStringList& arguments, const QString& programFolder);

// The folder of the program file itself (where the help page and artwork are installed).
QString programFolder();

}  // namespace wexlo::platform
