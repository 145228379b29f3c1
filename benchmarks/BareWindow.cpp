// A bare Win32 window for the start-up benchmark: registered, created with a
// scroll bar and a menu bar, shown maximised, and painting a black band
// where the reader shows its first line. It measures what the platform
// itself takes to start a program and give it a first paint.

#include <windows.h>

namespace {

const RECT Band = {64, 40, 900, 60};

LRESULT CALLBACK bareWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &Band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = bareWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = L"BareWindow";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT, 0,
                                CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    HMENU bar = CreateMenu();
    const wchar_t* const titles[] = {L"File", L"Go to...", L"Translations", L"Dictionaries", L"Help"};
    for (const wchar_t* title : titles) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 2000, L"Exit");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    SetMenu(hwnd, bar);
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
