#pragma once

#include <cstdint>

#include "core/IntArray.h"
#include "reader/page/PageLayout.h"

class WinApiWindow;

// The widths of the page's characters in the window's text font (slot 0),
// each measured once on the window's device context: exactly what the
// platform answered for that one unit, so a layout with the cache is the
// layout without it.
class CharWidthCache : public CharMeasurer {
public:
    explicit CharWidthCache(WinApiWindow& window) : m_window(window), m_measured(0) {}
    ~CharWidthCache() override = default;

    int32_t charWidth(CellChar c) override;
    // Forgets every width (a new text font).
    void clear();
    // How many different units were measured.
    uint32_t measuredCount() const { return m_measured; }

    // Every value of a text cell's character.
    static constexpr uint32_t UnitCount = 1u << (8 * sizeof(CellChar));

private:
    WinApiWindow& m_window;
    IntArray m_widths; // -1 until measured
    uint32_t m_measured;
};
