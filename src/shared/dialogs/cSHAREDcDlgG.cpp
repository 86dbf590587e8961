#include "shared/dialogs/cSHAREDcDlgG.h"

#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"

#include <QPrinter>

namespace wexlo {

namespace pd = platform::pd;

std::int32_t cSHAREDcDlgG::buildPrintFlags(const PrintDlgArgs& a)
{
    std::int32_t f = a.Flags;
    if (a.DisablePageNumbers)
        f |= pd::NoPageNums;
    if (a.DisablePrintToFile)
        f |= pd::DisablePrintToFile;
    if (a.DisableSelection)
        f |= pd::NoSelection;
    if (a.PrintToFile)
        f |= pd::PrintToFile;
    if (!a.ShowPrintToFile)
        f |= pd::HidePrintToFile;
    if (a.PreventWarning)
        f |= pd::NoWarning;
    if (a.Collate)
        f |= pd::Collate;
    f |= pd::UseDevModeCopiesAndCollate | pd::ReturnDC;
    if (a.PrintRange == 1)
        f |= pd::PageNums;
    else if (a.PrintRange == 2)
        f |= pd::Selection;
    // We install no hook and no template.
    f &= ~(pd::EnablePrintHook | pd::EnablePrintTemplate | pd::EnableSetupHook |
           pd::EnableSetupTemplate);
    return f;
}

bool cSHAREDcDlgG::VBPrintDlg(PrintDlgArgs& a)
{
    bool result = false;
    OnError on(QStringLiteral("vbprintdlg"), QStringLiteral("clscDlgGC"));
    m_lApiReturn = 0;
    m_lExtendedError = 0;

    platform::PrintDialogRequest request;
    request.owner = a.Owner;
    request.flags = buildPrintFlags(a);
    request.fromPage = static_cast<std::int16_t>(a.FromPage);
    request.toPage = static_cast<std::int16_t>(a.ToPage);
    request.minPage = 1;
    request.maxPage = 65535;
    request.copies = 0;

    platform::PrintDialogResult answer;
    on([&] { platform::eventPump().processEvents(); });
    on([&] {
        answer = platform::printSystem().showPrintDialog(request);
        m_lApiReturn = answer.ok ? 1 : 0;
    });
    on([&] { platform::eventPump().processEvents(); });

    if (m_lApiReturn != 1) {
        m_lExtendedError = answer.extendedError;
        return result;
    }

    const platform::DeviceMode& dm = answer.devMode;
    if ((answer.flags & pd::PageNums) == pd::PageNums)
        a.PrintRange = 1;
    else if ((answer.flags & pd::Selection) == pd::Selection)
        a.PrintRange = 2;
    else
        a.PrintRange = 0;
    a.FromPage = answer.fromPage;
    a.ToPage = answer.toPage;
    a.PrintToFile = (answer.flags & pd::PrintToFile) == pd::PrintToFile;
    m_tDevMode = dm;
    if ((answer.flags & pd::Collate) == pd::Collate) {
        a.Collate = true;
        a.Copies = static_cast<std::int16_t>(answer.copies);
    } else {
        a.Collate = dm.collate;
        a.Copies = static_cast<std::int16_t>(dm.copies);
    }

    if (a.Printer != nullptr) {
        QPrinter& p = *a.Printer;
        on([&] {
            QString name = dm.deviceName;
            const qsizetype nul = name.indexOf(QChar(u'\0'));
            if (nul >= 0)
                name.truncate(nul);
            // A name that matches no installed printer leaves the printer as it was.
            const QStringList installed = platform::printSystem().installedPrinters();
            for (const QString& candidate : installed) {
                if (candidate == name) {
                    platform::printSystem().usePrinter(p, candidate);
                    break;
                }
            }
        });
        on([&] {
            // Print to file: the file the user named takes the job.
            if (a.PrintToFile && !answer.outputFileName.isEmpty())
                p.setOutputFileName(answer.outputFileName);
        });
        on([&] { p.setCopyCount(a.Copies > 0 ? a.Copies : 1); });
        on([&] { p.setPageOrientation(dm.orientation); });
        on([&] {
            if (dm.paperSize.isValid())
                p.setPageSize(dm.paperSize);
        });
        on([&] {
            if (dm.printQuality > 0)
                p.setResolution(dm.printQuality);
        });
        on([&] { p.setDuplex(dm.duplex); });
    }
    result = true;
    return result;
}

}  // namespace wexlo
