#pragma once

// The date entry dialog: day and month in the order of the user's locale, the year last, with
// keyboard handling for fast entry (digits only, separators jump on, Backspace in an empty box
// steps back, Enter completes, Escape and F9 cancel, F10 accepts from anywhere).
// Handlers log the module name "dlgGetDate".

#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QString>

class QLabel;
class QPushButton;

namespace wexlo {

namespace detail {
// A text box that tells when it gains or loses the focus, after its own handling.
class GetDateBox : public QLineEdit {
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

class fSHAREDGetDate : public QDialog {
    Q_OBJECT
public:
    explicit fSHAREDGetDate(QWidget* owner = nullptr);
    ~fSHAREDGetDate() override;

    // Set when the user cancels (Cancel, Escape, F9, the window's close box).
    bool Cancelled = false;
    // Set by GetDate before each showing.
    bool DateOk = false;

    // Sets the window title; an empty title gives "Enter the date (DD/MM)" or "(MM/DD)".
    void WindowTitle(const QString& title);
    // Shows the dialog modally; the date in the fields when it closes, or a null date (the
    // zero date) when the user cancelled.
    QDate EnteredDate();
    void EnteredDate(const QDate& d);
    // The date the fields start with; the zero date (null, or day 0) means today.
    QDate DefaultDate();
    void DefaultDate(const QDate& d);

    // Asks for a date until one is accepted; a null date when cancelled.
    QDate GetDate(const QString& OptionalTitle, const QDate& defaultDate);
    // Asks for a date in the default date's month, not after the default date's day.
    QDate GetDateInCurrentMonth(const QString& vWindowTitle, const QDate& vDefaultDate);

    // The controls, named as their object names.
    QLabel* lblFormatString = nullptr;
    detail::GetDateBox* txtfield[2] = {nullptr, nullptr};
    QLabel* lblSlash[2] = {nullptr, nullptr};
    detail::GetDateBox* txtYear = nullptr;
    QLabel* lblDate = nullptr;
    QPushButton* cmdAbort = nullptr;
    QPushButton* cmdAccept = nullptr;

    // Index in txtfield of the box that holds the month, and of the one that holds the day.
    int monthBox() const { return monthbox_; }
    int dayBox() const { return daybox_; }

    // Validates the fields; on success stores the date as EnteredDate.
    bool dateapproved();

    // The dialog's close box cancels, like Escape.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Form_Activate();
    bool Form_KeyPress(QKeyEvent* e);  // true when the key is consumed
    bool Form_KeyUp(QKeyEvent* e);
    void setupfields();
    void cmdAbort_Click();
    void cmdAccept_Click();
    void txtfield_GotFocus(int index);
    void txtfield_LostFocus(int index, Qt::FocusReason reason);
    bool txtfield_KeyPress(int index, QKeyEvent* e);
    void txtYear_GotFocus();
    bool txtYear_KeyPress(QKeyEvent* e);

    void cancelAndHide();
    void hideDialog(int result);
    // Focus into a box with the caret after its last character and nothing selected.
    void stepBackInto(QLineEdit* box);
    void setLabelText(QLabel* label, const QString& text);
    // The fields composed in the order the user's short date writes them.
    QString localeOrderText() const;

    QDate entereddate_;
    QDate defaultdate_;
    QString title_;
    QString fieldorder_ = QStringLiteral("DD/MM");
    int monthbox_ = 1;
    int daybox_ = 0;
};

}  // namespace wexlo
