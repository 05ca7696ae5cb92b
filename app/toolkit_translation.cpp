#include "app/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallToolkitTranslation(QCoreApplication &application, const QLocale &locale)
{
    // Only where the report windows speak Spanish too: one language a screen.
    if (locale.language() != QLocale::Spanish)
        return;
    auto *translator = new QTranslator(&application);
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(translator);
    else
        delete translator;
}
