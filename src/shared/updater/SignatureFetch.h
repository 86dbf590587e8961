#pragma once

// Fetching an update package's signature file: bytes, never text (a signature's comments need
// not be UTF-8), small, and within a bound on the whole fetch, so that a server trickling a
// byte at a time cannot hold the update window.

#include <QByteArray>
#include <QString>

#include <optional>

namespace wexlo::platform {
class Transfer;
}

namespace wexlo::PackageSignature {

// A signature file is a few hundred bytes; anything beyond this is not one.
constexpr qint64 kMaxSignatureBytes = 16 * 1024;
// The whole fetch, from the request to the last byte.
constexpr int kSignatureFetchSeconds = 60;

// Fetches address through control (already set up with the user's proxy) and returns the body
// as it arrived; std::nullopt when the request failed, the body was too large, or the fetch
// took longer than totalSeconds.
std::optional<QByteArray> fetchSignature(platform::Transfer& control, const QString& address,
                                         int totalSeconds = kSignatureFetchSeconds);

}  // namespace wexlo::PackageSignature
