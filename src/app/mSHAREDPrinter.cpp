#include "app/mSHAREDPrinter.h"

#include "platform/ListView.h"
#include "platform/Platform.h"
#include "platform/Printer.h"
#include "platform/RuntimeError.h"
#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/dialogs/cSHAREDcDlg.h"
#include "shared/util/mSHAREDSubs.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <array>
#include <exception>

namespace wexlo::mSHAREDPrinter {

namespace {

// Left edges of the three columns, in twips from the left of the printable area.
constexpr std::array<int, 3> kColumnTwips{0, 2000, 5000};

struct Line {
    std::array<QString, 3> cells;
    bool bold = false;
};

// A failure of the printout, with the sentence that tells the user why.
struct PrintFailure {
    RuntimeError error;
    QString reason;
};

QList<Line> composeLines(const platform::ListView& list)
{
    QList<Line> lines;
    lines.append(Line{{QStringLiteral("Loans list for ") +
                           mSHAREDDateFunc::shortformatdate(platform::clock().today()),
                       QString(), QString()},
                      false});
    lines.append(Line{});
    lines.append(Line{{QStringLiteral("Date"), QStringLiteral("Lent To"), QStringLiteral("Item")},
                      true});
    const int rows = list.count();
    lines.reserve(rows + 3);
    for (int row = 0; row < rows; ++row) {
        const QString text = list.cell(row, 0);
        const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            throw PrintFailure{RuntimeError(err::TypeMismatch),
                               QStringLiteral("The date \"%1\" of loan %2 cannot be read.")
                                   .arg(text)
                                   .arg(row + 1)};
        lines.append(Line{{mSHAREDDateFunc::shortformatdate(date), list.cell(row, 1),
                           list.cell(row, 2)},
                          false});
    }
    return lines;
}

// Lines go from the top of the printable area down; a line that would cross its bottom
// edge starts the next page. The margins are the printer's own.
void printLines(QPrinter& printer, const QList<Line>& lines)
{
    printer.setDocName(QStringLiteral("Loans List"));
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintFailure{RuntimeError(err::DeviceUnavailable),
                           QStringLiteral("The printer did not accept the job.")};
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
                    throw PrintFailure{RuntimeError(err::DeviceIOError),
                                       QStringLiteral("The printer could not start a new page.")};
                y = 0;
            }
            for (std::size_t c = 0; c < line.cells.size(); ++c)
                if (!line.cells[c].isEmpty())
                    painter.drawText(QPointF(kColumnTwips[c] * pixelsPerTwip, y + fm.ascent()),
                                     line.cells[c]);
            y += height;
        }
        if (!painter.end())
            throw PrintFailure{RuntimeError(err::DeviceIOError),
                               QStringLiteral("The printer could not finish the job.")};
    } catch (...) {
        platform::abortPrinting(printer, painter);
        throw;
    }
}

}  // namespace

void SelectPrinter(QWidget* owner, const QString& title)
{
    try {
        cSHAREDcDlg dlg;
        dlg.DialogTitle = title;
        dlg.PrinterDefault = false;
        dlg.Object = &platform::printer();
        dlg.hWnd = owner;
        dlg.CancelError = true;
        dlg.ShowPrinter();
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number(), e.description() + QStringLiteral(" cSHAREDcDlg"));
    } catch (const std::exception&) {
        throw RuntimeError(err::InvalidProcedureCall,
                           errorDescription(err::InvalidProcedureCall) +
                               QStringLiteral(" cSHAREDcDlg"));
    }
}

void PrintLoansList(QWidget* owner, const platform::ListView& list)
{
    try {
        SelectPrinter(owner, QStringLiteral("Loans List"));
    } catch (const RuntimeError&) {
        return;  // cancelled: nothing printed, nothing said
    }

    mSHAREDSubs::busymouse();
    QString why;
    try {
        printLines(platform::printer(), composeLines(list));
    } catch (const PrintFailure& f) {
        why = f.reason + QLatin1Char(' ') + f.error.message();
    } catch (const RuntimeError& e) {
        why = e.message();
    } catch (const std::exception&) {
        why = RuntimeError(err::InvalidProcedureCall).message();
    }
    mSHAREDSubs::normalmouse();

    if (!why.isEmpty())
        platform::message(owner, QStringLiteral("The loans list was not printed.\n\n") + why,
                          mSHAREDSubs::AppTitle(), platform::MsgButtons::Ok,
                          platform::MsgIcon::Warning);
}

}  // namespace wexlo::mSHAREDPrinter
