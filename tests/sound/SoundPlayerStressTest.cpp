// Many playbacks, each stopped at a random moment (or replaced by the next
// one, or played to its end) and followed at once by the next, with items
// that need far more blocks than the ring holds. Every block handed to the
// device must be played exactly once, in order, and nothing more.
#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "SoundTestSupport.h"
#include "core/WinApiCriticalSection.h"
#include "sound/PlayerGlobals.h"

namespace {

enum StopKind { StopInNotification, StopFromOutside, ReplacedByNext, PlayedToEnd };

struct Playback {
    std::vector<TestItem> chain;
    ChainPlan plan;
    StopKind kind;
    size_t handedOver; // blocks this playback handed to the device
};

TEST(SoundPlayerStressTest, RapidStartsAndStopsLoseAndRepeatNothing)
{
    const std::string dir = captureDir() + "\\" + testVariant() + "_";
    const std::vector<TestTrack> tracks = {
        {dir + "s1.wav", 11, 44100, 2, 16, 1058400}, // 6 s
        {dir + "s2.wav", 12, 22050, 1, 16, 352800},  // 8 s
        {dir + "s3.wav", 13, 48000, 2, 16, 768000},  // 4 s
    };
    for (const TestTrack& track : tracks)
        ASSERT_TRUE(writeTrack(track));
    clearCapture();

    std::mt19937 random(20240611);
    auto below = [&random](uint32_t n) { return static_cast<uint32_t>(random() % n); };

    std::vector<Playback> playbacks;
    for (int p = 0; p < 40; ++p) {
        Playback playback;
        const uint32_t items = 2 + below(4);
        size_t track = below(3);
        for (uint32_t k = 0; k < items; ++k) {
            if (below(2) == 0)
                track = below(3);
            const TestTrack& t = tracks[track];
            const uint32_t durationMs = t.dataBytes / (t.bytesPerSecond() / 1000);
            const uint32_t start = below(durationMs - 100);
            const uint32_t length = 50 + below(2500); // up to 27 blocks
            if (k % 2 == 1 && below(2) == 0)
                playback.chain.push_back(pauseItem(t, start, start + length));
            else
                playback.chain.push_back(segmentItem(t, start, start + length, p * 10 + static_cast<int32_t>(k)));
        }
        playback.plan = planChain(playback.chain);
        playback.kind = p == 39 ? PlayedToEnd : static_cast<StopKind>(below(p % 8 == 0 ? 4 : 3));
        playback.handedOver = 0;
        playbacks.push_back(std::move(playback));
    }

    size_t handedBefore = 0; // blocks of the playbacks before the current one
    size_t eventsBefore = 0;
    std::atomic<size_t> stopAtEvent(SIZE_MAX);
    std::atomic<size_t> handedAtStop(0);
    size_t eventCount = 0; // counted under g_player_lock, like every notification here
    HANDLE stopped = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    // Made after what its notifications use, so that it is closed before that goes.
    ChainPlayer player;
    player.m_on_event = [&](const TestEvent&) {
        if (eventCount++ == stopAtEvent.load()) {
            player.requestStop();
            handedAtStop = player.handedOverBlocks();
            SetEvent(stopped);
        }
    };

    bool started = false;
    for (size_t p = 0; p < playbacks.size(); ++p) {
        Playback& playback = playbacks[p];
        const size_t fullEvents = playedEvents(playback.chain, playback.plan, playback.plan.blocks.size()).size();
        if (playback.kind == StopInNotification)
            stopAtEvent = eventsBefore + below(static_cast<uint32_t>(fullEvents));
        if (!started)
            player.play(playback.chain);
        started = false;

        size_t handed = 0;
        switch (playback.kind) {
        case StopInNotification:
            ASSERT_EQ(WaitForSingleObject(stopped, PlaybackTimeout), WAIT_OBJECT_0)
                << "playback " << p << ": the notification that stops it did not come";
            handed = handedAtStop;
            break;
        case StopFromOutside: {
            Sleep(below(4) == 0 ? 0 : below(60));
            CriticalSectionLock lock(g_player_lock);
            player.requestStop();
            handed = player.handedOverBlocks();
            break;
        }
        case ReplacedByNext: {
            Sleep(below(60));
            CriticalSectionLock lock(g_player_lock);
            handed = player.handedOverBlocks();
            // The next playback begins while this one still runs.
            if (p + 1 < playbacks.size()) {
                player.play(playbacks[p + 1].chain);
                started = true;
            }
            break;
        }
        case PlayedToEnd:
            ASSERT_TRUE(player.waitIdle(PlaybackTimeout)) << "playback " << p << " did not end and play out";
            CriticalSectionLock lock(g_player_lock);
            handed = player.handedOverBlocks();
            break;
        }
        playback.handedOver = handed - handedBefore;
        ASSERT_LE(playback.handedOver, playback.plan.blocks.size()) << "playback " << p;
        if (playback.kind == PlayedToEnd) {
            EXPECT_EQ(playback.handedOver, playback.plan.blocks.size()) << "playback " << p;
        }
        handedBefore = handed;
        eventsBefore += playedEvents(playback.chain, playback.plan, playback.handedOver).size();
        stopAtEvent = SIZE_MAX;
    }
    ASSERT_EQ(finishCapture(player), "");
    CloseHandle(stopped);

    std::string expected;
    std::vector<TestEvent> events;
    size_t stoppedEarly = 0;
    for (const Playback& playback : playbacks) {
        expected += playedBytes(playback.plan, playback.handedOver);
        const std::vector<TestEvent> more = playedEvents(playback.chain, playback.plan, playback.handedOver);
        events.insert(events.end(), more.begin(), more.end());
        stoppedEarly += playback.handedOver < playback.plan.blocks.size() ? 1 : 0;
    }
    EXPECT_GE(stoppedEarly, 20u) << "most playbacks should be cut short";
    const std::string played = withoutSilence(joined(readCapture()));
    EXPECT_TRUE(played == expected) << firstDifference(played, expected);
    EXPECT_EQ(player.events(), events) << describe(player.events()) << "\nexpected " << describe(events);
}

} // namespace
