#include "platform/Printer.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/mSHAREDLogging.h"
#include "shared/dialogs/cSHAREDcDlg.h"
#include "shared/dialogs/cSHAREDcDlgG.h"
#include "support/Fixture.h"
#include "support/PrintDoubles.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>

#include <optional>

using namespace wexlo;
namespace pd = wexlo::platform::pd;

namespace {

using Args = cSHAREDcDlgG::PrintDlgArgs;

TEST(PrintFlags, FlagsetNeedsEveryBitOfTheValue)
{
    EXPECT_TRUE(cSHAREDcDlg::flagset(pd::PageNums | pd::Collate, pd::PageNums));
    EXPECT_FALSE(cSHAREDcDlg::flagset(pd::PageNums, pd::PageNums | pd::Collate));
    EXPECT_FALSE(cSHAREDcDlg::flagset(0, pd::NoSelection));
    EXPECT_TRUE(cSHAREDcDlg::flagset(0, pd::AllPages));
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
        const Args a = cSHAREDcDlg::printOptions(c.flags);
        EXPECT_EQ(a.DisablePageNumbers, c.disablePageNumbers);
        EXPECT_EQ(a.DisableSelection, c.disableSelection);
        EXPECT_EQ(a.ShowPrintToFile, c.showPrintToFile);
        EXPECT_EQ(a.DisablePrintToFile, c.disablePrintToFile);
        EXPECT_EQ(a.PrintToFile, c.printToFile);
        EXPECT_EQ(a.Collate, c.collate);
        EXPECT_EQ(a.PreventWarning, c.preventWarning);
        EXPECT_EQ(a.PrintRange, 0);
        EXPECT_EQ(a.Flags, c.flags);
    }
}

TEST(PrintFlags, BuiltFlagsAlwaysAskForDevModeCopiesAndTheDeviceContext)
{
    const std::int32_t always = pd::UseDevModeCopiesAndCollate | pd::ReturnDC;
    // Flags 0 as the program passes them: all pages, page numbers off, print to file shown.
    EXPECT_EQ(cSHAREDcDlgG::buildPrintFlags(cSHAREDcDlg::printOptions(0)), always | pd::NoPageNums);
    EXPECT_EQ(always | pd::NoPageNums, 262408);

    Args none;
    EXPECT_EQ(cSHAREDcDlgG::buildPrintFlags(none), always);

    struct Case {
        void (*set)(Args&);
        std::int32_t bit;
    };
    const Case cases[] = {
        {[](Args& a) { a.DisablePageNumbers = true; }, pd::NoPageNums},
        {[](Args& a) { a.DisablePrintToFile = true; }, pd::DisablePrintToFile},
        {[](Args& a) { a.DisableSelection = true; }, pd::NoSelection},
        {[](Args& a) { a.PrintToFile = true; }, pd::PrintToFile},
        {[](Args& a) { a.ShowPrintToFile = false; }, pd::HidePrintToFile},
        {[](Args& a) { a.PreventWarning = true; }, pd::NoWarning},
        {[](Args& a) { a.Collate = true; }, pd::Collate},
        {[](Args& a) { a.PrintRange = 1; }, pd::PageNums},
        {[](Args& a) { a.PrintRange = 2; }, pd::Selection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bit);
        Args a;
        c.set(a);
        EXPECT_EQ(cSHAREDcDlgG::buildPrintFlags(a), always | c.bit);
    }
}

TEST(PrintFlags, HookAndTemplateBitsAreRemovedOthersKept)
{
    Args a;
    a.Flags = pd::EnablePrintHook | pd::EnableSetupHook | pd::EnablePrintTemplate |
              pd::EnableSetupTemplate | pd::NoSelection | pd::Collate;
    EXPECT_EQ(cSHAREDcDlgG::buildPrintFlags(a),
              pd::UseDevModeCopiesAndCollate | pd::ReturnDC | pd::NoSelection | pd::Collate);
}

TEST(PrintFlags, DialogShowsWhatTheFlagsOffer)
{
    using D = QAbstractPrintDialog;
    platform::PrintDialogRequest r;
    r.flags = cSHAREDcDlgG::buildPrintFlags(cSHAREDcDlg::printOptions(0));
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

        cSHAREDcDlg dlg;
        dlg.flags = c.flags;
        dlg.Object = &platform::printer();
        EXPECT_THROW(dlg.ShowPrinter(), RuntimeError);
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
    platform::DeviceMode& dm = system_.answer.devMode;
    dm.copies = 3;
    dm.orientation = QPageLayout::Landscape;
    dm.paperSize = QPageSize(QPageSize::Letter);
    dm.printQuality = 300;
    dm.duplex = QPrinter::DuplexLongSide;

    cSHAREDcDlg dlg;
    dlg.DialogTitle = QStringLiteral("Loans List");
    dlg.Object = &platform::printer();
    dlg.CancelError = true;
    dlg.ShowPrinter();

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
    EXPECT_EQ(dlg.Copies, 3);
}

