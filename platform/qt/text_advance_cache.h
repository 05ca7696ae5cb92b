#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// Advances of words already measured, one table per font, so that text
// wrapped again and again with the same fonts is shaped once per word. The
// number of fonts, and the words and bytes per font, are bounded: a table
// that is full starts afresh.
class TextAdvanceCache
{
public:
    // Selects the table of a font; `fontKey` must tell apart every font
    // (and device resolution) whose advances differ.
    void SelectFont(const std::string &fontKey);

    // The advance of `word` in the selected font, if it was measured.
    const double *Find(std::string_view word) const;
    void Insert(std::string_view word, double advance);

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const
        {
            return std::hash<std::string_view>{}(text);
        }
    };
    struct Table {
        std::unordered_map<std::string, double, Hash, std::equal_to<>> advances;
        std::size_t bytes = 0;
    };

    static constexpr std::size_t kMaxFonts = 32;
    static constexpr std::size_t kMaxWordsPerFont = 16384;
    static constexpr std::size_t kMaxBytesPerFont = std::size_t(1) << 20;

    std::unordered_map<std::string, Table> m_fonts;
    Table *m_current = nullptr;
};

} // namespace platform
