// The yardstick for the program's start-up: the least a Qt Widgets program
// does to show one window of the main screen's size and end when it closes.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MINIMAL"));
    window.resize(804, 585);
    window.show();
    return application.exec();
}
