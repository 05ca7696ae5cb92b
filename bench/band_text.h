#pragma once

// The 300-word text of a band in the print-to-PDF benchmarks, shared by the
// report and by its hand-written Qt counterpart so that both set the same
// words: either every band's text mixes the same 25 words in its own order,
// or no word ever comes twice in a run (every word is made from a counter).
// Plain C++, so that the Qt program links nothing of the report engine.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace band_text {

inline constexpr int kBandsPerPage = 4;
inline constexpr int kWordsPerBand = 300;
inline constexpr int kWordsPerParagraph = 75;

enum class Words { Repeated, Unique };

class Source {
public:
    explicit Source(Words words) : m_words(words) { }

    // Makes the texts of the next `bands` bands now, so that a measurement
    // of what is done with them does not time their making.
    void Prepare(int bands)
    {
        m_prepared.reserve(m_prepared.size() + bands);
        for (int i = 0; i < bands; ++i)
            m_prepared.push_back(MakeBand());
        m_next = 0;
    }

    // The next band's text in paragraphs (no line ends inside).
    std::vector<std::string> NextBand()
    {
        if (m_next < m_prepared.size())
            return std::move(m_prepared[m_next++]);
        return MakeBand();
    }

private:
    std::vector<std::string> MakeBand()
    {
        std::vector<std::string> paragraphs;
        paragraphs.reserve(kWordsPerBand / kWordsPerParagraph);
        std::string paragraph;
        paragraph.reserve(kWordsPerParagraph * 12);
        for (int i = 0; i < kWordsPerBand; ++i) {
            if (!paragraph.empty())
                paragraph += ' ';
            if (m_words == Words::Repeated)
                paragraph += RepeatedWord();
            else
                AppendUniqueWord(paragraph);
            if (i % kWordsPerParagraph == kWordsPerParagraph - 1) {
                paragraphs.push_back(std::move(paragraph));
                paragraph.clear();
            }
        }
        if (!paragraph.empty())
            paragraphs.push_back(std::move(paragraph));
        return paragraphs;
    }

    // Words go straight into the paragraph: the texts are the benchmarks'
    // input, and both programs should spend their time on the pages.
    std::string_view RepeatedWord()
    {
        static constexpr std::string_view kWords[] = {
            "muestra", "aleatoria", "simple", "para", "estimar", "una", "proporción", "con", "error",
            "máximo", "y", "confianza", "del", "noventa", "cinco", "por", "ciento", "en", "la",
            "población", "objetivo", "según", "el", "diseño", "tasa"};
        // A fixed pseudo-random order, so that no two bands wrap alike.
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return kWords[(m_state >> 33) % std::size(kWords)];
    }

    // The counter in base 40, least significant syllable first, at least
    // three syllables: one spelling per number, so no word repeats.
    void AppendUniqueWord(std::string &paragraph)
    {
        static const char *const kSyllables[] = {
            "ba", "be", "bi", "bo", "bu", "ca", "ce", "ci", "co", "cu", "da", "de", "di", "do",
            "du", "fa", "fe", "fi", "fo", "fu", "ga", "ge", "gi", "go", "gu", "la", "le", "li",
            "lo", "lu", "ma", "me", "mi", "mo", "mu", "na", "ne", "ni", "no", "nu"};
        std::uint64_t n = m_counter++;
        for (int syllables = 0; syllables < 3 || n > 0; ++syllables) {
            paragraph.append(kSyllables[n % 40], 2);
            n /= 40;
        }
    }

    Words m_words;
    std::uint64_t m_state = 20261210;
    std::uint64_t m_counter = 0;
    std::vector<std::vector<std::string>> m_prepared;
    std::size_t m_next = 0;
};

} // namespace band_text
