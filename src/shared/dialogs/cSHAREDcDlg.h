#pragma once

// The common dialogs as an object: set the properties, then call a Show... operation. Only
// the print dialog is offered. Handlers log the module name "clscDlg".

#include "shared/dialogs/cSHAREDcDlgG.h"

#include <QString>

#include <cstdint>
#include <memory>

class QPrinter;
class QWidget;

namespace wexlo {

class cSHAREDcDlg {
public:
    cSHAREDcDlg();
    ~cSHAREDcDlg();

    QString DialogTitle;          // kept; the system print dialog shows its own caption
    bool PrinterDefault = false;  // kept; no effect on the print dialog
    QPrinter* Object = nullptr;   // the printer the user's choice is applied to
    QWidget* hWnd = nullptr;      // the dialog's owner
    bool CancelError = false;     // kept; cancelling the print dialog always raises
    std::int32_t flags = 0;
    std::int16_t Copies = 0;
    std::int32_t FromPage = 0;
    std::int32_t ToPage = 0;
    std::int32_t Min = 0;
    std::int32_t Max = 0;

    // Shows the print dialog. Returns when the user confirmed; raises 24000 "Cancelled" when
    // the user cancelled or the dialog failed.
    void ShowPrinter();

    // The dialog options that `flags` asks for.
    static cSHAREDcDlgG::PrintDlgArgs printOptions(std::int32_t flags);
    // True when every bit of `bits` is set in `value`.
    static bool flagset(std::int32_t value, std::int32_t bits);

private:
    std::unique_ptr<cSHAREDcDlgG> m_cDlgG;
};

}  // namespace wexlo
