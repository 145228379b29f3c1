// The real application window in this process, with the test page: menus,
// commands, class and placement, and the scroll bar, which another process
// cannot read under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "TestPageWindow.h"
#include "document/BookData.h"
#include "reader/app/ReaderApp.h"

namespace {

struct MenuEntry {
    std::u16string text;
    UINT id;
    bool checked;
    HMENU submenu;
};

// The narrow program's menu texts are code page 1252, equal to Latin-1 for
// every character the menus hold.
std::u16string widen(const PlatformChar* text)
{
    std::u16string out;
    for (; *text != 0; ++text)
        out.push_back(static_cast<char16_t>(static_cast<std::make_unsigned<PlatformChar>::type>(*text)));
    return out;
}

std::vector<MenuEntry> menuEntries(HMENU menu)
{
    std::vector<MenuEntry> entries;
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        PlatformChar text[128] = {0};
        MENUITEMINFO item;
        ZeroMemory(&item, sizeof(item));
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 128;
        EXPECT_TRUE(GetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &item));
        EXPECT_EQ(item.fType & MFT_SEPARATOR, 0u);
        entries.push_back(MenuEntry{widen(text), item.wID, (item.fState & MFS_CHECKED) != 0, item.hSubMenu});
    }
    return entries;
}

void expectItems(HMENU menu, const std::vector<std::pair<std::u16string, UINT>>& expected)
{
    const std::vector<MenuEntry> entries = menuEntries(menu);
    ASSERT_EQ(entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(entries[i].text == expected[i].first) << "item " << i;
        EXPECT_EQ(entries[i].id, expected[i].second) << "item " << i;
    }
}

// The checked items of a menu, by identifier.
std::vector<UINT> checkedIds(HMENU menu)
{
    std::vector<UINT> ids;
    for (const MenuEntry& e : menuEntries(menu))
        if (e.checked)
            ids.push_back(e.id);
    return ids;
}

class ReaderWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        writeSavedOffset(nullptr);
        ReaderApp* app = ReaderApp::instance();
        ASSERT_NE(app, nullptr);
        ASSERT_EQ(app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL), 1);
        s_reader = static_cast<TestPageWindow*>(app->reader());
        ASSERT_TRUE(waitFor([] { return IsWindowVisible(s_reader->hwnd()) != 0; }, 5000));
    }

    void SetUp() override
    {
        ASSERT_NE(s_reader, nullptr);
        m_hwnd = s_reader->hwnd();
    }

    LRESULT command(UINT id) { return SendMessage(m_hwnd, WM_COMMAND, id, 0); }

    HMENU popup(int position) { return GetSubMenu(GetMenu(m_hwnd), position); }

    static TestPageWindow* s_reader;
    HWND m_hwnd = nullptr;
};

TestPageWindow* ReaderWindowTest::s_reader = nullptr;

} // namespace

