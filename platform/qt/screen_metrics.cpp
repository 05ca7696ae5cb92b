#include "platform/screen_metrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {

constexpr int kFallbackPixelsPerInch = 96;

int ReadPrimaryScreenPixelsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int ppi = screen ? qRound(screen->logicalDotsPerInchY()) : 0;
    return ppi > 0 ? ppi : kFallbackPixelsPerInch;
}

} // namespace

int ScreenPixelsPerInch()
{
    // Without a GUI application there is no screen to ask yet; answer the
    // fallback without fixing it, so that the real value is read once one exists.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return kFallbackPixelsPerInch;
    static const int pixelsPerInch = ReadPrimaryScreenPixelsPerInch();
    return pixelsPerInch;
}

} // namespace platform
