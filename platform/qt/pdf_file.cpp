#include "platform/qt/pdf_file.h"

#include "platform/pdf_file.h"
#include "platform/qt/device_mode.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace platform {

namespace {

// A standard paper stands for a size asked for when it is this close.
constexpr qreal kSamePaperMillimetres = 1.0;

// The permissions a new file of the user gets (the process's file creation
// mask applied), read without changing the mask.
QFile::Permissions NewFilePermissions()
{
    unsigned mask = 022;
    if (std::FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::sscanf(line, "Umask: %o", &mask) == 1)
                break;
        }
        std::fclose(status);
    }
    const unsigned mode = 0666u & ~mask;
    QFile::Permissions permissions;
    const std::pair<unsigned, QFile::Permissions> bits[] = {
        {0400, QFile::ReadOwner | QFile::ReadUser}, {0200, QFile::WriteOwner | QFile::WriteUser},
        {0040, QFile::ReadGroup}, {0020, QFile::WriteGroup}, {0004, QFile::ReadOther}, {0002, QFile::WriteOther}};
    for (const auto &[bit, permission] : bits) {
        if (mode & bit)
            permissions |= permission;
    }
    return permissions;
}

// Whether the writer finished the file: a PDF ends with its end-of-file
// marker, and a disk that filled up leaves a file without it.
bool EndsAsPdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 64));
    return file.readAll().contains("%%EOF");
}

} // namespace

std::unique_ptr<PrinterDevice> OpenPdfFile(const std::string &fileName)
{
    // QPrinter cannot exist without a GUI application (Qt aborts the process).
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    return std::make_unique<QtPdfFileDevice>(QString::fromStdString(fileName));
}

QtPdfFileDevice::QtPdfFileDevice(const QString &fileName)
    : m_fileName(fileName)
{
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setResolution(kPdfFileResolution);
    m_printer.setFullPage(true);
    m_printer.setPageMargins(QMarginsF(), QPageLayout::Point);
    m_mode = CurrentMode();
    m_canvas = std::make_unique<CairoPdfCanvas>(&m_printer);
}

QtPdfFileDevice::~QtPdfFileDevice()
{
    AbortDocument();
    m_canvas.reset();
}

PrinterMetrics QtPdfFileDevice::Metrics() const
{
    PrinterMetrics metrics;
    const QRect full = m_printer.pageLayout().fullRectPixels(m_printer.resolution());
    metrics.resolutionX = m_printer.logicalDpiX();
    metrics.resolutionY = m_printer.logicalDpiY();
    metrics.physicalWidth = metrics.printableWidth = full.width();
    metrics.physicalHeight = metrics.printableHeight = full.height();
    metrics.isColor = true;
    return metrics;
}

DeviceMode QtPdfFileDevice::CurrentMode() const
{
    const QPageLayout layout = m_printer.pageLayout();
    const int number = layout.pageSize().windowsId();
    return ModeOfLayout(layout, number > 0 && number < kCustomPaper ? static_cast<std::int16_t>(number) : kCustomPaper);
}

void QtPdfFileDevice::ApplyModeTo(QPrinter &printer, const DeviceMode &mode) const
{
    if (mode.paperSizeSet) {
        // A standard paper by its number; the size asked for otherwise (the
        // numbers of a queue's own papers mean nothing to a file).
        const QPageSize::PageSizeId id = mode.paperSize == kCustomPaper ? QPageSize::Custom : QPageSize::id(mode.paperSize);
        QPageSize size = id == QPageSize::Custom ? QPageSize() : QPageSize(id);
        if (mode.paperDimensionsSet && mode.paperWidth > 0 && mode.paperLength > 0) {
            const QSizeF asked(mode.paperWidth / 10.0, mode.paperLength / 10.0);
            const QSizeF standard = size.isValid() ? size.size(QPageSize::Millimeter) : QSizeF();
            const bool same = size.isValid() && std::abs(standard.width() - asked.width()) <= kSamePaperMillimetres
                && std::abs(standard.height() - asked.height()) <= kSamePaperMillimetres;
            if (!same)
                size = PaperOfDimensions(mode, QString());
        }
        if (size.isValid())
            printer.setPageSize(size);
    }
    ApplyOrientation(printer, mode);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(), QPageLayout::Point);
}

void QtPdfFileDevice::ApplyMode(const DeviceMode &mode)
{
    m_mode = mode;
    if (m_document.IsOpen()) {
        m_modePending = true;
        return;
    }
    ApplyModeTo(m_printer, mode);
}

void QtPdfFileDevice::BeginDocument(const std::string &title)
{
    if (m_document.IsOpen())
        return;
    // Hidden beside the file, so that the rename at the end stays on its
    // file system.
    const QFileInfo target(m_fileName);
    QString error;
    if (!m_document.Begin(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"),
                          m_printer.resolution(), QString::fromStdString(title), m_printer.pageLayout(), error))
        throw PrintError(error.isEmpty() ? std::string("the PDF writer could not start the document") : error.toStdString());
    m_canvas->SetContext(m_document.Context());
}

void QtPdfFileDevice::StartPage()
{
    if (!m_document.IsOpen())
        return;
    if (m_modePending) {
        ApplyModeTo(m_printer, m_mode);
        m_modePending = false;
        m_document.SetPageLayout(m_printer.pageLayout());
    }
    if (!m_document.StartPage())
        throw PrintError("the PDF writer could not start a page");
}

void QtPdfFileDevice::EndPage()
{
}

void QtPdfFileDevice::EndDocument()
{
    if (!m_document.IsOpen())
        return;
    if (m_document.StartedPages() == 0) {
        // An empty file would say that something was printed.
        AbortDocument();
        throw PrintError("no page of the report was among the pages chosen");
    }
    m_canvas->SetContext(nullptr);
    bool written = false;
    const std::unique_ptr<QTemporaryFile> file = m_document.End(written);
    if (!written || !EndsAsPdf(file->fileName()))
        throw PrintError("the PDF writer could not write the whole document (is the disk full?)");
    PutFileInPlace(*file);
}

void QtPdfFileDevice::PutFileInPlace(QTemporaryFile &file)
{
    // A file replaced keeps its permissions; a new one gets the user's usual.
    const QFileInfo target(m_fileName);
    file.setPermissions(target.exists() ? target.permissions() : NewFilePermissions());
    // rename() replaces the old file in one step: no moment without a whole file.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(m_fileName).constData()) != 0)
        throw PrintError(std::strerror(errno));
    file.setAutoRemove(false);
}

void QtPdfFileDevice::AbortDocument()
{
    if (!m_document.IsOpen())
        return;
    m_canvas->SetContext(nullptr);
    m_document.Abort();
}

} // namespace platform
