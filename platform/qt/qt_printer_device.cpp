#include "platform/qt/qt_printer_device.h"

#include "platform/qt/cups_queue.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintEngine>
#include <QPrinterInfo>

#include <cmath>

namespace platform {

namespace {

constexpr std::int16_t kCustomPaper = 256;
// The print engine property through which Qt's own dialogs pass options to
// the spooler (name/value pairs).
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

std::int32_t Tenths(qreal millimetres)
{
    return static_cast<std::int32_t>(std::lround(millimetres * 10));
}

QString Quoted(const QString &queue)
{
    return QStringLiteral("\"%1\"").arg(queue);
}

} // namespace

std::unique_ptr<PrinterDevice> OpenPrinterDevice(const std::string &queue)
{
    // QPrinter cannot exist without a GUI application (Qt aborts the process).
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    auto device = std::make_unique<QtPrinterDevice>(QString::fromStdString(queue));
    if (!device->IsOpen())
        return nullptr;
    return device;
}

QtPrinterDevice::QtPrinterDevice(const QString &queue)
    : m_queue(queue)
{
    if (QPrinterInfo::printerInfo(queue).isNull())
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(queue);
    if (!printer->isValid() || printer->printerName() != queue)
        return;
    // QPrinter's high resolution is a fixed 1200 whatever the queue says;
    // the queue's own default resolution is what its pages are made at.
    const QueueResolution resolution = ReadQueueResolution(queue.toStdString());
    if (resolution.y > 0)
        printer->setResolution(resolution.y);
    m_papers = ReadQueuePapers(queue);
    m_bins = ReadQueueBins(queue.toStdString());
    m_source = m_bins.defaultBin;
    printer->setCopyCount(1);
    UseQueueMargins(*printer);
    m_printer = std::move(printer);
}

QtPrinterDevice::~QtPrinterDevice()
{
    if (m_painter && m_painter->isActive())
        AbortDocument();
}

bool QtPrinterDevice::IsOpen() const
{
    return m_printer != nullptr;
}

void QtPrinterDevice::UseQueueMargins(QPrinter &printer) const
{
    // Qt places its page 10 points in from the edges by default; the
    // printable area is what the queue states for the paper.
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

PrinterMetrics QtPrinterDevice::Metrics() const
{
    PrinterMetrics metrics;
    const int resolution = m_printer->resolution();
    const QPageLayout layout = m_printer->pageLayout();
    const QRect full = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);
    metrics.resolutionX = m_printer->logicalDpiX();
    metrics.resolutionY = m_printer->logicalDpiY();
    metrics.physicalWidth = full.width();
    metrics.physicalHeight = full.height();
    metrics.printableWidth = printable.width();
    metrics.printableHeight = printable.height();
    metrics.offsetLeft = printable.left();
    metrics.offsetTop = printable.top();
    const QList<QPrinter::ColorMode> colorModes = QPrinterInfo::printerInfo(m_queue).supportedColorModes();
    metrics.isColor = colorModes.isEmpty() || colorModes.contains(QPrinter::Color);
    return metrics;
}

DeviceMode QtPrinterDevice::ModeOfPrinter(const QPrinter &printer) const
{
    DeviceMode mode;
    const QPageLayout layout = printer.pageLayout();
    mode.orientationSet = true;
    mode.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    mode.paperSizeSet = true;
    mode.paperSize = kCustomPaper;
    for (const QueuePaper &paper : m_papers) {
        if (paper.size.isEquivalentTo(layout.pageSize())) {
            mode.paperSize = paper.number;
            break;
        }
    }
    const QSizeF millimetres = layout.pageSize().size(QPageSize::Millimeter);
    mode.paperDimensionsSet = true;
    mode.paperWidth = Tenths(std::min(millimetres.width(), millimetres.height()));
    mode.paperLength = Tenths(std::max(millimetres.width(), millimetres.height()));
    mode.copiesSet = true;
    mode.copies = 1;
    mode.duplexSet = true;
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        mode.duplex = 2;
        break;
    case QPrinter::DuplexShortSide:
        mode.duplex = 3;
        break;
    default:
        mode.duplex = 1;
        break;
    }
    mode.defaultSourceSet = true;
    mode.defaultSource = m_source;
    return mode;
}

DeviceMode QtPrinterDevice::CurrentMode() const
{
    return m_modePending ? m_pendingMode : ModeOfPrinter(*m_printer);
}

