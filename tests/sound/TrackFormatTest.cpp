#include <gtest/gtest.h>

#include "sound/TrackFormat.h"

namespace {

TrackFormat pcm(uint16_t channels, uint32_t rate, uint16_t bits)
{
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    return TrackFormat{PcmFormatTag, channels, rate, rate * align, align, bits};
}

} // namespace

TEST(TrackFormatTest, PcmAndFloatFormatsWhoseNumbersAgreeArePlayable)
{
    EXPECT_TRUE(isPlayableFormat(pcm(2, 44100, 16)));
    EXPECT_TRUE(isPlayableFormat(pcm(1, 8000, 8)));
    EXPECT_TRUE(isPlayableFormat(pcm(8, 192000, 32)));
    EXPECT_TRUE(isPlayableFormat(pcm(1, 48000, 24)));
    TrackFormat f = pcm(2, 48000, 32);
    f.tag = FloatFormatTag;
    EXPECT_TRUE(isPlayableFormat(f));
}

TEST(TrackFormatTest, OtherTagsSampleSizesChannelsAndRatesAreNot)
{
    TrackFormat f = pcm(2, 44100, 16);
    for (uint16_t tag : {0, 2, 0x55, 0xFFFE, 0xFFFF}) {
        f.tag = tag;
        EXPECT_FALSE(isPlayableFormat(f)) << "tag " << tag;
    }
    f = pcm(2, 44100, 16);
    f.tag = FloatFormatTag;
    EXPECT_FALSE(isPlayableFormat(f)) << "16-bit float";
    for (uint16_t bits : {0, 4, 12, 20, 64})
        EXPECT_FALSE(isPlayableFormat(pcm(2, 44100, bits))) << bits << " bits";
    for (uint16_t channels : {0, 9, 32, 65534})
        EXPECT_FALSE(isPlayableFormat(pcm(channels, 44100, 16))) << channels << " channels";
    for (uint32_t rate : {0u, 24u, 7999u, 192001u, 0x7FFFFFFFu})
        EXPECT_FALSE(isPlayableFormat(pcm(2, rate, 16))) << rate << " samples a second";
}

TEST(TrackFormatTest, ABlockAlignOrByteRateThatDisagreesIsNotPlayable)
{
    TrackFormat f = pcm(2, 44100, 16);
    for (uint16_t align : {0, 2, 3, 8, 0xFFFF}) {
        f.blockAlign = align;
        EXPECT_FALSE(isPlayableFormat(f)) << "block align " << align;
    }
    f = pcm(2, 44100, 16);
    for (uint32_t rate : {0u, 999u, 176399u, 176401u, 0xFFFFFFFFu}) {
        f.bytesPerSecond = rate;
        EXPECT_FALSE(isPlayableFormat(f)) << rate << " bytes a second";
    }
}
