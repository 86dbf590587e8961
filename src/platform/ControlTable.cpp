#include "platform/ControlTable.h"

#include "platform/Platform.h"

#include <QWidget>

namespace wexlo::platform {

void placeInTabOrder(std::initializer_list<TwipsPlace> places)
{
    QWidget* previous = nullptr;
    for (const TwipsPlace& p : places) {
        p.widget->setGeometry(twips(p.left), twips(p.top), twips(p.width), twips(p.height));
        if (p.widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, p.widget);
        previous = p.widget;
    }
}

}  // namespace wexlo::platform
