#include "BookTestWindow.h"

#include <cstdio>

void BookTestWindow::lineLaidOut(const LaidOutLine& line)
{
    // Only a paragraph's first line starts indented.
    if (line.startX == m_page_layout.lineStartX(0))
        m_paragraph += 1;
    DumpLine l;
    l.paragraph = m_paragraph;
    l.firstCell = line.firstCell;
    l.lastCell = line.lastCell;
    l.y = line.y;
    l.startX = line.startX;
    l.lastWordRight = line.lastWordRight;
    l.gap = line.gap;
    l.extra = line.extra;
    m_lines.push_back(l);
}

std::string BookTestWindow::layoutDump()
{
    std::string text;
    for (const DumpLine& l : m_lines)
        text += formatDumpLine(l) + "\n";
    const PageLayout& page = pageLayout();
    char row[256];
    std::snprintf(row, sizeof(row), "metrics width %d height %d margin %d limit %d space %d line %d cells %u\n",
                  static_cast<int>(layoutWidth()), static_cast<int>(layoutHeight()),
                  static_cast<int>(page.leftMargin()), static_cast<int>(page.lineLimit()),
                  static_cast<int>(page.spaceWidth()), static_cast<int>(page.lineHeight()),
                  textLayer().cells().count());
    text += row;
    for (uint32_t i = 0; i < pictureLayer().pictureCount(); ++i) {
        const PictureSlot& slot = pictureLayer().slot(i);
        BITMAP bitmap;
        ZeroMemory(&bitmap, sizeof(bitmap));
        if (slot.m_bitmap != nullptr)
            GetObject(slot.m_bitmap, sizeof(bitmap), &bitmap);
        std::snprintf(row, sizeof(row), "picture %u x %d y %d size %d %d\n", i, static_cast<int>(slot.m_x),
                      static_cast<int>(slot.m_y), static_cast<int>(bitmap.bmWidth), static_cast<int>(bitmap.bmHeight));
        text += row;
    }
    return text;
}

bool BookTestWindow::writeLayoutDump(const std::wstring& path)
{
    const std::string text = layoutDump();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}
