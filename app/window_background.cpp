#include "app/window_background.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace {

// Paints the window's background before the window and its children draw.
class BackgroundPainter : public QObject {
public:
    BackgroundPainter(QWidget &window, const QLabel &place, QString resource)
        : QObject(&window)
        , m_place(&place)
        , m_resource(std::move(resource))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_place)
            paint(*static_cast<QWidget *>(watched));
        return false;
    }

private:
    void paint(QWidget &window)
    {
        // Loading goes through the pixmap cache: the screens share one decoding.
        if (m_picture.isNull())
            m_picture = QPixmap(m_resource);
        if (m_picture.isNull())
            return;
        const QPoint corner = m_place->pos();
        const QPoint offset(Wrapped(-corner.x(), m_picture.width()), Wrapped(-corner.y(), m_picture.height()));
        QPainter painter(&window);
        painter.drawTiledPixmap(window.rect(), m_picture, offset);
    }

    static int Wrapped(int value, int period) { return ((value % period) + period) % period; }

    QPointer<const QLabel> m_place;
    QString m_resource;
    QPixmap m_picture;
};

} // namespace

void PaintBackgroundEdgeToEdge(QWidget &window, const QLabel &place, const QString &resource)
{
    window.installEventFilter(new BackgroundPainter(window, place, resource));
}
