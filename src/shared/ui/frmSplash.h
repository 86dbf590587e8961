#pragma once

// Stand-in until the splash window lands: a plain window with its status line.

#include <QWidget>

class QLabel;

namespace wexlo {

class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);
    QLabel* lblstatus = nullptr;
};

}  // namespace wexlo
