// The real reader program in the demo edition, driven from this process as a
// user drives it (SendInput, posted commands), watched through its window's
// pixels, the settings file, the fake browser's log and what it plays, which
// reaches the capture device of this test's HOME (the program shares it).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "EditionSound.h"
#include "LayoutDump.h"
#include "PageInk.h"
#include "ReaderProcess.h"
#include "ReaderTestSupport.h"
#include "SoundTestSupport.h"

namespace {

// Long enough for a loaded machine; a wait ends as soon as its state is reached.
const DWORD Limit = 20000;

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// Paragraph 0 of the edition's book, without its line end.
std::wstring firstParagraph(const std::wstring& edition)
{
    std::string file;
    readFileBytes(edition + L"\\book.txt", file);
    std::wstring text;
    for (size_t i = 2; i + 1 < file.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(static_cast<uint8_t>(file[i]) | static_cast<uint8_t>(file[i + 1]) << 8);
        if (c == L'\r' || c == L'\n')
            break;
        text.push_back(c);
    }
    return text;
}

// The sizes of the capture files so far, in the order the devices were opened.
std::vector<size_t> captureSizes()
{
    std::vector<std::pair<std::string, size_t>> files;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((captureDir() + "\\capture.raw*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            files.push_back(std::make_pair(std::string(found.cFileName), static_cast<size_t>(found.nFileSizeLow)));
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    std::sort(files.begin(), files.end());
    std::vector<size_t> sizes;
    for (const auto& f : files)
        sizes.push_back(f.second);
    return sizes;
}

// The capture of one device must be the expected bytes up to one of the
// given block ends, with silence inserted; answers that block end's index.
bool endsOnABlock(const std::string& capture, const std::string& expected, const std::vector<size_t>& ends,
                  size_t& block)
{
    for (block = 0; block < ends.size(); ++block) {
        if (ends[block] <= expected.size() && captureDeparture8(capture, expected.substr(0, ends[block])).empty())
            return true;
    }
    return false;
}

// The consecutive lines of the layout dump that one of segments first to
// last runs across.
std::vector<LineJoin> segmentJoins(const std::vector<DumpLine>& lines, const AudioSegmentArray& table, uint32_t first,
                                   uint32_t last)
{
    std::vector<LineJoin> joins;
    uint32_t paragraphCell = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const DumpLine& upper = lines[i];
        const DumpLine& lower = lines[i + 1];
        if (i == 0 || upper.paragraph != lines[i - 1].paragraph)
            paragraphCell = upper.firstCell;
        if (lower.paragraph != upper.paragraph)
            continue;
        for (uint32_t s = first; s <= last; ++s) {
            const AudioSegment& segment = table.at(s);
            if (segment.paragraphIndex() == upper.paragraph &&
                paragraphCell + static_cast<uint32_t>(segment.firstChar()) < upper.lastCell &&
                paragraphCell + static_cast<uint32_t>(segment.lastChar()) >= lower.firstCell) {
                joins.push_back(LineJoin{upper, lower});
                break;
            }
        }
    }
    return joins;
}

class ReaderEditionTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_edition = demoEditionDirectory();
        ASSERT_FALSE(m_edition.empty())
            << "the quick demo edition is missing (TAVREMS_DEMO_EDITION): the fixture reader_demo_edition makes it";
        m_program = environmentPath("TAVREMS_PROGRAM");
        ASSERT_FALSE(m_program.empty());
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::wstring wide(name.begin(), name.end());
        m_directory = currentDirectory() + L"\\edition-" + wide;
        m_log = useFreshBrowserLog((L"browser-edition-" + wide + L".log").c_str());
        writeSavedOffset(nullptr);
        clearCapture();
    }

    // Starts the program in the demo edition (or another directory).
    void start(ReaderProcess& reader, const std::wstring& directory = std::wstring())
    {
        ASSERT_TRUE(reader.start(m_program, directory.empty() ? m_edition : directory));
    }

    // The layout dump of the edition's book, made once for the test program.
    const std::vector<DumpLine>& dump()
    {
        static std::vector<DumpLine> lines;
        if (lines.empty()) {
            std::string why;
            const std::wstring path = currentDirectory() + L"\\layout-edition-" + wideVariant() + L".txt";
            lines = parseDumpLines(layoutDumpOf("TAVREMS_LAYOUT_DUMP", m_edition, path, why));
            EXPECT_EQ(why, "");
        }
        return lines;
    }

    static std::wstring wideVariant()
    {
        const std::string variant = testVariant();
        return std::wstring(variant.begin(), variant.end());
    }

    // The client area once it shows the page as the layout dump has it at
    // the saved offset, with whatever `shows` asks besides, and stays so:
    // never a paint half done.
    Grab drawnGrab(ReaderProcess& reader, const char* what, const std::function<bool(const Grab&)>& shows)
    {
        Grab grab;
        std::string why = "it never stayed the same for long";
        const bool drawn = settledGrab(
            reader.window(),
            [&](const Grab& g) {
                int32_t offset = 0;
                why = !readSavedOffset(offset) ? "no saved offset" : pageDeparture(g, dump(), offset);
                if (why.empty() && !shows(g))
                    why = std::string("it does not show ") + what;
                return why.empty();
            },
            Limit, grab);
        EXPECT_TRUE(drawn) << "the page at offset " << savedOffset() << " with " << what << ": " << why;
        return grab;
    }

    Grab pageGrab(ReaderProcess& reader)
    {
        return drawnGrab(reader, "nothing else", [](const Grab&) { return true; });
    }

