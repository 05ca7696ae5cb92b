#include "platform/qt/qt_printer_device.h"

#include "platform/qt/cups_queue.h"
#include "platform/qt/device_mode.h"
#include "platform/qt/page_setup.h"

#include "platform/handler_guard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintEngine>
#include <QPrinterInfo>

#include <chrono>
#include <cmath>
#include <exception>
#include <utility>

namespace platform {

namespace {

// How long a submitted job is followed: a backend that fails does so within
// moments of starting, and a job still waiting after this is the spooler's.
constexpr int kJobFollowMilliseconds = 3000;
constexpr auto kJobPollInterval = std::chrono::milliseconds(50);
// The print engine property through which Qt's own dialogs pass options to
// the spooler (name/value pairs).
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QString Quoted(const QString &queue)
{
    return QStringLiteral("\"%1\"").arg(queue);
}

// "<text>: <reason>." with one full stop, also when the reason has its own.
std::string Sentence(QString text, const std::string &reason)
{
    if (!reason.empty())
        text += QStringLiteral(": ") + QString::fromStdString(reason);
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text.toStdString();
}

std::string ServerUnreachable(const QString &queue)
{
    return QStringLiteral("The printer %1 is not available: the print server cannot be reached.")
        .arg(Quoted(queue))
        .toStdString();
}

// The printable part of the paper as the queue states it, or the whole
// paper when the statement makes no sense (an area turned inside out, or
// reaching beyond the paper).
QRect PrintableArea(const QRect &full, const QRect &printable)
{
    if (printable.isEmpty() || !full.contains(printable))
        return full;
    return printable;
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
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull())
        return;
    // Asked once: each question goes to the spooler, and metrics are read
    // on every page.
    const QList<QPrinter::ColorMode> colorModes = info.supportedColorModes();
    m_isColor = colorModes.isEmpty() || colorModes.contains(QPrinter::Color);
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
    m_canvas = std::make_unique<CairoPdfCanvas>(m_printer.get());
    QObject::connect(&m_followTimer, &QTimer::timeout, platform::Guarded([this] { LookAtFollowedJob(); }));
}

QtPrinterDevice::~QtPrinterDevice()
{
    // No callback runs from here: whoever waits is going with the device.
    m_followTimer.stop();
    m_followed.clear();
    AbortDocument();
    m_canvas.reset();
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
    const QMarginsF margins = layout.minimumMargins();
    const QSizeF paper = layout.fullRect().size();
    // Margins of an imageable area turned inside out are no margins at all.
    const bool sane = margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 && margins.bottom() >= 0
        && margins.left() + margins.right() < paper.width() && margins.top() + margins.bottom() < paper.height();
    printer.setPageMargins(sane ? margins : QMarginsF(), layout.units());
}

PrinterMetrics QtPrinterDevice::Metrics() const
{
    PrinterMetrics metrics;
    const int resolution = m_printer->resolution();
    const QPageLayout layout = m_printer->pageLayout();
    const QRect full = layout.fullRectPixels(resolution);
    const QRect printable = PrintableArea(full, layout.paintRectPixels(resolution));
    metrics.resolutionX = m_printer->logicalDpiX();
    metrics.resolutionY = m_printer->logicalDpiY();
    metrics.physicalWidth = full.width();
    metrics.physicalHeight = full.height();
    metrics.printableWidth = printable.width();
    metrics.printableHeight = printable.height();
    metrics.offsetLeft = printable.left();
    metrics.offsetTop = printable.top();
    metrics.isColor = m_isColor;
    return metrics;
}

DeviceMode QtPrinterDevice::ModeOfPrinter(const QPrinter &printer) const
{
    const QPageLayout layout = printer.pageLayout();
    std::int16_t paperNumber = kCustomPaper;
    for (const QueuePaper &paper : m_papers) {
        if (paper.size.isEquivalentTo(layout.pageSize())) {
            paperNumber = paper.number;
            break;
        }
    }
    DeviceMode mode = ModeOfLayout(layout, paperNumber);
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
        if (!size.isValid())
            size = PaperOfDimensions(mode, QStringLiteral("Custom"));
        if (size.isValid())
            printer.setPageSize(size);
    }
    ApplyOrientation(printer, mode);
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
    if (m_document.IsOpen()) {
        m_pendingMode = mode;
        m_modePending = true;
        return;
    }
    ApplyModeToPrinter(*m_printer, mode);
}

