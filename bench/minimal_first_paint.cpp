// The yardstick of bench_first_paint: a minimal Qt Widgets program showing
// one window of the main screen's size and ending after its first paint.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class QuitAfterPaint : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MINIMAL"));
    window.resize(804, 585);
    QuitAfterPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return application.exec();
}
