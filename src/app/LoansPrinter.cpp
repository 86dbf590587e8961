#include "app/LoansPrinter.h"

#include "app/LoansFile.h"

#include "platform/ListView.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/dialogs/PrintDialog.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"

#include <QCoreApplication>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <array>
#include <exception>

namespace wexlo::printing {

namespace {

// Left edges of the three columns, in twips from the left of the printable area; due and
// return dates, when the list shows them, come after the item.
constexpr std::array<int, 3> kColumnTwips{0, 2000, 5000};
constexpr int kDueTwips = 8600;
constexpr int kReturnedTwips = 9800;
// The overdue list: date, person, item, due date, phone, address.
constexpr std::array<int, 6> kOverdueTwips{0, 1300, 3100, 5600, 6900, 8400};

// The printout speaks the user's language; its dates keep the locale's form.
QString translated(const char* source)
{
    return QCoreApplication::translate("wexlo::printing", source);
}

// "description(number)" as RuntimeError::message() gives it, the description in the user's
// language.
QString shownMessage(const RuntimeError& e)
{
    return shownDescription(e.description()) + QLatin1Char('(') + QString::number(e.number()) +
           QLatin1Char(')');
}

// The headings, shared by both printouts.
const char* const kDate = QT_TRANSLATE_NOOP("wexlo::printing", "Date");
const char* const kLentTo = QT_TRANSLATE_NOOP("wexlo::printing", "Lent To");
const char* const kItem = QT_TRANSLATE_NOOP("wexlo::printing", "Item");
const char* const kPhone = QT_TRANSLATE_NOOP("wexlo::printing", "Phone");
const char* const kAddress = QT_TRANSLATE_NOOP("wexlo::printing", "Address");
const char* const kDue = QT_TRANSLATE_NOOP("wexlo::printing", "Due");
const char* const kReturned = QT_TRANSLATE_NOOP("wexlo::printing", "Returned");

struct Line {
    QStringList cells;
    bool bold = false;
};

struct Printout {
    QList<int> columnTwips;
    QList<Line> lines;
};

// A failure of the printout, with the sentence that tells the user why.
struct PrintFailure {
    RuntimeError error;
    QString reason;
};

QString shortDate(const QString& text, int row)
{
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw PrintFailure{
            RuntimeError(err::TypeMismatch),
            translated(
                QT_TRANSLATE_NOOP("wexlo::printing", "The date \"%1\" of loan %2 cannot be read."))
                .arg(text)
                .arg(row + 1)};
    return dateformat::shortDateText(date);
}

// A due or return date: empty stays empty, and a text that is no date prints as it is.
QString optionalDate(const QString& text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return date.isValid() ? dateformat::shortDateText(date) : text;
}

Printout composeLines(const platform::ListView& list)
{
    Printout out;
    out.columnTwips = {kColumnTwips[0], kColumnTwips[1], kColumnTwips[2]};
    QStringList heading{translated(kDate), translated(kLentTo), translated(kItem)};
    QList<int> extra;  // the list's date columns beyond the three, while it shows them
    const std::pair<int, std::pair<int, const char*>> dated[] = {
        {field::Due, {kDueTwips, kDue}}, {field::Returned, {kReturnedTwips, kReturned}}};
    for (const auto& [column, place] : dated)
        if (list.columnShown(column) && column < list.columnCount()) {
            extra.append(column);
            out.columnTwips.append(place.first);
            heading.append(translated(place.second));
        }
    QList<Line>& lines = out.lines;
    lines.append(Line{{translated(QT_TRANSLATE_NOOP("wexlo::printing", "Loans list for %1"))
                           .arg(dateformat::shortDateText(platform::clock().today()))},
                      false});
    lines.append(Line{});
    lines.append(Line{heading, true});
    const int rows = list.count();
    lines.reserve(rows + 3);
    for (int row = 0; row < rows; ++row) {
        Line line{{shortDate(list.cell(row, 0), row), list.cell(row, 1), list.cell(row, 2)}, false};
        for (int column : extra)
            line.cells.append(optionalDate(list.cell(row, column)));
        lines.append(line);
    }
    return out;
}

Printout composeOverdue(const platform::ListView& list, const std::function<bool(int)>& overdue)
{
    Printout out;
    out.columnTwips = QList<int>(kOverdueTwips.begin(), kOverdueTwips.end());
    out.lines.append(Line{{translated(QT_TRANSLATE_NOOP("wexlo::printing", "Overdue loans for %1"))
                               .arg(dateformat::shortDateText(platform::clock().today()))},
                          false});
    out.lines.append(Line{});
    out.lines.append(Line{{translated(kDate), translated(kLentTo), translated(kItem),
                           translated(kDue), translated(kPhone), translated(kAddress)},
                          true});
    // Every overdue loan, whether the list shows it now or not, in the list's order.
    for (int m = 0; m < list.modelCount(); ++m) {
        if (!overdue(m))
            continue;
        out.lines.append(
            Line{{shortDate(list.modelCell(m, field::Date), m), list.modelCell(m, field::Borrower),
                  list.modelCell(m, field::Item), optionalDate(list.modelCell(m, field::Due)),
                  list.modelCell(m, field::Phone), list.modelCell(m, field::Address)},
                 false});
    }
    return out;
}

// Lines go from the top of the printable area down; a line that would cross its bottom
// edge starts the next page. The margins are the printer's own.
void printLines(QPrinter& printer, const Printout& printout, const QString& docName)
{
    const QList<Line>& lines = printout.lines;
    printer.setDocName(docName);
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintFailure{RuntimeError(err::DeviceUnavailable),
                           translated(QT_TRANSLATE_NOOP("wexlo::printing",
                                                        "The printer did not accept the job."))};
    try {
        QFont normal;
        normal.setPointSizeF(10);
        normal.setFamily(QStringLiteral("Times New Roman"));
        QFont bold = normal;
        bold.setBold(true);

        const double pixelsPerTwip = printer.logicalDpiX() / 1440.0;
        const double pageHeight = printer.pageRect(QPrinter::DevicePixel).height();
        double y = 0;
        for (const Line& line : lines) {
            painter.setFont(line.bold ? bold : normal);
            const QFontMetricsF fm = painter.fontMetrics();
            const double height = fm.lineSpacing();
            if (y > 0 && y + height > pageHeight) {
                if (!printer.newPage())
                    throw PrintFailure{
                        RuntimeError(err::DeviceIOError),
                        translated(QT_TRANSLATE_NOOP("wexlo::printing",
                                                     "The printer could not start a new page."))};
                y = 0;
            }
            for (qsizetype c = 0; c < line.cells.size() && c < printout.columnTwips.size(); ++c)
                if (!line.cells[c].isEmpty())
                    painter.drawText(
                        QPointF(printout.columnTwips[c] * pixelsPerTwip, y + fm.ascent()),
                        line.cells[c]);
            y += height;
        }
        if (!painter.end())
            throw PrintFailure{RuntimeError(err::DeviceIOError),
                               translated(QT_TRANSLATE_NOOP(
                                   "wexlo::printing", "The printer could not finish the job."))};
    } catch (...) {
        platform::abortPrinting(printer, painter);
        throw;
    }
}

}  // namespace

void selectPrinter(QWidget* owner)
{
    try {
        PrintDialog dlg;
        dlg.printer = &platform::printer();
        dlg.owner = owner;
        dlg.choosePrinter();
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), e.description() + QStringLiteral(" cSHAREDcDlg"));
    } catch (const std::exception&) {
        throw RuntimeError(err::InvalidProcedureCall, errorDescription(err::InvalidProcedureCall) +
                                                          QStringLiteral(" cSHAREDcDlg"));
    }
}

