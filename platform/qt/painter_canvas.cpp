#include "platform/qt/painter_canvas.h"

#include "platform/qt/qt_color.h"
#include "platform/qt/qt_font.h"
#include "platform/qt/tab_expansion.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

constexpr QChar kTab(u'\t');
constexpr QChar kSpace(u' ');
constexpr int kTabCharacters = 8;

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Decodes the UTF-8 character at `index` and moves past it; false when the
// bytes there are not a valid character. Overlong forms and surrogates are
// not: the toolkit draws a replacement character for each of their bytes, so
// they must not be measured as the character they spell.
bool NextCodePoint(std::string_view text, std::size_t &index, char32_t &code)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(index);
    std::size_t length = 1;
    char32_t smallest = 0;
    if (lead < 0x80) {
        code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        code = lead & 0x1F;
        length = 2;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        code = lead & 0x0F;
        length = 3;
        smallest = 0x800;
    } else {
        return false; // beyond the scripts measured piecewise anyway
    }
    if (index + length > text.size())
        return false;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(index + k) & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (byte(index + k) & 0x3F);
    }
    if (code < smallest || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    index += length;
    return true;
}

// Characters laid out one glyph each, whatever their neighbours.
bool IsPiecewiseCharacter(char32_t code)
{
    if (code >= 0x20 && code <= 0x7E)
        return true; // printable ASCII
    if (code >= 0xA0 && code <= 0x24F)
        return code != 0xAD; // Latin-1 and Latin extended, not the soft hyphen
    if (code >= 0x2010 && code <= 0x2027)
        return true; // dashes, quotes, bullets, ellipsis
    if (code >= 0x2030 && code <= 0x205E)
        return true; // per mille, primes and other punctuation
    return code >= 0x20A0 && code <= 0x20C0; // currency signs
}

// Calls `each` with every character of a text laid out glyph by glyph (see
// PainterCanvas::AdvancesAdd); false, early, at the first other character.
template <typename Each>
bool ForEachPiecewiseCharacter(std::string_view text, Each each)
{
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = static_cast<unsigned char>(text[i]);
        if (code >= 0x20 && code <= 0x7E)
            ++i;
        else if (!NextCodePoint(text, i, code) || !IsPiecewiseCharacter(code))
            return false;
        each(code);
    }
    return true;
}

