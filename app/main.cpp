#include "app/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication qtApplication(argc, argv);
    Application application;
    application.showMainWindow();
    return qtApplication.exec();
}
