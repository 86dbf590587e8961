#pragma once

// Choosing the printer for this program, and the printout of the loans list.

#include <QString>

#include <functional>

class QWidget;

namespace wexlo::platform {
class ListView;
}

namespace wexlo::printing {

// Lets the user choose the printer and its settings in the system print dialog and makes them
// the program's printer; the system's default printer stays as it is. Returns only when the
// user confirmed; otherwise raises the failing error's number (24000 when cancelled).
void selectPrinter(QWidget* owner);

// "Print List": the printer dialog, then date, person and item of every row in the list's
// display order. Cancelling the dialog prints nothing; a failure after it prints nothing
// either and tells the user why.
// Due and return dates follow in columns of their own while the list shows them.
void printLoans(QWidget* owner, const platform::ListView& list);

// "Print Overdue List": the loans for which overdue(model row) holds, in the list's order, with
// the borrower's phone and address: the list to take to the phone.
void printOverdueLoans(QWidget* owner, const platform::ListView& list,
                       const std::function<bool(int modelRow)>& overdue);

}  // namespace wexlo::printing
