#include "sound/WinApiSoundPlayer.h"

#include <new>

#include "core/TraceLine.h"
#include "core/WinApiCriticalSection.h"
#include "sound/DebugOutput.h"
#include "sound/PlayerGlobals.h"
#include "sound/TrackByteRange.h"

namespace {

// Posted by the device's callback to the completion thread; wParam names the slot.
const UINT BlockDoneMessage = WM_APP + 1;

// A new track's device starts once this many blocks are queued on it (or
// when the player thread waits or ends before): started with one, the output
// runs dry before the second one reaches it.
const uint32_t DeviceStartBlocks = 2;

// Each player thread first waits for the thread of the playback before it.
struct PlayerThreadStart {
    WinApiSoundPlayer* player;
    HANDLE previous;
};

} // namespace

WinApiSoundPlayer::WinApiSoundPlayer()
    : m_start_byte(0),
      m_read_pos(0),
      m_end_byte(0),
      m_thread(nullptr),
      m_thread_id(0),
      m_hmmio(nullptr),
      m_wave_format(),
      m_stop(0),
      m_current(0),
      m_data_size(0),
      m_data_offset(0),
      m_open_device(nullptr),
      m_previous_device(nullptr),
      m_device_paused(0),
      m_wake_event(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      m_start_pending(0),
      m_completion_thread(nullptr),
      m_completion_thread_id(0),
      m_completion_ready(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      m_closing(0),
      m_completed_blocks(0)
{
    TraceLine line;
    line.appendText("Start Sound Player").endLine();
}

WinApiSoundPlayer::~WinApiSoundPlayer()
{
    shutdown(INFINITE);
    if (m_wake_event != nullptr)
        CloseHandle(m_wake_event);
    if (m_completion_ready != nullptr)
        CloseHandle(m_completion_ready);
}

HANDLE WinApiSoundPlayer::startThread()
{
    if (m_wake_event == nullptr || m_completion_ready == nullptr)
        return nullptr;
    PlayerThreadStart* start = new (std::nothrow) PlayerThreadStart;
    if (start == nullptr)
        return nullptr;
    start->player = this;
    start->previous = m_thread;
    DWORD id = 0;
    // Suspended until it is named the latest thread, which it checks first.
    HANDLE thread = CreateThread(nullptr, 1000, threadProc, start, CREATE_SUSPENDED, &id);
    if (thread == nullptr) {
        delete start;
        return nullptr;
    }
    m_thread = thread;
    m_thread_id = id;
    m_stop = 0;
    // A previous thread that sleeps wakes up and sees that its playback is over.
    SetEvent(m_wake_event);
    ResumeThread(thread);
    return thread;
}

void WinApiSoundPlayer::requestStop()
{
    m_stop = 1;
    if (m_wake_event != nullptr)
        SetEvent(m_wake_event);
}

void WinApiSoundPlayer::setItem(const PlayItem& item)
{
    currentBuffer().m_item.assign(item);
}

bool WinApiSoundPlayer::shutdown(DWORD timeout)
{
    const DWORD begin = GetTickCount();
    requestStop();
    {
        // Waits for a notification under way; none comes after it.
        CriticalSectionLock lock(g_player_lock);
        m_closing = 1;
    }
    if (m_thread != nullptr) {
        if (WaitForSingleObject(m_thread, timeout) != WAIT_OBJECT_0) {
            debugOutput("WinApiSoundPlayer::shutdown the player thread did not end");
            return false;
        }
        CloseHandle(m_thread);
        m_thread = nullptr;
        m_thread_id = 0;
    }
    bool withdraw = false;
    {
        CriticalSectionLock lock(g_player_lock);
        withdraw = queuedBlockCount() != 0;
    }
    // Withdrawn blocks come back as completions, which release them. A reset
    // would also drop sound that was reported played but is still on its way.
    if (withdraw && m_open_device != nullptr)
        waveOutReset(m_open_device);
    if (!waitUntilIdle(remainingTime(begin, timeout))) {
        debugOutput("WinApiSoundPlayer::shutdown the queued blocks did not come back");
        return false;
    }
    if (!stopCompletionThread(remainingTime(begin, timeout))) {
        debugOutput("WinApiSoundPlayer::shutdown the completion thread did not end");
        return false;
    }
    closeDeviceAndTrack();
    CriticalSectionLock lock(g_player_lock);
    m_closing = 0;
    return true;
}

DWORD WinApiSoundPlayer::remainingTime(DWORD begin, DWORD timeout)
{
    if (timeout == INFINITE)
        return INFINITE;
    const DWORD elapsed = GetTickCount() - begin;
    return elapsed < timeout ? timeout - elapsed : 0;
}

uint32_t WinApiSoundPlayer::queuedBlockCount() const
{
    uint32_t count = 0;
    for (const WinApiWavBufferAttr& slot : m_buffers)
        count += slot.m_queued != 0 ? 1 : 0;
    return count;
}

bool WinApiSoundPlayer::waitUntilIdle(DWORD timeout)
{
    const DWORD begin = GetTickCount();
    if (m_thread != nullptr && WaitForSingleObject(m_thread, timeout) != WAIT_OBJECT_0)
        return false;
    // No player thread is left to wait on the wake event.
    for (;;) {
        {
            CriticalSectionLock lock(g_player_lock);
            if (queuedBlockCount() == 0)
                return true;
        }
        const DWORD remaining = remainingTime(begin, timeout);
        if (remaining == 0)
            return false;
        WaitForSingleObject(m_wake_event, remaining);
    }
}

DWORD WINAPI WinApiSoundPlayer::threadProc(LPVOID param)
{
    PlayerThreadStart* start = static_cast<PlayerThreadStart*>(param);
    WinApiSoundPlayer* player = start->player;
    HANDLE previous = start->previous;
    delete start;
    // One playback at a time: the previous thread was told to end and does so
    // at its next check.
    if (previous != nullptr) {
        WaitForSingleObject(previous, INFINITE);
        CloseHandle(previous);
    }
    player->runPlayback();
    return 1;
}

bool WinApiSoundPlayer::isStopped() const
{
    return m_stop != 0 || m_thread_id != GetCurrentThreadId();
}

void WinApiSoundPlayer::runPlayback()
{
    if (isStopped() || !startCompletionThread())
        return;
    // Blocks of the previous playback may still be queued: no slot is refilled
    // before they have played.
    if (!waitForAllBlocks())
        return;
    {
        CriticalSectionLock lock(g_player_lock);
        m_current = 0;
        m_start_pending = 1;
    }
    bool cont = firstItem();
    while (cont && !isStopped()) {
        if (!openItemFile()) {
            if (!isStopped())
                onAudioFileMissing();
            break;
        }
        if (!playItem())
            break;
        // nextItem stores into the current slot, which must be free for it.
        if (!waitForFreeSlot())
            break;
        cont = nextItem();
    }
    // What was queued plays out.
    startPausedDevice();
    releaseItemNames();
}

bool WinApiSoundPlayer::startCompletionThread()
{
    if (m_completion_thread != nullptr)
        return true;
    m_completion_thread = CreateThread(nullptr, 0, completionThreadProc, this, 0, &m_completion_thread_id);
    if (m_completion_thread == nullptr)
        return false;
    WaitForSingleObject(m_completion_ready, INFINITE);
    return true;
}

bool WinApiSoundPlayer::stopCompletionThread(DWORD timeout)
{
    if (m_completion_thread == nullptr)
        return true;
    PostThreadMessageW(m_completion_thread_id, WM_QUIT, 0, 0);
    if (WaitForSingleObject(m_completion_thread, timeout) != WAIT_OBJECT_0)
        return false;
    CloseHandle(m_completion_thread);
    m_completion_thread = nullptr;
    m_completion_thread_id = 0;
    return true;
}

DWORD WINAPI WinApiSoundPlayer::completionThreadProc(LPVOID param)
{
    WinApiSoundPlayer* player = static_cast<WinApiSoundPlayer*>(param);
    MSG msg;
    // Makes the thread's message queue before anyone posts to it.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(player->m_completion_ready);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == BlockDoneMessage)
            player->onBufferDone(static_cast<uint32_t>(msg.wParam));
    }
    return 0;
}

void CALLBACK WinApiSoundPlayer::waveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                             DWORD_PTR param2)
{
    (void)device;
    (void)param2;
    if (message != WOM_DONE)
        return;
    // The callback may call hardly anything (other wave calls can deadlock):
    // it only hands the finished block on.
    const WinApiSoundPlayer* player = reinterpret_cast<const WinApiSoundPlayer*>(instance);
    const WAVEHDR* header = reinterpret_cast<const WAVEHDR*>(param1);
    PostThreadMessageW(player->m_completion_thread_id, BlockDoneMessage, header->dwUser, 0);
}

