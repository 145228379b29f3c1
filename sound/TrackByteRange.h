#pragma once

#include <cstdint>

// The arithmetic between times and bytes of a track's sound data.

// Blocks handed to the output device are this long, except the last block of
// a range, which takes the whole remainder once twice this or less is left.
const uint32_t PlayBlockBytes = 16384;

// Length of the next block of a range with `remaining` bytes still to send,
// in a format whose frames are `frameBytes` long. Blocks hold whole frames:
// where the frame does not divide PlayBlockBytes (24-bit sound) they are the
// largest run of whole positions (see timeRangeToBytes) below it, since the
// output drops the part of a frame that ends a block.
uint32_t nextBlockBytes(uint32_t remaining, uint32_t frameBytes);

// Duration of `dataSize` bytes of sound. At 1000 bytes per second and more the
// rate is first cut to whole bytes per millisecond (176,400 becomes 176); slower
// rates are counted exactly, and a rate of 0 gives 0.
uint32_t soundDurationMilliseconds(uint32_t dataSize, uint32_t bytesPerSecond);

// The bytes from `startMs` to `endMs`: each position is bytesPerSecond x ms x 0.001
// in double precision, truncated; the start is rounded down and the end up to
// an even byte that begins a whole frame of `frameBytes` (the format's block
// align); the end is at most `dataSize`. An end before the start plays the two
// milliseconds before the end. The range is empty when endByte <= startByte.
void timeRangeToBytes(uint32_t bytesPerSecond, uint32_t frameBytes, uint32_t startMs, uint32_t endMs, uint32_t dataSize,
                      uint32_t& startByte, uint32_t& endByte);