    // A balloon open on the page, in a picture other than those given.
    Grab balloonGrab(ReaderProcess& reader, std::initializer_list<const Grab*> others = {})
    {
        return drawnGrab(reader, "a new balloon", [&](const Grab& g) {
            for (const Grab* other : others)
                if (samePixels(g, *other))
                    return false;
            return countColor(g, 0, 0, g.width, g.height, BalloonFill) > 1000;
        });
    }

    std::vector<InkLine> linesOf(const Grab& grab) { return inkLines(grab, 0, grab.width); }

    // Sends a "Go to..." item and waits for the page to be drawn with the
    // chapter's first line at the top; answers the saved offset.
    int32_t goTo(ReaderProcess& reader, UINT id, Grab* page = nullptr)
    {
        reader.sendCommand(id);
        const int32_t offset = savedOffset();
        const Grab grab = pageGrab(reader);
        const std::vector<InkLine> lines = linesOf(grab);
        EXPECT_TRUE(!lines.empty() && lines[0].top <= 5) << "the first line of item " << id << " at the top";
        if (page != nullptr)
            *page = grab;
        return offset;
    }

    // The lines of the page drawn after a "Go to..." item.
    std::vector<InkLine> pageLines(ReaderProcess& reader, UINT id, Grab* grab = nullptr)
    {
        Grab page;
        goTo(reader, id, &page);
        if (grab != nullptr)
            *grab = page;
        return linesOf(page);
    }

    // File, Exit from the keyboard, and the end of the process.
    void exitByMenu(ReaderProcess& reader, DWORD limit = Limit)
    {
        reader.keys({VK_F10, VK_RETURN, VK_RETURN});
        expectExit(reader, limit);
    }

    void expectExit(ReaderProcess& reader, DWORD limit = Limit)
    {
        DWORD code = 99;
        ASSERT_TRUE(reader.waitForExit(limit, code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
    }

    std::wstring m_edition;
    std::wstring m_program;
    std::wstring m_directory;
    std::wstring m_log;
};

// The scenarios drive the wide program; the narrow one's test program runs
// a test of its own on what differs.
class WideProgramTest : public ReaderEditionTest {
protected:
    void SetUp() override
    {
        if (std::string(testVariant()) != "w")
            GTEST_SKIP() << "run by the wide program's tests";
        ReaderEditionTest::SetUp();
    }
};

class NarrowProgramTest : public ReaderEditionTest {
protected:
    void SetUp() override
    {
        if (std::string(testVariant()) != "a")
            GTEST_SKIP() << "run by the narrow program's tests";
        ReaderEditionTest::SetUp();
    }
};

} // namespace

TEST(CaptureDeparture8, OnlyInsertedSilenceIsAllowed)
{
    const std::string expected = bytes({0x41, 0x80, 0x80, 0x7F, 0x42});
    EXPECT_EQ(captureDeparture8(expected, expected), "");
    EXPECT_EQ(captureDeparture8(bytes({0x80, 0x41, 0x80, 0x80, 0x80, 0x7F, 0x80, 0x42, 0x80}), expected), "");
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x7F, 0x42}), expected), "") << "a silent byte of the track lost";
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x80, 0x7F}), expected), "") << "the last byte lost";
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x80, 0x7F, 0x7F, 0x42}), expected), "")
        << "a byte other than silence inserted";
    EXPECT_NE(captureDeparture8(bytes({0x41, 0x80, 0x80, 0x7F, 0x42, 0x42}), expected), "") << "a byte played twice";
    EXPECT_NE(captureDeparture8(bytes({0x80, 0x7F, 0x41, 0x80, 0x42}), expected), "") << "bytes out of order";
    EXPECT_EQ(captureDeparture8(bytes({0x80, 0x80}), ""), "");
}

TEST_F(ReaderEditionTest, ExpectedSoundComesFromTheTableAndTheTracks)
{
    EditionSound sound(m_edition);
    // Track 11 holds 164,890 ms of sound at 8,000 bytes a second.
    const EditionTrack* t11 = sound.track("omblt11.wav");
    ASSERT_NE(t11, nullptr);
    EXPECT_EQ(t11->bytesPerSecond, QuickEditionBytesPerSecond);
    EXPECT_EQ(t11->durationMs(), 164890u);
    EXPECT_EQ(t11->endMs(), 164000u);
    EXPECT_EQ(sound.trackName(1194), "omblt11.wav");
    EXPECT_EQ(sound.trackName(1198), "omblt11.wav");
    EXPECT_EQ(sound.trackName(1199), "omblt12.wav");
    const AudioSegment& s1198 = sound.table().at(1198);
    EXPECT_EQ(s1198.end().toMilliseconds(), 164390u);
    // Its tail pause ends before it starts: the 2 ms before 164,000 ms.
    EXPECT_EQ(sound.pauseBytes(1198), t11->data.substr(1311984, 16));
    // At 8,000 bytes a second every millisecond is 8 whole bytes.
    const AudioSegment& s1194 = sound.table().at(1194);
    EXPECT_EQ(sound.segmentBytes(1194),
              t11->data.substr(s1194.start().toMilliseconds() * 8,
                               (s1194.end().toMilliseconds() - s1194.start().toMilliseconds()) * 8));

    const std::vector<std::string> devices = sound.playedBytes(1194, 1199, false);
    ASSERT_EQ(devices.size(), 2u) << "the chain changes track after 1198";
    EXPECT_EQ(devices[0].substr(devices[0].size() - 16), sound.pauseBytes(1198));
    EXPECT_EQ(devices[1], sound.segmentBytes(1199));
    EXPECT_EQ(sound.track("omblt46.wav"), nullptr);
}

