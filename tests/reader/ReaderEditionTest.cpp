// The real reader program in the demo edition, driven from this process;
// what it plays reaches the capture device of this test's HOME, which the
// program shares.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditionSound.h"
#include "ReaderProcess.h"
#include "ReaderTestSupport.h"
#include "SoundTestSupport.h"

namespace {

const DWORD Limit = 10000;

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

class ReaderEditionTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_edition = demoEditionDirectory();
        ASSERT_FALSE(m_edition.empty())
            << "the quick demo edition is missing (TAVREMS_DEMO_EDITION): the fixture reader_demo_edition makes it";
        m_program = environmentPath("TAVREMS_PROGRAM");
        ASSERT_FALSE(m_program.empty());
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        m_directory = currentDirectory() + L"\\edition-" + std::wstring(name.begin(), name.end());
        clearCapture();
    }

    std::wstring m_edition;
    std::wstring m_program;
    std::wstring m_directory;
};

} // namespace

TEST(CaptureDeparture8, OnlyInsertedSilenceIsAllowed)
{
    const std::string expected = bytes({0x41, 0x80, 0x80, 0x7F, 0x42});
    EXPECT_EQ(captureDeparture8(expected, expected), "");
    EXPECT_EQ(captureDeparture8(bytes({0x80, 0x41, 0x80, 0x80, 0x80, 0x7F, 0x80, 0x42, 0x80}), expected), "");
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x7F, 0x42}), expected), "") << "a silent byte of the track lost";
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x80, 0x7F}), expected), "") << "the last byte lost";
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x80, 0x7F, 0x7F, 0x42}), expected), "")
        << "a byte other than silence inserted";
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x80, 0x7F, 0x42, 0x42}), expected), "") << "a byte played twice";
    EXPECT_NE(captureDeparture8(bytes({0x80, 0x7F, 0x41, 0x80, 0x42}), expected), "") << "bytes out of order";
    EXPECT_EQ(captureDeparture8(bytes({0x80, 0x80}), ""), "");
}

TEST_F(ReaderEditionTest, ExpectedSoundComesFromTheTableAndTheTracks)
{
    EditionSound sound(m_edition);
    // Track 11 holds 164,890 ms of sound at 8,000 bytes a second.
    const EditionTrack* t11 = sound.track("omblt11.wav");
    ASSERT_NE(t11, nullptr);
    EXPECT_EQ(t11->bytesPerSecond, 8000u);
    EXPECT_EQ(t11->durationMs(), 164890u);
    EXPECT_EQ(t11->endMs(), 164000u);
    EXPECT_EQ(sound.trackName(1194), "omblt11.wav");
    EXPECT_EQ(sound.trackName(1198), "omblt11.wav");
    EXPECT_EQ(sound.trackName(1199), "omblt12.wav");
    const AudioSegment& s1198 = sound.table().at(1198);
    EXPECT_EQ(s1198.end().toMilliseconds(), 164390u);
    // Its tail pause ends before it starts: the 2 ms before 164,000 ms.
    EXPECT_EQ(sound.pauseBytes(1198), t11->data.substr(1311984, 16));
    // At 8,000 bytes a second every millisecond is 8 whole bytes.
    const AudioSegment& s1194 = sound.table().at(1194);
    EXPECT_EQ(sound.segmentBytes(1194),
              t11->data.substr(s1194.start().toMilliseconds() * 8,
                               (s1194.end().toMilliseconds() - s1194.start().toMilliseconds()) * 8));

    const std::vector<std::string> devices = sound.playedBytes(1194, 1199, false);
    ASSERT_EQ(devices.size(), 2u) << "the chain changes track after 1198";
    EXPECT_EQ(devices[0].substr(devices[0].size() - 16), sound.pauseBytes(1198));
    EXPECT_EQ(devices[1], sound.segmentBytes(1199));
    EXPECT_EQ(sound.track("omblt46.wav"), nullptr);
}

TEST_F(ReaderEditionTest, StartsInTheDemoEditionWithoutOpeningASoundDevice)
{
    // Without one track, as for a reader who has not extracted it.
    ASSERT_TRUE(linkEdition(m_edition, m_directory, {L"omblt12.wav"}));
    EditionSound linked(m_directory);
    EXPECT_NE(linked.track("omblt11.wav"), nullptr);
    EXPECT_EQ(linked.track("omblt12.wav"), nullptr);
    writeSavedOffset(nullptr);
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_directory));
    RECT client = {0, 0, 0, 0};
    GetClientRect(reader.window(), &client);
    EXPECT_GT(client.right, 900) << "maximised over the 1024 x 768 screen";
    int32_t offset = -1;
    EXPECT_TRUE(waitFor([&] { return readSavedOffset(offset); }, Limit)) << "start-up writes the offset";
    EXPECT_EQ(offset, 0) << "no saved offset opens the page at its top";
    reader.postCommand(2000);
    DWORD code = 99;
    ASSERT_TRUE(reader.waitForExit(Limit, code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(readCapture().empty()) << "no output device is opened before something is played";
}