bool WinApiSoundPlayer::waitForFreeSlot()
{
    return waitForSlots(false);
}

bool WinApiSoundPlayer::waitForAllBlocks()
{
    return waitForSlots(true);
}

bool WinApiSoundPlayer::waitForSlots(bool allSlots)
{
    for (;;) {
        if (isStopped())
            return false;
        {
            CriticalSectionLock lock(g_player_lock);
            const bool free = allSlots ? queuedBlockCount() == 0 : currentBuffer().m_queued == 0;
            if (free)
                return true;
        }
        // Nothing completes on a device that has not started.
        startPausedDevice();
        // A completion between the test and the wait leaves the event set, so
        // the wait ends at once and the test runs again.
        WaitForSingleObject(m_wake_event, INFINITE);
    }
}

void WinApiSoundPlayer::inheritPrevBuffer()
{
    currentBuffer().m_item.assign(prevBuffer().m_item);
    currentBuffer().m_hwaveout = prevBuffer().m_hwaveout;
}

void WinApiSoundPlayer::markQueuedAndAdvance()
{
    currentBuffer().m_queued = 1;
    m_current = nextIndex(m_current);
}

void WinApiSoundPlayer::releaseItemNames()
{
    for (WinApiWavBufferAttr& slot : m_buffers)
        slot.m_item.freeFileName();
    // The next playback opens its first track anew.
    m_open_track.freeFileName();
}

