#pragma once

#include <windows.h>

#include <cstdint>

#include "reader/window/ReaderWindow.h"

// The application: owns the one reader window and turns the window's
// messages into calls of it.
class ReaderApp {
public:
    // The singleton, made on first use; null while no memory could be had
    // (the next call tries again).
    static ReaderApp* instance();

    // Creates the window, starts the reader and has the page painted; answers
    // 1, or 0 when there is no window (then nothing was read or written).
    int32_t init(HINSTANCE instance, int showCommand);
    ReaderWindow* reader() const { return m_reader; }

    virtual ~ReaderApp() = default;
    virtual LRESULT onCreate(HWND hwnd, LPARAM createParams);
    virtual LRESULT onPaint(HWND hwnd, HDC dc, const PAINTSTRUCT* ps);
    virtual LRESULT onTimer(HWND hwnd, WPARAM timerId, LPARAM lParam);
    virtual LRESULT onMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam, int32_t y);
    virtual LRESULT onSize(HWND hwnd);
    virtual LRESULT onLButtonDown();
    virtual LRESULT onRButtonDown();
    virtual LRESULT onLButtonDblClk();
    virtual LRESULT onMeasureItem(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT onCommand(HWND hwnd, uint32_t notification, WPARAM wParam, LPARAM lParam);
    virtual LRESULT onMenuCommand(HWND hwnd, WPARAM wParam, LPARAM lParam, int32_t reserved);
    // Inert: never called.
    virtual LRESULT spareHandler() { return 0; }
    virtual LRESULT onControlCommand(HWND hwnd, uint32_t notification, WPARAM wParam, HWND control);
    virtual LRESULT onKey(HWND hwnd, WPARAM key);
    virtual LRESULT onVScroll(HWND hwnd, uint32_t request, int16_t position);

    ReaderApp(const ReaderApp&) = delete;
    ReaderApp& operator=(const ReaderApp&) = delete;

private:
    ReaderApp();
    LRESULT onComboBoxCommand(HWND hwnd, uint32_t notification, WPARAM wParam, HWND control);
    void onComboSelEndOk(HWND hwnd, WPARAM wParam, HWND control);

    ReaderWindow* m_reader;
};

// The reader window, for the dialog procedures, which get no object.
extern ReaderWindow* g_reader_window;
