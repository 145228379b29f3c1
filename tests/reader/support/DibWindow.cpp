#include "DibWindow.h"

#include "reader/window/ReaderWindow.h"

DibWindow::DibWindow() : WinApiWindow(TEXT("BalloonTest"), 1), m_picture(nullptr)
{
    setHwnd(CreateWindowEx(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, Width, Height, nullptr, nullptr,
                           GetModuleHandle(nullptr), nullptr));
    acquireDC();
}

DibWindow::~DibWindow()
{
    delete m_picture;
    DestroyWindow(hwnd());
}

void DibWindow::acquireDC()
{
    delete m_picture;
    m_picture = new MemoryPicture(nullptr, Width, Height);
    setHdc(m_picture->dc());
}

// These programs make no reader window.
bool ReaderWindow::create(ReaderWindow*& out)
{
    out = nullptr;
    return false;
}