void WinApiSoundPlayer::startPausedDevice()
{
    if (m_device_paused == 0)
        return;
    waveOutRestart(m_open_device);
    m_device_paused = 0;
}

void WinApiSoundPlayer::retireDevice()
{
    m_device_paused = 0;
    // Closed one track later: an output may still be sending the end of a
    // block it has reported done, and closing it at once can cut that off.
    if (m_previous_device != nullptr)
        waveOutClose(m_previous_device);
    m_previous_device = m_open_device;
    m_open_device = nullptr;
}

void WinApiSoundPlayer::closeDeviceAndTrack()
{
    if (m_hmmio != nullptr) {
        mmioClose(m_hmmio, 0);
        m_hmmio = nullptr;
    }
    retireDevice();
    retireDevice();
    m_open_track.freeFileName();
}

bool WinApiSoundPlayer::openItemFile()
{
    WinApiWavBufferAttr& current = currentBuffer();
    // Compared with the track that is open, not with the previous slot's item:
    // an item that played nothing may have opened another track.
    if (m_hmmio != nullptr && sameFileName(current.m_item.fileName(), m_open_track.fileName())) {
        current.m_hwaveout = m_open_device;
        return true;
    }
    if (m_hmmio != nullptr) {
        mmioClose(m_hmmio, 0);
        m_hmmio = nullptr;
    }
    // The new track gets a device of its own once every block of the previous
    // one has played.
    if (!waitForAllBlocks())
        return false;
    retireDevice();
    return openWaveFile();
}

bool WinApiSoundPlayer::playItem()
{
    computeByteRange();
    // An item with no sound in the track plays nothing and raises nothing.
    if (isRangeEnd())
        return true;
    seekToStartByte();
    bool first = true;
    for (;;) {
        // Sleeps while the ring is full.
        if (!waitForFreeSlot())
            return false;
        const BlockResult result = queueNextBlock(first);
        if (result == BlockFailed)
            endItemEarly(!first);
        if (result == BlockFailed || result == BlockStopped)
            return false;
        if (result == LastBlockQueued)
            return true;
        first = false;
    }
}

