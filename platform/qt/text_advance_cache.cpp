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

} // namespace platform
