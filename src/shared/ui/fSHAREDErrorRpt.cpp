#include "shared/ui/fSHAREDErrorRpt.h"

#include "platform/AppFolder.h"
#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/mSHAREDOSINFO.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/mSHAREDDelay.h"
#include "shared/util/mSHAREDFileSubs.h"
#include "shared/util/mSHAREDHtmHelp.h"
#include "shared/util/mSHAREDSubs.h"
#include "shared/util/mSHAREDWWW.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace wexlo {

namespace {

const QString kModule = QStringLiteral("fSHAREDErrorRpt");
const QString kCrLf = QStringLiteral("\r\n");
const QString kMailBreak = QStringLiteral("%0D%0A");

QString appFile(const QString& name)
{
    return mSHAREDFileSubs::addslash(platform::appFolder()) + name;
}

// The box's text with CR LF line breaks, as the reports carry it.
QString boxText(const QPlainTextEdit* box)
{
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), kCrLf);
    return text;
}

}  // namespace

fSHAREDErrorRpt::fSHAREDErrorRpt(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fSHAREDErrorRpt"));
    setWindowTitle(QStringLiteral("Error Reporter"));

    Label1 = new QLabel(this);
    Frame1 = new QGroupBox(this);
    txtError = new QPlainTextEdit(Frame1);
    Frame2 = new QGroupBox(this);
    txtLog = new QPlainTextEdit(Frame2);
    Frame3 = new QGroupBox(this);
    txtUserMessage = new QPlainTextEdit(Frame3);
    cmdShowComments = new QPushButton(this);
    cmdViewLog = new QPushButton(this);
    cmdViewReport = new QPushButton(this);
    cmdEmail = new QPushButton(this);
    cmdHelp = new QPushButton(this);
    cmdExit = new QPushButton(this);

    // The log and comment frames have their own rows, empty until the user reveals them.
    const char* const preview = "You will get a chance to preview the report before sending.";
    platform::layOut({
        {Label1, "Label1", "An error has ocurred:", {120, 120, 6735, 255}},
        {Frame1, "Frame1", "Error Details", {120, 420, 6735, 1455}},
        {txtError, "txtError", nullptr, {120, 270, 6495, 1065}, "This is the error which ocurred"},
        {Frame2, "Frame2", "Log", {120, 1980, 6735, 2295}},
        {txtLog,
         "txtLog",
         nullptr,
         {120, 270, 6495, 1905},
         "This is the content of the program's log file"},
        {Frame3, "Frame3", "Enter your own comments here", {120, 4380, 6735, 1455}},
        {txtUserMessage,
         "txtUserMessage",
         nullptr,
         {120, 270, 6495, 1065},
         "These comments will be added to your error report."},
        {cmdShowComments,
         "cmdShowComments",
         "Enter Comments",
         {120, 5985, 2175, 375},
         "If you want to add any comments before submitting an error report, click here."},
        {cmdViewLog,
         "cmdViewLog",
         "View Log File",
         {2400, 5985, 2175, 375},
         "Click this button to view the log file"},
        {cmdViewReport, "cmdViewReport", "View Error Report", {4680, 5985, 2175, 375}, preview},
        {cmdEmail, "cmdEmail", "Submit Error Report", {120, 6465, 2175, 375}, preview},
        {cmdHelp, "cmdHelp", "Help", {2400, 6465, 2175, 375}},
        {cmdExit, "cmdExit", "Exit", {4680, 6465, 2175, 375}},
    });
    for (QPlainTextEdit* box : {txtError, txtLog, txtUserMessage})
        box->setTabChangesFocus(true);
    for (QPushButton* b : {cmdShowComments, cmdViewLog, cmdViewReport, cmdEmail, cmdHelp, cmdExit})
        b->setAutoDefault(false);
    setFixedSize(platform::twips(6975), platform::twips(6960));

    Frame2->hide();
    Frame3->hide();

    connectGuarded(cmdShowComments, &QPushButton::clicked, this,
                   &fSHAREDErrorRpt::cmdShowComments_Click, QStringLiteral("cmdShowComments_Click"),
                   kModule);
    connectGuarded(cmdViewLog, &QPushButton::clicked, this, &fSHAREDErrorRpt::cmdViewLog_Click,
                   QStringLiteral("cmdViewLog_Click"), kModule);
    connectGuarded(cmdViewReport, &QPushButton::clicked, this,
                   &fSHAREDErrorRpt::cmdViewReport_Click, QStringLiteral("cmdViewReport_Click"),
                   kModule);
    connectGuarded(cmdEmail, &QPushButton::clicked, this, &fSHAREDErrorRpt::cmdEmail_Click,
                   QStringLiteral("cmdEmail_Click"), kModule);
    connectGuarded(cmdHelp, &QPushButton::clicked, this, &fSHAREDErrorRpt::cmdHelp_Click,
                   QStringLiteral("cmdHelp_Click"), kModule);
    connectGuarded(cmdExit, &QPushButton::clicked, this, &fSHAREDErrorRpt::cmdExit_Click,
                   QStringLiteral("cmdExit_Click"), kModule);
    connectGuarded(txtUserMessage, &QPlainTextEdit::textChanged, this,
                   &fSHAREDErrorRpt::txtUserMessage_Change, QStringLiteral("txtUserMessage_Change"),
                   kModule);
    txtUserMessage->viewport()->installEventFilter(this);

    Form_Load();
}

