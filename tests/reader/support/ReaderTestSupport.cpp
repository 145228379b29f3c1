#include "ReaderTestSupport.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

bool readFileBytes(const std::wstring& path, std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return true;
}

bool waitFor(const std::function<bool()>& done, DWORD limitMs)
{
    const ULONGLONG end = GetTickCount64() + limitMs;
    for (;;) {
        pumpMessages();
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void pumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool startProcess(const std::wstring& program, const std::wstring& commandLine, const std::wstring& directory,
                  PROCESS_INFORMATION& process)
{
    const int Tries = 5;
    for (int tries = 1;; ++tries) {
        STARTUPINFOW si;
        ZeroMemory(&si, sizeof(si));
        si.cb = sizeof(si);
        // CreateProcessW may write into the command line.
        std::wstring line = commandLine;
        if (CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &si,
                           &process))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || tries == Tries) {
            std::fprintf(stderr, "CreateProcess of %ls in %ls failed with error %lu\n", program.c_str(),
                         directory.c_str(), static_cast<unsigned long>(error));
            std::fflush(stderr);
            SetLastError(error);
            return false;
        }
        std::fprintf(stderr, "CreateProcess of %ls was refused with error %lu: trying again\n", program.c_str(),
                     static_cast<unsigned long>(error));
        std::fflush(stderr);
        Sleep(100);
    }
}

bool runProgram(const std::wstring& program, const std::wstring& argument, const std::wstring& directory,
                DWORD& exitCode)
{
    PROCESS_INFORMATION pi;
    if (!startProcess(program, L"\"" + program + L"\" \"" + argument + L"\"", directory, pi))
        return false;
    const bool ended = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended;
}

std::string layoutDumpOf(const char* tool, const std::wstring& edition, const std::wstring& path, std::string& why)
{
    const std::wstring program = environmentPath(tool);
    std::string dump;
    DWORD code = 99;
    DeleteFileW(path.c_str());
    if (program.empty())
        why = std::string(tool) + " names no program";
    else if (!runProgram(program, path, edition, code))
        why = "the dump tool did not start or did not end";
    else if (code != 0)
        why = "the dump tool ended with " + std::to_string(code);
    else if (!readFileBytes(path, dump) || dump.empty())
        why = "no dump written";
    return why.empty() ? dump : std::string();
}

namespace {

// Whether a process runs a program of the system directory: Wine's own
// (its desktop, its services), which a program may start and which run on.
bool runsSystemProgram(HANDLE process)
{
    wchar_t system[MAX_PATH] = {0};
    wchar_t image[MAX_PATH] = {0};
    DWORD size = MAX_PATH;
    const UINT n = GetSystemDirectoryW(system, MAX_PATH);
    return n > 0 && QueryFullProcessImageNameW(process, 0, image, &size) && size > n &&
           CompareStringOrdinal(image, static_cast<int>(n), system, static_cast<int>(n), TRUE) == CSTR_EQUAL &&
           image[n] == L'\\';
}

// The names of the processes that `parent` started and that still run (one
// that ended may still be listed while a handle to it is open).
std::string runningChildProcesses(DWORD parent)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return "(no process list)";
    std::string names;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID != parent || entry.th32ProcessID == parent)
            continue;
        HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (child != nullptr) {
            if (WaitForSingleObject(child, 0) == WAIT_TIMEOUT && !runsSystemProgram(child)) {
                for (const wchar_t* c = entry.szExeFile; *c != 0; ++c)
                    names.push_back(*c < 128 ? static_cast<char>(*c) : '?');
                names += " ";
            }
            CloseHandle(child);
        }
    }
    CloseHandle(snapshot);
    return names;
}

} // namespace

std::string waitForChildProcessesToEnd(DWORD parent, DWORD limitMs)
{
    std::string running;
    if (waitFor([&] { return (running = runningChildProcesses(parent)).empty(); }, limitMs))
        return std::string();
    return "still running after " + std::to_string(limitMs) + " ms: " + running;
}

std::wstring currentDirectory()
{
    wchar_t dir[MAX_PATH] = {0};
    GetCurrentDirectoryW(MAX_PATH, dir);
    return dir;
}

std::wstring useFreshBrowserLog(const wchar_t* name)
{
    const std::wstring path = currentDirectory() + L"\\" + name;
    DeleteFileW(path.c_str());
    SetEnvironmentVariableW(L"TAVREMS_BROWSER_LOG", path.c_str());
    return path;
}

std::vector<BrowserStart> readBrowserLog(const std::wstring& path)
{
    std::vector<BrowserStart> starts;
    std::string text;
    if (!readFileBytes(path, text))
        return starts;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab1 = line.find('\t');
        const size_t tab2 = line.find('\t', tab1 + 1);
        const size_t tab3 = line.find('\t', tab2 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos || tab3 == std::string::npos)
            continue;
        BrowserStart s;
        s.address = line.substr(0, tab1);
        s.argumentCount = std::atoi(line.substr(tab1 + 1, tab2 - tab1 - 1).c_str());
        s.program = line.substr(tab2 + 1, tab3 - tab2 - 1);
        s.createdAt = std::strtoull(line.substr(tab3 + 1).c_str(), nullptr, 10);
        starts.push_back(s);
    }
    std::stable_sort(starts.begin(), starts.end(),
                     [](const BrowserStart& a, const BrowserStart& b) { return a.createdAt < b.createdAt; });
    return starts;
}

