#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <mutex>
#endif

// Owns one platform critical section (a standard mutex in the native build).
// When no section could be obtained, lock and unlock do nothing.
class WinApiCriticalSection {
public:
    WinApiCriticalSection();
    virtual ~WinApiCriticalSection();

    WinApiCriticalSection(const WinApiCriticalSection&) = delete;
    WinApiCriticalSection& operator=(const WinApiCriticalSection&) = delete;

    void lock();
    void unlock();
    bool isValid() const { return m_section != nullptr; }

private:
#ifdef _WIN32
    CRITICAL_SECTION* m_section;
#else
    std::mutex* m_section;
#endif
};

// Holds a critical section locked for the life of a scope.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(WinApiCriticalSection& section) : m_section(&section) { m_section->lock(); }
    virtual ~CriticalSectionLock() { m_section->unlock(); }

    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    WinApiCriticalSection* m_section;
};
