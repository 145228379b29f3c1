#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Translation-like text for the balloons' tests and benchmark: words of 1 to
// 10 letters without ascenders or descenders (so that lines of ink never
// touch), single blanks between them, cut to `length` characters.
std::u16string wordsText(size_t length, uint32_t seed);
