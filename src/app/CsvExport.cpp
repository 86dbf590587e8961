#include "app/CsvExport.h"

#include "app/LoansFile.h"
#include "platform/RuntimeError.h"
#include "shared/util/Files.h"

namespace wexlo::csvexport {

QString field(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (const QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QByteArray format(int rowCount, const std::function<QString(int row, int column)>& cell)
{
    const QStringList heading{QStringLiteral("Date"),    QStringLiteral("Lent To"),
                              QStringLiteral("Item"),    QStringLiteral("Phone"),
                              QStringLiteral("Address"), QStringLiteral("Due"),
                              QStringLiteral("Returned")};
    QString text = heading.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < field::kCount; ++c) {
            if (c > 0)
                text += QLatin1Char(',');
            text += field(cell(r, c));
        }
        text += QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void write(const QString& path, const QByteArray& bytes)
{
    int error = 0;
    auto out = files::openForOutput(path, platform::FileAccess::Normal, &error);
    if (!out)
        raiseError(error != 0 ? error : err::PermissionDenied);
    out->writeBytes(bytes);
    out->close();
}

}  // namespace wexlo::csvexport
