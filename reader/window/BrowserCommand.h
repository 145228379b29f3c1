#pragma once

#include <cstdint>

#include "core/PlatformChar.h"
#include "reader/page/TextCell.h"

// Building what the program hands to the web browser, free of platform calls.

// Units of the lookup address, its terminator included.
const uint32_t LookupAddressCapacity = 1024;

// The lookup address: the prefix (with its leading blank), the word as it is,
// "&tl=" and the target language's code, "&uil=" and the interface
// language's code; cut to fit `capacity` units with its terminator. Answers
// its length.
uint32_t buildLookupAddress(const CellChar* word, uint32_t targetLanguage, uint32_t interfaceLanguage, char16_t* out,
                            uint32_t capacity);

// The browser's program path from the registry's "open" command, of which
// only the first `length` units count (a zero ends it sooner): the text
// between the opening quotation mark and the next one (or the end), or an
// unquoted command's first blank-separated word. False when that is empty or
// does not fit `capacity` units with its terminator.
bool browserPathFromCommand(const PlatformChar* value, uint32_t length, PlatformChar* path, uint32_t capacity);

// The command line that starts the browser: the path in quotation marks, so
// that the platform does not take a beginning of a path with blanks for the
// program, followed by the address (which brings its own blank). The
// narrow program keeps the low byte of each address unit. Allocated with
// new[]; null when there is no path or no memory.
PlatformChar* newBrowserCommandLine(const PlatformChar* path, const char16_t* address);
