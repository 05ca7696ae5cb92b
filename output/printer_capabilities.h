#pragma once

#include "platform/print_spooler.h"

#include <cstdint>
#include <string>
#include <vector>

// A printer's papers and bins, normalised so that the paper lists and the bin
// lists are each of equal length, every paper has a size, "Custom" (number
// 256) is present and last, and a "Default" bin exists. Sizes are portrait, in
// tenths of a millimetre; numbers are the Windows paper and bin numbers.
class TppPrinterCapabilities
{
public:
    TppPrinterCapabilities() = default;
    TppPrinterCapabilities(std::string printerName, const platform::SpoolerCapabilities &driver);

    // The fixed capabilities of the "Screen" pseudo-printer.
    static TppPrinterCapabilities ForScreen();

    const std::string &PrinterName() const { return m_printerName; }
    const std::vector<std::string> &PaperNames() const { return m_paperNames; }
    const std::vector<std::int16_t> &PaperNumbers() const { return m_paperNumbers; }
    const std::vector<std::int32_t> &PaperWidths() const { return m_paperWidths; }
    const std::vector<std::int32_t> &PaperHeights() const { return m_paperHeights; }
    const std::vector<std::string> &BinNames() const { return m_binNames; }
    const std::vector<std::int16_t> &BinNumbers() const { return m_binNumbers; }
    // The bin the driver uses when none is chosen.
    std::int16_t DefaultBin() const { return m_defaultBin; }

    // Positions in the paper lists, or -1.
    int PaperIndexOfName(const std::string &name) const;
    int PaperIndexOfNumber(std::int32_t number) const;
    // The first paper within 1 mm (10 tenths) of the size, or -1.
    int PaperIndexOfSize(std::int32_t widthTenths, std::int32_t heightTenths) const;
    int BinIndexOfName(const std::string &name) const;
    int BinIndexOfNumber(std::int32_t number) const;

private:
    void NormalisePapers();
    void RemovePaper(std::size_t index);
    void NormaliseBins();

    std::string m_printerName;
    std::vector<std::string> m_paperNames;
    std::vector<std::int16_t> m_paperNumbers;
    std::vector<std::int32_t> m_paperWidths;
    std::vector<std::int32_t> m_paperHeights;
    std::vector<std::string> m_binNames;
    std::vector<std::int16_t> m_binNumbers;
    std::int16_t m_defaultBin = 7;
};
