#include "shared/updater/UpdateVersion.h"

#include "platform/RuntimeError.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/diagnostics/Logging.h"

#include <cmath>
#include <tuple>

namespace wexlo {

QString ParsedVersion::text() const
{
    return QString::number(majorNumber) + QLatin1Char('.') + QString::number(minorNumber) +
           QLatin1Char('.') + QString::number(revision) + letter;
}

bool ParsedVersion::isNewerThan(const ParsedVersion& other) const
{
    // An empty letter sorts below every letter, which plain text comparison gives.
    return std::make_tuple(majorNumber, minorNumber, revision, letter) >
           std::make_tuple(other.majorNumber, other.minorNumber, other.revision, other.letter);
}

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double v = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

std::int16_t roundToInt16(double value)
{
    const double r = std::nearbyint(value);  // the default rounding mode is half to even
    if (!(r >= -32768.0 && r <= 32767.0))
        raiseError(err::Overflow);
    return static_cast<std::int16_t>(r);
}

// ---- Parsing a version -----------------------------------------------------------------

void parseVersion(const QString& text, ParsedVersion& v)
{
    static const QString kProcedure = QStringLiteral("ExtractVersion");
    ErrorRecorder on(kProcedure, logname::kUpdateWindowModule);
    // Positions are 0-based here; -1 stands for "not found".
    const qsizetype p1 = text.indexOf(QLatin1Char('.'));
    const qsizetype p2 = p1 >= 0 ? text.indexOf(QLatin1Char('.'), p1 + 1) : -1;
    on([&] {
        if (p1 < 0)
            raiseError(err::InvalidProcedureCall);
        v.majorNumber = roundToInt16(leadingNumber(text.left(p1)));
    });
    on([&] {
        if (p1 < 0 || p2 < 0)
            raiseError(err::InvalidProcedureCall);
        v.minorNumber = roundToInt16(leadingNumber(text.mid(p1 + 1, p2 - p1 - 1)));
    });
    const QString afterP2 = text.mid(p2 + 1);  // the whole text when there is no second "."
    on([&] { v.revision = roundToInt16(leadingNumber(afterP2)); });
    on([&] {
        QString tail = afterP2;
        const qsizetype lf = tail.indexOf(QLatin1Char('\n'));
        if (lf >= 0)
            tail.truncate(lf);
        tail.remove(QLatin1Char('\r'));
        tail = tail.right(1);
        // Only a letter counts: a digit means "no letter", and so does a trailing blank, which
        // would otherwise make every version look newer than the running one.
        v.letter = (tail.size() == 1 && tail.at(0).isLetter()) ? tail : QString();
    });
    on([&] {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'));
        if (lf < 0) {
            v.address.clear();
            return;
        }
        QString address = text.mid(lf + 1);
        address.remove(QStringLiteral("\r\n"));
        // Line ends left over (a file with LF-only line ends) are no part of an address.
        address.remove(QLatin1Char('\n'));
        address.remove(QLatin1Char('\r'));
        address.replace(QStringLiteral("@@@"), QString::number(v.majorNumber) +
                                                   QString::number(v.minorNumber) +
                                                   QString::number(v.revision) + v.letter);
        v.address = address;
        logging::logDebug(QStringLiteral("Url set to ") + forLog(v.address));
    });
}

QString forLog(const QString& serverText)
{
    if (serverText.size() <= kLoggedServerText)
        return serverText;
    return serverText.left(kLoggedServerText) +
           QStringLiteral("... [cut, %1 characters in all]").arg(serverText.size());
}

}  // namespace wexlo
