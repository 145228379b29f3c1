#include "reader/window/WinApiWindow.h"

#include "edition/EditionHooks.h"
#include "reader/window/PlatformText.h"
#include "resources/ResourceIds.h"

namespace {

const DWORD ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
const UINT_PTR TimerId = 20;
const int FontWeight = 300;

} // namespace

WinApiWindow::WinApiWindow(const PlatformChar* className, uint32_t fontCount)
    : m_hwnd(nullptr), m_hdc(nullptr), m_hinstance(nullptr), m_class_name(className), m_scroll_pos(0),
      m_translation_menu(nullptr), m_dictionary_language_menu(nullptr), m_scroll_offset(0), m_max_scroll_offset(0),
      m_checked_language_id(0)
{
    // Sizing leaves handles unset: an empty slot must read as no font.
    m_fonts.setSize(fontCount);
    for (uint32_t i = 0; i < m_fonts.count(); ++i)
        m_fonts.at(i) = nullptr;
}

WinApiWindow::~WinApiWindow() = default;

bool WinApiWindow::createWindow(HINSTANCE instance)
{
    m_hinstance = instance;

    WNDCLASSEX wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = ClassStyle;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = m_class_name;
    wc.hIconSm = editionLoadIcon(instance);
    RegisterClassEx(&wc);

    HWND hwnd = CreateWindowEx(0, m_class_name, TEXT(""), WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT, 0,
                               CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    m_hwnd = hwnd;
    if (m_hwnd == nullptr)
        return false;

    int32_t w = 0;
    int32_t h = 0;
    getDesktopSize(w, h);
    SetWindowPos(m_hwnd, nullptr, 20, h - h / 3 - h / 8, w - 40, h / 4 + h / 8, 0);
    ShowWindow(m_hwnd, SW_SHOWMAXIMIZED);
    UpdateWindow(m_hwnd);
    buildMenuBar();
    return true;
}

void WinApiWindow::drawLayers()
{
    updateClientBox();
    for (uint32_t i = 0; i < m_layers.count(); ++i) {
        DrawLayer* layer = m_layers.at(i);
        if (layer != nullptr)
            layer->draw(m_hdc);
    }
}

void WinApiWindow::paint(const Rect*)
{
    drawLayers();
}

void WinApiWindow::setThumbPosition(int16_t)
{
    invalidate();
}

void WinApiWindow::acquireDC()
{
    m_hdc = GetDC(m_hwnd);
    updateClientBox();
}

void WinApiWindow::invalidate()
{
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void WinApiWindow::setTitle(const PlatformChar* text)
{
    SetWindowText(m_hwnd, text);
}

void WinApiWindow::updateClientBox()
{
    RECT r = {0, 0, 0, 0};
    GetClientRect(m_hwnd, &r);
    m_client_box.moveTo(0, 0);
    m_client_box.setWidth(r.right);
    m_client_box.setHeight(r.bottom);
}

void WinApiWindow::getDesktopSize(int32_t& width, int32_t& height)
{
    HWND desktop = GetDesktopWindow();
    if (desktop == nullptr)
        return;
    RECT r;
    if (!GetWindowRect(desktop, &r))
        return;
    width = r.right;
    height = r.bottom;
}

bool WinApiWindow::startTimer(int32_t, UINT milliseconds)
{
    SetTimer(m_hwnd, TimerId, milliseconds, nullptr);
    return true;
}

HFONT WinApiWindow::createFont(uint32_t index, int32_t height)
{
    HFONT font = CreateFont(height, 0, 0, 0, FontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN | DEFAULT_PITCH, nullptr);
    m_fonts.at(index) = font;
    return font;
}

void WinApiWindow::selectFont(uint32_t index)
{
    HFONT font = m_fonts.at(index);
    if (font != nullptr && m_hdc != nullptr)
        SelectObject(m_hdc, font);
}

int32_t WinApiWindow::charWidth(PlatformChar c, uint32_t fontIndex)
{
    selectFont(fontIndex);
    SIZE size = {0, 0};
    GetTextExtentPoint32(m_hdc, &c, 1, &size);
    return size.cx;
}

int32_t WinApiWindow::lineHeight(uint32_t fontIndex)
{
    selectFont(fontIndex);
    SIZE size = {0, 0};
    GetTextExtentPoint32(m_hdc, TEXT(" "), 1, &size);
    return size.cy;
}

void WinApiWindow::setMousePoint(uint16_t x, uint16_t y)
{
    m_previous_mouse_point = m_mouse_point;
    m_mouse_point = Point(x, static_cast<int32_t>(y) + m_scroll_offset);
}

bool WinApiWindow::setLayerCount(uint32_t n)
{
    const bool sized = m_layers.setSize(n);
    // An empty slot is skipped when drawing and scrolling.
    for (uint32_t i = 0; i < m_layers.count(); ++i)
        m_layers.at(i) = nullptr;
    return sized;
}

INT_PTR WinApiWindow::showAboutDialog(HWND)
{
    const INT_PTR result =
        DialogBoxParam(m_hinstance, MAKEINTRESOURCE(IDD_ABOUT), m_hwnd, aboutDialogProc, 0);
    return result == -1 ? static_cast<INT_PTR>(GetLastError()) : result;
}

INT_PTR WinApiWindow::showHelpDialog(HWND, WPARAM id)
{
    const INT_PTR result =
        DialogBoxParam(m_hinstance, MAKEINTRESOURCE(IDD_HELP), m_hwnd, aboutDialogProc, LOWORD(id));
    return result == -1 ? static_cast<INT_PTR>(GetLastError()) : result;
}

BOOL WinApiWindow::runSetupProgram()
{
    const PlatformChar* name = editionSetupProgramName();
    if (name == nullptr)
        return FALSE;
    STARTUPINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    const BOOL started = CreateProcess(name, nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    if (started) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    return started;
}

uint8_t WinApiWindow::toDisplayChar(char16_t c, PlatformChar& out) const
{
    if (!NarrowProgram) {
        out = static_cast<PlatformChar>(c);
        return ANSI_CHARSET;
    }
    const bool cyrillic = c >= 0x0401 && c <= 0x0451;
    out = static_cast<PlatformChar>(toCodePage(c, cyrillic ? 1251 : 1252));
    return cyrillic ? RUSSIAN_CHARSET : ANSI_CHARSET;
}