void fSHAREDErrorRpt::Form_Load()
{
    runGuarded(QStringLiteral("form_load"), kModule,
               [&] { Frame2->setTitle(appFile(QStringLiteral("log.txt"))); });
}

void fSHAREDErrorRpt::ShowError(const QString& message, const QString& helpTopic)
{
    OnError on(QStringLiteral("showerror"), kModule);
    helpTopic_ = helpTopic;
    on([&] { txtError->setPlainText(message); });
    commentsChanged_ = false;
    on([&] {
        const QString logFile = appFile(QStringLiteral("log.txt"));
        if (mSHAREDFileSubs::FileExists(logFile)) {
            QString text;
            if (!mSHAREDFileSubs::LoadTextFile(logFile, text))
                raiseError(err::PathFileAccessError);
            txtLog->setPlainText(text);
        } else {
            txtLog->setPlainText(QStringLiteral("No log file"));
        }
    });

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
    QPointer<fSHAREDErrorRpt> self(this);
    on([&] { show(); });
    while (self && !closed_) {
        mSHAREDDelay::delayms(250);
        mSHAREDDelay::throttledyield();
    }
}

void fSHAREDErrorRpt::showModal()
{
    // exec() refuses (-1) a dialog whose own modal loop already runs.
    if (exec() < 0)
        raiseError(402, QStringLiteral("Must close or hide topmost modal form first"));
}

QString fSHAREDErrorRpt::reportHeading()
{
    return QStringLiteral("Error Report: ") + mSHAREDSubs::AppTitle() + QLatin1Char(' ') +
           mSHAREDSubs::AppVersion() + QStringLiteral(", ") + mSHAREDOSINFO::fosname();
}

QString fSHAREDErrorRpt::encodeForMail(const QString& text)
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

QString fSHAREDErrorRpt::cutMailBody(const QString& body, int limit)
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

QString fSHAREDErrorRpt::reportText() const
{
    QString report = reportHeading() + kCrLf + kCrLf + boxText(txtError);
    if (commentsChanged_)
        report += kCrLf + kCrLf + boxText(txtUserMessage);
    report += kCrLf + kCrLf + boxText(txtLog);
    if (report.size() > kMailLimit)
        report.insert(kMailLimit, QStringLiteral(" *Email will truncate here* "));
    const QString instruction =
        QStringLiteral(
            "If the 'submit report' button doesn't work on your system, open an email to '") +
        programInfo().bugAddress +
        QStringLiteral("' and paste the following text into it.  Your reports are appreciated.");
    return instruction + kCrLf + kCrLf + report;
}

