#include "reader/app/ReaderApp.h"
#include "reader/playback/ReaderMessages.h"

// Every message goes to a handler of the application; the handled flag
// decides whether the default procedure runs as well.
LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ReaderApp* app = ReaderApp::instance();
    if (app == nullptr || app->reader() == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    ReaderWindow* reader = app->reader();
    bool handled = false;
    LRESULT result = 0;

    switch (message) {
    case WM_CREATE:
        app->onCreate(hwnd, lParam);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_SIZE:
        app->onSize(hwnd);
        break;
    case WM_PAINT: {
        // A device context in wParam paints the whole client area.
        PAINTSTRUCT ps;
        ZeroMemory(&ps, sizeof(ps));
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool begun = dc == nullptr;
        if (begun)
            dc = BeginPaint(hwnd, &ps);
        else
            GetClientRect(hwnd, &ps.rcPaint);
        result = app->onPaint(hwnd, dc, &ps);
        if (begun && dc != nullptr)
            EndPaint(hwnd, &ps);
        else
            result = 0;
        handled = true;
        break;
    }
    case WM_MEASUREITEM:
        app->onMeasureItem(hwnd, wParam, lParam);
        break;
    case WM_KEYDOWN:
        app->onKey(hwnd, wParam);
        handled = true;
        result = 1;
        break;
    case WM_CHAR:
        // Swallowed: the codes of '!', '"', '&' and '(' are those of the scrolling keys.
        handled = true;
        result = 1;
        break;
    case WM_COMMAND:
        app->onCommand(hwnd, HIWORD(wParam), wParam, lParam);
        break;
    case WM_TIMER:
        app->onTimer(hwnd, wParam, lParam);
        break;
    case WM_VSCROLL:
        app->onVScroll(hwnd, LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)));
        break;
    case WM_MOUSEMOVE:
        reader->setMousePoint(LOWORD(lParam), HIWORD(lParam));
        app->onMouseMove(hwnd, wParam, lParam, HIWORD(lParam));
        break;
    case WM_LBUTTONDOWN:
        reader->setMousePoint(LOWORD(lParam), HIWORD(lParam));
        app->onLButtonDown();
        handled = true;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        reader->setMousePoint(LOWORD(lParam), HIWORD(lParam));
        app->onLButtonDblClk();
        handled = true;
        break;
    case WM_RBUTTONDOWN:
        reader->setMousePoint(LOWORD(lParam), HIWORD(lParam));
        app->onRButtonDown();
        handled = true;
        break;
    case WM_MOUSEWHEEL:
        // One line per message, whatever the size of the turn.
        if (static_cast<int16_t>(HIWORD(wParam)) > 0)
            reader->lineUp();
        else
            reader->lineDown();
        handled = true;
        break;
    case SegmentStartedMessage:
        // Posted by the player's threads: the page is coloured here only.
        reader->onSegmentStarted(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        handled = true;
        break;
    case SegmentFinishedMessage:
        reader->onSegmentFinished(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        handled = true;
        break;
    default:
        break;
    }
    return handled ? result : DefWindowProc(hwnd, message, wParam, lParam);
}
