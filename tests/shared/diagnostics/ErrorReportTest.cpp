#include "WexloConfig.h"
#include "platform/RuntimeError.h"
#include "shared/diagnostics/Logging.h"
#include "shared/ui/ErrorReportDialog.h"
#include "shared/ui/ShowErrorReport.h"
#include "support/WexloTest.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace wexlo;

namespace {

// A part of a window, found by its object name.
template <class W = QLabel>
W* part(const QObject& window, const char* name)
{
    return window.findChild<W*>(QString::fromLatin1(name));
}

const QString kAddress = QStringLiteral(WEXLO_BUG_ADDRESS);
const QString kHeading =
    QStringLiteral("Error Report: Wexlo 1.0.8, Debian GNU/Linux 12 (bookworm)");
const QString kInstruction =
    QStringLiteral(
        "If the 'submit report' button doesn't work on your system, open an email to '") +
    kAddress +
    QStringLiteral("' and paste the following text into it.  Your reports are appreciated.");
const QString kMailStart =
    QStringLiteral("mailto:") + kAddress +
    QStringLiteral("?subject=Bug%20Report%20(Wexlo%20-%201.0.8)&body=") + kHeading +
    QStringLiteral(" (Please click Attach and add the log.txt file)%0D%0A%0D%0A");
const QString kMailEnd = QStringLiteral("&attachment=\"\"");

class ErrorReport : public test::WexloTest {
protected:
    using Action = std::function<void(ErrorReportDialog&)>;

    // Runs showError; the action runs while the dialog is up, then the user clicks Exit.
    void run(ErrorReportDialog& dlg, const QString& message, const Action& act = {})
    {
        QTimer::singleShot(0, &dlg, [&dlg, act] {
            if (act)
                act(dlg);
            if (dlg.isVisible())
                QTest::mouseClick(part<QPushButton>(dlg, "exitButton"), Qt::LeftButton);
        });
        dlg.showError(message, {});
    }

    // The mail link of a report of the message (and the log, if one was written).
    QString mailFor(const QString& message, const Action& before = {})
    {
        ErrorReportDialog dlg;
        run(dlg, message, [before](ErrorReportDialog& d) {
            if (before)
                before(d);
            QTest::mouseClick(part<QPushButton>(d, "emailButton"), Qt::LeftButton);
        });
        return shell_.opened.isEmpty() ? QString() : shell_.opened.takeLast();
    }

    static QString bodyOf(const QString& link)
    {
        const qsizetype start = link.indexOf(QStringLiteral("&body=")) + 6;
        return link.mid(start, link.size() - start - kMailEnd.size());
    }

    static void typeComment(ErrorReportDialog& d, const QString& text)
    {
        QTest::mouseClick(part<QPushButton>(d, "showCommentsButton"), Qt::LeftButton);
        QTest::keyClicks(part<QPlainTextEdit>(d, "commentsEdit"), text);
    }

