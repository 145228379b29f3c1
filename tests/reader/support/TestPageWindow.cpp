#include "TestPageWindow.h"

#include <cstdio>

namespace {

const int32_t FontHeight = 20;

} // namespace

void TestPageWindow::start()
{
    createFont(0, FontHeight);
    const std::vector<TextCell> cells = gridCells(m_lines);
    m_text_layer.setCellCount(static_cast<uint32_t>(cells.size()));
    for (size_t i = 0; i < cells.size(); ++i)
        m_text_layer.setCell(static_cast<uint32_t>(i), cells[i]);
    m_text_layer.setVisibleRange(0, 0);
    m_text_layer.updateMaxScroll();
    updateScrollRange();
    resumeAtSavedOffset();
}

std::vector<std::u16string> testPageLines()
{
    std::vector<std::u16string> lines;
    lines.push_back(u"Texte de la page d'essai ");
    lines.push_back(u"la maison 1 a \u00E9t\u00E9 , l'homme ");
    for (uint32_t i = 2; i < TestPageLineCount; ++i) {
        char number[16];
        std::snprintf(number, sizeof(number), "%u", static_cast<unsigned>(i));
        std::u16string line = u"ligne ";
        for (const char* p = number; *p != 0; ++p)
            line.push_back(static_cast<char16_t>(*p));
        line += u" : le chat et le chien dorment sous la table ";
        lines.push_back(line);
    }
    return lines;
}
