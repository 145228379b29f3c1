#include "tools/demo/DemoTrack.h"

#include "tools/demo/DemoFiles.h"

#include <cmath>
#include <cstdio>

#include "tools/demo/DemoRandom.h"

namespace {

// One period of each timbre, as 4096 values on the 16-bit scale.
const uint32_t kTableBits = 12;
const uint32_t kTableSize = 1u << kTableBits;
const uint32_t kTimbreCount = 4;
// Harmonic strengths of the timbres, in tenths; six harmonics stay below the
// 4000 Hz that an 8000 Hz track can hold for the highest pitch used.
const int kHarmonics[kTimbreCount][6] = {
    {10, 5, 3, 0, 0, 0}, // round
    {10, 0, 4, 0, 2, 0}, // hollow, odd harmonics only
    {10, 5, 3, 3, 2, 2}, // bright
    {10, 8, 2, 5, 3, 0}, // nasal
};

const int32_t kUnit = 32768;      // 1.0 in the envelope's fixed point
const int32_t kAmplitude = 12000; // of a burst, so that two overlapping stay below full scale
const uint32_t kSyllableMilliseconds = 220;
const uint32_t kSyllableGapMilliseconds = 30;
const uint32_t kFadeInMilliseconds = 8;
const uint32_t kFadeOutMilliseconds = 14;
const double kLowestPitch = 150.0;
// Semitones above the lowest pitch of a segment's first syllable, one octave
// of a major scale: the index steps through it by 3 of 7, so neighbouring
// segments lie a fourth to a fifth apart, never an octave.
const int kNotes[7] = {0, 2, 4, 5, 7, 9, 11};

const std::vector<std::vector<int32_t>>& timbreTables()
{
    static std::vector<std::vector<int32_t>> tables;
    if (!tables.empty())
        return tables;
    const double pi = 3.14159265358979323846;
    for (uint32_t t = 0; t < kTimbreCount; ++t) {
        std::vector<double> wave(kTableSize, 0.0);
        double peak = 0.0;
        for (uint32_t i = 0; i < kTableSize; ++i) {
            const double x = 2.0 * pi * i / kTableSize;
            for (int h = 0; h < 6; ++h)
                wave[i] += kHarmonics[t][h] / 10.0 * std::sin((h + 1) * x);
            peak = std::fmax(peak, std::fabs(wave[i]));
        }
        std::vector<int32_t> table(kTableSize);
        for (uint32_t i = 0; i < kTableSize; ++i)
            table[i] = static_cast<int32_t>(std::lround(wave[i] / peak * 32767.0));
        tables.push_back(table);
    }
    return tables;
}

void putLittleEndian(std::string& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

DemoTrack::DemoTrack(const DemoSoundFormat& format, uint32_t lengthMilliseconds) : m_format(format)
{
    // An even count keeps the "data" chunk even for 8-bit sound, with no pad byte.
    uint32_t n = sampleOf(lengthMilliseconds);
    n += n % 2;
    m_samples.assign(n, 0);
}

uint32_t DemoTrack::sampleOf(uint32_t milliseconds) const
{
    return static_cast<uint32_t>(static_cast<uint64_t>(milliseconds) * m_format.m_rate / 1000u);
}

int32_t DemoTrack::sampleAt(uint32_t i) const
{
    return i < m_samples.size() ? m_samples[i] : 0;
}

void DemoTrack::addSegment(uint32_t index, uint32_t startMilliseconds, uint32_t endMilliseconds)
{
    if (endMilliseconds <= startMilliseconds)
        return;
    const uint32_t first = sampleOf(startMilliseconds);
    uint32_t end = sampleOf(endMilliseconds);
    if (end > m_samples.size())
        end = static_cast<uint32_t>(m_samples.size());
    if (end <= first)
        return;

    DemoRandom random(index);
    const uint32_t duration = endMilliseconds - startMilliseconds;
    uint32_t syllables = (duration + kSyllableGapMilliseconds) / kSyllableMilliseconds;
    if (syllables == 0)
        syllables = 1;
    const uint32_t gap = syllables > 1 ? sampleOf(kSyllableGapMilliseconds) : 0;
    const uint32_t total = end - first;
    if (gap * (syllables - 1) >= total)
        syllables = 1;
    const uint32_t sounding = total - (syllables > 1 ? gap * (syllables - 1) : 0);

    std::vector<uint32_t> weights(syllables);
    uint32_t weightSum = 0;
    for (uint32_t& w : weights) {
        w = random.between(70, 130);
        weightSum += w;
    }
    const int note = kNotes[(index * 3) % 7];
    const uint32_t timbre = index % kTimbreCount;
    uint32_t at = first;
    uint32_t left = sounding;
    for (uint32_t j = 0; j < syllables; ++j) {
        const uint32_t length =
            j + 1 == syllables ? left : static_cast<uint32_t>(static_cast<uint64_t>(sounding) * weights[j] / weightSum);
        // A little melody: the first syllable on the segment's own note, then
        // up and down around it, falling at the end.
        int contour = static_cast<int>(random.between(0, 4)) - 1;
        if (j == 0)
            contour = 0;
        else if (j + 1 == syllables)
            contour = -2;
        const double frequency = kLowestPitch * std::pow(2.0, (note + contour) / 12.0);
        addBurst(at, length, frequency, timbre);
        at += length + gap;
        left -= length;
    }
}

void DemoTrack::addBurst(uint32_t first, uint32_t length, double frequency, uint32_t timbre)
{
    if (length == 0)
        return;
    const std::vector<int32_t>& table = timbreTables()[timbre % kTimbreCount];
    const uint32_t step = static_cast<uint32_t>(std::lround(frequency * 4294967296.0 / m_format.m_rate));
    uint32_t fadeIn = sampleOf(kFadeInMilliseconds);
    uint32_t fadeOut = sampleOf(kFadeOutMilliseconds);
    if (fadeIn > length / 3)
        fadeIn = length / 3;
    if (fadeOut > length / 3)
        fadeOut = length / 3;
    uint32_t phase = 0;
    int32_t* out = m_samples.data() + first;
    for (uint32_t t = 0; t < length; ++t) {
        int32_t envelope = kUnit;
        if (t < fadeIn)
            envelope = static_cast<int32_t>(static_cast<int64_t>(t) * kUnit / fadeIn);
        else if (length - t <= fadeOut)
            envelope = static_cast<int32_t>(static_cast<int64_t>(length - 1 - t) * kUnit / fadeOut);
        const int32_t wave = table[phase >> (32 - kTableBits)];
        out[t] += ((wave * (envelope >> 1)) >> 14) * kAmplitude >> 15;
        phase += step;
    }
}

std::string DemoTrack::wavBytes() const
{
    const uint32_t bytesPerSample = m_format.m_bits / 8u;
    const uint32_t dataSize = static_cast<uint32_t>(m_samples.size()) * bytesPerSample;
    std::string bytes;
    bytes.reserve(44 + dataSize);
    bytes += "RIFF";
    putLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVE";
    bytes += "fmt ";
    putLittleEndian(bytes, 16, 4);
    putLittleEndian(bytes, 1, 2); // PCM
    putLittleEndian(bytes, 1, 2); // mono
    putLittleEndian(bytes, m_format.m_rate, 4);
    putLittleEndian(bytes, m_format.byteRate(), 4);
    putLittleEndian(bytes, bytesPerSample, 2);
    putLittleEndian(bytes, m_format.m_bits, 2);
    bytes += "data";
    putLittleEndian(bytes, dataSize, 4);
    size_t at = bytes.size();
    bytes.resize(at + dataSize);
    for (int32_t v : m_samples) {
        const int32_t s = v > 32767 ? 32767 : (v < -32767 ? -32767 : v);
        if (bytesPerSample == 1) {
            bytes[at++] = static_cast<char>((s + 32768) >> 8); // 8-bit PCM is unsigned, 128 the silence
        } else {
            bytes[at++] = static_cast<char>(s & 0xFF);
            bytes[at++] = static_cast<char>((s >> 8) & 0xFF);
        }
    }
    return bytes;
}

bool DemoTrack::write(const std::string& path) const
{
    return writeFileBytes(path, wavBytes());
}
