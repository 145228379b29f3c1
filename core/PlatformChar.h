#pragma once

// The character of the platform's text calls in this build: 16-bit in the
// wide program, 8-bit in the narrow one and in the native build.
#if defined(_WIN32) && defined(UNICODE)
using PlatformChar = wchar_t;
#else
using PlatformChar = char;
#endif
