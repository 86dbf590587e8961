#include "shared/dates/fSHAREDGetDate.h"

#include "platform/ControlTable.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "shared/dates/DateParser.h"
#include "shared/dates/mSHAREDDateFunc.h"
#include "shared/diagnostics/ErrorHandler.h"
#include "shared/util/mSHAREDSubs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <utility>

namespace wexlo {

namespace {

const QString kModule = QStringLiteral("dlgGetDate");

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

void GetDateBox::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    Q_EMIT gotFocus();
}

void GetDateBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    Q_EMIT lostFocus(e->reason());
}

}  // namespace detail

// ---- The form --------------------------------------------------------------------------

fSHAREDGetDate::fSHAREDGetDate(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("fSHAREDGetDate"));
    QDialog::setWindowTitle(QStringLiteral("Enter the date"));
    setFixedSize(platform::twips(kClientWidth), platform::twips(kClientHeight));
    setModal(true);

    lblFormatString = new QLabel(this);
    txtfield[0] = new detail::GetDateBox(this);
    lblSlash[0] = new QLabel(this);
    txtfield[1] = new detail::GetDateBox(this);
    lblSlash[1] = new QLabel(this);
    txtYear = new detail::GetDateBox(this);
    lblDate = new QLabel(this);
    cmdAbort = new QPushButton(this);
    cmdAccept = new QPushButton(this);

    platform::layOut({
        {lblFormatString, "lblFormatString", "Day/Month/Year:", {525, 300, 1290, 240}},
        {txtfield[0], "txtfield(0)", nullptr, {1920, 255, 420, 285}, nullptr, ""},
        {lblSlash[0], "lblSlash(0)", "/", {2400, 300, 135, 255}},
        {txtfield[1], "txtfield(1)", nullptr, {2580, 240, 420, 285}, nullptr, ""},
        {lblSlash[1], "lblSlash(1)", "/", {3000, 300, 135, 255}},
        {txtYear, "txtYear", nullptr, {3150, 255, 735, 285}, nullptr, "Year"},
        {lblDate, "lblDate", nullptr, {1575, 600, 1515, 240}},
        {cmdAbort, "cmdAbort", "Cancel", {315, 975, 1215, 390}, nullptr, "Cancel"},
        {cmdAccept, "cmdAccept", "OK", {3150, 990, 1215, 390}, nullptr, "OK"},
    });
    lblDate->setAlignment(Qt::AlignCenter);
    const std::pair<detail::GetDateBox*, int> boxes[] = {
        {txtfield[0], 2}, {txtfield[1], 2}, {txtYear, 4}};
    for (const auto& [box, maxLength] : boxes) {
        box->setMaxLength(maxLength);
        // Typed keys are filtered by the form; this also keeps pasted text to digits.
        box->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    }
    // Enter belongs to the form's own handling, never to a default button.
    for (QPushButton* b : {cmdAbort, cmdAccept}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connectGuarded(cmdAbort, &QPushButton::clicked, this, &fSHAREDGetDate::cmdAbort_Click,
                   QStringLiteral("cmdAbort_Click"), kModule);
    connectGuarded(cmdAccept, &QPushButton::clicked, this, &fSHAREDGetDate::cmdAccept_Click,
                   QStringLiteral("cmdAccept_Click"), kModule);
    for (int i = 0; i < 2; ++i) {
        connectGuarded(
            txtfield[i], &detail::GetDateBox::gotFocus, this, [this, i] { txtfield_GotFocus(i); },
            QStringLiteral("txtfield_GotFocus"), kModule);
        connectGuarded(
            txtfield[i], &detail::GetDateBox::lostFocus, this,
            [this, i](Qt::FocusReason r) { txtfield_LostFocus(i, r); },
            QStringLiteral("txtfield_LostFocus"), kModule);
    }
    connectGuarded(txtYear, &detail::GetDateBox::gotFocus, this, &fSHAREDGetDate::txtYear_GotFocus,
                   QStringLiteral("txtYear_GotFocus"), kModule);

    // The form sees every key before the focused control.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

fSHAREDGetDate::~fSHAREDGetDate() = default;

void fSHAREDGetDate::WindowTitle(const QString& title)
{
    OnError on(QStringLiteral("let windowtitle"), kModule);
    on([&] {
        title_ = title;
        QDialog::setWindowTitle(title.isEmpty() ? QStringLiteral("Enter the date (") + fieldorder_ +
                                                      QStringLiteral(")")
                                                : title);
    });
}

QDate fSHAREDGetDate::EnteredDate()
{
    OnError on(QStringLiteral("get entereddate"), kModule);
    // A new showing starts undecided.
    Cancelled = false;
    on([&] { exec(); });
    return Cancelled ? QDate() : entereddate_;
}

void fSHAREDGetDate::EnteredDate(const QDate& d) { entereddate_ = d; }

QDate fSHAREDGetDate::DefaultDate() { return defaultdate_; }

void fSHAREDGetDate::DefaultDate(const QDate& d) { defaultdate_ = d; }

QDate fSHAREDGetDate::GetDate(const QString& OptionalTitle, const QDate& defaultDate)
{
    OnError on(QStringLiteral("getdate"), kModule);
    WindowTitle(OptionalTitle);  // contains its own failures
    DefaultDate(defaultDate);
    QDate d;
    on([&] {
        for (;;) {
            DateOk = true;
            d = EnteredDate();
            if (Cancelled) {
                DateOk = false;
                break;
            }
            if (DateOk)
                break;
        }
    });
    return DateOk ? d : QDate();
}

QDate fSHAREDGetDate::GetDateInCurrentMonth(const QString& vWindowTitle, const QDate& vDefaultDate)
{
    WindowTitle(vWindowTitle);
    DefaultDate(vDefaultDate);
    // The fields start at today when there is no default, so today's month is the limit then.
    const QDate limit = isZeroDate(vDefaultDate) ? platform::clock().today() : vDefaultDate;
    for (;;) {
        const QDate d = EnteredDate();
        if (Cancelled)
            return QDate();
        if (d.day() > limit.day() || d.month() != limit.month() || d.year() != limit.year()) {
            platform::message(
                this,
                QStringLiteral("The date must be in the current month (up to ") +
                    mSHAREDDateFunc::formatdate(limit, QStringLiteral("DD-MMM-YYYY")) +
                    QStringLiteral(")"),
                mSHAREDSubs::AppTitle());
            continue;
        }
        return d;
    }
}

// ---- Showing ---------------------------------------------------------------------------

void fSHAREDGetDate::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        Form_Activate();
}

