#include "platform/ControlTable.h"

#include "platform/Platform.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace wexlo::platform {

namespace {

double dpi() { return std::max(1, systemMetrics().logicalDpi()); }

}  // namespace

int twips(int twipsValue)
{
    return static_cast<int>(
        std::lround(static_cast<double>(twipsValue) * systemMetrics().logicalDpi() / 1440.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

int toTwips(int pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / dpi())); }

int pixelsCovering(int twipsValue)
{
    return static_cast<int>(std::ceil(twipsValue * dpi() / 1440.0));
}

void layOut(std::initializer_list<Control> table, const char* context)
{
    // The table's texts are marked with QT_TRANSLATE_NOOP under the window's context; without
    // one they are shown as written.
    auto text = [context](const char* source) {
        return context != nullptr ? QCoreApplication::translate(context, source)
                                  : QString::fromUtf8(source);
    };
    QWidget* previous = nullptr;
    for (const Control& c : table) {
        QWidget* w = c.widget;
        w->setObjectName(QString::fromLatin1(c.name));
        if (c.caption != nullptr) {
            const QString caption = text(c.caption);
            if (auto* label = qobject_cast<QLabel*>(w))
                label->setText(caption);
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                button->setText(caption);
            else if (auto* frame = qobject_cast<QGroupBox*>(w))
                frame->setTitle(caption);
        }
        if (c.tip != nullptr)
            w->setToolTip(text(c.tip));
        if (c.readAs != nullptr)
            w->setAccessibleName(text(c.readAs));
        if (c.buddy != nullptr)
            if (auto* label = qobject_cast<QLabel*>(w))
                label->setBuddy(c.buddy);
        const TwipsRect& r = c.at;
        if (r.left != 0 || r.top != 0 || r.width != 0 || r.height != 0)
            w->setGeometry(twipsRect(r.left, r.top, r.width, r.height));
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void makeRoomForTexts(std::initializer_list<QWidget*> controls)
{
    constexpr int kGap = 2;
    for (QWidget* w : controls) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (label == nullptr && button == nullptr)
            continue;
        // The text as drawn: "&&" is an ampersand, a single "&" marks the key letter.
        QString text = label != nullptr ? label->text() : button->text();
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        const int frame = button != nullptr ? 10 : 1;  // a button's bevel and margins
        const int need = w->fontMetrics().horizontalAdvance(text) + frame - w->width();
        if (need <= 0)
            continue;
        const QRect at = w->geometry();
        int leftLimit = kGap;
        if (QWidget* parent = w->parentWidget())
            for (QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect o = other->geometry();
                if (other != w && o.top() <= at.bottom() && o.bottom() >= at.top() &&
                    o.right() < at.left())
                    leftLimit = std::max(leftLimit, o.right() + 1 + kGap);
            }
        const int left = std::max(std::min(leftLimit, at.left()), at.left() - need);
        const int rest = need - (at.left() - left);
        QWidget* buddy = label != nullptr ? label->buddy() : nullptr;
        const int taken = buddy != nullptr && rest > 0 ? rest : 0;
        w->setGeometry(left, at.top(), at.right() + 1 - left + taken, at.height());
        if (taken > 0) {
            const QRect b = buddy->geometry();
            buddy->setGeometry(b.left() + taken, b.top(), b.width() - taken, b.height());
        }
    }
}

}  // namespace wexlo::platform
