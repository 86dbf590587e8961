#include "platform/StatusBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QLayout>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace wexlo::platform {

namespace {

// What a screen reader gets from a status box: the printed text as its name, and while a bar
// is drawn, a progress bar whose value is the bar's percentage.
class StatusBoxAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StatusBoxAccessible(StatusBox* box) : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    StatusBox* box() const { return static_cast<StatusBox*>(widget()); }

    QAccessible::Role role() const override
    {
        return box()->progressValue() ? QAccessible::ProgressBar : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && box()->accessibleName().isEmpty() &&
            !box()->shownText().isEmpty())
            return box()->shownText();
        if (t == QAccessible::Value) {
            if (const auto value = box()->progressValue())
                return QString::number(std::lround(*value)) + QLatin1Char('%');
            return {};
        }
        return QAccessibleWidget::text(t);
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface && box()->progressValue())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QVariant currentValue() const override
    {
        const auto value = box()->progressValue();
        return value ? QVariant(*value) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}  // the box only shows what it is given
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 1.0; }
};

QAccessibleInterface* statusBoxFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(StatusBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new StatusBoxAccessible(static_cast<StatusBox*>(object));
    return nullptr;
}

}  // namespace

QColor colorFromNumber(std::uint32_t value, const QPalette& palette)
{
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
            case 0x05:
                return palette.color(QPalette::Base);  // window background
            case 0x08:
                return palette.color(QPalette::Text);  // window text
            case 0x0F:
                return palette.color(QPalette::Button);  // button face
            case 0x12:
                return palette.color(QPalette::ButtonText);  // button text
            case 0x0D:
                return palette.color(QPalette::Highlight);  // highlight
            case 0x0E:
                return palette.color(QPalette::HighlightedText);
            case 0x11:
                return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
            case 0x18:
                return palette.color(QPalette::ToolTipBase);
            case 0x17:
                return palette.color(QPalette::ToolTipText);
            default:
                return palette.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t colorNumber(const QColor& c) { return rgbNumber(c.red(), c.green(), c.blue()); }

StatusBox::StatusBox(QWidget* parent) : QWidget(parent)
{
    static const bool installed = (QAccessible::installFactory(statusBoxFactory), true);
    Q_UNUSED(installed)
    back_ = palette().color(QPalette::Window);
    fore_ = palette().color(QPalette::WindowText);
    fill_ = fore_;
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitCanvas();
}

void StatusBox::fitCanvas() const
{
    // Keep what was drawn; new area takes the back colour.
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (size == canvas_.size())
        return;
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(back_);
    QPainter p(&grown);
    p.drawImage(0, 0, canvas_);
    p.end();
    canvas_ = grown;
}

const QImage& StatusBox::canvas() const
{
    fitCanvas();
    return canvas_;
}

void StatusBox::clear()
{
    fitCanvas();
    canvas_.fill(back_);
    currentX_ = 0;
    currentY_ = 0;
    shownText_.clear();
    progress_.reset();
    unwrap();
    contentChanged();
    update();
}

void StatusBox::setFontSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

double StatusBox::fontSize() const { return font().pointSizeF(); }

void StatusBox::setBackColor(const QColor& c)
{
    back_ = c;
    clear();
}

void StatusBox::setForeColor(const QColor& c) { fore_ = c; }

double StatusBox::innerWidth() const { return width(); }
double StatusBox::innerHeight() const { return height(); }

double StatusBox::textWidth(const QString& text) const
{
    return QFontMetricsF(font()).horizontalAdvance(text);
}

double StatusBox::textHeight(const QString& text) const
{
    const qsizetype lines = std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    return QFontMetricsF(font()).height() * lines;
}

void StatusBox::printLine(const QString& text)
{
    if (wordWrap_ && !text.contains(QLatin1Char('\n')) && textWidth(text) > innerWidth()) {
        printWrapped(text);
        return;
    }
    fitCanvas();
    {
        QPainter p(&canvas_);
        p.setFont(font());
        p.setPen(fore_);
        const QFontMetricsF fm(font());
        double y = currentY_;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            p.drawText(QPointF(currentX_, y + fm.ascent()), line);
            y += fm.height();
        }
    }
    currentX_ = 0;
    currentY_ += textHeight(text);
    if (!shownText_.isEmpty() && !text.isEmpty())
        shownText_ += QLatin1Char('\n');
    shownText_ += text;
    contentChanged();
    update();
}

void StatusBox::setWordWrap(bool on, int maxLines)
{
    wordWrap_ = on;
    maxLines_ = std::max(1, maxLines);
}

