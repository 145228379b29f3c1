#pragma once

#include <windows.h>

#include <cstdint>

#include "core/FixedArray.h"
#include "core/Geometry.h"
#include "core/PlatformChar.h"

class WinApiWindow;

// The balloons' font, made by the first balloon and kept for the process.
extern HFONT g_callout_font;
// The balloon font for texts in code page 1251; the narrow program alone
// makes it.
extern HFONT g_callout_cyrillic_font;

// One translation balloon: a pale box beside a sentence with a neck that
// ends at the sentence's outline, and its own copy of the text, broken into
// lines no wider than the maximum where blanks allow. It draws on its owner
// window's device context and places itself anew at every paint.
class Callout {
public:
    static const uint32_t OutlinePoints = 7;

    Callout();
    virtual ~Callout();

    Callout(const Callout&) = delete;
    Callout& operator=(const Callout&) = delete;

    void setOwner(WinApiWindow* window) { m_window = window; }
    // Anchors in document pixels. The balloon keeps a copy of the text; the
    // copy that it showed before is freed.
    void show(const Point& upper, const Point& lower, const PlatformChar* text, int32_t maxWidth, int32_t charset);
    void hide();
    void draw();

    bool visible() const { return m_visible == 1; }
    const PlatformChar* text() const { return m_text; }
    int32_t textWidth() const { return m_text_width; }
    int32_t textHeight() const { return m_text_height; }
    int32_t charset() const { return m_charset; }
    const POINT& outlinePoint(uint32_t i) const { return m_outline[i < OutlinePoints ? i : 0]; }
    const RECT& textRect() const { return m_text_rect; }

private:
    // The font of this balloon's text.
    HFONT font() const;
    void wrapText();
    void layout();
    void releaseText();

    uint8_t m_visible;
    Point m_upper_anchor;
    Point m_lower_anchor;
    int32_t m_text_width;
    int32_t m_text_height;
    PlatformChar* m_text;
    int32_t m_max_width;
    POINT m_outline[OutlinePoints];
    RECT m_text_rect;
    int32_t m_charset;
    WinApiWindow* m_window;
};

class CalloutArray : public FixedArray<Callout> {
public:
    ~CalloutArray() override = default;
};
