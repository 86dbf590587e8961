#include "platform/Printer.h"
#include "support/WexloTest.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QTimer>

using namespace wexlo;

namespace {

class Printer : public test::WexloTest {};

TEST_F(Printer, AbortedJobLeavesNoFileBehind)
{
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFileName(appFile(QStringLiteral("job.pdf")));
    QPainter painter;
    ASSERT_TRUE(painter.begin(&p));
    painter.drawText(100, 100, QStringLiteral("first page"));
    p.newPage();
    platform::abortPrinting(p, painter);
    EXPECT_FALSE(painter.isActive());
    EXPECT_FALSE(QFile::exists(appFile(QStringLiteral("job.pdf"))));
}

TEST_F(Printer, ProgramPrinterIsOneForTheProgramsLife)
{
    EXPECT_EQ(&platform::printer(), &platform::printer());
}

// The system's own dialog, answered the way a user would.
platform::PrintDialogResult showAndAnswer(bool accept, const platform::PrintDialogRequest& r)
{
    QTimer::singleShot(0, [accept] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    return platform::PrintSystem().showPrintDialog(r);
}

TEST_F(Printer, RealDialogReportsCancelAndConfirm)
{
    platform::PrintDialogRequest r;
    r.flags = platform::pd::NoPageNums | platform::pd::UseDevModeCopiesAndCollate;
    EXPECT_FALSE(showAndAnswer(false, r).ok);

    const platform::PrintDialogResult ok = showAndAnswer(true, r);
    EXPECT_TRUE(ok.ok);
    EXPECT_GE(ok.printerSettings.copies, 1);
    EXPECT_TRUE(ok.printerSettings.paperSize.isValid());
}

}  // namespace
