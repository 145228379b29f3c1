#include "sound/TrackFormat.h"

bool isPlayableFormat(const TrackFormat& f)
{
    const bool pcm = f.tag == PcmFormatTag &&
                     (f.bitsPerSample == 8 || f.bitsPerSample == 16 || f.bitsPerSample == 24 || f.bitsPerSample == 32);
    const bool floating = f.tag == FloatFormatTag && f.bitsPerSample == 32;
    if (!pcm && !floating)
        return false;
    if (f.channels < 1 || f.channels > 8)
        return false;
    if (f.samplesPerSecond < 8000 || f.samplesPerSecond > 192000)
        return false;
    const uint32_t frameBytes = static_cast<uint32_t>(f.channels) * f.bitsPerSample / 8;
    return f.blockAlign == frameBytes && f.bytesPerSecond == f.samplesPerSecond * frameBytes;
}
