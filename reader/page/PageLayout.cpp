#include "reader/page/PageLayout.h"

namespace {

const CellChar Blank = 0x0020;

// Character j of a word that begins at `begin`; the narrow program measures
// and stores its low byte. Past the text the string's default character.
CellChar wordChar(const WideString& text, int32_t begin, int32_t j)
{
    return static_cast<CellChar>(text.at(static_cast<uint32_t>(begin) + static_cast<uint32_t>(j)));
}

} // namespace

PageLayout::PageLayout(CellArray& cells, CharMeasurer& measurer)
    : m_cells(cells), m_measurer(measurer), m_line_observer(nullptr), m_left_margin(0), m_line_limit(0),
      m_space_width(0), m_line_height(0)
{
}

void PageLayout::setMetrics(int32_t layoutWidth, int32_t blankWidth, int32_t lineHeight)
{
    const int32_t margin = layoutWidth / 16;
    m_left_margin = margin;
    m_line_limit = layoutWidth - margin - margin;
    m_space_width = blankWidth + 1;
    m_line_height = lineHeight;
}

void PageLayout::layOutParagraph(int32_t& y, uint32_t& index, const BookParagraph& paragraph)
{
    uint32_t firstWord = 0;
    bool ended = false;
    do {
        ended = layOutLine(y, paragraph, index, firstWord);
        y += m_line_height + m_line_height / 2;
    } while (!ended);
}

bool PageLayout::layOutLine(int32_t y, const BookParagraph& paragraph, uint32_t& index, uint32_t& firstWord)
{
    int32_t leftover = 0;
    bool ended = false;
    const uint32_t n = fitWords(paragraph, firstWord, leftover, ended);
    placeLine(paragraph, index, firstWord, n, y, leftover, ended);
    firstWord += n;
    return ended;
}

uint32_t PageLayout::fitWords(const BookParagraph& paragraph, uint32_t firstWord, int32_t& leftover, bool& ended)
{
    const uint32_t wordCount = paragraph.wordRanges().count();
    uint32_t i = firstWord;
    int32_t x = lineStartX(firstWord);
    ended = false;
    for (;;) {
        const int32_t w = wordWidth(paragraph, i);
        bool full = false;
        if (x + w <= m_line_limit) {
            i += 1;
            x += w + m_space_width;
        } else if (i == firstWord) {
            // Wider than the line: it stands alone and runs past the limit.
            i += 1;
            x += w;
            full = true;
        } else {
            x -= m_space_width;
            full = true;
        }
        if (i >= wordCount) {
            ended = true;
            break;
        }
        if (full)
            break;
    }
    leftover = m_line_limit - x;
    return i - firstWord;
}

int32_t PageLayout::wordWidth(const BookParagraph& paragraph, uint32_t word)
{
    const WordRange& range = paragraph.wordRanges().at(word);
    const WideString& text = paragraph.text();
    int32_t width = 0;
    for (int32_t j = 0; j < range.length(); ++j)
        width += m_measurer.charWidth(wordChar(text, range.begin(), j));
    return width;
}

int32_t PageLayout::lineStartX(uint32_t firstWord) const
{
    return firstWord == 0 ? m_left_margin + 8 * m_space_width : m_left_margin;
}

void PageLayout::placeLine(const BookParagraph& paragraph, uint32_t& index, uint32_t firstWord, uint32_t wordCount,
                           int32_t y, int32_t leftover, bool ended)
{
    LaidOutLine line;
    line.firstCell = index;
    line.y = y;
    line.startX = lineStartX(firstWord);

    // A paragraph's last line and a word standing alone past the limit are
    // flush left; one word keeps the whole rest of its line in its blank;
    // otherwise the leftover is shared out, a pixel more to the first blanks.
    const uint32_t room = leftover < 0 ? 0 : static_cast<uint32_t>(leftover);
    line.gap = static_cast<uint32_t>(m_space_width);
    if (!ended && leftover >= 0) {
        if (wordCount <= 1) {
            line.gap = room;
        } else {
            line.gap = room / (wordCount - 1) + static_cast<uint32_t>(m_space_width);
            line.extra = room % (wordCount - 1);
        }
    }

    int32_t x = line.startX;
    uint32_t extra = line.extra;
    for (uint32_t k = firstWord; k != firstWord + wordCount; ++k) {
        const WordRange& word = paragraph.wordRanges().at(k);
        placeWordCells(paragraph.text(), word, y, x, index, 1);
        line.lastWordRight = x;
        index += static_cast<uint32_t>(word.length());
        placeSpaceCell(index, y, x, line.gap, extra);
        index += 1;
    }
    line.lastCell = index - 1;
    if (m_line_observer != nullptr)
        m_line_observer->lineLaidOut(line);
}

void PageLayout::placeWordCells(const WideString& text, const WordRange& word, int32_t y, int32_t& x, uint32_t index,
                                uint8_t inWord)
{
    for (int32_t j = 0; j < word.length(); ++j) {
        const CellChar c = wordChar(text, word.begin(), j);
        const int32_t width = m_measurer.charWidth(c);
        setCell(index + static_cast<uint32_t>(j), TextCell(c, Rect(x, y, width, m_line_height), inWord));
        x += width;
    }
}

void PageLayout::placeSpaceCell(uint32_t index, int32_t y, int32_t& x, uint32_t gap, uint32_t& extra)
{
    const int32_t width = static_cast<int32_t>(gap);
    setCell(index, TextCell(Blank, Rect(x, y, width, m_line_height), 0));
    x += width;
    if (extra > 0) {
        x += 1;
        extra -= 1;
    }
}

void PageLayout::setCell(uint32_t index, const TextCell& cell)
{
    // The last paragraph's closing blank may fall one past the book's
    // characters (an empty last line, a last line without its line end).
    if (index < m_cells.count())
        m_cells.at(index) = cell;
}
