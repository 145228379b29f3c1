#pragma once

// The one place where the builds' characters differ.
//   PlatformChar: a character of the platform's text calls and of file names.
//   CellChar: a character of a page cell, one UTF-16 unit of the book or, in
//     the narrow program, its low byte.
//   NarrowProgram: true in the narrow Windows program alone, which calls the
//     platform's ANSI code-page functions.
// The native build checks the wide program's logic with 8-bit file names.
#if defined(_WIN32) && defined(UNICODE)
using PlatformChar = wchar_t;
using CellChar = char16_t;
const bool NarrowProgram = false;
#elif defined(_WIN32)
using PlatformChar = char;
using CellChar = unsigned char;
const bool NarrowProgram = true;
#else
using PlatformChar = char;
using CellChar = char16_t;
const bool NarrowProgram = false;
#endif
