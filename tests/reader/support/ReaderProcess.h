#pragma once

// Drives a reader program in another process as a user would: keys, wheel
// and clicks through SendInput, commands posted to its window, its pixels
// read from the window's device context.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

class ReaderProcess {
public:
    ReaderProcess() = default;
    ~ReaderProcess();
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    // Starts the program in `directory` and waits for its shown main window.
    bool start(const std::wstring& program, const std::wstring& directory);
    HWND window() const { return m_window; }
    DWORD processId() const { return m_process.dwProcessId; }

    void key(WORD virtualKey);
    // Several keys in a row, to one focus (a menu opened by the first stays open).
    void keys(std::initializer_list<WORD> virtualKeys);
    void typeChar(wchar_t c);
    void wheel(int delta);
    void click(int x, int y, DWORD down, DWORD up); // client coordinates
    void doubleClick(int x, int y);
    void middleClick(int x, int y);
    // A middle click at x and at the client row that `y` answers just before
    // the click goes: on a page that moves by itself. False, and no click,
    // once the row has left the client area.
    bool middleClickAt(int x, const std::function<int()>& y);
    void leftClick(int x, int y);
    void rightClick(int x, int y);
    // Right clicks at several points in one go, as fast as the input allows.
    void rightClicks(std::initializer_list<POINT> points);
    void postCommand(UINT id);
    // A scroll bar request, handled before this returns.
    void sendScroll(WORD request, WORD position);
    LRESULT sendCommand(UINT id);
    std::wstring title() const;

    // Waits until the other thread has handled what was sent before (not
    // what was posted or typed: those come after sent messages).
    void sync();
    // Waits for the process to end; false after the limit.
    bool waitForExit(DWORD limitMs, DWORD& exitCode);
    void kill();

private:
    void focus();
    void moveCursorTo(int x, int y); // client coordinates

    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

// The top-level window of class `className` that process `pid` shows, or null.
HWND findProcessWindow(DWORD pid, const wchar_t* className);
// The text of the first static control of a dialog that holds `text`.
bool dialogHasText(HWND dialog, const wchar_t* text);
