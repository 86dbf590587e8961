#pragma once

// The print dialog as an object: set the properties, then call choosePrinter().

#include "shared/dialogs/PrintDialogBackend.h"

#include <cstdint>
#include <memory>

class QPrinter;
class QWidget;

namespace wexlo {

class PrintDialog {
public:
    PrintDialog();
    ~PrintDialog();

    QPrinter* printer = nullptr;  // the printer the user's choice is applied to
    QWidget* owner = nullptr;     // the dialog's owner
    std::int32_t flags = 0;
    std::int16_t copies = 0;
    std::int32_t fromPage = 0;
    std::int32_t toPage = 0;

    // Shows the print dialog. Returns when the user confirmed; raises 24000 "Cancelled" when
    // the user cancelled or the dialog failed.
    void choosePrinter();

    // The dialog options that `flags` asks for.
    static PrintOptions optionsFor(std::int32_t flags);
    // True when every bit of `bits` is set in `value`.
    static bool hasAllBits(std::int32_t value, std::int32_t bits);

private:
    std::unique_ptr<PrintDialogBackend> backend_;
};

}  // namespace wexlo
