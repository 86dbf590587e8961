#include "platform/ClickLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace wexlo::platform {

namespace {

// What a screen reader gets: the label's text as its name (the value it shows, never a fixed
// caption), the caption that names it through its buddy relation, and a press action.
class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    ClickLabel* label() const { return static_cast<ClickLabel*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty() &&
            !label()->text().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        names.prepend(pressAction());
        return names;
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction())
            return {QStringLiteral("Return"), QStringLiteral("Space"), QStringLiteral("F4")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (label()->isEnabled())
            Q_EMIT label()->clicked();
    }
};

QAccessibleInterface* clickLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(ClickLabel::staticMetaObject.className()) &&
        object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel*>(object));
    return nullptr;
}

}  // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    static const bool installed = (QAccessible::installFactory(clickLabelFactory), true);
    Q_UNUSED(installed)
    // Reached by Tab; a click opens what it opens without moving the focus, as before.
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_F4:
            if (plain && !event->isAutoRepeat()) {
                event->accept();
                Q_EMIT clicked();
                return;
            }
            break;
        default:
            break;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The frame a focused text box shows, inside the label's own border.
    QPainter p(this);
    QPen pen(palette().color(QPalette::Highlight));
    pen.setWidth(2);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const int inset = frameWidth() + 1;
    p.drawRect(rect().adjusted(inset, inset, -inset, -inset));
}

}  // namespace wexlo::platform
