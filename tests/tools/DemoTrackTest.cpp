#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "tools/demo/DemoEdition.h"
#include "tools/demo/DemoTrack.h"

namespace {

uint32_t littleEndian(const std::string& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

double loudness(const DemoTrack& track, uint32_t first, uint32_t end)
{
    double sum = 0;
    for (uint32_t i = first; i < end; ++i)
        sum += static_cast<double>(track.sampleAt(i)) * track.sampleAt(i);
    return end > first ? std::sqrt(sum / (end - first)) : 0.0;
}

} // namespace

TEST(DemoTrackTest, SegmentsSoundAndEverythingElseIsSilent)
{
    for (const DemoSoundFormat& format : {kDemoFullFormat, kDemoQuickFormat}) {
        DemoTrack track(format, 3000);
        track.addSegment(10, 200, 1300);
        track.addSegment(11, 1400, 1530); // as short as the table's shortest
        track.addSegment(12, 1600, 2800);
        const uint32_t ranges[3][2] = {{200, 1300}, {1400, 1530}, {1600, 2800}};
        uint32_t at = 0;
        for (const auto& r : ranges) {
            const uint32_t first = track.sampleOf(r[0]);
            const uint32_t end = track.sampleOf(r[1]);
            EXPECT_EQ(loudness(track, at, first), 0.0) << "pause before " << r[0] << " ms";
            EXPECT_GT(loudness(track, first, end), 3000.0) << "segment at " << r[0] << " ms";
            // Faded in and out: no click at either edge.
            EXPECT_LT(std::abs(track.sampleAt(first)), 200);
            EXPECT_LT(std::abs(track.sampleAt(end - 1)), 200);
            at = end;
        }
        EXPECT_EQ(loudness(track, at, track.sampleCount()), 0.0);
    }
}

TEST(DemoTrackTest, NeighbouringSegmentsSoundDifferent)
{
    // The same times, next indexes: a different pitch and timbre each time.
    for (uint32_t index = 100; index < 128; ++index) {
        DemoTrack a(kDemoFullFormat, 1000);
        DemoTrack b(kDemoFullFormat, 1000);
        a.addSegment(index, 0, 900);
        b.addSegment(index + 1, 0, 900);
        const uint32_t first = a.sampleOf(20);
        const uint32_t end = a.sampleOf(150);
        double ab = 0, aa = 0, bb = 0;
        for (uint32_t i = first; i < end; ++i) {
            ab += static_cast<double>(a.sampleAt(i)) * b.sampleAt(i);
            aa += static_cast<double>(a.sampleAt(i)) * a.sampleAt(i);
            bb += static_cast<double>(b.sampleAt(i)) * b.sampleAt(i);
        }
        EXPECT_LT(std::fabs(ab) / std::sqrt(aa * bb), 0.5) << "segments " << index << " and " << index + 1;
    }
}

TEST(DemoTrackTest, OverlappingSegmentsMixWithoutClipping)
{
    // The table has one segment inside another's time range.
    DemoTrack track(kDemoFullFormat, 3000);
    track.addSegment(1087, 390, 2750);
    track.addSegment(1084, 760, 1390);
    for (uint32_t i = 0; i < track.sampleCount(); ++i)
        ASSERT_LT(std::abs(track.sampleAt(i)), 32767);
}

TEST(DemoTrackTest, WavHeaderDescribesTheSound)
{
    for (const DemoSoundFormat& format : {kDemoFullFormat, kDemoQuickFormat}) {
        DemoTrack track(format, 1001);
        const std::string bytes = track.wavBytes();
        const uint32_t bytesPerSample = format.m_bits / 8u;
        ASSERT_EQ(bytes.size(), 44u + track.sampleCount() * bytesPerSample);
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(littleEndian(bytes, 4, 4), bytes.size() - 8);
        EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(littleEndian(bytes, 16, 4), 16u);
        EXPECT_EQ(littleEndian(bytes, 20, 2), 1u) << "PCM";
        EXPECT_EQ(littleEndian(bytes, 22, 2), 1u) << "mono";
        EXPECT_EQ(littleEndian(bytes, 24, 4), format.m_rate);
        EXPECT_EQ(littleEndian(bytes, 28, 4), format.byteRate());
        EXPECT_GE(format.byteRate(), 1000u) << "the player divides the byte rate by 1000";
        EXPECT_EQ(littleEndian(bytes, 32, 2), bytesPerSample);
        EXPECT_EQ(littleEndian(bytes, 34, 2), format.m_bits);
        EXPECT_EQ(bytes.substr(36, 4), "data");
        EXPECT_EQ(littleEndian(bytes, 40, 4), bytes.size() - 44);
        EXPECT_EQ((bytes.size() - 44) % 2, 0u) << "no pad byte needed";
        EXPECT_GE(track.sampleCount(), track.sampleOf(1001));
        // Silence: 128 in unsigned 8-bit sound, 0 in signed 16-bit sound.
        EXPECT_EQ(static_cast<unsigned char>(bytes[44]), bytesPerSample == 1 ? 128u : 0u);
    }
}
