#pragma once

#include <cstdint>

#include "core/TrackTime.h"
#include "document/AudioSegment.h"

// Copies segment i of the table into out field by field, the track name's
// characters too; past the table's end the table's default segment (not
// valid, no track name). True when i lies in the table.
bool copySegment(const AudioSegmentArray& table, uint32_t i, AudioSegment& out);

// Where a pause that runs to the end of its track ends: the track's duration
// without its milliseconds.
TrackTime trackEndTime(const TrackTime& duration);

// The play items of a playback from one segment of the table on: the segment,
// the pause after it, the next segment, the pause after that, and so on up to
// the table's last segment. A pause runs from its segment's end to the next
// segment's start when both are in the same track, else to the end of the
// track. A pause is a segment that is not valid, so its play item carries the
// segment index -1.
class SegmentChain {
public:
    explicit SegmentChain(const AudioSegmentArray& table);
    virtual ~SegmentChain() = default;

    SegmentChain(const SegmentChain&) = delete;
    SegmentChain& operator=(const SegmentChain&) = delete;

    // The first item of a playback: segment `start`.
    void firstItem(int32_t start, AudioSegment& out);
    // The item after the last one: a pause or a segment, alternately.
    // `duration` is that of the track played last. False for the pause after
    // the table's last segment, which must not be played.
    bool nextItem(const TrackTime& duration, AudioSegment& out);
    // The pause after the current segment, ending at `trackEnd` when the next
    // segment lies in another track or past the table; the next segment
    // becomes the current one. True when it lies in the table.
    bool makePauseItem(const TrackTime& trackEnd, AudioSegment& out);

    // The segment index of the item made last (for a pause, the segment after it).
    int32_t currentSegment() const { return m_current_segment; }

private:
    const AudioSegmentArray& m_table;
    int32_t m_current_segment;
    // 0: the next item is the pause after segment m_current_segment; 1: the
    // next item is segment m_current_segment.
    uint8_t m_pause_next;
};
