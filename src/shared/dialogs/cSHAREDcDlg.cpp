#include "shared/dialogs/cSHAREDcDlg.h"

#include "platform/Printer.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/ErrorHandler.h"

namespace wexlo {

namespace pd = platform::pd;

cSHAREDcDlg::cSHAREDcDlg() = default;
cSHAREDcDlg::~cSHAREDcDlg() = default;

bool cSHAREDcDlg::flagset(std::int32_t value, std::int32_t bits) { return (value & bits) == bits; }

cSHAREDcDlgG::PrintDlgArgs cSHAREDcDlg::printOptions(std::int32_t f)
{
    cSHAREDcDlgG::PrintDlgArgs a;
    a.DisablePageNumbers = !flagset(f, pd::PageNums);
    a.DisableSelection = flagset(f, pd::NoSelection);
    a.ShowPrintToFile = !flagset(f, pd::HidePrintToFile);
    a.DisablePrintToFile = flagset(f, pd::DisablePrintToFile);
    a.PrintToFile = flagset(f, pd::PrintToFile);
    a.Collate = flagset(f, pd::Collate);
    a.PreventWarning = flagset(f, pd::NoWarning);
    a.PrintRange = 0;
    a.Flags = f;
    return a;
}

void cSHAREDcDlg::ShowPrinter()
{
    cSHAREDcDlgG::PrintDlgArgs a = printOptions(flags);
    if (!m_cDlgG)
        m_cDlgG = std::make_unique<cSHAREDcDlgG>();
    a.FromPage = FromPage;
    a.ToPage = ToPage;
    a.Copies = Copies;
    a.Owner = hWnd;
    a.Printer = Object;
    if (!m_cDlgG->VBPrintDlg(a))
        raiseError(err::Cancelled, QStringLiteral("Cancelled"));
    Copies = a.Copies;
}

}  // namespace wexlo