WinApiSoundPlayer::BlockResult WinApiSoundPlayer::queueNextBlock(bool firstOfItem)
{
    // Every slot that holds a block of the item holds the item and its device.
    if (!firstOfItem)
        inheritPrevBuffer();
    WinApiWavBufferAttr& slot = currentBuffer();
    const uint32_t n = AllocNecessaryBuffer(slot);
    if (n == 0)
        return BlockFailed;

    CriticalSectionLock lock(g_player_lock);
    // Tested again under the lock: once a stop has been requested, not one
    // more block is handed over.
    if (isStopped()) {
        slot.releaseBlock();
        return BlockStopped;
    }
    WAVEHDR& header = slot.m_wav_header;
    if (mmioRead(m_hmmio, header.lpData, static_cast<LONG>(n)) != static_cast<LONG>(n)) {
        slot.releaseBlock();
        return BlockFailed;
    }
    header.dwBufferLength = n;
    header.dwBytesRecorded = 0;
    header.dwLoops = 1;
    header.dwUser = m_current;
    header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    if (waveOutPrepareHeader(slot.m_hwaveout, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        slot.releaseBlock();
        return BlockFailed;
    }
    slot.m_last_block = isRangeEnd() ? 1 : 0;
    // Queued before the hand-over, so that its completion finds it queued.
    slot.m_queued = 1;
    if (waveOutWrite(slot.m_hwaveout, &header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        slot.m_queued = 0;
        waveOutUnprepareHeader(slot.m_hwaveout, &header, sizeof(WAVEHDR));
        slot.releaseBlock();
        return BlockFailed;
    }
    markQueuedAndAdvance();
    if (queuedBlockCount() >= DeviceStartBlocks)
        startPausedDevice();
    // The item begins to sound now: the first of a playback, or one whose
    // predecessor finished before this block was handed over.
    if (m_start_pending != 0) {
        m_start_pending = 0;
        onSegmentStarted(slot.m_item.segment());
    }
    return slot.m_last_block != 0 ? LastBlockQueued : BlockQueued;
}

void WinApiSoundPlayer::endItemEarly(bool blocksQueued)
{
    if (!blocksQueued)
        return;
    CriticalSectionLock lock(g_player_lock);
    // The item ends with the last block that was handed over.
    WinApiWavBufferAttr& last = prevBuffer();
    if (last.m_queued != 0)
        last.m_last_block = 1;
    else if (m_closing == 0)
        onSegmentFinished(last.m_item.segment());
}

uint32_t WinApiSoundPlayer::AllocNecessaryBuffer(WinApiWavBufferAttr& slot)
{
    uint32_t n = nextBlockBytes(m_end_byte - m_read_pos, m_wave_format.nBlockAlign);
    if (slot.m_wav_header.lpData != nullptr) {
        debugOutput("WinApiSoundPlayer::AllocNecessaryBuffer r_p_buffer != NULL before allocation");
        slot.releaseBlock();
    }
    slot.m_wav_header.lpData = new (std::nothrow) char[n]();
    if (slot.m_wav_header.lpData == nullptr)
        n = 0;
    m_read_pos += n;
    return n;
}

void WinApiSoundPlayer::onBufferDone(uint32_t i)
{
    if (i >= BufferCount)
        return;
    CriticalSectionLock lock(g_player_lock);
    deleteUnpreparePrevBuffer(i);
    ++m_completed_blocks;
    const WinApiWavBufferAttr& slot = m_buffers[i];
    if (slot.m_last_block != 0 && m_closing == 0) {
        onSegmentFinished(slot.m_item.segment());
        // The next item begins to sound once its first block is out; when it is
        // not out yet, the player thread reports its start as it hands it over.
        const WinApiWavBufferAttr& next = m_buffers[nextIndex(i)];
        if (next.m_queued != 0)
            onSegmentStarted(next.m_item.segment());
        else
            m_start_pending = 1;
    }
    SetEvent(m_wake_event);
}

void WinApiSoundPlayer::deleteUnpreparePrevBuffer(uint32_t i)
{
    WinApiWavBufferAttr& slot = m_buffers[i];
    waveOutUnprepareHeader(slot.m_hwaveout, &slot.m_wav_header, sizeof(WAVEHDR));
    if (!slot.releaseBlock())
        debugOutput("WinApiSoundPlayer::deleteUnpreparePrevBuffer m_wav_header.lpData == NULL");
    slot.m_queued = 0;
}
