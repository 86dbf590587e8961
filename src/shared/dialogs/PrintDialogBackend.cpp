#include "shared/dialogs/PrintDialogBackend.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <QPrinter>

namespace wexlo {

namespace pd = platform::pd;

namespace {
// The names the log shows for this code.
namespace logname {
const QString kModule = QStringLiteral("clscDlgGC");
const QString kShow = QStringLiteral("vbprintdlg");
}  // namespace logname

// Makes the installed printer of that name (cut at a NUL) the printer's; a name that matches
// no installed printer leaves the printer as it was.
void useNamedPrinter(QPrinter& p, QString name)
{
    const qsizetype nul = name.indexOf(QChar(u'\0'));
    if (nul >= 0)
        name.truncate(nul);
    const QStringList installed = platform::printSystem().installedPrinters();
    if (installed.contains(name))
        platform::printSystem().usePrinter(p, name);
}
}  // namespace

std::int32_t PrintDialogBackend::buildFlags(const PrintOptions& o)
{
    std::int32_t f = o.flags;
    if (o.disablePageNumbers)
        f |= pd::NoPageNums;
    if (o.disablePrintToFile)
        f |= pd::DisablePrintToFile;
    if (o.disableSelection)
        f |= pd::NoSelection;
    if (o.printToFile)
        f |= pd::PrintToFile;
    if (!o.showPrintToFile)
        f |= pd::HidePrintToFile;
    if (o.preventWarning)
        f |= pd::NoWarning;
    if (o.collate)
        f |= pd::Collate;
    f |= pd::UseDevModeCopiesAndCollate | pd::ReturnDC;
    if (o.printRange == 1)
        f |= pd::PageNums;
    else if (o.printRange == 2)
        f |= pd::Selection;
    // We install no hook and no template.
    f &= ~(pd::EnablePrintHook | pd::EnablePrintTemplate | pd::EnableSetupHook |
           pd::EnableSetupTemplate);
    return f;
}

bool PrintDialogBackend::show(PrintOptions& o)
{
    ErrorRecorder on(logname::kShow, logname::kModule);
    result_ = 0;
    extendedError_ = 0;

    platform::PrintDialogRequest request;
    request.owner = o.owner;
    request.flags = buildFlags(o);
    request.fromPage = static_cast<std::int16_t>(o.fromPage);
    request.toPage = static_cast<std::int16_t>(o.toPage);
    request.minPage = 1;
    request.maxPage = 65535;
    request.copies = 0;

    platform::PrintDialogResult answer;
    platform::eventPump().processEvents();
    // A dialog that fails is logged and counts as cancelled.
    on([&] {
        answer = platform::printSystem().showPrintDialog(request);
        result_ = answer.ok ? 1 : 0;
    });
    platform::eventPump().processEvents();

    if (result_ != 1) {
        extendedError_ = answer.extendedError;
        return false;
    }

    const platform::PrinterSettings& dm = answer.printerSettings;
    if ((answer.flags & pd::PageNums) == pd::PageNums)
        o.printRange = 1;
    else if ((answer.flags & pd::Selection) == pd::Selection)
        o.printRange = 2;
    else
        o.printRange = 0;
    o.fromPage = answer.fromPage;
    o.toPage = answer.toPage;
    o.printToFile = (answer.flags & pd::PrintToFile) == pd::PrintToFile;
    deviceMode_ = dm;
    if ((answer.flags & pd::Collate) == pd::Collate) {
        o.collate = true;
        o.copies = static_cast<std::int16_t>(answer.copies);
    } else {
        o.collate = dm.collate;
        o.copies = static_cast<std::int16_t>(dm.copies);
    }

    if (o.printer != nullptr) {
        QPrinter& p = *o.printer;
        // A printer that cannot be taken is logged; the other settings still apply.
        on([&] { useNamedPrinter(p, dm.deviceName); });
        // Print to file: the file the user named takes the job.
        if (o.printToFile && !answer.outputFileName.isEmpty())
            p.setOutputFileName(answer.outputFileName);
        p.setCopyCount(o.copies > 0 ? o.copies : 1);
        p.setPageOrientation(dm.orientation);
        if (dm.paperSize.isValid())
            p.setPageSize(dm.paperSize);
        if (dm.printQuality > 0)
            p.setResolution(dm.printQuality);
        p.setDuplex(dm.duplex);
    }
    return true;
}

}  // namespace wexlo
