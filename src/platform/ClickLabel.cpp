#include "platform/ClickLabel.h"

#include <QMouseEvent>

namespace wexlo::platform {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

}  // namespace wexlo::platform
