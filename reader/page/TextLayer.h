#pragma once

#include <windows.h>

#include <cstdint>

#include "core/RgbColor.h"
#include "reader/page/CellRuns.h"
#include "reader/page/TextCell.h"
#include "reader/window/DrawLayer.h"

// The book's text: one cell per character of the book, the run of them the
// client area shows, drawn word by word.
class TextLayer : public DrawLayer {
public:
    explicit TextLayer(WinApiWindow* owner);
    ~TextLayer() override = default;

    // The run is found again from cell 0 after a scroll up, from the first
    // visible cell after a scroll down; the pixel count is not used.
    void onScrollUp(int32_t pixels) override;
    void onScrollDown(int32_t pixels) override;
    void draw(HDC dc) override;

    bool setCellCount(uint32_t n);
    void setCell(uint32_t i, const TextCell& cell) { m_cells.at(i) = cell; }
    TextCell& cellAt(uint32_t i) { return m_cells.at(i); }
    CellArray& cells() { return m_cells; }
    const CellArray& cells() const { return m_cells; }

    // Sets the run and the owner's offset directly (no settings write, no
    // scroll bar, no layer told): 0, or the top of cell `first`. A `first`
    // above `last` is an empty run.
    void setVisibleRange(uint32_t first, uint32_t last);
    void updateMaxScroll();
    int32_t documentHeight() const { return lastCellTop(m_cells); }

    // Colours the cells and invalidates the part of the range's last line;
    // the repaint draws the whole page. Window thread only.
    BOOL colorRange(const RgbColor& color, uint32_t first, uint32_t last);
    bool hitTest(int32_t x, int32_t y, uint32_t& index) const;
    // text: at least PickedWordBuffer units.
    bool pickWord(uint32_t i, CellChar* text, uint32_t& begin, uint32_t& end) const;
    uint32_t lineCount(uint32_t first, uint32_t last) const { return countLines(m_cells, first, last); }

    bool anyVisible() const { return m_any_visible; }

    static const uint32_t PickedWordBuffer = 128;

protected:
    void computeVisibleRange(uint32_t start);
    void drawVisible(HDC dc);

private:
    VisibleRun visibleRun() const;

    CellArray m_cells;
    uint32_t m_first_visible;
    uint32_t m_last_visible;
    bool m_any_visible;
};

// The text layer of the reader window.
class TextLayerImpl : public TextLayer {
public:
    explicit TextLayerImpl(WinApiWindow* owner) : TextLayer(owner) {}
    ~TextLayerImpl() override = default;
};

// The classes of the text layer, from U+0100 up the platform's.
const CharClasses& textCharClasses();
bool isWordChar(CellChar c);
