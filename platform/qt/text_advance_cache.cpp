#include "platform/qt/text_advance_cache.h"

namespace platform {

void TextAdvanceCache::SelectFont(const std::string &fontKey)
{
    auto found = m_fonts.find(fontKey);
    if (found == m_fonts.end()) {
        if (m_fonts.size() >= kMaxFonts)
            m_fonts.clear();
        found = m_fonts.emplace(fontKey, Table()).first;
    }
    m_current = &found->second;
}

const double *TextAdvanceCache::Find(std::string_view word) const
{
    if (!m_current)
        return nullptr;
    const auto found = m_current->advances.find(word);
    return found == m_current->advances.end() ? nullptr : &found->second;
}

void TextAdvanceCache::Insert(std::string_view word, double advance)
{
    if (!m_current)
        return;
    if (m_current->advances.size() >= kMaxWordsPerFont
        || m_current->bytes + word.size() > kMaxBytesPerFont) {
        m_current->advances.clear();
        m_current->bytes = 0;
    }
    if (word.size() > kMaxBytesPerFont)
        return;
    m_current->advances.emplace(std::string(word), advance);
    m_current->bytes += word.size();
}

} // namespace platform
