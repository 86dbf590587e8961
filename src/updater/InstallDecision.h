#pragma once

// What the updater does with a downloaded package, decided from what the package manager says:
// only a copy it installed is replaced, only by the package wexlo, only by a newer version.

#include <QString>

namespace wexlo::updater {

struct InstallFacts {
    QString programOwner;      // the package that owns the running program file; empty for none
    QString packageName;       // the downloaded package's "Package" field
    QString packageVersion;    // its "Version" field
    QString installedVersion;  // the version of the installed package wexlo
};

enum class InstallDecision {
    Install,
    NotOwned,      // built from source or a portable copy: the package manager does not own it
    OtherPackage,  // not the package wexlo
    NotNewer,      // not a plain version ("1.0.9") newer than the installed one
};

InstallDecision decide(const InstallFacts& facts);

// "1.0.9" as the version record the maker signs ("1.00.0009"); empty when version is not
// three plain numbers.
QString versionRecord(const QString& debianVersion);

// Why the package is not installed, in a sentence for the user and the log.
QString reason(InstallDecision decision);

}  // namespace wexlo::updater
