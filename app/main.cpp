#include "app/application.h"
#include "app/toolkit_translation.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication qtApplication(argc, argv);
    InstallToolkitTranslation(qtApplication, QLocale::system());
    Application application;
    application.showMainWindow();
    return qtApplication.exec();
}
