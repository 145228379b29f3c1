// The real programs on the demo edition, driven from another process: the
// chapter items against the layout dump, both programs' dumps, the store
// links and the author's picture on the screen.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BitmapFiles.h"
#include "LayoutDump.h"
#include "ReaderProcess.h"
#include "ReaderTestSupport.h"
#include "edition/AudioEditions.h"

namespace {

const DWORD Limit = 20000;

class ReaderBookDriverTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_edition = demoEditionDirectory();
        m_program = environmentPath("TAVREMS_PROGRAM");
        ASSERT_FALSE(m_edition.empty()) << "TAVREMS_DEMO_EDITION names the demo edition";
        ASSERT_FALSE(m_program.empty());
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = info->name();
        m_log = useFreshBrowserLog((L"browser-book-" + std::wstring(name.begin(), name.end()) + L".log").c_str());
        writeSavedOffset(nullptr);
    }

    // The layout dump of the demo book made by the dump tool named by the
    // environment variable.
    std::vector<DumpLine> dumpOf(const char* tool, const wchar_t* name, std::string* text = nullptr)
    {
        std::string why;
        const std::string dump = layoutDumpOf(tool, m_edition, currentDirectory() + L"\\" + name, why);
        EXPECT_EQ(why, "") << tool;
        if (text != nullptr)
            *text = dump;
        return parseDumpLines(dump);
    }

    void expectExit(ReaderProcess& reader)
    {
        reader.postCommand(2000);
        DWORD code = 99;
        ASSERT_TRUE(reader.waitForExit(Limit, code));
        EXPECT_EQ(code, 0u);
    }

    std::wstring m_edition;
    std::wstring m_program;
    std::wstring m_log;
};

} // namespace

TEST_F(ReaderBookDriverTest, ChapterItemsSaveTheTopsOfTheirCells)
{
    const std::vector<DumpLine> lines = dumpOf("TAVREMS_LAYOUT_DUMP", L"layout-chapters.txt");
    ASSERT_GT(lines.size(), 1000u);
    writeSavedOffset(nullptr);
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_edition));
    EXPECT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit));

    const std::vector<std::pair<UINT, uint32_t>> chapters = {{7019, 159043}, {7002, 9940}, {7000, 418}};
    for (const auto& chapter : chapters) {
        int32_t top = -1;
        ASSERT_TRUE(dumpTopOfCell(lines, chapter.second, top)) << chapter.second;
        ASSERT_GT(top, 0);
        reader.postCommand(chapter.first);
        EXPECT_TRUE(waitFor([&] { return savedOffsetIs(top); }, Limit)) << chapter.first << " to " << top;
    }

    // Past the chapter table: no scroll step, so no settings write.
    writeSavedOffset(nullptr);
    reader.sendCommand(7020);
    int32_t saved = 0;
    EXPECT_FALSE(readSavedOffset(saved));
    expectExit(reader);
}

TEST_F(ReaderBookDriverTest, BothProgramsLayTheBookOutAlike)
{
    std::string wide;
    std::string narrow;
    const std::vector<DumpLine> w = dumpOf("TAVREMS_LAYOUT_DUMP_W", L"layout-w.txt", &wide);
    const std::vector<DumpLine> a = dumpOf("TAVREMS_LAYOUT_DUMP_A", L"layout-a.txt", &narrow);
    ASSERT_GT(w.size(), 1000u);
    EXPECT_EQ(w.size(), a.size());
    EXPECT_TRUE(wide == narrow) << "the Latin-1 book is laid out the same by both programs";
    EXPECT_NE(wide.find("metrics width 1024 height 768 margin 64 limit 896"), std::string::npos);
    EXPECT_NE(wide.find("picture 0 x 120"), std::string::npos);
    EXPECT_NE(wide.find("size 320 400"), std::string::npos);
}

TEST_F(ReaderBookDriverTest, AboutTheAudioBookOpensBothUsStorePagesInOrder)
{
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_edition));
    reader.sendCommand(4001);
    ASSERT_EQ(waitForBrowserStarts(m_log, 2, Limit), "");
    ASSERT_EQ(waitForChildProcessesToEnd(reader.processId(), Limit), "") << "the browsers it started";
    const std::vector<BrowserStart> starts = readBrowserLog(m_log);
    ASSERT_EQ(starts.size(), 2u) << describeBrowserLog(m_log);
    EXPECT_EQ(starts[0].address, browserArgument(UsStoreFirstEdition));
    EXPECT_EQ(starts[1].address, browserArgument(UsStoreSecondEdition));
    for (const BrowserStart& s : starts)
        EXPECT_EQ(s.argumentCount, 1);
    expectExit(reader);
}

TEST_F(ReaderBookDriverTest, TheAuthorsPictureShowsAfterTheSecondParagraph)
{
    std::string dump;
    dumpOf("TAVREMS_LAYOUT_DUMP", L"layout-picture.txt", &dump);
    int x = 0;
    int y = 0;
    const size_t at = dump.find("picture 0 ");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(dump.c_str() + at, "picture 0 x %d y %d", &x, &y), 2);
    BitmapPixels portrait;
    ASSERT_TRUE(readBitmapFile(m_edition + L"\\Vireau.bmp", portrait));

    writeSavedOffset(nullptr);
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, m_edition));
    // Two points of the portrait that differ from each other and from the page.
    const int px[2] = {portrait.width / 2, portrait.width / 8};
    const int py[2] = {portrait.height * 2 / 5, portrait.height * 7 / 8};
    ASSERT_NE(portrait.at(px[0], py[0]), portrait.at(px[1], py[1]));
    Grab grab;
    EXPECT_TRUE(waitFor(
        [&] {
            grab = grabClient(reader.window());
            return grab.height > y + py[1] && grab.at(x + px[0], y + py[0]) == portrait.at(px[0], py[0]) &&
                   grab.at(x + px[1], y + py[1]) == portrait.at(px[1], py[1]);
        },
        Limit))
        << std::hex << grab.at(x + px[0], y + py[0]) << " " << portrait.at(px[0], py[0]);
    expectExit(reader);
}

TEST_F(ReaderBookDriverTest, WithoutTheBookEveryChapterItemGoesToTheTop)
{
    const std::wstring empty = currentDirectory() + L"\\driver-no-book";
    CreateDirectoryW(empty.c_str(), nullptr);
    ReaderProcess reader;
    ASSERT_TRUE(reader.start(m_program, empty));
    reader.sendScroll(SB_PAGEDOWN, 0);
    for (UINT id = 7000; id < 7020; ++id) {
        writeSavedOffset(nullptr);
        reader.sendCommand(id);
        EXPECT_TRUE(savedOffsetIs(0)) << id;
    }
    expectExit(reader);
}
