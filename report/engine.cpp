#include "report/engine.h"

void TppCustomEngine::Reset()
{
    ++m_resetCount;
    m_pageNo = 0;
    m_pageCount = 0;
    m_absolutePageNo = 0;
    m_absolutePageCount = 0;
    m_firstPass = false;
    m_secondPass = false;
    m_donePrinting = false;
}
