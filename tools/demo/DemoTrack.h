#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The PCM format of the demo tracks: mono, 8 or 16 bits a sample.
struct DemoSoundFormat {
    uint32_t m_rate;
    uint16_t m_bits;

    uint32_t byteRate() const { return m_rate * (m_bits / 8u); }
};

// One WAV track of the demo edition. Every segment of the table sounds as a
// short run of syllable-like tone bursts, with pitch and timbre changing from
// one segment to the next, so that a listener hears where each begins and
// ends; everything else is silence. Bursts fade in and out to avoid clicks.
class DemoTrack {
public:
    // A silent track of the given length.
    DemoTrack(const DemoSoundFormat& format, uint32_t lengthMilliseconds);
    virtual ~DemoTrack() = default;

    // Adds the sound of segment `index` between the two times (clipped to the
    // track). Segments whose times overlap are mixed.
    void addSegment(uint32_t index, uint32_t startMilliseconds, uint32_t endMilliseconds);

    uint32_t sampleCount() const { return static_cast<uint32_t>(m_samples.size()); }
    // The sample's value on the 16-bit scale (0 is silence).
    int32_t sampleAt(uint32_t i) const;
    uint32_t sampleOf(uint32_t milliseconds) const;

    // The whole file: RIFF "WAVE" with a 16-byte PCM "fmt " chunk and "data".
    std::string wavBytes() const;
    bool write(const std::string& path) const;

private:
    void addBurst(uint32_t first, uint32_t length, double frequency, uint32_t timbre);

    DemoSoundFormat m_format;
    std::vector<int32_t> m_samples;
};
