#include "shared/ui/ErrorReportDialog.h"

#include "platform/AppFolder.h"
#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/OsInfo.h"
#include "shared/util/Delay.h"
#include "shared/util/Files.h"
#include "shared/util/Help.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"
#include "shared/util/Web.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace wexlo {

namespace {

// The names the log shows for this dialog's handlers.
namespace logname {
const QString kModule = QStringLiteral("fSHAREDErrorRpt");
const QString kLoad = QStringLiteral("form_load");
const QString kShowError = QStringLiteral("showerror");
const QString kShowCommentsClick = QStringLiteral("cmdshowcomments_click");
const QString kViewLogClick = QStringLiteral("cmdviewlog_click");
const QString kViewReportClick = QStringLiteral("cmdviewreport_click");
const QString kEmailClick = QStringLiteral("cmdemail_click");
const QString kHelpClick = QStringLiteral("cmdhelp_click");
const QString kExitClick = QStringLiteral("cmdexit_click");
const QString kCommentsChange = QStringLiteral("txtUserMessage_Change");
}  // namespace logname
const QString kCrLf = QStringLiteral("\r\n");
const QString kMailBreak = QStringLiteral("%0D%0A");

QString appFile(const QString& name) { return files::withSlash(platform::appFolder()) + name; }

using text::u8;

// The box's text with CR LF line breaks, as the reports carry it.
QString boxText(const QPlainTextEdit* box)
{
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), kCrLf);
    return text;
}

}  // namespace

ErrorReportDialog::ErrorReportDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("errorReportDialog"));
    setWindowTitle(tr("Error Reporter"));

    headingLabel_ = new QLabel(this);
    errorBox_ = new QGroupBox(this);
    errorEdit_ = new QPlainTextEdit(errorBox_);
    logBox_ = new QGroupBox(this);
    logEdit_ = new QPlainTextEdit(logBox_);
    commentsBox_ = new QGroupBox(this);
    commentsEdit_ = new QPlainTextEdit(commentsBox_);
    showCommentsButton_ = new QPushButton(this);
    viewLogButton_ = new QPushButton(this);
    viewReportButton_ = new QPushButton(this);
    emailButton_ = new QPushButton(this);
    helpButton_ = new QPushButton(this);
    exitButton_ = new QPushButton(this);

    // The log and comment frames have their own rows, empty until the user reveals them.
    const text::Utf8 preview =
        u8(tr("You will get a chance to preview the report before sending."));
    platform::layOut({
        {headingLabel_, "headingLabel", u8(tr("An error has ocurred:")), {120, 120, 6735, 255}},
        {errorBox_, "errorBox", u8(tr("Error Details")), {120, 420, 6735, 1455}},
        {errorEdit_,
         "errorEdit",
         nullptr,
         {120, 270, 6495, 1065},
         u8(tr("This is the error which ocurred"))},
        {logBox_, "logBox", u8(tr("Log")), {120, 1980, 6735, 2295}},
        {logEdit_,
         "logEdit",
         nullptr,
         {120, 270, 6495, 1905},
         u8(tr("This is the content of the program's log file"))},
        {commentsBox_,
         "commentsBox",
         u8(tr("Enter your own comments here")),
         {120, 4380, 6735, 1455}},
        {commentsEdit_,
         "commentsEdit",
         nullptr,
         {120, 270, 6495, 1065},
         u8(tr("These comments will be added to your error report."))},
        {showCommentsButton_,
         "showCommentsButton",
         u8(tr("Enter Comments")),
         {120, 5985, 2175, 375},
         u8(tr("If you want to add any comments before submitting an error report, click here."))},
        {viewLogButton_,
         "viewLogButton",
         u8(tr("View Log File")),
         {2400, 5985, 2175, 375},
         u8(tr("Click this button to view the log file"))},
        {viewReportButton_,
         "viewReportButton",
         u8(tr("View Error Report")),
         {4680, 5985, 2175, 375},
         preview},
        {emailButton_,
         "emailButton",
         u8(tr("Submit Error Report")),
         {120, 6465, 2175, 375},
         preview},
        {helpButton_, "helpButton", u8(tr("Help")), {2400, 6465, 2175, 375}},
        {exitButton_, "exitButton", u8(tr("Exit", "closes this window")), {4680, 6465, 2175, 375}},
    });
    for (QPlainTextEdit* box : {errorEdit_, logEdit_, commentsEdit_})
        box->setTabChangesFocus(true);
    for (QPushButton* b : {showCommentsButton_, viewLogButton_, viewReportButton_, emailButton_,
                           helpButton_, exitButton_})
        b->setAutoDefault(false);
    setFixedSize(platform::twips(6975), platform::twips(6960));

    logBox_->hide();
    commentsBox_->hide();

    using namespace logname;
    connectGuarded(showCommentsButton_, &QPushButton::clicked, this,
                   &ErrorReportDialog::showComments, kShowCommentsClick, kModule);
    connectGuarded(viewLogButton_, &QPushButton::clicked, this, &ErrorReportDialog::showLog,
                   kViewLogClick, kModule);
    connectGuarded(viewReportButton_, &QPushButton::clicked, this,
                   &ErrorReportDialog::previewReport, kViewReportClick, kModule);
    connectGuarded(emailButton_, &QPushButton::clicked, this, &ErrorReportDialog::emailReport,
                   kEmailClick, kModule);
    connectGuarded(helpButton_, &QPushButton::clicked, this, &ErrorReportDialog::showHelp,
                   kHelpClick, kModule);
    connectGuarded(exitButton_, &QPushButton::clicked, this, &ErrorReportDialog::leave, kExitClick,
                   kModule);
    connectGuarded(commentsEdit_, &QPlainTextEdit::textChanged, this,
                   &ErrorReportDialog::markCommentsChanged, kCommentsChange, kModule);
    commentsEdit_->viewport()->installEventFilter(this);

    // The log's frame is titled with the log's path.
    runGuarded(kLoad, kModule, [&] { logBox_->setTitle(appFile(QStringLiteral("log.txt"))); });
}

