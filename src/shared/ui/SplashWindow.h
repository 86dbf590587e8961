#pragma once

// The picture window shown while the main window starts: the artwork with the maker's notice,
// the version and a status line that the caller sets.
//
//     auto* splash = new SplashWindow;
//     splash->show();
//     splash->showStatus(QStringLiteral("Starting up"));
//     ...
//     splash->hide(); delete splash;

#include <QWidget>

class QLabel;

namespace wexlo {

class SplashWindow : public QWidget {
    Q_OBJECT

public:
    // Takes the artwork's size, sets its texts and places itself in the centre of the screen.
    explicit SplashWindow(QWidget* parent = nullptr);

    void showStatus(const QString& text);
    // The status line, for the tests' fixtures.
    QLabel* statusLabel() const { return statusLabel_; }

private:
    void loadArtwork();
    void placeTexts();
    void centreOnScreen();

    QLabel* artworkLabel_ = nullptr;  // holds the three labels
    QLabel* copyrightLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

}  // namespace wexlo
