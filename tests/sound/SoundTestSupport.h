#pragma once

// What the player tests share: WAV tracks they write themselves, a player
// that plays a given chain of items and records its notifications, the bytes
// and notifications a chain must give, and the bytes the capture device got.
//
// The tests run under Wine with HOME set to a folder whose .asoundrc makes
// ALSA's default device a "file" device: every waveform device the player
// opens writes what it plays to a new file there (capture.raw,
// capture.raw.0001, ...), in the order the devices were opened, padded with
// silence (zero bytes) wherever the output ran dry. The tracks' sound bytes
// are never zero, so the played bytes are the capture without its zeros.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "sound/WinApiSoundPlayer.h"

// Every wait of the tests is bounded, so that a playback that hangs fails its
// test within seconds, saying what it waited for. The capture device plays
// about four times faster than real time; no chain of the tests lasts half
// as long as this.
const DWORD PlaybackTimeout = 15000;
// A shutdown that takes longer than this ends the test program.
const DWORD ShutdownTimeout = 5000;

struct TestTrack {
    std::string name; // file name, relative to the working directory
    uint32_t id;      // seeds the track's bytes
    uint32_t sampleRate;
    uint16_t channels;
    uint16_t bitsPerSample;
    uint32_t dataBytes;         // sound bytes in the file
    uint32_t declaredBytes = 0; // the data chunk's size when it claims more than the file holds
    bool hasData = true;
    bool chunkBeforeFormat = false; // a "LIST" chunk ahead of "fmt "

    uint32_t bytesPerSecond() const { return sampleRate * channels * bitsPerSample / 8; }
    uint16_t frameBytes() const { return static_cast<uint16_t>(channels * bitsPerSample / 8); }
};

// Little-endian numbers, as RIFF files hold them.
void put32(std::string& out, uint32_t v);
void put16(std::string& out, uint16_t v);
bool writeBytes(const std::string& name, const std::string& bytes);

// The byte at `pos` of the sound data of track `id`: never zero.
uint8_t trackByte(uint32_t id, uint32_t pos);
bool writeTrack(const TestTrack& track);

struct TestItem {
    const TestTrack* track; // null: the file is `fileName` (which may not exist)
    std::string fileName;
    uint32_t startMs;
    uint32_t endMs;
    int32_t segment; // -1: a pause
};

TestItem segmentItem(const TestTrack& track, uint32_t startMs, uint32_t endMs, int32_t segment);
TestItem pauseItem(const TestTrack& track, uint32_t startMs, uint32_t endMs);
TestItem missingItem(const std::string& name, int32_t segment);

struct TestEvent {
    char kind; // 'S' started, 'F' finished, 'M' missing file
    int32_t segment;
    bool operator==(const TestEvent& other) const { return kind == other.kind && segment == other.segment; }
};
std::string describe(const std::vector<TestEvent>& events);

// One block the player hands to the device.
struct TestBlock {
    size_t item;
    uint32_t trackId;
    uint32_t start;
    uint32_t length;
    bool firstOfItem;
    bool lastOfItem;
    bool newDevice; // the first block after a track was opened
};

// What a chain must play when it is played to its end: its blocks, and
// whether it ends at a track that cannot be opened.
struct ChainPlan {
    std::vector<TestBlock> blocks;
    bool endsMissing = false;
};
ChainPlan planChain(const std::vector<TestItem>& chain);

// The bytes and notifications of the first `blockCount` blocks; the missing
// notification comes when every block was played and the chain ends there.
std::string playedBytes(const ChainPlan& plan, size_t blockCount);
std::vector<TestEvent> playedEvents(const std::vector<TestItem>& chain, const ChainPlan& plan, size_t blockCount);

// Plays chains and records what it hears.
class ChainPlayer : public WinApiSoundPlayer {
public:
    ~ChainPlayer() override;

    // Shuts the player down within ShutdownTimeout. When it cannot, its
    // threads may still use it and nothing is safe any more: the test program
    // ends at once, with a message on what did not come back.
    void close();

    // Starts a playback of the chain (a running one ends); answers its
    // thread, which stays the player's.
    HANDLE play(const std::vector<TestItem>& chain);
    std::vector<TestEvent> events();
    // The notifications so far, which are then forgotten.
    std::vector<TestEvent> takeEvents();
    // Blocks handed to the device so far; call holding g_player_lock.
    uint32_t handedOverBlocks() const { return completedBlockCount() + queuedBlockCount(); }
    uint32_t queuedBlocks() const { return queuedBlockCount(); }
    uint32_t completedBlocks() const { return completedBlockCount(); }
    bool waitIdle(DWORD timeout) { return waitUntilIdle(timeout); }

    // Named in the message when the player cannot be closed.
    std::string m_context;
    // Called after each notification is recorded; a notification holds
    // g_player_lock (a missing file does not).
    std::function<void(const TestEvent&)> m_on_event;

    bool nextItem() override;
    bool firstItem() override;
    void onSegmentFinished(int32_t segment) override;
    void onSegmentStarted(int32_t segment) override;
    void spareHook() override {}
    void onAudioFileMissing() override;

private:
    struct Cursor {
        size_t chain;
        size_t next;
    };
    bool storeItem(bool first);
    void record(char kind, int32_t segment);

    std::mutex m_mutex;
    std::vector<std::vector<TestItem>> m_chains;
    std::map<DWORD, Cursor> m_cursors; // by player thread
    std::vector<TestEvent> m_events;
};

// Waits until the playback has ended and played out, then closes the player,
// which completes the capture files. Answers what it waited for in vain (for
// longer than PlaybackTimeout), or an empty text.
std::string finishCapture(ChainPlayer& player);

// The folder of this test program's HOME, where the capture files appear.
std::string captureDir();

// "w" in the wide test program, "a" in the narrow one: keeps their files apart.
const char* testVariant();
void clearCapture();
// The capture files in the order the devices were opened.
std::vector<std::string> readCapture();
std::string withoutSilence(const std::string& bytes);
std::string joined(const std::vector<std::string>& parts);

// Where two byte strings first differ, for messages.
std::string firstDifference(const std::string& actual, const std::string& expected);
