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

QString trimBlanks(const QString& s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && s.at(to - 1) == QLatin1Char(' '))
        --to;
    return (from == 0 && to == s.size()) ? s : s.mid(from, to - from);
}

}  // namespace wexlo::mSHAREDTextSubs