QString fSHAREDErrorRpt::mailtoLink() const
{
    const QString details = commentsChanged_ ? QStringLiteral("User: ") + boxText(txtUserMessage) +
                                                   kCrLf + boxText(txtError)
                                             : boxText(txtError);
    return mailtoLinkFor(details, boxText(txtLog));
}

QString fSHAREDErrorRpt::mailtoLinkFor(const QString& details, const QString& logText)
{
    QString body = reportHeading() +
                   QStringLiteral(" (Please click Attach and add the log.txt file)") + kMailBreak +
                   kMailBreak;
    body += encodeForMail(details);
    body += kMailBreak + kMailBreak + encodeForMail(logText);
    body = cutMailBody(body);

    QString subject = QStringLiteral("Bug Report (") + mSHAREDSubs::AppTitle() +
                      QStringLiteral(" - ") + mSHAREDSubs::AppVersion() + QLatin1Char(')');
    subject.replace(QLatin1Char(' '), QStringLiteral("%20"));

    return QStringLiteral("mailto:") + programInfo().bugAddress + QStringLiteral("?subject=") +
           subject + QStringLiteral("&body=") + body + QStringLiteral("&attachment=\"\"");
}

void fSHAREDErrorRpt::cmdShowComments_Click()
{
    runGuarded(QStringLiteral("cmdshowcomments_click"), kModule, [&] {
        Frame3->show();
        cmdShowComments->hide();
    });
}

void fSHAREDErrorRpt::cmdViewLog_Click()
{
    runGuarded(QStringLiteral("cmdviewlog_click"), kModule, [&] {
        Frame2->show();
        cmdViewLog->hide();
    });
}

void fSHAREDErrorRpt::cmdViewReport_Click()
{
    OnError on(QStringLiteral("cmdviewreport_click"), kModule);
    QString report;
    on([&] { report = reportText(); });
    const QString preview = appFile(QStringLiteral("fulllog.txt"));
    bool written = false;
    on([&] {
        written = mSHAREDFileSubs::WriteTextFile(preview, report);
        if (!written)
            raiseError(err::PathFileAccessError);
    });
    if (!written)
        return;  // an older preview must not be shown as this one
    on([&] {
        if (!platform::shell().open(preview))
            raiseError(err::PathFileAccessError);
    });
}

void fSHAREDErrorRpt::cmdEmail_Click()
{
    OnError on(QStringLiteral("cmdemail_click"), kModule);
    QString link;
    on([&] { link = mailtoLink(); });
    on([&] { mSHAREDWWW::websitevisit(this, link); });
}

void fSHAREDErrorRpt::cmdHelp_Click()
{
    runGuarded(QStringLiteral("cmdhelp_click"), kModule,
               [&] { mSHAREDHtmHelp::showhelp(this, helpTopic_); });
}

void fSHAREDErrorRpt::cmdExit_Click()
{
    OnError on(QStringLiteral("cmdexit_click"), kModule);
    on([&] { hide(); });
    on([&] { platform::eventPump().processEvents(); });
    closed_ = true;
}

void fSHAREDErrorRpt::txtUserMessage_Change() { commentsChanged_ = true; }

void fSHAREDErrorRpt::txtUserMessage_Click() { commentsChanged_ = true; }

void fSHAREDErrorRpt::reject()
{
    closed_ = true;
    QDialog::reject();
}

void fSHAREDErrorRpt::closeEvent(QCloseEvent* event)
{
    // However the window is closed, a wait for it must end.
    closed_ = true;
    QDialog::closeEvent(event);
}

bool fSHAREDErrorRpt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtUserMessage->viewport() && event->type() == QEvent::MouseButtonPress)
        txtUserMessage_Click();
    return QDialog::eventFilter(watched, event);
}

}  // namespace wexlo
