#pragma once

// What the printing tests share: a queue of their own on the private print
// server (a file: queue with the Generic PDF Printer driver, so that tests
// running side by side never share an output file), waiting for the spooler,
// and reading the printed document back with the poppler tools.

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <cups/cups.h>

#include <algorithm>

namespace printed {

inline const QString kPdfDriver = QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");

inline bool Run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

inline bool PrintServerRunning()
{
    return !qEnvironmentVariableIsEmpty("VALDORA_TEST_PRINT_OUT") && !qEnvironmentVariableIsEmpty("CUPS_SERVER");
}

// A PDF queue whose Letter paper leaves a quarter inch unprinted on every
// side (the stock driver leaves half an inch at top and bottom).
inline QString QuarterInchDriver(const QString &folder)
{
    QFile stock(kPdfDriver);
    if (!stock.open(QIODevice::ReadOnly))
        return {};
    QByteArray ppd = stock.readAll();
    ppd.replace("*ImageableArea Letter/Letter: \"18 36 594 756\"", "*ImageableArea Letter/Letter: \"18 18 594 774\"");
    const QString path = QDir(folder).filePath(QStringLiteral("quarter-inch.ppd"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(ppd) != ppd.size())
        return {};
    return path;
}

// A queue created for the test and deleted with it; its documents land in
// OutputFile().
class TestQueue
{
public:
    explicit TestQueue(QString name, QString driver = kPdfDriver)
        : m_name(std::move(name))
    {
        m_created = Run(QStringLiteral("lpadmin"), {"-p", m_name, "-E", "-v", "file:" + OutputFile(), "-P", driver});
    }
    ~TestQueue() { Run(QStringLiteral("lpadmin"), {"-x", m_name}); }
    TestQueue(const TestQueue &) = delete;
    TestQueue &operator=(const TestQueue &) = delete;

    bool Created() const { return m_created; }
    const QString &Name() const { return m_name; }
    std::string StdName() const { return m_name.toStdString(); }
    QString OutputFile() const
    {
        return QDir(qEnvironmentVariable("VALDORA_TEST_PRINT_OUT")).filePath(m_name + QStringLiteral(".pdf"));
    }

    void Enable() const
    {
        Run(QStringLiteral("cupsenable"), {m_name});
        Run(QStringLiteral("cupsaccept"), {m_name});
    }
    void Stop() const { Run(QStringLiteral("cupsdisable"), {m_name}); }
    void Reject() const { Run(QStringLiteral("cupsreject"), {m_name}); }

    // The id of the newest job the spooler has for the queue, 0 for none.
    int NewestJob() const
    {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(m_name), 0, CUPS_WHICHJOBS_ALL);
        int newest = 0;
        for (int i = 0; i < count; ++i)
            newest = std::max(newest, jobs[i].id);
        cupsFreeJobs(count, jobs);
        return newest;
    }

    // Jobs of the queue the spooler knows, finished ones included.
    int JobCount() const
    {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(m_name), 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(count, jobs);
        return count;
    }

    // Forgets the last document, so that the next one is read, not this.
    void ForgetOutput() const { QFile::remove(OutputFile()); }

    // Waits until the spooler has written every job of the queue; false on
    // time-out or when no document was written.
    bool WaitForOutput() const
    {
        for (int attempt = 0; attempt < 400; ++attempt) {
            cups_job_t *jobs = nullptr;
            const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(m_name), 0, CUPS_WHICHJOBS_ACTIVE);
            cupsFreeJobs(active, jobs);
            if (active == 0 && QFile::exists(OutputFile()) && QFile(OutputFile()).size() > 0)
                return true;
            QTest::qWait(25);
        }
        return false;
    }

private:
    QString m_name;
    bool m_created = false;
};

inline QString PdfInfo(const QString &file)
{
    QByteArray out;
    Run(QStringLiteral("pdfinfo"), {file}, &out);
    return QString::fromUtf8(out);
}

