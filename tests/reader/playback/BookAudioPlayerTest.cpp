// The reader's player on a small segment table of its own, playing tracks
// that the test writes through the capture device (see SoundTestSupport.h),
// with a hidden window in place of the reader's that records what the player
// posts to it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "SoundTestSupport.h"
#include "document/BookData.h"
#include "reader/playback/BookAudioPlayer.h"
#include "reader/playback/ReaderMessages.h"
#include "reader/window/ReaderWindow.h"

namespace {

// What the window got: 'S' started, 'F' finished, with the segment index.
std::vector<TestEvent> g_posted;
bool g_sent = false;

ReaderWindow* g_dialog_window = nullptr;
int g_dialog_count = 0;
DWORD g_dialog_thread = 0;

LRESULT CALLBACK recordingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == SegmentStartedMessage || message == SegmentFinishedMessage) {
        g_sent = g_sent || InSendMessage();
        g_posted.push_back(TestEvent{message == SegmentStartedMessage ? 'S' : 'F', static_cast<int32_t>(wParam)});
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND makeRecordingWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = recordingWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BookPlayerOwner";
    RegisterClassW(&wc);
    return CreateWindowW(L"BookPlayerOwner", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

std::string trackPath(const char* name)
{
    return captureDir() + "\\" + testVariant() + "_player_" + name;
}

// 16-bit mono at 22,050 Hz, 10.5 s: its duration is 0:0:10:523, so a pause to
// its end stops at 10,000 ms. The other at 11,025 Hz, 2.2 s (0:0:2:205).
TestTrack g_long{trackPath("long.wav"), 11, 22050, 1, 16, 463050};
TestTrack g_short{trackPath("short.wav"), 12, 11025, 1, 16, 48510};
const uint32_t LongTrackEnd = 10000;
const uint32_t ShortTrackEnd = 2000;

struct Row {
    const TestTrack* track; // null: a track that does not exist
    uint32_t startMs;
    uint32_t endMs;
};

const char MissingTrack[] = "missing.wav";

// Nineteen segments in the long track, three in the short one.
std::vector<Row> bookRows()
{
    std::vector<Row> rows;
    for (uint32_t i = 0; i < 19; ++i)
        rows.push_back(Row{&g_long, 500 * i + 50, 500 * i + 450});
    rows.push_back(Row{&g_short, 100, 700});
    rows.push_back(Row{&g_short, 800, 1500});
    rows.push_back(Row{&g_short, 1600, 2000});
    return rows;
}

void setTable(const std::vector<Row>& rows)
{
    AudioSegmentArray& table = BookData::instance().segments();
    ASSERT_TRUE(table.setSize(static_cast<uint32_t>(rows.size())));
    for (uint32_t i = 0; i < rows.size(); ++i) {
        const std::string name = rows[i].track != nullptr ? rows[i].track->name : trackPath(MissingTrack);
        const std::u16string wide(name.begin(), name.end());
        AudioSegment& s = table.at(i);
        s.setTextRange(0, 5, static_cast<int32_t>(i));
        s.trackName().assign(wide.c_str());
        s.start().setMilliseconds(rows[i].startMs);
        s.end().setMilliseconds(rows[i].endMs);
    }
}

// What playing from `from` to the table's end must give, written out by hand:
// each segment, then the pause to the next one in the same track, or to the
// end of the track without its milliseconds.
std::vector<TestItem> expectedChain(const std::vector<Row>& rows, size_t from)
{
    std::vector<TestItem> chain;
    for (size_t i = from; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (row.track == nullptr) {
            chain.push_back(missingItem(trackPath(MissingTrack), static_cast<int32_t>(i)));
            break;
        }
        chain.push_back(segmentItem(*row.track, row.startMs, row.endMs, static_cast<int32_t>(i)));
        if (i + 1 == rows.size())
            break;
        const Row& next = rows[i + 1];
        const uint32_t trackEnd = row.track == &g_long ? LongTrackEnd : ShortTrackEnd;
        chain.push_back(pauseItem(*row.track, row.endMs, next.track == row.track ? next.startMs : trackEnd));
    }
    return chain;
}

// The posts for the first `blockCount` blocks of a chain: pauses post nothing.
std::vector<TestEvent> expectedPosts(const std::vector<TestItem>& chain, const ChainPlan& plan, size_t blockCount)
{
    std::vector<TestEvent> posts;
    for (const TestEvent& e : playedEvents(chain, plan, blockCount)) {
        if (e.kind != 'M' && e.segment != -1)
            posts.push_back(e);
    }
    return posts;
}

class TestBookPlayer : public BookAudioPlayer {
public:
    using BookAudioPlayer::BookAudioPlayer;
    bool waitIdle(DWORD timeout) { return waitUntilIdle(timeout); }
};

class BookAudioPlayerTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(writeTrack(g_long));
        ASSERT_TRUE(writeTrack(g_short));
        DeleteFileA(trackPath(MissingTrack).c_str());
    }

    void SetUp() override
    {
        clearCapture();
        g_posted.clear();
        g_sent = false;
        g_dialog_window = nullptr;
        g_dialog_count = 0;
        g_dialog_thread = 0;
        m_hwnd = makeRecordingWindow();
        ASSERT_NE(m_hwnd, nullptr);
        m_window.setHwnd(m_hwnd);
    }

    void TearDown() override
    {
        if (m_hwnd != nullptr)
            DestroyWindow(m_hwnd);
    }

    bool posted(char kind, int32_t segment)
    {
        for (const TestEvent& e : g_posted) {
            if (e.kind == kind && e.segment == segment)
                return true;
        }
        return false;
    }

    // Waits until the playback has played out and shuts the player down
    // (which completes the capture files); then takes the posted messages.
    void finish(TestBookPlayer& player)
    {
        EXPECT_TRUE(player.waitIdle(PlaybackTimeout)) << "the playback did not end and play out";
        // Wine reports a block done a little before its end has gone out.
        Sleep(100);
        ASSERT_TRUE(player.shutdown(ShutdownTimeout));
        pumpMessages();
        EXPECT_FALSE(g_sent) << "the player's threads must post, never send";
    }

    std::string playedSound() { return withoutSilence(joined(readCapture())); }

    // After a playback of `first` cut short by a start of `second`: the
    // capture and the posts must be whole blocks of the first chain, then all
    // of the second. Answers how many blocks of the first played.
    size_t expectCutThenWhole(const std::vector<TestItem>& first, const std::vector<TestItem>& second)
    {
        const ChainPlan firstPlan = planChain(first);
        const ChainPlan secondPlan = planChain(second);
        const std::string played = playedSound();
        const std::string rest = playedBytes(secondPlan, secondPlan.blocks.size());
        size_t n = 0;
        while (n <= firstPlan.blocks.size() && played != playedBytes(firstPlan, n) + rest)
            ++n;
        if (n >= firstPlan.blocks.size()) {
            ADD_FAILURE() << "the capture is not a part of the first playback followed by the second; "
                          << firstDifference(played, playedBytes(firstPlan, firstPlan.blocks.size()) + rest);
            return n;
        }
        std::vector<TestEvent> posts = expectedPosts(first, firstPlan, n);
        const std::vector<TestEvent> more = expectedPosts(second, secondPlan, secondPlan.blocks.size());
        posts.insert(posts.end(), more.begin(), more.end());
        EXPECT_EQ(g_posted, posts) << describe(g_posted) << "\nexpected " << describe(posts);
        return n;
    }

    HWND m_hwnd = nullptr;
    ReaderWindow m_window;
};

} // namespace

