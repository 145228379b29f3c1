#include "sound/DebugOutput.h"

#include <windows.h>

void debugOutput(const char* text)
{
    OutputDebugStringA(text);
}
