#include "output/printer_setup.h"

#include "output/printer_list.h"
#include "output/standard_papers.h"
#include "platform/user_locale.h"

namespace {

constexpr const char *kCustomPaper = "Custom";
constexpr std::int32_t kQuarterInch = 6350;

std::string CurrentAsDefault(const std::string &name)
{
    return name == "Current" ? std::string("Default") : name;
}

// A negative or not-a-number length is ignored by every setter.
bool IsAcceptableLength(float value)
{
    return value >= 0.0f;
}

std::int32_t ThousandthsToTenths(std::int32_t thousandths)
{
    return UnitsToTenthsMM(utMMThousandths, raHorizontal, nullptr, static_cast<float>(thousandths));
}

} // namespace

TppPrinterSetup::TppPrinterSetup(const TppPrinterSetupOwner *owner)
    : m_owner(owner)
    , m_printerInfo(TppPrinterList::Instance().Find(m_printerName))
{
    if (platform::DecimalSeparator() == '.') {
        m_pageDef.mmWidth = 215900;
        m_pageDef.mmHeight = 279401;
    } else {
        m_pageDef.mmWidth = 210000;
        m_pageDef.mmHeight = 297000;
    }
    m_pageDef.mmMarginLeft = m_pageDef.mmMarginRight = kQuarterInch;
    m_pageDef.mmMarginTop = m_pageDef.mmMarginBottom = kQuarterInch;
}

TppPrinterSetup::~TppPrinterSetup() = default;

void TppPrinterSetup::Assign(const TppPrinterSetup &source)
{
    if (&source == this)
        return;
    m_collation = source.m_collation;
    m_copies = source.m_copies;
    m_documentName = source.m_documentName;
    m_printerName = source.m_printerName;
    m_printerInfo = TppPrinterList::Instance().Find(m_printerName);
    m_duplex = source.m_duplex;
    m_orientation = source.m_orientation;
    m_pageDef = source.m_pageDef;
    m_paperName = source.m_paperName;
    m_binName = source.m_binName;
    m_units = source.m_units;
}

bool TppPrinterSetup::SameAs(const TppPrinterSetup &other) const
{
    return PrinterDescription() == other.PrinterDescription() && m_binName == other.m_binName
        && m_collation == other.m_collation && m_copies == other.m_copies
        && m_documentName == other.m_documentName && m_duplex == other.m_duplex
        && m_orientation == other.m_orientation && m_pageDef == other.m_pageDef;
}

bool TppPrinterSetup::SamePrinterAndOrientation(const TppPrinterSetup &other) const
{
    return PrinterDescription() == other.PrinterDescription() && m_orientation == other.m_orientation;
}

bool TppPrinterSetup::OwnerLoading() const
{
    return m_owner && m_owner->IsLoading();
}

bool TppPrinterSetup::OwnerReading() const
{
    return m_owner && m_owner->IsReading();
}

bool TppPrinterSetup::Active() const
{
    return m_notify && !OwnerLoading() && !OwnerReading();
}

void TppPrinterSetup::SettingsChanged()
{
    if (Active() && m_onSettingsChange)
        m_onSettingsChange(*this);
}

void TppPrinterSetup::GeometryChanged()
{
    if (Active() && m_onGeometryChange)
        m_onGeometryChange(*this);
}

bool TppPrinterSetup::ProposeGeometry(const TppPageDef &proposed)
{
    bool accept = true;
    if (m_geometryCheck)
        m_geometryCheck(*this, proposed, accept);
    return accept;
}

void TppPrinterSetup::SetBinName(const std::string &name)
{
    const std::string bin = CurrentAsDefault(name);
    if (bin == m_binName)
        return;
    m_binName = bin;
    SettingsChanged();
}

void TppPrinterSetup::SetCollation(bool collation)
{
    if (collation == m_collation)
        return;
    m_collation = collation;
    SettingsChanged();
}

