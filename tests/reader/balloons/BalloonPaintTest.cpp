// The outline and a balloon painted by a shown window through its own
// window procedure, on the device context it keeps from GetDC: scrolling
// moves both with the page.

#include <gtest/gtest.h>

#include "DibWindow.h"
#include "ReaderTestSupport.h"
#include "reader/balloons/CalloutLayer.h"
#include "reader/balloons/OutlineLayer.h"

namespace {

const PlatformChar ClassName[] = TEXT("BalloonPaintTest");
const PlatformChar ScrollKey[] = TEXT("BalloonPaintShift");

// A window whose layers are the outline (3) and the balloons (5).
class PaintWindow : public WinApiWindow {
public:
    PaintWindow() : WinApiWindow(ClassName, 1), m_outline(this), m_balloons(this)
    {
        WNDCLASSEX wc;
        ZeroMemory(&wc, sizeof(wc));
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandle(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = ClassName;
        RegisterClassEx(&wc);
        HWND hwnd = CreateWindowEx(0, ClassName, TEXT(""), WS_POPUP, 0, 0, DibWindow::Width, DibWindow::Height,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        setHwnd(hwnd);
        acquireDC();
        setLayerCount(6);
        setLayer(&m_outline, 3);
        setLayer(&m_balloons, 5);
        m_outline.setLineCount(8);
        ShowWindow(hwnd, SW_SHOWNORMAL);
    }
    ~PaintWindow() override
    {
        ReleaseDC(hwnd(), hdc());
        DestroyWindow(hwnd());
        UnregisterClass(ClassName, GetModuleHandle(nullptr));
    }

    OutlineLayer& outline() { return m_outline; }
    CalloutLayer& balloons() { return m_balloons; }

    void setTranslationVisible(uint32_t, uint8_t) override {}
    void setDictionaryLanguage(uint32_t) override {}
    const PlatformChar* scrollOffsetKey() override { return ScrollKey; }
    void goToChapter(WPARAM) override {}
    void openStoreLinks() override {}
    void start() override {}
    int32_t documentHeight() override { return 2000; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        PaintWindow* self = reinterpret_cast<PaintWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (message != WM_PAINT || self == nullptr)
            return DefWindowProc(hwnd, message, wParam, lParam);
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        self->drawLayers();
        EndPaint(hwnd, &ps);
        return 0;
    }

    OutlineLayer m_outline;
    CalloutLayerImpl m_balloons;
};

} // namespace

TEST(BalloonPaintTest, ScrollingMovesTheOutlineAndTheBalloonUpWithThePage)
{
    PaintWindow w;
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(w.hwnd()) != 0; }, 5000));
    w.setMaxScrollOffset(1000);
    TextRegion region;
    region.setSize(1);
    region.at(0) = Rect(300, 200, 100, 20);
    w.outline().outlineRegion(region);
    Point upper;
    Point lower;
    OutlineLayer::getAnchors(w.outline().points(), upper, lower);
    PlatformChar text[] = TEXT("Le chat dort sous la table.");
    w.balloons().addCallout(upper, lower, text, 400, 0);
    w.invalidate();
    UpdateWindow(w.hwnd());
    pumpMessages();
    const Grab before = grabClient(w.hwnd());
    ASSERT_EQ(before.width, DibWindow::Width);
    ASSERT_EQ(before.height, DibWindow::Height);
    EXPECT_GT(countColor(before, 0, 0, before.width, before.height, OutlineTeal), 20);
    EXPECT_GT(countColor(before, 0, 0, before.width, before.height, BalloonFill), 1000);
    EXPECT_EQ(GetPixel(w.hdc(), 297, 199), RGB(0, 176, 176));

    w.scrollDown(20, 0);
    EXPECT_EQ(w.scrollOffset(), 20);
    w.invalidate();
    UpdateWindow(w.hwnd());
    pumpMessages();
    const Grab after = grabClient(w.hwnd());
    EXPECT_EQ(GetPixel(w.hdc(), 297, 179), RGB(0, 176, 176));
    int differences = 0;
    for (int y = 20; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x)
            differences += after.at(x, y - 20) != before.at(x, y) ? 1 : 0;
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(countColor(after, 0, after.height - 20, after.width, after.height, White), 20 * after.width);
    WritePrivateProfileString(TEXT("Start"), ScrollKey, nullptr, TEXT("korvell.ini"));
}
