// The reader programs driven from another process: the test page program
// for scrolling, the saved offset, pixels and lookups; the real program for
// its dialogs, menu commands and browser starts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReaderProcess.h"
#include "ReaderTestSupport.h"
#include "TestPageWindow.h"

namespace {

const DWORD Limit = 10000;
const int32_t PageMaximum = 30 + (static_cast<int32_t>(TestPageLineCount) - 1) * 30;
// The page's lines end well left of this; the scroll bar may lie beyond it.
const int TextRight = 900;
const wchar_t BrowserKey[] = L"http\\shell\\open\\command";

// The client point inside column `column` of line `line` of the test page.
POINT pagePoint(uint32_t line, uint32_t column, int32_t offset)
{
    POINT p;
    p.x = 20 + static_cast<int>(column) * 10 + 5;
    p.y = 30 + static_cast<int>(line) * 30 + 10 - offset;
    return p;
}

std::wstring readBrowserCommand()
{
    wchar_t value[1024] = {0};
    LONG size = sizeof(value);
    if (RegQueryValueW(HKEY_CLASSES_ROOT, BrowserKey, value, &size) != ERROR_SUCCESS)
        return std::wstring();
    return value;
}

void setBrowserCommand(const std::wstring& command)
{
    if (command.empty()) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, BrowserKey);
        return;
    }
    RegSetValueW(HKEY_CLASSES_ROOT, BrowserKey, REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size() * sizeof(wchar_t)));
}

class ReaderDriverTest : public testing::Test {
protected:
    void SetUp() override
    {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info->name();
        m_directory = currentDirectory() + L"\\driver-" + std::wstring(name.begin(), name.end());
        CreateDirectoryW(m_directory.c_str(), nullptr);
        DeleteFileW((m_directory + L"\\Babylon7r_setup.exe").c_str());
        m_log = useFreshBrowserLog((L"browser-" + std::wstring(name.begin(), name.end()) + L".log").c_str());
        m_page = environmentPath("TAVREMS_PAGE_PROGRAM");
        m_program = environmentPath("TAVREMS_PROGRAM");
        m_fake = environmentPath("TAVREMS_FAKE_BROWSER");
        ASSERT_FALSE(m_page.empty());
        ASSERT_FALSE(m_program.empty());
        ASSERT_FALSE(m_fake.empty());
        m_browser_command = readBrowserCommand();
        ASSERT_NE(m_browser_command.find(L"fake_browser.exe"), std::wstring::npos)
            << "the test prefix must register the fake browser: no test starts a real one";
        writeSavedOffset(nullptr);
    }

    void TearDown() override { setBrowserCommand(m_browser_command); }

    std::vector<BrowserStart> browserStarts() { return readBrowserLog(m_log); }
    // An empty text, or what the log holds when it is not n starts.
    std::string waitForStarts(size_t n) { return waitForBrowserStarts(m_log, n, Limit); }

    // Once every browser the program started has ended, the log is complete.
    void waitForBrowsersToEnd(ReaderProcess& reader)
    {
        ASSERT_EQ(waitForChildProcessesToEnd(reader.processId(), Limit), "") << "the browsers it started";
    }

    // A command that always starts the browser, to be sure that what was
    // asked before it has logged whatever it was going to log.
    void settleBrowser(ReaderProcess& reader, size_t before)
    {
        reader.sendCommand(4100);
        ASSERT_EQ(waitForStarts(before + 1), "");
        waitForBrowsersToEnd(reader);
    }

    void expectExit(ReaderProcess& reader)
    {
        DWORD code = 99;
        ASSERT_TRUE(reader.waitForExit(Limit, code));
        EXPECT_EQ(code, 0u);
    }

    std::wstring m_directory;
    std::wstring m_log;
    std::wstring m_page;
    std::wstring m_program;
    std::wstring m_fake;
    std::wstring m_browser_command;
};

} // namespace

