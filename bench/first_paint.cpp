// Start-up to the main window's first paint, as main.cpp starts the program:
// the process ends as soon as that paint is done, so that a whole-process
// timer (or /usr/bin/time) measures the start-up alone. Compare with
// bench_minimal_first_paint, the same for a minimal Qt Widgets program.

#include "app/application.h"
#include "app/form1.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// Quits the event loop once the watched window has painted.
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
    QApplication qtApplication(argc, argv);
    Application application;
    application.showMainWindow();
    // Installed last, so asked first: the program's own work after the first
    // paint is not counted.
    QuitAfterPaint quit;
    application.form1().installEventFilter(&quit);
    return qtApplication.exec();
}