// The dialog of the edition, for a track that cannot be opened.
INT_PTR showAudioEditionDialog(ReaderWindow* window)
{
    g_dialog_window = window;
    ++g_dialog_count;
    g_dialog_thread = GetCurrentThreadId();
    return 1;
}

TEST_F(BookAudioPlayerTest, PlaysFromTheClickedSegmentToTheEndOfTheTable)
{
    const std::vector<Row> rows = bookRows();
    setTable(rows);
    const std::vector<TestItem> chain = expectedChain(rows, 16);
    const ChainPlan plan = planChain(chain);
    TestBookPlayer player(&m_window);
    ASSERT_NE(player.playFrom(16), nullptr);
    finish(player);

    const std::vector<std::string> files = readCapture();
    ASSERT_EQ(files.size(), 2u) << "one device for each of the two tracks";
    const std::string played = withoutSilence(joined(files));
    const std::string expected = playedBytes(plan, plan.blocks.size());
    EXPECT_TRUE(played == expected) << firstDifference(played, expected);
    const std::vector<TestEvent> posts = {{'S', 16}, {'F', 16}, {'S', 17}, {'F', 17}, {'S', 18}, {'F', 18},
                                          {'S', 19}, {'F', 19}, {'S', 20}, {'F', 20}, {'S', 21}, {'F', 21}};
    EXPECT_EQ(g_posted, posts) << describe(g_posted);
    EXPECT_EQ(g_dialog_count, 0);
}

