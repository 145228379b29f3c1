#include "reader/window/ReaderWindow.h"

#include "document/BookData.h"
#include "edition/EditionHooks.h"
#include "reader/page/TextColors.h"

uint8_t g_callout_open = 0;
int32_t g_callout_sentence = -1;
int32_t g_clicked_sentence = 0;
int32_t g_callout_id = 0;
int32_t g_last_callout_id = 0;

// Opens a balloon on the clicked sentence, steps it on to the next visible
// translation, or closes it.
void ReaderWindow::onLeftClick()
{
    m_auto_scroll = 0;
    if (m_callout_text != nullptr) {
        m_outline_layer.hideAll();
        m_callout_layer.removeCallout(static_cast<uint32_t>(g_callout_id));
        invalidate();
        delete[] m_callout_text;
        m_callout_text = nullptr;
    }
    BookText& text = BookData::instance().text();
    uint32_t clicked = 0;
    const bool hit = m_sentence_regions.findRegionAt(mousePoint(), clicked);
    g_clicked_sentence = static_cast<int32_t>(clicked);
    const uint32_t n = text.translationCount();
    const bool any = text.anyTranslationVisible();
    if (!hit) {
        g_callout_open = 0;
        return;
    }
    // Opening shows the translation shown last, visible or not.
    if (g_callout_open != 1) {
        g_callout_open = 1;
        g_callout_sentence = g_clicked_sentence;
        g_callout_id = showTranslationCallout(text, g_callout_sentence);
        return;
    }
    if (g_clicked_sentence != g_callout_sentence || n == 0 || !any) {
        g_callout_open = 0;
        return;
    }
    for (uint32_t t = m_callout_translation + 1; t < n; ++t) {
        m_callout_translation = t;
        if (text.isTranslationVisible(t)) {
            g_callout_id = showTranslationCallout(text, g_callout_sentence);
            return;
        }
    }
    // Past the last visible translation: closed, and the next opens the first.
    m_callout_translation = 0;
    g_callout_open = 0;
}

int32_t ReaderWindow::showTranslationCallout(BookText& text, int32_t k)
{
    const TextRegion& region = m_sentence_regions.at(static_cast<uint32_t>(k));
    m_outline_layer.outlineRegion(region);
    const TranslationPhrase& phrase = text.at(static_cast<uint32_t>(region.groupIndex()))
                                          .phrase(m_callout_translation, static_cast<uint32_t>(region.itemIndex()));
    // No phrase, no balloon: the outline shows at the next repaint all the same.
    if (phrase.count() == 0)
        return g_last_callout_id;
    const uint8_t charset = sentenceText(phrase, m_callout_text);
    if (m_callout_text == nullptr)
        return g_last_callout_id;
    Point upper;
    Point lower;
    OutlineLayer::getAnchors(m_outline_layer.points(), upper, lower);
    g_last_callout_id =
        static_cast<int32_t>(m_callout_layer.addCallout(upper, lower, m_callout_text, CalloutMaxWidth, charset));
    invalidate();
    return g_last_callout_id;
}

// Plays from the clicked segment, or stops what plays. A playback that ended
// by itself still counts as playing: the next right click only stops.
void ReaderWindow::onRightClick()
{
    m_auto_scroll = 0;
    if (m_player == nullptr)
        return;
    if (m_playing != 0) {
        if (m_highlight_first != NoHighlight)
            m_text_layer.colorRange(PlainTextColor, static_cast<uint32_t>(m_highlight_first),
                                    static_cast<uint32_t>(m_highlight_last));
        m_player->requestStop();
        m_playing = 0;
        return;
    }
    uint32_t segment = 0;
    if (!m_segment_regions.findRegionAt(mousePoint(), segment))
        return;
    // Set first: the playback's first notice must find the window playing.
    m_playing = 1;
    // Nothing of this playback is highlighted yet: until its first segment
    // starts, the timer follows nothing and a stop colours nothing.
    m_highlight_first = NoHighlight;
    m_highlight_last = NoHighlight;
    m_player->playFrom(static_cast<int32_t>(segment));
}

// Looks the word up, also during playback; the page keeps following it.
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
    m_text_layer.colorRange(LookedUpTextColor, before + 1, after - 1);
    lookUpWord(word, static_cast<uint32_t>(m_dictionary_language), editionBookLanguage());
}

// Every tick, whatever the timer: the page follows the highlighted segment.
void ReaderWindow::onTimer(UINT_PTR)
{
    if (m_highlight_first != NoHighlight)
        updateAutoScroll(static_cast<uint32_t>(m_highlight_first));
    if (m_auto_scroll == 1) {
        scrollDown(AutoScrollStep, 1);
        invalidate();
    }
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
