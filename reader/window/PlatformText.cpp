#include "reader/window/PlatformText.h"

#include <windows.h>

void toPlatformText(const char16_t* text, PlatformChar* out, uint32_t capacity)
{
    if (out == nullptr || capacity == 0)
        return;
    uint32_t n = 0;
    for (; text != nullptr && text[n] != 0 && n + 1 < capacity; ++n) {
#ifdef UNICODE
        out[n] = static_cast<wchar_t>(text[n]);
#else
        const wchar_t unit = static_cast<wchar_t>(text[n]);
        if (WideCharToMultiByte(1252, 0, &unit, 1, &out[n], 1, nullptr, nullptr) != 1)
            out[n] = '?';
#endif
    }
    out[n] = 0;
}
