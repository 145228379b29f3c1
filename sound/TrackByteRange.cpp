#include "sound/TrackByteRange.h"

namespace {

uint32_t truncatedBytes(uint32_t bytesPerSecond, uint32_t ms)
{
    const double bytes = static_cast<double>(bytesPerSecond) * static_cast<double>(ms) * 0.001;
    // Converting a double beyond the 32-bit range is undefined: cap it first.
    if (bytes >= 4294967295.0)
        return 0xFFFFFFFFu;
    return static_cast<uint32_t>(bytes);
}

// Positions are even, as the 16-bit samples need, and start whole frames, so
// that a stereo item never begins between its left and right sample.
uint32_t positionUnit(uint32_t frameBytes)
{
    if (frameBytes <= 2)
        return 2;
    return frameBytes % 2 == 0 ? frameBytes : 2 * frameBytes;
}

} // namespace

uint32_t nextBlockBytes(uint32_t remaining, uint32_t frameBytes)
{
    const uint32_t unit = positionUnit(frameBytes);
    const uint32_t block = unit <= PlayBlockBytes ? PlayBlockBytes - PlayBlockBytes % unit : unit;
    return remaining > 2 * block ? block : remaining;
}

uint32_t soundDurationMilliseconds(uint32_t dataSize, uint32_t bytesPerSecond)
{
    const uint32_t perMillisecond = bytesPerSecond / 1000;
    if (perMillisecond != 0)
        return dataSize / perMillisecond;
    if (bytesPerSecond == 0)
        return 0;
    const uint64_t ms = static_cast<uint64_t>(dataSize) * 1000u / bytesPerSecond;
    return ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(ms);
}

void timeRangeToBytes(uint32_t bytesPerSecond, uint32_t frameBytes, uint32_t startMs, uint32_t endMs, uint32_t dataSize,
                      uint32_t& startByte, uint32_t& endByte)
{
    if (endMs < startMs)
        startMs = endMs >= 2 ? endMs - 2 : 0;
    const uint32_t unit = positionUnit(frameBytes);

    const uint32_t start = truncatedBytes(bytesPerSecond, startMs);
    startByte = start - start % unit;

    const uint64_t end = truncatedBytes(bytesPerSecond, endMs);
    const uint64_t roundedEnd = end % unit == 0 ? end : end + unit - end % unit;
    endByte = roundedEnd > dataSize ? dataSize : static_cast<uint32_t>(roundedEnd);
}