void TppPrinterSetup::SetCopies(std::int32_t copies)
{
    if (copies < 1 || copies == m_copies)
        return;
    m_copies = copies;
    SettingsChanged();
}

void TppPrinterSetup::SetDocumentName(const std::string &name)
{
    if (name == m_documentName)
        return;
    m_documentName = name;
    SettingsChanged();
}

void TppPrinterSetup::SetDuplex(TppDuplexType duplex)
{
    if (duplex == m_duplex)
        return;
    m_duplex = duplex;
    SettingsChanged();
}

void TppPrinterSetup::SetOrientation(TPrinterOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    TppPageDef proposed = m_pageDef;
    std::swap(proposed.mmWidth, proposed.mmHeight);
    if (!ProposeGeometry(proposed))
        return;
    m_orientation = orientation;
    m_pageDef = proposed;
    GeometryChanged();
}

void TppPrinterSetup::SetUnits(TppUnitType units)
{
    if (units == m_units)
        return;
    m_units = units;
    if (!Active())
        return;
    float width = PaperWidth();
    float height = PaperHeight();
    const int index = PaperIndex(m_paperName);
    if (m_paperName != kCustomPaper && index >= 0) {
        const TppPrinterCapabilities &capabilities = m_printerInfo->Capabilities();
        std::int32_t widthTenths = capabilities.PaperWidths()[index];
        std::int32_t heightTenths = capabilities.PaperHeights()[index];
        if (m_orientation == poLandscape)
            std::swap(widthTenths, heightTenths);
        width = TenthsMMToUnits(widthTenths, m_units, raHorizontal, ResolutionPrinter());
        height = TenthsMMToUnits(heightTenths, m_units, raVertical, ResolutionPrinter());
    }
    m_pageDef.mmWidth = ToThousandths(width, raHorizontal);
    m_pageDef.mmHeight = ToThousandths(height, raVertical);
    GeometryChanged();
}

void TppPrinterSetup::SetPrinterName(const std::string &name)
{
    std::string printerName = CurrentAsDefault(name);
    if (printerName == m_printerName)
        return;
    const bool active = Active();
    const std::int16_t previousNumber = active ? PaperNumber() : 0;

    std::shared_ptr<const TppPrinterInfo> entry = TppPrinterList::Instance().Find(printerName);
    if (printerName != "Default")
        printerName = entry->Name();
    m_printerName = printerName;
    m_printerInfo = std::move(entry);
    if (!active)
        return;

    // Keep the paper: the same number on the new printer, else the same size.
    // Numbers above 256 are the drivers' own and mean nothing to another.
    int index = -1;
    if (previousNumber > 0 && previousNumber < kCustomPaperNumber)
        index = m_printerInfo->Capabilities().PaperIndexOfNumber(previousNumber);
    m_paperName = index >= 0 ? m_printerInfo->Capabilities().PaperNames()[index] : PaperNameBySize();
    SettingsChanged();
}

std::string TppPrinterSetup::PrinterDescription() const
{
    return m_printerName == "Default" ? TppPrinterList::Instance().DefaultPrinterName() : m_printerName;
}

int TppPrinterSetup::PaperIndex(const std::string &name) const
{
    return m_printerInfo ? m_printerInfo->Capabilities().PaperIndexOfName(name) : -1;
}

std::string TppPrinterSetup::PaperNameBySize() const
{
    if (!m_printerInfo)
        return kCustomPaper;
    std::int32_t width = ThousandthsToTenths(m_pageDef.mmWidth);
    std::int32_t height = ThousandthsToTenths(m_pageDef.mmHeight);
    if (m_orientation == poLandscape)
        std::swap(width, height);
    const TppPrinterCapabilities &capabilities = m_printerInfo->Capabilities();
    const int index = capabilities.PaperIndexOfSize(width, height);
    return index >= 0 ? capabilities.PaperNames()[index] : std::string(kCustomPaper);
}

