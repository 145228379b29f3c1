#pragma once

#include <windows.h>

#include <cstdint>

#include "core/FixedArray.h"
#include "core/Geometry.h"
#include "core/PlatformChar.h"
#include "reader/page/TextCell.h"
#include "reader/window/DrawLayer.h"
#include "reader/window/ScrollMath.h"

// The window's fonts by slot; empty slots hold no font.
class FontArray : public FixedArray<HFONT> {
public:
    ~FontArray() override = default;
};

// The platform side of the main window: class, creation, menu bar, the kept
// device context, fonts, layers, the mouse point, dialogs, scrolling with its
// saved offset, and starting the web browser. The reader window fills the
// operations it leaves empty or pure.
class WinApiWindow {
public:
    WinApiWindow(const PlatformChar* className, uint32_t fontCount);

    // Every layer draws into the kept device context, whatever was invalidated.
    virtual void drawLayers();
    virtual void paint(const Rect* update);
    virtual void pageDown() {}
    virtual void pageUp() {}
    virtual void lineDown() {}
    virtual void lineUp() {}
    virtual void scrollToPosition(int16_t position);
    virtual void setThumbPosition(int16_t position);
    virtual void acquireDC();
    virtual void spareHook(int32_t) {} // inert: never called
    virtual void onLeftClick() {}
    virtual void onRightClick() {}
    virtual void onDoubleClick() {}
    virtual void onTimer(UINT_PTR) {}
    virtual void setTranslationVisible(uint32_t index, uint8_t on) = 0;
    virtual void setDictionaryLanguage(uint32_t index) = 0;
    virtual const PlatformChar* scrollOffsetKey() = 0;
    virtual void goToChapter(WPARAM commandId) = 0;
    virtual void openStoreLinks() = 0;
    virtual ~WinApiWindow();
    virtual void start() = 0;
    virtual int32_t documentHeight() = 0;

    WinApiWindow(const WinApiWindow&) = delete;
    WinApiWindow& operator=(const WinApiWindow&) = delete;

    // Class, window, placement, maximised showing, menu bar; false when the
    // window could not be created (no display, say).
    bool createWindow(HINSTANCE instance);
    void setHwnd(HWND hwnd) { m_hwnd = hwnd; }
    HWND hwnd() const { return m_hwnd; }
    HDC hdc() const { return m_hdc; }
    HINSTANCE hinstance() const { return m_hinstance; }
    void invalidate();
    void setTitle(const PlatformChar* text);
    void updateClientBox();
    const Rect* clientBox() const { return &m_client_box; }
    void getDesktopSize(int32_t& width, int32_t& height);
    bool startTimer(int32_t ignored, UINT milliseconds);

    HFONT createFont(uint32_t index, int32_t height);
    void selectFont(uint32_t index);
    int32_t charWidth(PlatformChar c, uint32_t fontIndex);
    int32_t lineHeight(uint32_t fontIndex);

    // Window coordinates, kept as unsigned 16-bit values; y becomes a
    // document y. The point before is kept too.
    void setMousePoint(uint16_t x, uint16_t y);
    const Point& mousePoint() const { return m_mouse_point; }

    bool setLayerCount(uint32_t n);
    void setLayer(DrawLayer* layer, uint32_t index) { m_layers.at(index) = layer; }

    // The dialog's result, or the platform's last error when it could not open.
    INT_PTR showAboutDialog(HWND ignored);
    INT_PTR showHelpDialog(HWND ignored, WPARAM id);
    BOOL runSetupProgram();
    void selectDictionaryLanguage(LPARAM ignored, WPARAM id);
    void toggleTranslation(LPARAM ignored, WPARAM id);
    // The character to show for a 16-bit one, and the character set of the
    // font to show it in.
    uint8_t toDisplayChar(char16_t c, PlatformChar& out) const;

    // Scrolling; each step writes the offset to the settings file.
    void scrollUp(int32_t n, uint8_t updateBar);
    void scrollDown(int32_t n, uint8_t updateBar);
    int32_t pixelsPerScrollUnit();
    // Moves the thumb; the position kept and shown is taken within the bar's range.
    void setScrollPosition(int32_t position);
    // The bar's range and page for the client and document heights, and the
    // thumb set again from the offset.
    void updateScrollRange();
    int32_t scrollOffset() const { return m_scroll_offset; }
    void setScrollOffset(int32_t pixels) { m_scroll_offset = pixels; }
    void setMaxScrollOffset(int32_t pixels) { m_max_scroll_offset = pixels; }

    // The browser: address begins with its blank.
    void lookUpWord(const CellChar* word, uint32_t targetLanguage, uint32_t interfaceLanguage);
    static void openInBrowser(const PlatformChar* path, const char16_t* address);
    static const char16_t* dictionaryLanguageCode(uint32_t index);

protected:
    // For a window that draws somewhere else than its own client area.
    void setHdc(HDC dc) { m_hdc = dc; }
    void buildMenuBar();
    void buildDictionaryLanguageMenu(HMENU dictionaries);
    // The offset saved in the settings file, 0 when there is none.
    int32_t readScrollOffset();

private:
    void writeScrollOffset();
    void tellLayers(bool up, int32_t n);
    void updateScrollBar(uint8_t updateBar);
    ThumbRange thumbPositions();
    int32_t clientHeight();

protected:
    HWND m_hwnd;
    HDC m_hdc;
    HINSTANCE m_hinstance;
    const PlatformChar* m_class_name;
    int32_t m_scroll_pos;
    HMENU m_translation_menu;
    HMENU m_dictionary_language_menu;
    FontArray m_fonts;
    LayerArray m_layers;
    int32_t m_scroll_offset;
    int32_t m_max_scroll_offset;
    Point m_mouse_point;
    Point m_previous_mouse_point; // inert: kept by setMousePoint, read by nothing
    Rect m_client_box;
    uint16_t m_checked_language_id;
};

// The browser's program path from the registry, kept once found; null while
// none is known. Safe to call from any thread.
const PlatformChar* getBrowserPath();

// The window procedure and the dialog procedure of the main window's dialogs.
LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
