#pragma once

#include <windows.h>

#include "core/PlatformChar.h"
#include "reader/balloons/CalloutText.h"

// Balloon texts are drawn and measured without prefix processing: an "&"
// shows as itself instead of underlining the next character.
const UINT CalloutTextFlags = DT_NOPREFIX;

// Measures as the balloons draw: DrawText's own size of the text, in the
// font selected into the device context.
class DrawTextMeasurer : public TextMeasurer<PlatformChar> {
public:
    explicit DrawTextMeasurer(HDC dc) : m_dc(dc) {}

    void measure(const PlatformChar* text, uint32_t count, int32_t& width, int32_t& height) override
    {
        RECT r = {0, 0, 0, 0};
        DrawText(m_dc, text, static_cast<int>(count), &r, DT_CALCRECT | CalloutTextFlags);
        width = r.right - r.left;
        height = r.bottom - r.top;
    }

private:
    HDC m_dc;
};
