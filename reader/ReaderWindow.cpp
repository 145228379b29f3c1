#include "reader/ReaderWindow.h"

#include "document/BookData.h"
#include "document/BookLoader.h"
#include "edition/EditionHooks.h"

namespace {

const uint32_t FontCount = 3;
const RgbColor LookedUpColor(0, 0, 223);

} // namespace

ReaderWindow::ReaderWindow()
    : WinApiWindow(TEXT("Tavrem"), FontCount), m_playing(0), m_auto_scroll(0), m_outline_layer(this),
      m_callout_layer(this), m_text_layer(this), m_dictionary_language(0)
{
    setLayerCount(LayerCount);
    setLayer(&m_outline_layer, OutlineLayerIndex);
    setLayer(&m_callout_layer, CalloutLayerIndex);
    setLayer(&m_text_layer, TextLayerIndex);
    m_outline_layer.setLineCount(OutlineLineCount);
}

void ReaderWindow::start()
{
    BookLoader::instance().loadAll();
    m_text_layer.setCellCount(BookData::instance().totalCharacters());
    resumeAtSavedOffset();
}

void ReaderWindow::resumeAtSavedOffset()
{
    // Read as signed: a negative saved value opens at 0, not far below the book.
    const int32_t saved =
        static_cast<int32_t>(GetPrivateProfileInt(TEXT("Start"), scrollOffsetKey(), 0, TEXT("korvell.ini")));
    startTimer(0, TimerMilliseconds);
    scrollDown(saved, 1);
}

void ReaderWindow::lineDown()
{
    m_auto_scroll = 0;
    scrollDown(LineStep, 1);
    invalidate();
}

void ReaderWindow::lineUp()
{
    m_auto_scroll = 0;
    scrollUp(LineStep, 1);
    invalidate();
}

void ReaderWindow::pageDown()
{
    m_auto_scroll = 0;
    scrollDown(PageStep, 1);
    invalidate();
}

void ReaderWindow::pageUp()
{
    m_auto_scroll = 0;
    scrollUp(PageStep, 1);
    invalidate();
}

// The page moved already while the thumb was dragged.
void ReaderWindow::setThumbPosition(int16_t position)
{
    m_auto_scroll = 0;
    setScrollPosition(position);
    invalidate();
}

void ReaderWindow::onDoubleClick()
{
    const Point& p = mousePoint();
    uint32_t cell = 0;
    if (!m_text_layer.hitTest(p.x, p.y, cell))
        return;
    CellChar word[TextLayer::PickedWordBuffer];
    uint32_t before = 0;
    uint32_t after = 0;
    if (!m_text_layer.pickWord(cell, word, before, after))
        return;
    m_text_layer.colorRange(LookedUpColor, before + 1, after - 1);
    lookUpWord(word, static_cast<uint32_t>(m_dictionary_language), editionBookLanguage());
}

void ReaderWindow::setTranslationVisible(uint32_t index, uint8_t on)
{
    BookData::instance().text().setTranslationVisible(index, on);
}

void ReaderWindow::setDictionaryLanguage(uint32_t index)
{
    m_dictionary_language = static_cast<int32_t>(index);
}

const PlatformChar* ReaderWindow::scrollOffsetKey()
{
    return editionScrollOffsetKey();
}
