#include "platform/Printer.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/Logging.h"
#include "shared/dialogs/PrintDialog.h"
#include "shared/dialogs/PrintDialogBackend.h"
#include "support/PrintDoubles.h"
#include "support/WexloTest.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>

#include <optional>

using namespace wexlo;
namespace pd = wexlo::platform::pd;

namespace {

using Args = PrintOptions;

TEST(PrintFlags, FlagsetNeedsEveryBitOfTheValue)
{
    EXPECT_TRUE(PrintDialog::hasAllBits(pd::PageNums | pd::Collate, pd::PageNums));
    EXPECT_FALSE(PrintDialog::hasAllBits(pd::PageNums, pd::PageNums | pd::Collate));
    EXPECT_FALSE(PrintDialog::hasAllBits(0, pd::NoSelection));
    EXPECT_TRUE(PrintDialog::hasAllBits(0, pd::AllPages));
}

TEST(PrintFlags, OptionsDerivedFromFlags)
{
    struct Case {
        std::int32_t flags;
        bool disablePageNumbers, disableSelection, showPrintToFile, disablePrintToFile, printToFile,
            collate, preventWarning;
    };
    const Case cases[] = {
        {0, true, false, true, false, false, false, false},
        {pd::PageNums, false, false, true, false, false, false, false},
        {pd::NoSelection, true, true, true, false, false, false, false},
        {pd::HidePrintToFile, true, false, false, false, false, false, false},
        {pd::DisablePrintToFile, true, false, true, true, false, false, false},
        {pd::PrintToFile, true, false, true, false, true, false, false},
        {pd::Collate, true, false, true, false, false, true, false},
        {pd::NoWarning, true, false, true, false, false, false, true},
        {pd::PageNums | pd::NoSelection | pd::HidePrintToFile | pd::Collate | pd::NoWarning, false,
         true, false, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const Args a = PrintDialog::optionsFor(c.flags);
        EXPECT_EQ(a.disablePageNumbers, c.disablePageNumbers);
        EXPECT_EQ(a.disableSelection, c.disableSelection);
        EXPECT_EQ(a.showPrintToFile, c.showPrintToFile);
        EXPECT_EQ(a.disablePrintToFile, c.disablePrintToFile);
        EXPECT_EQ(a.printToFile, c.printToFile);
        EXPECT_EQ(a.collate, c.collate);
        EXPECT_EQ(a.preventWarning, c.preventWarning);
        EXPECT_EQ(a.printRange, 0);
        EXPECT_EQ(a.flags, c.flags);
    }
}

TEST(PrintFlags, BuiltFlagsAlwaysAskForDevModeCopiesAndTheDeviceContext)
{
    const std::int32_t always = pd::UseDevModeCopiesAndCollate | pd::ReturnDC;
    // Flags 0 as the program passes them: all pages, page numbers off, print to file shown.
    EXPECT_EQ(PrintDialogBackend::buildFlags(PrintDialog::optionsFor(0)), always | pd::NoPageNums);
    EXPECT_EQ(always | pd::NoPageNums, 262408);

    Args none;
    EXPECT_EQ(PrintDialogBackend::buildFlags(none), always);

    struct Case {
        void (*set)(Args&);
        std::int32_t bit;
    };
    const Case cases[] = {
        {[](Args& a) { a.disablePageNumbers = true; }, pd::NoPageNums},
        {[](Args& a) { a.disablePrintToFile = true; }, pd::DisablePrintToFile},
        {[](Args& a) { a.disableSelection = true; }, pd::NoSelection},
        {[](Args& a) { a.printToFile = true; }, pd::PrintToFile},
        {[](Args& a) { a.showPrintToFile = false; }, pd::HidePrintToFile},
        {[](Args& a) { a.preventWarning = true; }, pd::NoWarning},
        {[](Args& a) { a.collate = true; }, pd::Collate},
        {[](Args& a) { a.printRange = 1; }, pd::PageNums},
        {[](Args& a) { a.printRange = 2; }, pd::Selection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bit);
        Args a;
        c.set(a);
        EXPECT_EQ(PrintDialogBackend::buildFlags(a), always | c.bit);
    }
}

TEST(PrintFlags, HookAndTemplateBitsAreRemovedOthersKept)
{
    Args a;
    a.flags = pd::EnablePrintHook | pd::EnableSetupHook | pd::EnablePrintTemplate |
              pd::EnableSetupTemplate | pd::NoSelection | pd::Collate;
    EXPECT_EQ(PrintDialogBackend::buildFlags(a),
              pd::UseDevModeCopiesAndCollate | pd::ReturnDC | pd::NoSelection | pd::Collate);
}

TEST(PrintFlags, DialogShowsWhatTheFlagsOffer)
{
    using D = QAbstractPrintDialog;
    platform::PrintDialogRequest r;
    r.flags = PrintDialogBackend::buildFlags(PrintDialog::optionsFor(0));
    platform::PrintDialogSetup s = platform::dialogSetup(r);
    EXPECT_EQ(s.range, D::AllPages);
    EXPECT_TRUE(s.options.testFlag(D::PrintToFile));
    EXPECT_TRUE(s.options.testFlag(D::PrintSelection));
    EXPECT_FALSE(s.options.testFlag(D::PrintPageRange));
    EXPECT_FALSE(s.printToFile);
    EXPECT_FALSE(s.collate);
    EXPECT_EQ(s.minPage, 1);
    EXPECT_EQ(s.maxPage, 65535);

    r.flags = pd::PageNums | pd::Collate | pd::PrintToFile;
    r.fromPage = 2;
    r.toPage = 5;
    s = platform::dialogSetup(r);
    EXPECT_EQ(s.range, D::PageRange);
    EXPECT_TRUE(s.options.testFlag(D::PrintPageRange));
    EXPECT_TRUE(s.printToFile);
    EXPECT_TRUE(s.collate);
    EXPECT_EQ(s.fromPage, 2);
    EXPECT_EQ(s.toPage, 5);

    r.flags = pd::Selection | pd::NoPageNums;
    r.fromPage = 5;  // a backwards range is not passed on
    r.toPage = 2;
    s = platform::dialogSetup(r);
    EXPECT_EQ(s.range, D::Selection);
    EXPECT_EQ(s.fromPage, 0);

    r.flags = pd::NoSelection | pd::HidePrintToFile;
    s = platform::dialogSetup(r);
    EXPECT_FALSE(s.options.testFlag(D::PrintSelection));
    EXPECT_FALSE(s.options.testFlag(D::PrintToFile));
    r.flags = pd::DisablePrintToFile | pd::PrintToFile;
    s = platform::dialogSetup(r);
    EXPECT_FALSE(s.options.testFlag(D::PrintToFile));
    EXPECT_FALSE(s.printToFile);
}

class SystemPrintDialog : public test::WexloTest {};

// The system's own dialog, looked at while it is open: the page range is offered exactly when
// the flags ask for page numbers, whatever else the dialog is given.
TEST_F(SystemPrintDialog, PageRangeIsOfferedOnlyWhenTheFlagsAskForPageNumbers)
{
    struct Case {
        std::int32_t flags;
        bool offered;
    };
    const Case cases[] = {
        {0, false},
        {pd::NoSelection | pd::Collate, false},
        {pd::PageNums, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        std::optional<bool> option;
        std::optional<bool> pagesButton;     // "Pages from ... to"
        std::optional<bool> pageListButton;  // "Pages" with a list (CUPS)
        int ticks = 0;
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                if (++ticks > 500)
                    watch.stop();
                return;
            }
            watch.stop();
            option = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            if (auto* pages = dialog->findChild<QRadioButton*>(QStringLiteral("printRange")))
                pagesButton = pages->isEnabled();
            if (auto* list = dialog->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton")))
                pageListButton = list->isEnabled();
            dialog->reject();
        });
        watch.start();

        PrintDialog dlg;
        dlg.flags = c.flags;
        dlg.printer = &platform::printer();
        EXPECT_THROW(dlg.choosePrinter(), RuntimeError);
        EXPECT_EQ(option, std::optional<bool>(c.offered));
        EXPECT_EQ(pagesButton, std::optional<bool>(c.offered));
        // Qt offers the list only for printers that pick pages themselves, never for a file.
        if (!c.offered && pageListButton.has_value()) {
            EXPECT_FALSE(*pageListButton);
        }
    }
}

class PrintDialogRoad : public test::WexloTest {
protected:
    void SetUp() override
    {
        WexloTest::SetUp();
        scope_.emplace(system_, appFile(QStringLiteral("out.pdf")));
        QPrinter& p = platform::printer();
        p.setOutputFileName(appFile(QStringLiteral("before.pdf")));
        p.setCopyCount(1);
    }
    void TearDown() override
    {
        scope_.reset();
        WexloTest::TearDown();
    }

