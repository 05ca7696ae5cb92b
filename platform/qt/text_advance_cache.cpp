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
    const auto found = m_current->find(word);
    return found == m_current->end() ? nullptr : &found->second;
}

void TextAdvanceCache::Insert(std::string_view word, double advance)
{
    if (!m_current)
        return;
    if (m_current->size() >= kMaxWordsPerFont)
        m_current->clear();
    m_current->emplace(std::string(word), advance);
}

} // namespace platform
