#pragma once

#include <cstdint>

// A position inside an audio track. The fields are stored as given: nothing
// carries between them, and the conversions use plain unsigned 32-bit
// arithmetic, wrapping as it does.
class TrackTime {
public:
    TrackTime() : m_hours(0), m_minutes(0), m_seconds(0), m_milliseconds(0) {}
    TrackTime(uint32_t hours, uint32_t minutes, uint32_t seconds, uint32_t milliseconds)
    {
        set(hours, minutes, seconds, milliseconds);
    }
    TrackTime(const TrackTime&) = default;
    TrackTime& operator=(const TrackTime&) = default;
    virtual ~TrackTime() = default;

    void set(uint32_t hours, uint32_t minutes, uint32_t seconds, uint32_t milliseconds)
    {
        m_hours = hours;
        m_minutes = minutes;
        m_seconds = seconds;
        m_milliseconds = milliseconds;
    }

    // Hours are taken modulo 60 like minutes and seconds.
    void setMilliseconds(uint32_t ms);
    uint32_t toMilliseconds() const;

    uint32_t hours() const { return m_hours; }
    uint32_t minutes() const { return m_minutes; }
    uint32_t seconds() const { return m_seconds; }
    uint32_t milliseconds() const { return m_milliseconds; }

private:
    uint32_t m_hours;
    uint32_t m_minutes;
    uint32_t m_seconds;
    uint32_t m_milliseconds;
};
