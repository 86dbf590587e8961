#pragma once

// The layer under PrintDialog that fills the system dialog's request, shows the dialog and
// hands the user's choice back.

#include "platform/Printer.h"

#include <cstdint>

class QPrinter;
class QWidget;

namespace wexlo {

// The print dialog's options; the user's choices come back in the same fields.
struct PrintOptions {
    int printRange = 0;  // 0 all, 1 pages, 2 selection
    bool disablePageNumbers = false;
    std::int32_t fromPage = 0;
    std::int32_t toPage = 0;
    bool disableSelection = false;
    std::int16_t copies = 0;
    bool showPrintToFile = true;
    bool disablePrintToFile = false;
    bool printToFile = false;
    bool collate = false;
    bool preventWarning = false;
    QWidget* owner = nullptr;
    QPrinter* printer = nullptr;
    std::int32_t flags = 0;
};

class PrintDialogBackend {
public:
    // True when the user confirmed. On OK the chosen printer becomes `printer` (found by its
    // name among the installed printers) with the chosen copies, orientation, paper size, print
    // quality and duplex; the system's default printer is left alone.
    bool show(PrintOptions& options);

    // The option bits handed to the dialog: the given flags, the bits the options ask for,
    // and never a hook or template bit.
    static std::int32_t buildFlags(const PrintOptions& options);

    // 1 when the last dialog was confirmed, 0 otherwise; the system's error code when it failed.
    long result() const { return result_; }
    long extendedError() const { return extendedError_; }
    // The printer settings the last confirmed dialog returned.
    const platform::PrinterSettings& deviceMode() const { return deviceMode_; }

private:
    long result_ = 0;
    long extendedError_ = 0;
    platform::PrinterSettings deviceMode_;
};

}  // namespace wexlo
