// The signature file comes from a web server: reading it must never crash, and nothing but the
// real signature may pass. The key is a fixed one whose secret half nobody holds, so every
// input must be refused.

#include "FuzzSupport.h"
#include "shared/updater/PackageSignature.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace wexlo;
    fuzz::setUpOnce();
    static const QString package = [] {
        const QString path = fuzz::appFile(QStringLiteral("WexloUpd.exe"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(4096, 'p'));
        return path;
    }();
    static const QString key =
        QStringLiteral("RWQf6LRCGA9i53mlYecO4IzT51TGPpvWucNSCh1CBM0QTaLn73Y7GFO3");
    ParsedVersion expected;
    parseVersion(QStringLiteral("1.00.0009"), expected);
    ParsedVersion running;
    parseVersion(QStringLiteral("1.00.0008"), running);
    const auto verdict = PackageSignature::verify(
        package, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), key,
        expected, running);
    if (verdict == PackageSignature::Verdict::Good)
        std::abort();
    return 0;
}
