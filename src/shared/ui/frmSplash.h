#pragma once

// The picture window shown while the main window starts: the artwork with the maker's notice,
// the version and a status line that the caller sets through lblstatus.
//
//     auto* splash = new frmSplash;
//     splash->show();
//     splash->lblstatus->setText(QStringLiteral("Starting up"));
//     ...
//     splash->hide(); delete splash;

#include <QWidget>

class QLabel;

namespace wexlo {

class frmSplash : public QWidget {
    Q_OBJECT

public:
    // Creating the window runs its load handler: it takes the artwork's size, sets its texts and
    // places itself in the centre of the screen.
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* Picture1 = nullptr;  // the artwork; holds the three labels
    QLabel* lblCopyright = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblstatus = nullptr;

private:
    void Form_Load();
};

}  // namespace wexlo
