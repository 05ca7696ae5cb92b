#include "output/standard_papers.h"

#include "platform/units.h"

#include <algorithm>
#include <array>

namespace {

enum class Measure { Inches, Millimetres, None };

struct Entry {
    std::int16_t number;
    const char *name;
    Measure measure;
    double width;
    double height;
};

constexpr Measure in = Measure::Inches;
constexpr Measure mm = Measure::Millimetres;
constexpr Measure none = Measure::None;

// clang-format off
constexpr std::array kPapers = {
    Entry{1, "Letter 8 1/2 x 11 in", in, 8.5, 11},
    Entry{2, "Letter 8 1/2 x 11 in", in, 8.5, 11},
    Entry{3, "Tabloid 11 x 17 in", in, 11, 17},
    Entry{4, "Ledger 17 x 11 in", in, 17, 11},
    Entry{5, "Legal 8 12 x 14 in", in, 8.5, 14},
    Entry{6, "Statement 5 1/2 x 8 12 in", in, 5.5, 8.5},
    Entry{7, "Executive 7 14 x 10 1/2 in", in, 7.25, 10.5},
    Entry{8, "A3 297 x 420 mm", mm, 297, 420},
    Entry{9, "A4 210 x 297 mm", mm, 210, 297},
    Entry{10, "A4 Small 210 x 297 mm", mm, 210, 297},
    Entry{11, "A5 148 x 210 mm", mm, 148, 210},
    Entry{12, "B4 (JIS) 250 x 354", mm, 250, 354},
    Entry{13, "B5 (JIS) 182 x 257 mm", mm, 182, 257},
    Entry{14, "Folio 8 1/2 x 13 in", in, 8.5, 13},
    Entry{15, "Quarto 215 x 275 mm", mm, 215, 275},
    Entry{16, "10 x 14 in", in, 10, 14},
    Entry{17, "11 x 17 in", in, 11, 17},
    Entry{18, "Note 8 1/2 x 11 in", in, 8.5, 11},
    Entry{19, "Envelope #9 3 7/8 x 8 7/8", in, 3.875, 8.875},
    Entry{20, "Envelope #10 4 18 x 9 1/2", in, 4.125, 9.5},
    Entry{21, "Envelope #11 4 12 x 10 3/8", in, 4.5, 10.375},
    Entry{22, "Envelope #12 4 276 x 11", in, 4.75, 11},
    Entry{23, "Envelope #14 5 x 11 1/2", in, 5, 11.5},
    Entry{24, "C size sheet", in, 17, 22},
    Entry{25, "D size sheet", in, 22, 34},
    Entry{26, "E size sheet", in, 34, 44},
    Entry{27, "Envelope DL 110 x 220mm", mm, 110, 220},
    Entry{28, "Envelope C5 162 x 229 mm", mm, 162, 229},
    Entry{29, " Envelope C3  324 x 458 mm", mm, 324, 458},
    Entry{30, "Envelope C4  229 x 324 mm", mm, 229, 324},
    Entry{31, "Envelope C6  114 x 162 mm", mm, 114, 162},
    Entry{32, "Envelope C65 114 x 229 mm", mm, 114, 229},
    Entry{33, "Envelope B4  250 x 353 mm", mm, 250, 353},
    Entry{34, "Envelope B5  176 x 250 mm", mm, 176, 250},
    Entry{35, "Envelope B6  176 x 125 mm", mm, 176, 125},
    Entry{36, "Envelope 110 x 230 mm", mm, 110, 230},
    Entry{37, "Envelope Monarch 3.875 x 7.5 in", in, 3.875, 7.5},
    Entry{38, "6 34 Envelope 3 5/8 x 6 1/2 in", in, 3.625, 6.5},
    Entry{39, "US Std Fanfold 14 7/8 x 11 in", in, 14.875, 11},
    Entry{40, "German Std Fanfold 8 1/2 x 12 in", in, 8.5, 12},
    Entry{41, "German Legal Fanfold 8 1/2 x 13 in", in, 8.5, 13},
    Entry{42, "B4 (ISO) 250 x 353 mm", mm, 250, 353},
    Entry{43, "Japanese Postcard 100 x 148 mm", mm, 100, 148},
    Entry{44, "9 x 11 in", in, 9, 11},
    Entry{45, "10 x 11 in", in, 10, 11},
    Entry{46, "15 x 11 in", in, 15, 11},
    Entry{47, "Envelope Invite 220 x 220 mm", mm, 220, 220},
    Entry{50, "Letter Extra 9 \u00bd x 12 in", in, 9.5, 12},
    Entry{51, "Legal Extra 9 \u00bd x 15 in", in, 9.5, 15},
    Entry{52, "Tabloid Extra 11.69 x 18 in", in, 11.69, 18},
    Entry{53, "A4 Extra 9.27 x 12.69 in", in, 9.27, 12.69},
    Entry{54, "Letter Transverse 8 \u00bd x 11 in", in, 8.5, 11},
    Entry{55, "A4 Transverse 210 x 297 mm", mm, 210, 297},
    Entry{56, "Letter Extra Transverse 9\u00bd x 12 in", in, 9.5, 12},
    Entry{57, "SuperASuperAA4 227 x 356 mm", mm, 227, 356},
    Entry{58, "SuperBSuperBA3 305 x 487 mm", mm, 305, 487},
    Entry{59, "Letter Plus 8.5 x 12.69 in", in, 8.5, 12.69},
    Entry{60, "A4 Plus 210 x 330 mm", mm, 210, 330},
    Entry{61, "A5 Transverse 148 x 210 mm", mm, 148, 210},
    Entry{62, "B5 (JIS) Transverse 182 x 257 mm", mm, 182, 257},
    Entry{63, "A3 Extra 322 x 445 mm", mm, 322, 445},
    Entry{64, "A5 Extra 174 x 235 mm", mm, 174, 235},
    Entry{65, "B5 (ISO) Extra 201 x 276 mm", mm, 201, 276},
    Entry{66, "A2 420 x 594 mm", mm, 420, 594},
    Entry{67, "A3 Transverse 297 x 420 mm", mm, 297, 420},
    Entry{68, "A3 Extra Transverse 322 x 445 mm", mm, 322, 445},
    Entry{118, "DMPAPER_A3_EXTRA_TRANSVERSE", none, 0, 0},
    Entry{kCustomPaperNumber, "Custom", none, 0, 0},
};
// clang-format on

std::int32_t ToTenths(Measure measure, double length, TppResolutionAxis axis)
{
    switch (measure) {
    case Measure::Inches:
        return UnitsToTenthsMM(utInches, axis, nullptr, static_cast<float>(length));
    case Measure::Millimetres:
        return static_cast<std::int32_t>(length * 10);
    case Measure::None:
        break;
    }
    return 0;
}

} // namespace

TppStandardPaper StandardPaper(std::int32_t number)
{
    const auto entry = std::find_if(kPapers.begin(), kPapers.end(),
                                    [number](const Entry &paper) { return paper.number == number; });
    if (entry == kPapers.end())
        return {"Unknown", 0, 0};
    return {entry->name, ToTenths(entry->measure, entry->width, raHorizontal),
            ToTenths(entry->measure, entry->height, raVertical)};
}
