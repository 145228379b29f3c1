#pragma once

#include <cstdint>

#include "document/AudioSegment.h"

// One row of the compiled-in segment table, as the generated blocks hold it.
struct SegmentRow {
    uint16_t m_paragraph;
    uint16_t m_first;
    uint16_t m_last;
    uint16_t m_track; // 1 to 45: "omblt01.wav" to "omblt45.wav"
    uint16_t m_start_minutes;
    uint16_t m_start_seconds;
    uint16_t m_start_milliseconds;
    uint16_t m_end_minutes;
    uint16_t m_end_seconds;
    uint16_t m_end_milliseconds;
};

// The zero-terminated file name of a track, 1 to 45; an empty text otherwise.
const char16_t* segmentTrackName(uint32_t track);

// Writes rows[0] to rows[count - 1] as segments firstIndex onwards, in
// ascending order, each by four writes that fetch the segment anew: text
// range, track name, start, end. An index the table does not hold reaches the
// table's default element.
void fillSegmentRows(AudioSegmentArray& table, uint32_t firstIndex, const SegmentRow* rows, uint32_t count);
