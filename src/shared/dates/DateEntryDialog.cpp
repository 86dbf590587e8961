#include "shared/dates/DateEntryDialog.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateFormat.h"
#include "shared/dates/DateParser.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/Pointer.h"
#include "shared/util/ProgramInfo.h"
#include "shared/util/Text.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <utility>

namespace wexlo {

namespace {

using text::u8;

// The names the log shows for this dialog's handlers.
namespace logname {
const QString kModule = QStringLiteral("dlgGetDate");
const QString kCancelClick = QStringLiteral("cmdabort_click");
const QString kAcceptClick = QStringLiteral("cmdaccept_click");
const QString kFieldGotFocus = QStringLiteral("txtfield_GotFocus");
const QString kFieldLostFocus = QStringLiteral("txtfield_lostfocus");
const QString kYearGotFocus = QStringLiteral("txtYear_GotFocus");
const QString kActivate = QStringLiteral("form_activate");
const QString kFormKeyPress = QStringLiteral("form_keypress");
const QString kFormKeyUp = QStringLiteral("form_keyup");
// Asking for a date from outside the dialog.
const QString kAskModule = QStringLiteral("mSHAREDGetDate");
const QString kAsk = QStringLiteral("getdate");
}  // namespace logname

// No date chosen: a null date, or day 0 itself (a loan saved with the day number 0).
bool isZeroDate(const QDate& d) { return d.isNull() || d == dates::dayZero(); }

constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 1428;

// The numeric value of the leading digits of a text, as a 16-bit whole number.
int value16(const QString& text)
{
    const QString t = text.trimmed();
    qint64 v = 0;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        v = v * 10 + (c.unicode() - '0');
        if (v > 32767)
            raiseError(err::Overflow);
    }
    return static_cast<int>(v);
}

// A date from year, month and day by calendar arithmetic: months past 12 carry into the
// following years and days past the month's end into the following months; years 0-29 are
// 2000-2029 and 30-99 are 1930-1999.
QDate dateFromParts(int year, int month, int day)
{
    if (year >= 0 && year <= 29)
        year += 2000;
    else if (year >= 30 && year <= 99)
        year += 1900;
    const QDate first(year, 1, 1);
    if (!first.isValid())
        raiseError(err::InvalidProcedureCall);
    const QDate d = first.addMonths(month - 1).addDays(day - 1);
    if (!d.isValid())
        raiseError(err::InvalidProcedureCall);
    return d;
}

bool isSeparatorKey(const QString& text)
{
    return text == QLatin1String("-") || text == QLatin1String(".") || text == QLatin1String("/");
}

bool isDigitKey(const QString& text)
{
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

// A key that types a visible character (not Backspace, Tab, arrows, or a Ctrl combination).
bool isCharacterKey(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString t = e->text();
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

// ---- The text boxes --------------------------------------------------------------------

namespace detail {

void DateFieldEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    Q_EMIT gotFocus();
}

void DateFieldEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    Q_EMIT lostFocus(e->reason());
}

}  // namespace detail

// ---- The dialog ------------------------------------------------------------------------

DateEntryDialog::DateEntryDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("dateEntryDialog"));
    QDialog::setWindowTitle(tr("Enter the date"));
    setFixedSize(platform::twips(kClientWidth), platform::twips(kClientHeight));
    setModal(true);

    formatLabel_ = new QLabel(this);
    fieldEdits_[0] = new detail::DateFieldEdit(this);
    separatorLabels_[0] = new QLabel(this);
    fieldEdits_[1] = new detail::DateFieldEdit(this);
    separatorLabels_[1] = new QLabel(this);
    yearEdit_ = new detail::DateFieldEdit(this);
    dateLabel_ = new QLabel(this);
    cancelButton_ = new QPushButton(this);
    okButton_ = new QPushButton(this);

    platform::layOut({
        {formatLabel_, "formatLabel", u8(tr("Day/Month/Year:")), {525, 300, 1290, 240}},
        {fieldEdits_[0], "firstFieldEdit", nullptr, {1920, 255, 420, 285}, nullptr, ""},
        {separatorLabels_[0], "firstSeparatorLabel", "/", {2400, 300, 135, 255}},
        {fieldEdits_[1], "secondFieldEdit", nullptr, {2580, 240, 420, 285}, nullptr, ""},
        {separatorLabels_[1], "secondSeparatorLabel", "/", {3000, 300, 135, 255}},
        {yearEdit_, "yearEdit", nullptr, {3150, 255, 735, 285}, nullptr, u8(tr("Year"))},
        {dateLabel_, "dateLabel", nullptr, {1575, 600, 1515, 240}},
        {cancelButton_,
         "cancelButton",
         u8(tr("Cancel")),
         {315, 975, 1215, 390},
         nullptr,
         u8(tr("Cancel"))},
        {okButton_, "okButton", u8(tr("OK")), {3150, 990, 1215, 390}, nullptr, u8(tr("OK"))},
    });
    dateLabel_->setAlignment(Qt::AlignCenter);
    const std::pair<detail::DateFieldEdit*, int> boxes[] = {
        {fieldEdits_[0], 2}, {fieldEdits_[1], 2}, {yearEdit_, 4}};
    for (const auto& [box, maxLength] : boxes) {
        box->setMaxLength(maxLength);
        // Typed keys are filtered by the dialog; this also keeps pasted text to digits.
        box->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    }
    // Enter belongs to the dialog's own handling, never to a default button.
    for (QPushButton* b : {cancelButton_, okButton_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    using namespace logname;
    connectGuarded(cancelButton_, &QPushButton::clicked, this, &DateEntryDialog::cancel,
                   kCancelClick, kModule);
    connectGuarded(okButton_, &QPushButton::clicked, this, &DateEntryDialog::acceptIfValid,
                   kAcceptClick, kModule);
    for (int i = 0; i < 2; ++i) {
        connectGuarded(
            fieldEdits_[i], &detail::DateFieldEdit::gotFocus, this, [this, i] { selectField(i); },
            kFieldGotFocus, kModule);
        connectGuarded(
            fieldEdits_[i], &detail::DateFieldEdit::lostFocus, this,
            [this, i](Qt::FocusReason r) { padField(i, r); }, kFieldLostFocus, kModule);
    }
    connectGuarded(yearEdit_, &detail::DateFieldEdit::gotFocus, this, &DateEntryDialog::selectYear,
                   kYearGotFocus, kModule);

    // The dialog sees every key before the focused control.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

DateEntryDialog::~DateEntryDialog() = default;

QString DateEntryDialog::shownFieldOrder() const
{
    // The order stays "DD/MM" or "MM/DD" inside; only what the user reads is translated.
    return fieldOrder_ == QLatin1String("MM/DD") ? tr("MM/DD") : tr("DD/MM");
}

QLineEdit* DateEntryDialog::fieldEdit(int position) const { return fieldEdits_[position]; }
QLineEdit* DateEntryDialog::monthEdit() const { return fieldEdits_[monthPosition_]; }
QLineEdit* DateEntryDialog::dayEdit() const { return fieldEdits_[dayPosition_]; }
QLineEdit* DateEntryDialog::yearEdit() const { return yearEdit_; }

void DateEntryDialog::setTitle(const QString& title)
{
    title_ = title;
    QDialog::setWindowTitle(title.isEmpty() ? tr("Enter the date (%1)").arg(shownFieldOrder())
                                            : title);
}

QDate DateEntryDialog::askOnce()
{
    // A new showing starts undecided.
    cancelled_ = false;
    exec();
    return cancelled_ ? QDate() : enteredDate_;
}

QDate DateEntryDialog::askForDate(const QString& title, const QDate& defaultDate)
{
    setTitle(title);
    setDefaultDate(defaultDate);
    const QDate d = askOnce();
    return cancelled_ ? QDate() : d;
}

QDate DateEntryDialog::askForDateInMonth(const QString& title, const QDate& defaultDate)
{
    setTitle(title);
    setDefaultDate(defaultDate);
    // The fields start at today when there is no default, so today's month is the limit then.
    const QDate limit = isZeroDate(defaultDate) ? platform::clock().today() : defaultDate;
    for (;;) {
        const QDate d = askOnce();
        if (cancelled_)
            return QDate();
        if (d.day() > limit.day() || d.month() != limit.month() || d.year() != limit.year()) {
            platform::message(
                this,
                tr("The date must be in the current month (up to %1)")
                    .arg(dateformat::formatDate(limit, QStringLiteral("DD-MMM-YYYY"))),
                programTitle());
            continue;
        }
        return d;
    }
}

// ---- Showing ---------------------------------------------------------------------------

void DateEntryDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        runGuarded(logname::kActivate, logname::kModule, [&] { prepareFields(); });
}

void DateEntryDialog::prepareFields()
{
    const QString sep = dateformat::separator();
    separatorLabels_[0]->setText(sep);
    separatorLabels_[1]->setText(sep);
    if (dateformat::monthPosition() > dateformat::dayPosition()) {
        fieldOrder_ = QStringLiteral("DD/MM");
        monthPosition_ = 1;
        dayPosition_ = 0;
    } else {
        fieldOrder_ = QStringLiteral("MM/DD");
        monthPosition_ = 0;
        dayPosition_ = 1;
    }
    fieldEdits_[monthPosition_]->setAccessibleName(tr("Month"));
    fieldEdits_[dayPosition_]->setAccessibleName(tr("Day"));
    fillFields();
    platform::eventPump().processEvents();
    formatLabel_->setText(shownFieldOrder());
    if (title_.isEmpty())
        setTitle(QString());
    fieldEdits_[0]->setFocus(Qt::OtherFocusReason);
}

void DateEntryDialog::fillFields()
{
    enteredDate_ = isZeroDate(defaultDate_) ? platform::clock().today() : defaultDate_;
    fieldEdits_[dayPosition_]->setText(
        QStringLiteral("%1").arg(enteredDate_.day(), 2, 10, QLatin1Char('0')));
    fieldEdits_[monthPosition_]->setText(
        QStringLiteral("%1").arg(enteredDate_.month(), 2, 10, QLatin1Char('0')));
    yearEdit_->setText(QStringLiteral("%1").arg(enteredDate_.year(), 4, 10, QLatin1Char('0')));
}

// ---- Buttons and hiding ----------------------------------------------------------------

void DateEntryDialog::acceptIfValid()
{
    if (approveDate())
        hideDialog(QDialog::Accepted);
}

void DateEntryDialog::reject()
{
    // Closing the window must not count as choosing the date in the fields.
    cancel();
}

void DateEntryDialog::cancel()
{
    cancelled_ = true;
    hideDialog(QDialog::Rejected);
}

void DateEntryDialog::hideDialog(int result)
{
    done(result);
    platform::eventPump().processEvents();
}

// ---- Validation ------------------------------------------------------------------------

QString DateEntryDialog::localeOrderText() const
{
    // Positions 1 to 3 of month and day in the user's short date; the year takes the third.
    const int m = dateformat::monthPosition();
    const int d = dateformat::dayPosition();
    QString parts[3];
    const int y = 6 - m - d;
    if (m < 1 || m > 3 || d < 1 || d > 3 || y < 1 || y > 3)
        return dateLabel_->text();
    parts[m - 1] = fieldEdits_[monthPosition_]->text();
    parts[d - 1] = fieldEdits_[dayPosition_]->text();
    parts[y - 1] = yearEdit_->text();
    const QString sep = separatorLabels_[0]->text();
    return parts[0] + sep + parts[1] + sep + parts[2];
}

bool DateEntryDialog::approveDate()
{
    // The label's text is what a screen reader reads, announced as it changes.
    dateLabel_->setText(fieldEdits_[0]->text() + separatorLabels_[0]->text() +
                        fieldEdits_[1]->text() + separatorLabels_[1]->text() + yearEdit_->text());
    // The boxes stand in the dialog's order, which for year-first locales is not the order
    // the user's short date is read in; the date is recognised in the locale's own order.
    // A year of one or three digits is a typo rather than a date.
    const QString year = yearEdit_->text();
    QDate parsed;
    const bool valid = dates::allDigits(fieldEdits_[0]->text()) &&
                       dates::allDigits(fieldEdits_[1]->text()) && dates::allDigits(year) &&
                       (year.size() == 2 || year.size() == 4) &&
                       dates::tryParseDate(localeOrderText(), parsed);
    if (!valid) {
        platform::message(this, tr("Invalid Date"), programTitle());
        dateLabel_->setText(QString());
        fieldEdits_[0]->setFocus(Qt::OtherFocusReason);
        return false;
    }
    enteredDate_ =
        dateFromParts(value16(yearEdit_->text()), value16(fieldEdits_[monthPosition_]->text()),
                      value16(fieldEdits_[dayPosition_]->text()));
    return true;
}

// ---- Focus -----------------------------------------------------------------------------

void DateEntryDialog::selectField(int position) { fieldEdits_[position]->selectAll(); }

void DateEntryDialog::padField(int position, Qt::FocusReason reason)
{
    // Another window taking the activation (a message box) is no move within the dialog.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    QLineEdit* box = fieldEdits_[position];
    if (box->text().size() == 1)
        box->setText(QStringLiteral("0") + box->text());
    // A month past 12 keeps the focus in its box.
    if (!cancelled_ && isVisible() && position == monthPosition_ && value16(box->text()) > 12)
        box->setFocus(Qt::OtherFocusReason);
}

void DateEntryDialog::selectYear() { yearEdit_->selectAll(); }

void DateEntryDialog::stepBackInto(QLineEdit* box)
{
    box->setFocus(Qt::OtherFocusReason);
    box->deselect();
    box->end(false);
}

// ---- Keys ------------------------------------------------------------------------------

bool DateEntryDialog::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    // A key the focused control does not take travels on to the dialog and passes here again;
    // the dialog acts only on keys it consumes, so a second look does nothing.
    if (watched != this &&
        !(watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))))
        return false;

    if (e->type() == QEvent::KeyRelease)
        return handleFormKeyRelease(key);
    if (handleFormKeyPress(key))
        return true;
    if (!isVisible())
        return false;
    if (watched == fieldEdits_[0])
        return handleFieldKeyPress(0, key);
    if (watched == fieldEdits_[1])
        return handleFieldKeyPress(1, key);
    if (watched == yearEdit_)
        return handleYearKeyPress(key);
    return false;
}

