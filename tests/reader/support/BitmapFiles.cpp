#include "BitmapFiles.h"

#include <windows.h>

#include "ReaderTestSupport.h"

namespace {

int rowBytes(int width)
{
    return (width * 3 + 3) / 4 * 4;
}

} // namespace

bool writeBitmapFile(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& color)
{
    const int stride = rowBytes(width);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    ZeroMemory(&file, sizeof(file));
    ZeroMemory(&info, sizeof(info));
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<uint8_t> data(info.biSizeImage, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &data[static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const uint32_t c = color(x, y);
            row[3 * x] = static_cast<uint8_t>(c);
            row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(c >> 16);
        }
    }
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(h, &file, sizeof(file), &written, nullptr) && written == sizeof(file);
    ok = ok && WriteFile(h, &info, sizeof(info), &written, nullptr) && written == sizeof(info);
    ok = ok && WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) && written == data.size();
    CloseHandle(h);
    return ok;
}

bool readBitmapFile(const std::wstring& path, BitmapPixels& out)
{
    std::string bytes;
    if (!readFileBytes(path, bytes) || bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    CopyMemory(&file, bytes.data(), sizeof(file));
    CopyMemory(&info, bytes.data() + sizeof(file), sizeof(info));
    if (file.bfType != 0x4D42 || info.biBitCount != 24 || info.biCompression != BI_RGB || info.biHeight <= 0)
        return false;
    out.width = info.biWidth;
    out.height = info.biHeight;
    const int stride = rowBytes(out.width);
    if (file.bfOffBits + static_cast<size_t>(stride) * out.height > bytes.size())
        return false;
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = reinterpret_cast<const uint8_t*>(bytes.data()) + file.bfOffBits + static_cast<size_t>(out.height - 1 - y) * stride;
        for (int x = 0; x < out.width; ++x)
            out.pixels[static_cast<size_t>(y) * out.width + x] = (static_cast<uint32_t>(row[3 * x + 2]) << 16) |
                                                                 (static_cast<uint32_t>(row[3 * x + 1]) << 8) |
                                                                 row[3 * x];
    }
    return true;
}
