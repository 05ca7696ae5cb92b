#pragma once

// The 300-word text of a band in the print-to-PDF benchmarks, shared by the
// report and by its hand-written Qt counterpart so that both set the same
// words: either every band's text mixes the same 25 words in its own order,
// or no word ever comes twice in a run (every word is made from a counter).
// Plain C++, so that the Qt program links nothing of the report engine.

#include <cstdint>
#include <string>
#include <vector>

namespace band_text {

inline constexpr int kWordsPerBand = 300;
inline constexpr int kWordsPerParagraph = 75;

enum class Words { Repeated, Unique };

class Source {
public:
    explicit Source(Words words) : m_words(words) { }

    // The next band's text in paragraphs (no line ends inside).
    std::vector<std::string> NextBand()
    {
        std::vector<std::string> paragraphs;
        std::string paragraph;
        for (int i = 0; i < kWordsPerBand; ++i) {
            if (!paragraph.empty())
                paragraph += ' ';
            paragraph += m_words == Words::Repeated ? RepeatedWord() : UniqueWord();
            if (i % kWordsPerParagraph == kWordsPerParagraph - 1) {
                paragraphs.push_back(std::move(paragraph));
                paragraph.clear();
            }
        }
        if (!paragraph.empty())
            paragraphs.push_back(std::move(paragraph));
        return paragraphs;
    }

private:
    std::string RepeatedWord()
    {
        static const char *const kWords[] = {"muestra", "aleatoria", "simple", "para", "estimar",
                                             "una", "proporción", "con", "error", "máximo",
                                             "y", "confianza", "del", "noventa", "cinco",
                                             "por", "ciento", "en", "la", "población",
                                             "objetivo", "según", "el", "diseño", "tasa"};
        // A fixed pseudo-random order, so that no two bands wrap alike.
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return kWords[(m_state >> 33) % std::size(kWords)];
    }

    // The counter in base 40, least significant syllable first, at least
    // three syllables: one spelling per number, so no word repeats.
    std::string UniqueWord()
    {
        static const char *const kSyllables[] = {
            "ba", "be", "bi", "bo", "bu", "ca", "ce", "ci", "co", "cu", "da", "de", "di", "do",
            "du", "fa", "fe", "fi", "fo", "fu", "ga", "ge", "gi", "go", "gu", "la", "le", "li",
            "lo", "lu", "ma", "me", "mi", "mo", "mu", "na", "ne", "ni", "no", "nu"};
        std::string word;
        std::uint64_t n = m_counter++;
        for (int syllables = 0; syllables < 3 || n > 0; ++syllables) {
            word += kSyllables[n % 40];
            n /= 40;
        }
        return word;
    }

    Words m_words;
    std::uint64_t m_state = 20261210;
    std::uint64_t m_counter = 0;
};

} // namespace band_text
