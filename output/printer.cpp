#include "output/printer.h"

#include "assets/library_texts.h"
#include "output/flag_scope.h"
#include "output/printer_list.h"
#include "output/standard_papers.h"
#include "platform/print_spooler.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr const char *kScreenPrinterMessage = "Screen printer does not support printing.";
// Beyond any printer's resolution: a queue stating more states nonsense.
constexpr int kMostPixelsPerInch = 9600;

std::string NotAvailableMessage(const std::string &printer)
{
    if (platform::SpoolerAvailability() == platform::QueueAvailability::ServerUnreachable)
        return FormatLibraryText(ltPrintServerUnreachable, {printer});
    return "The printer \"" + printer + "\" is not available.";
}

// "Screen" chosen by name cannot print; "Default" stands for "Screen" only
// when the print server has no default queue to give, which is what the
// user needs to hear.
std::string ScreenPrinterMessage(bool defaultChosen)
{
    if (!defaultChosen)
        return kScreenPrinterMessage;
    switch (platform::SpoolerAvailability()) {
    case platform::QueueAvailability::ServerUnreachable:
        return LibraryText(ltDefaultPrinterUnreachable);
    case platform::QueueAvailability::Missing:
        return LibraryText(ltNoPrinters);
    case platform::QueueAvailability::Available:
        break;
    }
    return LibraryText(ltNoDefaultPrinter);
}

// What a queue states that makes no sense is treated as not stated: no
// resolution (the screen's is used), and the whole paper as printable area.
void DropNonsense(platform::PrinterMetrics &m)
{
    if (m.resolutionX <= 0 || m.resolutionX > kMostPixelsPerInch)
        m.resolutionX = 0;
    if (m.resolutionY <= 0 || m.resolutionY > kMostPixelsPerInch)
        m.resolutionY = 0;
    m.physicalWidth = std::max(m.physicalWidth, 0);
    m.physicalHeight = std::max(m.physicalHeight, 0);
    const bool areaInsidePaper = m.offsetLeft >= 0 && m.offsetTop >= 0 && m.printableWidth > 0
        && m.printableHeight > 0 && std::int64_t(m.offsetLeft) + m.printableWidth <= m.physicalWidth
        && std::int64_t(m.offsetTop) + m.printableHeight <= m.physicalHeight;
    if (!areaInsidePaper) {
        m.offsetLeft = m.offsetTop = 0;
        m.printableWidth = m.physicalWidth;
        m.printableHeight = m.physicalHeight;
    }
}

std::int32_t ToTenths(std::int32_t thousandths)
{
    return UnitsToTenthsMM(utMMThousandths, raHorizontal, nullptr, static_cast<float>(thousandths));
}

// Turns the notification switch of a setup off for a scope.
class SilentSetup
{
public:
    explicit SilentSetup(TppPrinterSetup &setup)
        : m_setup(setup)
        , m_notify(setup.Notify())
    {
        m_setup.SetNotify(false);
    }
    ~SilentSetup() { m_setup.SetNotify(m_notify); }
    SilentSetup(const SilentSetup &) = delete;
    SilentSetup &operator=(const SilentSetup &) = delete;

private:
    TppPrinterSetup &m_setup;
    bool m_notify;
};

} // namespace

TppPrinter::TppPrinter()
    : m_printerInfo(TppPrinterList::Instance().Find(m_printerName))
    , m_printerSetup(std::make_unique<TppPrinterSetup>())
{
    m_printerSetup->SetOnSettingsChange([this](TppPrinterSetup &) { SetupChanged(); });
    m_printerSetup->SetOnGeometryChange([this](TppPrinterSetup &) { SetupChanged(); });
    m_printerSetup->SetPrinterProvider([this]() -> const TppResolutionSource * { return this; });
}

TppPrinter::~TppPrinter()
{
    if (m_documentOpen)
        AbortDoc();
}

void TppPrinter::SetPrinterName(const std::string &name)
{
    if (m_documentOpen)
        return;
    TppPrinterList &list = TppPrinterList::Instance();
    m_defaultChosen = name == "Default";
    if (name == "Default")
        list.RefreshDefaultPrinterName();
    m_unavailablePrinter.clear();
    std::shared_ptr<const TppPrinterInfo> entry = list.Find(name);
    if (entry == m_printerInfo)
        return;
    ReleaseDevice();
    m_printerInfo = std::move(entry);
    m_printerName = m_printerInfo->Name();
}

