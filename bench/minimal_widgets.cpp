// The yardstick for the program's start-up: the least a Qt Widgets program
// does to show one window of the main screen's size, with a line of text and
// a button (the fonts are a cost every program that shows text pays), and
// end when it closes.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MINIMAL"));
    window.resize(804, 585);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Muestreo aleatorio simple para proporciones")));
    layout->addWidget(new QPushButton(QStringLiteral("Continuar")));
    window.show();
    return application.exec();
}
