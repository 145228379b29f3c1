#pragma once

#include <windows.h>

#include <cstdint>

#include "core/PlatformChar.h"

// One 16-bit character in code page `codePage` (one character in, one byte
// out); '?' when the code page has no byte for it.
char toCodePage(char16_t c, UINT codePage);

// Copies a zero-terminated 16-bit text into a text of the platform's calls,
// cut to fit `capacity` units with its terminator: as it is in the wide
// program, through code page 1252 in the narrow one.
void toPlatformText(const char16_t* text, PlatformChar* out, uint32_t capacity);
