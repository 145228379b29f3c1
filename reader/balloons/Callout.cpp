#include "reader/balloons/Callout.h"

#include <cstring>
#include <new>

#include "edition/EditionHooks.h"
#include "reader/balloons/CalloutShape.h"
#include "reader/balloons/DrawTextMeasurer.h"
#include "reader/window/WinApiWindow.h"

HFONT g_callout_font = nullptr;
HFONT g_callout_cyrillic_font = nullptr;

namespace {

const int32_t DefaultMaxWidth = 200;
const int FontWeight = 300;
const COLORREF BalloonColor = RGB(255, 255, 223); // the fill and the text's background
const COLORREF TextColor = RGB(0, 0, 0);

// One brush for every balloon and paint: painting makes no GDI object.
HBRUSH g_callout_brush = nullptr;

HFONT createCalloutFont(BYTE charset)
{
    return CreateFont(editionWidgetFontHeight(), 0, 0, 0, FontWeight, FALSE, FALSE, FALSE, charset,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH,
                      TEXT("Tahoma"));
}

} // namespace

Callout::Callout()
    : m_visible(0), m_text_width(0), m_text_height(0), m_text(nullptr), m_max_width(DefaultMaxWidth),
      m_charset(ANSI_CHARSET), m_window(nullptr)
{
    ZeroMemory(m_outline, sizeof(m_outline));
    ZeroMemory(&m_text_rect, sizeof(m_text_rect));
    if (g_callout_font == nullptr)
        g_callout_font = createCalloutFont(ANSI_CHARSET);
    if (NarrowProgram && g_callout_cyrillic_font == nullptr)
        g_callout_cyrillic_font = createCalloutFont(RUSSIAN_CHARSET);
    if (g_callout_brush == nullptr)
        g_callout_brush = CreateSolidBrush(BalloonColor);
}

Callout::~Callout()
{
    releaseText();
}

void Callout::show(const Point& upper, const Point& lower, const PlatformChar* text, int32_t maxWidth,
                   int32_t charset)
{
    m_max_width = maxWidth;
    m_charset = charset;
    m_upper_anchor = upper;
    m_lower_anchor = lower;
    // The slot may still show an earlier text.
    hide();
    m_text_width = 0;
    m_text_height = 0;
    if (text == nullptr)
        return;
    size_t n = 0;
    while (text[n] != 0)
        ++n;
    PlatformChar* copy = new (std::nothrow) PlatformChar[n + 1];
    if (copy == nullptr)
        return;
    std::memcpy(copy, text, (n + 1) * sizeof(PlatformChar));
    m_text = copy;
    m_visible = 1;
    if (m_window == nullptr)
        return;
    wrapText();
    layout();
}

void Callout::hide()
{
    m_visible = 0;
    releaseText();
}

void Callout::releaseText()
{
    delete[] m_text;
    m_text = nullptr;
}

HFONT Callout::font() const
{
    if (NarrowProgram && m_charset == RUSSIAN_CHARSET)
        return g_callout_cyrillic_font;
    return g_callout_font;
}

void Callout::wrapText()
{
    HDC dc = m_window->hdc();
    HGDIOBJ oldFont = SelectObject(dc, font());
    DrawTextMeasurer measurer(dc);
    ::wrapText<PlatformChar>(m_text, m_max_width, measurer, m_text_width, m_text_height);
    SelectObject(dc, oldFont);
}

// Placed anew from the client area and the scroll offset of this moment.
void Callout::layout()
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(m_window->hwnd(), &client);
    CalloutShape shape;
    shape.layout(client.right, client.bottom, m_window->scrollOffset(), m_upper_anchor, m_lower_anchor,
                 m_text_width, m_text_height);
    for (uint32_t i = 0; i < OutlinePoints; ++i) {
        m_outline[i].x = shape.point(i).x;
        m_outline[i].y = shape.point(i).y;
    }
    rectToRECT(shape.textRect(), m_text_rect);
}

// Leaves the context's pen, brush, font and colours as it found them.
void Callout::draw()
{
    if (m_visible != 1 || m_text == nullptr || m_window == nullptr)
        return;
    layout();
    HDC dc = m_window->hdc();

    // A black edge and black text whatever pen and text colour another layer
    // left in the context (the text layer's last word may be green or blue).
    HGDIOBJ oldBrush = SelectObject(dc, g_callout_brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, m_outline, static_cast<int>(OutlinePoints));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);

    // The narrow program's texts hold no right-to-left script.
    const UINT alignment = (!NarrowProgram && isRightAlignedText(m_text)) ? DT_RIGHT : DT_LEFT;
    const COLORREF oldBack = SetBkColor(dc, BalloonColor);
    const COLORREF oldText = SetTextColor(dc, TextColor);
    HGDIOBJ oldFont = SelectObject(dc, font());
    RECT r = m_text_rect;
    DrawText(dc, m_text, -1, &r, alignment | CalloutTextFlags);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
