#include "platform/AppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace wexlo;

namespace {

// Sets or clears an environment variable for one scope and puts the old value back.
class EnvScope {
public:
    EnvScope(const char* name, const std::optional<QString>& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        if (value)
            qputenv(name_, value->toLocal8Bit());
        else
            qunsetenv(name_);
    }
    ~EnvScope()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// "@" in a path stands for the case's own temporary root.
struct FolderCase {
    const char* what;
    QStringList arguments;
    std::optional<QString> wexloHome;
    std::optional<QString> xdgDataHome;
    const char* marker;  // file put into the program folder ("" for none)
    bool withProgramFolder;
    QString expected;
};

QString rooted(QString path, const QString& root) { return path.replace(QLatin1Char('@'), root); }

TEST(AppFolder, FourStepRule)
{
    const QString none;
    const std::optional<QString> unset;
    const QString d = QStringLiteral("--home");
    const std::vector<FolderCase> cases = {
        {"--home wins over all",
         {QStringLiteral("wexlo"), d, QStringLiteral("@/cli")},
         QStringLiteral("@/env"),
         QStringLiteral("@/xdg"),
         "datalist.txt",
         true,
         QStringLiteral("@/cli")},
        {"--home=DIR form",
         {QStringLiteral("wexlo"), QStringLiteral("--home=@/cli")},
         QStringLiteral("@/env"),
         unset,
         "portable",
         true,
         QStringLiteral("@/cli")},
        {"--home is cleaned",
         {QStringLiteral("wexlo"), d, QStringLiteral("@/x/../cli/")},
         unset,
         unset,
         "",
         true,
         QStringLiteral("@/cli")},
        {"--home without a value falls through",
         {QStringLiteral("wexlo"), d},
         QStringLiteral("@/env"),
         unset,
         "",
         true,
         QStringLiteral("@/env")},
        {"WEXLO_HOME before a marked program folder",
         {QStringLiteral("wexlo")},
         QStringLiteral("@/env"),
         QStringLiteral("@/xdg"),
         "Wexlo.ini",
         true,
         QStringLiteral("@/env")},
        {"empty WEXLO_HOME is not set",
         {QStringLiteral("wexlo")},
         QString(),
         QStringLiteral("@/xdg"),
         "",
         true,
         QStringLiteral("@/xdg/Wexlo")},
        {"program folder with datalist.txt",
         {QStringLiteral("wexlo")},
         unset,
         QStringLiteral("@/xdg"),
         "datalist.txt",
         true,
         QStringLiteral("@/prog")},
        {"program folder with Wexlo.ini",
         {QStringLiteral("wexlo")},
         unset,
         QStringLiteral("@/xdg"),
         "Wexlo.ini",
         true,
         QStringLiteral("@/prog")},
        {"program folder with portable",
         {QStringLiteral("wexlo")},
         unset,
         QStringLiteral("@/xdg"),
         "portable",
         true,
         QStringLiteral("@/prog")},
        {"program folder with another file",
         {QStringLiteral("wexlo")},
         unset,
         QStringLiteral("@/xdg"),
         "notes.txt",
         true,
         QStringLiteral("@/xdg/Wexlo")},
        {"no program folder given",
         {QStringLiteral("wexlo")},
         unset,
         QStringLiteral("@/xdg"),
         "",
         false,
         QStringLiteral("@/xdg/Wexlo")},
        {"no XDG_DATA_HOME: under HOME",
         {QStringLiteral("wexlo")},
         unset,
         unset,
         "",
         true,
         QStringLiteral("@/home/.local/share/Wexlo")},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString r = QDir(root.path()).canonicalPath();
        const QString prog = r + QStringLiteral("/prog");
        ASSERT_TRUE(QDir().mkpath(prog));
        ASSERT_TRUE(QDir().mkpath(r + QStringLiteral("/home")));
        if (*c.marker != '\0') {
            QFile f(prog + QLatin1Char('/') + QString::fromLatin1(c.marker));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        QStringList args;
        for (const QString& a : c.arguments)
            args << rooted(a, r);
        const auto env = [&r](const std::optional<QString>& v) {
            return v ? std::optional<QString>(rooted(*v, r)) : v;
        };
        const EnvScope home("HOME", r + QStringLiteral("/home"));
        const EnvScope wexloHome("WEXLO_HOME", env(c.wexloHome));
        const EnvScope xdg("XDG_DATA_HOME", env(c.xdgDataHome));

        const QString chosen = platform::resolveAppFolder(args, c.withProgramFolder ? prog : none);
        EXPECT_EQ(chosen, rooted(c.expected, r));
        EXPECT_TRUE(QFileInfo(chosen).isDir()) << "the chosen folder is created";
    }
}

}  // namespace