void TppPrinterSetup::ResolvePendingPaperNumber()
{
    if (m_pendingPaperNumber == 0 || !m_printerInfo)
        return;
    const TppPrinterCapabilities &capabilities = m_printerInfo->Capabilities();
    const int index = capabilities.PaperIndexOfNumber(m_pendingPaperNumber);
    if (index >= 0)
        m_paperName = capabilities.PaperNames()[index];
    m_pendingPaperNumber = 0;
}

std::string TppPrinterSetup::PaperName()
{
    ResolvePendingPaperNumber();
    if (m_paperName == kCustomPaper)
        m_paperName = PaperNameBySize();
    return m_paperName;
}

void TppPrinterSetup::SetPaperName(const std::string &name)
{
    if (name == m_paperName)
        return;
    if (!Active() || name == kCustomPaper) {
        m_paperName = name;
        return;
    }
    const TPrinterOrientation previousOrientation = m_orientation;
    if (name.find("Envelope") != std::string::npos)
        m_orientation = poLandscape;

    TppPageDef proposed = m_pageDef;
    const int index = PaperIndex(name);
    if (index >= 0) {
        const TppPrinterCapabilities &capabilities = m_printerInfo->Capabilities();
        std::int32_t widthTenths = capabilities.PaperWidths()[index];
        std::int32_t heightTenths = capabilities.PaperHeights()[index];
        if (m_orientation == poLandscape)
            std::swap(widthTenths, heightTenths);
        proposed.mmWidth = ToThousandths(TenthsMMToUnits(widthTenths, m_units, raHorizontal, ResolutionPrinter()), raHorizontal);
        proposed.mmHeight = ToThousandths(TenthsMMToUnits(heightTenths, m_units, raVertical, ResolutionPrinter()), raVertical);
    } else if (m_orientation != previousOrientation) {
        std::swap(proposed.mmWidth, proposed.mmHeight);
    }
    if (!ProposeGeometry(proposed)) {
        // A refused paper leaves the sheet as it was, orientation included.
        m_orientation = previousOrientation;
        return;
    }
    m_paperName = name;
    m_pageDef = proposed;
    GeometryChanged();
}

std::int16_t TppPrinterSetup::PaperNumber()
{
    if (!m_printerInfo)
        return 0;
    ResolvePendingPaperNumber();
    const TppPrinterCapabilities &capabilities = m_printerInfo->Capabilities();
    int index = capabilities.PaperIndexOfName(m_paperName);
    if (index < 0)
        index = capabilities.PaperIndexOfName(PaperNameBySize());
    return index >= 0 ? capabilities.PaperNumbers()[index] : kCustomPaperNumber;
}

void TppPrinterSetup::SetPaperSize(std::int16_t number)
{
    m_pendingPaperNumber = number;
}

const TppResolutionSource *TppPrinterSetup::ResolutionPrinter() const
{
    return m_printerProvider ? m_printerProvider() : nullptr;
}

float TppPrinterSetup::ToUnits(std::int32_t thousandths, TppResolutionAxis axis) const
{
    return MMThousandthsToUnits(thousandths, m_units, axis, ResolutionPrinter());
}

std::int32_t TppPrinterSetup::ToThousandths(float value, TppResolutionAxis axis) const
{
    return UnitsToMMThousandths(value, m_units, axis, ResolutionPrinter());
}

void TppPrinterSetup::SetPageLength(std::int32_t TppPageDef::*field, std::int32_t value)
{
    if (value < 0 || m_pageDef.*field == value)
        return;
    if (!Active()) {
        m_pageDef.*field = value;
        return;
    }
    TppPageDef proposed = m_pageDef;
    proposed.*field = value;
    if (!ProposeGeometry(proposed))
        return;
    m_pageDef = proposed;
    if (field == &TppPageDef::mmWidth || field == &TppPageDef::mmHeight)
        m_paperName = PaperNameBySize();
    GeometryChanged();
}

