#include "sound/DebugOutput.h"

#include <windows.h>

void debugOutput(const char* text)
{
#ifdef UNICODE
    wchar_t wide[256];
    int i = 0;
    for (; text[i] != 0 && i < 255; ++i)
        wide[i] = static_cast<unsigned char>(text[i]);
    wide[i] = 0;
    OutputDebugStringW(wide);
#else
    OutputDebugStringA(text);
#endif
}
