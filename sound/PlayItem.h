#pragma once

#include <cstdint>

#include "core/PlatformChar.h"
#include "core/TrackTime.h"

class AudioSegment;

// What the sound player plays next: a time range of one track, and the index
// of the segment it sounds (-1 for a pause).
class PlayItem {
public:
    PlayItem();
    virtual ~PlayItem();

    PlayItem(const PlayItem&) = delete;
    PlayItem& operator=(const PlayItem&) = delete;

    const PlatformChar* fileName() const { return m_file_name; }

    // Room for n characters and a terminator, not cleared; null when no room
    // could be had or n is negative. The previous name is released either way.
    PlatformChar* allocFileName(int32_t n);
    void freeFileName();

    // Deep copy. A source without a name leaves the destination's name as it is.
    PlayItem& assign(const PlayItem& source);

    void setStart(const TrackTime& time) { m_start = time; }
    void setEnd(const TrackTime& time) { m_end = time; }
    void setSegment(int32_t segment) { m_segment = segment; }
    int32_t segment() const { return m_segment; }
    uint32_t startMilliseconds() const { return m_start.toMilliseconds(); }
    uint32_t endMilliseconds() const { return m_end.toMilliseconds(); }

private:
    PlatformChar* m_file_name;
    TrackTime m_start;
    TrackTime m_end;
    int32_t m_segment;
};

// The play item of one segment of the table (or of a pause built like one).
class SegmentPlayItem : public PlayItem {
public:
    SegmentPlayItem(const AudioSegment& segment, int32_t index);
    ~SegmentPlayItem() override = default;
};

// Exact comparison, character by character; false when either is missing.
bool sameFileName(const PlatformChar* a, const PlatformChar* b);
