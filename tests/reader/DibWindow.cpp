#include "DibWindow.h"

#include "reader/ReaderWindow.h"

DibWindow::DibWindow() : WinApiWindow(TEXT("BalloonTest"), 1), m_bitmap(nullptr), m_old_bitmap(nullptr), m_bits(nullptr)
{
    setHwnd(CreateWindowEx(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, Width, Height, nullptr, nullptr,
                           GetModuleHandle(nullptr), nullptr));
    acquireDC();
}

DibWindow::~DibWindow()
{
    HDC dc = hdc();
    SelectObject(dc, m_old_bitmap);
    DeleteObject(m_bitmap);
    DeleteDC(dc);
    DestroyWindow(hwnd());
}

void DibWindow::acquireDC()
{
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_old_bitmap = SelectObject(dc, m_bitmap);
    setHdc(dc);
    fill(White);
}

void DibWindow::fill(uint32_t color)
{
    GdiFlush();
    for (size_t i = 0; i < static_cast<size_t>(Width) * Height; ++i)
        m_bits[i] = color;
}

std::vector<uint32_t> DibWindow::pixels() const
{
    GdiFlush();
    std::vector<uint32_t> out(m_bits, m_bits + static_cast<size_t>(Width) * Height);
    for (uint32_t& p : out)
        p &= 0x00FFFFFF;
    return out;
}

int DibWindow::count(uint32_t color, int left, int top, int right, int bottom) const
{
    GdiFlush();
    int n = 0;
    for (int y = top < 0 ? 0 : top; y < bottom && y < Height; ++y)
        for (int x = left < 0 ? 0 : left; x < right && x < Width; ++x)
            n += pixel(x, y) == color ? 1 : 0;
    return n;
}

// These programs make no reader window.
bool ReaderWindow::create(ReaderWindow*& out)
{
    out = nullptr;
    return false;
}
