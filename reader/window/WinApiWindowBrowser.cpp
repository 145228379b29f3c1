#include "reader/window/WinApiWindow.h"

#include <new>

#include "core/WinApiCriticalSection.h"
#include "reader/window/BrowserCommand.h"
#include "reader/window/DictionaryLanguages.h"

namespace {

const PlatformChar BrowserCommandKey[] = TEXT("http\\shell\\open\\command");
const DWORD RegistryValueUnits = 1000;

// The player's thread starts the browser too: the first filling of the cache
// is made under this lock.
WinApiCriticalSection g_browser_path_lock;
PlatformChar* g_browser_path = nullptr;

PlatformChar* readBrowserPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, BrowserCommandKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    PlatformChar value[RegistryValueUnits];
    DWORD type = 0;
    DWORD bytes = sizeof(value);
    const LONG status = RegQueryValueEx(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return nullptr;
    // The value need not end in a zero: only the returned length counts.
    const uint32_t units = bytes / sizeof(PlatformChar);
    PlatformChar* path = new (std::nothrow) PlatformChar[RegistryValueUnits];
    if (path == nullptr)
        return nullptr;
    if (!browserPathFromCommand(value, units, path, RegistryValueUnits)) {
        delete[] path;
        return nullptr;
    }
    return path;
}

} // namespace

const PlatformChar* getBrowserPath()
{
    CriticalSectionLock lock(g_browser_path_lock);
    if (g_browser_path == nullptr)
        g_browser_path = readBrowserPath();
    return g_browser_path;
}

const char16_t* WinApiWindow::dictionaryLanguageCode(uint32_t index)
{
    return ::dictionaryLanguageCode(index);
}

void WinApiWindow::lookUpWord(const CellChar* word, uint32_t targetLanguage, uint32_t interfaceLanguage)
{
    char16_t address[LookupAddressCapacity];
    buildLookupAddress(word, targetLanguage, interfaceLanguage, address, LookupAddressCapacity);
    openInBrowser(getBrowserPath(), address);
}

void WinApiWindow::openInBrowser(const PlatformChar* path, const char16_t* address)
{
    try {
        PlatformChar* commandLine = newBrowserCommandLine(path, address);
        if (commandLine == nullptr)
            return;
        STARTUPINFO si;
        ZeroMemory(&si, sizeof(si));
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi;
        ZeroMemory(&pi, sizeof(pi));
        if (CreateProcess(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        delete[] commandLine;
    } catch (...) {
        // A browser that cannot be started is no error for the user.
    }
}
