#include "sound/WinApiWavBufferAttr.h"

#include "sound/DebugOutput.h"

WinApiWavBufferAttr::WinApiWavBufferAttr() : m_hwaveout(nullptr), m_queued(0), m_last_block(0)
{
    m_wav_header.lpData = nullptr;
    m_wav_header.dwBufferLength = 0;
    m_wav_header.dwBytesRecorded = 0;
    m_wav_header.dwUser = static_cast<DWORD_PTR>(-1);
    m_wav_header.dwFlags = 0;
    m_wav_header.dwLoops = 1;
    m_wav_header.lpNext = nullptr;
    m_wav_header.reserved = 0;
}

WinApiWavBufferAttr::~WinApiWavBufferAttr()
{
    if (!releaseBlock())
        debugOutput("~WinApiWavBufferAttr m_wav_header.lpData == NULL");
}

bool WinApiWavBufferAttr::releaseBlock()
{
    if (m_wav_header.lpData == nullptr)
        return false;
    delete[] m_wav_header.lpData;
    m_wav_header.lpData = nullptr;
    return true;
}
