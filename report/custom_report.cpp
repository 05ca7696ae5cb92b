#include "report/custom_report.h"

#include "report/band.h"
#include "report/band_kinds.h"
#include "report/component.h"
#include "report/engine.h"
#include "report/plain_text.h"
#include "report/print_error.h"
#include "report/state_cache.h"
#include "report/version_number.h"
#include "output/printer.h"
#include "output/publisher.h"
#include "platform/event_loop.h"

#include <algorithm>
#include <exception>

TppCustomReport::TppCustomReport()
    : m_stateCache(std::make_unique<TppStateCache>())
    , m_engine(std::make_unique<TppEngine>(this))
    , m_publisher(std::make_unique<TppPublisher>())
{
    StoreUserName("Report");
    PrinterSetup().SetDocumentName(UserName());
    m_publisher->OnPagesNeeded = [this](TppPublisher &publisher, const TppPageRequest &request) {
        PagesNeeded(publisher, request);
    };
    m_publisher->OnYield = [this] {
        if (m_enableProcessMessages)
            platform::ProcessPendingMessages();
    };
}

TppCustomReport::~TppCustomReport()
{
    // An open preview and a cancel dialog still held go with the report,
    // while the report is whole enough for their hooks.
    m_printFlow.reset();
    // Bands first: their components may still ask for their report.
    while (!m_bands.empty()) {
        m_bands.back()->SetReportLink(nullptr);
        m_bands.pop_back();
    }
}

void TppCustomReport::PagesNeeded(TppPublisher &publisher, const TppPageRequest &request)
{
    // A request that arrives while pages are being generated (window
    // messages handled between bands) leaves the running one alone.
    if (m_engine->Busy())
        return;
    if (OnPageRequest)
        OnPageRequest(publisher, request);
    SetPrinting(true);
    TppPage &page = *m_engine->Page();
    page.SetPrinterSetup(&PrinterSetup());
    page.SetReport(this);
    if (!page.PrinterSetup().SameAs(PrinterSetup())) {
        // Pages made for another sheet are of no use any more.
        m_publisher->ResetCache();
        m_engine->Reset();
    }
    // The setup may have been edited in place since the printer was made.
    if (m_printer && !m_measuredSetup->SameAs(PrinterSetup()))
        m_printer.reset();
    try {
        m_engine->GeneratePages(request);
    } catch (const EPrintError &) {
        AbandonGeneration();
        throw;
    } catch (const std::exception &error) {
        AbandonGeneration();
        throw EPrintError::CannotGenerate(error.what());
    } catch (...) {
        AbandonGeneration();
        throw EPrintError::CannotGenerate("Unknown error.");
    }
    SetPrinting(false);
    if (m_engine->Cancelled())
        m_engine->Reset();
}

void TppCustomReport::AbandonGeneration()
{
    m_engine->ClearBusy();
    m_engine->Reset();
    SetPrinting(false);
}

void TppCustomReport::PublishPage(TppPage &page)
{
    m_publisher->PublishPage(page);
}

void TppCustomReport::Cancel()
{
    m_cancelRequested = true;
    m_engine->Cancel();
}

TppPrintFlow *TppCustomReport::Flow()
{
    if (!m_printFlow)
        if (TppPrintFlowFactory factory = FindPrintFlow())
            m_printFlow = factory(*this);
    return m_printFlow.get();
}

void TppCustomReport::Print()
{
    if (TppPrintFlow *flow = Flow())
        flow->Print();
}

void TppCustomReport::SendPagesToDevices()
{
    if (TppPrintFlow *flow = Flow())
        flow->SendPagesToDevices();
}

TppCustomPreviewer *TppCustomReport::PreviewForm() const
{
    return m_printFlow ? m_printFlow->PreviewForm() : nullptr;
}

TppCustomPrintDialog *TppCustomReport::PrintDialog() const
{
    return m_printFlow ? m_printFlow->PrintDialog() : nullptr;
}

TppCustomCancelDialog *TppCustomReport::CancelDialog() const
{
    return m_printFlow ? m_printFlow->CancelDialog() : nullptr;
}

TppPrinterDevice *TppCustomReport::PrinterDevice() const
{
    return m_printFlow ? m_printFlow->PrinterDevice() : nullptr;
}

TppRequestPhase TppCustomReport::RequestPhase() const
{
    return m_printFlow ? m_printFlow->Phase() : TppRequestPhase::Idle;
}

platform::Canvas *TppCustomReport::MeasuringCanvas()
{
    if (!m_printer) {
        m_printer = std::make_unique<TppPrinter>();
        m_printer->SetPrinterSetup(PrinterSetup());
        m_measuredSetup = std::make_unique<TppPrinterSetup>();
        m_measuredSetup->Assign(PrinterSetup());
    }
    return TppPlainText::MeasuringCanvasOf(m_printer.get());
}

std::vector<TppRelative *> TppCustomReport::Children() const
{
    std::vector<TppRelative *> children;
    for (const auto &band : m_bands) {
        if (!dynamic_cast<const TppGroupBand *>(band.get()))
            children.push_back(band.get());
    }
    return children;
}

TppBand *TppCustomReport::AddBand(std::unique_ptr<TppBand> band)
{
    if (!band)
        return nullptr;
    TppBand *raw = band.get();
    m_bands.push_back(std::move(band));
    raw->SetReportLink(this);
    raw->SetUnits(m_units);
    m_modified = true;
    SortBands();
    Changed();
    return raw;
}

