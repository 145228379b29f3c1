#include "ReaderProcess.h"

#include <cstdio>
#include <vector>

#include "ReaderTestSupport.h"

namespace {

// Long enough for a loaded machine; a wait ends as soon as its state is reached.
const DWORD Limit = 20000;

// These waits have no test to fail: they say on the error output what did not come.
void waitOrSay(const std::function<bool()>& done, const char* what)
{
    if (!waitFor(done, Limit)) {
        std::fprintf(stderr, "ReaderProcess: waited %lu ms in vain for %s\n", static_cast<unsigned long>(Limit), what);
        std::fflush(stderr);
    }
}

struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {0};
    GetClassNameW(hwnd, name, 64);
    if (pid == search->pid && IsWindowVisible(hwnd) && lstrcmpW(name, search->className) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void sendInputs(std::vector<INPUT>& inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT mouseInput(DWORD flags, DWORD data = 0)
{
    INPUT in;
    ZeroMemory(&in, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    return in;
}

INPUT keyInput(WORD vk, WORD scan, DWORD flags)
{
    INPUT in;
    ZeroMemory(&in, sizeof(in));
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    return in;
}

} // namespace

HWND findProcessWindow(DWORD pid, const wchar_t* className)
{
    WindowSearch search{pid, className, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ReaderProcess::~ReaderProcess()
{
    kill();
}

bool ReaderProcess::start(const std::wstring& program, const std::wstring& directory)
{
    if (!startProcess(program, L"\"" + program + L"\"", directory, m_process))
        return false;
    WaitForInputIdle(m_process.hProcess, Limit);
    waitOrSay(
        [this] {
            m_window = findProcessWindow(m_process.dwProcessId, L"Tavrem");
            return m_window != nullptr && IsZoomed(m_window);
        },
        "the program's shown, maximised main window");
    if (m_window == nullptr)
        return false;
    sync();
    return true;
}

// A click injected right after the cursor was moved may still get the old
// position (Wine updates it late while the window's thread is busy): wait
// until the cursor is where the click must go.
void ReaderProcess::moveCursorTo(int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(m_window, &p);
    SetCursorPos(p.x, p.y);
    waitOrSay(
        [&] {
            POINT now = {0, 0};
            GetCursorPos(&now);
            return now.x == p.x && now.y == p.y;
        },
        "the cursor at the point to click");
}

void ReaderProcess::focus()
{
    SetForegroundWindow(m_window);
    waitOrSay([this] { return GetForegroundWindow() == m_window; }, "the program's window in the foreground");
}

void ReaderProcess::sync()
{
    // A sent message is handled after everything queued before it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, Limit, &result);
}

void ReaderProcess::key(WORD virtualKey)
{
    focus();
    std::vector<INPUT> inputs = {keyInput(virtualKey, 0, 0), keyInput(virtualKey, 0, KEYEVENTF_KEYUP)};
    sendInputs(inputs);
}

void ReaderProcess::keys(std::initializer_list<WORD> virtualKeys)
{
    focus();
    for (WORD vk : virtualKeys) {
        std::vector<INPUT> inputs = {keyInput(vk, 0, 0), keyInput(vk, 0, KEYEVENTF_KEYUP)};
        sendInputs(inputs);
    }
}

void ReaderProcess::typeChar(wchar_t c)
{
    focus();
    std::vector<INPUT> inputs = {keyInput(0, c, KEYEVENTF_UNICODE), keyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
    sendInputs(inputs);
}

void ReaderProcess::wheel(int delta)
{
    focus();
    RECT r;
    GetClientRect(m_window, &r);
    moveCursorTo(r.right / 2, r.bottom / 2);
    std::vector<INPUT> inputs = {mouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta))};
    sendInputs(inputs);
}

void ReaderProcess::click(int x, int y, DWORD down, DWORD up)
{
    focus();
    moveCursorTo(x, y);
    std::vector<INPUT> inputs = {mouseInput(down), mouseInput(up)};
    sendInputs(inputs);
}

void ReaderProcess::doubleClick(int x, int y)
{
    focus();
    moveCursorTo(x, y);
    // In one go: nothing may come between the two clicks.
    std::vector<INPUT> inputs = {mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP),
                                 mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)};
    sendInputs(inputs);
}

void ReaderProcess::middleClick(int x, int y)
{
    click(x, y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
}

bool ReaderProcess::middleClickAt(int x, const std::function<int()>& y)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(m_window, &client);
    // Off the client area the cursor cannot get there.
    auto inside = [&](int row) { return row >= 0 && row < client.bottom; };
    focus();
    int row = y();
    if (!inside(row))
        return false;
    moveCursorTo(x, row);
    // The page may have moved on while the cursor did (a few tries: it moves
    // a step at a time, far slower than the cursor).
    for (int tries = 0; tries < 10 && y() != row; ++tries) {
        row = y();
        if (!inside(row))
            return false;
        moveCursorTo(x, row);
    }
    std::vector<INPUT> inputs = {mouseInput(MOUSEEVENTF_MIDDLEDOWN), mouseInput(MOUSEEVENTF_MIDDLEUP)};
    sendInputs(inputs);
    return true;
}

void ReaderProcess::leftClick(int x, int y)
{
    click(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void ReaderProcess::rightClick(int x, int y)
{
    click(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void ReaderProcess::postCommand(UINT id)
{
    PostMessageW(m_window, WM_COMMAND, id, 0);
}

void ReaderProcess::sendScroll(WORD request, WORD position)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_window, WM_VSCROLL, MAKEWPARAM(request, position), 0, SMTO_NORMAL, Limit, &result);
}

LRESULT ReaderProcess::sendCommand(UINT id)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_window, WM_COMMAND, id, 0, SMTO_NORMAL, Limit, &result);
    return static_cast<LRESULT>(result);
}

void ReaderProcess::rightClicks(std::initializer_list<POINT> points)
{
    focus();
    for (POINT p : points) {
        moveCursorTo(p.x, p.y);
        std::vector<INPUT> inputs = {mouseInput(MOUSEEVENTF_RIGHTDOWN), mouseInput(MOUSEEVENTF_RIGHTUP)};
        sendInputs(inputs);
    }
}

std::wstring ReaderProcess::title() const
{
    wchar_t text[1024] = {0};
    GetWindowTextW(m_window, text, 1024);
    return text;
}

bool ReaderProcess::waitForExit(DWORD limitMs, DWORD& exitCode)
{
    if (m_process.hProcess == nullptr)
        return false;
    if (WaitForSingleObject(m_process.hProcess, limitMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(m_process.hProcess, &exitCode);
    return true;
}

void ReaderProcess::kill()
{
    if (m_process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
    m_process = PROCESS_INFORMATION();
    m_window = nullptr;
}

namespace {

struct TextSearch {
    const wchar_t* text;
    bool found;
};

BOOL CALLBACK matchText(HWND child, LPARAM param)
{
    TextSearch* search = reinterpret_cast<TextSearch*>(param);
    wchar_t text[256] = {0};
    GetWindowTextW(child, text, 256);
    if (lstrcmpW(text, search->text) == 0) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool dialogHasText(HWND dialog, const wchar_t* text)
{
    TextSearch search{text, false};
    EnumChildWindows(dialog, matchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