TEST_F(ReaderDriverTest, KeysWheelAndScrollBarMoveThePageAndSaveIt)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_page, m_directory));
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit)) << "start-up writes the offset";

    reader.key(VK_NEXT);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(300); }, Limit)) << savedOffset();
    reader.key(VK_DOWN);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(320); }, Limit)) << savedOffset();
    reader.key(VK_UP);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(300); }, Limit)) << savedOffset();
    reader.key(VK_PRIOR);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit)) << savedOffset();
    reader.key(VK_NEXT);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(300); }, Limit)) << savedOffset();

    // One line per wheel message, whatever the turn; 0 counts as down.
    reader.wheel(-120);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(320); }, Limit)) << savedOffset();
    reader.wheel(360);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(300); }, Limit)) << savedOffset();
    reader.wheel(0);
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(320); }, Limit)) << savedOffset();

    // Characters whose codes equal the scrolling keys scroll nothing: a line
    // down after each (which input and posted messages reach in order) is
    // the only step.
    int32_t expected = 320;
    for (wchar_t c : {L'!', L'"', L'&', L'('}) {
        reader.typeChar(c);
        reader.key(VK_DOWN);
        expected += 20;
        EXPECT_TRUE(waitFor([&] { return savedOffsetIs(expected); }, Limit)) << "typed " << char(c) << ": "
                                                                               << savedOffset();
        PostMessageW(reader.window(), WM_CHAR, c, 0);
        PostMessageW(reader.window(), WM_KEYDOWN, VK_DOWN, 0);
        expected += 20;
        EXPECT_TRUE(waitFor([&] { return savedOffsetIs(expected); }, Limit)) << "posted " << char(c) << ": "
                                                                               << savedOffset();
    }

    // The scroll bar's requests.
    const std::vector<std::pair<WORD, int32_t>> requests = {{SB_LINEDOWN, expected + 20},
                                                            {SB_PAGEUP, expected - 280},
                                                            {SB_LINEUP, expected - 300},
                                                            {SB_PAGEDOWN, expected},
                                                            {SB_ENDSCROLL, expected}};
    for (const auto& request : requests) {
        reader.sendScroll(request.first, 0);
        EXPECT_EQ(savedOffset(), request.second) << request.first;
    }

    // Dragging the thumb moves the page by whole scroll units.
    RECT client;
    GetClientRect(reader.window(), &client);
    const int32_t unit = PageMaximum / (client.bottom + 1) + 1;
    const int32_t position = expected / unit;
    reader.sendScroll(SB_THUMBTRACK, position + 5);
    EXPECT_EQ(savedOffset(), expected + 5 * unit);

    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, StartsAtTheSavedOffsetWithinThePage)
{
    const std::vector<std::pair<const wchar_t*, int32_t>> cases = {
        {L"480", 480}, {L"-480", 0}, {L"100000000", PageMaximum}, {L"abc", 0}};
    for (const auto& c : cases) {
        writeSavedOffset(c.first);
        ReaderProcess reader;
        ASSERT_TRUE(reader.start(m_page, m_directory));
        EXPECT_TRUE(waitFor([&] { return savedOffsetIs(c.second); }, Limit)) << "saved " << std::wstring(c.first).size()
                                                                              << " units, now " << savedOffset();
        reader.postCommand(2000);
        expectExit(reader);
    }

    // Three pages down, exit, and the next start opens there.
    writeSavedOffset(nullptr);
    {
        ReaderProcess reader;
        ASSERT_TRUE(reader.start(m_page, m_directory));
        for (int i = 0; i < 3; ++i)
            reader.key(VK_NEXT);
        EXPECT_TRUE(waitFor([] { return savedOffsetIs(900); }, Limit)) << savedOffset();
        reader.postCommand(2000);
        expectExit(reader);
    }
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_page, m_directory));
    EXPECT_TRUE(savedOffsetIs(900));
    // Line 29 starts at document y 900, now the client's top, and line 30 below it.
    Grab grab;
    EXPECT_TRUE(waitFor([&] {
        grab = grabClient(reader.window());
        return countInk(grab, 20, 0, 400, 20) > 0 && countInk(grab, 20, 30, 400, 50) > 0;
    }, Limit));
    EXPECT_EQ(countInk(grab, 0, 21, TextRight, 29), 0) << "the gap between two lines";
    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, LineCutByTheTopEdgeIsNotDrawn)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_page, m_directory));
    Grab grab;
    ASSERT_TRUE(waitFor([&] {
        grab = grabClient(reader.window());
        return countInk(grab, 20, 30, 400, 50) > 0;
    }, Limit)) << "line 0 at the top";

    // Two lines down: line 0 (document 30 to 50) would show from -10 to 10.
    reader.key(VK_DOWN);
    reader.key(VK_DOWN);
    ASSERT_TRUE(waitFor([] { return savedOffsetIs(40); }, Limit));
    EXPECT_TRUE(waitFor([&] {
        grab = grabClient(reader.window());
        return countInk(grab, 20, 20, 400, 40) > 0 && countInk(grab, 0, 0, TextRight, 12) == 0;
    }, Limit)) << "ink at the top: " << countInk(grab, 0, 0, TextRight, 12);
    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, DoubleClickLooksUpAWordAndColoursIt)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_page, m_directory));
    const POINT maison = pagePoint(1, MaisonColumn + 2, 0);
    reader.doubleClick(maison.x, maison.y);
    ASSERT_EQ(waitForStarts(1), "");
    std::vector<BrowserStart> starts = browserStarts();
    EXPECT_TRUE(endsWith(starts[0].address, "&rt=ol&tid=pop&x=21&y=13&term=maison&tl=EN&uil=FR")) << starts[0].address;
    EXPECT_EQ(starts[0].address.compare(0, 8, "https://"), 0) << "the blank separates it from the program";
    EXPECT_EQ(starts[0].argumentCount, 1) << "one argument: the address";
    Grab grab;
    EXPECT_TRUE(waitFor([&] {
        grab = grabClient(reader.window());
        return countColor(grab, 50, 60, 140, 80, LookedUpBlue) > 0;
    }, Limit)) << "the word turns blue";
    EXPECT_EQ(countColor(grab, 0, 0, grab.width, 55, LookedUpBlue), 0) << "nothing else does";

    // The middle button acts as a double click; "été" goes whole.
    const POINT ete = pagePoint(1, EteColumn + 1, 0);
    reader.middleClick(ete.x, ete.y);
    ASSERT_EQ(waitForStarts(2), "");
    starts = browserStarts();
    EXPECT_TRUE(endsWith(starts[1].address, "term=\xC3\xA9t\xC3\xA9&tl=EN&uil=FR")) << starts[1].address;

    // A blank, a digit, a one-letter word: nothing.
    for (uint32_t column : {BlankColumn, DigitColumn, OneLetterColumn}) {
        const POINT p = pagePoint(1, column, 0);
        reader.doubleClick(p.x, p.y);
    }
    // A command sent now could be handled before those clicks; a line down
    // after them is handled after them.
    reader.key(VK_DOWN);
    ASSERT_TRUE(waitFor([] { return savedOffsetIs(20); }, Limit)) << savedOffset();
    settleBrowser(reader, 2);
    starts = browserStarts();
    ASSERT_EQ(starts.size(), 3u) << describeBrowserLog(m_log);
    EXPECT_NE(starts[2].address.find("download"), std::string::npos);
    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, AboutAndHelpDialogs)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_directory));
    auto findDialog = [&] { return findProcessWindow(reader.processId(), L"#32770"); };

    reader.postCommand(4000);
    HWND about = nullptr;
    ASSERT_TRUE(waitFor([&] { return (about = findDialog()) != nullptr; }, Limit));
    wchar_t caption[32] = {0};
    GetWindowTextW(about, caption, 32);
    EXPECT_STREQ(caption, L"About");
    EXPECT_TRUE(dialogHasText(about, L"Lorvanta Version 1.4"));
    EXPECT_TRUE(dialogHasText(about, L"More..."));
    // "More..." opens the home page and the dialog stays.
    PostMessageW(GetDlgItem(about, 3), BM_CLICK, 0, 0);
    ASSERT_EQ(waitForStarts(1), "");
    EXPECT_NE(browserStarts()[0].address.find("example.com"), std::string::npos);
    EXPECT_TRUE(IsWindow(about));
    // Esc closes it.
    SetForegroundWindow(about);
    waitFor([&] { return GetForegroundWindow() == about; }, 2000);
    INPUT esc[2] = {};
    esc[0].type = esc[1].type = INPUT_KEYBOARD;
    esc[0].ki.wVk = esc[1].ki.wVk = VK_ESCAPE;
    esc[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, esc, sizeof(INPUT));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }, Limit));

    reader.postCommand(4000);
    ASSERT_TRUE(waitFor([&] { return (about = findDialog()) != nullptr; }, Limit));
    PostMessageW(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }, Limit));

    reader.postCommand(3000);
    HWND help = nullptr;
    ASSERT_TRUE(waitFor([&] { return (help = findDialog()) != nullptr; }, Limit));
    GetWindowTextW(help, caption, 32);
    EXPECT_STREQ(caption, L"Help");
    HWND picture = GetWindow(help, GW_CHILD);
    bool bitmap = false;
    for (; picture != nullptr; picture = GetWindow(picture, GW_HWNDNEXT)) {
        if ((GetWindowLongW(picture, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            bitmap = SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    }
    EXPECT_TRUE(bitmap) << "the help picture";
    PostMessageW(GetDlgItem(help, 1007), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(help); }, Limit));
    waitForBrowsersToEnd(reader);
    EXPECT_EQ(browserStarts().size(), 1u) << describeBrowserLog(m_log);

    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, WebCommandsStartTheBrowserOnceEach)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_directory));
    reader.sendCommand(4002);
    ASSERT_EQ(waitForStarts(1), "");
    reader.sendCommand(4100);
    ASSERT_EQ(waitForStarts(2), "");
    reader.sendCommand(4101);
    ASSERT_EQ(waitForStarts(3), "");
    waitForBrowsersToEnd(reader);
    const std::vector<BrowserStart> starts = browserStarts();
    ASSERT_EQ(starts.size(), 3u) << describeBrowserLog(m_log);
    EXPECT_NE(starts[0].address.find("teachers"), std::string::npos) << starts[0].address;
    EXPECT_NE(starts[1].address.find("download"), std::string::npos) << starts[1].address;
    EXPECT_NE(starts[2].address.find("glossary"), std::string::npos) << starts[2].address;
    for (const BrowserStart& s : starts) {
        EXPECT_EQ(s.address.compare(0, 8, "https://"), 0);
        EXPECT_EQ(s.argumentCount, 1);
    }
    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, SetupProgramRunsFromTheCurrentDirectoryOnly)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_directory));
    reader.sendCommand(14000);
    settleBrowser(reader, 0);
    ASSERT_EQ(browserStarts().size(), 1u) << "no setup program, nothing started; " << describeBrowserLog(m_log);

    ASSERT_TRUE(CopyFileW(m_fake.c_str(), (m_directory + L"\\Babylon7r_setup.exe").c_str(), FALSE));
    reader.sendCommand(14000);
    ASSERT_EQ(waitForStarts(2), "");
    EXPECT_TRUE(endsWith(browserStarts()[1].program, "\\Babylon7r_setup.exe")) << browserStarts()[1].program;
    reader.postCommand(2000);
    expectExit(reader);
}

