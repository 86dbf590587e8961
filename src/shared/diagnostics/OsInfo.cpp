#include "shared/diagnostics/OsInfo.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#ifdef Q_OS_WIN
#include <QOperatingSystemVersion>
#endif

namespace wexlo::osinfo {

namespace {
namespace logname {
const QString kModule = QStringLiteral("mSHAREDOSINFO");
const QString kSystemName = QStringLiteral("fosname");
}  // namespace logname
}  // namespace

QString windowsName(const WindowsVersion& v)
{
    if (!v.readable)
        return {};
    switch (v.family) {
        case WindowsVersion::Family::NT:
            if (v.major >= 6)
                return QStringLiteral("WINNT6+");
            if (v.major == 5)
                return v.minor == 0 ? QStringLiteral("Win2K") : QStringLiteral("WinXP");
            return QStringLiteral("WinNT");
        case WindowsVersion::Family::Win9x:
            switch (v.minor) {
                case 0:
                    return QStringLiteral("Win95");
                case 10:
                    return QStringLiteral("Win98");
                case 90:
                    return QStringLiteral("WinME");
                default:
                    return QStringLiteral("WIN32");
            }
        case WindowsVersion::Family::Other:
            break;
    }
    return {};
}

QString systemName()
{
    QString result;
    runGuarded(logname::kSystemName, logname::kModule, [&] {
#ifdef Q_OS_WIN
        const QOperatingSystemVersion os = QOperatingSystemVersion::current();
        WindowsVersion v;
        v.family = WindowsVersion::Family::NT;  // every Windows that Qt 6 runs on
        v.major = os.majorVersion();
        v.minor = os.minorVersion();
        v.readable = v.major > 0;
        result = windowsName(v);
#else
        result = platform::systemMetrics().productName();
#endif
    });
    return result;
}

}  // namespace wexlo::osinfo
