#pragma once

// The layer under cSHAREDcDlg that fills the system dialog's record, shows the dialog and hands
// the user's choice back. Handlers log the module name "clscDlgGC".

#include "platform/Printer.h"

#include <QVariant>

#include <cstdint>

class QPrinter;
class QWidget;

namespace wexlo {

class cSHAREDcDlgG {
public:
    // The print dialog's arguments, in their order; results come back in the same fields.
    struct PrintDlgArgs {
        int PrintRange = 0;  // 0 all, 1 pages, 2 selection
        bool DisablePageNumbers = false;
        std::int32_t FromPage = 0;
        std::int32_t ToPage = 0;
        bool DisableSelection = false;
        std::int16_t Copies = 0;
        bool ShowPrintToFile = true;
        bool DisablePrintToFile = false;
        bool PrintToFile = false;
        bool Collate = false;
        bool PreventWarning = false;
        QWidget* Owner = nullptr;
        QPrinter* Printer = nullptr;
        std::int32_t Flags = 0;
        QVariant Unused1;
        QVariant Unused2;
    };

    // True when the user confirmed. On OK the chosen printer becomes `Printer` (found by its
    // name among the installed printers) with the chosen copies, orientation, paper size, print
    // quality and duplex; the system's default printer is left alone.
    bool VBPrintDlg(PrintDlgArgs& args);

    // The option bits handed to the dialog: the given flags, the bits the options ask for,
    // and never a hook or template bit.
    static std::int32_t buildPrintFlags(const PrintDlgArgs& args);

    long APIReturn() const { return m_lApiReturn; }
    long ExtendedError() const { return m_lExtendedError; }
    // The printer settings the last confirmed dialog returned.
    const platform::DeviceMode& DevMode() const { return m_tDevMode; }

private:
    long m_lApiReturn = 0;
    long m_lExtendedError = 0;
    platform::DeviceMode m_tDevMode;
};

}  // namespace wexlo