std::string TppPrinter::PrinterDisplayName() const
{
    return m_printerName == "Default" ? TppPrinterList::Instance().DefaultPrinterName() : m_printerName;
}

void TppPrinter::ReleaseDevice()
{
    m_canvas.reset();
    m_screenCanvas.reset();
    if (!m_documentTarget)
        m_device.reset();
    m_screenContext = false;
    m_hasDeviceMode = false;
    m_deviceModePending = false;
    m_deviceMode = {};
    m_metrics = {};
}

TppPrinterCanvas *TppPrinter::Canvas()
{
    if (!DeviceContext())
        return nullptr;
    if (!m_canvas) {
        if (m_device) {
            m_canvas = std::make_unique<TppPrinterCanvas>(m_device->DrawingCanvas(), !m_metrics.isColor);
        } else {
            m_screenCanvas = platform::CreateScreenBitmapCanvas();
            m_canvas = std::make_unique<TppPrinterCanvas>(*m_screenCanvas, false);
        }
    }
    return m_canvas.get();
}

bool TppPrinter::HasDeviceContext() const
{
    return m_device != nullptr || m_screenContext;
}

bool TppPrinter::DeviceContext()
{
    return HasDeviceContext() || CreateDeviceContext();
}

bool TppPrinter::CreateDeviceContext()
{
    if (m_documentTarget)
        return OpenDocumentTarget();
    const std::shared_ptr<const TppPrinterInfo> entry = TppPrinterList::Instance().Find(m_printerName);
    if (!entry || !entry->Valid())
        return false;
    if (entry->IsScreen()) {
        if (m_documentOpen)
            throw EPrinterError(kScreenPrinterMessage);
        m_screenContext = true;
        ReadScreenValues();
        return true;
    }
    m_device = platform::OpenPrinterDevice(entry->Device());
    if (!m_device) {
        entry->MarkInvalid();
        if (!m_documentOpen && m_printerName != "Screen") {
            // Measuring goes on on the screen; printing says what happened.
            const std::string chosen = PrinterDisplayName();
            SetPrinterName("Screen");
            m_unavailablePrinter = chosen;
            return CreateDeviceContext();
        }
        return false;
    }
    TakeDeviceMode();
    return true;
}

bool TppPrinter::OpenDocumentTarget()
{
    if (!m_device)
        return false;
    TakeDeviceMode();
    return true;
}

void TppPrinter::SetDocumentTarget(std::unique_ptr<platform::PrinterDevice> target)
{
    if (m_documentOpen)
        return;
    m_documentTarget = false;
    ReleaseDevice();
    m_device = std::move(target);
    m_documentTarget = m_device != nullptr;
    m_unavailablePrinter.clear();
    if (m_documentTarget)
        ApplySetup();
}

// A mode kept from before is applied to a new device; a first device gives its own.
void TppPrinter::TakeDeviceMode()
{
    if (m_hasDeviceMode) {
        m_device->ApplyMode(m_deviceMode);
    } else {
        m_deviceMode = m_device->CurrentMode();
        m_defaultBin = m_deviceMode.defaultSource;
        m_hasDeviceMode = true;
    }
    ReadDeviceValues();
}

void TppPrinter::ReadDeviceValues()
{
    if (m_device) {
        m_metrics = m_device->Metrics();
        DropNonsense(m_metrics);
    } else if (m_screenContext)
        ReadScreenValues();
}

void TppPrinter::ReadScreenValues()
{
    // The screen's own context: its resolution, the sheet as its size, no
    // unprintable margins.
    const int pixelsPerInch = ScreenPixelsPerInch();
    const TppPageDef &page = m_printerSetup->PageDef();
    m_metrics = {};
    m_metrics.resolutionX = m_metrics.resolutionY = pixelsPerInch;
    m_metrics.physicalWidth = m_metrics.printableWidth = page.spPaperWidth();
    m_metrics.physicalHeight = m_metrics.printableHeight = page.spPaperHeight();
}

int TppPrinter::ResolutionX() const
{
    return HasDeviceContext() && m_metrics.resolutionX > 0 ? m_metrics.resolutionX : ScreenPixelsPerInch();
}

int TppPrinter::ResolutionY() const
{
    return HasDeviceContext() && m_metrics.resolutionY > 0 ? m_metrics.resolutionY : ScreenPixelsPerInch();
}

int TppPrinter::PhysicalWidth()
{
    return DeviceContext() ? m_metrics.physicalWidth : 0;
}

int TppPrinter::PhysicalHeight()
{
    return DeviceContext() ? m_metrics.physicalHeight : 0;
}

