#include "shared/diagnostics/OsInfo.h"
#include "support/WexloTest.h"

using namespace wexlo;
using namespace wexlo::osinfo;

namespace {

class OsInfo : public test::WexloTest {};

TEST_F(OsInfo, NamesTheSystemByItsProductName)
{
#ifndef Q_OS_WIN
    EXPECT_EQ(systemName(), QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    metrics_.product = QStringLiteral("Ubuntu 24.04.1 LTS");
    EXPECT_EQ(systemName(), QStringLiteral("Ubuntu 24.04.1 LTS"));
#endif
}

TEST(OsInfoTable, WindowsVersionRecords)
{
    using F = WindowsVersion::Family;
    struct Row {
        F family;
        int major, minor;
        bool readable;
        const char* name;
    };
    const Row rows[] = {
        {F::NT, 10, 0, true, "WINNT6+"},  {F::NT, 6, 1, true, "WINNT6+"},
        {F::NT, 6, 0, true, "WINNT6+"},   {F::NT, 5, 0, true, "Win2K"},
        {F::NT, 5, 1, true, "WinXP"},     {F::NT, 5, 2, true, "WinXP"},
        {F::NT, 4, 0, true, "WinNT"},     {F::NT, 3, 51, true, "WinNT"},
        {F::Win9x, 4, 0, true, "Win95"},  {F::Win9x, 4, 10, true, "Win98"},
        {F::Win9x, 4, 90, true, "WinME"}, {F::Win9x, 4, 3, true, "WIN32"},
        {F::Other, 10, 0, true, ""},      {F::NT, 10, 0, false, ""},
    };
    for (const Row& r : rows) {
        WindowsVersion v;
        v.family = r.family;
        v.major = r.major;
        v.minor = r.minor;
        v.readable = r.readable;
        EXPECT_EQ(windowsName(v), QString::fromLatin1(r.name))
            << "family " << static_cast<int>(r.family) << " " << r.major << "." << r.minor;
    }
}

}  // namespace
