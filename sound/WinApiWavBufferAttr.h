#pragma once

#include <cstdint>

#include <windows.h>

#include <mmsystem.h>

#include "sound/PlayItem.h"

// One slot of the sound player's ring: a block of sound, the device it goes
// to and the item whose bytes it holds.
class WinApiWavBufferAttr {
public:
    WinApiWavBufferAttr();
    ~WinApiWavBufferAttr();

    WinApiWavBufferAttr(const WinApiWavBufferAttr&) = delete;
    WinApiWavBufferAttr& operator=(const WinApiWavBufferAttr&) = delete;

    // Releases the block, if any; false when there was none.
    bool releaseBlock();

    WAVEHDR m_wav_header; // lpData owns the block; dwUser names the slot while it is out
    HWAVEOUT m_hwaveout;
    uint8_t m_queued;     // 1 from the hand-over until the completion has been handled
    uint8_t m_last_block; // 1 when the block ends its item's range
    PlayItem m_item;
};
