#pragma once

// What the reader must play from the demo edition: the bytes of its
// segments and pauses, taken from the compiled segment table and the
// edition's tracks with the player's own time arithmetic; and how a capture
// of 8-bit sound is compared with them.

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "document/AudioSegment.h"

// The quick demo edition's tracks: 8-bit mono at 8,000 Hz.
const uint32_t QuickEditionBytesPerSecond = 8000;

// Makes `target` an edition of its own: links to the files of `source`
// (copies where links cannot be made) but those named in `without`.
bool linkEdition(const std::wstring& source, const std::wstring& target,
                 std::initializer_list<const wchar_t*> without = {});

// A track as the player reads it.
struct EditionTrack {
    uint32_t bytesPerSecond = 0;
    uint16_t frameBytes = 0;
    std::string data; // the "data" chunk's contents

    // As the player computes it when it opens the track.
    uint32_t durationMs() const;
    // Where a pause to the track's end ends: the duration without its milliseconds.
    uint32_t endMs() const;
    // The bytes the player streams for this time range.
    std::string range(uint32_t startMs, uint32_t endMs) const;
};

class EditionSound {
public:
    explicit EditionSound(const std::wstring& directory);

    const AudioSegmentArray& table() const { return m_table; }
    std::string trackName(uint32_t segment) const;
    // Null when the track is missing or no WAVE file with sound data.
    const EditionTrack* track(const std::string& name);

    std::string segmentBytes(uint32_t segment);
    // The pause after the segment: to the next segment's start in the same
    // track, else to the track's end; both as the player plays them.
    std::string pauseBytes(uint32_t segment);
    // Playing segments first to last with the pauses between them (and the
    // pause after the last one too when `pauseAfterLast`): the bytes of each
    // output device, one for each track in turn.
    std::vector<std::string> playedBytes(uint32_t first, uint32_t last, bool pauseAfterLast);
    // Where the player's blocks end in each of those devices' bytes: an item
    // goes in blocks of 16,384 bytes, its last block taking the rest once
    // 32,768 bytes or fewer are left.
    std::vector<std::vector<size_t>> playedBlockEnds(uint32_t first, uint32_t last, bool pauseAfterLast);
    // Where each segment's first byte lies in those devices' bytes.
    struct SegmentStart {
        size_t device;
        size_t offset;
    };
    std::vector<SegmentStart> playedSegmentStarts(uint32_t first, uint32_t last);

private:
    std::wstring m_directory;
    AudioSegmentArray m_table;
    std::map<std::string, EditionTrack> m_tracks;
    std::map<std::string, bool> m_missing;
};

// An 8-bit output fills every underrun with 0x80, its silence, which the
// tracks hold too; so a capture must be the expected bytes with 0x80 bytes
// inserted anywhere and nothing else. Answers where it departs from that, or
// an empty text when it does not.
std::string captureDeparture8(const std::string& capture, const std::string& expected);
// How many of the expected bytes the capture holds, taken as above, up to
// where it departs.
size_t capturedBytes8(const std::string& capture, const std::string& expected);

// How long a program may take to play `bytes` of the quick edition's sound
// into the capture device: it plays faster than real time, but a loaded
// machine may hold it back. Twice the real time and 20 s more.
DWORD playLimitMs(size_t bytes);
// Waits until capture file `device` (0 for the first device opened) holds
// the first `count` bytes of `expected`, inserted silence aside, for at most
// playLimitMs(count). Answers an empty text, or what it waited for and what
// had arrived.
std::string waitForCapture(size_t device, const std::string& expected, size_t count);
