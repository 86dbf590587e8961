#include "shared/util/Text.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <QLineEdit>

namespace wexlo::text {

namespace {
namespace logname {
const QString kModule = QStringLiteral("mSHAREDGeneral");
const QString kSelectAll = QStringLiteral("highlighttext");
}  // namespace logname
}  // namespace

void selectAll(QLineEdit* box)
{
    if (box != nullptr)
        box->setSelection(0, static_cast<int>(box->text().size()));
    else
        ErrorRecorder(logname::kSelectAll, logname::kModule)
            .record(err::ObjectNotSet, errorDescription(err::ObjectNotSet));
    platform::eventPump().processEvents();
}

QStringView trimBlanksView(QStringView s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && s.at(to - 1) == QLatin1Char(' '))
        --to;
    return s.mid(from, to - from);
}

QString trimBlanks(const QString& s)
{
    const QStringView t = trimBlanksView(s);
    return t.size() == s.size() ? s : t.toString();
}

}  // namespace wexlo::text
