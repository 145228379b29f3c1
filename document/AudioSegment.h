#pragma once

#include <cstdint>

#include "core/FixedArray.h"
#include "core/TrackTime.h"
#include "core/WideString.h"

// One timed piece of the recording: where it lies in its track, and which
// characters of which paragraph it reads.
class AudioSegment {
public:
    AudioSegment() : m_paragraph_index(0), m_first_char(0), m_last_char(0), m_valid(0) {}
    virtual ~AudioSegment() = default;

    AudioSegment(const AudioSegment&) = delete;
    AudioSegment& operator=(const AudioSegment&) = delete;

    // Marks the segment as one of the table.
    void setTextRange(int32_t firstChar, int32_t lastChar, int32_t paragraphIndex)
    {
        m_first_char = firstChar;
        m_last_char = lastChar;
        m_paragraph_index = paragraphIndex;
        m_valid = 1;
    }

    // Sets everything but the paragraph index; used for pauses between
    // segments and for copies out of the table.
    void fill(const WideString& name, const TrackTime& start, const TrackTime& end, int32_t valid, int32_t firstChar,
              int32_t lastChar);

    TrackTime& start() { return m_start; }
    const TrackTime& start() const { return m_start; }
    TrackTime& end() { return m_end; }
    const TrackTime& end() const { return m_end; }
    WideString& trackName() { return m_track_name; }
    const WideString& trackName() const { return m_track_name; }

    int32_t paragraphIndex() const { return m_paragraph_index; }
    int32_t firstChar() const { return m_first_char; }
    int32_t lastChar() const { return m_last_char; }
    int32_t isValid() const { return m_valid; }

private:
    TrackTime m_start;
    TrackTime m_end;
    int32_t m_paragraph_index;
    int32_t m_first_char;
    int32_t m_last_char;
    WideString m_track_name;
    int32_t m_valid;
};

// The segment table, in reading order.
class AudioSegmentArray : public FixedArray<AudioSegment> {
public:
    ~AudioSegmentArray() override = default;
};
