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

const double *TextAdvanceCache::Find(char32_t code) const
{
    const std::size_t slot = SlotOf(code);
    if (!m_current || slot >= kSlots || !m_current->known[slot])
        return nullptr;
    return &m_current->advances[slot];
}

void TextAdvanceCache::Insert(char32_t code, double advance)
{
    const std::size_t slot = SlotOf(code);
    if (!m_current || slot >= kSlots)
        return;
    m_current->advances[slot] = advance;
    m_current->known[slot] = true;
}

} // namespace platform
