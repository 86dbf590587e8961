// The error report hands the user's comments, the error and the log to the mail client inside
// a mailto: link. Whatever they hold, the link must stay one link (no stray "?", "&" or "#"),
// every escape must be whole after the cut to the mail limit, and the body must decode to the
// start of the report with every line, empty ones included.

#include "FuzzSupport.h"
#include "WexloConfig.h"
#include "shared/ui/ErrorReportDialog.h"

#include <QUrl>

#include <cstdlib>

namespace {

using wexlo::ErrorReportDialog;

bool isHex(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Every "%" starts a whole escape, and the escape of a CR is always followed by that of its LF.
void checkEscapes(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('?') || c == QLatin1Char('&') || c == QLatin1Char('#') ||
            c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            std::abort();
        if (c != QLatin1Char('%'))
            continue;
        if (i + 2 >= s.size() || !isHex(s.at(i + 1)) || !isHex(s.at(i + 2)))
            std::abort();
        if (s.mid(i, 3) == QLatin1String("%0D") && s.mid(i + 3, 3) != QLatin1String("%0A"))
            std::abort();
    }
}

// A text box gives its lines joined by LF; the dialog hands them on with CR LF.
QString asBoxGivesIt(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString decoded(const QString& s) { return QUrl::fromPercentEncoding(s.toUtf8()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wexlo::fuzz::setUpOnce();
    const QString input = wexlo::fuzz::text(data, size);

    // Any text at all, line ends of any kind included: the escapes stay well formed.
    checkEscapes(ErrorReportDialog::encodeForMail(input));

    // The details and the log as the dialog takes them from its boxes.
    const qsizetype split = input.indexOf(QChar(0));
    const QString details = asBoxGivesIt(split < 0 ? input : input.left(split));
    const QString log = asBoxGivesIt(split < 0 ? QString() : input.mid(split + 1));
    if (decoded(ErrorReportDialog::encodeForMail(details)) != details)
        std::abort();

    const QString link = ErrorReportDialog::mailtoLinkFor(details, log);
    const QString head =
        QStringLiteral("mailto:") + QStringLiteral(WEXLO_BUG_ADDRESS) + QStringLiteral("?subject=");
    const QString tail = QStringLiteral("&attachment=\"\"");
    const qsizetype bodyAt = link.indexOf(QStringLiteral("&body="));
    if (!link.startsWith(head) || !link.endsWith(tail) || bodyAt < 0)
        std::abort();
    const QString body = link.mid(bodyAt + 6, link.size() - tail.size() - bodyAt - 6);
    checkEscapes(body);
    if (body.size() > ErrorReportDialog::kMailLimit)
        std::abort();

    const QString whole =
        ErrorReportDialog::reportHeading() +
        QStringLiteral(" (Please click Attach and add the log.txt file)\r\n\r\n") + details +
        QStringLiteral("\r\n\r\n") + log;
    if (!whole.startsWith(decoded(body)))
        std::abort();
    // The cut keeps all it can: it gives back at most the start of one line break.
    const QString uncut = ErrorReportDialog::encodeForMail(whole);
    if (uncut.size() > ErrorReportDialog::kMailLimit &&
        body.size() < ErrorReportDialog::kMailLimit - 5)
        std::abort();
    return 0;
}