void QtPrinterDevice::EnsureQueueTakesJobs() const
{
    const CupsQueueState state = ReadQueueState(QueueName());
    if (!state.reachable)
        throw PrintError(ServerUnreachable(m_queue));
    QString problem;
    if (!state.exists)
        problem = QStringLiteral("The printer %1 is not available").arg(Quoted(m_queue));
    else if (!state.accepting)
        problem = QStringLiteral("The printer %1 is not accepting jobs").arg(Quoted(m_queue));
    else if (state.stopped)
        problem = QStringLiteral("The printer %1 is stopped").arg(Quoted(m_queue));
    if (problem.isEmpty())
        return;
    throw PrintError(Sentence(problem, state.reason));
}

// One look at the job. The spooler takes a job before its backend runs: a
// backend that fails shows only in the job's state a moment later. A job
// that stops is cancelled, so that it does not print after it was reported
// unprinted.
QtPrinterDevice::JobProgress QtPrinterDevice::LookAtJob(int job, std::string &reason) const
{
    const CupsJobState state = ReadJobState(job);
    if (!state.known || state.state == IPP_JSTATE_COMPLETED)
        return JobProgress::Done;
    bool failed = state.state == IPP_JSTATE_STOPPED || state.state == IPP_JSTATE_ABORTED
        || state.state == IPP_JSTATE_CANCELED;
    reason = state.reason;
    if (!failed && state.state != IPP_JSTATE_PROCESSING) {
        // Waiting in a queue that its backend's failure stopped.
        const CupsQueueState queue = ReadQueueState(QueueName());
        failed = queue.exists && queue.stopped;
        if (reason.empty())
            reason = queue.reason;
    }
    if (!failed)
        return JobProgress::Going;
    std::string refusal;
    if (state.state != IPP_JSTATE_ABORTED && state.state != IPP_JSTATE_CANCELED
        && !CancelQueueJob(QueueName(), job, refusal)) {
        // The user must not believe a job gone that may still print.
        reason = Sentence(QString::fromStdString(reason.empty() ? std::string("the job stopped") : reason)
                              + QStringLiteral("; it could not be cancelled and may still print"),
                          refusal);
        if (!reason.empty() && reason.back() == '.')
            reason.pop_back();
    }
    return JobProgress::Failed;
}

void QtPrinterDevice::StartFollowUp()
{
    m_followFailure.clear();
    m_followClock.start();
    m_followTimer.start(kJobPollInterval);
}

// A tick of the follow-up, from wherever events come in (the print job
// waits for them): the windows stay live meanwhile, and the user can still
// withdraw the job.
void QtPrinterDevice::LookAtFollowedJob()
{
    // Withdrawn: the job has ended, nothing more is asked of the spooler.
    if (m_withdrawn) {
        EndFollowUp({});
        return;
    }
    std::string reason;
    JobProgress progress = JobProgress::Failed;
    try {
        progress = LookAtJob(m_job, reason);
    } catch (const std::exception &error) {
        EndFollowUp(error.what());
        return;
    }
    if (progress == JobProgress::Failed) {
        EndFollowUp(Sentence(QStringLiteral("The printer %1 could not print the document").arg(Quoted(m_queue)),
                             reason));
    } else if (progress != JobProgress::Going || m_followClock.elapsed() >= kJobFollowMilliseconds) {
        EndFollowUp({});
    }
}

