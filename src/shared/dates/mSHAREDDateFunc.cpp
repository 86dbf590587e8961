#include "shared/dates/mSHAREDDateFunc.h"

namespace wexlo::mSHAREDDateFunc {

QString shortformatdate(const QDate& d) { return d.toString(QStringLiteral("MM/dd/yyyy")); }

}  // namespace wexlo::mSHAREDDateFunc
