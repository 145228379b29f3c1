#pragma once

#include <cstdint>

#include "document/AudioSegment.h"

// What a book must hold for the segment table and the chapter table to fit
// it: the least length, in characters with the trailing carriage return, of
// paragraph p. A paragraph with segments holds its highest last character and
// one more character after it; the paragraph of a chapter title holds the
// title; any other paragraph holds at least its carriage return.
uint32_t minimalParagraphLength(const AudioSegmentArray& table, uint32_t paragraph);
