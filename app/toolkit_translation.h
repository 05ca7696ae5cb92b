#pragma once

class QCoreApplication;
class QLocale;

// The toolkit's own dialogs (the save dialog of printing to a file) in the
// language of the report windows: Spanish in a Spanish locale, otherwise as
// the toolkit ships them. Nothing happens where the translations are not
// installed.
void InstallToolkitTranslation(QCoreApplication &application, const QLocale &locale);
