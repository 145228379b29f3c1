#pragma once

#include <cstdint>
#include <string>

// Runs the book and translation parsing over one buffer of units, as the
// loader would after reading a file, and checks what must hold whatever the
// input. Answers an empty text when all holds, else what was broken.
std::string checkLoaderInvariants(const char16_t* units, uint32_t length);

// Puts one record made of these units (its header the paragraph number of
// its place and the units up to the first line feed, its text line the rest)
// among the well-formed records of a small translation file, and checks that
// it gives at most its own phrase (its text line, or empty) and that every
// other record reads exactly as in the file without it. The first unit picks
// the place. Answers an empty text when all holds, else what was broken.
std::string checkMalformedRecord(const char16_t* units, uint32_t length);
