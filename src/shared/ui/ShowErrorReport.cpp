#include "shared/ui/ShowErrorReport.h"

#include "shared/diagnostics/ErrorHandler.h"
#include "shared/ui/ErrorReportDialog.h"

#include <memory>

namespace wexlo {

namespace {
namespace logname {
const QString kModule = QStringLiteral("mSHAREDShowError");
const QString kShow = QStringLiteral("showerr");
}  // namespace logname
}  // namespace

void showErrorReport(const QString& message, const QString& helpTopic)
{
    // The report is shown while something else has failed: its own failure is only logged.
    runGuarded(logname::kShow, logname::kModule, [&] {
        auto dialog = std::make_unique<ErrorReportDialog>();
        dialog->showError(message, helpTopic);
    });
}

}  // namespace wexlo