TEST_F(ReaderDriverTest, BrowserIsFoundOnceAndStartedByItsQuotedPath)
{
    // A browser under a path with blanks, beside a program that an unquoted
    // command line would start instead.
    const std::wstring folder = L"C:\\Program Files\\Fake Browser";
    const std::wstring browser = folder + L"\\fake_browser.exe";
    const std::wstring planted = L"C:\\Program Files\\Fake.exe";
    const std::wstring other = folder + L"\\other_browser.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(m_fake.c_str(), browser.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(m_fake.c_str(), planted.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(m_fake.c_str(), other.c_str(), FALSE));

    setBrowserCommand(std::wstring());
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_directory));
    reader.sendCommand(4002);
    waitForBrowsersToEnd(reader);
    EXPECT_TRUE(browserStarts().empty()) << "no browser registered; " << describeBrowserLog(m_log);

    setBrowserCommand(L"\"" + browser + L"\" -url \"%1\"");
    reader.sendCommand(4002);
    ASSERT_EQ(waitForStarts(1), "") << "the registry is read again";
    setBrowserCommand(L"\"" + other + L"\" \"%1\"");
    reader.sendCommand(4002);
    ASSERT_EQ(waitForStarts(2), "");
    waitForBrowsersToEnd(reader);
    const std::vector<BrowserStart> starts = browserStarts();
    ASSERT_EQ(starts.size(), 2u) << describeBrowserLog(m_log);
    for (const BrowserStart& s : starts) {
        EXPECT_TRUE(endsWith(s.program, "Fake Browser\\fake_browser.exe")) << s.program;
        EXPECT_EQ(s.argumentCount, 1);
        EXPECT_NE(s.address.find("teachers"), std::string::npos);
    }
    reader.postCommand(2000);
    expectExit(reader);
    DeleteFileW(planted.c_str());
    DeleteFileW(browser.c_str());
    DeleteFileW(other.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(ReaderDriverTest, ExitAndTheCloseBoxEndTheProgram)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_directory));
    EXPECT_TRUE(savedOffsetIs(0)) << "an empty page opens at 0";
    reader.postCommand(2000);
    expectExit(reader);

    ReaderProcess again;
    ASSERT_TRUE(again.start(m_program, m_directory));
    PostMessageW(again.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    expectExit(again);
}