namespace {

// The text broken at its blanks into lines of at most width (an address stays whole); a word
// wider than the box, or what is beyond maxLines, is elided.
QStringList wrapLines(const QString& text, const QFont& font, double width, int maxLines,
                      bool& elided)
{
    const QFontMetricsF fm(font);
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(longer) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty())
        lines << line;
    elided = lines.size() > maxLines;
    if (elided) {
        const QString rest = lines.mid(maxLines - 1).join(QLatin1Char(' '));
        lines = lines.mid(0, maxLines - 1);
        lines << rest;
    }
    for (QString& l : lines) {
        if (fm.horizontalAdvance(l) > width) {
            l = fm.elidedText(l, Qt::ElideRight, width);
            elided = true;
        }
    }
    return lines;
}

}  // namespace

void StatusBox::printWrapped(const QString& text)
{
    if (ownMinimumHeight_ < 0)
        ownMinimumHeight_ = minimumHeight();
    // Grown to hold the lines, only into the room its window has spare: the other controls
    // keep their sizes.
    const double lineHeight = QFontMetricsF(font()).height();
    constexpr double kPadding = 2;  // above and below the lines together
    double room = lineHeight * maxLines_ + kPadding;
    if (QWidget* owner = parentWidget(); owner && owner->layout()) {
        const QLayout* layout = owner->layout();
        const int wanted =
            (layout->hasHeightForWidth() ? layout->totalHeightForWidth(owner->width())
                                         : layout->totalSizeHint().height()) -
            (minimumHeight() - ownMinimumHeight_);
        room = std::min(room, ownMinimumHeight_ + double(std::max(0, owner->height() - wanted)));
    }
    lineLimit_ = std::max(1, static_cast<int>(std::floor((room - kPadding) / lineHeight)));
    bool elided = false;
    const QStringList lines = wrapLines(text, font(), innerWidth(), lineLimit_, elided);
    wrappedText_ = text;
    setToolTip(elided ? text : QString());
    setMinimumHeight(std::max(ownMinimumHeight_,
                              static_cast<int>(std::ceil(lineHeight * lines.size() + kPadding))));
    drawWrapped();
    if (!shownText_.isEmpty())
        shownText_ += QLatin1Char('\n');
    shownText_ += text;
    contentChanged();
}

void StatusBox::drawWrapped()
{
    fitCanvas();
    bool elided = false;
    const QStringList lines = wrapLines(wrappedText_, font(), innerWidth(), lineLimit_, elided);
    const QFontMetricsF fm(font());
    double y = (innerHeight() - fm.height() * lines.size()) / 2;
    {
        QPainter p(&canvas_);
        if (!progress_)  // a caption over a drawn bar leaves the bar
            p.fillRect(canvas_.rect(), back_);
        p.setFont(font());
        p.setPen(fore_);
        for (const QString& line : lines) {
            p.drawText(QPointF((innerWidth() - fm.horizontalAdvance(line)) / 2, y + fm.ascent()),
                       line);
            y += fm.height();
        }
    }
    currentX_ = 0;
    currentY_ = y;
    update();
}

void StatusBox::unwrap()
{
    if (wrappedText_.isEmpty())
        return;
    wrappedText_.clear();
    setToolTip(QString());
    if (ownMinimumHeight_ >= 0)
        setMinimumHeight(ownMinimumHeight_);
    ownMinimumHeight_ = -1;
}

void StatusBox::setProgressValue(double percent)
{
    progress_ = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
    contentChanged();
}

void StatusBox::contentChanged()
{
    if (announcePending_)
        return;
    announcePending_ = true;
    QTimer::singleShot(0, this, &StatusBox::announce);
}

void StatusBox::announce()
{
    announcePending_ = false;
    if (shownText_ != announcedText_) {
        announcedText_ = shownText_;
        if (accessibleName().isEmpty()) {
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (progress_ != announcedProgress_) {
        announcedProgress_ = progress_;
        if (progress_) {
            QAccessibleValueChangeEvent event(this, *progress_);
            QAccessible::updateAccessibility(&event);
        }
    }
}

QColor StatusBox::colorOf(std::uint32_t value) const { return colorFromNumber(value, palette()); }

void StatusBox::fillBox(double x1, double y1, double x2, double y2, const QColor& c)
{
    fitCanvas();
    {
        QPainter p(&canvas_);
        const QRectF r = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
        p.fillRect(r, c.isValid() ? c : fill_);
    }
    currentX_ = x2;
    currentY_ = y2;
    update();
}

void StatusBox::paintEvent(QPaintEvent*)
{
    fitCanvas();
    QPainter p(this);
    p.fillRect(rect(), back_);
    p.drawImage(0, 0, canvas_);
}

void StatusBox::resizeEvent(QResizeEvent* event)
{
    fitCanvas();
    // Wrapped lines follow the box as it grows for them.
    if (!wrappedText_.isEmpty() && !progress_)
        drawWrapped();
    QWidget::resizeEvent(event);
}

}  // namespace wexlo::platform

// The meta-object code in this unit, so that using the class links only what it needs.
#include "moc_StatusBox.cpp"
