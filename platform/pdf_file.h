#pragma once

#include "platform/print_document.h"

#include <memory>
#include <string>

namespace platform {

// Pixels per inch of the pages of a PDF file, as a PDF printer queue makes
// them: the same pages drawn for both come out the same.
inline constexpr int kPdfFileResolution = 600;

// A PDF file as the target of a print document: a printer without
// unprintable margins whose paper is the one asked for (by Windows paper
// number, or by size). The file appears under its name only when the
// document ends well: it is written next to it under a temporary name and
// renamed over it at the end, so that a document abandoned or failing leaves
// nothing behind, and an earlier file of that name stays whole until then.
// Failures are PrintErrors whose text is the reason alone.
std::unique_ptr<PrinterDevice> OpenPdfFile(const std::string &fileName);

} // namespace platform