int TppPrinter::PrintableAreaWidth()
{
    return DeviceContext() ? m_metrics.printableWidth : 0;
}

int TppPrinter::PrintableAreaHeight()
{
    return DeviceContext() ? m_metrics.printableHeight : 0;
}

TppPrintableOffsets TppPrinter::PrintableOffsets()
{
    if (!DeviceContext())
        return {};
    const platform::PrinterMetrics &m = m_metrics;
    return {m.offsetLeft, m.offsetTop, m.physicalWidth - m.offsetLeft - m.printableWidth,
            m.physicalHeight - m.offsetTop - m.printableHeight};
}

bool TppPrinter::IsColor()
{
    return DeviceContext() ? m_metrics.isColor : true;
}

const platform::DeviceMode &TppPrinter::DeviceMode()
{
    if (!m_hasDeviceMode && !m_screenContext)
        DeviceContext();
    return m_deviceMode;
}

std::int16_t TppPrinter::DefaultBin()
{
    DeviceMode();
    return m_defaultBin;
}

void TppPrinter::BeginDoc()
{
    if (m_documentOpen)
        return;
    m_documentOpen = true;
    m_startedPages = 0;
    m_pageStarted = false;
    try {
        // A chosen printer that could not be opened left "Screen" in its place.
        if (!m_unavailablePrinter.empty() && !m_documentTarget)
            throw EPrinterError(NotAvailableMessage(m_unavailablePrinter));
        if (!m_documentTarget && (m_screenContext || (m_printerInfo && m_printerInfo->IsScreen())))
            throw EPrinterError(ScreenPrinterMessage(m_defaultChosen));
        if (!DeviceContext() || !m_device)
            throw EPrinterError(NotAvailableMessage(PrinterDisplayName()));
        const bool modeChanged = m_deviceModePending;
        m_device->ApplyMode(m_deviceMode);
        m_deviceModePending = false;
        m_device->BeginDocument(m_documentTitle);
        // The metrics were read with the setup; only a change since asks again.
        if (modeChanged)
            ReadDeviceValues();
    } catch (const platform::PrintError &error) {
        m_documentOpen = false;
        throw EPrinterError(error.what());
    } catch (...) {
        // A document that could not start is not open.
        m_documentOpen = false;
        throw;
    }
}

void TppPrinter::NewPage()
{
    if (!m_documentOpen || m_pageStarted)
        return;
    m_pageStarted = true;
    const bool modeChanged = m_deviceModePending;
    if (m_deviceModePending) {
        m_device->ApplyMode(m_deviceMode);
        m_deviceModePending = false;
    }
    try {
        m_device->StartPage();
    } catch (const platform::PrintError &error) {
        m_pageStarted = false;
        throw EPrinterError(error.what());
    }
    ++m_startedPages;
    // Once per setup, not per page: a setup changed during the document
    // takes effect from this page.
    if (modeChanged)
        ReadDeviceValues();
}

void TppPrinter::EndPage()
{
    if (!m_pageStarted)
        return;
    m_pageStarted = false;
    m_device->EndPage();
}

void TppPrinter::EndDoc()
{
    if (!m_documentOpen)
        return;
    EndPage();
    m_documentOpen = false;
    m_pageStarted = false;
    m_startedPages = 0;
    try {
        m_device->EndDocument();
    } catch (const platform::PrintError &error) {
        throw EPrinterError(error.what());
    }
}

void TppPrinter::AbortDoc()
{
    if (!m_documentOpen)
        return;
    m_documentOpen = false;
    m_pageStarted = false;
    m_startedPages = 0;
    if (m_device)
        m_device->AbortDocument();
}

platform::Withdrawal TppPrinter::WithdrawDoc()
{
    if (!m_device)
        return platform::Withdrawal::NothingHandedOver;
    try {
        return m_device->WithdrawDocument();
    } catch (const platform::PrintError &error) {
        throw EPrinterError(error.what());
    }
}

void TppPrinter::WhenJobFollowed(platform::JobFollowed followed)
{
    if (m_device)
        m_device->WhenJobFollowed(std::move(followed));
    else
        followed({});
}

void TppPrinter::SetupChanged()
{
    if (!m_applyingSetup)
        ApplySetup();
}

void TppPrinter::SetPrinterSetup(const TppPrinterSetup &setup)
{
    if (m_printerInfo && m_printerInfo->Name() == setup.PrinterDescription() && m_printerSetup->SameAs(setup))
        return;
    SetPrinterName(setup.PrinterName());
    {
        SilentSetup silent(*m_printerSetup);
        m_printerSetup->Assign(setup);
    }
    ApplySetup();
}

