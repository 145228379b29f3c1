#pragma once

#include <cstdint>

#include "document/AudioSegment.h"

// Segments of the recorded reading in the segment table.
const uint32_t kSegmentCount = 4048;

// The generated fillers of the segment table (tools/generate_segment_table.py),
// each writing its rows in ascending order: block n holds segments
// 300 * (n - 1) to 300 * n - 1, block 14 the last 148. BookLoader::fillSegmentTable
// runs them in order.
void fillSegmentBlock1(AudioSegmentArray& table);
void fillSegmentBlock2(AudioSegmentArray& table);
void fillSegmentBlock3(AudioSegmentArray& table);
void fillSegmentBlock4(AudioSegmentArray& table);
void fillSegmentBlock5(AudioSegmentArray& table);
void fillSegmentBlock6(AudioSegmentArray& table);
void fillSegmentBlock7(AudioSegmentArray& table);
void fillSegmentBlock8(AudioSegmentArray& table);
void fillSegmentBlock9(AudioSegmentArray& table);
void fillSegmentBlock10(AudioSegmentArray& table);
void fillSegmentBlock11(AudioSegmentArray& table);
void fillSegmentBlock12(AudioSegmentArray& table);
void fillSegmentBlock13(AudioSegmentArray& table);
void fillSegmentBlock14(AudioSegmentArray& table);