TEST_F(ReaderWindowTest, MenuBarHoldsFivePopupsWithEveryItem)
{
    const std::vector<MenuEntry> bar = menuEntries(GetMenu(m_hwnd));
    ASSERT_EQ(bar.size(), 5u);
    const std::u16string titles[] = {u"File", u"Go to...", u"Translations", u"Dictionaries", u"Help"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_TRUE(bar[i].text == titles[i]) << i;
        EXPECT_NE(bar[i].submenu, nullptr);
    }

    expectItems(popup(0), {{u"Exit", 2000}});
    expectItems(popup(1), {{u"PREMI\u00C8RE PARTIE", 7000}, {u"CHAPITRE I", 7001},    {u"CHAPITRE II", 7002},
                           {u"CHAPITRE III", 7003},          {u"CHAPITRE IV", 7004},   {u"CHAPITRE V", 7005},
                           {u"CHAPITRE VI", 7006},           {u"DEUXI\u00C8ME PARTIE", 7007},
                           {u"CHAPITRE I", 7008},            {u"CHAPITRE II", 7009},   {u"CHAPITRE III", 7010},
                           {u"CHAPITRE IV", 7011},           {u"CHAPITRE V", 7012},    {u"CHAPITRE VI", 7013},
                           {u"CHAPITRE VII", 7014},          {u"CHAPITRE VIII", 7015}, {u"CHAPITRE IX", 7016},
                           {u"CHAPITRE X", 7017},            {u"CHAPITRE XI", 7018},   {u"CHAPITRE XII", 7019}});
    expectItems(popup(2), {{u"Russian", 8000}, {u"English", 8001}});
    EXPECT_EQ(checkedIds(popup(2)), (std::vector<UINT>{8000, 8001}));

    const std::vector<MenuEntry> dictionaries = menuEntries(popup(3));
    ASSERT_EQ(dictionaries.size(), 3u);
    EXPECT_TRUE(dictionaries[0].text == u"Download Babylon Dictionary");
    EXPECT_EQ(dictionaries[0].id, 4100u);
    EXPECT_EQ(dictionaries[1].id, 4101u);
    EXPECT_FALSE(dictionaries[1].text.empty());
    EXPECT_TRUE(dictionaries[2].text == u"Online Babylon Emulator");
    ASSERT_EQ(dictionaries[2].submenu, s_reader->dictionaryLanguageMenu());
    expectItems(dictionaries[2].submenu,
                {{u"English", 15000},    {u"French", 15001},   {u"Russian", 15002},  {u"German", 15003},
                 {u"Hebrew", 15004},     {u"Spanish", 15005},  {u"Chinese", 15006},  {u"Korean", 15007},
                 {u"Japanese", 15008},   {u"Italian", 15009},  {u"Dutch", 15010},    {u"Turkish", 15011},
                 {u"Portuguese", 15012}, {u"Swedish", 15013},  {u"Serbian", 15014},  {u"Croatian", 15015},
                 {u"Others", 15020}});
    EXPECT_EQ(checkedIds(dictionaries[2].submenu), (std::vector<UINT>{15000}));

    expectItems(popup(4), {{u"How to Use...", 3000}, {u"About...", 4000}, {u"Get a teacher.", 4002},
                           {u"About the audio book", 4001}});
}