void fSHAREDGetDate::Form_Activate()
{
    OnError on(QStringLiteral("form_activate"), kModule);
    on([&] {
        const QString sep = mSHAREDDateFunc::dateseparator();
        setLabelText(lblSlash[0], sep);
        setLabelText(lblSlash[1], sep);
    });
    on([&] {
        if (mSHAREDDateFunc::monthfield() > mSHAREDDateFunc::dayfield()) {
            fieldorder_ = QStringLiteral("DD/MM");
            monthbox_ = 1;
            daybox_ = 0;
        } else {
            fieldorder_ = QStringLiteral("MM/DD");
            monthbox_ = 0;
            daybox_ = 1;
        }
        txtfield[monthbox_]->setAccessibleName(QStringLiteral("Month"));
        txtfield[daybox_]->setAccessibleName(QStringLiteral("Day"));
    });
    on([&] { setupfields(); });
    on([&] { platform::eventPump().processEvents(); });
    on([&] { setLabelText(lblFormatString, fieldorder_); });
    on([&] {
        if (title_.isEmpty())
            WindowTitle(QString());
    });
    on([&] { txtfield[0]->setFocus(Qt::OtherFocusReason); });
}

void fSHAREDGetDate::setupfields()
{
    OnError on(QStringLiteral("setupfields"), kModule);
    on([&] { entereddate_ = isZeroDate(defaultdate_) ? platform::clock().today() : defaultdate_; });
    on([&] {
        txtfield[daybox_]->setText(
            QStringLiteral("%1").arg(entereddate_.day(), 2, 10, QLatin1Char('0')));
        txtfield[monthbox_]->setText(
            QStringLiteral("%1").arg(entereddate_.month(), 2, 10, QLatin1Char('0')));
        txtYear->setText(QStringLiteral("%1").arg(entereddate_.year(), 4, 10, QLatin1Char('0')));
    });
}

