#include "core/TrackTime.h"

void TrackTime::setMilliseconds(uint32_t ms)
{
    m_hours = (ms / 3600000u) % 60u;
    m_minutes = (ms / 60000u) % 60u;
    m_seconds = (ms / 1000u) % 60u;
    m_milliseconds = ms % 1000u;
}

uint32_t TrackTime::toMilliseconds() const
{
    return m_milliseconds + m_seconds * 1000u + m_minutes * 60000u + m_hours * 3600000u;
}
