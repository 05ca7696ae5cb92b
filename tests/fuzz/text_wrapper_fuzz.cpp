// The text wrapper on any text in any rectangle, measured on a screen bitmap
// as without a printer: it never loses, adds or reorders a printable
// character (blanks and line ends are the wrapper's to drop or break at), the
// lines it places fit the rectangle's height, and the widest line it reports
// is the widest of its lines measured whole, whatever bytes they hold.
// Input: 6 bytes of layout (width, height, wrapping and font), then the text.

#include "platform/text_markups.h"
#include "report/text_measuring.h"
#include "report/text_wrapper.h"
#include "tests/fuzz/fuzz_check.h"

#include <QGuiApplication>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

namespace {

// The printable characters of a text: blanks and control characters out,
// and the paragraph-end mark, which is markup, not text.
std::string Printable(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, TppTextMarkups::ParagraphEnd.size()) == TppTextMarkups::ParagraphEnd) {
            i += TppTextMarkups::ParagraphEnd.size() - 1;
            continue;
        }
        if (static_cast<unsigned char>(text[i]) > static_cast<unsigned char>(TppTextMarkups::Space))
            out += text[i];
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 6)
        return 0;
    const std::int32_t width = 1 + (data[0] | data[1] << 8) * 4;
    const std::int32_t height = 1 + (data[2] | data[3] << 8) * 4;
    const std::uint8_t flags = data[4];
    std::string_view text(reinterpret_cast<const char *>(data + 6), size - 6);
    // The text ends at its end-of-text mark.
    text = text.substr(0, text.find(TppTextMarkups::EndOfText));

    TppFont font;
    font.SetName("Arial");
    font.SetSize(4 + (flags >> 4) * 2);
    TppTextWrapper wrapper;
    wrapper.SetText(std::string(text));
    wrapper.SetRect({0, 0, width, height});
    wrapper.SetCharWrap(flags & 1);
    wrapper.SetAutoSize(flags & 2);
    wrapper.SetTextAlignment(static_cast<TppTextAlignment>((flags >> 2) & 3));
    wrapper.SetFont(font);
    wrapper.SetLeading(data[5] * 10);
    wrapper.Run();

    std::string placed;
    for (const std::string &line : wrapper.Lines())
        placed += Printable(line);
    const std::string all = Printable(text);
    FUZZ_CHECK(all.compare(0, placed.size(), placed) == 0, "lines \"%s\" are not the text's start", placed.c_str());
    if (wrapper.Position() >= text.size())
        FUZZ_CHECK(placed == all, "everything placed, yet lines \"%s\" lack some of the text", placed.c_str());

    // Measured piece by piece, a line must still be as wide as it is drawn.
    TppTextMeasuring measuring(nullptr);
    measuring.Canvas().SetFont(font);
    std::int32_t widest = 0;
    for (std::string_view line : wrapper.Lines()) {
        if (line.ends_with(TppTextMarkups::ParagraphEnd))
            line.remove_suffix(TppTextMarkups::ParagraphEnd.size());
        widest = std::max(widest, measuring.Width(line, {}));
    }
    FUZZ_CHECK(wrapper.WidestLine() == widest, "widest line %d measured piecewise, %d whole", wrapper.WidestLine(),
               widest);

    const auto lines = static_cast<std::int64_t>(wrapper.Lines().size());
    if (lines > 1)
        FUZZ_CHECK((lines - 1) * wrapper.LineHeight() < height, "%lld lines of %d in %d", static_cast<long long>(lines),
                   wrapper.LineHeight(), height);
    return 0;
}
