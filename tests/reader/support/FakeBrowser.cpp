// Stands in for the web browser in the test prefix: appends one line for
// each start to the log named by TAVREMS_BROWSER_LOG (else fake-browser.log
// beside the program): the first argument, the argument count, the
// program's own path and its process's creation time, separated by tabs, in
// UTF-8. Starts made one after the other may log in another order; their
// creation times keep it. Also serves as the dictionary's setup program.
//
// Under Wine two appends from two processes at the same moment can land at
// the same end offset, one line over the other: a start holds the log to
// itself while it appends, and the others wait for it.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

// Opens the log for appending, shared with readers only; waits while
// another start has it (up to 30 s: then the start fails, with code 1).
HANDLE openLogAlone(const wchar_t* name)
{
    for (int tries = 0; tries < 3000; ++tries) {
        HANDLE log = CreateFileW(name, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
        if (log != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            return log;
        Sleep(10);
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    wchar_t self[MAX_PATH] = {0};
    GetModuleFileNameW(nullptr, self, MAX_PATH);

    wchar_t logName[MAX_PATH] = {0};
    if (GetEnvironmentVariableW(L"TAVREMS_BROWSER_LOG", logName, MAX_PATH) == 0) {
        std::wstring beside(self);
        beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"fake-browser.log";
        lstrcpynW(logName, beside.c_str(), MAX_PATH);
    }
    FILETIME created = {0, 0};
    FILETIME unused[3];
    GetProcessTimes(GetCurrentProcess(), &created, &unused[0], &unused[1], &unused[2]);
    const unsigned long long createdAt =
        (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;

    const std::wstring first = argc > 1 && argv != nullptr ? argv[1] : L"";
    const std::string line =
        utf8(first) + "\t" + std::to_string(argc - 1) + "\t" + utf8(self) + "\t" + std::to_string(createdAt) + "\n";

    HANDLE log = openLogAlone(logName);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const bool whole = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                       written == line.size();
    CloseHandle(log);
    return whole ? 0 : 1;
}
