#pragma once

#include <cstdint>

// The numbers of a track's format record (its "fmt " chunk) that decide
// whether the player hands it to the output device.
struct TrackFormat {
    uint16_t tag;
    uint16_t channels;
    uint32_t samplesPerSecond;
    uint32_t bytesPerSecond;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
};

const uint16_t PcmFormatTag = 1;
const uint16_t FloatFormatTag = 3;

// True for integer PCM of 8, 16, 24 or 32 bits or 32-bit float, with 1 to 8
// channels and 8,000 to 192,000 samples a second, whose block align and byte
// rate are the ones its other numbers make. The output device is not trusted
// with anything else: a channel count it cannot handle can corrupt its
// memory, and a rate of a few samples a second keeps a few blocks playing
// for hours.
bool isPlayableFormat(const TrackFormat& format);