TEST_F(ReaderWindowTest, LanguageCommandChecksOneItemAndChangesTheLookup)
{
    wchar_t browser[1024] = {0};
    LONG size = sizeof(browser);
    RegQueryValueW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", browser, &size);
    ASSERT_NE(std::wstring(browser).find(L"fake_browser.exe"), std::wstring::npos)
        << "the test prefix must register the fake browser: no test starts a real one";
    const std::wstring log = useFreshBrowserLog(L"browser-language.log");
    HMENU languages = s_reader->dictionaryLanguageMenu();
    command(15020);
    EXPECT_EQ(checkedIds(languages), (std::vector<UINT>{15020}));
    EXPECT_EQ(s_reader->dictionaryLanguage(), 16);
    command(15020);
    EXPECT_EQ(checkedIds(languages), (std::vector<UINT>{15020})) << "the same language again";

    // Double-click "maison" on line 1 of the page, at the top.
    s_reader->scrollUp(100000, 1);
    const int x = 20 + static_cast<int>(MaisonColumn + 2) * 10 + 5;
    const int y = 30 + 30 + 10;
    SendMessage(m_hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    ASSERT_EQ(waitForBrowserStarts(log, 1, 10000), "");
    EXPECT_TRUE(endsWith(readBrowserLog(log)[0].address, "term=maison&tl=OT&uil=FR")) << readBrowserLog(log)[0].address;

    command(15003);
    EXPECT_EQ(checkedIds(languages), (std::vector<UINT>{15003}));
    EXPECT_EQ(s_reader->dictionaryLanguage(), 3);
    command(15000);
    EXPECT_EQ(checkedIds(languages), (std::vector<UINT>{15000}));
}

TEST_F(ReaderWindowTest, FirstTranslationStaysShownTheSecondToggles)
{
    BookText& text = BookData::instance().text();
    HMENU translations = popup(2);
    for (int i = 0; i < 2; ++i) {
        command(8000);
        EXPECT_EQ(checkedIds(translations), (std::vector<UINT>{8000, 8001})) << "after " << i + 1;
        EXPECT_EQ(text.isTranslationVisible(0), 1) << "after " << i + 1;
    }

    command(8001);
    EXPECT_EQ(checkedIds(translations), (std::vector<UINT>{8000}));
    EXPECT_EQ(text.isTranslationVisible(1), 0);
    command(8001);
    EXPECT_EQ(checkedIds(translations), (std::vector<UINT>{8000, 8001}));
    EXPECT_EQ(text.isTranslationVisible(1), 1);
}

TEST_F(ReaderWindowTest, IgnoredCommandsChangeNothing)
{
    const std::wstring log = useFreshBrowserLog(L"browser-ignored.log");
    s_reader->scrollUp(100000, 1);
    s_reader->pageDown();
    int32_t saved = 0;
    ASSERT_TRUE(readSavedOffset(saved));
    EXPECT_EQ(saved, 300);
    writeSavedOffset(L"12345");
    const std::vector<UINT> languages = checkedIds(s_reader->dictionaryLanguageMenu());
    const std::vector<UINT> translations = checkedIds(popup(2));
    // 8002 names a third translation, which the book does not have.
    BookText& text = BookData::instance().text();
    text.setTranslationVisible(2, 0);
    for (UINT id : {9000u, 9100u, 9200u, 14001u, 15016u, 15019u, 4200u, 0u, 8002u}) {
        EXPECT_EQ(command(id), 0);
        EXPECT_TRUE(IsWindow(m_hwnd)) << id;
    }
    EXPECT_EQ(checkedIds(s_reader->dictionaryLanguageMenu()), languages);
    EXPECT_EQ(checkedIds(popup(2)), translations);
    EXPECT_EQ(text.isTranslationVisible(2), 0);
    text.setTranslationVisible(2, 1);
    command(8002);
    EXPECT_EQ(text.isTranslationVisible(2), 1);
    EXPECT_EQ(s_reader->scrollOffset(), 300);
    ASSERT_TRUE(readSavedOffset(saved));
    EXPECT_EQ(saved, 12345) << "no scroll step was made";
    pumpMessages();
    EXPECT_TRUE(readBrowserLog(log).empty()) << describeBrowserLog(log);
}

TEST_F(ReaderWindowTest, ClassAndPlacement)
{
    EXPECT_EQ(GetClassLongPtr(m_hwnd, GCL_STYLE), static_cast<ULONG_PTR>(0xb));
    EXPECT_NE(GetClassLongPtr(m_hwnd, GCLP_HICONSM), 0u);
    EXPECT_EQ(GetClassLongPtr(m_hwnd, GCLP_HICON), 0u);
    EXPECT_TRUE(IsZoomed(m_hwnd));
    const LONG style = GetWindowLong(m_hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW | WS_VSCROLL), WS_OVERLAPPEDWINDOW | WS_VSCROLL);

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    ASSERT_EQ(desktop.right, 1024) << "the tests run on a 1024 x 768 screen";
    ASSERT_EQ(desktop.bottom, 768);
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(m_hwnd, &placement));
    EXPECT_EQ(placement.rcNormalPosition.left, 20);
    EXPECT_EQ(placement.rcNormalPosition.top, 416);
    EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 984);
    EXPECT_EQ(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, 288);

    TCHAR className[32] = {0};
    GetClassName(m_hwnd, className, 32);
    EXPECT_EQ(lstrcmp(className, TEXT("Tavrem")), 0);
}

