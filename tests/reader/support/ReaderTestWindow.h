#pragma once

// The reader window with its state in reach of the tests: what the program
// itself never asks for. Every test window of the reader derives from it.

#include "reader/window/ReaderWindow.h"

class ReaderTestWindow : public ReaderWindow {
public:
    OutlineLayer& outlineLayer() { return m_outline_layer; }
    CalloutLayer& calloutLayer() { return m_callout_layer; }
    PictureLayer& pictureLayer() { return m_picture_layer; }
    const RegionList& sentenceRegions() const { return m_sentence_regions; }
    const RegionList& segmentRegions() const { return m_segment_regions; }
    const PageLayout& pageLayout() const { return m_page_layout; }
    const CharWidthCache& charWidths() const { return m_char_widths; }
    int32_t layoutWidth() const { return m_layout_width; }
    int32_t layoutHeight() const { return m_layout_height; }

    uint8_t autoScroll() const { return m_auto_scroll; }
    uint8_t playing() const { return m_playing; }
    uint32_t calloutTranslation() const { return m_callout_translation; }
    const PlatformChar* calloutText() const { return m_callout_text; }
    int32_t highlightFirst() const { return m_highlight_first; }
    int32_t highlightLast() const { return m_highlight_last; }
    void setPlaying(uint8_t playing) { m_playing = playing; }
    void setAutoScroll(uint8_t on) { m_auto_scroll = on; }

    int32_t maxScrollOffset() const { return m_max_scroll_offset; }
    int32_t scrollPosition() const { return m_scroll_pos; }
    HMENU dictionaryLanguageMenu() const { return m_dictionary_language_menu; }
};