TEST_F(BookAudioPlayerTest, AStopLetsTheQueuedBlocksPlayOutAndAReplayStartsWhereAsked)
{
    const std::vector<Row> rows = bookRows();
    setTable(rows);
    TestBookPlayer player(&m_window);
    ASSERT_NE(player.playFrom(0), nullptr);
    ASSERT_TRUE(waitFor([&] { return posted('S', 3); }, PlaybackTimeout)) << describe(g_posted);
    player.requestStop();
    ASSERT_TRUE(player.waitIdle(PlaybackTimeout));
    pumpMessages();
    const std::vector<TestEvent> stopped = g_posted;

    ASSERT_NE(player.playFrom(17), nullptr);
    finish(player);
    const size_t n = expectCutThenWhole(expectedChain(rows, 0), expectedChain(rows, 17));
    EXPECT_LT(n, 20u) << "the stop came early in the table";
    EXPECT_EQ(g_posted.size() - stopped.size(), 10u) << "the replay's posts all came after the stop's";
}

TEST_F(BookAudioPlayerTest, StartsWhileAnOldPlaybackStillPlaysBeginWhereAsked)
{
    const std::vector<Row> rows = bookRows();
    setTable(rows);
    TestBookPlayer player(&m_window);
    ASSERT_NE(player.playFrom(0), nullptr);
    ASSERT_TRUE(waitFor([&] { return posted('S', 2); }, PlaybackTimeout)) << describe(g_posted);
    // No stop: each start ends the playback before it, the second one before
    // it could play anything.
    ASSERT_NE(player.playFrom(8), nullptr);
    ASSERT_NE(player.playFrom(14), nullptr);
    finish(player);
    expectCutThenWhole(expectedChain(rows, 0), expectedChain(rows, 14));
}

TEST_F(BookAudioPlayerTest, AMissingTrackShowsTheDialogOnThePlayerThreadAndEndsThePlayback)
{
    const std::vector<Row> rows = {{&g_long, 100, 600}, {&g_long, 9500, 9900}, {nullptr, 0, 500}, {&g_long, 200, 300}};
    setTable(rows);
    const std::vector<TestItem> chain = expectedChain(rows, 0);
    const ChainPlan plan = planChain(chain);
    ASSERT_TRUE(plan.endsMissing);
    TestBookPlayer player(&m_window);
    ASSERT_NE(player.playFrom(0), nullptr);
    ASSERT_TRUE(player.waitIdle(PlaybackTimeout));
    EXPECT_EQ(g_dialog_count, 1);
    EXPECT_EQ(g_dialog_window, &m_window);
    EXPECT_NE(g_dialog_thread, GetCurrentThreadId());
    EXPECT_NE(g_dialog_thread, 0u);

    // The player plays again afterwards.
    ASSERT_NE(player.playFrom(3), nullptr);
    finish(player);
    EXPECT_EQ(g_dialog_count, 1);
    const std::vector<TestItem> after = expectedChain(rows, 3);
    const ChainPlan afterPlan = planChain(after);
    const std::string played = playedSound();
    const std::string expected =
        playedBytes(plan, plan.blocks.size()) + playedBytes(afterPlan, afterPlan.blocks.size());
    EXPECT_TRUE(played == expected) << firstDifference(played, expected);
    const std::vector<TestEvent> posts = {{'S', 0}, {'F', 0}, {'S', 1}, {'F', 1}, {'S', 3}, {'F', 3}};
    EXPECT_EQ(g_posted, posts) << describe(g_posted);
}

TEST_F(BookAudioPlayerTest, NothingIsPostedAfterAShutdownAndAGoneWindowIsHarmless)
{
    const std::vector<Row> rows = bookRows();
    setTable(rows);
    TestBookPlayer player(&m_window);
    ASSERT_NE(player.playFrom(0), nullptr);
    ASSERT_TRUE(waitFor([&] { return posted('F', 1); }, PlaybackTimeout)) << describe(g_posted);
    ASSERT_TRUE(player.shutdown(ShutdownTimeout));
    pumpMessages();
    const size_t count = g_posted.size();
    EXPECT_FALSE(waitFor([&] { return g_posted.size() != count; }, 500)) << describe(g_posted);

    // The window goes first, as at the program's exit: the player plays on
    // and its posts go nowhere.
    ASSERT_NE(player.playFrom(15), nullptr);
    ASSERT_TRUE(waitFor([&] { return posted('S', 15); }, PlaybackTimeout)) << describe(g_posted);
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    EXPECT_TRUE(player.waitIdle(PlaybackTimeout));
    EXPECT_TRUE(player.shutdown(ShutdownTimeout));
}
