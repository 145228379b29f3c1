#pragma once

#include <cstdint>

#include "core/IntArray.h"
#include "document/AudioSegment.h"
#include "document/BookText.h"
#include "reader/balloons/CalloutLayer.h"
#include "reader/balloons/OutlineLayer.h"
#include "reader/page/CharWidthCache.h"
#include "reader/page/InertLayers.h"
#include "reader/page/PageLayout.h"
#include "reader/page/PictureLayer.h"
#include "reader/page/TextLayer.h"
#include "reader/page/TextRegion.h"
#include "reader/playback/BookAudioPlayer.h"
#include "reader/window/WinApiWindow.h"

// The reader's one window: the page and its events.
class ReaderWindow : public WinApiWindow {
public:
    // Allocates the program's reader window; false when there is no memory.
    // Each program links its own (a test program its test page).
    static bool create(ReaderWindow*& out);

    ReaderWindow();
    ~ReaderWindow() override;

    void pageDown() override;
    void pageUp() override;
    void lineDown() override;
    void lineUp() override;
    void setThumbPosition(int16_t position) override;
    void onLeftClick() override;
    void onRightClick() override;
    void onDoubleClick() override;
    void onTimer(UINT_PTR timerId) override;
    void setTranslationVisible(uint32_t index, uint8_t on) override;
    void setDictionaryLanguage(uint32_t index) override;
    const PlatformChar* scrollOffsetKey() override;
    void goToChapter(WPARAM commandId) override;
    void openStoreLinks() override;
    void start() override;
    int32_t documentHeight() override { return m_text_layer.documentHeight(); }

    // The display text of a paragraph's or a phrase's characters, with its
    // terminator, in `out` (null without memory; the caller frees it with
    // delete[]); answers the character set of the font to show it in.
    uint8_t sentenceText(const WideString& text, PlatformChar*& out) const;
    // The window title: paragraph 0 without its line end.
    void updateTitle(BookText& text);
    // Outlines sentence k and shows its phrase of translation
    // m_callout_translation in a balloon; answers the balloon shown last.
    int32_t showTranslationCallout(BookText& text, int32_t k);

    // Ends the player's playback and waits for its threads, at most
    // `timeout` milliseconds; false when they did not all end (the player and
    // this window must then stay as they are until the process ends).
    bool shutdownPlayer(DWORD timeout);

    // A copy of segment i of the table; false when i is past the table (the
    // copy is then the table's default segment).
    bool segmentAt(uint32_t i, AudioSegment& out) const;
    // The book-wide cell of paragraph p's first character.
    int32_t paragraphOffset(uint32_t p) const { return m_paragraph_offsets.at(p); }
    TextLayer& textLayer() { return m_text_layer; }

    // Playback colours segment i green while it is heard, and black again
    // after; the page then follows it. Window thread only: the player's
    // threads post their notices (ReaderMessages.h) to the window.
    void highlightSegment(uint32_t i);
    void unhighlightSegment(uint32_t i);
    // The player's posted notices: those of a playback older than the latest
    // change nothing.
    void onSegmentStarted(uint32_t segment, uint32_t playback);
    void onSegmentFinished(uint32_t segment, uint32_t playback);
    // Switches auto-scrolling by the top of cell c.
    void updateAutoScroll(uint32_t c);
    int32_t dictionaryLanguage() const { return m_dictionary_language; }

    static const uint32_t LayerCount = 6;
    static const uint32_t PictureLayerIndex = 0;
    static const uint32_t TextLayerIndex = 1;
    static const uint32_t IndexMapLayerIndex = 2;
    static const uint32_t OutlineLayerIndex = 3;
    static const uint32_t ShapeLayerIndex = 4;
    static const uint32_t CalloutLayerIndex = 5;
    static const uint32_t OutlineLineCount = 8;
    static const int32_t LineStep = 20;
    static const int32_t PageStep = 300;
    static const int32_t AutoScrollStep = 5;
    static const UINT TimerMilliseconds = 100;
    static const int32_t CalloutMaxWidth = 400;
    // The highlight fields before a playback's first segment has started.
    static constexpr int32_t NoHighlight = -1;

protected:
    // The page, once: the cells, then the regions and the title. The scroll
    // offset is 0 afterwards.
    void layOut();
    void layOutCells();
    void buildRegions();
    void finishLayout();

    void createFonts();
    void computeMetrics();
    void layOutParagraphs(BookText& text);
    void setInitialVisibleRange(uint32_t first);
    void buildSentenceRegions(BookText& text);
    void buildSegmentRegions(AudioSegmentArray& segments);

    // The end of start-up: the saved offset, the timer, the scroll there.
    void resumeAtSavedOffset();

    uint8_t m_playing;
    uint8_t m_auto_scroll;
    int32_t m_layout_width; // the desktop's, taken once
    int32_t m_layout_height;
    RegionList m_sentence_regions;
    RegionList m_segment_regions;
    IntArray m_paragraph_offsets;
    PlatformChar* m_callout_text; // the balloon's text, owned; null while none is shown
    BookAudioPlayer* m_player;    // owned; null when it could not be made
    OutlineLayer m_outline_layer;
    CalloutLayerImpl m_callout_layer;
    TextLayerImpl m_text_layer;
    PictureLayerImpl m_picture_layer;
    IndexMapLayerImpl m_index_map_layer;
    ShapePointsLayer m_shape_layer;
    int32_t m_highlight_first;
    int32_t m_highlight_last;
    uint32_t m_callout_translation;
    int32_t m_dictionary_language;
    // Measures for the layout, which holds the other metrics.
    CharWidthCache m_char_widths;
    PageLayout m_page_layout;
};

// What the left click remembers between clicks, on the window thread.
extern uint8_t g_callout_open;     // a balloon is open
extern int32_t g_callout_sentence; // the sentence whose balloon is open
extern int32_t g_clicked_sentence; // the sentence region the last left click hit
extern int32_t g_callout_id;       // the balloon removed at the next left click
extern int32_t g_last_callout_id;  // the balloon shown last

// The number of sentences of the book: the phrases of its first translation.
uint32_t countBookSentences(BookText& text);