void ErrorReportDialog::loadLog()
{
    const QString logFile = appFile(QStringLiteral("log.txt"));
    if (!files::exists(logFile)) {
        logEdit_->setPlainText(QStringLiteral("No log file"));
        return;
    }
    QString text;
    if (!files::readText(logFile, text))
        raiseError(err::PathFileAccessError);
    logEdit_->setPlainText(text);
}

void ErrorReportDialog::showError(const QString& message, const QString& helpTopic)
{
    ErrorRecorder on(logname::kShowError, logname::kModule);
    helpTopic_ = helpTopic;
    errorEdit_->setPlainText(message);
    commentsChanged_ = false;
    // A log that cannot be read still leaves the error to report.
    on([&] { loadLog(); });

    closed_ = false;
    bool modeless = false;
    on([&] {
        try {
            showModal();
        } catch (const RuntimeError& e) {
            if (e.number() != 401 && e.number() != 402)
                throw;
            modeless = true;
        }
    });
    if (!modeless)
        return;

    // Another window holds the modal state: show without modality and wait for the user.
    // The dialog may be destroyed while events run (the program's exit unloads every window).
    QPointer<ErrorReportDialog> self(this);
    show();
    while (self && !closed_) {
        delay::waitMs(250);
        delay::throttledYield();
    }
}

void ErrorReportDialog::showModal()
{
    // exec() refuses (-1) a dialog whose own modal loop already runs.
    if (exec() < 0)
        raiseError(402, QStringLiteral("Must close or hide topmost modal form first"));
}

QString ErrorReportDialog::reportHeading()
{
    return QStringLiteral("Error Report: ") + programTitle() + QLatin1Char(' ') + programVersion() +
           QStringLiteral(", ") + osinfo::systemName();
}

QString ErrorReportDialog::encodeForMail(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('%'), QStringLiteral("%25"));  // first, so no escape is escaped again
    s.replace(QLatin1Char('?'), QStringLiteral("%3F"));
    s.replace(QLatin1Char('&'), QStringLiteral("%26"));
    s.replace(QLatin1Char('#'), QStringLiteral("%23"));
    s.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    s.replace(QStringLiteral("\r\r"), QStringLiteral("\r"));  // one pass: CR LF ends as one break
    s.replace(QLatin1Char('\r'), kMailBreak);
    return s;
}

