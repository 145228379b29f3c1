#pragma once

#include <cstdint>

#include "core/PlatformChar.h"
#include "core/PlatformRect.h"
#include "core/TrackTime.h"

using TraceChar = PlatformChar;

// One diagnostic line built from texts and decimal numbers. A finished line
// is discarded. The line, its line feed and its terminating zero always fit
// in the buffer: whatever does not fit is dropped.
class TraceLine {
public:
    static const uint32_t Capacity = 1000;

    TraceLine();
    virtual ~TraceLine() = default;

    TraceLine& appendText(const char* text);
    TraceLine& appendUnsigned(uint32_t value);
    TraceLine& appendInt(int32_t value);
    TraceLine& endLine();

    uint32_t length() const { return m_length; }
    const TraceChar* text() const { return m_buffer; }

private:
    static void flush(const TraceChar* line);
    void appendChar(char c);

    uint32_t m_length;
    TraceChar m_buffer[Capacity];
};

TraceLine& traceRect(TraceLine& line, const RECT& r);
TraceLine& traceTime(TraceLine& line, TrackTime time);
