#pragma once

// The date entry dialog: day and month in the order of the user's locale, the year last, with
// keyboard handling for fast entry (digits only, separators jump on, Backspace in an empty box
// steps back, Enter completes, Escape and F9 cancel, F10 accepts from anywhere).

#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QString>

class QLabel;
class QPushButton;

namespace wexlo {

namespace detail {
// A text box that tells when it gains or loses the focus, after its own handling.
class DateFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

Q_SIGNALS:
    void gotFocus();
    void lostFocus(Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};
}  // namespace detail

class DateEntryDialog : public QDialog {
    Q_OBJECT
public:
    explicit DateEntryDialog(QWidget* owner = nullptr);
    ~DateEntryDialog() override;

    // Asks for a date until one is accepted; a null date when cancelled.
    QDate askForDate(const QString& title, const QDate& defaultDate);
    // Asks for a date in the default date's month, not after the default date's day.
    QDate askForDateInMonth(const QString& title, const QDate& defaultDate);
    // Shows the dialog modally once; the date in the fields when it closes, or a null date
    // (the zero date) when the user cancelled.
    QDate askOnce();

    // True when the last showing was cancelled (Cancel, Escape, F9, the window's close box).
    bool wasCancelled() const { return cancelled_; }
    // Sets the window title; an empty title gives "Enter the date (DD/MM)" or "(MM/DD)".
    void setTitle(const QString& title);
    // The date the fields start with; the zero date (null, or day 0) means today.
    QDate defaultDate() const { return defaultDate_; }
    void setDefaultDate(const QDate& d) { defaultDate_ = d; }

    // The boxes, for the tests' fixtures: the first and second box as they stand (0 or 1),
    // the month's and the day's box whichever stands first, and the year's.
    QLineEdit* fieldEdit(int position) const;
    QLineEdit* monthEdit() const;
    QLineEdit* dayEdit() const;
    QLineEdit* yearEdit() const;

    // The dialog's close box cancels, like Escape.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QString shownFieldOrder() const;
    void prepareFields();
    void fillFields();
    bool handleFormKeyPress(QKeyEvent* e);  // true when the key is consumed
    bool handleFormKeyRelease(QKeyEvent* e);
    bool handleFieldKeyPress(int position, QKeyEvent* e);
    bool handleYearKeyPress(QKeyEvent* e);
    void completeOnEnter();
    void cancel();
    void acceptIfValid();
    void selectField(int position);
    void padField(int position, Qt::FocusReason reason);
    void selectYear();

    void hideDialog(int result);
    // Validates the fields; on success stores the date as the entered date.
    bool approveDate();
    // Focus into a box with the caret after its last character and nothing selected.
    void stepBackInto(QLineEdit* box);
    // The fields composed in the order the user's short date writes them.
    QString localeOrderText() const;

    QLabel* formatLabel_ = nullptr;
    detail::DateFieldEdit* fieldEdits_[2] = {nullptr, nullptr};
    QLabel* separatorLabels_[2] = {nullptr, nullptr};
    detail::DateFieldEdit* yearEdit_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* okButton_ = nullptr;

    bool cancelled_ = false;
    QDate enteredDate_;
    QDate defaultDate_;
    QString title_;
    QString fieldOrder_ = QStringLiteral("DD/MM");
    int monthPosition_ = 1;  // which of fieldEdits_ holds the month
    int dayPosition_ = 0;
};

namespace dates {

// Shows the date entry dialog with the title and default date; the chosen date, or a null
// QDate (the zero date) when the user cancelled.
QDate askDate(const QString& title, const QDate& defaultDate, QWidget* owner = nullptr);

}  // namespace dates

}  // namespace wexlo
