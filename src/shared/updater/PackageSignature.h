#pragma once

// The maker's signature on an update package: a minisign signature file (Ed25519 over the
// BLAKE2b-512 hash of the package, and a global signature over the trusted comment) that lies
// beside the package, checked against the public key built into the program.

#include "shared/updater/UpdateVersion.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace wexlo::PackageSignature {

enum class Verdict {
    Good,
    NoKey,           // this build holds no (usable) public key
    Missing,         // no signature file, or not one in the minisign format
    OtherKey,        // signed with another key
    PackageChanged,  // the package is not the one that was signed
    CommentChanged,  // the trusted comment is not the one that was signed
    WrongVersion,    // the trusted comment names no version, or another one than the check found
    NotNewer,        // the signed version is not newer than the running one
};

// The address of a package's signature file.
// A signature file is a few hundred bytes: more, or a fetch longer than this, is refused.
constexpr qint64 kMaxSignatureBytes = 16 * 1024;
constexpr int kSignatureFetchSeconds = 60;

QString signatureAddress(const QString& packageAddress);

// The maker's public key as `minisign -P` takes it (the key's base64 line); empty when the
// program was built without one.
QString publicKey();
// Test seam: another key in place of the built-in one (std::nullopt puts the built-in back).
void setPublicKeyForTests(const std::optional<QString>& key);
// True when publicKey() reads as a minisign Ed25519 public key.
bool haveKey();

// Checks the package file at packagePath against the signature file's text: signed with the
// key, unchanged, and naming in its trusted comment ("version:1.00.0009") the version
// expected, which must be newer than running.
Verdict verify(const QString& packagePath, const QByteArray& signatureFile, const QString& key,
               const ParsedVersion& expected, const ParsedVersion& running);

// The status line for a refused package, in plain words.
QString refusal(Verdict verdict);

}  // namespace wexlo::PackageSignature