std::string describeBrowserLog(const std::wstring& path)
{
    std::string text;
    if (!readFileBytes(path, text))
        return "the browser log is missing";
    // One line each, with nothing for a failure message to escape: the
    // fields apart, the path with forward slashes. A last line without its
    // line end counts too.
    size_t count = 0;
    std::string lines;
    for (char c : text) {
        if (lines.empty() || lines.back() == '\n') {
            lines += "    ";
            ++count;
        }
        lines += c == '\t' ? std::string(" | ") : std::string(1, c == '\\' ? '/' : c);
    }
    if (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return "the browser log holds " + std::to_string(count) + (count == 1 ? " line" : " lines") +
           (lines.empty() ? "" : "\n") + lines;
}

std::string waitForBrowserStarts(const std::wstring& path, size_t count, DWORD limitMs)
{
    size_t held = 0;
    waitFor([&] { return (held = readBrowserLog(path).size()) >= count; }, limitMs);
    if (held == count)
        return std::string();
    return "awaited " + std::to_string(count) + (count == 1 ? " start" : " starts") +
           (held < count ? " for " + std::to_string(limitMs) + " ms: " : ": ") + describeBrowserLog(path);
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string browserArgument(const char16_t* address)
{
    std::string out;
    for (const char16_t* p = address + 1; *p != 0; ++p)
        out.push_back(static_cast<char>(*p));
    return out;
}

bool readSavedOffset(int32_t& offset)
{
    wchar_t text[64] = {0};
    GetPrivateProfileStringW(L"Start", L"OmbreluneVertshift", L"absent", text, 64, L"korvell.ini");
    if (lstrcmpW(text, L"absent") == 0)
        return false;
    offset = static_cast<int32_t>(std::wcstol(text, nullptr, 10));
    return true;
}

int32_t savedOffset()
{
    int32_t offset = -1;
    return readSavedOffset(offset) ? offset : -1;
}

bool savedOffsetIs(int32_t expected)
{
    int32_t offset = 0;
    return readSavedOffset(offset) && offset == expected;
}

void writeSavedOffset(const wchar_t* text)
{
    WritePrivateProfileStringW(L"Start", L"OmbreluneVertshift", text, L"korvell.ini");
}

Grab grabClient(HWND hwnd)
{
    Grab grab;
    RECT r = {0, 0, 0, 0};
    GetClientRect(hwnd, &r);
    grab.width = r.right;
    grab.height = r.bottom;
    if (grab.width <= 0 || grab.height <= 0)
        return grab;
    HDC windowDc = GetDC(hwnd);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = grab.width;
    bi.bmiHeader.biHeight = -grab.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memoryDc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memoryDc, dib);
    BitBlt(memoryDc, 0, 0, grab.width, grab.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    grab.pixels.assign(p, p + static_cast<size_t>(grab.width) * grab.height);
    for (uint32_t& px : grab.pixels)
        px &= 0x00FFFFFF;
    SelectObject(memoryDc, old);
    DeleteObject(dib);
    DeleteDC(memoryDc);
    ReleaseDC(hwnd, windowDc);
    return grab;
}

bool settledGrab(HWND hwnd, const std::function<bool(const Grab&)>& drawn, DWORD limitMs, Grab& grab)
{
    const int SameGrabs = 3;
    const ULONGLONG QuietMs = 300;
    int same = 0;
    ULONGLONG since = 0;
    return waitFor(
        [&] {
            Grab now = grabClient(hwnd);
            if (same > 0 && samePixels(now, grab)) {
                ++same;
            } else {
                same = 1;
                since = GetTickCount64();
                grab = std::move(now);
            }
            return same >= SameGrabs && GetTickCount64() - since >= QuietMs && drawn(grab);
        },
        limitMs);
}

bool samePixels(const Grab& a, const Grab& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

int countColor(const Grab& grab, int left, int top, int right, int bottom, uint32_t rgb)
{
    int n = 0;
    for (int y = top < 0 ? 0 : top; y < bottom && y < grab.height; ++y)
        for (int x = left < 0 ? 0 : left; x < right && x < grab.width; ++x)
            if (grab.at(x, y) == rgb)
                ++n;
    return n;
}

int countInk(const Grab& grab, int left, int top, int right, int bottom)
{
    int all = 0;
    for (int y = top < 0 ? 0 : top; y < bottom && y < grab.height; ++y)
        for (int x = left < 0 ? 0 : left; x < right && x < grab.width; ++x)
            ++all;
    return all - countColor(grab, left, top, right, bottom, 0xFFFFFF);
}

std::wstring windowsPath(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return path;
}

std::wstring environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::wstring() : windowsPath(value);
}

std::wstring demoEditionDirectory()
{
    const std::wstring dir = environmentPath("TAVREMS_DEMO_EDITION");
    if (dir.empty() || GetFileAttributesW((dir + L"\\book.txt").c_str()) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesW((dir + L"\\omblt45.wav").c_str()) == INVALID_FILE_ATTRIBUTES)
        return std::wstring();
    return dir;
}
