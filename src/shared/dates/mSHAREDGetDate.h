#pragma once

#include <QDate>
#include <QString>

class QWidget;

namespace wexlo::mSHAREDGetDate {

// Shows the date entry dialog with the title and default date; the chosen date, or a null
// QDate (the zero date) when the user cancelled.
QDate getdate(const QString& title, const QDate& defaultDate, QWidget* owner = nullptr);

}  // namespace wexlo::mSHAREDGetDate
