#include "reader/page/CharWidthCache.h"

#include "reader/window/WinApiWindow.h"

namespace {

const int32_t Unmeasured = -1;

} // namespace

int32_t CharWidthCache::charWidth(CellChar c)
{
    const PlatformChar unit = static_cast<PlatformChar>(c);
    if (m_widths.count() == 0) {
        // Without the memory for the table every character is measured anew.
        if (!m_widths.setSize(UnitCount))
            return m_window.charWidth(unit, 0);
        for (uint32_t i = 0; i < UnitCount; ++i)
            m_widths.at(i) = Unmeasured;
    }
    int32_t& width = m_widths.at(c);
    if (width == Unmeasured) {
        width = m_window.charWidth(unit, 0);
        m_measured += 1;
    }
    return width;
}

void CharWidthCache::clear()
{
    m_widths.setSize(0);
    m_measured = 0;
}
