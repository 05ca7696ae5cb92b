#include "platform/pdf_file.h"
#include "platform/qt/cairo_pdf_canvas.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/pdf_document.h"
#include "tests/support/printed_output.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <memory>

// Pages drawn through the cairo canvas against the same calls drawn, as
// before it, by the painter canvas on Qt's PDF writer: the same rasters
// within a pixel, the same text, fonts embedded as subsets with their
// Unicode maps, a file qpdf finds sound, each picture stored once.

namespace {

TppFont MakeFont(const char *name, int size, TppFontStyles style = TppFontStyles(0), TppColor color = clBlack)
{
    TppFont font;
    font.SetName(name);
    font.SetSize(size);
    font.SetStyle(style);
    font.SetColor(color);
    return font;
}

TppBitmap Gradient(int width, int height, bool whiteCorner)
{
    TppBitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool white = whiteCorner && x < width / 3 && y < height / 3;
            bitmap.Pixels.push_back(white ? 0xFFFFFFFFu
                                          : 0xFF000000u | std::uint32_t(x * 255 / width) << 16
                                                | std::uint32_t(y * 255 / height) << 8 | 0x40u);
        }
    }
    return bitmap;
}

// A photograph-like JPEG and its pixels, as a picture's source and as the
// bitmap a device without encodings draws instead.
struct Jpeg {
    TppPictureSource source;
    TppBitmap pixels;
};

const Jpeg &TestJpeg()
{
    static const Jpeg jpeg = [] {
        QImage image(120, 80, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(200 - x, 60 + y * 2, (x * y) % 255));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 90);
        const QImage decoded = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_ARGB32);
        Jpeg result;
        result.source.Width = decoded.width();
        result.source.Height = decoded.height();
        result.source.Data = std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end());
        result.pixels.Width = decoded.width();
        result.pixels.Height = decoded.height();
        for (int y = 0; y < decoded.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(decoded.constScanLine(y));
            result.pixels.Pixels.insert(result.pixels.Pixels.end(), row, row + decoded.width());
        }
        return result;
    }();
    return jpeg;
}

// A JPEG as the printer device draws it: as it is where the canvas keeps
// encodings, decoded elsewhere.
void DrawJpeg(platform::Canvas &canvas, const platform::CanvasRect &target)
{
    if (!canvas.DrawEncodedPicture(target, gkJpeg, TestJpeg().source))
        canvas.StretchBitmap(target, TestJpeg().pixels);
}

// What a report page asks of a printer's canvas: texts of several fonts
// (plain, justified, tabbed, clipped and on a background, in another script,
// underlined), frames, rounded and elliptic shapes, lines with dashes, hatch
// and solid fills, a picture drawn three times, once through "AND", and a
// JPEG drawn twice.
void DrawPage(platform::Canvas &canvas, int page)
{
    using platform::CanvasRect;
    const TppBitmap picture = Gradient(64, 48, true);
    canvas.SetFont(MakeFont("Arial", 10));
    canvas.TextOut(300, 300, "Tamaño de la muestra: 384 (página " + std::to_string(page) + ")");
    canvas.SetFont(MakeFont("Times New Roman", 12, fsBold));
    canvas.TextOut(300, 500, "Nivel de confianza — «95 %» ¿cuántos? ¡sí! 1.234,56 €");
    canvas.SetFont(MakeFont("Courier New", 9, fsItalic, clBlue));
    canvas.TabbedTextOut(300, 700, "Columna\tuno\tdos y tres", {900, 1800}, 300);
    canvas.SetFont(MakeFont("Arial", 8, fsUnderline));
    canvas.SetTextJustification(120, 5);
    canvas.TextOut(300, 900, "La muestra aleatoria simple es aquella en la que");
    canvas.SetTextJustification(0, 0);
    canvas.SetFont(MakeFont("Arial", 11));
    canvas.SetBrush(TppBrush{clSilver, bsSolid});
    canvas.TextRect(CanvasRect{300, 1100, 1500, 1200}, 300, 1100, "Recortado: este texto no cabe en su rectángulo", true);
    canvas.TextOut(300, 1300, "Griego: \xCE\xB1\xCE\xB2\xCE\xB3 y acento combinado e\xCC\x81");

    canvas.SetPen(TppPen{clBlack, psSolid, 1, pmCopy});
    canvas.SetBrush(TppBrush{clWhite, bsClear});
    canvas.Rectangle(CanvasRect{250, 250, 4000, 1500});
    canvas.SetPen(TppPen{clRed, psSolid, 6, pmCopy});
    canvas.SetBrush(TppBrush{clSilver, bsSolid});
    canvas.RoundRect(CanvasRect{300, 1700, 1500, 2300}, 200, 160);
    canvas.SetBrush(TppBrush{clGreen, bsDiagCross});
    canvas.Ellipse(CanvasRect{1700, 1700, 2900, 2300});
    canvas.SetPen(TppPen{clBlack, psDash, 1, pmCopy});
    canvas.Line({300, 2500}, {3000, 2500});
    canvas.SetPen(TppPen{clBlue, psSolid, 4, pmCopy});
    canvas.Polyline({{300, 2700}, {1000, 3100}, {1800, 2700}});
    canvas.SetBrush(TppBrush{clGray, bsSolid});
    canvas.FillRect(CanvasRect{3100, 1700, 3900, 2300});

    canvas.StretchBitmap(CanvasRect{300, 3300, 940, 3780}, picture);
    canvas.StretchBitmap(CanvasRect{1100, 3300, 2380, 4260}, picture);
    canvas.SetClipRect(CanvasRect{2500, 3300, 2900, 3700});
    canvas.StretchBitmap(CanvasRect{2500, 3300, 3140, 3780}, picture, platform::CopyMode::And);
    canvas.RemoveClipping();
    DrawJpeg(canvas, CanvasRect{300, 4400, 1500, 5200});
    DrawJpeg(canvas, CanvasRect{1700, 4400, 2300, 4800});
}

