#pragma once

#include "report/cacheable.h"
#include "report/print_height_type.h"
#include "report/units.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TppComponent;
class TppCustomReport;

// A horizontal strip of the page holding components. Lengths are thousandths
// of a millimetre; Height, BottomOffset and PrintPosition show them in the
// report's units. A band owns its components; a report owns its bands.
class TppBand : public TppCacheable {
public:
    using Event = std::function<void(TppBand &sender)>;

    ~TppBand() override;

    TppCustomReport *Report() const override { return m_report; }
    // Moves a band of one report into another (see TppCustomReport::AddBand);
    // null is ignored: TppCustomReport::RemoveBand takes a band out.
    void SetReport(TppCustomReport *report);
    std::vector<TppRelative *> Children() const override;

    // Placing a component: the band becomes its owner (see the .cpp for the
    // steps). Answers the component.
    TppComponent *AddObject(std::unique_ptr<TppComponent> component);
    // Hands a component of this band back; null when not ours.
    std::unique_ptr<TppComponent> RemoveObject(TppComponent *component);
    int ObjectCount() const { return int(m_objects.size()); }
    TppComponent *Objects(int index) const;

    // The band-type code stored with components placed in this band.
    virtual int BandTypeCode() const = 0;
    // The sort key within the report: the rank right-aligned in 8 characters,
    // followed by a second 8-character number for group bands.
    virtual std::string RankKey() const;
    virtual int Rank() const = 0;
    // Position in the report's band list; -1 without a report.
    int Index() const;
    // Group number of a group band; -1 otherwise.
    virtual int GroupNo() const { return -1; }

    std::int32_t mmHeight() const { return m_mmHeight; }
    // Refused (unchanged) when it would not fit; see the .cpp.
    void SetmmHeight(std::int32_t value);
    std::int32_t mmBottomOffset() const { return m_mmBottomOffset; }
    void SetmmBottomOffset(std::int32_t value);
    std::int32_t mmPrintPosition() const { return m_mmPrintPosition; }
    void SetmmPrintPosition(std::int32_t value);
    // Printable width of the page, or the column width of a detail band of a
    // report with columns; 0 without a report.
    std::int32_t mmWidth() const;

    float Height() const;
    void SetHeight(float value);
    float BottomOffset() const;
    void SetBottomOffset(float value);
    float PrintPosition() const;
    void SetPrintPosition(float value);

    TppPrintHeightType PrintHeight() const { return m_printHeight; }
    virtual void SetPrintHeight(TppPrintHeightType value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool Save() const { return m_save; }
    void SetSave(bool value) { m_save = value; }

    TppUnitType Units() const { return m_units; }
    void SetUnits(TppUnitType units);

    // Band generation state (set by the band generation).
    bool DrawPage() const { return m_drawPage; }
    void SetDrawPage(bool value) { m_drawPage = value; }
    bool LastBand() const { return m_lastBand; }
    void SetLastBand(bool value) { m_lastBand = value; }

    Event BeforeGenerate;
    Event AfterGenerate;
    Event BeforePrint;
    Event AfterPrint;

    // Re-applies ParentWidth and ParentHeight to the components.
    void ApplyParentSizes();

protected:
    TppBand();
    // Announces a layout change to the report, when there is one.
    void Changed();

private:
    friend class TppCustomReport;
    void SetReportLink(TppCustomReport *report);

    std::int32_t m_mmHeight;
    std::int32_t m_mmBottomOffset = 0;
    std::int32_t m_mmPrintPosition = 0;
    TppPrintHeightType m_printHeight = phStatic;
    bool m_visible = true;
    bool m_save = false;
    std::vector<std::unique_ptr<TppComponent>> m_objects;
    TppCustomReport *m_report = nullptr;
    TppUnitType m_units = utInches;
    bool m_drawPage = false;
    bool m_lastBand = false;
};

// A band with layout state used during generation.
class TppCustomBand : public TppBand { };

// A band with a fixed kind.
class TppBasicBand : public TppCustomBand { };