void QtPrinterDevice::EndFollowUp(const std::string &failure)
{
    m_followTimer.stop();
    m_followFailure = failure;
    // A callback may ask for the next follow-up: the list is taken first.
    std::vector<JobFollowed> waiting = std::exchange(m_followed, {});
    // Each on its own: one that fails does not keep the others waiting.
    for (JobFollowed &followed : waiting)
        RunGuarded([&] { followed(failure); });
}

void QtPrinterDevice::WhenJobFollowed(JobFollowed followed)
{
    if (m_followTimer.isActive())
        m_followed.push_back(std::move(followed));
    else
        followed(m_followFailure);
}

Withdrawal QtPrinterDevice::WithdrawDocument()
{
    if (m_job <= 0)
        return Withdrawal::NothingHandedOver;
    if (!m_withdrawn) {
        // A job that ended without printing (cancelled, aborted) is as good
        // as withdrawn; one that completed is on its way to paper.
        std::string refusal;
        if (!CancelQueueJob(QueueName(), m_job, refusal)) {
            const CupsJobState state = ReadJobState(m_job);
            if (state.known && state.state == IPP_JSTATE_COMPLETED)
                return Withdrawal::TooLate;
            // Refused, or not heard, while the job may still print.
            if (!state.known || (state.state != IPP_JSTATE_CANCELED && state.state != IPP_JSTATE_ABORTED))
                throw PrintError(Sentence(
                    QStringLiteral("The document could not be withdrawn from the printer %1").arg(Quoted(m_queue)),
                    refusal));
        }
        m_withdrawn = true;
    }
    // The follow-up ends on its next tick, after the caller's own handler.
    if (m_followTimer.isActive())
        m_followTimer.start(0);
    return Withdrawal::Withdrawn;
}

void QtPrinterDevice::BeginDocument(const std::string &title)
{
    if (m_document.IsOpen())
        return;
    // A job handed over before is not this document's to withdraw, nor to
    // follow further.
    if (m_followTimer.isActive())
        EndFollowUp({});
    m_job = 0;
    m_withdrawn = false;
    m_followFailure.clear();
    EnsureQueueTakesJobs();
    // The document is made as a PDF file of our own and handed to the spooler
    // at its end: so an abandoned document is never printed, and the spooler's
    // answer to the job is ours to read.
    QString error;
    if (!m_document.Begin(QDir::temp().filePath(QStringLiteral("valdora-print-XXXXXX.pdf")), m_printer->resolution(),
                          QString::fromStdString(title), m_printer->pageLayout(), error)) {
        if (error.isEmpty())
            throw PrintError(QStringLiteral("Cannot start a document on the printer %1.").arg(Quoted(m_queue)).toStdString());
        throw PrintError(QStringLiteral("Cannot start a document for the printer %1: %2.")
                             .arg(Quoted(m_queue), error).toStdString());
    }
    m_documentTitle = QString::fromStdString(title);
    m_documentLayout = m_printer->pageLayout();
    m_canvas->SetContext(m_document.Context());
}

void QtPrinterDevice::StartPage()
{
    if (!m_document.IsOpen())
        return;
    if (m_modePending) {
        ApplyModeToPrinter(*m_printer, m_pendingMode);
        m_modePending = false;
        m_document.SetPageLayout(m_printer->pageLayout());
    }
    if (!m_document.StartPage())
        throw PrintError(QStringLiteral("Cannot start a page on the printer %1.").arg(Quoted(m_queue)).toStdString());
    if (m_document.StartedPages() == 1)
        m_documentLayout = m_document.PageLayout();
}

void QtPrinterDevice::EndPage()
{
}