QRect ToQRect(const CanvasRect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

// The outline of a shape whose stroke stays inside the rectangle, as GDI
// draws frames: a one-pixel pen covers the first and last pixel rows.
QRectF StrokeRect(const CanvasRect &rect, qreal penWidth)
{
    const qreal inset = penWidth / 2;
    return QRectF(rect.left + inset, rect.top + inset, std::max<qreal>(0, rect.Width() - penWidth),
                  std::max<qreal>(0, rect.Height() - penWidth));
}

Qt::PenStyle ToQtPenStyle(TppPenStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle ToQtBrushStyle(TppBrushStyle style)
{
    switch (style) {
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::BDiagPattern; // "forward" runs from bottom left to top right
    case bsBDiagonal:
        return Qt::FDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

QPainter::CompositionMode ToCompositionMode(TppPenMode mode)
{
    switch (mode) {
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

bool IsRaster(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

// Number of spaces in a text, the breaks that justification widens.
int CountSpaces(const QString &text)
{
    return int(text.count(kSpace));
}

} // namespace

PainterCanvas::PainterCanvas(QPaintDevice *device, QPainter *painter)
    : m_device(device)
    , m_painter(painter)
{
    SetFont(TppFont());
}

PainterCanvas::~PainterCanvas() = default;

void PainterCanvas::SetPainter(QPainter *painter)
{
    m_painter = painter;
}

int PainterCanvas::PixelsPerInchX() const
{
    return m_device ? m_device->logicalDpiX() : 96;
}

int PainterCanvas::PixelsPerInchY() const
{
    return m_device ? m_device->logicalDpiY() : 96;
}

void PainterCanvas::SetFont(const TppFont &font)
{
    TppFont adjusted = font;
    adjusted.SetPixelsPerInch(PixelsPerInchY());
    // Text is measured with the same font again and again: what the colour
    // alone changes needs no new font, metrics or advances.
    const bool sameShape = m_qfontMade && adjusted.Name() == m_font.Name()
        && adjusted.Height() == m_font.Height() && adjusted.PixelsPerInch() == m_font.PixelsPerInch()
        && adjusted.Style() == m_font.Style() && adjusted.Pitch() == m_font.Pitch()
        && adjusted.Charset() == m_font.Charset();
    m_font = adjusted;
    if (sameShape)
        return;
    m_qfont = ToQFont(m_font, m_device);
    m_qfontMade = true;
    m_metrics.reset();
    m_canvasMetrics.reset();
    m_rawFont.reset();
    m_advancesFontSelected = false;
}

void PainterCanvas::SetTextLayout(const Canvas *layout, double scaleX, double scaleY)
{
    m_layout = layout;
    m_layoutScaleX = scaleX;
    m_layoutScaleY = scaleY;
}

const QFontMetricsF &PainterCanvas::Metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_qfont, m_device);
    return *m_metrics;
}

CanvasFontMetrics PainterCanvas::FontMetrics() const
{
    if (m_canvasMetrics)
        return *m_canvasMetrics;
    const QFontMetricsF &metrics = Metrics();
    CanvasFontMetrics &result = m_canvasMetrics.emplace();
    result.ascent = qRound(metrics.ascent());
    result.descent = qRound(metrics.descent());
    result.height = result.ascent + result.descent;
    result.internalLeading = std::max(0, result.height - m_qfont.pixelSize());
    result.externalLeading = std::max(0, qRound(metrics.leading()));
    result.averageCharWidth = std::max(1, qRound(metrics.averageCharWidth()));
    return result;
}

int PainterCanvas::WidthOf(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    if (m_layout)
        return AdvancePixels(m_layout->TextAdvance(text.toStdString()) * m_layoutScaleX);
    return AdvancePixels(Metrics().horizontalAdvance(text));
}

int PainterCanvas::RunWidth(const QString &run) const
{
    // Every line drawn is measured again here: where advances add, the table
    // gives the same pixels without shaping the line once more.
    double advance = 0;
    if (!m_layout && PiecewiseAdvance(run.toStdString(), advance))
        return AdvancePixels(advance);
    return WidthOf(run);
}

int PainterCanvas::TextWidth(std::string_view text) const
{
    return WidthOf(FromUtf8(text));
}

int PainterCanvas::AdvancePixels(double advance) const
{
    // Rounded up, so that a text measured to fit never reaches past its room.
    constexpr qreal kTolerance = 1e-4;
    return int(std::ceil(advance - kTolerance));
}

bool PainterCanvas::AdvancesAdd(std::string_view text) const
{
    // With kerning off and shaping skipped (as for these fonts), Latin and
    // common characters are laid out glyph by glyph, each with its own
    // advance in fixed-point pixels, so advances add exactly. Other scripts
    // may be shaped across their neighbours; controls and the soft hyphen
    // are laid out specially.
    return ForEachPiecewiseCharacter(text, [](char32_t) {});
}

void PainterCanvas::SelectAdvances() const
{
    if (m_advancesFontSelected)
        return;
    // Chosen on first use: canvases that only draw never pay for the key.
    m_advances.SelectFont(m_qfont.key().toStdString() + '@' + std::to_string(PixelsPerInchX()) + 'x'
                          + std::to_string(PixelsPerInchY()));
    m_advancesFontSelected = true;
}

double PainterCanvas::MeasureCharacter(char32_t code) const
{
    SelectAdvances();
    if (const double *known = m_advances.Find(code))
        return *known;
    // Every character kept lies in the basic plane: one UTF-16 unit.
    const double advance = Metrics().horizontalAdvance(QString(QChar(char16_t(code))));
    m_advances.Insert(code, advance);
    return advance;
}

std::vector<double> PainterCanvas::CharacterAdvances(std::string_view text) const
{
    std::vector<double> advances;
    if (!ForEachPiecewiseCharacter(text, [&](char32_t code) { advances.push_back(CharacterAdvance(code)); }))
        return {};
    return advances;
}

inline double PainterCanvas::CharacterAdvance(char32_t code) const
{
    if (m_advancesFontSelected) {
        if (const double *known = m_advances.Find(code))
            return *known;
    }
    return MeasureCharacter(code);
}

bool PainterCanvas::PiecewiseAdvance(std::string_view text, double &advance) const
{
    // Characters laid out one glyph each add their advances exactly (see
    // AdvancesAdd), so a text of them is measured character by character
    // from the table. Printable ASCII, most of any text, goes straight to the
    // table: this runs for every word laid out.
    if (!m_advancesFontSelected)
        SelectAdvances();
    double sum = 0;
    const bool piecewise = ForEachPiecewiseCharacter(text, [&](char32_t code) {
        if (code >= 0x20 && code <= 0x7E) {
            const double *known = m_advances.FindPrintableAscii(code);
            sum += known ? *known : MeasureCharacter(code);
        } else {
            sum += CharacterAdvance(code);
        }
    });
    if (!piecewise)
        return false;
    advance = sum;
    return true;
}

double PainterCanvas::TextAdvance(std::string_view text) const
{
    if (m_layout)
        return m_layout->TextAdvance(text) * m_layoutScaleX;
    double advance = 0;
    if (PiecewiseAdvance(text, advance))
        return advance;
    return Metrics().horizontalAdvance(FromUtf8(text));
}

int PainterCanvas::TextHeight(std::string_view) const
{
    return FontMetrics().height;
}

int PainterCanvas::DefaultTabSpacing() const
{
    if (m_layout)
        return qRound(kTabCharacters * m_layout->FontMetrics().averageCharWidth * m_layoutScaleX);
    return kTabCharacters * FontMetrics().averageCharWidth;
}

int PainterCanvas::TabbedWidthOf(const QString &text, const TabStops &stops) const
{
    const int spacing = DefaultTabSpacing();
    int x = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype tab = text.indexOf(kTab, start);
        x += WidthOf(text.mid(start, tab < 0 ? -1 : tab - start));
        if (tab < 0)
            return x;
        x = NextTabPosition(x, 0, stops, spacing);
        start = tab + 1;
    }
}

int PainterCanvas::TabbedTextWidth(std::string_view text, const TabStops &stops) const
{
    return TabbedWidthOf(FromUtf8(text), stops);
}

CanvasRect PainterCanvas::CalcTextRect(const CanvasRect &bounds, std::string_view text,
                                       CanvasTextFlags flags) const
{
    const CanvasFontMetrics metrics = FontMetrics();
    const int lineHeight
        = metrics.height + ((flags & ctfExternalLeading) ? metrics.externalLeading : 0);
    const bool expandTabs = flags & ctfExpandTabs;
    const TabStops noStops;
    auto width = [&](const QString &line) {
        return expandTabs ? TabbedWidthOf(line, noStops) : WidthOf(line);
    };

    QString all = FromUtf8(text);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(QChar(u'\r'), QChar(u'\n'));
    const QStringList paragraphs = all.split(QChar(u'\n'));

    int lines = 0;
    int widest = 0;
    for (const QString &paragraph : paragraphs) {
        if (!(flags & ctfWordBreak)) {
            widest = std::max(widest, width(paragraph));
            ++lines;
            continue;
        }
        // Greedy breaking at spaces; a word wider than the bounds stays whole.
        QString line;
        for (const QString &word : paragraph.split(kSpace)) {
            const QString candidate = line.isEmpty() ? word : line + kSpace + word;
            if (!line.isEmpty() && width(candidate) > bounds.Width()) {
                widest = std::max(widest, width(line));
                ++lines;
                line = word;
            } else {
                line = candidate;
            }
        }
        widest = std::max(widest, width(line));
        ++lines;
    }

    CanvasRect result = bounds;
    result.bottom = bounds.top + lines * lineHeight;
    if (flags & ctfRight)
        result.left = bounds.right - widest;
    else if (flags & ctfCenter)
        result.left = bounds.left + (bounds.Width() - widest) / 2;
    result.right = result.left + widest;
    return result;
}

void PainterCanvas::SetTextJustification(int extra, int breakCount)
{
    m_justification = breakCount > 0 ? Justification{extra, breakCount} : Justification{};
}

void PainterCanvas::PrepareText()
{
    m_painter->setFont(m_qfont);
    m_painter->setPen(QPen(ToQColor(m_font.Color())));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    ApplyClip();
}

qreal PainterCanvas::Baseline(int y) const
{
    return m_layout ? y + m_layout->FontMetrics().ascent * m_layoutScaleY : y + Metrics().ascent();
}

qreal PainterCanvas::PrefixAdvance(const QString &text, qsizetype length) const
{
    if (length <= 0)
        return 0;
    if (m_layout)
        return m_layout->TextAdvance(text.left(length).toStdString()) * m_layoutScaleX;
    return Metrics().horizontalAdvance(text.left(length));
}

int PainterCanvas::DrawRun(int x, int y, const QString &run, int &breaksDone)
{
    const qreal baseline = Baseline(y);
    if (m_layout) {
        const int end = DrawLaidOutRun(x, baseline, run, breaksDone);
        if (end != INT_MIN)
            return end;
    } else if (m_justification.breakCount == 0 || CountSpaces(run) == 0) {
        DrawTextAt(QPointF(x, baseline), run);
        return x + RunWidth(run);
    }
    // Each of the first breakCount spaces gets its share of the extra pixels;
    // the remainder goes one pixel each to the first ones.
    const int share = m_justification.breakCount > 0 ? m_justification.extra / m_justification.breakCount : 0;
    const int remainder = m_justification.breakCount > 0 ? std::abs(m_justification.extra % m_justification.breakCount) : 0;
    const int step = m_justification.extra < 0 ? -1 : 1;
    // Pieces are placed by the width of everything before them, so that the
    // run is exactly as wide as measured plus the extra pixels.
    int added = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype space = run.indexOf(kSpace, start);
        const QString word = run.mid(start, space < 0 ? -1 : space - start + 1);
        DrawTextAt(QPointF(x + PrefixAdvance(run, start) + added, baseline), word);
        if (space < 0)
            break;
        if (breaksDone < m_justification.breakCount) {
            added += share + (breaksDone < remainder ? step : 0);
            ++breaksDone;
        }
        start = space + 1;
        if (start >= run.size())
            break;
    }
    return x + RunWidth(run) + added;
}

void PainterCanvas::DrawTextAt(QPointF origin, const QString &text)
{
    m_painter->drawText(origin, text);
}

int PainterCanvas::DrawLaidOutRun(int x, qreal baseline, const QString &run, int &breaksDone)
{
    const std::vector<double> advances = m_layout->CharacterAdvances(run.toStdString());
    // Characters the layout does not place one by one go word by word.
    if (run.isEmpty() || advances.size() != std::size_t(run.size()))
        return INT_MIN;
    const int breakCount = m_justification.breakCount;
    const int share = breakCount > 0 ? m_justification.extra / breakCount : 0;
    const int remainder = breakCount > 0 ? std::abs(m_justification.extra % breakCount) : 0;
    const int step = m_justification.extra < 0 ? -1 : 1;
    std::vector<qreal> offsets(advances.size());
    double pen = 0;
    int added = 0;
    for (std::size_t i = 0; i < advances.size(); ++i) {
        offsets[i] = pen * m_layoutScaleX + added;
        pen += advances[i];
        if (run[qsizetype(i)] == kSpace && breaksDone < breakCount) {
            added += share + (breaksDone < remainder ? step : 0);
            ++breaksDone;
        }
    }
    DrawGlyphsAt(x, baseline, run, offsets);
    return x + WidthOf(run) + added;
}

void PainterCanvas::DrawGlyphsAt(int x, qreal baseline, const QString &text,
                                 const std::vector<qreal> &offsets)
{
    if (!m_rawFont)
        m_rawFont = QRawFont::fromFont(m_qfont);
    const QList<quint32> glyphs = m_rawFont->glyphIndexesForString(text);
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qreal at = offsets[std::size_t(i)];
        if (i < glyphs.size() && glyphs[i] != 0) {
            indexes.append(glyphs[i]);
            positions.append(QPointF(at, 0));
        } else if (!text[i].isSpace()) {
            // Not in the font itself: another font of the system has it.
            m_painter->drawText(QPointF(x + at, baseline), QString(text[i]));
        }
    }
    if (indexes.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(*m_rawFont);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    run.setUnderline(m_qfont.underline());
    run.setStrikeOut(m_qfont.strikeOut());
    m_painter->drawGlyphRun(QPointF(x, baseline), run);
}

int PainterCanvas::DrawTabbed(int x, int y, const QString &text, const TabStops &stops,
                              int origin)
{
    const int spacing = DefaultTabSpacing();
    int breaksDone = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype tab = text.indexOf(kTab, start);
        x = DrawRun(x, y, text.mid(start, tab < 0 ? -1 : tab - start), breaksDone);
        if (tab < 0)
            return x;
        x = NextTabPosition(x, origin, stops, spacing);
        start = tab + 1;
    }
}

void PainterCanvas::TextOut(int x, int y, std::string_view text)
{
    if (!m_painter)
        return;
    PrepareText();
    int breaksDone = 0;
    DrawRun(x, y, FromUtf8(text), breaksDone);
}

void PainterCanvas::TextRect(const CanvasRect &clip, int x, int y, std::string_view text,
                             bool opaque)
{
    if (!m_painter)
        return;
    PrepareText();
    if (m_clip)
        m_painter->setClipRect(ToQRect(clip), Qt::IntersectClip);
    else
        m_painter->setClipRect(ToQRect(clip));
    if (opaque)
        m_painter->fillRect(ToQRect(clip), ToQColor(m_brush.Color));
    int breaksDone = 0;
    DrawRun(x, y, FromUtf8(text), breaksDone);
    ApplyClip();
}

void PainterCanvas::TabbedTextOut(int x, int y, std::string_view text, const TabStops &stops,
                                  int tabOrigin)
{
    if (!m_painter)
        return;
    PrepareText();
    DrawTabbed(x, y, FromUtf8(text), stops, tabOrigin);
}

bool PainterCanvas::PrepareShape()
{
    if (!m_painter)
        return false;
    if (m_pen.Style == psClear) {
        m_painter->setPen(Qt::NoPen);
    } else {
        // Dashes and dots exist only for one-pixel pens; wider ones draw solid.
        const int width = std::max(1, m_pen.Width);
        QPen pen(ToQColor(m_pen.Color), width,
                 width > 1 ? Qt::SolidLine : ToQtPenStyle(m_pen.Style));
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        m_painter->setPen(pen);
    }
    m_painter->setBrush(QBrush(ToQColor(m_brush.Color), ToQtBrushStyle(m_brush.Style)));
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setCompositionMode(IsRaster(*m_painter) ? ToCompositionMode(m_pen.Mode)
                                                       : QPainter::CompositionMode_SourceOver);
    ApplyClip();
    return true;
}

static qreal StrokeWidth(const QPainter &painter)
{
    return painter.pen().style() == Qt::NoPen ? 0 : painter.pen().widthF();
}

void PainterCanvas::FillRect(const CanvasRect &rect)
{
    if (!m_painter || m_brush.Style == bsClear)
        return;
    ApplyClip();
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter->fillRect(ToQRect(rect), QBrush(ToQColor(m_brush.Color), ToQtBrushStyle(m_brush.Style)));
}

void PainterCanvas::Rectangle(const CanvasRect &rect)
{
    if (!PrepareShape() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    m_painter->drawRect(StrokeRect(rect, StrokeWidth(*m_painter)));
}

void PainterCanvas::RoundRect(const CanvasRect &rect, int cornerWidth, int cornerHeight)
{
    if (!PrepareShape() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    m_painter->drawRoundedRect(StrokeRect(rect, StrokeWidth(*m_painter)), cornerWidth / 2.0,
                               cornerHeight / 2.0, Qt::AbsoluteSize);
}

void PainterCanvas::Ellipse(const CanvasRect &rect)
{
    if (!PrepareShape() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    m_painter->drawEllipse(StrokeRect(rect, StrokeWidth(*m_painter)));
}

void PainterCanvas::Line(CanvasPoint from, CanvasPoint to)
{
    if (!PrepareShape() || from == to)
        return;
    // The end point belongs to the next segment: stop one pixel short of it
    // along the longer axis.
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const QPointF last(to.x - qreal(dx) / steps, to.y - qreal(dy) / steps);
    const qreal half = 0.5;
    m_painter->drawLine(QPointF(from.x + half, from.y + half),
                        QPointF(std::round(last.x()) + half, std::round(last.y()) + half));
}

void PainterCanvas::Polyline(const std::vector<CanvasPoint> &points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        Line(points[i - 1], points[i]);
}

void PainterCanvas::StretchBitmap(const CanvasRect &target, const TppBitmap &bitmap,
                                  CopyMode mode)
{
    if (!m_painter || bitmap.IsEmpty() || target.Width() == 0 || target.Height() == 0
        || bitmap.Pixels.size() < std::size_t(bitmap.Width) * std::size_t(bitmap.Height))
        return;
    ApplyClip();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Devices that cannot combine pixels (printers) get white made
    // transparent instead, the same result over white paper.
    const bool combine = mode == CopyMode::And && IsRaster(*m_painter);
    QImage image = m_images.Image(bitmap, mode == CopyMode::And && !combine);
    m_painter->setCompositionMode(combine ? QPainter::RasterOp_SourceAndDestination
                                          : QPainter::CompositionMode_SourceOver);
    const QRect rect = ToQRect(target).normalized();
    const QTransform transform = m_painter->deviceTransform();
    if (IsRaster(*m_painter) && transform.type() <= QTransform::TxScale) {
        // Scaled once to the device pixels it covers, the bitmap is then
        // copied without a transformation: combining pixels through a
        // scaling transformation is far slower on large zooms.
        const QRectF device = transform.mapRect(QRectF(rect));
        const QSize size(qRound(device.width()), qRound(device.height()));
        if (!size.isEmpty() && size != image.size())
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        image.setDevicePixelRatio(rect.width() > 0 ? qreal(size.width()) / rect.width() : 1.0);
    }
    m_painter->drawImage(rect, image);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PainterCanvas::SetClipRect(const CanvasRect &rect)
{
    m_clip = rect;
    if (m_painter)
        ApplyClip();
}

void PainterCanvas::RemoveClipping()
{
    m_clip.reset();
    if (m_painter)
        ApplyClip();
}

void PainterCanvas::ApplyClip()
{
    if (m_clip)
        m_painter->setClipRect(ToQRect(*m_clip));
    else
        m_painter->setClipping(false);
}

} // namespace platform
