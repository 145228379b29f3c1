#include "reader/window/ReaderWindow.h"

#include "document/BookData.h"
#include "edition/EditionHooks.h"
#include "reader/page/HighlightMath.h"

namespace {

const uint32_t TextFont = 0;
const CellChar Blank = 0x0020;

} // namespace

void ReaderWindow::layOut()
{
    layOutCells();
    buildRegions();
    finishLayout();
}

void ReaderWindow::layOutCells()
{
    createFonts();
    layOutParagraphs(BookData::instance().text());
    updateScrollRange();
}

void ReaderWindow::buildRegions()
{
    BookData& book = BookData::instance();
    buildSentenceRegions(book.text());
    buildSegmentRegions(book.segments());
}

void ReaderWindow::finishLayout()
{
    updateTitle(BookData::instance().text());
    m_text_layer.updateMaxScroll();
}

void ReaderWindow::createFonts()
{
    createFont(TextFont, editionTextFontHeight());
    m_char_widths.clear();
}

void ReaderWindow::computeMetrics()
{
    getDesktopSize(m_layout_width, m_layout_height);
    m_page_layout.setMetrics(m_layout_width, m_char_widths.charWidth(Blank), lineHeight(TextFont));
}

void ReaderWindow::layOutParagraphs(BookText& text)
{
    computeMetrics();
    int32_t y = 2 * m_page_layout.lineHeight();
    uint32_t index = 0;
    m_paragraph_offsets.setSize(text.count());
    m_picture_layer.setPictureCount(editionPictureCount());
    for (uint32_t i = 0; i < text.count(); ++i) {
        m_paragraph_offsets.at(i) = static_cast<int32_t>(index);
        m_page_layout.layOutParagraph(y, index, text.at(i));
        editionPlacePictures(m_picture_layer, i, y);
    }
    setInitialVisibleRange(0);
}

// The cells from `first` down to one desktop height below it.
void ReaderWindow::setInitialVisibleRange(uint32_t first)
{
    const int64_t top = m_text_layer.cellAt(first).top();
    const uint32_t total = BookData::instance().totalCharacters();
    uint32_t i = first;
    do {
        i += 1;
    } while (!(m_text_layer.cellAt(i).top() - top > m_layout_height || i >= total));
    m_text_layer.setVisibleRange(first, i - 1);
}

uint32_t countBookSentences(BookText& text)
{
    uint32_t n = 0;
    for (uint32_t p = 0; p < text.count(); ++p)
        n += text.at(p).translation(0).count();
    return n;
}

void ReaderWindow::buildSentenceRegions(BookText& text)
{
    m_sentence_regions.setSize(countBookSentences(text));
    uint32_t r = 0;
    for (uint32_t p = 0; p < text.count(); ++p) {
        TranslationPhraseArray& phrases = text.at(p).translation(0);
        for (uint32_t k = 0; k < phrases.count(); ++k) {
            m_sentence_regions.setRegionRange(*this, phrases.at(k), static_cast<int32_t>(p), static_cast<int32_t>(k),
                                              r);
            r += 1;
        }
    }
}

void ReaderWindow::buildSegmentRegions(AudioSegmentArray& segments)
{
    m_segment_regions.setSize(segments.count());
    SegmentItemCounter items;
    for (uint32_t j = 0; j < segments.count(); ++j) {
        const AudioSegment& segment = segments.at(j);
        const int32_t item = items.next(segment.paragraphIndex());
        CharRange range;
        range.set(segment.firstChar(), segment.lastChar());
        m_segment_regions.setRegionRange(*this, range, segment.paragraphIndex(), item, j);
    }
}

void RegionList::setRegionRange(ReaderWindow& window, const CharRange& range, int32_t paragraph, int32_t item,
                                uint32_t region)
{
    const int32_t offset = window.paragraphOffset(static_cast<uint32_t>(paragraph));
    const uint32_t lines =
        window.textLayer().lineCount(bookCellIndex(offset, range.first()), bookCellIndex(offset, range.last()));
    setRegionRange(window.textLayer().cells(), offset, lines, range, paragraph, item, region);
}