    QString preview() const
    {
        return QString::fromUtf8(readBytes(appFile(QStringLiteral("fulllog.txt"))));
    }
    void writeLog(const QByteArray& bytes)
    {
        writeBytes(appFile(QStringLiteral("log.txt")), bytes);
    }
};

TEST_F(ErrorReport, ControlsCarryTheirCaptionsAndTips)
{
    ErrorReportDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Error Reporter"));
    auto label = [&](const char* name) {
        return dlg.findChild<QLabel*>(QString::fromLatin1(name));
    };
    auto frame = [&](const char* name) {
        return dlg.findChild<QGroupBox*>(QString::fromLatin1(name));
    };
    auto button = [&](const char* name) {
        return dlg.findChild<QPushButton*>(QString::fromLatin1(name));
    };
    auto box = [&](const char* name) {
        return dlg.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
    };

    ASSERT_NE(label("headingLabel"), nullptr);
    EXPECT_EQ(label("headingLabel")->text(), QStringLiteral("An error has ocurred:"));
    EXPECT_EQ(frame("errorBox")->title(), QStringLiteral("Error Details"));
    EXPECT_EQ(frame("logBox")->title(), appFile(QStringLiteral("log.txt")));
    EXPECT_EQ(frame("commentsBox")->title(), QStringLiteral("Enter your own comments here"));
    EXPECT_EQ(box("errorEdit")->toolTip(), QStringLiteral("This is the error which ocurred"));
    EXPECT_EQ(box("logEdit")->toolTip(),
              QStringLiteral("This is the content of the program's log file"));
    EXPECT_EQ(box("commentsEdit")->toolTip(),
              QStringLiteral("These comments will be added to your error report."));

    const QString preview =
        QStringLiteral("You will get a chance to preview the report before sending.");
    const struct {
        const char* name;
        QString caption, tip;
    } buttons[] = {
        {"showCommentsButton", QStringLiteral("Enter Comments"),
         QStringLiteral(
             "If you want to add any comments before submitting an error report, click here.")},
        {"viewLogButton", QStringLiteral("View Log File"),
         QStringLiteral("Click this button to view the log file")},
        {"viewReportButton", QStringLiteral("View Error Report"), preview},
        {"emailButton", QStringLiteral("Submit Error Report"), preview},
        {"helpButton", QStringLiteral("Help"), QString()},
        {"exitButton", QStringLiteral("Exit"), QString()},
    };
    for (const auto& b : buttons) {
        ASSERT_NE(button(b.name), nullptr) << b.name;
        EXPECT_EQ(button(b.name)->text(), b.caption) << b.name;
        EXPECT_EQ(button(b.name)->toolTip(), b.tip) << b.name;
    }

    // The log and the comments stay out of the way until asked for.
    dlg.show();
    EXPECT_FALSE(part<QGroupBox>(dlg, "logBox")->isVisible());
    EXPECT_FALSE(part<QGroupBox>(dlg, "commentsBox")->isVisible());
    QTest::mouseClick(part<QPushButton>(dlg, "viewLogButton"), Qt::LeftButton);
    EXPECT_TRUE(part<QGroupBox>(dlg, "logBox")->isVisible());
    EXPECT_FALSE(part<QPushButton>(dlg, "viewLogButton")->isVisible());
    QTest::mouseClick(part<QPushButton>(dlg, "showCommentsButton"), Qt::LeftButton);
    EXPECT_TRUE(part<QGroupBox>(dlg, "commentsBox")->isVisible());
    EXPECT_FALSE(part<QPushButton>(dlg, "showCommentsButton")->isVisible());
}

TEST_F(ErrorReport, PreviewIsWrittenToFulllogAndOpenedInTheDesktopEditor)
{
    writeLog("14:02:51      one\r\n14:02:51      two\r\n");
    writeBytes(appFile(QStringLiteral("fulllog.txt")),
               "an older preview that is much longer than this one");
    ErrorReportDialog dlg;
    run(dlg, QStringLiteral("Could not save\r\nsettings"), [](ErrorReportDialog& d) {
        EXPECT_EQ(part<QPlainTextEdit>(d, "logEdit")->toPlainText(),
                  QStringLiteral("14:02:51      one\n14:02:51      two\n"));
        QTest::mouseClick(part<QPushButton>(d, "viewReportButton"), Qt::LeftButton);
    });

    EXPECT_EQ(preview(), kInstruction + QStringLiteral("\r\n\r\n") + kHeading +
                             QStringLiteral("\r\n\r\nCould not save\r\nsettings\r\n\r\n"
                                            "14:02:51      one\r\n14:02:51      two\r\n"));
    EXPECT_EQ(shell_.opened, QStringList{appFile(QStringLiteral("fulllog.txt"))});
    EXPECT_TRUE(shell_.started.isEmpty());
}

TEST_F(ErrorReport, LongPreviewMarksWhereTheMailIsCut)
{
    const QString log = QString(500, QLatin1Char('L'));
    writeLog(log.toUtf8());
    ErrorReportDialog dlg;
    run(dlg, QStringLiteral("Boom"), [](ErrorReportDialog& d) {
        typeComment(d, QStringLiteral("I was saving"));
        QTest::mouseClick(part<QPushButton>(d, "viewReportButton"), Qt::LeftButton);
    });

    const QString report =
        kHeading + QStringLiteral("\r\n\r\nBoom\r\n\r\nI was saving\r\n\r\n") + log;
    EXPECT_EQ(preview(), kInstruction + QStringLiteral("\r\n\r\n") + report.left(400) +
                             QStringLiteral(" *Email will truncate here* ") + report.mid(400));
}

TEST_F(ErrorReport, WithoutALogBothReportsSaySo)
{
    ErrorReportDialog dlg;
    run(dlg, QStringLiteral("Gone"), [](ErrorReportDialog& d) {
        EXPECT_EQ(part<QPlainTextEdit>(d, "logEdit")->toPlainText(), QStringLiteral("No log file"));
        QTest::mouseClick(part<QPushButton>(d, "viewReportButton"), Qt::LeftButton);
        QTest::mouseClick(part<QPushButton>(d, "emailButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(preview().endsWith(QStringLiteral("\r\n\r\nGone\r\n\r\nNo log file")));
    ASSERT_EQ(shell_.opened.size(), 2);
    EXPECT_EQ(shell_.opened.at(1),
              kMailStart + QStringLiteral("Gone%0D%0A%0D%0ANo log file") + kMailEnd);
}

TEST_F(ErrorReport, MailLinkEscapesSpecialCharactersAndLineBreaks)
{
    writeLog("14:02:51      100% & more?\r\n\r\n14:02:51      #2\r\n");
    const QString link = mailFor(QStringLiteral("50% done? a&b #1\n\nnext %25"));
    EXPECT_EQ(
        link,
        kMailStart +
            QStringLiteral("50%25 done%3F a%26b %231%0D%0A%0D%0Anext %2525"
                           "%0D%0A%0D%0A"
                           "14:02:51      100%25 %26 more%3F%0D%0A%0D%0A14:02:51      %232%0D%0A") +
            kMailEnd);
}

TEST_F(ErrorReport, CommentsLeadTheMailDetailsOnceTouched)
{
    const QString typed = mailFor(QStringLiteral("Err"), [](ErrorReportDialog& d) {
        typeComment(d, QStringLiteral("saving & quitting"));
    });
    EXPECT_EQ(bodyOf(typed),
              kMailStart.mid(kMailStart.indexOf(QStringLiteral("&body=")) + 6) +
                  QStringLiteral("User: saving %26 quitting%0D%0AErr%0D%0A%0D%0ANo log file"));

    // Typed and then deleted still counts: the details start with an empty "User: ".
    const QString deleted = mailFor(QStringLiteral("Err"), [](ErrorReportDialog& d) {
        typeComment(d, QStringLiteral("ab"));
        QTest::keyClick(part<QPlainTextEdit>(d, "commentsEdit"), Qt::Key_Backspace);
        QTest::keyClick(part<QPlainTextEdit>(d, "commentsEdit"), Qt::Key_Backspace);
    });
    EXPECT_TRUE(deleted.endsWith(QStringLiteral("%0D%0AUser: %0D%0AErr%0D%0A%0D%0ANo log file") +
                                 kMailEnd));

    // A click into the box is enough, and without any the comments stay out.
    const QString clicked = mailFor(QStringLiteral("Err"), [](ErrorReportDialog& d) {
        QTest::mouseClick(part<QPushButton>(d, "showCommentsButton"), Qt::LeftButton);
        QTest::mouseClick(part<QPlainTextEdit>(d, "commentsEdit")->viewport(), Qt::LeftButton);
    });
    EXPECT_TRUE(clicked.contains(QStringLiteral("%0D%0AUser: %0D%0AErr")));
    EXPECT_FALSE(mailFor(QStringLiteral("Err")).contains(QStringLiteral("User:")));
}

TEST_F(ErrorReport, MailBodyIsCutAt400WithoutSplittingAnEscape)
{
    const int prefix = static_cast<int>(bodyOf(kMailStart + kMailEnd).size());
    ASSERT_LT(prefix, 390);
    auto bodyWith = [&](int at, const QString& special) {
        // The escape of the special character starts at body position `at`.
        return bodyOf(mailFor(QString(at - prefix, QLatin1Char('x')) + special +
                              QString(60, QLatin1Char('y'))));
    };
    // "%3F" at 397..399 fits; starting at 398 or 399 it would be split, so it goes whole.
    const struct {
        int at;
        int length;
    } cases[] = {{396, 400}, {397, 400}, {398, 398}, {399, 399}, {400, 400}};
    for (const auto& c : cases) {
        const QString body = bodyWith(c.at, QStringLiteral("?"));
        EXPECT_EQ(body.size(), c.length) << "escape at " << c.at;
        EXPECT_EQ(body.mid(c.at, 3), c.length > c.at ? QStringLiteral("%3F") : QString()) << c.at;
    }
    // A line break is never cut in half either: "%0D" without its "%0A" is dropped.
    for (int at : {395, 396, 397}) {
        const QString body = bodyWith(at, QStringLiteral("\n"));
        EXPECT_EQ(body.size(), at) << "break at " << at;
        EXPECT_TRUE(body.endsWith(QLatin1Char('x'))) << at;
    }
    EXPECT_EQ(bodyWith(394, QStringLiteral("\n")).right(6), QStringLiteral("%0D%0A"));

    // A character outside the basic plane (two UTF-16 units) is kept whole or dropped whole.
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
    ASSERT_EQ(face.size(), 2);
    const QString astral = ErrorReportDialog::cutMailBody(QString(399, QLatin1Char('x')) + face +
                                                          QStringLiteral("yy"));
    EXPECT_EQ(astral, QString(399, QLatin1Char('x')));
    EXPECT_EQ(ErrorReportDialog::cutMailBody(QString(398, QLatin1Char('x')) + face +
                                             QStringLiteral("yy")),
              QString(398, QLatin1Char('x')) + face);

    // A report of 400 characters or fewer goes whole.
    const QString exact = bodyOf(mailFor(QString(400 - prefix - 23, QLatin1Char('x'))));
    EXPECT_EQ(exact.size(), 400);
    EXPECT_TRUE(exact.endsWith(QStringLiteral("%0D%0A%0D%0ANo log file")));
}

TEST_F(ErrorReport, FailedPreviewIsLoggedAndNothingStaleIsOpened)
{
    useFaultyFileSystem();
    files_.failOpen[QStringLiteral("fulllog.txt")] = err::PermissionDenied;
    ErrorReportDialog dlg;
    run(dlg, QStringLiteral("x"), [](ErrorReportDialog& d) {
        QTest::mouseClick(part<QPushButton>(d, "viewReportButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(shell_.opened.isEmpty());
    logging::writeRecentActions();
    EXPECT_TRUE(
        logText().contains(QStringLiteral("in cmdviewreport_click of module fSHAREDErrorRpt")));
}

TEST_F(ErrorReport, EditorThatCannotStartIsLogged)
{
    shell_.openThrows = true;
    ErrorReportDialog dlg;
    run(dlg, QStringLiteral("x"), [](ErrorReportDialog& d) {
        QTest::mouseClick(part<QPushButton>(d, "viewReportButton"), Qt::LeftButton);
    });
    EXPECT_FALSE(preview().isEmpty());
    logging::writeRecentActions();
    EXPECT_TRUE(
        logText().contains(QStringLiteral("in cmdviewreport_click of module fSHAREDErrorRpt")));
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(ErrorReport, HelpOpensThePageOrSaysItIsMissing)
{
    const QString page = home_.filePath(QStringLiteral("Help/Index.htm"));
    ErrorReportDialog dlg;
    run(dlg, QStringLiteral("x"), [](ErrorReportDialog& d) {
        QTest::mouseClick(part<QPushButton>(d, "helpButton"), Qt::LeftButton);
    });
    EXPECT_EQ(boxes_.lastText(), QStringLiteral("Cannot find help file ") + page);
    EXPECT_TRUE(shell_.opened.isEmpty());

    writeBytes(page, "<html></html>");
    ErrorReportDialog again;
    run(again, QStringLiteral("x"), [](ErrorReportDialog& d) {
        QTest::mouseClick(part<QPushButton>(d, "helpButton"), Qt::LeftButton);
    });
    EXPECT_EQ(shell_.opened, QStringList{page});
}

TEST_F(ErrorReport, CloseBoxAndEscapeEndTheDialog)
{
    ErrorReportDialog dlg;
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.close(); });
    dlg.showError(QStringLiteral("x"), {});
    EXPECT_FALSE(dlg.isVisible());

    ErrorReportDialog other;
    QTimer::singleShot(0, &other, [&other] { QTest::keyClick(&other, Qt::Key_Escape); });
    other.showError(QStringLiteral("x"), {});
    EXPECT_FALSE(other.isVisible());
}

// A dialog that finds another window holding the modal state.
class RefusedModal : public ErrorReportDialog {
protected:
    void showModal() override { raiseError(401); }
};

TEST_F(ErrorReport, WithoutModalityItWaitsInQuarterSecondsUntilLeft)
{
    RefusedModal dlg;
    bool shownModeless = false;
    clock_.onSleep = [&](int) {
        if (clock_.sleeps.size() == 3) {
            shownModeless = dlg.isVisible() && !dlg.isModal();
            QTest::mouseClick(part<QPushButton>(dlg, "exitButton"), Qt::LeftButton);
        }
    };
    dlg.showError(QStringLiteral("x"), {});
    clock_.onSleep = nullptr;
    EXPECT_TRUE(shownModeless);
    EXPECT_EQ(clock_.sleeps, (QList<int>{250, 250, 250}));
    EXPECT_GE(pump_.yields, 3);

    RefusedModal closed;
    clock_.sleeps.clear();
    clock_.onSleep = [&](int) { closed.close(); };
    closed.showError(QStringLiteral("x"), {});
    clock_.onSleep = nullptr;
    EXPECT_EQ(clock_.sleeps.size(), 1);
}

TEST_F(ErrorReport, ShowerrOpensAFreshDialogAndReleasesIt)
{
    QPointer<ErrorReportDialog> seen;
    QString shownText;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<ErrorReportDialog*>(QApplication::activeModalWidget());
        if (!seen)
            return;
        shownText = part<QPlainTextEdit>(*seen, "errorEdit")->toPlainText();
        QTest::mouseClick(part<QPushButton>(*seen, "exitButton"), Qt::LeftButton);
    });
    showErrorReport(QStringLiteral("Disk full(61)"));
    EXPECT_EQ(shownText, QStringLiteral("Disk full(61)"));
    EXPECT_TRUE(seen.isNull());
}

}  // namespace
