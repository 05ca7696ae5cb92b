#pragma once

#include "platform/units.h"
#include "report/band_context.h"
#include "report/cacheable.h"
#include "report/print_height_type.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TppBandContext;
class TppComponent;
class TppCustomReport;
class TppDrawCommand;
class TppPage;

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

    // ---- Generation, driven by the engine --------------------------------
    //
    // Each page: the engine calls BeginPage on every band, then Generate on
    // the bands it visits (several times for a repeating band); it reads
    // OutOfSpace, Continuing, Done and HeightUsed after each call. At the end
    // of a page it saves every band's state and restores it before the next
    // page, or before a page generated again.

    // One call of the band on the engine's current page; the engine is the
    // report's (it implements TppBandContext). Throws EPrintError when the
    // band can never be placed (fixed position below the page bottom, a band
    // that fits no page).
    void Generate();
    void Generate(TppBandContext &context);

    // The band did not fit (the page ends; it is generated again on the
    // next page). A band that continues is out of space too.
    bool OutOfSpace() const { return m_outOfSpace; }
    // A stretching component overflowed: on the next page the band resumes
    // with it, the components that printed completely left out.
    bool Continuing() const { return m_continuing; }
    bool Done() const { return m_done; }
    // How far the last print moved the engine's print top (bottom offset
    // included).
    std::int32_t HeightUsed() const { return m_heightUsed; }
    // Prints during the current call.
    int PrintsInCall() const { return m_printsInCall; }
    // Prints since BeginPage.
    int PrintsOnPage() const { return m_printsOnPage; }

    // The band's rectangle on the page from its last placing.
    std::int32_t PrintLeft() const { return m_printLeft; }
    std::int32_t PrintTop() const { return m_printTop; }
    std::int32_t PrintWidth() const { return m_printWidth; }
    std::int32_t PrintBottom() const { return m_printBottom; }
    // The lowest position the band may use on this page.
    std::int32_t AvailableBottom() const { return m_availableBottom; }
    // How far a continuing band's components move up so that the overflowing
    // one resumes at the band's print top.
    std::int32_t OverFlowOffset() const { return m_overFlowOffset; }
    // The bottom reached so far in this pass: the static bottom, or the
    // print top + the height the components generated so far took.
    std::int32_t CurrentPrintBottom() const;
    // The engine while Generate runs; none otherwise.
    TppBandContext *GenerationContext() const { return m_context; }

    // Components create draw commands only when set (the output-page flag).
    bool DrawPage() const { return m_drawPage; }
    void SetDrawPage(bool value) { m_drawPage = value; }
    // Page set-up: DrawPage := drawPage, and the list of draw commands the
    // band added starts empty.
    void BeginPage(bool drawPage);
    // The draw commands this band added to the page since BeginPage, in page
    // order (for the removal of bands that skip the last page).
    const std::vector<TppDrawCommand *> &PageDrawCommands() const { return m_pageCommands; }
    // Removes and frees those commands from `page` (the page being filled).
    void RemovePageDrawCommands(TppPage &page);
    // Moves those commands down by `offset` (up when negative).
    void MovePageDrawCommands(std::int32_t offset);
    // The highest top of those commands; the largest length when there are none.
    std::int32_t PageDrawCommandsTop() const;

    bool LastBand() const { return m_lastBand; }
    void SetLastBand(bool value) { m_lastBand = value; }

    // Start of a report: the band's and its components' generation state is
    // cleared.
    void ResetGeneration();
    // Snapshot for the page state cache (a TppBandState holding the
    // components' states too), and its restoration.
    std::unique_ptr<TppGenerationState> SaveState() const override;
    void RestoreState(const TppGenerationState &state) override;

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

    // Kind-specific steps of a call (see the .cpp for the defaults).
    // Whether the band is skipped on this page without printing.
    virtual bool SkipsPage(const TppBandContext &context) const;
    // Called before BeforePrint in each pass (the page style decides its
    // visibility here).
    virtual void PreparePass(const TppBandContext &context);
    // Sets the print rectangle; may set out of space.
    virtual void Place(TppBandContext &context);
    // Called after the print top has advanced.
    virtual void Advanced(TppBandContext &context);
    // After a pass: the kind decides whether the call is over.
    virtual bool CallOver(TppBandContext &context, bool printedCompletely);
    // The band-kind bit the engine's state must hold for the band to print.
    virtual TppBandKind Kind() const;
    bool KindActive(const TppBandContext &context) const;
    // Visibility for this page, without announcing a change.
    void StoreVisible(bool value) { m_visible = value; }

    void SetOutOfSpace(bool value) { m_outOfSpace = value; }
    void SetPrintRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t bottom,
                      std::int32_t availableBottom);
    // The static height, or the height its components took.
    std::int32_t GeneratedHeight() const;

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

    void RunPass(TppBandContext &context);
    void GenerateComponents(TppBandContext &context);
    void CreateDrawCommands(TppBandContext &context);
    void CheckProgress(TppBandContext &context);

    TppBandContext *m_context = nullptr;
    bool m_outOfSpace = false;
    bool m_continuing = false;
    bool m_done = false;
    bool m_generatedInPass = false;
    bool m_positionDeferred = false;
    std::int32_t m_heightUsed = 0;
    int m_printsInCall = 0;
    int m_printsOnPage = 0;
    std::int32_t m_printLeft = 0;
    std::int32_t m_printTop = 0;
    std::int32_t m_printWidth = 0;
    std::int32_t m_printBottom = 0;
    std::int32_t m_availableBottom = 0;
    std::int32_t m_overFlowOffset = 0;
    std::int32_t m_dynamicHeight = 0;
    // Where the band last ran out of space; running out again at or above
    // it without having printed in between means it fits no page.
    std::int32_t m_lastOutOfSpaceTop = -1;
    std::vector<TppDrawCommand *> m_pageCommands;
};

// A band with layout state used during generation.
class TppCustomBand : public TppBand { };

// A band with a fixed kind.
class TppBasicBand : public TppCustomBand { };
