#include "report/definition_reader.h"

#include "platform/picture.h"
#include "platform/property_tree.h"
#include "report/band_kinds.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/shape.h"

#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <set>
#include <utility>

namespace {

template<class E>
using EnumTable = std::initializer_list<std::pair<const char *, E>>;

const EnumTable<TppUnitType> kUnits{{"utScreenPixels", utScreenPixels},
                                    {"utInches", utInches},
                                    {"utMillimeters", utMillimeters},
                                    {"utPrinterPixels", utPrinterPixels},
                                    {"utMMThousandths", utMMThousandths}};
const EnumTable<TppTextAlignment> kTextAlignments{{"taLeftJustified", taLeftJustified},
                                                  {"taRightJustified", taRightJustified},
                                                  {"taCentered", taCentered},
                                                  {"taFullJustified", taFullJustified}};
const EnumTable<TppPrintHeightType> kPrintHeights{{"phStatic", phStatic}, {"phDynamic", phDynamic}};
const EnumTable<TppShapeType> kShapes{{"stRectangle", stRectangle}, {"stSquare", stSquare},
                                      {"stRoundRect", stRoundRect}, {"stRoundSquare", stRoundSquare},
                                      {"stEllipse", stEllipse},     {"stCircle", stCircle}};
const EnumTable<TppPenStyle> kPenStyles{{"psSolid", psSolid},           {"psDash", psDash},
                                        {"psDot", psDot},               {"psDashDot", psDashDot},
                                        {"psDashDotDot", psDashDotDot}, {"psClear", psClear},
                                        {"psInsideFrame", psInsideFrame}};
const EnumTable<TppPenMode> kPenModes{{"pmCopy", pmCopy}, {"pmNotCopy", pmNotCopy}, {"pmMerge", pmMerge},
                                      {"pmMask", pmMask}, {"pmXor", pmXor},         {"pmNot", pmNot}};
const EnumTable<TppBrushStyle> kBrushStyles{{"bsSolid", bsSolid},           {"bsClear", bsClear},
                                            {"bsHorizontal", bsHorizontal}, {"bsVertical", bsVertical},
                                            {"bsFDiagonal", bsFDiagonal},   {"bsBDiagonal", bsBDiagonal},
                                            {"bsCross", bsCross},           {"bsDiagCross", bsDiagCross}};
const EnumTable<TppFontStyle> kFontStyles{{"fsBold", fsBold}, {"fsItalic", fsItalic},
                                          {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
const EnumTable<TppFontPitch> kPitches{{"fpDefault", fpDefault}, {"fpVariable", fpVariable}, {"fpFixed", fpFixed}};
const EnumTable<TPrinterOrientation> kOrientations{{"poPortrait", poPortrait}, {"poLandscape", poLandscape}};
const EnumTable<TppDuplexType> kDuplexes{{"dpNone", dpNone}, {"dpHorizontal", dpHorizontal}, {"dpVertical", dpVertical}};
const EnumTable<TppFileType> kFileTypes{{"ftComma", ftComma}, {"ftTab", ftTab},
                                        {"ftFixedLength", ftFixedLength}, {"ftCustom", ftCustom}};
const EnumTable<TppLanguageType> kLanguages{{"lgDefault", lgDefault}, {"lgCustom", lgCustom}};
const EnumTable<TppPassSettingType> kPassSettings{{"psOnePass", psOnePass}, {"psTwoPass", psTwoPass}};
const EnumTable<TppNoDataBehaviorType> kNoDataBehaviors{{"ndMessageOnPage", ndMessageOnPage},
                                                        {"ndBlankPage", ndBlankPage},
                                                        {"ndMessageDialog", ndMessageDialog},
                                                        {"ndBlankReport", ndBlankReport}};
const EnumTable<TppColumnTraversalType> kTraversals{{"ctTopToBottom", ctTopToBottom},
                                                    {"ctLeftToRight", ctLeftToRight}};
const EnumTable<TppPageSettingType> kPageSettings{{"psAll", psAll},           {"psPageList", psPageList},
                                                  {"psSinglePage", psSinglePage}, {"psFirstPage", psFirstPage},
                                                  {"psLastPage", psLastPage},   {"psPageRange", psPageRange}};
const EnumTable<TppColor> kColors{
    {"clBlack", clBlack},         {"clWhite", clWhite},         {"clRed", clRed},
    {"clGreen", clGreen},         {"clBlue", clBlue},           {"clGray", clGray},
    {"clSilver", clSilver},       {"clWindow", clWindow},       {"clWindowText", clWindowText},
    {"clBtnFace", clBtnFace},     {"clBtnShadow", clBtnShadow}, {"clBtnText", clBtnText},
    {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clGrayText", clGrayText}};

// 100 metres: more than any sheet or roll, far below the 32-bit limit.
constexpr std::int32_t kMaxLength = 100'000'000;
// Pen widths are screen pixels.
constexpr std::int32_t kMaxPenWidth = 1000;

enum LengthRange { lrSigned, lrNotNegative };

template<class E>
std::string Choices(const EnumTable<E> &table)
{
    std::string text;
    for (const auto &entry : table)
        text += (text.empty() ? "" : ", ") + std::string(entry.first);
    return text;
}

// The stored properties of one object (or of a nested value such as a
// font). Every read marks its key; Finish refuses the keys nobody read, so a
// misspelt property is an error instead of a silent default.
class Properties {
public:
    Properties(const TppPropertyNode *node, std::string path) : m_node(node), m_path(std::move(path))
    {
        if (m_node && m_node->GetKind() != TppPropertyNode::pkObject)
            throw TppDefinitionError(m_path + ": the properties must be an object of named values.");
    }

    const std::string &Path() const { return m_path; }

    const TppPropertyNode *Take(const char *key)
    {
        m_used.insert(key);
        return m_node ? m_node->Find(key) : nullptr;
    }

    const TppPropertyNode &Require(const char *key)
    {
        const TppPropertyNode *value = Take(key);
        if (!value)
            throw TppDefinitionError(m_path + ": property \"" + key + "\" is missing.");
        return *value;
    }

    [[noreturn]] void Fail(const char *key, const std::string &what) const
    {
        throw TppDefinitionError(m_path + ": property \"" + key + "\" " + what);
    }

    std::int32_t ToInt(const char *key, const TppPropertyNode &value) const
    {
        const double number = value.AsNumber();
        if (value.GetKind() != TppPropertyNode::pkNumber || std::trunc(number) != number
            || number < std::numeric_limits<std::int32_t>::min()
            || number > std::numeric_limits<std::int32_t>::max())
            Fail(key, "must be a whole number from -2147483648 to 2147483647.");
        return static_cast<std::int32_t>(number);
    }

    bool ToBool(const char *key, const TppPropertyNode &value) const
    {
        if (value.GetKind() != TppPropertyNode::pkBoolean)
            Fail(key, "must be true or false.");
        return value.AsBoolean();
    }

    const std::string &ToString(const char *key, const TppPropertyNode &value) const
    {
        if (value.GetKind() != TppPropertyNode::pkString)
            Fail(key, "must be a text.");
        return value.AsString();
    }

    template<class E>
    E ToEnum(const char *key, const TppPropertyNode &value, const EnumTable<E> &table) const
    {
        if (value.GetKind() == TppPropertyNode::pkString) {
            for (const auto &entry : table) {
                if (value.AsString() == entry.first)
                    return entry.second;
            }
        }
        Fail(key, "must be one of " + Choices(table) + ".");
    }

    void Int(const char *key, const std::function<void(std::int32_t)> &set)
    {
        if (const TppPropertyNode *value = Take(key))
            set(ToInt(key, *value));
    }
    void RequiredInt(const char *key, const std::function<void(std::int32_t)> &set)
    {
        set(ToInt(key, Require(key)));
    }
    // A length in thousandths of a millimetre. Lengths are bounded far
    // inside the 32-bit range, so that the sums generation forms of a few
    // of them (margins, band and component positions, offsets) cannot
    // overflow.
    std::int32_t ToLength(const char *key, const TppPropertyNode &value, LengthRange range) const
    {
        const std::int32_t length = ToInt(key, value);
        const std::int32_t lowest = range == lrSigned ? -kMaxLength : 0;
        if (range == lrNotNegative && length < 0)
            Fail(key, "must not be negative.");
        if (length < lowest || length > kMaxLength)
            Fail(key, "must be a length from " + std::to_string(lowest) + " to " + std::to_string(kMaxLength)
                          + " thousandths of a millimetre.");
        return length;
    }
    void Length(const char *key, LengthRange range, const std::function<void(std::int32_t)> &set)
    {
        if (const TppPropertyNode *value = Take(key))
            set(ToLength(key, *value, range));
    }
    void RequiredLength(const char *key, LengthRange range, const std::function<void(std::int32_t)> &set)
    {
        set(ToLength(key, Require(key), range));
    }
    void Bool(const char *key, const std::function<void(bool)> &set)
    {
        if (const TppPropertyNode *value = Take(key))
            set(ToBool(key, *value));
    }
    void String(const char *key, const std::function<void(const std::string &)> &set)
    {
        if (const TppPropertyNode *value = Take(key))
            set(ToString(key, *value));
    }
    void RequiredString(const char *key, const std::function<void(const std::string &)> &set)
    {
        set(ToString(key, Require(key)));
    }
    template<class E, class Set>
    void Enum(const char *key, const EnumTable<E> &table, Set set)
    {
        if (const TppPropertyNode *value = Take(key))
            set(ToEnum(key, *value, table));
    }
    void Strings(const char *key, const std::function<void(const TppStringList &)> &set)
    {
        const TppPropertyNode *value = Take(key);
        if (!value)
            return;
        if (value->GetKind() != TppPropertyNode::pkList)
            Fail(key, "must be a list of texts.");
        TppStringList lines;
        for (const TppPropertyNode &item : value->Items()) {
            if (item.GetKind() != TppPropertyNode::pkString)
                Fail(key, "must be a list of texts.");
            lines.push_back(item.AsString());
        }
        set(lines);
    }
    // A colour by name ("clBlack") or as "#RRGGBB".
    TppColor ToColor(const char *key, const TppPropertyNode &value) const
    {
        if (value.GetKind() == TppPropertyNode::pkString) {
            const std::string &text = value.AsString();
            if (text.size() == 7 && text[0] == '#'
                && text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos)
                return TppColor::FromRgb(std::uint32_t(std::stoul(text.substr(1), nullptr, 16)));
            for (const auto &entry : kColors) {
                if (text == entry.first)
                    return entry.second;
            }
        }
        Fail(key, "must be a colour: \"#RRGGBB\" or one of " + Choices(kColors) + ".");
    }
    void Color(const char *key, const std::function<void(TppColor)> &set)
    {
        if (const TppPropertyNode *value = Take(key))
            set(ToColor(key, *value));
    }
    // A nested value with properties of its own.
    Properties Nested(const char *key, const TppPropertyNode &value)
    {
        if (value.GetKind() != TppPropertyNode::pkObject)
            Fail(key, "must be an object of named values.");
        return Properties(&value, m_path + "." + key);
    }

    void Finish() const
    {
        if (!m_node)
            return;
        for (const auto &member : m_node->Members()) {
            if (!m_used.count(member.first))
                throw TppDefinitionError(m_path + ": unknown property \"" + member.first + "\".");
        }
    }

private:
    const TppPropertyNode *m_node;
    std::string m_path;
    std::set<std::string, std::less<>> m_used;
};

TppFont ReadFont(Properties &p, const char *key, const TppPropertyNode &value)
{
    Properties f = p.Nested(key, value);
    TppFont font;
    f.String("Name", [&](const std::string &v) {
        if (v.empty())
            f.Fail("Name", "must not be empty.");
        font.SetName(v);
    });
    f.Int("Size", [&](std::int32_t v) {
        if (v <= 0 || v > 1638)
            f.Fail("Size", "must be a size in points from 1 to 1638.");
        font.SetSize(v);
    });
    if (const TppPropertyNode *styles = f.Take("Style")) {
        if (styles->GetKind() != TppPropertyNode::pkList)
            f.Fail("Style", "must be a list of " + Choices(kFontStyles) + ".");
        TppFontStyles set = 0;
        for (const TppPropertyNode &item : styles->Items())
            set |= f.ToEnum("Style", item, kFontStyles);
        font.SetStyle(set);
    }
    f.Color("Color", [&](TppColor v) { font.SetColor(v); });
    f.Int("Charset", [&](std::int32_t v) {
        if (v < 0 || v > 255)
            f.Fail("Charset", "must be a character set number from 0 to 255.");
        font.SetCharset(std::uint8_t(v));
    });
    f.Enum("Pitch", kPitches, [&](TppFontPitch v) { font.SetPitch(v); });
    f.Finish();
    return font;
}

TppPen ReadPen(Properties &p, const char *key, const TppPropertyNode &value)
{
    Properties n = p.Nested(key, value);
    TppPen pen;
    n.Color("Color", [&](TppColor v) { pen.Color = v; });
    n.Enum("Style", kPenStyles, [&](TppPenStyle v) { pen.Style = v; });
    n.Int("Width", [&](std::int32_t v) {
        if (v < 0)
            n.Fail("Width", "must not be negative.");
        if (v > kMaxPenWidth)
            n.Fail("Width", "must be a width in pixels from 0 to " + std::to_string(kMaxPenWidth) + ".");
        pen.Width = v;
    });
    n.Enum("Mode", kPenModes, [&](TppPenMode v) { pen.Mode = v; });
    n.Finish();
    return pen;
}

TppBrush ReadBrush(Properties &p, const char *key, const TppPropertyNode &value)
{
    Properties n = p.Nested(key, value);
    TppBrush brush;
    n.Color("Color", [&](TppColor v) { brush.Color = v; });
    n.Enum("Style", kBrushStyles, [&](TppBrushStyle v) { brush.Style = v; });
    n.Finish();
    return brush;
}

// A picture is stored as the resource that holds its data.
TppPicture ReadPicture(Properties &p, const char *key, const TppPropertyNode &value)
{
    Properties n = p.Nested(key, value);
    std::string resource;
    n.RequiredString("Resource", [&](const std::string &v) { resource = v; });
    n.Finish();
    // Only the program's own pictures: a file path would let a definition
    // read whatever the user may read, devices included.
    if (!resource.starts_with(":/"))
        n.Fail("Resource", "must name a picture compiled into the program (\":/...\").");
    try {
        return platform::LoadPictureResource(resource);
    } catch (const TppPictureError &error) {
        n.Fail("Resource", std::string("names no usable picture: ") + error.what());
    }
}

void ReadPrinterSetup(Properties &p, TppPrinterSetup &setup)
{
    Properties s = p.Nested("PrinterSetup", p.Require("PrinterSetup"));
    // In the order a stored setup lists them: settings, then the sheet.
    s.String("BinName", [&](const std::string &v) { setup.SetBinName(v); });
    s.Bool("Collation", [&](bool v) { setup.SetCollation(v); });
    s.Int("Copies", [&](std::int32_t v) {
        if (v < 1)
            s.Fail("Copies", "must be 1 or more.");
        setup.SetCopies(v);
    });
    s.String("DocumentName", [&](const std::string &v) { setup.SetDocumentName(v); });
    s.Enum("Duplex", kDuplexes, [&](TppDuplexType v) { setup.SetDuplex(v); });
    s.Enum("Orientation", kOrientations, [&](TPrinterOrientation v) { setup.SetOrientation(v); });
    s.String("PaperName", [&](const std::string &v) { setup.SetPaperName(v); });
    s.String("PrinterName", [&](const std::string &v) { setup.SetPrinterName(v); });
    auto length = [&s](const char *key, void (TppPrinterSetup::*set)(std::int32_t), TppPrinterSetup &target) {
        s.RequiredLength(key, lrNotNegative, [&](std::int32_t v) { (target.*set)(v); });
    };
    length("mmMarginBottom", &TppPrinterSetup::SetmmMarginBottom, setup);
    length("mmMarginLeft", &TppPrinterSetup::SetmmMarginLeft, setup);
    length("mmMarginRight", &TppPrinterSetup::SetmmMarginRight, setup);
    length("mmMarginTop", &TppPrinterSetup::SetmmMarginTop, setup);
    length("mmPaperHeight", &TppPrinterSetup::SetmmPaperHeight, setup);
    length("mmPaperWidth", &TppPrinterSetup::SetmmPaperWidth, setup);
    s.RequiredInt("PaperSize", [&](std::int32_t v) {
        if (v < 0 || v > 32767)
            s.Fail("PaperSize", "must be a paper number from 0 to 32767.");
        setup.SetPaperSize(std::int16_t(v));
    });
    s.Finish();
}

void ReadReportProperties(Properties &p, TppReport &report)
{
    p.Enum("Units", kUnits, [&](TppUnitType v) { report.SetUnits(v); });
    p.Int("Tag", [&](std::int32_t v) { report.SetTag(v); });
    p.String("DeviceType", [&](const std::string &v) { report.SetDeviceType(v); });
    p.Bool("ShowPrintDialog", [&](bool v) { report.SetShowPrintDialog(v); });
    p.Bool("ShowCancelDialog", [&](bool v) { report.SetShowCancelDialog(v); });
    p.Bool("ModalPreview", [&](bool v) { report.SetModalPreview(v); });
    p.Bool("ModalCancelDialog", [&](bool v) { report.SetModalCancelDialog(v); });
    p.Bool("AllowPrintToFile", [&](bool v) { report.SetAllowPrintToFile(v); });
    p.Bool("AllowPrintToArchive", [&](bool v) { report.SetAllowPrintToArchive(v); });
    p.String("ArchiveFileName", [&](const std::string &v) { report.SetArchiveFileName(v); });
    p.String("TextFileName", [&](const std::string &v) { report.SetTextFileName(v); });
    p.Enum("TextFileType", kFileTypes, [&](TppFileType v) { report.SetTextFileType(v); });
    p.Bool("SavePrinterSetup", [&](bool v) { report.SetSavePrinterSetup(v); });
    p.Bool("ShowAutoSearchDialog", [&](bool v) { report.SetShowAutoSearchDialog(v); });
    p.Enum("Language", kLanguages, [&](TppLanguageType v) { report.SetLanguage(v); });
    p.Bool("CachePages", [&](bool v) { report.SetCachePages(v); });
    p.Bool("AutoStop", [&](bool v) { report.SetAutoStop(v); });
    p.Enum("PassSetting", kPassSettings, [&](TppPassSettingType v) { report.SetPassSetting(v); });
    p.Int("PageLimit", [&](std::int32_t v) {
        if (v < 0)
            p.Fail("PageLimit", "must not be negative.");
        report.SetPageLimit(v);
    });
    if (const TppPropertyNode *behaviors = p.Take("NoDataBehaviors")) {
        if (behaviors->GetKind() != TppPropertyNode::pkList)
            p.Fail("NoDataBehaviors", "must be a list of " + Choices(kNoDataBehaviors) + ".");
        TppNoDataBehaviors set = 0;
        for (const TppPropertyNode &item : behaviors->Items())
            set |= p.ToEnum("NoDataBehaviors", item, kNoDataBehaviors);
        report.SetNoDataBehaviors(set);
    }
    p.Int("Columns", [&](std::int32_t v) {
        if (v < 1)
            p.Fail("Columns", "must be 1 or more.");
        report.SetColumns(v);
    });
    p.Strings("ColumnPositions", [&](const TppStringList &v) { report.SetColumnPositions(v); });
    p.String("DataPipelineName", [&](const std::string &v) { report.SetDataPipelineName(v); });
    p.RequiredString("Version", [&](const std::string &v) { report.SetVersion(v); });
    p.RequiredLength("mmColumnWidth", lrSigned, [&](std::int32_t v) { report.SetmmColumnWidth(v); });
    ReadPrinterSetup(p, report.PrinterSetup());
}

void ReadBandProperties(Properties &p, TppBand &band)
{
    p.RequiredLength("mmBottomOffset", lrSigned, [&](std::int32_t v) { band.SetmmBottomOffset(v); });
    p.RequiredLength("mmHeight", lrNotNegative, [&](std::int32_t v) { band.SetmmHeight(v); });
    p.RequiredLength("mmPrintPosition", lrSigned, [&](std::int32_t v) { band.SetmmPrintPosition(v); });
    p.String("UserName", [&](const std::string &v) { band.SetUserName(v); });
    p.Int("Tag", [&](std::int32_t v) { band.SetTag(v); });
    p.Enum("PrintHeight", kPrintHeights, [&](TppPrintHeightType v) { band.SetPrintHeight(v); });
    p.Bool("Visible", [&](bool v) { band.SetVisible(v); });
    p.Bool("Save", [&](bool v) { band.SetSave(v); });
    if (auto *pageBand = dynamic_cast<TppPageBand *>(&band)) {
        p.Bool("PrintOnFirstPage", [&](bool v) { pageBand->SetPrintOnFirstPage(v); });
        p.Bool("PrintOnLastPage", [&](bool v) { pageBand->SetPrintOnLastPage(v); });
    }
    if (auto *detail = dynamic_cast<TppDetailBand *>(&band)) {
        p.Int("BandsPerRecord", [&](std::int32_t v) { detail->SetBandsPerRecord(v); });
        p.Enum("ColumnTraversal", kTraversals, [&](TppColumnTraversalType v) { detail->SetColumnTraversal(v); });
        p.Int("PrintCount", [&](std::int32_t v) { detail->SetPrintCount(v); });
    }
    if (auto *style = dynamic_cast<TppPageStyle *>(&band)) {
        p.Enum("PageSetting", kPageSettings, [&](TppPageSettingType v) { style->SetPageSetting(v); });
        p.Int("StartPage", [&](std::int32_t v) { style->SetStartPage(v); });
        p.Int("EndPage", [&](std::int32_t v) { style->SetEndPage(v); });
        p.Int("SinglePage", [&](std::int32_t v) { style->SetSinglePage(v); });
        p.Strings("PageList", [&](const TppStringList &v) { style->SetPageList(v); });
    }
}

void ReadComponentProperties(Properties &p, TppComponent &c)
{
    p.RequiredLength("mmLeft", lrSigned, [&](std::int32_t v) { c.SetmmLeft(v); });
    p.RequiredLength("mmTop", lrSigned, [&](std::int32_t v) { c.SetmmTop(v); });
    p.RequiredLength("mmWidth", lrNotNegative, [&](std::int32_t v) { c.SetmmWidth(v); });
    p.RequiredLength("mmHeight", lrNotNegative, [&](std::int32_t v) { c.SetmmHeight(v); });
    p.RequiredInt("BandType", [&](std::int32_t v) {
        if (v < 0 || v > 9)
            p.Fail("BandType", "must be a band-type code from 0 to 9.");
        c.SetBandType(v);
    });
    p.Int("GroupNo", [&](std::int32_t v) { c.SetGroupNo(v); });
    p.String("UserName", [&](const std::string &v) { c.SetUserName(v); });
    p.Int("Tag", [&](std::int32_t v) { c.SetTag(v); });
    p.Bool("Visible", [&](bool v) { c.SetVisible(v); });
    p.String("Caption", [&](const std::string &v) { c.SetCaption(v); });
    if (const TppPropertyNode *font = p.Take("Font"))
        c.SetFont(ReadFont(p, "Font", *font));
    p.Color("Color", [&](TppColor v) { c.SetColor(v); });
    p.Bool("Transparent", [&](bool v) { c.SetTransparent(v); });
    p.Enum("TextAlignment", kTextAlignments, [&](TppTextAlignment v) { c.SetTextAlignment(v); });
    p.Bool("ParentWidth", [&](bool v) { c.SetParentWidth(v); });
    p.Bool("ParentHeight", [&](bool v) { c.SetParentHeight(v); });
    p.Bool("ShiftWithParent", [&](bool v) { c.SetShiftWithParent(v); });
    p.Bool("StretchWithParent", [&](bool v) { c.SetStretchWithParent(v); });
    p.Bool("ReprintOnOverFlow", [&](bool v) { c.SetReprintOnOverFlow(v); });

    if (auto *text = dynamic_cast<TppCustomText *>(&c)) {
        p.Bool("AutoSize", [&](bool v) { text->SetAutoSize(v); });
        p.Bool("WordWrap", [&](bool v) { text->SetWordWrap(v); });
        p.Bool("CharWrap", [&](bool v) { text->SetCharWrap(v); });
        p.Bool("Save", [&](bool v) { text->SetSave(v); });
        p.Int("SaveOrder", [&](std::int32_t v) { text->SetSaveOrder(v); });
        p.Int("SaveLength", [&](std::int32_t v) { text->SetSaveLength(v); });
    }
    if (auto *memo = dynamic_cast<TppCustomMemo *>(&c)) {
        p.Strings("Lines", [&](const TppStringList &v) { memo->SetLines(v); });
        p.Bool("CharWrap", [&](bool v) { memo->SetCharWrap(v); });
        p.Length("mmLeading", lrSigned, [&](std::int32_t v) { memo->SetmmLeading(v); });
        p.Strings("TabStopPositions", [&](const TppStringList &v) {
            for (const std::string &stop : v) {
                if (stop.empty() || stop.find_first_not_of("0123456789") != std::string::npos)
                    p.Fail("TabStopPositions", "must list whole thousandths of a millimetre.");
            }
            memo->SetTabStops(v);
        });
        p.Bool("ForceJustifyLastLine", [&](bool v) { memo->SetForceJustifyLastLine(v); });
        p.Bool("Stretch", [&](bool v) { memo->SetStretch(v); });
        p.Bool("KeepTogether", [&](bool v) { memo->SetKeepTogether(v); });
        p.Length("mmBottomOffset", lrSigned, [&](std::int32_t v) { memo->SetmmBottomOffset(v); });
        p.Length("mmOverFlowOffset", lrSigned, [&](std::int32_t v) { memo->SetmmOverFlowOffset(v); });
        p.Length("mmStopPosition", lrSigned, [&](std::int32_t v) { memo->SetmmStopPosition(v); });
    }
    if (auto *shape = dynamic_cast<TppShape *>(&c)) {
        p.Enum("Shape", kShapes, [&](TppShapeType v) { shape->SetShape(v); });
        if (const TppPropertyNode *pen = p.Take("Pen"))
            shape->SetPen(ReadPen(p, "Pen", *pen));
        if (const TppPropertyNode *brush = p.Take("Brush"))
            shape->SetBrush(ReadBrush(p, "Brush", *brush));
    }
    if (auto *image = dynamic_cast<TppCustomImage *>(&c)) {
        p.Bool("AutoSize", [&](bool v) { image->SetAutoSize(v); });
        p.Bool("Stretch", [&](bool v) { image->SetStretch(v); });
        p.Bool("MaintainAspectRatio", [&](bool v) { image->SetMaintainAspectRatio(v); });
        p.Bool("Center", [&](bool v) { image->SetCenter(v); });
        p.Bool("DirectDraw", [&](bool v) { image->SetDirectDraw(v); });
        if (const TppPropertyNode *picture = p.Take("Picture"))
            image->SetPicture(ReadPicture(p, "Picture", *picture));
    }
}

std::unique_ptr<TppBand> NewBand(const std::string &cls)
{
    if (cls == "TppHeaderBand")
        return std::make_unique<TppHeaderBand>();
    if (cls == "TppDetailBand")
        return std::make_unique<TppDetailBand>();
    if (cls == "TppFooterBand")
        return std::make_unique<TppFooterBand>();
    if (cls == "TppPageStyle")
        return std::make_unique<TppPageStyle>();
    if (cls == "TppTitleBand")
        return std::make_unique<TppTitleBand>();
    if (cls == "TppSummaryBand")
        return std::make_unique<TppSummaryBand>();
    if (cls == "TppColumnHeaderBand")
        return std::make_unique<TppColumnHeaderBand>();
    if (cls == "TppColumnFooterBand")
        return std::make_unique<TppColumnFooterBand>();
    return nullptr;
}

std::unique_ptr<TppComponent> NewComponent(const std::string &cls)
{
    if (cls == "TppLabel")
        return std::make_unique<TppLabel>();
    if (cls == "TppMemo")
        return std::make_unique<TppMemo>();
    if (cls == "TppShape")
        return std::make_unique<TppShape>();
    if (cls == "TppImage")
        return std::make_unique<TppImage>();
    return nullptr;
}

// The frame of one stored object: its class, name, properties and children.
struct StoredObject {
    std::string cls;
    std::string name;
    std::string path;
    const TppPropertyNode *properties = nullptr;
    const TppPropertyNode *children = nullptr;
};

// `parent` is the path of the object holding this one and `position` says
// which of its children it is, for errors found before the name is known.
StoredObject Frame(const TppPropertyNode &node, const std::string &parent, const std::string &position)
{
    const std::string where = parent.empty() ? position : parent + ", " + position;
    if (node.GetKind() != TppPropertyNode::pkObject)
        throw TppDefinitionError(where + ": a stored object must be an object with \"Class\" and \"Name\".");
    for (const auto &member : node.Members()) {
        if (member.first != "Class" && member.first != "Name" && member.first != "Properties"
            && member.first != "Children")
            throw TppDefinitionError(where + ": unknown entry \"" + member.first
                                     + "\" (an object has only Class, Name, Properties and Children).");
    }
    StoredObject object;
    const TppPropertyNode *cls = node.Find("Class");
    const TppPropertyNode *name = node.Find("Name");
    if (!cls || cls->GetKind() != TppPropertyNode::pkString || cls->AsString().empty())
        throw TppDefinitionError(where + ": \"Class\" is missing or is not a class name.");
    if (!name || name->GetKind() != TppPropertyNode::pkString
        || !TppCommunicator::IsValidIdent(name->AsString()))
        throw TppDefinitionError(where + ": \"Name\" is missing or is not an identifier.");
    object.cls = cls->AsString();
    object.name = name->AsString();
    object.path = parent.empty() ? object.name : parent + "." + object.name;
    object.properties = node.Find("Properties");
    object.children = node.Find("Children");
    if (object.children && object.children->GetKind() != TppPropertyNode::pkList)
        throw TppDefinitionError(object.path + ": \"Children\" must be a list of objects.");
    return object;
}

// Names are unique within the definition, as within the window that owns it.
class NameRegister {
public:
    void Add(const StoredObject &object)
    {
        if (!m_names.insert(object.name).second)
            throw TppDefinitionError(object.path + ": the name \"" + object.name + "\" is used twice.");
    }

private:
    std::set<std::string> m_names;
};

void ReadComponent(const TppPropertyNode &node, const std::string &where, std::size_t index, TppBand &band,
                   NameRegister &names, std::vector<std::pair<TppCustomMemo *, std::string>> &shifts)
{
    const StoredObject object = Frame(node, where, "component " + std::to_string(index + 1));
    names.Add(object);
    std::unique_ptr<TppComponent> created = NewComponent(object.cls);
    if (!created)
        throw TppDefinitionError(object.path + ": \"" + object.cls
                                 + "\" is not a component class (TppLabel, TppMemo, TppShape, TppImage).");
    if (object.children && !object.children->Items().empty())
        throw TppDefinitionError(object.path + ": a component has no children.");
    TppComponent *component = band.AddObject(std::move(created));
    component->SetName(object.name);
    Properties p(object.properties, object.path);
    ReadComponentProperties(p, *component);
    if (auto *memo = dynamic_cast<TppCustomMemo *>(component))
        p.String("ShiftRelativeTo", [&](const std::string &v) { shifts.emplace_back(memo, v); });
    p.Finish();
    if (component->UserName().empty())
        component->SetUserName(component->DerivedUserName(object.name));
}

// A memo follows another stretchable of its own band.
void ResolveShifts(TppBand &band, const std::string &bandPath,
                   const std::vector<std::pair<TppCustomMemo *, std::string>> &shifts)
{
    for (const auto &[memo, name] : shifts) {
        TppStretchable *target = nullptr;
        for (int i = 0; i < band.ObjectCount(); ++i) {
            if (band.Objects(i)->Name() == name)
                target = dynamic_cast<TppStretchable *>(band.Objects(i));
        }
        if (!target || target == memo)
            throw TppDefinitionError(bandPath + "." + memo->Name() + ": property \"ShiftRelativeTo\" names \""
                                     + name + "\", which is no other stretchable component of its band.");
        memo->SetShiftRelativeTo(target);
    }
}

void ReadBand(const TppPropertyNode &node, const std::string &where, std::size_t index, TppReport &report,
              NameRegister &names)
{
    const StoredObject object = Frame(node, where, "band " + std::to_string(index + 1));
    names.Add(object);
    std::unique_ptr<TppBand> created = NewBand(object.cls);
    if (!created)
        throw TppDefinitionError(object.path + ": \"" + object.cls
                                 + "\" is not a band class (TppHeaderBand, TppDetailBand, TppFooterBand, "
                                   "TppPageStyle ...).");
    TppBand *band = report.AddBand(std::move(created));
    band->SetName(object.name);
    Properties p(object.properties, object.path);
    ReadBandProperties(p, *band);
    p.Finish();
    std::vector<std::pair<TppCustomMemo *, std::string>> shifts;
    if (object.children) {
        const auto &items = object.children->Items();
        for (std::size_t i = 0; i < items.size(); ++i)
            ReadComponent(items[i], object.path, i, *band, names, shifts);
    }
    ResolveShifts(*band, object.path, shifts);
}

} // namespace

std::unique_ptr<TppReport> ReadReportDefinition(const TppPropertyNode &document)
{
    const StoredObject object = Frame(document, "", "the report");
    if (object.cls != "TppReport")
        throw TppDefinitionError(object.path + ": the definition must describe a TppReport, not \""
                                 + object.cls + "\".");
    auto report = std::make_unique<TppReport>();
    NameRegister names;
    names.Add(object);
    report->BeginReading();
    report->SetName(object.name);
    Properties p(object.properties, object.path);
    ReadReportProperties(p, *report);
    p.Finish();
    if (object.children) {
        const auto &items = object.children->Items();
        for (std::size_t i = 0; i < items.size(); ++i)
            ReadBand(items[i], object.path, i, *report, names);
    }
    report->EndReading();
    report->Loaded();
    return report;
}

std::unique_ptr<TppReport> ReadReportDefinitionText(std::string_view json)
{
    TppPropertyNode document;
    try {
        document = platform::ParseJsonDocument(json);
    } catch (const TppDocumentError &error) {
        throw TppDefinitionError(error.what());
    }
    return ReadReportDefinition(document);
}

std::unique_ptr<TppReport> LoadReportDefinition(std::string_view resourcePath)
{
    std::string text;
    try {
        text = platform::ReadResource(resourcePath);
    } catch (const TppDocumentError &error) {
        throw TppDefinitionError(error.what());
    }
    try {
        return ReadReportDefinitionText(text);
    } catch (const TppDefinitionError &error) {
        throw TppDefinitionError(std::string(resourcePath) + ": " + error.what());
    }
}