TEST_F(ReaderEditionTest, StartsInTheDemoEditionWithoutOpeningASoundDevice)
{
    // Without one track, as for a reader who has not extracted it.
    ASSERT_TRUE(linkEdition(m_edition, m_directory, {L"omblt12.wav"}));
    EditionSound linked(m_directory);
    EXPECT_NE(linked.track("omblt11.wav"), nullptr);
    EXPECT_EQ(linked.track("omblt12.wav"), nullptr);
    ReaderProcess reader;
    start(reader, m_directory);
    RECT client = {0, 0, 0, 0};
    GetClientRect(reader.window(), &client);
    EXPECT_GT(client.right, 900) << "maximised over the 1024 x 768 screen";
    int32_t offset = -1;
    EXPECT_TRUE(waitFor([&] { return readSavedOffset(offset); }, Limit)) << "start-up writes the offset";
    EXPECT_EQ(offset, 0) << "no saved offset opens the page at its top";
    reader.postCommand(2000);
    DWORD code = 99;
    ASSERT_TRUE(reader.waitForExit(Limit, code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(readCapture().empty()) << "no output device is opened before something is played";
}

TEST_F(WideProgramTest, OpensWhereItWasLeftAndScrollsByKeysAndWheel)
{
    Grab at1240;
    {
        ReaderProcess reader;
        start(reader);
        EXPECT_TRUE(IsZoomed(reader.window()));
        RECT client = {0, 0, 0, 0};
        GetClientRect(reader.window(), &client);
        EXPECT_EQ(client.right, 1007);
        EXPECT_EQ(client.bottom, 730);
        EXPECT_EQ(reader.title(), firstParagraph(m_edition)) << "paragraph 0 without its line end";
        EXPECT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit)) << "no saved offset: the top";

        for (int i = 0; i < 4; ++i)
            reader.key(VK_NEXT);
        reader.keys({VK_DOWN, VK_DOWN});
        ASSERT_TRUE(waitFor([] { return savedOffsetIs(1240); }, Limit)) << savedOffset();
        at1240 = pageGrab(reader);
        ASSERT_FALSE(linesOf(at1240).empty());

        // Each key and wheel step, and where it goes.
        const std::vector<std::pair<std::function<void()>, int32_t>> steps = {
            {[&] { reader.key(VK_PRIOR); }, 940}, {[&] { reader.key(VK_NEXT); }, 1240},
            {[&] { reader.key(VK_UP); }, 1220},   {[&] { reader.key(VK_DOWN); }, 1240},
            {[&] { reader.wheel(-120); }, 1260},  {[&] { reader.wheel(120); }, 1240},
        };
        for (const auto& step : steps) {
            step.first();
            EXPECT_TRUE(waitFor([&] { return savedOffsetIs(step.second); }, Limit))
                << "to " << step.second << ", at " << savedOffset();
        }
        EXPECT_TRUE(waitFor([&] { return samePixels(grabClient(reader.window()), at1240); }, Limit))
            << "back where it was";

        // Characters whose codes are those of the scrolling keys, typed and
        // posted: neither the page nor the settings move. A line down and up
        // after each write the settings file again, in that order.
        for (wchar_t c : {L'!', L'"', L'&', L'('}) {
            writeSavedOffset(nullptr);
            reader.typeChar(c);
            reader.keys({VK_DOWN, VK_UP});
            EXPECT_TRUE(waitFor([] { return savedOffsetIs(1240); }, Limit))
                << "typed " << static_cast<char>(c) << ": " << savedOffset();
            writeSavedOffset(nullptr);
            PostMessageW(reader.window(), WM_CHAR, c, 0);
            PostMessageW(reader.window(), WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(reader.window(), WM_KEYDOWN, VK_UP, 0);
            EXPECT_TRUE(waitFor([] { return savedOffsetIs(1240); }, Limit))
                << "posted " << static_cast<char>(c) << ": " << savedOffset();
        }
        EXPECT_TRUE(waitFor([&] { return samePixels(grabClient(reader.window()), at1240); }, Limit));

        // At the top a step up still writes the offset.
        for (int i = 0; i < 5; ++i)
            reader.key(VK_PRIOR);
        ASSERT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit));
        writeSavedOffset(nullptr);
        reader.key(VK_UP);
        EXPECT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit));
        // Back to 1240 for the exit.
        reader.sendScroll(SB_PAGEDOWN, 0);
        reader.sendScroll(SB_PAGEDOWN, 0);
        reader.sendScroll(SB_PAGEDOWN, 0);
        reader.sendScroll(SB_PAGEDOWN, 0);
        reader.sendScroll(SB_LINEDOWN, 0);
        reader.sendScroll(SB_LINEDOWN, 0);
        EXPECT_TRUE(savedOffsetIs(1240));
        exitByMenu(reader);
    }

    // The next start opens there, and shows the same.
    {
        EXPECT_TRUE(savedOffsetIs(1240));
        ReaderProcess reader;
        start(reader);
        EXPECT_TRUE(IsZoomed(reader.window()));
        EXPECT_TRUE(savedOffsetIs(1240));
        Grab grab;
        EXPECT_TRUE(waitFor([&] { return sameInk(grab = grabClient(reader.window()), at1240); }, Limit));
        exitByMenu(reader);
    }

    // A saved offset past the page opens at its end; one below 0 at the top.
    int32_t maximum = -1;
    {
        writeSavedOffset(L"100000000");
        ReaderProcess reader;
        start(reader);
        ASSERT_TRUE(waitFor([&] { return (maximum = savedOffset()) != 100000000; }, Limit));
        EXPECT_GT(maximum, 10000);
        writeSavedOffset(nullptr);
        reader.key(VK_NEXT);
        EXPECT_TRUE(waitFor([&] { return savedOffsetIs(maximum); }, Limit)) << "no further";
        exitByMenu(reader);
    }
    for (const wchar_t* saved : {L"-480", L"0"}) {
        writeSavedOffset(saved);
        ReaderProcess reader;
        start(reader);
        EXPECT_TRUE(waitFor([] { return savedOffsetIs(0); }, Limit)) << savedOffset();
        exitByMenu(reader);
    }
}

