#pragma once

// What the shared library knows of the program that uses it. The program sets it once at
// start-up, before any window opens; the shared modules only read it.

#include <QString>

namespace wexlo {

struct ProgramInfo {
    QString title;        // the program's name as its windows show it
    QString executable;   // the program file's name without extension
    QString description;  // what it does, in a few words
    int versionMajor = 0;
    int versionMinor = 0;
    int versionRevision = 0;
    QString updateFileName;  // the update package, saved in the application folder
    QString makerName;
    QString makerWebsite;
    QString bugAddress;       // where error reports go
    QString updateServer;     // the maker's update server, unless the command line names one
    QString makerProducts;    // "name|page[|description];name|page..."
    QString updatePublicKey;  // the minisign public key update packages are checked against
};

void setProgramInfo(ProgramInfo info);
const ProgramInfo& programInfo();

// "1.0.8": major, minor and revision without leading zeros.
QString programVersion();
// The program's title, "Wexlo": the title of every message box.
QString programTitle();

}  // namespace wexlo
