#pragma once

#include <atomic>
#include <cstdint>

#include <windows.h>

#include <mmsystem.h>

#include "sound/PlayItem.h"
#include "sound/WinApiWavBufferAttr.h"

// Plays a chain of play items on the waveform output from a thread of its own.
// A subclass supplies the items and hears when an item's sound is done, when
// the next one begins and when a track cannot be opened.
//
// Threads: the window thread starts and stops playbacks; the player thread
// reads the tracks and hands blocks to the device through a ring of eight
// slots; the device's callback only passes each finished block on to the
// player's completion thread, which releases it, raises the notifications and
// wakes the player thread, all under g_player_lock.
//
// Every item whose first block was handed to the device gets exactly one start
// notification, and one finished notification when its last block has played,
// in that order, and before the start of the item that follows it.
//
// A subclass calls shutdown(INFINITE) in its destructor: after it the player
// calls none of the subclass's operations.
class WinApiSoundPlayer {
public:
    static const uint32_t BufferCount = 8;

    WinApiSoundPlayer();
    virtual ~WinApiSoundPlayer();

    WinApiSoundPlayer(const WinApiSoundPlayer&) = delete;
    WinApiSoundPlayer& operator=(const WinApiSoundPlayer&) = delete;

    // Starts a playback; a playback still running ends at once (what it queued
    // plays out first). Answers the new thread's handle, or null when no
    // thread could be started. The handle stays the player's: the caller
    // neither closes it nor waits on it, and it is closed by the next playback
    // or by shutdown, so it is only good until the next startThread or
    // shutdown call.
    HANDLE startThread();

    // No further block is queued; the queued ones play out.
    void requestStop();

    // Stores an item into the current slot; for firstItem and nextItem.
    void setItem(const PlayItem& item);

    // Ends the playback, withdraws its queued blocks, waits for its threads and
    // closes the device and the track; from its start no completion raises a
    // notification. True when all that was done within the timeout
    // (milliseconds, or INFINITE): the player can then play again. False when
    // a thread or a withdrawn block did not come back in time: the player then
    // stays stopped and must be neither destroyed nor started before another
    // shutdown succeeds (at program exit the process may simply end).
    //
    // Never call it from a notification: it waits for the completion thread,
    // which is the thread that runs the notifications.
    bool shutdown(DWORD timeout);

    // Store the next item with setItem; false ends the playback (the item
    // stored then is not played).
    virtual bool nextItem() = 0;
    // Store the first item of a playback; the playback runs only when true.
    virtual bool firstItem() = 0;
    // The last block of an item with this segment index (-1: a pause) has played.
    virtual void onSegmentFinished(int32_t segment) = 0;
    // The item with this segment index begins to sound.
    virtual void onSegmentStarted(int32_t segment) = 0;
    // Never called.
    virtual void spareHook() = 0;
    // The current item's track cannot be opened; the playback ends.
    virtual void onAudioFileMissing() = 0;

protected:
    // Blocks handed to the device and not finished yet; call it holding
    // g_player_lock (as every notification does).
    uint32_t queuedBlockCount() const;

    // Blocks whose completion was handled since the player was made; for
    // monitoring.
    uint32_t completedBlockCount() const { return m_completed_blocks.load(); }

    // Waits until the latest playback's thread has ended and its blocks have
    // played; false when that takes longer than the timeout (milliseconds).
    bool waitUntilIdle(DWORD timeout);

private:
    enum BlockResult { BlockQueued, LastBlockQueued, BlockStopped, BlockFailed };

    static DWORD WINAPI threadProc(LPVOID param);
    static DWORD WINAPI completionThreadProc(LPVOID param);
    static void CALLBACK waveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                     DWORD_PTR param2);

    static uint32_t nextIndex(uint32_t i) { return i >= BufferCount - 1 ? 0 : i + 1; }
    static uint32_t prevIndex(uint32_t i) { return i == 0 || i >= BufferCount ? BufferCount - 1 : i - 1; }
    WinApiWavBufferAttr& currentBuffer() { return m_buffers[m_current]; }
    WinApiWavBufferAttr& prevBuffer() { return m_buffers[prevIndex(m_current)]; }
    bool isRangeEnd() const { return m_read_pos >= m_end_byte; }

    // True once this thread's playback was stopped or a newer one started.
    bool isStopped() const;
    void runPlayback();
    bool startCompletionThread();
    bool stopCompletionThread(DWORD timeout);
    // What is left of `timeout` milliseconds that began at tick `begin`.
    static DWORD remainingTime(DWORD begin, DWORD timeout);
    // Sleep until the current slot (or every slot) is free; false when the
    // playback was stopped meanwhile.
    bool waitForFreeSlot();
    bool waitForAllBlocks();
    bool waitForSlots(bool allSlots);
    void inheritPrevBuffer();
    void markQueuedAndAdvance();
    void releaseItemNames();
    // Starts the device of the open track if it still waits for its first blocks.
    void startPausedDevice();
    void retireDevice();
    void closeDeviceAndTrack();

    bool openItemFile();
    bool playItem();
    BlockResult queueNextBlock(bool firstOfItem);
    void endItemEarly(bool blocksQueued);
    uint32_t AllocNecessaryBuffer(WinApiWavBufferAttr& slot);
    void onBufferDone(uint32_t slot);
    void deleteUnpreparePrevBuffer(uint32_t slot);

    bool openWaveFile();
    void setFileDuration(uint32_t dataSize, WAVEFORMATEX format);
    void computeByteRange();
    void seekToStartByte();

    uint32_t m_start_byte;
    uint32_t m_read_pos;
    uint32_t m_end_byte;
    HANDLE m_thread;
    std::atomic<DWORD> m_thread_id; // the latest playback's thread
    HMMIO m_hmmio;
    WAVEFORMATEX m_wave_format;
    WinApiWavBufferAttr m_buffers[BufferCount];
    std::atomic<uint8_t> m_stop;
    uint32_t m_current;
    uint32_t m_data_size;
    LONG m_data_offset;         // file offset of the sound data
    PlayItem m_open_track;      // names the open track
    HWAVEOUT m_open_device;     // the device of the open track
    HWAVEOUT m_previous_device; // the device of the track before, idle
    uint8_t m_device_paused;    // the open track's device waits for its first blocks to be queued
    HANDLE m_wake_event;        // set after every completion, stop and new start
    uint8_t m_start_pending;    // the next block handed over begins an item that has had no start notification
    HANDLE m_completion_thread;
    DWORD m_completion_thread_id;
    HANDLE m_completion_ready; // set once the completion thread can take messages
    uint8_t m_closing;         // completions withdrawn by shutdown raise no notification
    std::atomic<uint32_t> m_completed_blocks;
};
