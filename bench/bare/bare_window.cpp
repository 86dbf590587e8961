// The floor for start-up: a Qt Widgets main window and nothing else, linked only with Qt Widgets.
// With --text it has a menu bar and one line of text, the floor for a window like ours: an empty
// window never starts the font machinery (fontconfig's configuration and cache, a font file),
// and a menu bar has Qt load every image format plugin for the style's icons.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <cstring>

int main(int argc, char** argv)
{
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    if (text) {
        window.menuBar()->addMenu(QStringLiteral("File"));
        window.setCentralWidget(new QLabel(QStringLiteral("Things lent")));
    }
    window.resize(480, 360);
    window.show();
    return QApplication::exec();
}
