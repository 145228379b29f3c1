#include "core/TraceLine.h"

namespace {
// Room kept at the end of the buffer for the line feed and the terminator.
const uint32_t LineEndRoom = 2;
} // namespace

TraceLine::TraceLine() : m_length(0)
{
    m_buffer[0] = 0;
}

void TraceLine::appendChar(char c)
{
    if (m_length + LineEndRoom >= Capacity)
        return;
    m_buffer[m_length++] = static_cast<TraceChar>(static_cast<unsigned char>(c));
    m_buffer[m_length] = 0;
}

TraceLine& TraceLine::appendText(const char* text)
{
    if (text == nullptr)
        return *this;
    for (; *text != 0 && m_length + LineEndRoom < Capacity; ++text)
        appendChar(*text);
    return *this;
}

TraceLine& TraceLine::appendUnsigned(uint32_t value)
{
    char digits[11];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        appendChar(digits[--n]);
    return *this;
}

TraceLine& TraceLine::appendInt(int32_t value)
{
    if (value >= 0)
        return appendUnsigned(static_cast<uint32_t>(value));
    appendChar('-');
    // Negating in unsigned arithmetic keeps the most negative value exact.
    return appendUnsigned(0u - static_cast<uint32_t>(value));
}

TraceLine& TraceLine::endLine()
{
    m_buffer[m_length] = '\n';
    m_buffer[m_length + 1] = 0;
    flush(m_buffer);
    m_length = 0;
    m_buffer[0] = 0;
    return *this;
}

void TraceLine::flush(const TraceChar* line)
{
    // The program has no trace output: a finished line goes nowhere.
    (void)line;
}

TraceLine& traceRect(TraceLine& line, const RECT& r)
{
    line.appendText("top - ").appendInt(r.top);
    line.appendText(" left - ").appendInt(r.left);
    line.appendText(" bottom - ").appendInt(r.bottom);
    line.appendText(" right - ").appendInt(r.right);
    return line;
}

TraceLine& traceTime(TraceLine& line, TrackTime time)
{
    line.appendUnsigned(time.hours()).appendText(":");
    line.appendUnsigned(time.minutes()).appendText(":");
    line.appendUnsigned(time.seconds()).appendText(":");
    return line.appendUnsigned(time.milliseconds());
}
