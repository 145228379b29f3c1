#pragma once

#include <cstdint>

#include "reader/CalloutLayer.h"
#include "reader/OutlineLayer.h"
#include "reader/TextLayer.h"
#include "reader/WinApiWindow.h"

// The reader's one window: the page and its events.
class ReaderWindow : public WinApiWindow {
public:
    // Allocates the program's reader window; false when there is no memory.
    // Each program links its own (a test program its test page).
    static bool create(ReaderWindow*& out);

    ReaderWindow();
    ~ReaderWindow() override = default;

    void pageDown() override;
    void pageUp() override;
    void lineDown() override;
    void lineUp() override;
    void setThumbPosition(int16_t position) override;
    void onDoubleClick() override;
    void setTranslationVisible(uint32_t index, uint8_t on) override;
    void setDictionaryLanguage(uint32_t index) override;
    const PlatformChar* scrollOffsetKey() override;
    void goToChapter(WPARAM) override {}
    void openStoreLinks() override {}
    void start() override;
    int32_t documentHeight() override { return m_text_layer.documentHeight(); }

    TextLayer& textLayer() { return m_text_layer; }
    OutlineLayer& outlineLayer() { return m_outline_layer; }
    CalloutLayer& calloutLayer() { return m_callout_layer; }
    uint8_t autoScroll() const { return m_auto_scroll; }
    int32_t dictionaryLanguage() const { return m_dictionary_language; }

    static const uint32_t LayerCount = 6;
    static const uint32_t TextLayerIndex = 1;
    static const uint32_t OutlineLayerIndex = 3;
    static const uint32_t CalloutLayerIndex = 5;
    static const uint32_t OutlineLineCount = 8;
    static const int32_t LineStep = 20;
    static const int32_t PageStep = 300;
    static const UINT TimerMilliseconds = 100;

protected:
    // The end of start-up: the saved offset, the timer, the scroll there.
    void resumeAtSavedOffset();

    uint8_t m_playing;
    uint8_t m_auto_scroll;
    OutlineLayer m_outline_layer;
    CalloutLayerImpl m_callout_layer;
    TextLayerImpl m_text_layer;
    int32_t m_dictionary_language;
};
