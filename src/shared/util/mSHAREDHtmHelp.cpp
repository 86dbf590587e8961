#include "shared/util/mSHAREDHtmHelp.h"

#include "platform/AppFolder.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/mSHAREDFileSubs.h"
#include "shared/util/mSHAREDSubs.h"
#include "shared/util/mSHAREDWWW.h"

namespace wexlo::mSHAREDHtmHelp {

namespace {
QString helpIn(const QString& folder)
{
    return mSHAREDFileSubs::addslash(folder) + QStringLiteral("Help/Index.htm");
}
}  // namespace

QString helpFilePath()
{
    QString inHome = helpIn(platform::appFolder());
    if (mSHAREDFileSubs::FileExists(inHome))
        return inHome;
    // Installed copies live beside the program (or in ../share/wexlo for a system install).
    for (const QString& folder : {platform::programFolder(),
                                  platform::programFolder() + QStringLiteral("/../share/wexlo")}) {
        QString candidate = helpIn(folder);
        if (mSHAREDFileSubs::FileExists(candidate))
            return candidate;
    }
    return inHome;
}

void showhelp(QWidget* owner, const QString& topic)
{
    Q_UNUSED(topic)
    OnError on(QStringLiteral("sub showhelp"), QStringLiteral("modHelp"));
    QString path;
    on([&] { path = helpFilePath(); });
    on([&] {
        if (mSHAREDFileSubs::FileExists(path))
            mSHAREDWWW::websitevisit(owner, path);
        else
            platform::message(owner, QStringLiteral("Cannot find help file ") + path,
                              mSHAREDSubs::AppTitle());
    });
}

}  // namespace wexlo::mSHAREDHtmHelp
