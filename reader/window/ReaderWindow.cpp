#include "reader/window/ReaderWindow.h"

#include <new>

#include "document/BookData.h"
#include "document/BookLoader.h"
#include "edition/EditionHooks.h"

namespace {

const uint32_t FontCount = 3;

} // namespace

ReaderWindow::ReaderWindow()
    : WinApiWindow(TEXT("Tavrem"), FontCount),
      m_playing(0),
      m_auto_scroll(0),
      m_layout_width(0),
      m_layout_height(0),
      m_callout_text(nullptr),
      m_player(nullptr),
      m_outline_layer(this),
      m_callout_layer(this),
      m_text_layer(this),
      m_picture_layer(this),
      m_index_map_layer(this),
      m_shape_layer(this),
      m_highlight_first(NoHighlight),
      m_highlight_last(NoHighlight),
      m_callout_translation(0),
      m_dictionary_language(0),
      m_char_widths(*this),
      m_page_layout(m_text_layer.cells(), m_char_widths)
{
    // Opens no sound device yet. Without it the right click does nothing.
    m_player = new (std::nothrow) BookAudioPlayer(this);
    // Drawing and scroll notices go to the layers in index order.
    setLayerCount(LayerCount);
    setLayer(&m_picture_layer, PictureLayerIndex);
    setLayer(&m_outline_layer, OutlineLayerIndex);
    setLayer(&m_callout_layer, CalloutLayerIndex);
    setLayer(&m_text_layer, TextLayerIndex);
    setLayer(&m_index_map_layer, IndexMapLayerIndex);
    setLayer(&m_shape_layer, ShapeLayerIndex);
    m_outline_layer.setLineCount(OutlineLineCount);
}

// The program's window lives as long as the process; windows of tests end.
ReaderWindow::~ReaderWindow()
{
    // Waits for the player's threads, which post to this window.
    delete m_player;
    delete[] m_callout_text;
}

void ReaderWindow::start()
{
    // A missing book gives a page with the loader's message.
    BookLoader::instance().loadAll();
    m_text_layer.setCellCount(BookData::instance().totalCharacters());
    layOut();
    resumeAtSavedOffset();
}

bool ReaderWindow::shutdownPlayer(DWORD timeout)
{
    return m_player == nullptr || m_player->shutdown(timeout);
}

uint8_t ReaderWindow::sentenceText(const WideString& text, PlatformChar*& out) const
{
    const uint32_t n = text.count();
    out = new (std::nothrow) PlatformChar[static_cast<size_t>(n) + 1];
    if (out == nullptr)
        return 0;
    uint8_t charset = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t c = toDisplayChar(text.at(i), out[i]);
        if (c != 0)
            charset = c;
    }
    out[n] = 0;
    return charset;
}

void ReaderWindow::updateTitle(BookText& text)
{
    PlatformChar* title = nullptr;
    const WideString& first = text.at(0).text();
    sentenceText(first, title);
    if (title == nullptr)
        return;
    // Without its line end; an empty paragraph gives an empty title.
    if (first.count() > 0)
        title[first.count() - 1] = 0;
    setTitle(title);
    delete[] title;
}

void ReaderWindow::resumeAtSavedOffset()
{
    const int32_t saved = readScrollOffset();
    startTimer(0, TimerMilliseconds);
    scrollDown(saved, 1);
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
