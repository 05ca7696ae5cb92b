#pragma once

#include <string>

namespace platform {

// Whether a queue's driver hands a PDF to the printer as it is: its PPD
// passes application/vnd.cups-pdf on with no program ("-") and puts no job
// header before it. A document made for such a queue page by page, at its
// paper and in portrait, needs no rewriting by the print server's own PDF
// filter, and can be given to it as already filtered. False when unsure (no
// PPD, a server out of reach).
bool QueueTakesPdfAsIs(const std::string &queue);

// The document format that tells the server a PDF needs no more filtering.
inline constexpr const char *kFilteredPdfFormat = "application/vnd.cups-pdf";

} // namespace platform
