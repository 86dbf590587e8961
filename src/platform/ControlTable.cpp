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

}  // namespace wexlo::platform