namespace {

void printWithDialog(QWidget* owner, const QString& title, const std::function<Printout()>& compose)
{
    try {
        selectPrinter(owner);
    } catch (const RuntimeError&) {
        return;  // cancelled: nothing printed, nothing said
    }

    pointer::showBusy();
    QString why;
    try {
        printLines(platform::printer(), compose(), title);
    } catch (const PrintFailure& f) {
        why = f.reason + QLatin1Char(' ') + shownMessage(f.error);
    } catch (const RuntimeError& e) {
        why = shownMessage(e);
    } catch (const std::exception&) {
        why = shownMessage(RuntimeError(err::InvalidProcedureCall));
    }
    pointer::showNormal();

    if (!why.isEmpty())
        platform::message(owner,
                          translated(QT_TRANSLATE_NOOP("wexlo::printing",
                                                       "The loans list was not printed.\n\n%1"))
                              .arg(why),
                          programTitle(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
}

}  // namespace

void printLoans(QWidget* owner, const platform::ListView& list)
{
    printWithDialog(owner, translated(QT_TRANSLATE_NOOP("wexlo::printing", "Loans List")),
                    [&list] { return composeLines(list); });
}

void printOverdueLoans(QWidget* owner, const platform::ListView& list,
                       const std::function<bool(int modelRow)>& overdue)
{
    printWithDialog(owner, translated(QT_TRANSLATE_NOOP("wexlo::printing", "Overdue List")),
                    [&list, &overdue] { return composeOverdue(list, overdue); });
}

}  // namespace wexlo::printing
