#pragma once

// The reader window on the book, as the program has it, recording every line
// its layout lays out; it writes the layout dump (LayoutDump.h).

#include <string>
#include <vector>

#include "LayoutDump.h"
#include "ReaderTestWindow.h"

class BookTestWindow : public ReaderTestWindow, private LineObserver {
public:
    BookTestWindow() { m_page_layout.setLineObserver(this); }

    const std::vector<DumpLine>& lines() const { return m_lines; }
    // The dump as text, and written to a file.
    std::string layoutDump();
    bool writeLayoutDump(const std::wstring& path);

    DrawLayer* indexMapLayer() { return &m_index_map_layer; }
    DrawLayer* shapeLayer() { return &m_shape_layer; }

private:
    void lineLaidOut(const LaidOutLine& line) override;

    std::vector<DumpLine> m_lines;
    int32_t m_paragraph = -1;
};