TEST_F(ReaderWindowTest, ScrollBarThumbFollowsTheOffsetButNotADrag)
{
    s_reader->scrollUp(100000, 1);
    SendMessage(m_hwnd, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(s_reader->scrollOffset(), 300);
    const int32_t unit = s_reader->pixelsPerScrollUnit();
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(m_hwnd, SB_VERT, &si));
    EXPECT_EQ(si.nPos, 300 / unit);
    RECT client;
    GetClientRect(m_hwnd, &client);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, client.bottom);
    EXPECT_EQ(si.nPage, static_cast<UINT>(client.bottom / (9000 / client.bottom)));

    // Dragging moves the page by whole units and leaves the thumb.
    const int from = si.nPos;
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, from + 12), 0);
    EXPECT_EQ(s_reader->scrollOffset(), 300 + 12 * unit);
    EXPECT_EQ(s_reader->scrollPosition(), from + 12);
    ASSERT_TRUE(GetScrollInfo(m_hwnd, SB_VERT, &si));
    EXPECT_EQ(si.nPos, from);
    int32_t saved = 0;
    ASSERT_TRUE(readSavedOffset(saved));
    EXPECT_EQ(saved, 300 + 12 * unit);

    // Releasing it moves the thumb only.
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, from + 12), 0);
    ASSERT_TRUE(GetScrollInfo(m_hwnd, SB_VERT, &si));
    EXPECT_EQ(si.nPos, from + 12);
    EXPECT_EQ(s_reader->scrollOffset(), 300 + 12 * unit);

    // Dragged to the first position: the page's top.
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(s_reader->scrollOffset(), 0);

    // At the end the position kept is the bar's last one, where the thumb
    // shows: a drag of one unit moves the page one unit.
    s_reader->scrollDown(100000, 1);
    const int32_t end = s_reader->scrollOffset();
    ASSERT_TRUE(GetScrollInfo(m_hwnd, SB_VERT, &si));
    const int last = si.nMax - static_cast<int>(si.nPage) + 1;
    ASSERT_LT(last, end / unit) << "the end lies past the thumb's last position";
    EXPECT_EQ(si.nPos, last);
    EXPECT_EQ(s_reader->scrollPosition(), last);
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, last - 1), 0);
    EXPECT_EQ(s_reader->scrollOffset(), end - unit);
    // Positions from outside the bar's range are taken within it, the
    // negative ones of 16 bits too; a thumb dragged to either end shows that
    // end of the page.
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 32767), 0);
    EXPECT_EQ(s_reader->scrollPosition(), last);
    EXPECT_EQ(s_reader->scrollOffset(), end);
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 32768), 0);
    EXPECT_EQ(s_reader->scrollPosition(), 0);
    EXPECT_EQ(s_reader->scrollOffset(), 0);
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 65535), 0);
    SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(s_reader->scrollPosition(), 0);
    EXPECT_EQ(s_reader->scrollOffset(), 0);
    writeSavedOffset(L"77");
    SendMessage(m_hwnd, WM_VSCROLL, SB_LINEUP, 0);
    ASSERT_TRUE(readSavedOffset(saved));
    EXPECT_EQ(saved, 0);
}

// Whatever the window's height, a drag reaches both ends of the page, and
// after a resize the next drag starts where the bar shows the thumb.
TEST_F(ReaderWindowTest, DraggingTheThumbKeepsThePlaceAtEveryHeight)
{
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(m_hwnd, &placement));
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int maximised = client.bottom;
    ShowWindow(m_hwnd, SW_RESTORE);

    auto thumbTrack = [&](int position) { SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0); };
    auto shownThumb = [&] {
        SCROLLINFO si;
        ZeroMemory(&si, sizeof(si));
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(m_hwnd, SB_VERT, &si));
        return si;
    };
    bool endPastLast = false;
    bool endWithinLast = false;
    const int32_t middle = 4000;
    for (int height : {100, 280, 320, 560, maximised}) {
        SCOPED_TRACE("client height " + std::to_string(height));
        // From the middle the window takes this height: the thumb is set
        // again from the offset, and a drag of one position moves one unit.
        s_reader->scrollUp(100000, 1);
        s_reader->scrollDown(middle, 1);
        RECT window;
        GetWindowRect(m_hwnd, &window);
        GetClientRect(m_hwnd, &client);
        SetWindowPos(m_hwnd, nullptr, 0, 0, window.right - window.left,
                     window.bottom - window.top - client.bottom + height, SWP_NOZORDER | SWP_NOMOVE);
        GetClientRect(m_hwnd, &client);
        ASSERT_EQ(client.bottom, height);
        const int32_t unit = s_reader->pixelsPerScrollUnit();
        SCROLLINFO si = shownThumb();
        const int last = si.nMax - static_cast<int>(si.nPage) + 1;
        ASSERT_GT(last, 2);
        EXPECT_EQ(si.nPos, std::min(middle / unit, last));
        EXPECT_EQ(s_reader->scrollPosition(), si.nPos);
        thumbTrack(si.nPos - 1);
        EXPECT_EQ(s_reader->scrollOffset(), middle - unit);
        SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, si.nPos - 1), 0);

        // From the end, dragged up to the first position: the top.
        s_reader->scrollDown(100000, 1);
        const int32_t end = s_reader->scrollOffset();
        EXPECT_EQ(end, s_reader->maxScrollOffset());
        (end / unit > last ? endPastLast : endWithinLast) = true;
        EXPECT_EQ(shownThumb().nPos, std::min(end / unit, last));
        for (int position : {last - 1, last / 2, 1, 0})
            thumbTrack(position);
        SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
        EXPECT_EQ(s_reader->scrollOffset(), 0);
        EXPECT_EQ(shownThumb().nPos, 0);
        int32_t saved = -1;
        ASSERT_TRUE(readSavedOffset(saved));
        EXPECT_EQ(saved, 0);

        // From the top, dragged down to the last position: the end.
        for (int position : {1, last / 2, last - 1, last})
            thumbTrack(position);
        SendMessage(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
        EXPECT_EQ(s_reader->scrollOffset(), end);
        EXPECT_EQ(shownThumb().nPos, last);
    }
    EXPECT_TRUE(endPastLast && endWithinLast) << "heights where the end lies past the last position and where not";

    ASSERT_TRUE(SetWindowPlacement(m_hwnd, &placement));
    EXPECT_TRUE(IsZoomed(m_hwnd));
    GetClientRect(m_hwnd, &client);
    EXPECT_EQ(client.bottom, maximised);
    s_reader->scrollUp(100000, 1);
}