inline int PdfPageCount(const QString &file)
{
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(PdfInfo(file));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of each page, in order, blanks simplified.
inline QStringList PdfPageTexts(const QString &file)
{
    QStringList texts;
    const int count = PdfPageCount(file);
    for (int page = 1; page <= count; ++page) {
        QByteArray out;
        Run(QStringLiteral("pdftotext"),
            {"-f", QString::number(page), "-l", QString::number(page), "-layout", file, "-"}, &out);
        texts << QString::fromUtf8(out).simplified();
    }
    return texts;
}

// One page rasterised at `dpi`, in colour; only `area` (in pixels of that
// resolution) when one is given.
inline QImage RasterisePage(const QString &file, int page, int dpi, const QRect &area = QRect())
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    QStringList arguments{"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page)};
    if (!area.isNull())
        arguments << "-x" << QString::number(area.x()) << "-y" << QString::number(area.y()) << "-W"
                  << QString::number(area.width()) << "-H" << QString::number(area.height());
    arguments << "-singlefile" << "-png" << file << stem;
    if (!Run(QStringLiteral("pdftoppm"), arguments))
        return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel that matches; null when none.
inline QRect BoundingBox(const QImage &image, const std::function<bool(QRgb)> &matches)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!matches(row[x]))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Pixels of `a` whose colour lies outside the range of colours `b` has
// within one pixel of them (give or take `tolerance` a channel, so that the
// smoothing of an edge, which may blur a thin rule over its neighbours, counts
// for nothing), and the other way round: 0 when every line, letter and
// picture of one page lies within a pixel of where the other has it.
inline int PixelsAwayMoreThanOnePixel(const QImage &a, const QImage &b, int tolerance = 128)
{
    if (a.size() != b.size())
        return a.width() * a.height() + b.width() * b.height();
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    const auto missing = [tolerance](const QImage &from, const QImage &in) {
        int count = 0;
        for (int y = 0; y < from.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(from.constScanLine(y));
            for (int x = 0; x < from.width(); ++x) {
                int low[3] = {255, 255, 255};
                int high[3] = {0, 0, 0};
                for (int yy = std::max(0, y - 1); yy <= std::min(in.height() - 1, y + 1); ++yy) {
                    const auto *other = reinterpret_cast<const QRgb *>(in.constScanLine(yy));
                    for (int xx = std::max(0, x - 1); xx <= std::min(in.width() - 1, x + 1); ++xx) {
                        const int channels[3] = {qRed(other[xx]), qGreen(other[xx]), qBlue(other[xx])};
                        for (int c = 0; c < 3; ++c) {
                            low[c] = std::min(low[c], channels[c]);
                            high[c] = std::max(high[c], channels[c]);
                        }
                    }
                }
                const int own[3] = {qRed(row[x]), qGreen(row[x]), qBlue(row[x])};
                for (int c = 0; c < 3; ++c) {
                    if (own[c] < low[c] - tolerance || own[c] > high[c] + tolerance) {
                        ++count;
                        break;
                    }
                }
            }
        }
        return count;
    };
    return missing(first, second) + missing(second, first);
}

inline bool IsDark(QRgb pixel)
{
    return qRed(pixel) < 128 && qGreen(pixel) < 128 && qBlue(pixel) < 128;
}

inline bool IsReddish(QRgb pixel)
{
    return qRed(pixel) > 160 && qGreen(pixel) < 96 && qBlue(pixel) < 96;
}

// The state the server gives a job now; 0 when it does not know the job.
inline int JobState(const TestQueue &queue, int job)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(queue.Name()), 0, CUPS_WHICHJOBS_ALL);
    int state = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == job)
            state = jobs[i].state;
    }
    cupsFreeJobs(count, jobs);
    return state;
}

// Waits, serving the program's windows, until the job is in `state`.
inline bool WaitForJobState(const TestQueue &queue, int job, int state)
{
    for (int attempt = 0; attempt < 600; ++attempt) {
        if (JobState(queue, job) == state)
            return true;
        QTest::qWait(25);
    }
    return false;
}

// The newest job of a queue, done or not; 0 when it has none.
inline int NewestJob(const QString &queue)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(queue), 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

// The attributes the spooler keeps for a job.
inline QHash<QString, QString> JobAttributes(int id)
{
    QHash<QString, QString> attributes;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    for (ipp_attribute_t *attribute = ippFirstAttribute(response); attribute; attribute = ippNextAttribute(response)) {
        char value[512];
        ippAttributeString(attribute, value, sizeof value);
        if (ippGetName(attribute))
            attributes.insert(QString::fromUtf8(ippGetName(attribute)), QString::fromUtf8(value));
    }
    ippDelete(response);
    return attributes;
}

} // namespace printed
