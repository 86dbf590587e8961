#include "support/PrintDoubles.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

namespace wexlo::test {

void ScriptedPrintSystem::usePrinter(QPrinter& printer, const QString& name)
{
    used.append(name);
    // The real choice first, so that whatever it does to the destination counts; a printer it
    // leaves without a file of its own sends the job to the queue, which here is pdfPath.
    PrintSystem::usePrinter(printer, name);
    if (printer.outputFileName().isEmpty())
        printer.setOutputFileName(pdfPath);
}

platform::PrintDialogResult ScriptedPrintSystem::showPrintDialog(
    const platform::PrintDialogRequest& r)
{
    requests.append(r);
    if (onShow)
        onShow(r);
    return answer;
}

platform::PrintDialogResult ScriptedPrintSystem::confirm(const QString& device)
{
    platform::PrintDialogResult a;
    a.ok = true;
    a.flags = platform::pd::UseDevModeCopiesAndCollate;
    a.copies = 1;
    a.printerSettings.deviceName = device;
    a.printerSettings.copies = 1;
    a.printerSettings.paperSize = QPageSize(QPageSize::A4);
    a.printerSettings.printQuality = 600;
    return a;
}

platform::PrintDialogResult ScriptedPrintSystem::printToFile(const QString& file)
{
    platform::PrintDialogResult a = confirm(QString());
    a.flags |= platform::pd::PrintToFile;
    a.outputFileName = file;
    return a;
}

void ScriptedPrintSystem::cancel(int extendedError)
{
    answer = platform::PrintDialogResult{};
    answer.extendedError = extendedError;
}

namespace {
void resetProgramPrinter(const QString& pdfPath)
{
    QPrinter& p = platform::printer();
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(pdfPath);
    p.setCopyCount(1);
    p.setPageOrientation(QPageLayout::Portrait);
    p.setPageSize(QPageSize(QPageSize::A4));
    p.setResolution(1200);
    p.setDuplex(QPrinter::DuplexNone);
}
}  // namespace

PrintSystemScope::PrintSystemScope(ScriptedPrintSystem& system, const QString& pdfPath)
{
    system.pdfPath = pdfPath;
    resetProgramPrinter(QString());
    platform::setPrintSystem(&system);
}

PrintSystemScope::~PrintSystemScope()
{
    platform::setPrintSystem(nullptr);
    resetProgramPrinter(QString());
}

namespace {
QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

QString pdfText(const QString& pdfPath)
{
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath,
                QStringLiteral("-")});
}

QString pdfFonts(const QString& pdfPath) { return run(QStringLiteral("pdffonts"), {pdfPath}); }

}  // namespace wexlo::test
