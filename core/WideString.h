#pragma once

#include "core/FixedArray.h"

// A text of UTF-16 code units. It holds a terminating zero only when set by
// assign; texts cut from the data files carry none and their count is their
// length.
class WideString : public FixedArray<char16_t> {
public:
    ~WideString() override = default;

    // Copies a zero-terminated text, terminator included and counted. When no
    // storage can be had the string ends empty with a default character of 0.
    WideString& assign(const char16_t* text);
};
