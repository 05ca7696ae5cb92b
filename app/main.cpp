#include "app/application.h"
#include "app/command_line.h"
#include "app/toolkit_translation.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    // Any argument is the command line's: it computes without windows.
    if (argc > 1)
        return RunCommandLine(argc, argv);

    QApplication qtApplication(argc, argv);
    InstallToolkitTranslation(qtApplication, QLocale::system());
    Application application;
    application.showMainWindow();
    return qtApplication.exec();
}
