#pragma once

// Handing a checked update package over to an updater. A portable copy may bring its own
// Updater.exe in the application folder, which is started as it always was; otherwise this
// program's own updater (wexlo-updater, installed with the package) installs the package
// through the package manager once Wexlo has ended.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wexlo::updater {

// What the update window checked: the package file and the signature bytes it was verified
// with. The signature goes beside the package, so that the updater's root step checks the very
// signature the user's copy accepted.
struct CheckedPackage {
    QString path;
    QByteArray signature;
};

// Wexlo's own updater: beside the program (a build folder), else in ../libexec/wexlo (the
// package). Empty when there is none.
QString ownUpdaterProgram(const QString& programFolder);

struct InstallerStart {
    bool started = false;
    QString program;  // the updater started, or the one that could not be
};

// Starts the updater for package. Updater.exe in appFolder is started as before, with
// windowTitle as its argument; else Wexlo's own updater, told to wait for this process, to
// write its log into appFolder, and to start program with arguments again afterwards.
InstallerStart startInstaller(const QString& appFolder, const QString& windowTitle,
                              const CheckedPackage& package, const QString& program,
                              const QStringList& arguments);

}  // namespace wexlo::updater
