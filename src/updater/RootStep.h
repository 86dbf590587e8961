#pragma once

// The step that runs with root rights (through pkexec, or directly when the updater already
// runs as root). It trusts nothing in the user's folder: it copies the package and its
// signature to a folder only root can write, checks the copy there and installs the copy.

#include <QString>

namespace wexlo::updater {

enum RootStepResult {
    kInstalled = 0,
    kRefused = 2,        // the signature, the name or the version did not pass
    kInstallFailed = 3,  // the package manager failed
};

// Checks package (its signature is package + ".minisig") against the built-in key, expecting
// the Debian version, and installs it. Every step is written to standard output.
int runRootStep(const QString& package, const QString& version);

// The output of a command, empty when it failed.
QString commandOutput(const QString& program, const QStringList& arguments);

// The package that owns file ("wexlo"), empty when none does.
QString packageOwning(const QString& file);
// The version of the installed package wexlo, empty when it is not installed.
QString installedVersion();
// A field of a .deb ("Package", "Version").
QString packageField(const QString& debFile, const QString& field);

}  // namespace wexlo::updater