QString ErrorReportDialog::cutMailBody(const QString& body, int limit)
{
    if (body.size() <= limit)
        return body;
    qsizetype cut = limit;
    // An escape is three characters; one starting in the last two kept places would be split.
    for (qsizetype p = std::max<qsizetype>(0, cut - 2); p < cut; ++p) {
        if (body.at(p) == QLatin1Char('%')) {
            cut = p;
            break;
        }
    }
    // Half a line break would leave a lone CR: keep the pair together.
    if (body.mid(cut, 3) == QStringLiteral("%0A") && cut >= 3 &&
        body.mid(cut - 3, 3) == QStringLiteral("%0D"))
        cut -= 3;
    // Nor a character outside the basic plane: half of it is no character at all.
    if (cut > 0 && cut < body.size() && body.at(cut - 1).isHighSurrogate() &&
        body.at(cut).isLowSurrogate())
        --cut;
    return body.left(cut);
}

QString ErrorReportDialog::reportText() const
{
    QString report = reportHeading() + kCrLf + kCrLf + boxText(errorEdit_);
    if (commentsChanged_)
        report += kCrLf + kCrLf + boxText(commentsEdit_);
    report += kCrLf + kCrLf + boxText(logEdit_);
    if (report.size() > kMailLimit)
        report.insert(kMailLimit, QStringLiteral(" *Email will truncate here* "));
    // The note is for the user; the report below it stays as the maker reads it.
    const QString instruction =
        tr("If the 'submit report' button doesn't work on your system, open an email to '%1' "
           "and paste the following text into it.  Your reports are appreciated.")
            .arg(programInfo().bugAddress);
    return instruction + kCrLf + kCrLf + report;
}

QString ErrorReportDialog::mailtoLink() const
{
    const QString details = commentsChanged_ ? QStringLiteral("User: ") + boxText(commentsEdit_) +
                                                   kCrLf + boxText(errorEdit_)
                                             : boxText(errorEdit_);
    return mailtoLinkFor(details, boxText(logEdit_));
}

QString ErrorReportDialog::mailtoLinkFor(const QString& details, const QString& logText)
{
    QString body = reportHeading() +
                   QStringLiteral(" (Please click Attach and add the log.txt file)") + kMailBreak +
                   kMailBreak;
    body += encodeForMail(details);
    body += kMailBreak + kMailBreak + encodeForMail(logText);
    body = cutMailBody(body);

    QString subject = QStringLiteral("Bug Report (") + programTitle() + QStringLiteral(" - ") +
                      programVersion() + QLatin1Char(')');
    subject.replace(QLatin1Char(' '), QStringLiteral("%20"));

    return QStringLiteral("mailto:") + programInfo().bugAddress + QStringLiteral("?subject=") +
           subject + QStringLiteral("&body=") + body + QStringLiteral("&attachment=\"\"");
}

void ErrorReportDialog::showComments()
{
    commentsBox_->show();
    showCommentsButton_->hide();
}

void ErrorReportDialog::showLog()
{
    logBox_->show();
    viewLogButton_->hide();
}

void ErrorReportDialog::previewReport()
{
    const QString report = reportText();
    const QString preview = appFile(QStringLiteral("fulllog.txt"));
    // An older preview must not be shown as this one.
    if (!files::writeText(preview, report))
        raiseError(err::PathFileAccessError);
    if (!platform::shell().open(preview))
        raiseError(err::PathFileAccessError);
}

void ErrorReportDialog::emailReport() { web::openAddress(this, mailtoLink()); }

void ErrorReportDialog::showHelp() { help::show(this); }

void ErrorReportDialog::leave()
{
    // However hiding goes, a wait for the dialog must end.
    closed_ = true;
    hide();
    platform::eventPump().processEvents();
}

void ErrorReportDialog::markCommentsChanged() { commentsChanged_ = true; }

void ErrorReportDialog::reject()
{
    closed_ = true;
    QDialog::reject();
}

void ErrorReportDialog::closeEvent(QCloseEvent* event)
{
    // However the window is closed, a wait for it must end.
    closed_ = true;
    QDialog::closeEvent(event);
}

bool ErrorReportDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == commentsEdit_->viewport() && event->type() == QEvent::MouseButtonPress)
        markCommentsChanged();
    return QDialog::eventFilter(watched, event);
}

}  // namespace wexlo
