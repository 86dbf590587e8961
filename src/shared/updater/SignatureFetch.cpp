#include "shared/updater/SignatureFetch.h"

#include "platform/Transfer.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

#include <QMetaObject>

namespace wexlo::PackageSignature {

std::optional<QByteArray> fetchSignature(platform::Transfer& control, const QString& address,
                                         int totalSeconds)
{
    QByteArray body;
    bool complete = false;
    bool failed = false;
    control.setMaxResponseSize(kMaxSignatureBytes);
    control.setBodyHandler([&](QByteArrayView block) {
        if (block.isEmpty())
            complete = true;
        else
            body.append(block.data(), block.size());
    });
    const QMetaObject::Connection watch =
        QObject::connect(&control, &platform::Transfer::stateChanged, [&](int state) {
            if (state == platform::Transfer::Error)
                failed = true;
            else if (state == platform::Transfer::ResponseCompleted)
                complete = true;
        });
    try {
        control.execute(address.trimmed(), QStringLiteral("GET"));
    } catch (const RuntimeError&) {
        failed = true;
    }
    const double deadline = platform::clock().monotonicSeconds() + totalSeconds;
    while (!failed && !complete && control.stillExecuting() &&
           platform::clock().monotonicSeconds() < deadline) {
        platform::eventPump().processEvents();
        platform::clock().sleepMs(20);
    }
    const bool inTime = complete || !control.stillExecuting();
    if (control.stillExecuting())
        control.cancel();
    QObject::disconnect(watch);
    control.setBodyHandler({});
    if (failed || !inTime)
        return std::nullopt;
    // A control that keeps the body for getChunk instead of handing it over.
    if (body.isEmpty())
        for (QByteArray chunk = control.getChunk(4096); !chunk.isEmpty();
             chunk = control.getChunk(4096))
            body += chunk;
    if (body.size() > kMaxSignatureBytes)
        return std::nullopt;
    return body;
}

}  // namespace wexlo::PackageSignature
