#include "app/modal.h"

#include <QDialog>
#include <QWidget>

int ShowModal(QDialog &dialog, QWidget &opener)
{
    const int result = dialog.exec();
    if (opener.isVisible())
        opener.activateWindow();
    return result;
}
