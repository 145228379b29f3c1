#pragma once

#include <cstdint>

// Measures text as the balloon draws it: lines end only at line breaks; the
// width is that of the widest line, the height that of all lines together.
template <typename CharT>
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual void measure(const CharT* text, uint32_t count, int32_t& width, int32_t& height) = 0;
};

// Greedy line breaking of a zero-terminated balloon text in place: at every
// blank, and at the text's end, the text before it is measured; when its
// widest line is wider than maxWidth, the blank before becomes a line break
// (U+000A). Only blanks are replaced. Since the widest line of the whole text
// so far counts, a word wider than maxWidth makes every later blank a line
// break, and a text without blanks is never broken. Answers the size of the
// wrapped text.
//
// The lines before the latest break put in never change again, so their
// widest width is kept and only the text from that break on is measured: the
// same breaks as measuring from the start each time, without the time that
// grows with the square of the length.
template <typename CharT>
void wrapText(CharT* text, int32_t maxWidth, TextMeasurer<CharT>& measurer, int32_t& width, int32_t& height)
{
    const CharT blank = 0x20;
    const CharT lineBreak = 0x0A;
    uint32_t n = 0;
    while (text[n] != 0)
        ++n;

    bool blankSeen = false;
    uint32_t latestBlank = 0;
    uint32_t lineStart = 0;       // just after the latest break put in
    int32_t widestFinished = 0;   // the widest line before lineStart
    for (uint32_t c = 0; c < n; ++c) {
        const bool isBlank = text[c] == blank;
        if (!isBlank && c + 1 < n)
            continue;
        const uint32_t end = isBlank ? c : n;
        int32_t w = 0;
        int32_t h = 0;
        measurer.measure(text + lineStart, end - lineStart, w, h);
        if (widestFinished > w)
            w = widestFinished;
        if (w > maxWidth && blankSeen) {
            text[latestBlank] = lineBreak;
            measurer.measure(text + lineStart, latestBlank - lineStart, w, h);
            if (w > widestFinished)
                widestFinished = w;
            lineStart = latestBlank + 1;
        }
        latestBlank = c;
        blankSeen = true;
    }
    measurer.measure(text, n, width, height);
}