TEST_F(ReaderWindowTest, PaintWithADeviceContextInWParam)
{
    HDC dc = GetDC(m_hwnd);
    EXPECT_EQ(SendMessage(m_hwnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(m_hwnd, dc);
    EXPECT_TRUE(s_reader->textLayer().anyVisible());
}

TEST_F(ReaderWindowTest, OutlineAndBalloonPaintOverThePage)
{
    s_reader->scrollUp(100000, 1);
    // Line 3 of the grid: "ligne 3 : le chat..." from y 120, 20 high.
    TextRegion region;
    region.setSize(1);
    region.at(0) = Rect(20, 120, 200, 20);
    s_reader->outlineLayer().outlineRegion(region);
    Point upper;
    Point lower;
    OutlineLayer::getAnchors(s_reader->outlineLayer().points(), upper, lower);
    const uint32_t id =
        s_reader->calloutLayer().addCallout(upper, lower, TEXT("Line three: the cat and the dog sleep."), 400, 0);
    s_reader->invalidate();
    UpdateWindow(m_hwnd);
    pumpMessages();

    Grab grab = grabClient(m_hwnd);
    EXPECT_GT(countColor(grab, 17, 119, 222, 120, OutlineTeal), 20) << "the outline's top edge";
    const Callout& balloon = s_reader->calloutLayer().callout(id);
    const int left = balloon.outlinePoint(4).x;
    const int right = balloon.outlinePoint(3).x;
    const int top = balloon.outlinePoint(1).y;
    const int bottom = balloon.outlinePoint(3).y;
    ASSERT_LT(top, bottom);
    // Over the page's lines: the band inside the edge is the balloon's own.
    EXPECT_EQ(countColor(grab, left + 1, top + 1, right, top + 3, BalloonFill), 2 * (right - left - 1));
    EXPECT_GT(countColor(grab, left, top, right + 1, bottom + 1, BalloonFill), (right - left) * (bottom - top) / 2);
    EXPECT_GT(countColor(grab, 0, 0, grab.width, grab.height, OutlineTeal), 0);

    s_reader->outlineLayer().hideAll();
    s_reader->calloutLayer().removeCallout(id);
    s_reader->invalidate();
    UpdateWindow(m_hwnd);
    pumpMessages();
    grab = grabClient(m_hwnd);
    EXPECT_EQ(countColor(grab, 0, 0, grab.width, grab.height, OutlineTeal), 0);
    EXPECT_EQ(countColor(grab, 0, 0, grab.width, grab.height, BalloonFill), 0);
}