// A printer of the PDF file's resolution, Letter, no margins: the device the
// canvases measure with.
std::unique_ptr<QPrinter> MeasuringPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(platform::kPdfFileResolution);
    printer->setFullPage(true);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageMargins(QMarginsF(), QPageLayout::Point);
    return printer;
}

constexpr int kPages = 2;

// The pages as they were written before cairo: the painter canvas on a
// QPdfWriter.
bool WriteWithQt(const QString &file)
{
    const std::unique_ptr<QPrinter> printer = MeasuringPrinter();
    QPdfWriter writer(file);
    writer.setResolution(platform::kPdfFileResolution);
    writer.setTitle(QStringLiteral("Prueba"));
    writer.setPageLayout(printer->pageLayout());
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    platform::PainterCanvas canvas(printer.get(), &painter);
    for (int page = 1; page <= kPages; ++page) {
        if (page > 1)
            writer.newPage();
        DrawPage(canvas, page);
    }
    return painter.end();
}

bool WriteWithCairo(const QString &file)
{
    const std::unique_ptr<QPrinter> printer = MeasuringPrinter();
    platform::CairoPdfCanvas canvas(printer.get());
    platform::PdfDocument document;
    QString error;
    if (!document.Begin(file + QStringLiteral(".XXXXXX"), platform::kPdfFileResolution, QStringLiteral("Prueba"),
                        printer->pageLayout(), error))
        return false;
    canvas.SetContext(document.Context());
    for (int page = 1; page <= kPages; ++page) {
        if (!document.StartPage())
            return false;
        DrawPage(canvas, page);
    }
    canvas.SetContext(nullptr);
    bool written = false;
    const std::unique_ptr<QTemporaryFile> temporary = document.End(written);
    if (!written || std::rename(QFile::encodeName(temporary->fileName()).constData(), QFile::encodeName(file).constData()) != 0)
        return false;
    temporary->setAutoRemove(false);
    return true;
}

QString Output(const QString &program, const QStringList &arguments)
{
    QByteArray out;
    printed::Run(program, arguments, &out);
    return QString::fromUtf8(out);
}

} // namespace

class CairoPdfCanvasTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesMatchQtsWithinAPixel();
    void textIsTheSame();
    void fontsAreEmbeddedSubsetsWithUnicodeMaps();
    void fileIsSoundAndPicturesStoredOnce();
    void titleIsTheDocuments();
    void abortedDocumentLeavesNoFile();

private:
    QTemporaryDir m_folder;
    QString m_qt;
    QString m_cairo;
};

void CairoPdfCanvasTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_qt = m_folder.filePath(QStringLiteral("qt.pdf"));
    m_cairo = m_folder.filePath(QStringLiteral("cairo.pdf"));
    QVERIFY(WriteWithQt(m_qt));
    QVERIFY(WriteWithCairo(m_cairo));
    QCOMPARE(printed::PdfPageCount(m_cairo), kPages);
}

void CairoPdfCanvasTest::pagesMatchQtsWithinAPixel()
{
    for (int page = 1; page <= kPages; ++page) {
        const QImage before = printed::RasterisePage(m_qt, page, 150);
        const QImage after = printed::RasterisePage(m_cairo, page, 150);
        QVERIFY(!before.isNull());
        QCOMPARE(after.size(), before.size());
        // Something is drawn, and in the colours asked for.
        QVERIFY(printed::BoundingBox(after, printed::IsDark).isValid());
        QVERIFY(printed::BoundingBox(after, printed::IsReddish).isValid());
        QCOMPARE(printed::PixelsAwayMoreThanOnePixel(after, before), 0);
    }
}

void CairoPdfCanvasTest::textIsTheSame()
{
    const QStringList before = printed::PdfPageTexts(m_qt);
    const QStringList after = printed::PdfPageTexts(m_cairo);
    QCOMPARE(after.size(), kPages);
    QCOMPARE(after, before);
    QVERIFY(after.first().contains(QStringLiteral("Tamaño de la muestra: 384 (página 1)")));
    QVERIFY(after.first().contains(QStringLiteral("¡sí!")));
}

void CairoPdfCanvasTest::fontsAreEmbeddedSubsetsWithUnicodeMaps()
{
    const QStringList lines = Output(QStringLiteral("pdffonts"), {m_cairo}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    // Arial, Times, Courier (each as the system has them) and the fallback
    // of the Greek letters, if another face gives them.
    QVERIFY2(lines.size() >= 3, qPrintable(lines.join(QLatin1Char('\n'))));
    for (const QString &line : lines) {
        // name type encoding emb sub uni object ID: the three flags before
        // the object number.
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(fields.size() >= 6, qPrintable(line));
        QCOMPARE(fields.mid(fields.size() - 5, 3), (QStringList{"yes", "yes", "yes"}));
        QVERIFY2(fields.first().contains(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+"))), qPrintable(line));
    }
}

void CairoPdfCanvasTest::fileIsSoundAndPicturesStoredOnce()
{
    QByteArray out;
    QVERIFY2(printed::Run(QStringLiteral("qpdf"), {QStringLiteral("--check"), m_cairo}, &out), out.constData());
    QVERIFY(!out.contains("WARNING"));
    // The picture, its "AND" form and the JPEG (its own bytes), drawn on
    // both pages: three image objects.
    const QStringList images = Output(QStringLiteral("pdfimages"), {QStringLiteral("-list"), m_cairo})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    QSet<QString> objects;
    QSet<QString> jpegObjects;
    int drawn = 0;
    for (const QString &line : images) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() > 11 && fields.at(2) == QStringLiteral("image")) {
            objects.insert(fields.at(10));
            if (fields.at(8) == QStringLiteral("jpeg"))
                jpegObjects.insert(fields.at(10));
            ++drawn;
        }
    }
    QCOMPARE(drawn, 5 * kPages);
    QCOMPARE(objects.size(), 3);
    QCOMPARE(jpegObjects.size(), 1);
}

void CairoPdfCanvasTest::titleIsTheDocuments()
{
    QVERIFY(printed::PdfInfo(m_cairo).contains(QRegularExpression(QStringLiteral("Title: +Prueba"))));
}

void CairoPdfCanvasTest::abortedDocumentLeavesNoFile()
{
    QTemporaryDir folder;
    const std::unique_ptr<QPrinter> printer = MeasuringPrinter();
    platform::CairoPdfCanvas canvas(printer.get());
    {
        platform::PdfDocument document;
        QString error;
        QVERIFY(document.Begin(folder.filePath(QStringLiteral("x.XXXXXX")), platform::kPdfFileResolution,
                               QStringLiteral("Prueba"), printer->pageLayout(), error));
        canvas.SetContext(document.Context());
        QVERIFY(document.StartPage());
        DrawPage(canvas, 1);
        canvas.SetContext(nullptr);
        document.Abort();
        QVERIFY(!document.IsOpen());
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(CairoPdfCanvasTest)
#include "cairo_pdf_canvas_test.moc"