void TppPrinter::ApplySetup()
{
    TppPrinterSetup &setup = *m_printerSetup;
    const FlagScope applying(m_applyingSetup);
    const SilentSetup silent(setup);
    SetPrinterName(setup.PrinterName());
    m_documentTitle = setup.DocumentName();

    platform::DeviceMode mode = DeviceMode();
    mode.orientationSet = mode.paperSizeSet = mode.copiesSet = mode.duplexSet = true;
    mode.copies = 1;
    mode.duplex = static_cast<std::int16_t>(setup.Duplex() + 1);
    mode.orientation = static_cast<std::int16_t>(setup.Orientation() + 1);
    mode.paperSize = setup.PaperNumber();
    // A file knows no queue's own paper numbers: it is always given the size.
    mode.paperDimensionsSet = mode.paperSize == kCustomPaperNumber || m_documentTarget;
    if (mode.paperDimensionsSet) {
        std::int32_t width = ToTenths(setup.mmPaperWidth());
        std::int32_t length = ToTenths(setup.mmPaperHeight());
        if (setup.Orientation() == poLandscape)
            std::swap(width, length);
        mode.paperWidth = width;
        mode.paperLength = length;
    }
    const TppPrinterCapabilities &capabilities = Capabilities();
    const int bin = capabilities.BinIndexOfName(setup.BinName());
    if (bin >= 0) {
        mode.defaultSource = setup.BinName() == "Default" ? m_defaultBin : capabilities.BinNumbers()[bin];
        mode.defaultSourceSet = true;
    }
    ChangeDeviceMode(mode);
}

void TppPrinter::ChangeDeviceMode(const platform::DeviceMode &mode)
{
    m_deviceMode = mode;
    m_hasDeviceMode = true;
    if (m_documentOpen) {
        m_deviceModePending = true;
        return;
    }
    if (m_device) {
        m_device->ApplyMode(mode);
        ReadDeviceValues();
    } else if (m_screenContext) {
        ReadScreenValues();
    }
}

TppPrinterSetup &TppPrinter::ReadSetup()
{
    TppPrinterSetup &setup = *m_printerSetup;
    const FlagScope applying(m_applyingSetup);
    const SilentSetup silent(setup);
    setup.SetPrinterName(m_printerName);
    const platform::DeviceMode mode = DeviceMode();
    if (m_hasDeviceMode) {
        if (mode.duplexSet && mode.duplex >= 1 && mode.duplex <= 3)
            setup.SetDuplex(static_cast<TppDuplexType>(mode.duplex - 1));
        if (mode.orientationSet)
            setup.SetOrientation(mode.orientation == 2 ? poLandscape : poPortrait);
        if (mode.paperSizeSet) {
            const TppPrinterCapabilities &capabilities = Capabilities();
            const int paper = capabilities.PaperIndexOfNumber(mode.paperSize);
            std::int32_t width = 0;
            std::int32_t height = 0;
            if (mode.paperSize != kCustomPaperNumber && paper >= 0) {
                setup.SetPaperName(capabilities.PaperNames()[paper]);
                width = capabilities.PaperWidths()[paper];
                height = capabilities.PaperHeights()[paper];
            } else if (mode.paperDimensionsSet) {
                width = mode.paperWidth;
                height = mode.paperLength;
            }
            if (setup.Orientation() == poLandscape)
                std::swap(width, height);
            if (width > 0 && height > 0) {
                setup.SetPaperWidth(TenthsMMToUnits(width, setup.Units(), raHorizontal, this));
                setup.SetPaperHeight(TenthsMMToUnits(height, setup.Units(), raVertical, this));
            }
        }
        if (mode.defaultSourceSet) {
            if (mode.defaultSource == m_defaultBin) {
                setup.SetBinName("Default");
            } else {
                const int bin = Capabilities().BinIndexOfNumber(mode.defaultSource);
                if (bin >= 0)
                    setup.SetBinName(Capabilities().BinNames()[bin]);
            }
        }
    }
    return setup;
}

bool TppPrinter::ShowPropertiesDialog()
{
    if (!DeviceContext() || !m_device)
        return false;
    platform::DeviceMode mode = m_deviceMode;
    if (!m_device->ShowPropertiesDialog(mode))
        return false;
    ChangeDeviceMode(mode);
    if (m_onDeviceModeChange)
        m_onDeviceModeChange(*this);
    return true;
}