void QtPrinterDevice::ApplyModeToPrinter(QPrinter &printer, const DeviceMode &mode)
{
    if (mode.paperSizeSet) {
        QPageSize size;
        for (const QueuePaper &paper : m_papers) {
            if (paper.number == mode.paperSize && mode.paperSize != kCustomPaper) {
                size = paper.size;
                break;
            }
        }
        if (!size.isValid() && mode.paperDimensionsSet && mode.paperWidth > 0 && mode.paperLength > 0)
            size = QPageSize(QSizeF(mode.paperWidth / 10.0, mode.paperLength / 10.0), QPageSize::Millimeter,
                             QStringLiteral("Custom"), QPageSize::ExactMatch);
        if (size.isValid())
            printer.setPageSize(size);
    }
    if (mode.orientationSet)
        printer.setPageOrientation(mode.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (mode.duplexSet) {
        printer.setDuplex(mode.duplex == 2   ? QPrinter::DuplexLongSide
                              : mode.duplex == 3 ? QPrinter::DuplexShortSide
                                                 : QPrinter::DuplexNone);
    }
    // The engine makes copies itself: the spooler is always asked for one.
    printer.setCopyCount(1);
    if (mode.defaultSourceSet) {
        m_source = mode.defaultSource;
        QStringList options;
        for (const QueueBin &bin : m_bins.bins) {
            if (bin.number == mode.defaultSource)
                options << QStringLiteral("InputSlot") << QString::fromStdString(bin.keyword);
        }
        if (options.size() > 2)
            options = options.mid(0, 2);
        if (!options.isEmpty())
            printer.printEngine()->setProperty(kCupsOptionsProperty, options);
    }
    UseQueueMargins(printer);
}

void QtPrinterDevice::ApplyMode(const DeviceMode &mode)
{
    if (m_painter && m_painter->isActive()) {
        m_pendingMode = mode;
        m_modePending = true;
        return;
    }
    ApplyModeToPrinter(*m_printer, mode);
}

void QtPrinterDevice::EnsureQueueTakesJobs() const
{
    const CupsQueueState state = ReadQueueState(QueueName());
    QString problem;
    if (!state.exists)
        problem = QStringLiteral("The printer %1 is not available").arg(Quoted(m_queue));
    else if (!state.accepting)
        problem = QStringLiteral("The printer %1 is not accepting jobs").arg(Quoted(m_queue));
    else if (state.stopped)
        problem = QStringLiteral("The printer %1 is stopped").arg(Quoted(m_queue));
    if (problem.isEmpty())
        return;
    if (!state.reason.empty())
        problem += QStringLiteral(": ") + QString::fromStdString(state.reason);
    throw PrintError((problem + QLatin1Char('.')).toStdString());
}

void QtPrinterDevice::BeginDocument(const std::string &title)
{
    if (m_painter && m_painter->isActive())
        return;
    EnsureQueueTakesJobs();
    m_printer->setDocName(QString::fromStdString(title));
    m_printer->setCopyCount(1);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        throw PrintError(QStringLiteral("Cannot start a document on the printer %1.").arg(Quoted(m_queue)).toStdString());
    }
    m_startedPages = 0;
}

void QtPrinterDevice::StartPage()
{
    if (!m_painter || !m_painter->isActive())
        return;
    if (m_modePending) {
        ApplyModeToPrinter(*m_printer, m_pendingMode);
        m_modePending = false;
    }
    // The document's first page exists from its start; later ones are added.
    if (m_startedPages > 0 && !m_printer->newPage())
        throw PrintError(QStringLiteral("Cannot start a page on the printer %1.").arg(Quoted(m_queue)).toStdString());
    ++m_startedPages;
}

void QtPrinterDevice::EndPage()
{
}

void QtPrinterDevice::EndDocument()
{
    if (!m_painter || !m_painter->isActive())
        return;
    if (m_startedPages == 0) {
        AbortDocument();
        return;
    }
    try {
        EnsureQueueTakesJobs();
    } catch (...) {
        AbortDocument();
        throw;
    }
    // QPainter::end() hands the document to the spooler and answers true even
    // when the spooler refuses it; the spooler's status of that request tells.
    const bool ended = m_painter->end();
    m_painter.reset();
    const ipp_status_t status = cupsLastError();
    if (!ended || status > IPP_STATUS_OK_CONFLICTING) {
        const char *reason = cupsLastErrorString();
        QString message = QStringLiteral("The printer %1 did not accept the document").arg(Quoted(m_queue));
        if (status > IPP_STATUS_OK_CONFLICTING && reason && *reason)
            message += QStringLiteral(": ") + QString::fromUtf8(reason);
        throw PrintError((message + QLatin1Char('.')).toStdString());
    }
}

void QtPrinterDevice::AbortDocument()
{
    if (!m_painter)
        return;
    m_printer->abort();
    if (m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_startedPages = 0;
}

bool QtPrinterDevice::ShowPropertiesDialog(DeviceMode &mode)
{
    QPrinter copy(QPrinter::HighResolution);
    copy.setPrinterName(m_queue);
    copy.setResolution(m_printer->resolution());
    ApplyModeToPrinter(copy, mode);
    QPageSetupDialog dialog(&copy, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    mode = ModeOfPrinter(copy);
    return true;
}

} // namespace platform