// ---- Buttons and hiding ----------------------------------------------------------------

void fSHAREDGetDate::cmdAbort_Click()
{
    OnError on(QStringLiteral("cmdabort_click"), kModule);
    on([&] { cancelAndHide(); });
}

void fSHAREDGetDate::cmdAccept_Click()
{
    OnError on(QStringLiteral("cmdaccept_click"), kModule);
    on([&] {
        if (dateapproved())
            hideDialog(QDialog::Accepted);
    });
}

void fSHAREDGetDate::reject()
{
    // Closing the window must not count as choosing the date in the fields.
    Cancelled = true;
    hideDialog(QDialog::Rejected);
}

void fSHAREDGetDate::cancelAndHide()
{
    Cancelled = true;
    hideDialog(QDialog::Rejected);
}

void fSHAREDGetDate::hideDialog(int result)
{
    done(result);
    platform::eventPump().processEvents();
}

// ---- Validation ------------------------------------------------------------------------

QString fSHAREDGetDate::localeOrderText() const
{
    // Positions 1 to 3 of month and day in the user's short date; the year takes the third.
    const int m = mSHAREDDateFunc::monthfield();
    const int d = mSHAREDDateFunc::dayfield();
    QString parts[3];
    const int y = 6 - m - d;
    if (m < 1 || m > 3 || d < 1 || d > 3 || y < 1 || y > 3)
        return lblDate->text();
    parts[m - 1] = txtfield[monthbox_]->text();
    parts[d - 1] = txtfield[daybox_]->text();
    parts[y - 1] = txtYear->text();
    const QString sep = lblSlash[0]->text();
    return parts[0] + sep + parts[1] + sep + parts[2];
}

bool fSHAREDGetDate::dateapproved()
{
    bool result = false;
    OnError on(QStringLiteral("dateapproved"), kModule);
    bool valid = false;
    on([&] {
        setLabelText(lblDate, txtfield[0]->text() + lblSlash[0]->text() + txtfield[1]->text() +
                                  lblSlash[1]->text() + txtYear->text());
    });
    on([&] {
        // The boxes stand in the dialog's order, which for year-first locales is not the order
        // the user's short date is read in; the date is recognised in the locale's own order.
        // A year of one or three digits is a typo rather than a date.
        const QString year = txtYear->text();
        QDate parsed;
        valid = dates::allDigits(txtfield[0]->text()) && dates::allDigits(txtfield[1]->text()) &&
                dates::allDigits(year) && (year.size() == 2 || year.size() == 4) &&
                dates::tryParseDate(localeOrderText(), parsed);
    });
    if (!valid) {
        on([&] {
            platform::message(this, QStringLiteral("Invalid Date"), mSHAREDSubs::AppTitle());
        });
        on([&] { setLabelText(lblDate, QString()); });
        on([&] { txtfield[0]->setFocus(Qt::OtherFocusReason); });
        return false;
    }
    on([&] {
        entereddate_ = dateFromParts(value16(txtYear->text()), value16(txtfield[monthbox_]->text()),
                                     value16(txtfield[daybox_]->text()));
        result = true;
    });
    return result;
}

// ---- Focus -----------------------------------------------------------------------------

void fSHAREDGetDate::txtfield_GotFocus(int index) { txtfield[index]->selectAll(); }

void fSHAREDGetDate::txtfield_LostFocus(int index, Qt::FocusReason reason)
{
    // Another window taking the activation (a message box) is no move within the form.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    OnError on(QStringLiteral("txtfield_lostfocus"), kModule);
    on([&] {
        if (txtfield[index]->text().size() == 1)
            txtfield[index]->setText(QStringLiteral("0") + txtfield[index]->text());
    });
    on([&] {
        if (!Cancelled && isVisible() && index == monthbox_ &&
            value16(txtfield[index]->text()) > 12)
            txtfield[index]->setFocus(Qt::OtherFocusReason);
    });
}

void fSHAREDGetDate::txtYear_GotFocus() { txtYear->selectAll(); }

void fSHAREDGetDate::stepBackInto(QLineEdit* box)
{
    box->setFocus(Qt::OtherFocusReason);
    box->deselect();
    box->end(false);
}

// ---- Keys ------------------------------------------------------------------------------

