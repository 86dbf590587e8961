#include "platform/ControlTable.h"

#include "platform/Platform.h"

#include <QAbstractButton>
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

void layOut(std::initializer_list<Control> table)
{
    QWidget* previous = nullptr;
    for (const Control& c : table) {
        QWidget* w = c.widget;
        w->setObjectName(QString::fromLatin1(c.name));
        if (c.caption != nullptr) {
            const QString caption = QString::fromUtf8(c.caption);
            if (auto* label = qobject_cast<QLabel*>(w))
                label->setText(caption);
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                button->setText(caption);
            else if (auto* frame = qobject_cast<QGroupBox*>(w))
                frame->setTitle(caption);
        }
        if (c.tip != nullptr)
            w->setToolTip(QString::fromUtf8(c.tip));
        if (c.readAs != nullptr)
            w->setAccessibleName(QString::fromUtf8(c.readAs));
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

}  // namespace wexlo::platform
