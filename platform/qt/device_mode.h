// The device settings both Qt print targets (queue and PDF file) read from and apply to a QPrinter.
#pragma once

#include "platform/print_document.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <cstdint>

class QPrinter;

namespace platform {

// The Windows paper number of a paper given only by its size.
inline constexpr std::int16_t kCustomPaper = 256;

// What a page layout says of the settings: orientation, the paper by
// `paperNumber` (kCustomPaper when it has none) and by its dimensions, and
// one copy (the engine makes copies itself).
DeviceMode ModeOfLayout(const QPageLayout &layout, std::int16_t paperNumber);

// The paper of the dimensions a mode gives, named `name`; invalid when the
// mode gives none.
QPageSize PaperOfDimensions(const DeviceMode &mode, const QString &name);

// The mode's orientation, when it is marked as set.
void ApplyOrientation(QPrinter &printer, const DeviceMode &mode);

} // namespace platform
