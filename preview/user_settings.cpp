#include "preview/user_settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace user_settings {

namespace {

constexpr int kMinZoomPercentage = 10;
constexpr int kMaxZoomPercentage = 250;
// Beyond any screen: a value past it is damage, not a window.
constexpr int kLargestCoordinate = 100000;

// Opened by path rather than by organisation name, so that the folder is
// looked up at each use and a test can point it elsewhere at any moment.
std::unique_ptr<QSettings> Open()
{
    return std::make_unique<QSettings>(SettingsFile(), QSettings::IniFormat);
}

// A file that could not be parsed is read as if it held nothing.
bool Readable(const QSettings &settings)
{
    return settings.status() == QSettings::NoError;
}

std::optional<int> Integer(const QSettings &settings, const QString &key)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<bool> Boolean(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    const QString text = value.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

} // namespace

QString SettingsFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("VALDORA/VALDORA.conf"));
}

std::optional<PreviewPlace> ReadPreviewPlace()
{
    const auto settings = Open();
    if (!Readable(*settings))
        return std::nullopt;
    settings->beginGroup(QStringLiteral("Preview"));
    const auto x = Integer(*settings, QStringLiteral("X"));
    const auto y = Integer(*settings, QStringLiteral("Y"));
    const auto width = Integer(*settings, QStringLiteral("Width"));
    const auto height = Integer(*settings, QStringLiteral("Height"));
    const auto maximized = Boolean(*settings, QStringLiteral("Maximized"));
    const auto zoom = Integer(*settings, QStringLiteral("Zoom"));
    const auto percentage = Integer(*settings, QStringLiteral("ZoomPercentage"));
    if (!x || !y || !width || !height || !maximized || !zoom || !percentage)
        return std::nullopt;
    const auto withinReach = [](int value) { return value > -kLargestCoordinate && value < kLargestCoordinate; };
    if (!withinReach(*x) || !withinReach(*y) || *width <= 0 || *height <= 0 || *width >= kLargestCoordinate
        || *height >= kLargestCoordinate)
        return std::nullopt;
    if (*zoom < zsWholePage || *zoom > zsPercentage || *percentage < kMinZoomPercentage
        || *percentage > kMaxZoomPercentage)
        return std::nullopt;
    PreviewPlace place;
    place.frame = QRect(*x, *y, *width, *height);
    place.maximized = *maximized;
    place.zoom = static_cast<TppZoomSettingType>(*zoom);
    place.percentage = *percentage;
    return place;
}

void WritePreviewPlace(const PreviewPlace &place)
{
    const auto settings = Open();
    settings->beginGroup(QStringLiteral("Preview"));
    settings->setValue(QStringLiteral("X"), place.frame.x());
    settings->setValue(QStringLiteral("Y"), place.frame.y());
    settings->setValue(QStringLiteral("Width"), place.frame.width());
    settings->setValue(QStringLiteral("Height"), place.frame.height());
    settings->setValue(QStringLiteral("Maximized"), place.maximized);
    settings->setValue(QStringLiteral("Zoom"), int(place.zoom));
    settings->setValue(QStringLiteral("ZoomPercentage"), place.percentage);
}

PrintTarget ReadPrintTarget()
{
    const auto settings = Open();
    PrintTarget target;
    if (!Readable(*settings))
        return target;
    settings->beginGroup(QStringLiteral("Print"));
    const auto text = [&](const char *key) {
        const QVariant value = settings->value(QLatin1String(key));
        return value.typeId() == QMetaType::QString ? value.toString() : QString();
    };
    target.printer = text("Printer");
    target.toFile = Boolean(*settings, QStringLiteral("ToFile")).value_or(false);
    target.fileType = text("FileType");
    target.fileName = text("FileName");
    return target;
}

void WritePrintTarget(const PrintTarget &target)
{
    const auto settings = Open();
    settings->beginGroup(QStringLiteral("Print"));
    settings->setValue(QStringLiteral("Printer"), target.printer);
    settings->setValue(QStringLiteral("ToFile"), target.toFile);
    settings->setValue(QStringLiteral("FileType"), target.fileType);
    settings->setValue(QStringLiteral("FileName"), target.fileName);
}

} // namespace user_settings
