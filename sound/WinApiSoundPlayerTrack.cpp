// The members of WinApiSoundPlayer that deal with one track: opening it,
// its duration, and the byte range of an item.
#include "sound/WinApiSoundPlayer.h"

#include "core/TraceLine.h"
#include "sound/PlayerGlobals.h"
#include "sound/TrackByteRange.h"
#include "sound/TrackFormat.h"

namespace {

// Finds the chunk `id` (of form type `form`, unless 0) among the chunks from
// the read position of `file` up to the file offset `end`, and descends into
// it. mmioDescend's own search steps over each chunk by its size in 32-bit
// arithmetic: a size near 4 GB turns it back onto the same chunk or an
// earlier one, and it never ends. Here every step goes forward.
bool descendToChunk(HMMIO file, MMCKINFO& chunk, FOURCC id, FOURCC form, uint64_t end)
{
    for (;;) {
        const LONG at = mmioSeek(file, 0, SEEK_CUR);
        if (at < 0 || static_cast<uint64_t>(at) + 8 > end)
            return false;
        chunk = MMCKINFO();
        if (mmioDescend(file, &chunk, nullptr, 0) != MMSYSERR_NOERROR)
            return false;
        if (chunk.ckid == id && (form == 0 || chunk.fccType == form))
            return true;
        // Contents of odd size are followed by a pad byte.
        const uint64_t next = static_cast<uint64_t>(chunk.dwDataOffset) + chunk.cksize + (chunk.cksize & 1);
        if (next >= end)
            return false;
        mmioSeek(file, static_cast<LONG>(next), SEEK_SET);
    }
}

} // namespace

bool WinApiSoundPlayer::openWaveFile()
{
    WinApiWavBufferAttr& current = currentBuffer();
    PlatformChar* name = const_cast<PlatformChar*>(current.m_item.fileName());
    if (name == nullptr)
        return false;
    // mmioOpenW in the wide build, mmioOpenA with the 8-bit name in the narrow one.
    m_hmmio = mmioOpen(name, nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (m_hmmio == nullptr)
        return false;

    const LONG fileEnd = mmioSeek(m_hmmio, 0, SEEK_END);
    mmioSeek(m_hmmio, 0, SEEK_SET);
    MMCKINFO riff = {};
    bool ok = fileEnd > 0 &&
              descendToChunk(m_hmmio, riff, FOURCC_RIFF, mmioFOURCC('W', 'A', 'V', 'E'), static_cast<uint64_t>(fileEnd));
    // The form's chunks follow its type and end with it, or with the file.
    const uint64_t formStart = static_cast<uint64_t>(riff.dwDataOffset) + 4;
    uint64_t formEnd = static_cast<uint64_t>(riff.dwDataOffset) + riff.cksize;
    if (formEnd > static_cast<uint64_t>(fileEnd))
        formEnd = static_cast<uint64_t>(fileEnd);
    MMCKINFO chunk = {};
    ok = ok && descendToChunk(m_hmmio, chunk, mmioFOURCC('f', 'm', 't', ' '), 0, formEnd);
    HWAVEOUT device = nullptr;
    if (ok) {
        WAVEFORMATEX format = {};
        const LONG length = chunk.cksize < sizeof(format) ? static_cast<LONG>(chunk.cksize) : sizeof(format);
        mmioRead(m_hmmio, reinterpret_cast<HPSTR>(&format), length);
        // Only the plain record is kept: the extra bytes of other formats are not.
        format.cbSize = 0;
        m_wave_format = format;

        // Searched from the form's first chunk: it may come before "fmt ".
        mmioSeek(m_hmmio, static_cast<LONG>(formStart), SEEK_SET);
        const bool hasData = descendToChunk(m_hmmio, chunk, mmioFOURCC('d', 'a', 't', 'a'), 0, formEnd);
        m_data_size = hasData ? chunk.cksize : 0;
        m_data_offset = hasData ? static_cast<LONG>(chunk.dwDataOffset) : 0;
        // A cut-off file holds less sound than its chunk announces.
        if (hasData && static_cast<DWORD>(fileEnd - m_data_offset) < m_data_size)
            m_data_size = static_cast<DWORD>(fileEnd - m_data_offset);
        // A track without sound, or in a format the device is not trusted
        // with, cannot be played.
        const TrackFormat numbers = {format.wFormatTag,     format.nChannels,  format.nSamplesPerSec,
                                     format.nAvgBytesPerSec, format.nBlockAlign, format.wBitsPerSample};
        const bool playable = isPlayableFormat(numbers);
        // The output drops a part of a frame that ends the sound.
        if (playable)
            m_data_size -= m_data_size % format.nBlockAlign;
        setFileDuration(m_data_size, m_wave_format);

        ok = hasData && playable &&
             waveOutOpen(&device, WAVE_MAPPER, &m_wave_format, reinterpret_cast<DWORD_PTR>(&waveOutProc),
                         reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR;
    }
    if (!ok) {
        mmioClose(m_hmmio, 0);
        m_hmmio = nullptr;
        return false;
    }
    // Paused until enough blocks are queued to start it without running dry.
    waveOutPause(device);
    m_device_paused = 1;
    current.m_hwaveout = device;
    m_open_device = device;
    m_open_track.assign(current.m_item);
    return true;
}

void WinApiSoundPlayer::setFileDuration(uint32_t dataSize, WAVEFORMATEX format)
{
    g_file_duration.setMilliseconds(soundDurationMilliseconds(dataSize, format.nAvgBytesPerSec));
    TraceLine line;
    traceTime(line.appendText("File duration "), g_file_duration).endLine();
}

void WinApiSoundPlayer::computeByteRange()
{
    const PlayItem& item = currentBuffer().m_item;
    timeRangeToBytes(m_wave_format.nAvgBytesPerSec, m_wave_format.nBlockAlign, item.startMilliseconds(),
                     item.endMilliseconds(), m_data_size, m_start_byte, m_end_byte);
    m_read_pos = m_start_byte;
}

void WinApiSoundPlayer::seekToStartByte()
{
    // Called for a range that is not empty, which lies inside the file.
    mmioSeek(m_hmmio, m_data_offset + static_cast<LONG>(m_start_byte), SEEK_SET);
}
