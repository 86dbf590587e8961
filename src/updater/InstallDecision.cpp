#include "updater/InstallDecision.h"

#include "shared/updater/UpdateVersion.h"

#include <QRegularExpression>

#include <optional>

namespace wexlo::updater {

namespace {

const QString kPackage = QStringLiteral("wexlo");

std::optional<ParsedVersion> plainVersion(const QString& text)
{
    static const QRegularExpression kPlain(
        QStringLiteral("^(\\d{1,4})\\.(\\d{1,4})\\.(\\d{1,4})$"));
    const QRegularExpressionMatch m = kPlain.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    ParsedVersion v;
    v.majorNumber = static_cast<std::int16_t>(m.captured(1).toInt());
    v.minorNumber = static_cast<std::int16_t>(m.captured(2).toInt());
    v.revision = static_cast<std::int16_t>(m.captured(3).toInt());
    return v;
}

}  // namespace

InstallDecision decide(const InstallFacts& facts)
{
    if (facts.programOwner != kPackage)
        return InstallDecision::NotOwned;
    if (facts.packageName != kPackage)
        return InstallDecision::OtherPackage;
    const auto offered = plainVersion(facts.packageVersion);
    const auto installed = plainVersion(facts.installedVersion);
    if (!offered || !installed || !offered->isNewerThan(*installed))
        return InstallDecision::NotNewer;
    return InstallDecision::Install;
}

QString versionRecord(const QString& debianVersion)
{
    const auto v = plainVersion(debianVersion);
    if (!v)
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(v->majorNumber)
        .arg(v->minorNumber, 2, 10, QLatin1Char('0'))
        .arg(v->revision, 4, 10, QLatin1Char('0'));
}

QString reason(InstallDecision decision)
{
    switch (decision) {
        case InstallDecision::Install:
            return {};
        case InstallDecision::NotOwned:
            return QStringLiteral("this copy of Wexlo was not installed by the package manager");
        case InstallDecision::OtherPackage:
            return QStringLiteral("the update package is not the package wexlo");
        case InstallDecision::NotNewer:
            return QStringLiteral("the update package is not a newer version of Wexlo");
    }
    return {};
}

}  // namespace wexlo::updater
