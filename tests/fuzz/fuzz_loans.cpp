// The loans file may have been edited by hand, saved by an old version in Windows-1252, or
// damaged: reading it must never crash or hang, the window's reading of its bytes must give the
// rows its decoded text gives, and what the window saves must read back to the same rows.

#include "FuzzSupport.h"
#include "app/LoansFile.h"
#include "platform/ListRow.h"
#include "platform/Platform.h"
#include "shared/util/Files.h"

#include <cstdlib>
#include <vector>

namespace {

// Dates the user types are read in the user's forms; one fixed locale keeps runs repeatable.
class FixedLocale : public wexlo::platform::Locale {
public:
    QLocale locale() const override { return QLocale(QLocale::English, QLocale::UnitedStates); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace wexlo;
    fuzz::setUpOnce();
    static FixedLocale locale;
    platform::setLocale(&locale);

    const QString path = fuzz::appFile(QStringLiteral("datalist.txt"));
    fuzz::writeFile(path, data, size);
    QByteArray bytes;
    if (!files::readAllBytes(path, bytes))
        return 0;

    // The window reads the file's bytes line by line straight into its rows; that must give the
    // rows the whole file's text gives.
    std::vector<platform::ListRow> rows;
    const int orphans = loansfile::read(bytes, [&rows](const QUtf8StringView* cells, int count) {
        rows.emplace_back(cells, count);
    });
    const loansfile::Parsed first = loansfile::parse(files::decodeText(bytes));
    if (orphans != first.orphans || rows.size() != static_cast<size_t>(first.rows.size()))
        std::abort();
    for (size_t r = 0; r < rows.size(); ++r) {
        const QStringList& row = first.rows.at(static_cast<qsizetype>(r));
        if (row.size() != field::kListed && row.size() != field::kCount)
            std::abort();
        if (rows[r].size() != row.size() || rows[r].cells(rows[r].size()) != row)
            std::abort();
    }

    // What the window saves from its rows must read back to the same rows.
    const QByteArray saved = [&rows] {
        QByteArray out;
        loansfile::formatLoanBytes(
            static_cast<int>(rows.size()),
            [&rows](int r, int c) { return rows[static_cast<size_t>(r)].utf8(c); },
            [&out](const QByteArray& piece) { out += piece; });
        return out;
    }();
    const loansfile::Parsed second = loansfile::parse(QString::fromUtf8(saved));
    if (second.orphans != 0 || second.rows != first.rows)
        std::abort();  // a save must keep every row as it was read
    return 0;
}