TEST_F(WideProgramTest, GoToBringsEachPartAndChapterToTheTop)
{
    ReaderProcess reader;
    start(reader);
    std::vector<int32_t> offsets;
    for (UINT id = 7000; id < 7020; ++id) {
        offsets.push_back(goTo(reader, id));
        if (offsets.size() > 1) {
            EXPECT_GE(offsets.back(), offsets[offsets.size() - 2]) << id;
        }
    }
    EXPECT_EQ(offsets[0], offsets[1]) << "the first part and its first chapter begin together";
    EXPECT_NE(offsets[7], offsets[8]) << "the second part's title has a paragraph of its own";
    EXPECT_GT(offsets[0], 0);

    // The same item again writes the same offset again.
    writeSavedOffset(nullptr);
    reader.sendCommand(7019);
    EXPECT_TRUE(savedOffsetIs(offsets[19]));

    // The real menu: File, then "Go to...", its fourth item.
    goTo(reader, 7000);
    reader.keys({VK_F10, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(waitFor([&] { return savedOffsetIs(offsets[3]); }, Limit)) << savedOffset();
    exitByMenu(reader);
}

TEST_F(WideProgramTest, LeftClicksStepABalloonThroughTheVisibleTranslations)
{
    ReaderProcess reader;
    start(reader);
    Grab page;
    const std::vector<InkLine> lines = pageLines(reader, 7003, &page);
    ASSERT_GE(lines.size(), 3u);
    // A: the chapter's title; B: its summary, the next paragraph.
    const InkLine a = lines[0];
    const InkLine b = lines[1];
    ASSERT_TRUE(a.indented() && b.indented());
    // Successive clicks never at the same place: two would make a double click.
    int step = 0;
    auto click = [&](const InkLine& line) {
        const InkRun& word = line.runs.front();
        step = (step + 1) % 4;
        reader.leftClick(word.left + 4 + 8 * step, line.centreY());
    };
    auto shows = [&](const Grab& expected) {
        return waitFor([&] { return samePixels(grabClient(reader.window()), expected); }, Limit);
    };
    auto newBalloon = [&](std::initializer_list<const Grab*> others) { return balloonGrab(reader, others); };

    click(a);
    const Grab russianA = newBalloon({&page});
    EXPECT_GT(countColor(russianA, 0, 0, russianA.width, russianA.height, OutlineTeal), 20) << "the dotted outline";
    EXPECT_GT(countColor(russianA, 0, a.bottom, russianA.width, russianA.height, BalloonFill), 1000)
        << "the balloon below its sentence";
    click(a);
    const Grab englishA = newBalloon({&page, &russianA});
    click(a);
    EXPECT_TRUE(shows(page)) << "after the last translation: closed";
    click(a);
    EXPECT_TRUE(shows(russianA)) << "and the first again";

    // On B while A's is open: closed, none opens; then B's own.
    click(b);
    EXPECT_TRUE(shows(page));
    click(b);
    const Grab russianB = newBalloon({&page, &russianA, &englishA});
    click(b);
    const Grab englishB = newBalloon({&page, &russianA, &englishA, &russianB});
    click(b);
    EXPECT_TRUE(shows(page));

    // English hidden: the second click closes.
    reader.sendCommand(8001);
    click(a);
    EXPECT_TRUE(shows(russianA));
    click(a);
    EXPECT_TRUE(shows(page));

    // A cycle broken off at English by a click on B: B opens on English,
    // also once English is hidden.
    reader.sendCommand(8001);
    click(a);
    EXPECT_TRUE(shows(russianA));
    click(a);
    EXPECT_TRUE(shows(englishA));
    click(b);
    EXPECT_TRUE(shows(page));
    reader.sendCommand(8001);
    click(b);
    EXPECT_TRUE(shows(englishB));
    EXPECT_TRUE(readBrowserLog(m_log).empty()) << "no click made a double click; " << describeBrowserLog(m_log);
    exitByMenu(reader);
}

TEST_F(WideProgramTest, DoubleClicksLookWordsUpAndColourThem)
{
    ReaderProcess reader;
    start(reader);
    std::vector<InkLine> lines = pageLines(reader, 7002);
    ASSERT_GE(lines.size(), 1u);
    const InkLine title = lines[0];
    ASSERT_EQ(title.runs.size(), 2u) << "CHAPITRE II";
    auto blueIn = [&](const InkRun& run, const InkLine& line) {
        const Grab grab = grabClient(reader.window());
        return countColor(grab, run.left, line.top, run.right + 1, line.bottom + 1, LookedUpBlue);
    };
    reader.doubleClick(title.runs[0].centre(), title.centreY());
    ASSERT_EQ(waitForBrowserStarts(m_log, 1, Limit), "");
    EXPECT_TRUE(endsWith(readBrowserLog(m_log)[0].address, "term=CHAPITRE&tl=EN&uil=FR"))
        << readBrowserLog(m_log)[0].address;
    EXPECT_TRUE(waitFor([&] { return blueIn(title.runs[0], title) > 20; }, Limit)) << "the word turns blue";

    // German, and the middle button.
    reader.sendCommand(15003);
    reader.middleClick(title.runs[1].centre(), title.centreY());
    ASSERT_EQ(waitForBrowserStarts(m_log, 2, Limit), "");
    EXPECT_TRUE(endsWith(readBrowserLog(m_log)[1].address, "term=II&tl=DE&uil=FR")) << readBrowserLog(m_log)[1].address;
    EXPECT_TRUE(waitFor([&] { return blueIn(title.runs[1], title) > 10; }, Limit));
    EXPECT_GT(blueIn(title.runs[0], title), 20) << "the first word stays blue";

    // Chapter VI's first paragraph opens with a quotation mark and ends with
    // one: neither they nor a blank are words.
    lines = pageLines(reader, 7006);
    ASSERT_GE(lines.size(), 8u);
    const InkLine first = lines[2];
    ASSERT_TRUE(first.indented());
    const InkLine end = lines[paragraphEnd(lines, 3)];
    reader.doubleClick(first.runs[0].centre(), first.centreY());
    reader.doubleClick((first.runs[0].right + first.runs[1].left) / 2, first.centreY());
    reader.doubleClick(end.runs.back().centre(), end.centreY());
    // A word after them, which reaches the browser after whatever they would have.
    reader.doubleClick(first.runs[1].centre(), first.centreY());
    ASSERT_EQ(waitForBrowserStarts(m_log, 3, Limit), "");
    reader.sync();
    const std::vector<BrowserStart> starts = readBrowserLog(m_log);
    ASSERT_EQ(starts.size(), 3u) << describeBrowserLog(m_log);
    EXPECT_TRUE(endsWith(starts[2].address, "term=Margot&tl=DE&uil=FR")) << starts[2].address;
    exitByMenu(reader);
}

TEST_F(WideProgramTest, PlaysFromTheClickedSegmentColouringItAndFollowingIt)
{
    EditionSound sound(m_edition);
    ReaderProcess reader;
    start(reader);
    const std::vector<InkLine> chapter = pageLines(reader, 7006);
    ASSERT_GE(chapter.size(), 3u);
    // "« Margot emporta le panier parfois. ...": segment 1194 from "Margot".
    const InkLine first = chapter[2];
    ASSERT_TRUE(first.indented());
    const int32_t chapterOffset = savedOffset();
    // A page up: the line stands in the middle of the window, where 1194 to
    // 1199 play on a page that stays still; the segments after them take it
    // to the bottom, where the page starts following.
    reader.key(VK_PRIOR);
    ASSERT_TRUE(waitFor([&] { return savedOffsetIs(chapterOffset - 300); }, Limit));
    const int32_t startOffset = chapterOffset - 300;
    const int clickedTop = first.top + 300;
    ASSERT_NE(lineNear(linesOf(pageGrab(reader)), clickedTop), nullptr);
    const int clickedLine = pageLineOfInk(clickedTop, startOffset);
    // The page follows once a segment's last character lies in the bottom
    // 100 pixels: 1199's must lie above them.
    RECT client = {0, 0, 0, 0};
    GetClientRect(reader.window(), &client);
    const AudioSegment& s1199 = sound.table().at(1199);
    int32_t end1199 = -1;
    for (const DumpLine& line : dump()) {
        if (line.paragraph == s1199.paragraphIndex()) {
            ASSERT_TRUE(dumpTopOfCell(dump(), line.firstCell + static_cast<uint32_t>(s1199.lastChar()), end1199));
            break;
        }
    }
    ASSERT_GT(end1199 - startOffset, clickedTop);
    ASSERT_LE(end1199 - startOffset, client.bottom - 100) << "1194 to 1199 play on a page that stays still";

    reader.rightClick(first.runs[1].centre(), clickedTop + (first.bottom - first.top) / 2);

    // A grab of a whole state with the offset it shows, proven by the page's
    // lines standing where the layout dump puts them at that offset (the
    // program saves each step before it repaints, so the offset read alone
    // proves nothing) and by each segment's green running on across its line
    // breaks (see joinsAgree).
    const std::vector<LineJoin> joins = segmentJoins(dump(), sound.table(), 1194, 1240);
    ASSERT_GE(joins.size(), 10u);
    auto shownGrab = [&](int32_t& offset, Grab& grab) {
        if (!readSavedOffset(offset))
            return false;
        grab = grabClient(reader.window());
        return pageDeparture(grab, dump(), offset).empty() && joinsAgree(grab, offset, joins, HeardGreen);
    };
    // Each new green begins after the one before has ended.
    std::vector<TextPlace> fronts;
    TextPlace lastBack{0, 0};
    auto follow = [&](const TextPlace& front, const TextPlace& back) {
        if (fronts.empty()) {
            EXPECT_EQ(front.line, clickedLine) << "the clicked line turns green first";
        } else if (front != fronts.back()) {
            EXPECT_TRUE(lastBack < front)
                << "green at line " << front.line << " x " << front.x << " while the segment before ended at line "
                << lastBack.line << " x " << lastBack.x;
        }
        if (fronts.empty() || front != fronts.back()) {
            fronts.push_back(front);
            lastBack = back;
        } else if (lastBack < back) {
            lastBack = back;
        }
    };

    // 1194 to 1199, one at a time, until the next track plays.
    const ULONGLONG end = GetTickCount64() + playLimitMs(joined(sound.playedBytes(1194, 1199, false)).size());
    while (GetTickCount64() < end && !(captureSizes().size() >= 2 && fronts.size() >= 6)) {
        int32_t offset = 0;
        Grab grab;
        TextPlace front{0, 0};
        TextPlace back{0, 0};
        if (!shownGrab(offset, grab))
            continue;
        EXPECT_EQ(offset, startOffset) << "the page stays still";
        if (colourSpan(grab, offset, HeardGreen, front, back))
            follow(front, back);
    }
    ASSERT_GE(fronts.size(), 6u) << "segments 1194 to 1199 each turned green";

    // Further on the page follows, 5 pixels a step, for twenty steps and
    // more, also after a lookup on a line already heard, with the middle
    // button (a double click's first click is a left click), made after five
    // steps. The page moves on meanwhile: the click goes where the line is
    // by then, or, should it have left the window, a line of a later segment
    // is taken.
    const int32_t Step = 5;
    std::vector<int32_t> offsets;
    bool lookedUp = false;
    int32_t offsetAtLookup = 0;
    auto watchedEnough = [&] {
        return lookedUp && !offsets.empty() && offsets.back() - startOffset >= 20 * Step &&
               offsets.back() - offsetAtLookup >= 10 * Step;
    };
    const ULONGLONG later = GetTickCount64() + playLimitMs(joined(sound.playedBytes(1199, 1230, false)).size());
    while (GetTickCount64() < later && !watchedEnough()) {
        int32_t offset = 0;
        Grab grab;
        TextPlace front{0, 0};
        TextPlace back{0, 0};
        if (!shownGrab(offset, grab))
            continue;
        offsets.push_back(offset);
        if (!colourSpan(grab, offset, HeardGreen, front, back))
            continue;
        follow(front, back);
        if (lookedUp || offset < startOffset + 5 * Step)
            continue;
        for (const InkLine& line : linesOf(grab)) {
            if (pageLineOfInk(line.top, offset) == front.line - 1 && line.runs.size() > 3) {
                const int pageY = line.centreY() + offset;
                lookedUp = reader.middleClickAt(line.runs[2].centre(), [pageY] { return pageY - savedOffset(); });
                if (lookedUp) {
                    ASSERT_TRUE(waitFor([&] { return readSavedOffset(offsetAtLookup); }, Limit));
                }
                break;
            }
        }
    }
    ASSERT_TRUE(lookedUp) << "no line heard stayed in the window while the page followed";
    EXPECT_EQ(waitForBrowserStarts(m_log, 1, Limit), "") << "the lookup during playback";
    ASSERT_FALSE(offsets.empty());
    EXPECT_TRUE(watchedEnough()) << "followed from " << startOffset << " to " << offsets.back() << ", looked up at "
                                 << offsetAtLookup;
    for (size_t i = 1; i < offsets.size(); ++i) {
        EXPECT_GE(offsets[i], offsets[i - 1]) << "never backwards";
        EXPECT_EQ((offsets[i] - startOffset) % Step, 0) << offsets[i];
    }

    // Stop: the green goes at once, and what was queued plays out.
    const size_t playedAtStop = captureSizes().back();
    reader.rightClick(500, 300);
    Grab grab;
    ASSERT_TRUE(waitFor(
        [&] {
            grab = grabClient(reader.window());
            return countColor(grab, 0, 0, grab.width, grab.height, HeardGreen) == 0;
        },
        Limit));
    const int32_t stopOffset = savedOffset();
    // The play-out: the track's bytes in the capture grow for a while, then
    // stop at a block's end, while the idle device goes on writing silence:
    // it has nothing left to play once it has written silence for a second
    // after that block.
    const uint32_t last = 1260;
    const std::string track12 = sound.playedBytes(1199, last, true)[0];
    const std::vector<size_t> ends = sound.playedBlockEnds(1199, last, true)[0];
    size_t block = 0;
    size_t quietBlock = ends.size();
    size_t quietSize = 0;
    ULONGLONG quietSince = 0;
    ULONGLONG lastRead = 0;
    std::string playOut = "no second capture file";
    ASSERT_TRUE(waitFor(
        [&] {
            EXPECT_EQ(countColor(grab = grabClient(reader.window()), 0, 0, grab.width, grab.height, HeardGreen), 0);
            // Finding the block end reads the whole capture: ten times a second is enough.
            if (GetTickCount64() - lastRead < 100)
                return false;
            lastRead = GetTickCount64();
            const std::vector<std::string> files = readCapture();
            if (files.size() < 2)
                return false;
            if (!endsOnABlock(files[1], track12, ends, block)) {
                playOut = "between two block ends: " + captureDeparture8(files[1], track12);
                quietBlock = ends.size();
                return false;
            }
            if (block != quietBlock) {
                quietBlock = block;
                quietSize = files[1].size();
                quietSince = GetTickCount64();
            }
            playOut = "at the end of block " + std::to_string(block) + " for " +
                      std::to_string(GetTickCount64() - quietSince) + " ms, " +
                      std::to_string(files[1].size() - quietSize) + " bytes of silence since";
            return GetTickCount64() - quietSince >= 1000 && files[1].size() > quietSize;
        },
        playLimitMs(8 * 16384)))
        << "the play-out, now " << playOut;
    EXPECT_TRUE(savedOffsetIs(stopOffset)) << "the page stopped following at the stop";
    exitByMenu(reader);

    const std::vector<std::string> files = readCapture();
    ASSERT_EQ(files.size(), 2u);
    const std::vector<std::string> track11 = sound.playedBytes(1194, 1198, true);
    ASSERT_EQ(track11.size(), 1u);
    EXPECT_EQ(captureDeparture8(files[0], track11[0]), "") << "1194 to 1198 and their pauses, in one device";
    ASSERT_TRUE(endsOnABlock(files[1], track12, ends, block)) << captureDeparture8(files[1], track12);
    const size_t atStop = capturedBytes8(files[1].substr(0, playedAtStop), track12);
    size_t stopBlock = 0;
    while (stopBlock < ends.size() && ends[stopBlock] < atStop)
        ++stopBlock;
    EXPECT_LE(block, stopBlock + 8) << "at most the eight queued blocks after the stop";
}

TEST_F(WideProgramTest, AQuickStopAndPlayPlaysTheOldBlocksThenTheNewChain)
{
    EditionSound sound(m_edition);
    ReaderProcess reader;
    start(reader);
    const std::vector<InkLine> lines = pageLines(reader, 7006);
    ASSERT_GE(lines.size(), 3u);
    // "« Margot emporta le panier parfois. La jeune femme ...": 1194 from
    // "Margot", 1195 from "La".
    const InkLine first = lines[2];
    ASSERT_GE(first.runs.size(), 8u);
    const std::string chain1194 = sound.playedBytes(1194, 1198, true)[0];
    const std::string chain1195 = sound.playedBytes(1195, 1198, true)[0];
    reader.rightClick(first.runs[1].centre(), first.centreY());
    ASSERT_EQ(waitForCapture(0, chain1194, 20001), "");
    // Stop and play again at once.
    const POINT stop = {500, 400};
    const POINT play = {first.runs[6].centre(), first.centreY()};
    reader.rightClicks({stop, play});
    ASSERT_EQ(waitForCapture(1, chain1195, 40001), "")
        << "green " << countColor(grabClient(reader.window()), 0, 0, 1007, 730, HeardGreen) << "; first "
        << capturedBytes8(readCapture()[0], chain1194) << " of " << chain1194.size();
    exitByMenu(reader);

    const std::vector<std::string> files = readCapture();
    ASSERT_EQ(files.size(), 2u) << "a new device for the new playback";
    size_t block = 0;
    EXPECT_TRUE(endsOnABlock(files[0], chain1194, sound.playedBlockEnds(1194, 1198, true)[0], block))
        << "the old playback's whole blocks: " << captureDeparture8(files[0], chain1194);
    // The exit cut the new one short: what it played is the new chain's start.
    const size_t played = capturedBytes8(files[1], chain1195);
    EXPECT_GT(played, 40000u);
    EXPECT_EQ(captureDeparture8(files[1], chain1195.substr(0, played)), "") << "nothing else in between";
}

TEST_F(WideProgramTest, PlaybackEndsAtTheBooksEndAndAtAMissingTrack)
{
    EditionSound sound(m_edition);
    const std::string last = sound.segmentBytes(4047);
    ASSERT_GT(last.size(), 100000u);
    {
        // The end of the page shows the book's last sentence, segment 4047.
        writeSavedOffset(L"100000000");
        ReaderProcess reader;
        start(reader);
        const std::vector<InkLine> lines = linesOf(pageGrab(reader));
        ASSERT_FALSE(lines.empty());
        const InkLine end = lines.back();
        ASSERT_GE(end.runs.size(), 4u);
        const POINT segment = {end.runs[end.runs.size() - 2].centre(), end.centreY()};
        reader.rightClick(segment.x, segment.y);
        ASSERT_EQ(waitForCapture(0, last, last.size()), "") << "the last segment plays";
        ASSERT_EQ(readCapture().size(), 1u) << "in one device";
        // Still playing as far as the window knows: the next click only
        // stops; a key after it shows it was handled. (Two clicks at one
        // place would make a double click.)
        reader.rightClick(500, 300);
        writeSavedOffset(nullptr);
        reader.key(VK_DOWN);
        ASSERT_TRUE(waitFor([] { return savedOffset() > 0; }, Limit));
        reader.rightClick(segment.x, segment.y);
        ASSERT_EQ(waitForCapture(1, last, last.size()), "") << "the click after it plays again, all of it";
        exitByMenu(reader);
        const std::vector<std::string> files = readCapture();
        ASSERT_EQ(files.size(), 2u);
        for (const std::string& file : files)
            EXPECT_EQ(captureDeparture8(file, last), "") << "the segment, and no pause after the last";
    }

    // A reader without track 12: track 11 plays to its end, then the dialog.
    clearCapture();
    ASSERT_TRUE(linkEdition(m_edition, m_directory, {L"omblt12.wav"}));
    writeSavedOffset(nullptr);
    ReaderProcess reader;
    start(reader, m_directory);
    const std::vector<InkLine> lines = pageLines(reader, 7006);
    ASSERT_GE(lines.size(), 6u);
    // "... Le garçon cherchait le village sous la pluie... »": segment 1198.
    const InkLine end = lines[paragraphEnd(lines, 3)];
    const POINT s1198 = {end.runs[end.runs.size() - 2].centre(), end.centreY()};
    auto dialog = [&] {
        HWND found = findProcessWindow(reader.processId(), L"#32770");
        wchar_t caption[64] = {0};
        if (found != nullptr)
            GetWindowTextW(found, caption, 64);
        return lstrcmpW(caption, L"Ombrelune CD") == 0 ? found : nullptr;
    };
    const std::string tail = sound.playedBytes(1198, 1198, true)[0];
    reader.rightClick(s1198.x, s1198.y);
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = dialog()) != nullptr; }, playLimitMs(tail.size())))
        << "the dialog after track 11's end: " << waitForCapture(0, tail, tail.size());
    EXPECT_FALSE(IsWindowEnabled(reader.window())) << "the dialog is modal";
    std::vector<std::string> files = readCapture();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(captureDeparture8(files[0], tail), "") << "track 11 played to its end first";
    PostMessageW(GetDlgItem(box, 3), BM_CLICK, 0, 0);
    ASSERT_EQ(waitForBrowserStarts(m_log, 2, Limit), "") << "\"In U.S.\": both store pages";
    EXPECT_TRUE(IsWindow(box));
    PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box) && IsWindowEnabled(reader.window()); }, Limit));

    // The next click only stops; the one after plays and ends in the dialog again.
    const int32_t offset = savedOffset();
    reader.rightClick(500, 300);
    writeSavedOffset(nullptr);
    reader.keys({VK_DOWN, VK_UP});
    ASSERT_TRUE(waitFor([&] { return savedOffsetIs(offset); }, Limit));
    EXPECT_EQ(readCapture().size(), 1u);
    reader.rightClick(s1198.x, s1198.y);
    ASSERT_TRUE(waitFor([&] { return (box = dialog()) != nullptr; }, playLimitMs(tail.size())))
        << "the dialog again: " << waitForCapture(1, tail, tail.size());
    files = readCapture();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(captureDeparture8(files[1], tail), "");

    // An exit while the dialog waits on the player's thread ends the program.
    reader.postCommand(2000);
    expectExit(reader, Limit);
}