TEST_F(PrintDialogRoad, ReturnedRangeAndCollatedCopiesComeBack)
{
    system_.answer.flags = pd::PageNums | pd::Collate | pd::PrintToFile;
    system_.answer.fromPage = 2;
    system_.answer.toPage = 4;
    system_.answer.copies = 5;  // collate in the returned flags: the dialog's count counts
    system_.answer.devMode.copies = 1;

    cSHAREDcDlgG g;
    Args a = cSHAREDcDlg::printOptions(0);
    a.Printer = &platform::printer();
    ASSERT_TRUE(g.VBPrintDlg(a));
    EXPECT_EQ(g.APIReturn(), 1);
    EXPECT_EQ(a.PrintRange, 1);
    EXPECT_EQ(a.FromPage, 2);
    EXPECT_EQ(a.ToPage, 4);
    EXPECT_TRUE(a.PrintToFile);
    EXPECT_TRUE(a.Collate);
    EXPECT_EQ(a.Copies, 5);
    EXPECT_EQ(platform::printer().copyCount(), 5);

    system_.answer = test::ScriptedPrintSystem::confirm();
    system_.answer.flags = pd::Selection;
    system_.answer.devMode.collate = true;
    system_.answer.devMode.copies = 2;
    ASSERT_TRUE(g.VBPrintDlg(a));
    EXPECT_EQ(a.PrintRange, 2);
    EXPECT_TRUE(a.Collate);
    EXPECT_EQ(a.Copies, 2);
    EXPECT_FALSE(a.PrintToFile);
    EXPECT_EQ(g.DevMode().copies, 2);
}

TEST_F(PrintDialogRoad, DeviceNameIsCutAtNulAndUnknownNamesKeepThePrinter)
{
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Hall Inkjet") +
                                                        QChar(u'\0') + QStringLiteral("junk"));
    cSHAREDcDlg dlg;
    dlg.Object = &platform::printer();
    dlg.ShowPrinter();
    EXPECT_EQ(system_.used, QStringList{QStringLiteral("Hall Inkjet")});

    // A name no installed printer has: the printer stays, the settings still apply.
    system_.used.clear();
    platform::printer().setOutputFileName(appFile(QStringLiteral("before.pdf")));
    system_.answer = test::ScriptedPrintSystem::confirm(QStringLiteral("Hall"));
    system_.answer.devMode.orientation = QPageLayout::Landscape;
    dlg.ShowPrinter();
    EXPECT_TRUE(system_.used.isEmpty());
    EXPECT_EQ(platform::printer().outputFileName(), appFile(QStringLiteral("before.pdf")));
    EXPECT_EQ(platform::printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintDialogRoad, CancelRaisesCancelledAndLeavesThePrinter)
{
    system_.cancel(4100);
    platform::printer().setCopyCount(2);

    cSHAREDcDlg dlg;
    dlg.Object = &platform::printer();
    dlg.CancelError = false;  // the print dialog raises either way
    try {
        dlg.ShowPrinter();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Cancelled);
        EXPECT_EQ(e.description(), QStringLiteral("Cancelled"));
    }
    EXPECT_TRUE(system_.used.isEmpty());
    EXPECT_EQ(platform::printer().copyCount(), 2);
    EXPECT_EQ(platform::printer().outputFileName(), appFile(QStringLiteral("before.pdf")));

    cSHAREDcDlgG g;
    Args a;
    EXPECT_FALSE(g.VBPrintDlg(a));
    EXPECT_EQ(g.APIReturn(), 0);
    EXPECT_EQ(g.ExtendedError(), 4100);
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
    cSHAREDcDlg dlg;
    dlg.Object = &platform::printer();
    try {
        dlg.ShowPrinter();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Cancelled);
    }
    mSHAREDLogging::listactions();
    EXPECT_TRUE(logText().contains(
        QStringLiteral("Device unavailable(68) in vbprintdlg of module clscDlgGC")))
        << logText().toStdString();
}

}  // namespace
