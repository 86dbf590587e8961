#include "shared/util/Text.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

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

void widenCaptions(std::initializer_list<std::pair<QLabel*, QWidget*>> rows)
{
    // The space a caption keeps before its field.
    constexpr int kGap = 4;
    int shift = 0;
    for (const auto& [caption, field] : rows) {
        const int right = caption->x() + caption->sizeHint().width();
        if (right > field->x())
            shift = std::max(shift, right + kGap - field->x());
    }
    if (shift == 0)
        return;
    for (const auto& [caption, field] : rows) {
        caption->resize(std::max(caption->width(), caption->sizeHint().width()), caption->height());
        field->setGeometry(field->geometry().adjusted(shift, 0, 0, 0));
    }
}

}  // namespace wexlo::text