std::vector<std::pair<QByteArray, QByteArray>> QtPrinterDevice::JobOptions() const
{
    // As Qt's own spooler hand-over names them, so that drivers see the same.
    std::vector<std::pair<QByteArray, QByteArray>> options;
    options.emplace_back("media", m_documentLayout.pageSize().key().toUtf8());
    if (m_documentLayout.orientation() == QPageLayout::Landscape)
        options.emplace_back("landscape", "");
    switch (m_printer->duplex()) {
    case QPrinter::DuplexLongSide:
        options.emplace_back("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplace_back("sides", "two-sided-short-edge");
        break;
    default:
        options.emplace_back("sides", "one-sided");
        break;
    }
    for (const QueueBin &bin : m_bins.bins) {
        if (bin.number == m_source) {
            options.emplace_back("InputSlot", QByteArray::fromStdString(bin.keyword));
            if (!bin.mediaSource.empty())
                options.emplace_back("media-source", QByteArray::fromStdString(bin.mediaSource));
            break;
        }
    }
    return options;
}

void QtPrinterDevice::EndDocument()
{
    if (!m_document.IsOpen())
        return;
    if (m_document.StartedPages() == 0) {
        AbortDocument();
        return;
    }
    m_canvas->SetContext(nullptr);
    bool written = false;
    const std::unique_ptr<QTemporaryFile> file = m_document.End(written);
    if (!written)
        throw PrintError(QStringLiteral("The document for the printer %1 could not be written.").arg(Quoted(m_queue)).toStdString());
    EnsureQueueTakesJobs();

    const std::vector<std::pair<QByteArray, QByteArray>> options = JobOptions();
    std::vector<cups_option_t> cupsOptions;
    for (const auto &option : options)
        cupsOptions.push_back({const_cast<char *>(option.first.constData()), const_cast<char *>(option.second.constData())});
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, QueueName().c_str(), QFile::encodeName(file->fileName()).constData(),
                                   m_documentTitle.toUtf8().constData(), int(cupsOptions.size()), cupsOptions.data());
    const ipp_status_t status = cupsLastError();
    if (job <= 0 || status > IPP_STATUS_OK_CONFLICTING) {
        const char *lastError = cupsLastErrorString();
        const std::string reason = lastError ? lastError : "";
        // A connection that failed gives the socket's reason, which means
        // nothing to the user.
        if (!ReadQueueState(QueueName()).reachable)
            throw PrintError(ServerUnreachable(m_queue));
        throw PrintError(Sentence(QStringLiteral("The printer %1 did not accept the document").arg(Quoted(m_queue)),
                                  reason));
    }
    m_job = job;
    StartFollowUp();
}

void QtPrinterDevice::AbortDocument()
{
    if (!m_document.IsOpen())
        return;
    m_canvas->SetContext(nullptr);
    m_document.Abort();
}

bool QtPrinterDevice::ShowPropertiesDialog(DeviceMode &mode)
{
    QPrinter copy(QPrinter::HighResolution);
    copy.setPrinterName(m_queue);
    copy.setResolution(m_printer->resolution());
    ApplyModeToPrinter(copy, mode);
    PageSetupOffer offer;
    for (const QueueBin &bin : m_bins.bins)
        offer.sources.push_back({QString::fromStdString(bin.name), bin.number});
    offer.source = m_source;
    const QList<QPrinter::DuplexMode> duplexModes = QPrinterInfo::printerInfo(m_queue).supportedDuplexModes();
    offer.twoSided = duplexModes.contains(QPrinter::DuplexLongSide) || duplexModes.contains(QPrinter::DuplexShortSide);
    offer.duplex = copy.duplex();
    PageSetupChoice choice;
    if (!RunQueuePageSetup(copy, offer, QApplication::activeWindow(), choice))
        return false;
    copy.setPageSize(choice.size);
    copy.setPageOrientation(choice.orientation);
    copy.setDuplex(choice.duplex);
    UseQueueMargins(copy);
    mode = ModeOfPrinter(copy);
    mode.defaultSource = choice.source;
    return true;
}

} // namespace platform