TEST_F(WideProgramTest, ExitDuringPlaybackEndsCleanlyAndTheNextStartShowsTheSamePage)
{
    EditionSound sound(m_edition);
    const std::string chain = sound.playedBytes(1194, 1198, true)[0];
    // Each way: where it plays from, and when it exits.
    enum class When { MidSegment, PlayingOutAfterAStop, AtTheTrackChange };
    for (When when : {When::MidSegment, When::PlayingOutAfterAStop, When::AtTheTrackChange}) {
        SCOPED_TRACE(testing::Message() << "exit " << static_cast<int>(when));
        clearCapture();
        writeSavedOffset(nullptr);
        Grab before;
        int32_t offset = -1;
        {
            ReaderProcess reader;
            start(reader);
            // The page as it stays while it plays (only colours change).
            const std::vector<InkLine> lines = pageLines(reader, 7006, &before);
            ASSERT_GE(lines.size(), 6u);
            const InkLine first = lines[2];
            offset = savedOffset();
            reader.rightClick(first.runs[1].centre(), first.centreY());
            if (when == When::AtTheTrackChange) {
                // Once 1196 sounds, the ring of eight holds the rest of track
                // 11 (1196 to 1198 with their pauses, some seconds of sound),
                // and the player waits for it to play before it opens track 12.
                ASSERT_EQ(waitForCapture(0, chain, sound.playedBytes(1194, 1195, true)[0].size() + 1), "");
            } else {
                ASSERT_EQ(waitForCapture(0, chain, 20001), "");
                if (when == When::PlayingOutAfterAStop)
                    reader.rightClick(500, 300);
            }
            const ULONGLONG t0 = GetTickCount64();
            exitByMenu(reader, 5000);
            EXPECT_LT(GetTickCount64() - t0, 5000u);
        }
        // What it played is the chain's start, cut short.
        std::vector<std::string> files = readCapture();
        ASSERT_EQ(files.size(), 1u);
        const size_t played = capturedBytes8(files[0], chain);
        EXPECT_GT(played, 0u);
        EXPECT_EQ(captureDeparture8(files[0], chain.substr(0, played)), "");
        const std::vector<size_t> sizes = captureSizes();
        EXPECT_TRUE(savedOffsetIs(offset));

        ReaderProcess reader;
        start(reader);
        EXPECT_TRUE(waitFor([&] { return sameInk(grabClient(reader.window()), before); }, Limit))
            << "the same page again";
        EXPECT_TRUE(savedOffsetIs(offset));
        EXPECT_TRUE(captureSizes() == sizes) << "nothing more played";
        exitByMenu(reader);
    }
}

