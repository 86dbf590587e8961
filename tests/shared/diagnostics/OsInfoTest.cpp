#include "shared/diagnostics/OsInfo.h"
#include "support/WexloTest.h"

using namespace wexlo;
using namespace wexlo::osinfo;

namespace {

class OsInfo : public test::WexloTest {};

TEST_F(OsInfo, NamesTheSystemByItsProductName)
{
    EXPECT_EQ(systemName(), QStringLiteral("Debian GNU/Linux 12 (bookworm)"));
    metrics_.product = QStringLiteral("Ubuntu 24.04.1 LTS");
    EXPECT_EQ(systemName(), QStringLiteral("Ubuntu 24.04.1 LTS"));
}

}  // namespace
