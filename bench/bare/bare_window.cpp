// The floor for start-up: a Qt Widgets main window and nothing else, linked only with Qt Widgets.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(480, 360);
    window.show();
    return QApplication::exec();
}
