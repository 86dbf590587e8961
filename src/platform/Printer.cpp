#include "platform/Printer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace wexlo::platform {

namespace {
bool has(std::int32_t flags, std::int32_t bit) { return (flags & bit) == bit; }

// Qt's dialog, built with CUPS, offers page ranges of its own (the print server picks the pages)
// when it is shown and when another printer is chosen in it, even when the options leave them
// out. The options decide: without a page range the controls for one are switched off again
// after each of those.
class OptionsPrintDialog : public QPrintDialog {
public:
    OptionsPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent)
    {
        // Connected after the dialog's own reaction, so it runs after it.
        if (auto* printers = findChild<QComboBox*>(QStringLiteral("printers")))
            connect(printers, &QComboBox::currentIndexChanged, this,
                    [this] { keepPageRangeOff(); });
    }

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (visible)
            keepPageRangeOff();
    }

private:
    void keepPageRangeOff()
    {
        if (testOption(QAbstractPrintDialog::PrintPageRange))
            return;
        for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit"})
            if (auto* control = findChild<QWidget*>(QString::fromLatin1(name)))
                control->setEnabled(false);
    }
};
}  // namespace

PrintDialogSetup dialogSetup(const PrintDialogRequest& r)
{
    PrintDialogSetup s;
    s.options = QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintSelection |
                QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize |
                QAbstractPrintDialog::PrintCollateCopies;
    if (has(r.flags, pd::NoPageNums))
        s.options &=
            ~QAbstractPrintDialog::PrintDialogOptions(QAbstractPrintDialog::PrintPageRange);
    if (has(r.flags, pd::NoSelection))
        s.options &=
            ~QAbstractPrintDialog::PrintDialogOptions(QAbstractPrintDialog::PrintSelection);
    // Qt's dialog cannot show the print-to-file box greyed out, so disabling it hides it.
    if (has(r.flags, pd::HidePrintToFile) || has(r.flags, pd::DisablePrintToFile))
        s.options &= ~QAbstractPrintDialog::PrintDialogOptions(QAbstractPrintDialog::PrintToFile);

    if (has(r.flags, pd::PageNums))
        s.range = QAbstractPrintDialog::PageRange;
    else if (has(r.flags, pd::Selection))
        s.range = QAbstractPrintDialog::Selection;

    s.minPage = r.minPage;
    s.maxPage = r.maxPage;
    // A range the dialog would refuse is left out rather than passed on.
    if (r.fromPage > 0 && r.toPage >= r.fromPage && r.fromPage >= r.minPage &&
        r.toPage <= r.maxPage) {
        s.fromPage = r.fromPage;
        s.toPage = r.toPage;
    }
    s.printToFile =
        has(r.flags, pd::PrintToFile) && s.options.testFlag(QAbstractPrintDialog::PrintToFile);
    s.collate = has(r.flags, pd::Collate);
    s.copies = r.copies;
    return s;
}

// ---- Real implementation ---------------------------------------------------------------

QStringList PrintSystem::installedPrinters() const { return QPrinterInfo::availablePrinterNames(); }

QString PrintSystem::defaultPrinter() const { return QPrinterInfo::defaultPrinterName(); }

void PrintSystem::usePrinter(QPrinter& printer, const QString& name)
{
    // A file named for an earlier print to file would take this job too: the printer engine
    // writes into it instead of sending the job to the queue. Dropped first, because dropping
    // it later would also drop the queue chosen here.
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
}

PrintDialogResult PrintSystem::showPrintDialog(const PrintDialogRequest& request)
{
    const PrintDialogSetup s = dialogSetup(request);
    // A printer of its own, so the dialog starts on the default printer with its defaults
    // and the program's printer only changes when the choice is applied.
    QPrinter chosen(QPrinter::HighResolution);
    if (s.printToFile)
        chosen.setOutputFileName(QDir::home().filePath(QStringLiteral("print.pdf")));
    if (s.collate)
        chosen.setCollateCopies(true);
    if (s.copies > 0)
        chosen.setCopyCount(s.copies);

    OptionsPrintDialog dialog(&chosen, request.owner);
    dialog.setMinMax(s.minPage, s.maxPage);
    if (s.fromPage > 0)
        dialog.setFromTo(s.fromPage, s.toPage);
    dialog.setPrintRange(s.range);
    // After the page limits, which switch the page range back on.
    dialog.setOptions(s.options);

    PrintDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;

    result.ok = true;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange)
        result.flags |= pd::PageNums;
    else if (dialog.printRange() == QAbstractPrintDialog::Selection)
        result.flags |= pd::Selection;
    result.outputFileName = chosen.outputFileName();
    if (chosen.outputFormat() == QPrinter::PdfFormat && !result.outputFileName.isEmpty())
        result.flags |= pd::PrintToFile;
    result.flags |= pd::UseDevModeCopiesAndCollate;
    result.fromPage = dialog.fromPage();
    result.toPage = dialog.toPage();
    result.copies = 1;

    PrinterSettings& dm = result.printerSettings;
    dm.deviceName = chosen.printerName();
    dm.orientation = chosen.pageLayout().orientation();
    dm.paperSize = chosen.pageLayout().pageSize();
    dm.copies = chosen.copyCount();
    dm.printQuality = chosen.resolution();
    dm.duplex = chosen.duplex();
    dm.collate = chosen.collateCopies();
    return result;
}

namespace {
PrintSystem& realPrintSystem()
{
    static PrintSystem s;
    return s;
}
PrintSystem*& currentPrintSystem()
{
    static PrintSystem* s = nullptr;
    return s;
}
}  // namespace

PrintSystem& printSystem()
{
    PrintSystem* s = currentPrintSystem();
    return s != nullptr ? *s : realPrintSystem();
}

void setPrintSystem(PrintSystem* s) { currentPrintSystem() = s; }

QPrinter& printer()
{
    // Never deleted: it lives as long as the program, past the application object.
    static QPrinter* p = new QPrinter(QPrinter::HighResolution);
    return *p;
}

void abortPrinting(QPrinter& printer, QPainter& painter)
{
    if (printer.abort() || !painter.isActive())
        return;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    const QString file = printer.outputFileName();
    painter.end();
    if (toFile && !file.isEmpty())
        QFile::remove(file);
}

}  // namespace wexlo::platform