TEST_F(NarrowProgramTest, ShowsTheBookTheBalloonsAndPlays)
{
    const std::wstring wide = environmentPath("TAVREMS_WIDE_PROGRAM");
    ASSERT_FALSE(wide.empty());
    EditionSound sound(m_edition);
    // The book's first line: its title, paragraph 0, sentence 0 (whose
    // Russian balloon holds Cyrillic), segment 0.
    auto showBalloon = [&](ReaderProcess& reader, Grab& page, InkLine& title) {
        page = pageGrab(reader);
        const std::vector<InkLine> lines = linesOf(page);
        EXPECT_FALSE(lines.empty());
        if (lines.empty())
            return Grab();
        title = lines[0];
        reader.leftClick(title.runs[1].centre(), title.centreY());
        return balloonGrab(reader);
    };
    Grab widePage;
    Grab wideBalloon;
    InkLine title{0, 0, {}};
    {
        ReaderProcess reader;
        ASSERT_TRUE(reader.start(wide, m_edition));
        wideBalloon = showBalloon(reader, widePage, title);
        exitByMenu(reader);
    }

    ReaderProcess reader;
    start(reader);
    EXPECT_EQ(reader.title(), firstParagraph(m_edition));
    Grab page;
    const Grab shown = showBalloon(reader, page, title);
    EXPECT_TRUE(samePixels(page, widePage)) << "the page as the wide program shows it";
    EXPECT_TRUE(samePixels(shown, wideBalloon)) << "the Cyrillic balloon as the wide program shows it";
    ASSERT_GE(title.runs.size(), 3u);
    reader.rightClick(title.runs[2].centre(), title.centreY());
    const std::string segment0 = sound.segmentBytes(0);
    ASSERT_EQ(waitForCapture(0, segment0, segment0.size()), "") << "segment 0's bytes, exactly";
    exitByMenu(reader);
}
