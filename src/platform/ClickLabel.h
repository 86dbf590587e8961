#pragma once

// A label that reports a click of the left mouse button, as the desktop's labels do. Tab also
// gives it the keyboard focus; it then shows a focus frame and reports Enter, Space and F4 (the
// key that opens a drop-down) as a click, so that what it opens is reachable without a mouse.
// A screen reader reads its text as its name and can press it.

#include <QLabel>

namespace wexlo::platform {

class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace wexlo::platform
