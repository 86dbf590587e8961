#include "shared/dates/mSHAREDGetDate.h"

namespace wexlo::mSHAREDGetDate {

QDate getdate(const QString&, const QDate&, QWidget*) { return {}; }

}  // namespace wexlo::mSHAREDGetDate
