#include "document/AudioSegment.h"

void AudioSegment::fill(const WideString& name, const TrackTime& start, const TrackTime& end, int32_t valid,
                        int32_t firstChar, int32_t lastChar)
{
    const uint32_t n = name.count();
    m_track_name.setSize(n);
    for (uint32_t i = 0; i < n && i < m_track_name.count(); ++i)
        m_track_name.at(i) = name.at(i);
    m_start = start;
    m_end = end;
    m_valid = valid;
    m_first_char = firstChar;
    m_last_char = lastChar;
}
