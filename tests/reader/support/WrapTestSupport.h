#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "reader/balloons/CalloutText.h"

// The balloon's line breaking in its first form, which measures the whole text
// before each blank every time: the reference that wrapText must match.
template <typename CharT>
void wrapByWholePrefix(CharT* text, int32_t maxWidth, TextMeasurer<CharT>& measurer, int32_t& width, int32_t& height)
{
    uint32_t n = 0;
    while (text[n] != 0)
        ++n;
    bool blankSeen = false;
    uint32_t latestBlank = 0;
    for (uint32_t c = 0; c < n; ++c) {
        const bool isBlank = text[c] == 0x20;
        if (!isBlank && c + 1 < n)
            continue;
        int32_t w = 0;
        int32_t h = 0;
        measurer.measure(text, isBlank ? c : n, w, h);
        if (w > maxWidth && blankSeen)
            text[latestBlank] = 0x0A;
        latestBlank = c;
        blankSeen = true;
    }
    measurer.measure(text, n, width, height);
}

// Wraps a zero-terminated text both ways; passes when the texts and sizes
// agree. `broken` tells whether a line break was put in.
template <typename CharT>
::testing::AssertionResult wrapsLikeWholePrefix(const std::vector<CharT>& text, int32_t maxWidth,
                                                TextMeasurer<CharT>& measurer, bool& broken)
{
    std::vector<CharT> wrapped = text;
    std::vector<CharT> reference = text;
    int32_t w = 0;
    int32_t h = 0;
    int32_t expectedW = 0;
    int32_t expectedH = 0;
    wrapText(wrapped.data(), maxWidth, measurer, w, h);
    wrapByWholePrefix(reference.data(), maxWidth, measurer, expectedW, expectedH);
    broken = wrapped != text;
    if (wrapped != reference)
        return ::testing::AssertionFailure() << "other line breaks against " << maxWidth;
    if (w != expectedW || h != expectedH)
        return ::testing::AssertionFailure() << "size " << w << "x" << h << ", expected " << expectedW << "x"
                                             << expectedH;
    return ::testing::AssertionSuccess();
}

// Lines end only at U+000A and are 10 pixels high. Every character is `pitch`
// pixels wide, or, with pitch 0, 3 to 13 pixels by its code, to catch a break
// that equal widths would hide. Counts the characters it measured.
template <typename CharT>
class FakeMeasurer : public TextMeasurer<CharT> {
public:
    explicit FakeMeasurer(int32_t pitch) : m_pitch(pitch) {}

    void measure(const CharT* text, uint32_t count, int32_t& width, int32_t& height) override
    {
        measured += count;
        int32_t lines = 1;
        int32_t line = 0;
        width = 0;
        for (uint32_t i = 0; i < count; ++i) {
            if (text[i] == 0x0A) {
                ++lines;
                line = 0;
                continue;
            }
            line += m_pitch > 0 ? m_pitch : 3 + static_cast<int32_t>(static_cast<uint32_t>(text[i]) % 11);
            width = line > width ? line : width;
        }
        height = 10 * lines;
    }

    uint64_t measured = 0;

private:
    int32_t m_pitch;
};