    test::ScriptedPrintSystem system_;
    std::optional<test::PrintSystemScope> scope_;
};

TEST_F(PrintDialogRoad, ChoiceBecomesTheProgramsPrinterDefaultUntouched)
{
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Label Writer"));
    platform::PrinterSettings& dm = system_.answer.printerSettings;
    dm.copies = 3;
    dm.orientation = QPageLayout::Landscape;
    dm.paperSize = QPageSize(QPageSize::Letter);
    dm.printQuality = 300;
    dm.duplex = QPrinter::DuplexLongSide;

    PrintDialog dlg;
    dlg.printer = &platform::printer();
    dlg.choosePrinter();

    ASSERT_EQ(system_.requests.size(), 1);
    EXPECT_EQ(system_.requests[0].flags, 262408);
    EXPECT_EQ(system_.requests[0].copies, 0);
    EXPECT_EQ(system_.used, QStringList{QStringLiteral("Label Writer")});
    EXPECT_EQ(system_.defaultName, QStringLiteral("Office Laser"));

    const QPrinter& p = platform::printer();
    EXPECT_EQ(p.outputFileName(), appFile(QStringLiteral("out.pdf")));
    EXPECT_EQ(p.copyCount(), 3);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(p.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(p.resolution(), 300);
    // Duplex is applied too, but a PDF printer has none to show.
    EXPECT_EQ(dlg.copies, 3);
}

TEST_F(PrintDialogRoad, ReturnedRangeAndCollatedCopiesComeBack)
{
    system_.answer.flags = pd::PageNums | pd::Collate | pd::PrintToFile;
    system_.answer.fromPage = 2;
    system_.answer.toPage = 4;
    system_.answer.copies = 5;  // collate in the returned flags: the dialog's count counts
    system_.answer.printerSettings.copies = 1;

    PrintDialogBackend g;
    Args a = PrintDialog::optionsFor(0);
    a.printer = &platform::printer();
    ASSERT_TRUE(g.show(a));
    EXPECT_EQ(g.result(), 1);
    EXPECT_EQ(a.printRange, 1);
    EXPECT_EQ(a.fromPage, 2);
    EXPECT_EQ(a.toPage, 4);
    EXPECT_TRUE(a.printToFile);
    EXPECT_TRUE(a.collate);
    EXPECT_EQ(a.copies, 5);
    EXPECT_EQ(platform::printer().copyCount(), 5);

    system_.answer = test::ScriptedPrintSystem::confirm();
    system_.answer.flags = pd::Selection;
    system_.answer.printerSettings.collate = true;
    system_.answer.printerSettings.copies = 2;
    ASSERT_TRUE(g.show(a));
    EXPECT_EQ(a.printRange, 2);
    EXPECT_TRUE(a.collate);
    EXPECT_EQ(a.copies, 2);
    EXPECT_FALSE(a.printToFile);
    EXPECT_EQ(g.deviceMode().copies, 2);
}

TEST_F(PrintDialogRoad, DeviceNameIsCutAtNulAndUnknownNamesKeepThePrinter)
{
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Hall Inkjet") +
                                                        QChar(u'\0') + QStringLiteral("junk"));
    PrintDialog dlg;
    dlg.printer = &platform::printer();
    dlg.choosePrinter();
    EXPECT_EQ(system_.used, QStringList{QStringLiteral("Hall Inkjet")});

    // A name no installed printer has: the printer stays, the settings still apply.
    system_.used.clear();
    platform::printer().setOutputFileName(appFile(QStringLiteral("before.pdf")));
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Hall"));
    system_.answer.printerSettings.orientation = QPageLayout::Landscape;
    dlg.choosePrinter();
    EXPECT_TRUE(system_.used.isEmpty());
    EXPECT_EQ(platform::printer().outputFileName(), appFile(QStringLiteral("before.pdf")));
    EXPECT_EQ(platform::printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintDialogRoad, CancelRaisesCancelledAndLeavesThePrinter)
{
    system_.cancel(4100);
    platform::printer().setCopyCount(2);

    PrintDialog dlg;
    dlg.printer = &platform::printer();
    try {
        dlg.choosePrinter();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Cancelled);
        EXPECT_EQ(e.description(), QStringLiteral("Cancelled"));
    }
    EXPECT_TRUE(system_.used.isEmpty());
    EXPECT_EQ(platform::printer().copyCount(), 2);
    EXPECT_EQ(platform::printer().outputFileName(), appFile(QStringLiteral("before.pdf")));

    PrintDialogBackend g;
    Args a;
    EXPECT_FALSE(g.show(a));
    EXPECT_EQ(g.result(), 0);
    EXPECT_EQ(g.extendedError(), 4100);
}

class ThrowingPrintSystem : public test::ScriptedPrintSystem {
public:
    platform::PrintDialogResult showPrintDialog(const platform::PrintDialogRequest&) override
    {
        raiseError(err::DeviceUnavailable);
    }
};

TEST_F(PrintDialogRoad, DialogFailureIsLoggedAndReportedAsCancelled)
{
    ThrowingPrintSystem failing;
    platform::setPrintSystem(&failing);
    PrintDialog dlg;
    dlg.printer = &platform::printer();
    try {
        dlg.choosePrinter();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Cancelled);
    }
    logging::writeRecentActions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Device unavailable(68) in vbprintdlg of module clscDlgGC")))
        << logText().toStdString();
}

}  // namespace
