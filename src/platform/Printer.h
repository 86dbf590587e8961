#pragma once

// The printer side of the desktop: the program's one printer, the installed printers, and the
// system print dialog. The dialog and the printer list sit behind PrintSystem so that tests can
// script the user's choice and print into a PDF file.

#include <QAbstractPrintDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <cstdint>

class QPainter;
class QWidget;

namespace wexlo::platform {

// Option bits of the print dialog (the values the shared dialog classes work with).
namespace pd {
inline constexpr std::int32_t AllPages = 0;
inline constexpr std::int32_t Selection = 1;
inline constexpr std::int32_t PageNums = 2;
inline constexpr std::int32_t NoSelection = 4;
inline constexpr std::int32_t NoPageNums = 8;
inline constexpr std::int32_t Collate = 16;
inline constexpr std::int32_t PrintToFile = 32;
inline constexpr std::int32_t NoWarning = 128;
inline constexpr std::int32_t ReturnDC = 256;
inline constexpr std::int32_t EnablePrintHook = 4096;
inline constexpr std::int32_t EnableSetupHook = 8192;
inline constexpr std::int32_t EnablePrintTemplate = 16384;
inline constexpr std::int32_t EnableSetupTemplate = 32768;
inline constexpr std::int32_t UseDevModeCopiesAndCollate = 262144;
inline constexpr std::int32_t DisablePrintToFile = 524288;
inline constexpr std::int32_t HidePrintToFile = 1048576;
}  // namespace pd

// What the dialog is started with.
struct PrintDialogRequest {
    QWidget* owner = nullptr;
    std::int32_t flags = 0;
    int fromPage = 0;
    int toPage = 0;
    int minPage = 1;
    int maxPage = 65535;
    int copies = 0;  // 0: the printer's own default
};

// The printer settings the user chose: the printer's name and the settings that go with it.
struct PrinterSettings {
    QString deviceName;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPageSize paperSize;  // invalid: keep the printer's
    int copies = 1;
    int printQuality = 0;  // dots per inch; 0 or less: keep the printer's
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    bool collate = false;
};

struct PrintDialogResult {
    bool ok = false;         // the user confirmed
    int extendedError = 0;   // why the dialog failed (0 on a plain cancel)
    std::int32_t flags = 0;  // the option bits as the user left them
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;  // the dialog's own count; the printer settings carry the real one
    PrinterSettings printerSettings;
    QString outputFileName;  // with PrintToFile: where the file goes
};

// How a request maps onto the dialog's controls.
struct PrintDialogSetup {
    QAbstractPrintDialog::PrintDialogOptions options;
    QAbstractPrintDialog::PrintRange range = QAbstractPrintDialog::AllPages;
    int fromPage = 0;  // 0: none given
    int toPage = 0;
    int minPage = 1;
    int maxPage = 65535;
    bool printToFile = false;
    bool collate = false;
    int copies = 0;
};
PrintDialogSetup dialogSetup(const PrintDialogRequest& request);

class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    // Names of the installed printers, in the system's order.
    virtual QStringList installedPrinters() const;
    virtual QString defaultPrinter() const;
    // Makes the named installed printer the one `printer` prints on; a file that an earlier
    // print to file named no longer takes the jobs.
    virtual void usePrinter(QPrinter& printer, const QString& name);
    // Shows the system print dialog, starting on the default printer with its defaults.
    virtual PrintDialogResult showPrintDialog(const PrintDialogRequest& request);
};

PrintSystem& printSystem();
void setPrintSystem(PrintSystem* s);

// The program's printer: created on first use, kept until the program ends.
QPrinter& printer();

// Throws away a print job under way. Printers that cannot cancel a started job get it ended
// instead; when the job went into a file, the unfinished file is removed.
void abortPrinting(QPrinter& printer, QPainter& painter);

}  // namespace wexlo::platform
