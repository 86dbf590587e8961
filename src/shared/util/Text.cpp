#include "shared/util/Text.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <QLineEdit>

namespace wexlo::text {

void highlighttext(QLineEdit* box)
{
    ErrorRecorder on(QStringLiteral("highlighttext"), QStringLiteral("mSHAREDGeneral"));
    on([&] {
        if (box == nullptr)
            raiseError(err::ObjectNotSet);
        box->setSelection(0, static_cast<int>(box->text().size()));
    });
    on([&] { platform::eventPump().processEvents(); });
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
