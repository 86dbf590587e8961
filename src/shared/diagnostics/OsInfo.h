#pragma once

// The operating system's short name, as the error report heading shows it.

#include <QString>

namespace wexlo::osinfo {

// What the Windows version record says about the system.
struct WindowsVersion {
    enum class Family { Other, Win9x, NT };
    Family family = Family::Other;
    int major = 0;
    int minor = 0;
    bool readable = true;  // false when the record could not be read
};

// "WINNT6+", "WinXP", "Win2K", "WinNT", "Win95", "Win98", "WinME", "WIN32", or empty.
QString windowsName(const WindowsVersion& version);

// On Windows the name from the table above; elsewhere the system's product name and version
// (e.g. "Debian GNU/Linux 12 (bookworm)"). Empty when the system cannot tell (logged).
QString systemName();

}  // namespace wexlo::osinfo