bool DateEntryDialog::handleFormKeyPress(QKeyEvent* e)
{
    const int key = e->key();
    if (key == Qt::Key_F9 || key == Qt::Key_F10)
        return true;  // acted upon when released
    if (key == Qt::Key_Escape) {
        runGuarded(logname::kFormKeyPress, logname::kModule, [&] { cancel(); });
        return true;
    }
    if (!isEnter(key))
        return false;
    // Enter never reaches a box as a character.
    runGuarded(logname::kFormKeyPress, logname::kModule, [&] { completeOnEnter(); });
    return true;
}

void DateEntryDialog::completeOnEnter()
{
    // Enter moves to the first empty box, settles a two-digit year, and accepts when complete.
    for (QLineEdit* box :
         {static_cast<QLineEdit*>(fieldEdits_[0]), static_cast<QLineEdit*>(fieldEdits_[1]),
          static_cast<QLineEdit*>(yearEdit_)}) {
        if (box->text().isEmpty()) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    const QString year = yearEdit_->text();
    if (year.size() < 4) {
        if (year.size() == 2) {
            const int y = value16(year);
            yearEdit_->setText(QString::number(y >= 90 ? 1900 + y : 2000 + y));
        } else {
            platform::message(this,
                              tr("Year must be 2 or 4 digits. If you enter 2 digits I will "
                                 "guess at the century."),
                              programTitle());
        }
        yearEdit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    acceptIfValid();
}

bool DateEntryDialog::handleFormKeyRelease(QKeyEvent* e)
{
    const int key = e->key();
    if (key != Qt::Key_F9 && key != Qt::Key_F10)
        return false;
    if (e->isAutoRepeat() || !isVisible())
        return true;
    runGuarded(logname::kFormKeyUp, logname::kModule, [&] {
        if (key == Qt::Key_F10)
            acceptIfValid();
        else
            cancel();
    });
    return true;
}

bool DateEntryDialog::handleFieldKeyPress(int position, QKeyEvent* e)
{
    // Only focus moves happen here; they cannot fail, so no guard is needed.
    if (e->key() == Qt::Key_Backspace) {
        if (position == 1 && fieldEdits_[1]->text().isEmpty()) {
            stepBackInto(fieldEdits_[0]);
            return true;
        }
        return false;
    }
    if (!isCharacterKey(e))
        return false;
    const QString t = e->text();
    if (isSeparatorKey(t)) {
        if (position == 0)
            fieldEdits_[1]->setFocus(Qt::OtherFocusReason);
        else
            yearEdit_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return !isDigitKey(t);
}

bool DateEntryDialog::handleYearKeyPress(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Backspace) {
        if (yearEdit_->text().isEmpty()) {
            stepBackInto(fieldEdits_[1]);
            return true;
        }
        return false;
    }
    return isCharacterKey(e) && !isDigitKey(e->text());
}

// ---- Asking from outside ---------------------------------------------------------------

QDate dates::askDate(const QString& title, const QDate& defaultDate, QWidget* owner)
{
    QDate result;
    runGuarded(logname::kAsk, logname::kAskModule, [&] {
        DateEntryDialog dialog(owner);
        result = dialog.askForDate(title, defaultDate);
    });
    return result;
}

}  // namespace wexlo
