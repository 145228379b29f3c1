#pragma once

#include <atomic>
#include <cstdint>

#include "core/WinApiCriticalSection.h"
#include "reader/playback/SegmentChain.h"
#include "sound/WinApiSoundPlayer.h"

class ReaderWindow;

// The reader's player: plays the book's segments from the one that was
// clicked to the end of the table, with the pauses between them, and tells
// its window which segment starts and finishes sounding.
//
// The notifications come on the player's threads, some while they hold
// g_player_lock; they only post SegmentStartedMessage and
// SegmentFinishedMessage (see ReaderMessages.h) to the window, never send:
// the window thread waits for these threads when it shuts the player down.
//
// Every playback has a number, and every notice carries the number of the
// playback whose sound it concerns: a stopped playback's queued blocks play
// out while the next one waits, and their notices must not be taken for the
// new playback's.
class BookAudioPlayer : public WinApiSoundPlayer {
public:
    // Opens no device yet; `owner` must outlive the player.
    explicit BookAudioPlayer(ReaderWindow* owner);
    ~BookAudioPlayer() override;

    // Starts a playback from this segment of the table; a running one ends.
    // Answers the new thread (see WinApiSoundPlayer::startThread).
    HANDLE playFrom(int32_t segment);
    // The number of the playback that playFrom started last; window thread.
    uint32_t latestPlayback() const { return m_requested_playback; }

    bool nextItem() override;
    bool firstItem() override;
    void onSegmentFinished(int32_t segment) override;
    void onSegmentStarted(int32_t segment) override;
    void spareHook() override {}
    // Shows the audio-edition dialog on the player thread; the playback ends
    // when it closes.
    void onAudioFileMissing() override;

private:
    void postToOwner(UINT message, int32_t segment);

    ReaderWindow* m_owner;
    // What the latest playFrom asked for, taken over by the playback's own
    // thread in firstItem: the thread of the playback before may still be
    // walking the chain. Under m_start_lock, which playFrom holds until the
    // new thread is the player's latest, so that an older thread that takes
    // them over is already told to end before it queues anything.
    WinApiCriticalSection m_start_lock;
    int32_t m_start_segment;
    uint32_t m_requested_playback;
    // The number that the notices carry: the playback whose blocks are queued.
    std::atomic<uint32_t> m_sounding_playback;
    // Walked by one player thread at a time.
    SegmentChain m_chain;
};
