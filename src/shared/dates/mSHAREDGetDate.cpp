#include "shared/dates/mSHAREDGetDate.h"

#include "shared/dates/fSHAREDGetDate.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <memory>

namespace wexlo::mSHAREDGetDate {

QDate getdate(const QString& title, const QDate& defaultDate, QWidget* owner)
{
    QDate result;
    OnError on(QStringLiteral("getdate"), QStringLiteral("mSHAREDGetDate"));
    std::unique_ptr<fSHAREDGetDate> dlg;
    on([&] { dlg = std::make_unique<fSHAREDGetDate>(owner); });
    if (!dlg)
        return result;
    on([&] {
        result = dlg->GetDate(title, defaultDate);
        if (dlg->Cancelled)
            result = QDate();
    });
    on([&] { dlg.reset(); });
    return result;
}

}  // namespace wexlo::mSHAREDGetDate
