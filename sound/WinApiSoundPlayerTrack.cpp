// The members of WinApiSoundPlayer that deal with one track: opening it,
// its duration, and the byte range of an item.
#include "sound/WinApiSoundPlayer.h"

#include "core/TraceLine.h"
#include "sound/PlayerGlobals.h"
#include "sound/TrackByteRange.h"

bool WinApiSoundPlayer::openWaveFile()
{
    WinApiWavBufferAttr& current = currentBuffer();
    FileNameChar* name = const_cast<FileNameChar*>(current.m_item.fileName());
    if (name == nullptr)
        return false;
    // mmioOpenW in the wide build, mmioOpenA with the 8-bit name in the narrow one.
    m_hmmio = mmioOpen(name, nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (m_hmmio == nullptr)
        return false;

    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    bool ok = mmioDescend(m_hmmio, &riff, nullptr, MMIO_FINDRIFF) == 0;
    MMCKINFO chunk = {};
    if (ok) {
        chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
        ok = mmioDescend(m_hmmio, &chunk, &riff, MMIO_FINDCHUNK) == 0;
    }
    HWAVEOUT device = nullptr;
    if (ok) {
        WAVEFORMATEX format = {};
        const LONG length = chunk.cksize < sizeof(format) ? static_cast<LONG>(chunk.cksize) : sizeof(format);
        mmioRead(m_hmmio, reinterpret_cast<HPSTR>(&format), length);
        mmioAscend(m_hmmio, &chunk, 0);
        // Only the plain record is kept: the extra bytes of other formats are not.
        format.cbSize = 0;
        m_wave_format = format;

        chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
        const bool hasData = mmioDescend(m_hmmio, &chunk, &riff, MMIO_FINDCHUNK) == 0;
        m_data_size = hasData ? chunk.cksize : 0;
        m_data_offset = hasData ? static_cast<LONG>(chunk.dwDataOffset) : 0;
        // A cut-off file holds less sound than its chunk announces.
        const LONG fileEnd = mmioSeek(m_hmmio, 0, SEEK_END);
        if (hasData && fileEnd >= m_data_offset && static_cast<DWORD>(fileEnd - m_data_offset) < m_data_size)
            m_data_size = static_cast<DWORD>(fileEnd - m_data_offset);
        setFileDuration(m_data_size, m_wave_format);

        // A track without sound, or a format no device takes, cannot be played.
        ok = hasData && m_wave_format.nAvgBytesPerSec != 0 &&
             waveOutOpen(&device, WAVE_MAPPER, &m_wave_format, reinterpret_cast<DWORD_PTR>(&waveOutProc),
                         reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR;
    }
    if (!ok) {
        mmioClose(m_hmmio, 0);
        m_hmmio = nullptr;
        return false;
    }
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
    mmioSeek(m_hmmio, m_data_offset + static_cast<LONG>(m_start_byte), SEEK_SET);
}
