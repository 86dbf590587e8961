#pragma once

// One loan of the register: what was lent, when, to whom, and how to reach them; when it is due
// back and when it came back ("YYYY-MM-DD", empty when not). The date lent is "YYYY-MM-DD" too,
// or the text the file held when that was not a date, kept so that saving gives it back.

#include <QString>
#include <QStringList>

namespace wexlo {

// A loan's fields as the register holds them, in the list's column order (0-based). The list
// has always shown the first five; due and returned come after them.
namespace field {
enum : int {
    Date = 0,
    Borrower = 1,
    Item = 2,
    Phone = 3,
    Address = 4,
    Due = 5,
    Returned = 6,
};
inline constexpr int kListed = 5;  // the fields of every loan's record in the file
inline constexpr int kCount = 7;
}  // namespace field

struct Loan {
    QString date;
    QString borrower;
    QString item;
    QString phone;
    QString address;
    QString due;
    QString returned;

    QStringList cells() const { return {date, borrower, item, phone, address, due, returned}; }
    static Loan fromCells(const QStringList& c)
    {
        return {c.value(field::Date),    c.value(field::Borrower), c.value(field::Item),
                c.value(field::Phone),   c.value(field::Address),  c.value(field::Due),
                c.value(field::Returned)};
    }
    bool operator==(const Loan&) const = default;
};

}  // namespace wexlo
