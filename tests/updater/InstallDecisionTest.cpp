#include "updater/InstallDecision.h"

#include <gtest/gtest.h>

using namespace wexlo::updater;

// Only a copy the package manager owns is replaced, only by wexlo, only by a newer version.
TEST(InstallDecision, OwnerNameAndVersionDecide)
{
    struct Case {
        const char* owner;
        const char* name;
        const char* version;
        InstallDecision expected;
    };
    const Case cases[] = {
        {"wexlo", "wexlo", "1.0.9", InstallDecision::Install},
        {"wexlo", "wexlo", "1.0.10", InstallDecision::Install},
        {"", "wexlo", "1.0.9", InstallDecision::NotOwned},
        {"other", "wexlo", "1.0.9", InstallDecision::NotOwned},
        {"wexlo", "wexlo-tools", "1.0.9", InstallDecision::OtherPackage},
        {"wexlo", "wexlo", "1.0.8", InstallDecision::NotNewer},
        {"wexlo", "wexlo", "1.0.7", InstallDecision::NotNewer},
        {"wexlo", "wexlo", "1.0.9-1", InstallDecision::NotNewer},
        {"wexlo", "wexlo", "", InstallDecision::NotNewer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.owner) + " " + c.name + " " + c.version);
        EXPECT_EQ(decide({QString::fromLatin1(c.owner), QString::fromLatin1(c.name),
                          QString::fromLatin1(c.version), QStringLiteral("1.0.8")}),
                  c.expected);
    }
    EXPECT_EQ(versionRecord(QStringLiteral("1.0.9")), QStringLiteral("1.00.0009"));
    EXPECT_EQ(versionRecord(QStringLiteral("1.0.9~rc1")), QString());
}
