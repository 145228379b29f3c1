#pragma once

#include <atomic>
#include <cstdint>

#include "reader/SegmentChain.h"
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
class BookAudioPlayer : public WinApiSoundPlayer {
public:
    // Opens no device yet; `owner` must outlive the player.
    explicit BookAudioPlayer(ReaderWindow* owner);
    ~BookAudioPlayer() override;

    // Starts a playback from this segment of the table; a running one ends.
    // Answers the new thread (see WinApiSoundPlayer::startThread).
    HANDLE playFrom(int32_t segment);

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
    // Where the latest playFrom asked to start. The playback's own thread
    // takes it over in firstItem: the thread of the playback before may
    // still be walking the chain when a new start is asked for.
    std::atomic<int32_t> m_start_segment;
    // Walked by one player thread at a time.
    SegmentChain m_chain;
};
