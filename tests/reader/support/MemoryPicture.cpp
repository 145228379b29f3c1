#include "MemoryPicture.h"

#include <algorithm>

#include "PixelColors.h"

MemoryPicture::MemoryPicture(HDC compatible, int width, int height) : m_width(width), m_height(height)
{
    m_dc = CreateCompatibleDC(compatible);
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    m_dib = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_old = SelectObject(m_dc, m_dib);
    fill(White);
}

MemoryPicture::~MemoryPicture()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_dib);
    DeleteDC(m_dc);
}

void MemoryPicture::fill(uint32_t rgb)
{
    GdiFlush();
    std::fill(m_bits, m_bits + static_cast<size_t>(m_width) * m_height, rgb);
}

uint32_t MemoryPicture::at(int x, int y) const
{
    GdiFlush();
    return m_bits[static_cast<size_t>(y) * m_width + x] & 0x00FFFFFF;
}

std::vector<uint32_t> MemoryPicture::pixels(int rows) const
{
    GdiFlush();
    const int n = rows < 0 || rows > m_height ? m_height : rows;
    std::vector<uint32_t> out(m_bits, m_bits + static_cast<size_t>(m_width) * n);
    for (uint32_t& p : out)
        p &= 0x00FFFFFF;
    return out;
}

int MemoryPicture::count(uint32_t rgb, int left, int top, int right, int bottom) const
{
    GdiFlush();
    int n = 0;
    for (int y = std::max(top, 0); y < bottom && y < m_height; ++y)
        for (int x = std::max(left, 0); x < right && x < m_width; ++x)
            n += (m_bits[static_cast<size_t>(y) * m_width + x] & 0x00FFFFFF) == rgb ? 1 : 0;
    return n;
}

int MemoryPicture::countNotWhite() const
{
    return m_width * m_height - count(White, 0, 0, m_width, m_height);
}
