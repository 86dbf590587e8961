#pragma once

// Stand-in until the About window lands.

#include <QDialog>

namespace wexlo {

class fSHAREDAbout : public QDialog {
    Q_OBJECT

public:
    explicit fSHAREDAbout(QWidget* mainWindow);
};

}  // namespace wexlo
