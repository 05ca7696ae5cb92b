#include "output/printer_capabilities.h"

#include "output/standard_papers.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

constexpr std::int16_t kAutomaticBin = 7;
constexpr const char *kCustomPaperName = "Custom";

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

template<typename T>
int IndexOf(const std::vector<T> &list, const T &value)
{
    const auto found = std::find(list.begin(), list.end(), value);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

// A name for a paper number whose driver gave numbers but no names.
std::string NameForNumber(std::int16_t number, std::int32_t width, std::int32_t height)
{
    const TppStandardPaper standard = StandardPaper(number);
    if (standard.name != "Unknown")
        return standard.name;
    if (width > 0 && height > 0)
        return std::to_string(width / 10) + " x " + std::to_string(height / 10) + " mm";
    return "Unknown: " + std::to_string(number);
}

} // namespace

TppPrinterCapabilities::TppPrinterCapabilities(std::string printerName,
                                               const platform::SpoolerCapabilities &driver)
    : m_printerName(std::move(printerName))
    , m_paperNames(driver.paperNames)
    , m_paperNumbers(driver.paperNumbers)
    , m_paperWidths(driver.paperWidths)
    , m_paperHeights(driver.paperHeights)
    , m_binNames(driver.binNames)
    , m_binNumbers(driver.binNumbers)
    , m_defaultBin(driver.defaultBin)
{
    NormalisePapers();
    NormaliseBins();
}

TppPrinterCapabilities TppPrinterCapabilities::ForScreen()
{
    platform::SpoolerCapabilities fixed;
    fixed.paperNumbers = {kCustomPaperNumber, 1, 5, 8, 8, 9, 17, 39, 40, 19, 20, 21, 22, 23};
    fixed.binNames = {"Default"};
    fixed.binNumbers = {kAutomaticBin};
    return TppPrinterCapabilities("Screen", fixed);
}

void TppPrinterCapabilities::NormalisePapers()
{
    const std::size_t numberCount = m_paperNumbers.size();
    if (m_paperNames.size() > numberCount) {
        m_paperNames.resize(numberCount);
    } else if (m_paperNames.size() < numberCount) {
        m_paperNames.clear();
        for (std::size_t i = 0; i < numberCount; ++i) {
            const std::int32_t width = i < m_paperWidths.size() ? m_paperWidths[i] : 0;
            const std::int32_t height = i < m_paperHeights.size() ? m_paperHeights[i] : 0;
            m_paperNames.push_back(NameForNumber(m_paperNumbers[i], width, height));
        }
    }
    m_paperWidths.resize(m_paperNames.size(), 0);
    m_paperHeights.resize(m_paperNames.size(), 0);

    int custom = IndexOf(m_paperNumbers, kCustomPaperNumber);
    if (custom < 0) {
        const auto isCustomName = [](const std::string &name) {
            const std::string upper = UpperCase(name);
            return upper.find("CUSTOM") != std::string::npos || upper.find("USER") != std::string::npos;
        };
        const auto found = std::find_if(m_paperNames.begin(), m_paperNames.end(), isCustomName);
        if (found != m_paperNames.end())
            custom = static_cast<int>(found - m_paperNames.begin());
    }
    if (custom >= 0) {
        m_paperNames[custom] = kCustomPaperName;
        m_paperNumbers[custom] = kCustomPaperNumber;
    } else {
        m_paperNames.push_back(kCustomPaperName);
        m_paperNumbers.push_back(kCustomPaperNumber);
        m_paperWidths.push_back(0);
        m_paperHeights.push_back(0);
    }

    for (std::size_t i = 0; i < m_paperNames.size(); ++i) {
        if (m_paperWidths[i] > 0 && m_paperHeights[i] > 0)
            continue;
        const TppStandardPaper standard = StandardPaper(m_paperNumbers[i]);
        m_paperWidths[i] = standard.widthTenths;
        m_paperHeights[i] = standard.heightTenths;
    }

    for (std::size_t i = m_paperNames.size(); i-- > 0;) {
        if (m_paperNames[i] != kCustomPaperName && (m_paperWidths[i] <= 0 || m_paperHeights[i] <= 0))
            RemovePaper(i);
    }

    const std::size_t customIndex = static_cast<std::size_t>(IndexOf(m_paperNames, std::string(kCustomPaperName)));
    const std::string name = m_paperNames[customIndex];
    const std::int16_t number = m_paperNumbers[customIndex];
    const std::int32_t width = m_paperWidths[customIndex];
    const std::int32_t height = m_paperHeights[customIndex];
    RemovePaper(customIndex);
    m_paperNames.push_back(name);
    m_paperNumbers.push_back(number);
    m_paperWidths.push_back(width);
    m_paperHeights.push_back(height);
}

void TppPrinterCapabilities::RemovePaper(std::size_t index)
{
    m_paperNames.erase(m_paperNames.begin() + index);
    m_paperNumbers.erase(m_paperNumbers.begin() + index);
    m_paperWidths.erase(m_paperWidths.begin() + index);
    m_paperHeights.erase(m_paperHeights.begin() + index);
}

void TppPrinterCapabilities::NormaliseBins()
{
    const std::size_t count = std::min(m_binNames.size(), m_binNumbers.size());
    m_binNames.resize(count);
    m_binNumbers.resize(count);
    if (IndexOf(m_binNames, std::string("Default")) < 0) {
        m_binNames.insert(m_binNames.begin(), "Default");
        m_binNumbers.insert(m_binNumbers.begin(), kAutomaticBin);
    }
}

int TppPrinterCapabilities::PaperIndexOfName(const std::string &name) const
{
    return IndexOf(m_paperNames, name);
}

int TppPrinterCapabilities::PaperIndexOfNumber(std::int32_t number) const
{
    for (std::size_t i = 0; i < m_paperNumbers.size(); ++i) {
        if (m_paperNumbers[i] == number)
            return static_cast<int>(i);
    }
    return -1;
}

int TppPrinterCapabilities::PaperIndexOfSize(std::int32_t widthTenths, std::int32_t heightTenths) const
{
    for (std::size_t i = 0; i < m_paperNames.size(); ++i) {
        if (std::abs(m_paperWidths[i] - widthTenths) <= 10 && std::abs(m_paperHeights[i] - heightTenths) <= 10)
            return static_cast<int>(i);
    }
    return -1;
}

int TppPrinterCapabilities::BinIndexOfName(const std::string &name) const
{
    return IndexOf(m_binNames, name);
}

int TppPrinterCapabilities::BinIndexOfNumber(std::int32_t number) const
{
    for (std::size_t i = 0; i < m_binNumbers.size(); ++i) {
        if (m_binNumbers[i] == number)
            return static_cast<int>(i);
    }
    return -1;
}