bool fSHAREDGetDate::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    // A key the focused control does not take travels on to the form and passes here again;
    // the form acts only on keys it consumes, so a second look does nothing.
    if (watched != this &&
        !(watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))))
        return false;

    bool consumed = false;
    if (e->type() == QEvent::KeyPress) {
        consumed = Form_KeyPress(key);
        if (!consumed && isVisible()) {
            if (watched == txtfield[0])
                consumed = txtfield_KeyPress(0, key);
            else if (watched == txtfield[1])
                consumed = txtfield_KeyPress(1, key);
            else if (watched == txtYear)
                consumed = txtYear_KeyPress(key);
        }
    } else {
        consumed = Form_KeyUp(key);
    }
    return consumed;
}

bool fSHAREDGetDate::Form_KeyPress(QKeyEvent* e)
{
    bool consumed = false;
    OnError on(QStringLiteral("form_keypress"), kModule);
    const int key = e->key();
    if (key == Qt::Key_F9 || key == Qt::Key_F10)
        return true;  // acted upon when released
    if (key == Qt::Key_Escape) {
        consumed = true;
        on([&] { cancelAndHide(); });
        return consumed;
    }
    if (!isEnter(key))
        return false;
    consumed = true;  // Enter never reaches a box as a character
    on([&] {
        if (txtfield[0]->text().isEmpty()) {
            txtfield[0]->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (txtfield[1]->text().isEmpty()) {
            txtfield[1]->setFocus(Qt::OtherFocusReason);
            return;
        }
        const QString year = txtYear->text();
        if (year.isEmpty()) {
            txtYear->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (year.size() < 4) {
            if (year.size() == 2) {
                const int y = value16(year);
                txtYear->setText(QString::number(y >= 90 ? 1900 + y : 2000 + y));
            } else {
                platform::message(this,
                                  QStringLiteral("Year must be 2 or 4 digits. If you enter 2 "
                                                 "digits I will guess at the century."),
                                  mSHAREDSubs::AppTitle());
            }
            txtYear->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (dateapproved())
            hideDialog(QDialog::Accepted);
    });
    return consumed;
}

bool fSHAREDGetDate::Form_KeyUp(QKeyEvent* e)
{
    OnError on(QStringLiteral("form_keyup"), kModule);
    const int key = e->key();
    if (key != Qt::Key_F9 && key != Qt::Key_F10)
        return false;
    if (e->isAutoRepeat() || !isVisible())
        return true;
    if (key == Qt::Key_F10) {
        on([&] {
            if (dateapproved())
                hideDialog(QDialog::Accepted);
        });
    } else {
        on([&] { cancelAndHide(); });
    }
    return true;
}

bool fSHAREDGetDate::txtfield_KeyPress(int index, QKeyEvent* e)
{
    bool consumed = false;
    OnError on(QStringLiteral("txtfield_keypress"), kModule);
    on([&] {
        if (e->key() == Qt::Key_Backspace) {
            if (index == 1 && txtfield[1]->text().isEmpty()) {
                stepBackInto(txtfield[0]);
                consumed = true;
            }
            return;
        }
        if (!isCharacterKey(e))
            return;
        const QString t = e->text();
        if (isSeparatorKey(t)) {
            consumed = true;
            if (index == 0)
                txtfield[1]->setFocus(Qt::OtherFocusReason);
            else
                txtYear->setFocus(Qt::OtherFocusReason);
        } else if (!isDigitKey(t)) {
            consumed = true;
        }
    });
    return consumed;
}

bool fSHAREDGetDate::txtYear_KeyPress(QKeyEvent* e)
{
    bool consumed = false;
    OnError on(QStringLiteral("txtyear_keypress"), kModule);
    on([&] {
        if (e->key() == Qt::Key_Backspace) {
            if (txtYear->text().isEmpty()) {
                stepBackInto(txtfield[1]);
                consumed = true;
            }
            return;
        }
        if (isCharacterKey(e) && !isDigitKey(e->text()))
            consumed = true;
    });
    return consumed;
}

void fSHAREDGetDate::setLabelText(QLabel* label, const QString& text)
{
    // The label's text is what a screen reader reads, announced as it changes.
    label->setText(text);
}

}  // namespace wexlo
