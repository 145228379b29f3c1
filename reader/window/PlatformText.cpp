#include "reader/window/PlatformText.h"

char toCodePage(char16_t c, UINT codePage)
{
    const wchar_t unit = static_cast<wchar_t>(c);
    char converted = '?';
    if (WideCharToMultiByte(codePage, WC_COMPOSITECHECK, &unit, 1, &converted, 1, nullptr, nullptr) != 1)
        return '?';
    return converted;
}

void toPlatformText(const char16_t* text, PlatformChar* out, uint32_t capacity)
{
    if (out == nullptr || capacity == 0)
        return;
    uint32_t n = 0;
    for (; text != nullptr && text[n] != 0 && n + 1 < capacity; ++n) {
        if (NarrowProgram)
            out[n] = static_cast<PlatformChar>(toCodePage(text[n], 1252));
        else
            out[n] = static_cast<PlatformChar>(text[n]);
    }
    out[n] = 0;
}
