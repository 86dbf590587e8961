#include "shared/updater/PackageSignature.h"

#include "platform/SodiumLibrary.h"
#include "shared/util/ProgramInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>

#include <array>

namespace wexlo::PackageSignature {

namespace {

constexpr int kKeyIdBytes = 8;
constexpr qsizetype kPublicKeyBytes = 2 + kKeyIdBytes + crypto_sign_PUBLICKEYBYTES;
constexpr qsizetype kSignatureBytes = 2 + kKeyIdBytes + crypto_sign_BYTES;
constexpr qint64 kHashBlock = 64 * 1024;

std::optional<QString>& testKey()
{
    static std::optional<QString> key;
    return key;
}

QByteArray strictBase64(const QByteArray& text)
{
    const auto decoded = QByteArray::fromBase64Encoding(
        text.trimmed(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

// The parts of a signature file. The untrusted comment is read past, never trusted.
struct SignatureFile {
    QByteArray algorithm;  // "ED": the package's BLAKE2b-512 hash was signed
    QByteArray keyId;
    QByteArray signature;
    QByteArray trustedComment;
    QByteArray globalSignature;
};

std::optional<SignatureFile> readSignatureFile(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.size() < 4 || !lines[0].startsWith("untrusted comment:"))
        return std::nullopt;
    const QByteArray sig = strictBase64(lines[1]);
    static const QByteArray kTrusted("trusted comment: ");
    if (sig.size() != kSignatureBytes || !lines[2].startsWith(kTrusted))
        return std::nullopt;
    const QByteArray global = strictBase64(lines[3]);
    if (global.size() != crypto_sign_BYTES)
        return std::nullopt;
    SignatureFile f;
    f.algorithm = sig.left(2);
    f.keyId = sig.mid(2, kKeyIdBytes);
    f.signature = sig.mid(2 + kKeyIdBytes);
    f.trustedComment = lines[2].mid(kTrusted.size());
    f.globalSignature = global;
    return f;
}

bool verifyDetached(const platform::SodiumLibrary& sodium, const QByteArray& signature,
                    const QByteArray& message, const QByteArray& publicKey)
{
    return sodium.sign_verify_detached(
               reinterpret_cast<const unsigned char*>(signature.constData()),
               reinterpret_cast<const unsigned char*>(message.constData()),
               static_cast<unsigned long long>(message.size()),
               reinterpret_cast<const unsigned char*>(publicKey.constData())) == 0;
}

// BLAKE2b-512 of the file, read in blocks; empty when it cannot be read.
QByteArray hashFile(const platform::SodiumLibrary& sodium, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    crypto_generichash_state state;
    sodium.generichash_init(&state, nullptr, 0, crypto_generichash_BYTES_MAX);
    QByteArray block(kHashBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), kHashBlock);
        if (n < 0)
            return {};
        if (n == 0)
            break;
        sodium.generichash_update(&state, reinterpret_cast<const unsigned char*>(block.constData()),
                                  static_cast<unsigned long long>(n));
    }
    QByteArray hash(crypto_generichash_BYTES_MAX, '\0');
    sodium.generichash_final(&state, reinterpret_cast<unsigned char*>(hash.data()), hash.size());
    return hash;
}

// The value of the "version:" field of the trusted comment (its fields are separated by blanks
// or tabs); empty when there is none.
QByteArray commentVersion(const QByteArray& comment)
{
    static const QByteArray kField("version:");
    qsizetype at = 0;
    while ((at = comment.indexOf(kField, at)) >= 0) {
        if (at == 0 || comment[at - 1] == ' ' || comment[at - 1] == '\t') {
            qsizetype end = at + kField.size();
            while (end < comment.size() && comment[end] != ' ' && comment[end] != '\t')
                ++end;
            return comment.mid(at + kField.size(), end - at - kField.size());
        }
        at += kField.size();
    }
    return {};
}

// A signed version must be a version record and nothing else: "1.00.0009" or "1.00.0009a".
// The loose reading of the version file would take "1.00.0009-rc1" or "1.00.9e0" for
// 1.00.0009, which would let one signature stand for texts the maker never signed.
bool isVersionRecord(const QByteArray& text)
{
    const QList<QByteArray> parts = text.split('.');
    if (parts.size() != 3)
        return false;
    auto digits = [](const QByteArray& part, qsizetype from, qsizetype to) {
        if (to <= from || to - from > 4)
            return false;
        for (qsizetype i = from; i < to; ++i)
            if (part[i] < '0' || part[i] > '9')
                return false;
        return true;
    };
    const QByteArray& last = parts[2];
    const bool letter = !last.isEmpty() && ((last.back() >= 'a' && last.back() <= 'z') ||
                                            (last.back() >= 'A' && last.back() <= 'Z'));
    return digits(parts[0], 0, parts[0].size()) && digits(parts[1], 0, parts[1].size()) &&
           digits(last, 0, last.size() - (letter ? 1 : 0));
}

bool sameVersion(const ParsedVersion& a, const ParsedVersion& b)
{
    return !a.isNewerThan(b) && !b.isNewerThan(a);
}

}  // namespace

QString signatureAddress(const QString& packageAddress)
{
    QString address = packageAddress.trimmed();
    // A bare FTP host ("FTP.host\path") is fetched over FTP with its backslashes read as
    // slashes; its signature comes from the same place.
    if (address.left(4).toUpper() == QLatin1String("FTP."))
        address = QStringLiteral("ftp://") + address.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return address + QStringLiteral(".minisig");
}

QString publicKey()
{
    if (testKey())
        return *testKey();
    return programInfo().updatePublicKey;
}

void setPublicKeyForTests(const std::optional<QString>& key) { testKey() = key; }

bool haveKey()
{
    const QByteArray key = strictBase64(publicKey().toLatin1());
    return key.size() == kPublicKeyBytes && key.startsWith("Ed");
}

Verdict verify(const QString& packagePath, const QByteArray& signatureFile, const QString& key,
               const ParsedVersion& expected, const ParsedVersion& running)
{
    const QByteArray keyBytes = strictBase64(key.toLatin1());
    if (keyBytes.size() != kPublicKeyBytes || !keyBytes.startsWith("Ed"))
        return Verdict::NoKey;
    // Without libsodium nothing can be verified: the package is refused as this copy's lack.
    const platform::SodiumLibrary* sodium = platform::sodiumLibrary();
    if (!sodium)
        return Verdict::NoKey;
    const std::optional<SignatureFile> sig = readSignatureFile(signatureFile);
    // Only prehashed signatures: the legacy form signs the whole file as one message.
    if (!sig || sig->algorithm != "ED")
        return Verdict::Missing;
    if (sig->keyId != keyBytes.mid(2, kKeyIdBytes))
        return Verdict::OtherKey;
    const QByteArray publicKeyBytes = keyBytes.mid(2 + kKeyIdBytes);
    const QByteArray hash = hashFile(*sodium, packagePath);
    if (hash.isEmpty() || !verifyDetached(*sodium, sig->signature, hash, publicKeyBytes))
        return Verdict::PackageChanged;
    if (!verifyDetached(*sodium, sig->globalSignature, sig->signature + sig->trustedComment,
                        publicKeyBytes))
        return Verdict::CommentChanged;
    const QByteArray named = commentVersion(sig->trustedComment);
    if (!isVersionRecord(named))
        return Verdict::WrongVersion;
    ParsedVersion signedVersion;
    parseVersion(QString::fromLatin1(named), signedVersion);
    if (!sameVersion(signedVersion, expected))
        return Verdict::WrongVersion;
    if (!signedVersion.isNewerThan(running))
        return Verdict::NotNewer;
    return Verdict::Good;
}

QString refusal(Verdict verdict)
{
    // Short enough for the status line of the update window.
    switch (verdict) {
        case Verdict::Good:
            return {};
        case Verdict::NoKey:
            return QCoreApplication::translate("PackageSignature",
                                               "Error - This copy cannot verify update packages.");
        case Verdict::Missing:
            return QCoreApplication::translate(
                "PackageSignature", "Error - The update package is not signed by the maker.");
        case Verdict::OtherKey:
            return QCoreApplication::translate(
                "PackageSignature", "Error - The update package is signed with another key.");
        case Verdict::PackageChanged:
            return QCoreApplication::translate(
                "PackageSignature", "Error - The update package was changed after signing.");
        case Verdict::CommentChanged:
            return QCoreApplication::translate(
                "PackageSignature", "Error - The update package's signature was tampered with.");
        case Verdict::WrongVersion:
            return QCoreApplication::translate(
                "PackageSignature", "Error - The update package is signed for another version.");
        case Verdict::NotNewer:
            return QCoreApplication::translate(
                "PackageSignature", "Error - The update package is not newer than this version.");
    }
    return {};
}

}  // namespace wexlo::PackageSignature
