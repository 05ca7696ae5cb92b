#include "app/picture_on_first_paint.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace {

class PictureOnFirstPaint : public QObject {
public:
    PictureOnFirstPaint(QLabel &label, QString resource)
        : QObject(&label)
        , m_resource(std::move(resource))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            auto *label = static_cast<QLabel *>(watched);
            label->removeEventFilter(this);
            // Before the label paints, so that this very paint shows it.
            label->setPixmap(QPixmap(m_resource));
            deleteLater();
        }
        return false;
    }

private:
    QString m_resource;
};

} // namespace

void ShowPictureOnFirstPaint(QLabel &label, const QString &resource)
{
    label.installEventFilter(new PictureOnFirstPaint(label, resource));
}
