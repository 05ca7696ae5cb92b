#include "report/band.h"

#include "report/component.h"
#include "report/custom_report.h"

#include <algorithm>
#include <cstdio>

TppBand::TppBand() : m_mmHeight(13229) { }

TppBand::~TppBand()
{
    // Components are freed before the band's fields they may read.
    m_objects.clear();
}

std::vector<TppRelative *> TppBand::Children() const
{
    std::vector<TppRelative *> children;
    for (const auto &object : m_objects)
        children.push_back(object.get());
    return children;
}

// Placing a component in this band.
TppComponent *TppBand::AddObject(std::unique_ptr<TppComponent> component)
{
    if (!component)
        return nullptr;
    TppComponent *raw = component.get();
    m_objects.push_back(std::move(component));
    raw->m_band = this;
    raw->SetUnits(m_units);
    if (!IsReading() && !raw->IsReading()) {
        if (raw->Stretches() && m_printHeight == phStatic)
            SetPrintHeight(phDynamic);
        if (raw->UserName().empty() && m_report)
            raw->SetUserName(m_report->FreeUserName(std::string(raw->ClassName()).substr(3)));
        Changed();
    }
    raw->m_bandType = BandTypeCode();
    raw->m_groupNo = GroupNo();
    raw->ApplyParentSize();
    return raw;
}

std::unique_ptr<TppComponent> TppBand::RemoveObject(TppComponent *component)
{
    const auto it = std::find_if(m_objects.begin(), m_objects.end(),
                                 [component](const auto &owned) { return owned.get() == component; });
    if (it == m_objects.end())
        return nullptr;
    std::unique_ptr<TppComponent> released = std::move(*it);
    m_objects.erase(it);
    released->m_band = nullptr;
    Changed();
    return released;
}

TppComponent *TppBand::Objects(int index) const
{
    if (index < 0 || index >= ObjectCount())
        return nullptr;
    return m_objects[std::size_t(index)].get();
}

std::string TppBand::RankKey() const
{
    char key[16];
    std::snprintf(key, sizeof key, "%8d", Rank());
    return key;
}

int TppBand::Index() const
{
    if (!m_report)
        return -1;
    for (int i = 0; i < m_report->BandCount(); ++i) {
        if (m_report->Bands(i) == this)
            return i;
    }
    return -1;
}

void TppBand::SetReport(TppCustomReport *report)
{
    if (report == m_report || !m_report || !report)
        return;
    report->AddBand(m_report->RemoveBand(this));
}

void TppBand::SetReportLink(TppCustomReport *report)
{
    m_report = report;
    SetParentLink(report);
}

void TppBand::Changed()
{
    if (m_report)
        m_report->Changed();
}

void TppBand::SetmmHeight(std::int32_t value)
{
    if (IsReading()) {
        m_mmHeight = value;
        return;
    }
    const bool sizeAllowed = value > 0 || m_objects.empty() || !m_report;
    bool fits = !m_report || value == m_mmHeight || m_printHeight == phDynamic;
    if (!fits) {
        const std::int32_t printable = m_report->PrinterSetup().PageDef().PrintableHeight();
        fits = value <= printable || printable <= 0;
    }
    if (!sizeAllowed || !fits)
        return;
    m_mmHeight = std::max<std::int32_t>(value, 0);
    // Components that now reach below the band move up into it.
    for (const auto &object : m_objects) {
        if (object->mmTop() + object->mmHeight() > m_mmHeight)
            object->SetmmTop(std::max<std::int32_t>(m_mmHeight - object->mmHeight(), 0));
    }
    ApplyParentSizes();
    Changed();
}

void TppBand::SetmmBottomOffset(std::int32_t value)
{
    if (value == m_mmBottomOffset)
        return;
    m_mmBottomOffset = value;
    if (!IsReading())
        Changed();
}

void TppBand::SetmmPrintPosition(std::int32_t value)
{
    if (value == m_mmPrintPosition)
        return;
    m_mmPrintPosition = value;
    if (!IsReading())
        Changed();
}

std::int32_t TppBand::mmWidth() const
{
    if (!m_report)
        return 0;
    if (BandTypeCode() == 4 && m_report->Columns() > 1)
        return m_report->mmColumnWidth();
    return m_report->PrinterSetup().PageDef().PrintableWidth();
}

float TppBand::Height() const
{
    return MMThousandthsToUnits(m_mmHeight, m_units, raVertical);
}

void TppBand::SetHeight(float value)
{
    SetmmHeight(IsReading() ? static_cast<std::int32_t>(value)
                            : UnitsToMMThousandths(value, m_units, raVertical));
}

float TppBand::BottomOffset() const
{
    return MMThousandthsToUnits(m_mmBottomOffset, m_units, raVertical);
}

void TppBand::SetBottomOffset(float value)
{
    SetmmBottomOffset(IsReading() ? static_cast<std::int32_t>(value)
                                  : UnitsToMMThousandths(value, m_units, raVertical));
}

float TppBand::PrintPosition() const
{
    return MMThousandthsToUnits(m_mmPrintPosition, m_units, raVertical);
}

void TppBand::SetPrintPosition(float value)
{
    SetmmPrintPosition(IsReading() ? static_cast<std::int32_t>(value)
                                   : UnitsToMMThousandths(value, m_units, raVertical));
}

void TppBand::SetPrintHeight(TppPrintHeightType value)
{
    if (value == m_printHeight)
        return;
    m_printHeight = value;
    if (!IsReading())
        Changed();
}

void TppBand::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    if (!IsReading())
        Changed();
}

void TppBand::SetUnits(TppUnitType units)
{
    m_units = units;
    for (const auto &object : m_objects)
        object->SetUnits(units);
}

void TppBand::ApplyParentSizes()
{
    for (const auto &object : m_objects)
        object->ApplyParentSize();
}
