#include "shared/util/mSHAREDTextSubs.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <QLineEdit>

namespace wexlo::mSHAREDTextSubs {

void highlighttext(QLineEdit* box)
{
    OnError on(QStringLiteral("highlighttext"), QStringLiteral("mSHAREDGeneral"));
    on([&] {
        if (box == nullptr)
            raiseError(err::ObjectNotSet);
        box->setSelection(0, static_cast<int>(box->text().size()));
    });
    on([&] { platform::eventPump().processEvents(); });
}

}  // namespace wexlo::mSHAREDTextSubs
