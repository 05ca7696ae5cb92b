#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>

namespace platform {

// Advances of characters already measured, one table per font, for the
// characters that are laid out one glyph each whatever their neighbours
// (printable Latin and common punctuation): the advance of a text of such
// characters is the sum of theirs, so a text costs a table look-up per
// character, however new its words. The number of fonts is bounded: past
// it the tables start afresh.
class TextAdvanceCache
{
public:
    // Selects the table of a font; `fontKey` must tell apart every font
    // (and device resolution) whose advances differ.
    void SelectFont(const std::string &fontKey);

    // Whether `code` is one of the characters kept here.
    static bool Keeps(char32_t code) { return SlotOf(code) < kSlots; }

    // The advance of `code` in the selected font, if it was measured.
    const double *Find(char32_t code) const
    {
        const std::size_t slot = SlotOf(code);
        if (!m_current || slot >= kSlots || !m_current->known[slot])
            return nullptr;
        return &m_current->advances[slot];
    }
    // Find for printable ASCII (0x20 to 0x7E) once a font is selected, with
    // no other check: the inner loop of measuring words.
    const double *FindPrintableAscii(char32_t code) const
    {
        const std::size_t slot = code - kLatinFirst;
        return m_current->known[slot] ? &m_current->advances[slot] : nullptr;
    }
    void Insert(char32_t code, double advance)
    {
        const std::size_t slot = SlotOf(code);
        if (!m_current || slot >= kSlots)
            return;
        m_current->advances[slot] = advance;
        m_current->known[slot] = true;
    }

private:
    // Printable ASCII to the end of Latin Extended-B, then the general
    // punctuation and currency signs.
    static constexpr char32_t kLatinFirst = 0x20;
    static constexpr char32_t kLatinLast = 0x24F;
    static constexpr char32_t kPunctuationFirst = 0x2010;
    static constexpr char32_t kPunctuationLast = 0x20C0;
    static constexpr std::size_t kLatinSlots = kLatinLast - kLatinFirst + 1;
    static constexpr std::size_t kSlots = kLatinSlots + (kPunctuationLast - kPunctuationFirst + 1);

    static std::size_t SlotOf(char32_t code)
    {
        if (code >= kLatinFirst && code <= kLatinLast)
            return code - kLatinFirst;
        if (code >= kPunctuationFirst && code <= kPunctuationLast)
            return kLatinSlots + (code - kPunctuationFirst);
        return kSlots;
    }

    struct Table {
        std::array<double, kSlots> advances;
        std::array<bool, kSlots> known{};
    };

    static constexpr std::size_t kMaxFonts = 32;

    std::unordered_map<std::string, Table> m_fonts;
    Table *m_current = nullptr;
};

} // namespace platform
