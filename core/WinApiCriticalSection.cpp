#include "core/WinApiCriticalSection.h"

#ifdef _WIN32

WinApiCriticalSection::WinApiCriticalSection()
{
    // Sized by the platform's own structure: 24 bytes on 32-bit, 40 on 64-bit.
    m_section = static_cast<CRITICAL_SECTION*>(LocalAlloc(LMEM_ZEROINIT, sizeof(CRITICAL_SECTION)));
    if (m_section != nullptr)
        InitializeCriticalSection(m_section);
}

WinApiCriticalSection::~WinApiCriticalSection()
{
    if (m_section != nullptr) {
        DeleteCriticalSection(m_section);
        LocalFree(m_section);
        m_section = nullptr;
    }
}

void WinApiCriticalSection::lock()
{
    if (m_section != nullptr)
        EnterCriticalSection(m_section);
}

void WinApiCriticalSection::unlock()
{
    if (m_section != nullptr)
        LeaveCriticalSection(m_section);
}

#else

WinApiCriticalSection::WinApiCriticalSection() : m_section(new (std::nothrow) std::mutex)
{}

WinApiCriticalSection::~WinApiCriticalSection()
{
    delete m_section;
    m_section = nullptr;
}

void WinApiCriticalSection::lock()
{
    if (m_section != nullptr)
        m_section->lock();
}

void WinApiCriticalSection::unlock()
{
    if (m_section != nullptr)
        m_section->unlock();
}

#endif
