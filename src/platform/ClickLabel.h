#pragma once

// A label that reports a click of the left mouse button, as the desktop's labels do.

#include <QLabel>

namespace wexlo::platform {

class ClickLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace wexlo::platform
