#pragma once

#include <cstdint>
#include <string>

// Runs the book and translation parsing over one buffer of units, as the
// loader would after reading a file, and checks what must hold whatever the
// input. Answers an empty text when all holds, else what was broken.
std::string checkLoaderInvariants(const char16_t* units, uint32_t length);
