#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/AudioSegment.h"

// The segment table as the tests read it: one plain row per segment, times in
// milliseconds, the track as its number (0 when the name is not a track name).
struct Row {
    int paragraph;
    int first;
    int last;
    int track;
    int start;
    int end;
    int hours; // of start and end together: non-zero when either has hours
};

// The table filled once by BookLoader::fillSegmentTable.
AudioSegmentArray& filledTable();
const std::vector<Row>& rows();

// "m:ss.mmm" as milliseconds.
int msOf(const char* text);

// 0 for segments 0 to 2099 (the first half), else the block 8 to 14.
int groupOf(int segment);

// The track number of "omblt01.wav" to "omblt45.wav" with its terminator; 0 otherwise.
int trackOfName(const WideString& name);

std::string segmentName(int segment);
