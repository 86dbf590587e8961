#include "shared/dialogs/PrintDialog.h"

#include "platform/Printer.h"
#include "platform/RuntimeError.h"

namespace wexlo {

namespace pd = platform::pd;

PrintDialog::PrintDialog() = default;
PrintDialog::~PrintDialog() = default;

bool PrintDialog::hasAllBits(std::int32_t value, std::int32_t bits)
{
    return (value & bits) == bits;
}

PrintOptions PrintDialog::optionsFor(std::int32_t f)
{
    PrintOptions o;
    o.disablePageNumbers = !hasAllBits(f, pd::PageNums);
    o.disableSelection = hasAllBits(f, pd::NoSelection);
    o.showPrintToFile = !hasAllBits(f, pd::HidePrintToFile);
    o.disablePrintToFile = hasAllBits(f, pd::DisablePrintToFile);
    o.printToFile = hasAllBits(f, pd::PrintToFile);
    o.collate = hasAllBits(f, pd::Collate);
    o.preventWarning = hasAllBits(f, pd::NoWarning);
    o.printRange = 0;
    o.flags = f;
    return o;
}

void PrintDialog::choosePrinter()
{
    PrintOptions o = optionsFor(flags);
    if (!backend_)
        backend_ = std::make_unique<PrintDialogBackend>();
    o.fromPage = fromPage;
    o.toPage = toPage;
    o.copies = copies;
    o.owner = owner;
    o.printer = printer;
    if (!backend_->show(o))
        raiseError(err::Cancelled, QStringLiteral("Cancelled"));
    copies = o.copies;
}

}  // namespace wexlo
