#include "reader/window/WinApiWindow.h"

#include "reader/window/ScrollMath.h"

#include <climits>

namespace {

const PlatformChar SettingsFile[] = TEXT("korvell.ini");
const PlatformChar StartSection[] = TEXT("Start");

} // namespace

void WinApiWindow::scrollUp(int32_t n, uint8_t updateBar)
{
    m_scroll_offset = offsetAfterScrollUp(m_scroll_offset, n);
    writeScrollOffset();
    tellLayers(true, n);
    updateScrollBar(updateBar);
}

void WinApiWindow::scrollDown(int32_t n, uint8_t updateBar)
{
    m_scroll_offset = offsetAfterScrollDown(m_scroll_offset, n, m_max_scroll_offset);
    writeScrollOffset();
    tellLayers(false, n);
    updateScrollBar(updateBar);
}

// Every step is saved, also one that moved nothing, so that the next start
// comes back here.
void WinApiWindow::writeScrollOffset()
{
    PlatformChar text[16];
    wsprintf(text, TEXT("%d"), static_cast<int>(m_scroll_offset));
    WritePrivateProfileString(StartSection, scrollOffsetKey(), text, SettingsFile);
}

// Read as signed: a negative saved value opens at 0, not far below the book.
int32_t WinApiWindow::readScrollOffset()
{
    return static_cast<int32_t>(GetPrivateProfileInt(StartSection, scrollOffsetKey(), 0, SettingsFile));
}

void WinApiWindow::tellLayers(bool up, int32_t n)
{
    for (uint32_t i = 0; i < m_layers.count(); ++i) {
        DrawLayer* layer = m_layers.at(i);
        if (layer == nullptr)
            continue;
        if (up)
            layer->onScrollUp(n);
        else
            layer->onScrollDown(n);
    }
}

void WinApiWindow::updateScrollBar(uint8_t updateBar)
{
    if (updateBar != 1)
        return;
    setScrollPosition(m_scroll_offset / pixelsPerScrollUnit());
}

// Near the book's end offset / unit lies past the thumb's last position, and
// a position posted with a drag may lie anywhere in 16 bits: the position kept
// is always one the bar can show, so that a drag moves the page by what the
// thumb moved.
ThumbRange WinApiWindow::thumbPositions()
{
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!GetScrollInfo(m_hwnd, SB_VERT, &si)) {
        const ThumbRange any = {INT32_MIN, INT32_MAX};
        return any;
    }
    return thumbRange(si.nMin, si.nMax, si.nPage);
}

int32_t WinApiWindow::clientHeight()
{
    RECT r = {0, 0, 0, 0};
    GetClientRect(m_hwnd, &r);
    return r.bottom - r.top;
}

int32_t WinApiWindow::pixelsPerScrollUnit()
{
    return ::pixelsPerScrollUnit(documentHeight(), clientHeight());
}

void WinApiWindow::setScrollPosition(int32_t position)
{
    m_scroll_pos = positionInRange(thumbPositions(), position);
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = m_scroll_pos;
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
}

void WinApiWindow::updateScrollRange()
{
    const int32_t ch = clientHeight();
    uint32_t page = 0;
    if (!scrollBarPage(documentHeight(), ch, page))
        return;
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = ch;
    si.nPage = page;
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    // The bar shows the thumb taken into its new range: the next drag must
    // start from there, not from the position kept for the old one.
    updateScrollBar(1);
}

// Dragging the thumb moves the page; the thumb itself follows the mouse.
void WinApiWindow::scrollToPosition(int16_t position)
{
    const ThumbRange range = thumbPositions();
    const int32_t to = positionInRange(range, position);
    const ThumbMove move =
        thumbDrag(pixelsPerScrollUnit(), range, m_scroll_pos, to, m_scroll_offset, m_max_scroll_offset);
    if (move.down)
        scrollDown(move.pixels, 0);
    else
        scrollUp(move.pixels, 0);
    m_scroll_pos = to;
    invalidate();
}
