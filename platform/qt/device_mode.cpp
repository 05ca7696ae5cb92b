#include "platform/qt/device_mode.h"

#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

std::int32_t Tenths(qreal millimetres)
{
    return static_cast<std::int32_t>(std::lround(millimetres * 10));
}

} // namespace

DeviceMode ModeOfLayout(const QPageLayout &layout, std::int16_t paperNumber)
{
    DeviceMode mode;
    mode.orientationSet = true;
    mode.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    mode.paperSizeSet = true;
    mode.paperSize = paperNumber;
    // Portrait dimensions, whatever the orientation.
    const QSizeF millimetres = layout.pageSize().size(QPageSize::Millimeter);
    mode.paperDimensionsSet = true;
    mode.paperWidth = Tenths(std::min(millimetres.width(), millimetres.height()));
    mode.paperLength = Tenths(std::max(millimetres.width(), millimetres.height()));
    mode.copiesSet = true;
    mode.copies = 1;
    return mode;
}

QPageSize PaperOfDimensions(const DeviceMode &mode, const QString &name)
{
    if (!mode.paperDimensionsSet || mode.paperWidth <= 0 || mode.paperLength <= 0)
        return {};
    return QPageSize(QSizeF(mode.paperWidth / 10.0, mode.paperLength / 10.0), QPageSize::Millimeter, name,
                     QPageSize::ExactMatch);
}

void ApplyOrientation(QPrinter &printer, const DeviceMode &mode)
{
    if (mode.orientationSet)
        printer.setPageOrientation(mode.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace platform