void TppPrinterSetup::SetmmMarginBottom(std::int32_t value) { SetPageLength(&TppPageDef::mmMarginBottom, value); }
void TppPrinterSetup::SetmmMarginLeft(std::int32_t value) { SetPageLength(&TppPageDef::mmMarginLeft, value); }
void TppPrinterSetup::SetmmMarginRight(std::int32_t value) { SetPageLength(&TppPageDef::mmMarginRight, value); }
void TppPrinterSetup::SetmmMarginTop(std::int32_t value) { SetPageLength(&TppPageDef::mmMarginTop, value); }
void TppPrinterSetup::SetmmPaperHeight(std::int32_t value) { SetPageLength(&TppPageDef::mmHeight, value); }
void TppPrinterSetup::SetmmPaperWidth(std::int32_t value) { SetPageLength(&TppPageDef::mmWidth, value); }

float TppPrinterSetup::MarginBottom() const { return ToUnits(m_pageDef.mmMarginBottom, raVertical); }
float TppPrinterSetup::MarginLeft() const { return ToUnits(m_pageDef.mmMarginLeft, raHorizontal); }
float TppPrinterSetup::MarginRight() const { return ToUnits(m_pageDef.mmMarginRight, raHorizontal); }
float TppPrinterSetup::MarginTop() const { return ToUnits(m_pageDef.mmMarginTop, raVertical); }
float TppPrinterSetup::PaperHeight() const { return ToUnits(m_pageDef.mmHeight, raVertical); }
float TppPrinterSetup::PaperWidth() const { return ToUnits(m_pageDef.mmWidth, raHorizontal); }

void TppPrinterSetup::SetMarginBottom(float value)
{
    if (IsAcceptableLength(value))
        SetPageLength(&TppPageDef::mmMarginBottom, ToThousandths(value, raVertical));
}

void TppPrinterSetup::SetMarginLeft(float value)
{
    if (IsAcceptableLength(value))
        SetPageLength(&TppPageDef::mmMarginLeft, ToThousandths(value, raHorizontal));
}

void TppPrinterSetup::SetMarginRight(float value)
{
    if (IsAcceptableLength(value))
        SetPageLength(&TppPageDef::mmMarginRight, ToThousandths(value, raHorizontal));
}

void TppPrinterSetup::SetMarginTop(float value)
{
    if (IsAcceptableLength(value))
        SetPageLength(&TppPageDef::mmMarginTop, ToThousandths(value, raVertical));
}

void TppPrinterSetup::SetPaperHeight(float value)
{
    if (OwnerReading()) {
        m_pendingPaperHeight = value;
        return;
    }
    if (IsAcceptableLength(value))
        SetPageLength(&TppPageDef::mmHeight, ToThousandths(value, raVertical));
}

void TppPrinterSetup::SetPaperWidth(float value)
{
    if (OwnerReading()) {
        m_pendingPaperWidth = value;
        return;
    }
    if (IsAcceptableLength(value))
        SetPageLength(&TppPageDef::mmWidth, ToThousandths(value, raHorizontal));
}

void TppPrinterSetup::Loaded()
{
    if (m_pendingPaperWidth > 0)
        m_pageDef.mmWidth = ToThousandths(m_pendingPaperWidth, raHorizontal);
    if (m_pendingPaperHeight > 0)
        m_pageDef.mmHeight = ToThousandths(m_pendingPaperHeight, raVertical);
    m_pendingPaperWidth = 0;
    m_pendingPaperHeight = 0;
}

std::vector<std::string> TppPrinterSetup::BinNames() const
{
    return m_printerInfo ? m_printerInfo->Capabilities().BinNames() : std::vector<std::string>{};
}

std::vector<std::string> TppPrinterSetup::PaperNames() const
{
    return m_printerInfo ? m_printerInfo->Capabilities().PaperNames() : std::vector<std::string>{};
}

std::vector<std::string> TppPrinterSetup::PrinterNames()
{
    return TppPrinterList::Instance().Names();
}
