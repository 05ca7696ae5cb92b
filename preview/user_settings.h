#pragma once

#include "output/screen_viewer.h"

#include <QRect>
#include <QString>

#include <optional>

// What the report windows keep between their showings and between runs: the
// preview's place and zoom, and the print dialog's target. Kept in the
// user's configuration folder ("VALDORA/VALDORA.conf"); a value that is
// missing or cannot be read gives the windows their stored defaults.
namespace user_settings {

struct PreviewPlace {
    QRect frame;            // the window's normal geometry, frame excluded
    bool maximized = false;
    TppZoomSettingType zoom = zsWholePage;
    int percentage = 100;
};

// None until a preview has been closed once.
std::optional<PreviewPlace> ReadPreviewPlace();
void WritePreviewPlace(const PreviewPlace &place);

struct PrintTarget {
    QString printer;        // empty: none kept
    bool toFile = false;
    QString fileType;       // the file device's type name
    QString fileName;
};

PrintTarget ReadPrintTarget();
void WritePrintTarget(const PrintTarget &target);

// The file the settings live in.
QString SettingsFile();

} // namespace user_settings
