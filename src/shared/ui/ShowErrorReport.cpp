#include "shared/ui/ShowErrorReport.h"

#include "shared/diagnostics/ErrorHandler.h"
#include "shared/ui/fSHAREDErrorRpt.h"

#include <memory>

namespace wexlo::mSHAREDShowError {

void showerr(const QString& message, const QString& helpTopic)
{
    ErrorRecorder on(QStringLiteral("showerr"), QStringLiteral("mSHAREDShowError"));
    std::unique_ptr<fSHAREDErrorRpt> dialog;
    on([&] { dialog = std::make_unique<fSHAREDErrorRpt>(); });
    on([&] {
        if (!dialog)
            raiseError(err::ObjectNotSet);
        dialog->ShowError(message, helpTopic);
    });
}

}  // namespace wexlo::mSHAREDShowError