std::unique_ptr<TppBand> TppCustomReport::RemoveBand(TppBand *band)
{
    const auto it = std::find_if(m_bands.begin(), m_bands.end(),
                                 [band](const auto &owned) { return owned.get() == band; });
    if (it == m_bands.end())
        return nullptr;
    std::unique_ptr<TppBand> released = std::move(*it);
    m_bands.erase(it);
    released->SetReportLink(nullptr);
    SortBands();
    Changed();
    return released;
}

TppBand *TppCustomReport::Bands(int index) const
{
    if (index < 0 || index >= BandCount())
        return nullptr;
    return m_bands[std::size_t(index)].get();
}

void TppCustomReport::SortBands()
{
    // Keys compared as text, as they always have been: the rank is
    // right-aligned, so text order is numeric order.
    std::stable_sort(m_bands.begin(), m_bands.end(),
                     [](const auto &a, const auto &b) { return a->RankKey() < b->RankKey(); });
}

TppBand *TppCustomReport::GetBand(int bandType, int groupIndex) const
{
    for (const auto &band : m_bands) {
        if (band->BandTypeCode() != bandType)
            continue;
        if ((bandType == btGroupHeader || bandType == btGroupFooter) && band->GroupNo() != groupIndex)
            continue;
        return band.get();
    }
    return nullptr;
}

void TppCustomReport::CreateDefaultBands()
{
    if (m_bands.empty()) {
        AddBand(std::make_unique<TppHeaderBand>());
        if (m_columns >= 2)
            AddBand(std::make_unique<TppColumnHeaderBand>());
        AddBand(std::make_unique<TppDetailBand>());
        if (m_columns >= 2)
            AddBand(std::make_unique<TppColumnFooterBand>());
        AddBand(std::make_unique<TppFooterBand>());
        m_modified = true;
    } else if (!GetBand(btDetail)) {
        AddBand(std::make_unique<TppDetailBand>());
        m_modified = true;
    }
}

void TppCustomReport::SetUnits(TppUnitType units)
{
    m_units = units;
    for (const auto &band : m_bands)
        band->SetUnits(units);
    PrinterSetup().SetUnits(units);
}

void TppCustomReport::SetPrinterSetup(const TppPrinterSetup &setup)
{
    const TppPageDef before = PrinterSetup().PageDef();
    const TPrinterOrientation orientationBefore = PrinterSetup().Orientation();
    TppProducer::SetPrinterSetup(setup);
    // Text is measured on the printer of the new setup from now on; not in
    // the middle of a page, whose components may hold the old canvas.
    if (!Printing())
        m_printer.reset();
    if (IsReading())
        return;
    PrinterSetup().SetUnits(m_units);
    if (PrinterSetup().PageDef() == before && PrinterSetup().Orientation() == orientationBefore)
        return;
    for (const auto &band : m_bands)
        band->ApplyParentSizes();
    Changed();
}

void TppCustomReport::Changed()
{
    if (!Printing()) {
        m_jobStarted = false;
        m_cancelRequested = false;
    }
    if (!IsReading() && !Producing())
        m_engine->Reset();
}

bool TppCustomReport::UserNameTaken(const std::string &name, const TppCommunicator *except) const
{
    if (this != except && UserName() == name)
        return true;
    for (const auto &band : m_bands) {
        if (band.get() != except && band->UserName() == name)
            return true;
        for (int i = 0; i < band->ObjectCount(); ++i) {
            const TppComponent *component = band->Objects(i);
            if (component != except && component->UserName() == name)
                return true;
        }
    }
    return false;
}

std::string TppCustomReport::FreeUserName(const std::string &base) const
{
    for (int n = 1;; ++n) {
        std::string candidate = base + std::to_string(n);
        if (!UserNameTaken(candidate, nullptr))
            return candidate;
    }
}

std::int32_t TppCustomReport::PageNo() const { return m_engine->PageNo(); }
std::int32_t TppCustomReport::PageCount() const { return m_engine->PageCount(); }
std::int32_t TppCustomReport::AbsolutePageNo() const { return m_engine->AbsolutePageNo(); }
std::int32_t TppCustomReport::AbsolutePageCount() const { return m_engine->AbsolutePageCount(); }
bool TppCustomReport::FirstPass() const { return m_engine->FirstPass(); }
bool TppCustomReport::SecondPass() const { return m_engine->SecondPass(); }
bool TppCustomReport::DonePrinting() const { return m_engine->DonePrinting(); }
double TppCustomReport::PrintDateTime() const { return m_engine->PrintDateTime(); }

void TppCustomReport::SetColumns(std::int32_t value)
{
    m_columns = value < 1 ? 1 : value;
}

void TppCustomReport::SetmmColumnWidth(std::int32_t value)
{
    m_mmColumnWidth = value;
}

float TppCustomReport::ColumnWidth() const
{
    return MMThousandthsToUnits(m_mmColumnWidth, m_units, raHorizontal);
}

void TppCustomReport::SetColumnWidth(float value)
{
    if (IsReading())
        m_mmColumnWidth = static_cast<std::int32_t>(value);
    else
        m_mmColumnWidth = UnitsToMMThousandths(value, m_units, raHorizontal);
}

void TppCustomReport::BeginReading()
{
    SetReading(true);
}

void TppCustomReport::EndReading()
{
    SetReading(false);
}

void TppCustomReport::Loaded()
{
    PrinterSetup().Loaded();
    const int version = VersionNumber(m_version);
    if (version < VersionNumber(kCurrentDefinitionVersion))
        ConvertVersion(version);
    m_version = kCurrentDefinitionVersion;
}

void TppCustomReport::ConvertVersion(int) { }
