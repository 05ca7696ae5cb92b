#include "app/after_first_paint.h"

#include "app/error_reporting.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget &widget, std::function<void()> work)
        : QObject(&widget)
        , m_work(std::move(work))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that this paint reaches the screen first.
            QTimer::singleShot(0, watched, Guarded(std::move(m_work)));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void RunAfterFirstPaint(QWidget &widget, std::function<void()> work)
{
    widget.installEventFilter(new AfterFirstPaint(widget, std::move(work)));
}
