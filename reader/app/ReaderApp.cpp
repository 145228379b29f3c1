#include "reader/app/ReaderApp.h"

#include <new>

ReaderWindow* g_reader_window = nullptr;

namespace {

ReaderApp* g_application = nullptr;

} // namespace

ReaderApp* ReaderApp::instance()
{
    if (g_application == nullptr)
        g_application = new (std::nothrow) ReaderApp();
    return g_application;
}

ReaderApp::ReaderApp() : m_reader(nullptr)
{
    ReaderWindow::create(m_reader);
    g_reader_window = m_reader;
}

int32_t ReaderApp::init(HINSTANCE instance, int)
{
    // The window is always shown maximised, whatever the show command.
    if (!m_reader->createWindow(instance))
        return 0;
    m_reader->start();
    m_reader->invalidate();
    return 1;
}

LRESULT ReaderApp::onCreate(HWND hwnd, LPARAM)
{
    m_reader->setHwnd(hwnd);
    m_reader->acquireDC();
    return 0;
}

LRESULT ReaderApp::onPaint(HWND, HDC, const PAINTSTRUCT* ps)
{
    Rect update;
    rectFromRECT(ps->rcPaint, update);
    m_reader->paint(&update);
    return 0;
}

LRESULT ReaderApp::onTimer(HWND, WPARAM timerId, LPARAM)
{
    m_reader->onTimer(timerId);
    return 0;
}

LRESULT ReaderApp::onMouseMove(HWND, WPARAM, LPARAM, int32_t)
{
    return 0;
}

LRESULT ReaderApp::onSize(HWND)
{
    m_reader->updateScrollRange();
    return 0;
}

LRESULT ReaderApp::onLButtonDown()
{
    m_reader->onLeftClick();
    return 0;
}

LRESULT ReaderApp::onRButtonDown()
{
    m_reader->onRightClick();
    return 0;
}

LRESULT ReaderApp::onLButtonDblClk()
{
    m_reader->onDoubleClick();
    return 0;
}

LRESULT ReaderApp::onMeasureItem(HWND, WPARAM, LPARAM)
{
    return 0;
}

LRESULT ReaderApp::onCommand(HWND hwnd, uint32_t notification, WPARAM wParam, LPARAM lParam)
{
    if ((notification & 0xFFFF) == 0)
        return onMenuCommand(hwnd, wParam, lParam, 0);
    return onControlCommand(hwnd, notification, wParam, reinterpret_cast<HWND>(lParam));
}

LRESULT ReaderApp::onKey(HWND, WPARAM key)
{
    switch (key) {
    case VK_PRIOR:
        m_reader->pageUp();
        break;
    case VK_NEXT:
        m_reader->pageDown();
        break;
    case VK_UP:
        m_reader->lineUp();
        break;
    case VK_DOWN:
        m_reader->lineDown();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT ReaderApp::onVScroll(HWND, uint32_t request, int16_t position)
{
    switch (request) {
    case SB_LINEUP:
        m_reader->lineUp();
        break;
    case SB_LINEDOWN:
        m_reader->lineDown();
        break;
    case SB_PAGEUP:
        m_reader->pageUp();
        break;
    case SB_PAGEDOWN:
        m_reader->pageDown();
        break;
    case SB_THUMBPOSITION:
        m_reader->setThumbPosition(position);
        break;
    case SB_THUMBTRACK:
        m_reader->scrollToPosition(position);
        break;
    default:
        break;
    }
    return 0;
}
