// The loans file may have been edited by hand, saved by an old version in Windows-1252, or
// damaged: reading it must never crash or hang, and what it saves must read back to the same
// rows.

#include "FuzzSupport.h"
#include "app/LoansFile.h"
#include "platform/Platform.h"
#include "shared/util/mSHAREDFileSubs.h"

#include <cstdlib>

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
    QString text;
    if (!mSHAREDFileSubs::LoadTextFile(path, text))
        return 0;

    const loansfile::Parsed first = loansfile::parse(text);
    for (const QStringList& row : first.rows)
        if (row.size() != loansfile::ColumnCount && row.size() != loansfile::LoanColumnCount)
            std::abort();

    auto cellOf = [](const QList<QStringList>& rows) {
        return [&rows](int r, int c) { return rows.at(r).value(c); };
    };
    const QByteArray saved =
        loansfile::formatLoans(static_cast<int>(first.rows.size()), cellOf(first.rows));
    const loansfile::Parsed second = loansfile::parse(QString::fromUtf8(saved));
    if (second.orphans != 0 || second.rows != first.rows)
        std::abort();  // a save must keep every row as it was read
    return 0;
}
