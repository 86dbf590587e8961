#pragma once

// A print system for tests: a fixed list of installed printers, a print dialog that answers
// from a script (or cancels), and printers that print into a PDF file.

#include "platform/Printer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace wexlo::test {

class ScriptedPrintSystem : public platform::PrintSystem {
public:
    QStringList printers{QStringLiteral("Office Laser"), QStringLiteral("Label Writer"),
                         QStringLiteral("Hall Inkjet")};
    QString defaultName = QStringLiteral("Office Laser");
    // Where the chosen printers' queue prints to.
    QString pdfPath;

    // The user's answer. ok = false cancels; the dialog's device name defaults to the
    // default printer.
    platform::PrintDialogResult answer = confirm();
    // Runs while the dialog is "open" (e.g. to look at the mouse pointer).
    std::function<void(const platform::PrintDialogRequest&)> onShow;

    QList<platform::PrintDialogRequest> requests;  // every dialog shown
    QStringList used;                              // every printer made the program's

    QStringList installedPrinters() const override { return printers; }
    QString defaultPrinter() const override { return defaultName; }
    void usePrinter(QPrinter& printer, const QString& name) override;
    platform::PrintDialogResult showPrintDialog(const platform::PrintDialogRequest& r) override;

    // A confirmed dialog on `device` with one copy and otherwise default settings.
    static platform::PrintDialogResult confirm(
        const QString& device = QStringLiteral("Office Laser"));
    // A confirmed "Print to File (PDF)" into `file`: the system dialog names no printer then.
    static platform::PrintDialogResult printToFile(const QString& file);
    void cancel(int extendedError = 0);
};

// Installs a ScriptedPrintSystem for the lifetime of the object, printing into `pdfPath`, and
// puts the program's printer back into a known state.
class PrintSystemScope {
public:
    explicit PrintSystemScope(ScriptedPrintSystem& system, const QString& pdfPath);
    ~PrintSystemScope();
};

// Text of a PDF through pdftotext -layout; pages are separated by form feeds.
QString pdfText(const QString& pdfPath);
// The fonts pdffonts lists for the file (one per line, as the tool prints them).
QString pdfFonts(const QString& pdfPath);

}  // namespace wexlo::test
