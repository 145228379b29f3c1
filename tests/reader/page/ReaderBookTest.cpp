// The real reader window in this process on the demo edition's book: the
// laid-out page cell by cell, the picture, the regions, the chapter items,
// the layers, the width cache, highlighting and the audio-edition dialog.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "BitmapFiles.h"
#include "BookTestWindow.h"
#include "MemoryPicture.h"
#include "ReaderTestSupport.h"
#include "document/BookData.h"
#include "edition/AudioEditionIsbns.h"
#include "edition/AudioEditions.h"
#include "edition/ChapterTable.h"
#include "edition/EditionHooks.h"
#include "reader/app/ReaderApp.h"

namespace {

const int32_t Margin = 64;     // a sixteenth of the 1024 pixels of the tests' screen
const int32_t LineLimit = 896; // 1024 less both margins, the right one twice as wide
const int32_t PictureGap = 550;

// A picture slot standing at (120, 100): 40 wide, 1100 high, red down to
// row 299, blue to row 999, magenta below.
const int32_t TestPictureX = 120;
const int32_t TestPictureY = 100;
const uint32_t Red = 0xFF0000;
const uint32_t Blue = 0x0000FF;
const uint32_t Magenta = 0xFF00FF;

uint32_t testPictureColor(int, int y)
{
    return y < 300 ? Red : y < 1000 ? Blue : Magenta;
}

CellChar cellCharOf(char16_t c)
{
    return static_cast<CellChar>(c);
}


DWORD WINAPI audioEditionThread(LPVOID window)
{
    return static_cast<DWORD>(showAudioEditionDialog(static_cast<ReaderWindow*>(window)));
}

BOOL CALLBACK findDialog(HWND hwnd, LPARAM found)
{
    wchar_t name[16] = {0};
    GetClassNameW(hwnd, name, 16);
    if (lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct DialogControl {
    int id;
    std::wstring className;
    std::wstring text;
    LONG style;
    HWND hwnd;
};

BOOL CALLBACK collectControl(HWND hwnd, LPARAM list)
{
    wchar_t name[32] = {0};
    wchar_t text[512] = {0};
    GetClassNameW(hwnd, name, 32);
    GetWindowTextW(hwnd, text, 512);
    reinterpret_cast<std::vector<DialogControl>*>(list)->push_back(
        DialogControl{GetDlgCtrlID(hwnd), name, text, GetWindowLongW(hwnd, GWL_STYLE), hwnd});
    return TRUE;
}

std::wstring widen(const char* text)
{
    return std::wstring(text, text + lstrlenA(text));
}

class ReaderBookTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::wstring edition = demoEditionDirectory();
        ASSERT_FALSE(edition.empty()) << "TAVREMS_DEMO_EDITION names the demo edition";
        writeSavedOffset(nullptr);
        const std::wstring here = currentDirectory();
        ASSERT_TRUE(SetCurrentDirectoryW(edition.c_str()));
        ReaderApp* app = ReaderApp::instance();
        ASSERT_NE(app, nullptr);
        ASSERT_EQ(app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL), 1);
        SetCurrentDirectoryW(here.c_str());
        s_reader = static_cast<BookTestWindow*>(app->reader());
        ASSERT_TRUE(waitFor([] { return IsWindowVisible(s_reader->hwnd()) && IsZoomed(s_reader->hwnd()); }, 10000));
    }

    void SetUp() override
    {
        ASSERT_NE(s_reader, nullptr);
        ASSERT_GT(BookData::instance().text().count(), 600u) << "the demo book";
        m_hwnd = s_reader->hwnd();
    }

    // The width the platform measures for one unit in the text font.
    int32_t measured(CellChar c)
    {
        const auto known = m_widths.find(c);
        if (known != m_widths.end())
            return known->second;
        s_reader->selectFont(0);
        SIZE size = {0, 0};
        const PlatformChar unit = static_cast<PlatformChar>(c);
        GetTextExtentPoint32(s_reader->hdc(), &unit, 1, &size);
        m_widths[c] = size.cx;
        return size.cx;
    }

    void scrollTo(int32_t offset)
    {
        s_reader->scrollUp(INT32_MAX, 1);
        s_reader->scrollDown(offset, 1);
    }

    // The centre of a letter cell of the range for which `region` is found,
    // the first region holding the point being the answer.
    bool foundAtOneOfItsLetters(const RegionList& regions, uint32_t region, uint32_t first, uint32_t last)
    {
        TextLayer& layer = s_reader->textLayer();
        for (uint32_t c = first; c <= last && c < layer.cells().count(); ++c) {
            const TextCell& cell = layer.cellAt(c);
            if (cell.inWord() != 1 || !IsCharAlphaW(static_cast<wchar_t>(cell.character())))
                continue;
            uint32_t found = 0;
            const Point centre(cell.left() + cell.box().width() / 2, cell.top() + cell.box().height() / 2);
            if (regions.findRegionAt(centre, found) && found == region)
                return true;
        }
        return false;
    }

    static BookTestWindow* s_reader;
    HWND m_hwnd = nullptr;
    std::map<CellChar, int32_t> m_widths;
};

BookTestWindow* ReaderBookTest::s_reader = nullptr;

// One line of a paragraph: its top and its words.
struct PageLine {
    int32_t top;
    uint32_t firstWord;
    uint32_t wordCount;
};

} // namespace

TEST_F(ReaderBookTest, EveryCharacterHasItsCellOnAJustifiedPage)
{
    BookText& text = BookData::instance().text();
    TextLayer& layer = s_reader->textLayer();
    const PageLayout& page = s_reader->pageLayout();
    const uint32_t total = BookData::instance().totalCharacters();
    ASSERT_EQ(layer.cells().count(), total);
    ASSERT_EQ(page.leftMargin(), Margin);
    ASSERT_EQ(page.lineLimit(), LineLimit);
    const int32_t space = page.spaceWidth();
    const int32_t lh = page.lineHeight();
    const int32_t pitch = lh + lh / 2;
    ASSERT_EQ(space, measured(u' ') + 1);
    ASSERT_GT(lh, 0);

    uint32_t offset = 0;
    int32_t nextTop = 2 * lh;
    int32_t previousTop = 0;
    for (uint32_t p = 0; p < text.count(); ++p) {
        SCOPED_TRACE(testing::Message() << "paragraph " << p);
        const BookParagraph& paragraph = text.at(p);
        const WordRangeArray& words = paragraph.wordRanges();
        ASSERT_EQ(s_reader->paragraphOffset(p), static_cast<int32_t>(offset));

        // Each word's characters, each followed by its blank; the lines by their tops.
        std::vector<PageLine> lines;
        for (uint32_t k = 0; k < words.count(); ++k) {
            const WordRange& w = words.at(k);
            for (int32_t j = 0; j <= w.length(); ++j) {
                const uint32_t c = offset + static_cast<uint32_t>(w.begin() + j);
                if (c >= total)
                    continue; // the closing blank of a last line without its line end
                const TextCell& cell = layer.cellAt(c);
                const bool blank = j == w.length();
                const CellChar expected = blank ? CellChar(0x20) : cellCharOf(paragraph.text().at(c - offset));
                ASSERT_EQ(cell.character(), expected) << "cell " << c;
                ASSERT_EQ(cell.inWord(), blank ? 0 : 1) << "cell " << c;
                ASSERT_EQ(cell.box().height(), lh) << "cell " << c;
                ASSERT_GE(cell.top(), previousTop) << "tops never decrease: cell " << c;
                previousTop = cell.top();
                if (!blank) {
                    ASSERT_EQ(cell.box().width(), measured(expected)) << "cell " << c;
                }
            }
            const int32_t top = layer.cellAt(offset + static_cast<uint32_t>(w.begin())).top();
            if (lines.empty() || lines.back().top != top)
                lines.push_back(PageLine{top, k, 0});
            lines.back().wordCount += 1;
        }

        if (p == 2)
            nextTop += PictureGap;
        for (size_t l = 0; l < lines.size(); ++l) {
            const PageLine& line = lines[l];
            SCOPED_TRACE(testing::Message() << "line " << l);
            ASSERT_EQ(line.top, nextTop);
            nextTop += pitch;
            const bool last = l + 1 == lines.size();
            const WordRange& firstWord = words.at(line.firstWord);
            const TextCell& start = layer.cellAt(offset + static_cast<uint32_t>(firstWord.begin()));
            EXPECT_EQ(start.left(), l == 0 ? Margin + 8 * space : Margin);

            // The words one after the other, a blank between, at most a pixel more.
            int32_t natural = start.left();
            int32_t lastRight = 0;
            for (uint32_t k = line.firstWord; k < line.firstWord + line.wordCount; ++k) {
                const WordRange& w = words.at(k);
                const TextCell& head = layer.cellAt(offset + static_cast<uint32_t>(w.begin()));
                const TextCell& tail = layer.cellAt(offset + static_cast<uint32_t>(w.begin() + w.length() - 1));
                const int32_t width = w.length() > 0 ? tail.right() - head.left() : 0;
                if (k > line.firstWord)
                    natural += space;
                natural += width;
                if (w.length() > 0)
                    lastRight = tail.right();
                if (k + 1 < line.firstWord + line.wordCount) {
                    const TextCell& blank = layer.cellAt(offset + static_cast<uint32_t>(w.begin() + w.length()));
                    const TextCell& next = layer.cellAt(offset + static_cast<uint32_t>(words.at(k + 1).begin()));
                    const int32_t step = next.left() - blank.right();
                    EXPECT_TRUE(step == 0 || (step == 1 && !last)) << "word " << k;
                    if (last) {
                        EXPECT_EQ(blank.box().width(), space) << "a last line is flush left";
                    }
                }
            }
            if (last)
                continue;
            // A break only where the next word would pass the limit.
            const WordRange& next = words.at(line.firstWord + line.wordCount);
            int32_t nextWidth = 0;
            for (int32_t j = 0; j < next.length(); ++j)
                nextWidth += measured(cellCharOf(paragraph.text().at(static_cast<uint32_t>(next.begin() + j))));
            EXPECT_GT(natural + space + nextWidth, LineLimit) << "word " << line.firstWord + line.wordCount;
            if (line.wordCount >= 2) {
                EXPECT_LE(natural, LineLimit);
                EXPECT_EQ(lastRight, LineLimit) << "a full line ends at the limit";
            }
        }
        if (words.count() == 0)
            nextTop += pitch; // an empty paragraph still takes its line
        offset += paragraph.text().count();
        if (HasFailure())
            return;
    }
    EXPECT_EQ(offset, total);

    // Nothing was written past the book: the default cell is as it was.
    const TextCell& beyond = layer.cellAt(total);
    EXPECT_EQ(beyond.character(), 0);
    EXPECT_EQ(beyond.left(), 0);
    EXPECT_EQ(beyond.top(), 0);
    EXPECT_EQ(beyond.box().width(), 0);
    EXPECT_EQ(beyond.box().height(), 0);
    EXPECT_EQ(s_reader->documentHeight(), layer.cellAt(total - 1).top());
    EXPECT_EQ(s_reader->maxScrollOffset(), s_reader->documentHeight());
}

TEST_F(ReaderBookTest, TheLayoutRecordsEveryLineItLaysOut)
{
    // The lines the dump reports are those of the cells.
    const std::vector<DumpLine>& lines = s_reader->lines();
    ASSERT_FALSE(lines.empty());
    TextLayer& layer = s_reader->textLayer();
    uint32_t expectedFirst = 0;
    for (const DumpLine& l : lines) {
        ASSERT_EQ(l.firstCell, expectedFirst);
        ASSERT_LE(l.firstCell, l.lastCell);
        if (l.firstCell < layer.cells().count()) {
            ASSERT_EQ(layer.cellAt(l.firstCell).top(), l.y);
        }
        expectedFirst = l.lastCell + 1;
    }
    EXPECT_EQ(lines.back().paragraph, static_cast<int32_t>(BookData::instance().text().count()) - 1);
    // The last paragraph is the empty one after the book's last line end:
    // its one blank lies past the cells and was not written.
    EXPECT_EQ(lines.back().firstCell, layer.cells().count());
}

TEST_F(ReaderBookTest, ThePictureStandsAfterTheSecondParagraphInAGapOfItsOwn)
{
    const std::vector<DumpLine>& lines = s_reader->lines();
    const int32_t lh = s_reader->pageLayout().lineHeight();
    int32_t endOfSecond = 0;
    int32_t thirdTop = -1;
    for (const DumpLine& l : lines) {
        if (l.paragraph == 1)
            endOfSecond = l.y + lh + lh / 2;
        if (l.paragraph == 2 && thirdTop < 0)
            thirdTop = l.y;
    }
    ASSERT_GT(endOfSecond, 0);
    EXPECT_EQ(thirdTop, endOfSecond + PictureGap);

    PictureLayer& pictures = s_reader->pictureLayer();
    ASSERT_EQ(pictures.pictureCount(), 1u);
    const PictureSlot& slot = pictures.slot(0);
    EXPECT_EQ(slot.m_x, 120);
    EXPECT_EQ(slot.m_y, endOfSecond + 10);
    ASSERT_NE(slot.m_bitmap, nullptr);
    BITMAP bitmap;
    ASSERT_NE(GetObject(slot.m_bitmap, sizeof(bitmap), &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, 320);
    EXPECT_EQ(bitmap.bmHeight, 400);

    // No cell meets the picture.
    const Rect picture(slot.m_x, slot.m_y, bitmap.bmWidth, bitmap.bmHeight);
    TextLayer& layer = s_reader->textLayer();
    for (uint32_t c = 0; c < layer.cells().count(); ++c) {
        const TextCell& cell = layer.cellAt(c);
        const bool apart = cell.bottom() <= picture.top() || cell.top() >= picture.bottom() ||
                           cell.right() <= picture.left() || cell.left() >= picture.right();
        ASSERT_TRUE(apart) << "cell " << c;
    }
}

TEST_F(ReaderBookTest, EverySentenceAndSegmentIsFoundAtOneOfItsLetters)
{
    BookData& book = BookData::instance();
    const RegionList& sentences = s_reader->sentenceRegions();
    const RegionList& segments = s_reader->segmentRegions();
    EXPECT_EQ(sentences.count(), 4096u) << "the demo edition's records";
    EXPECT_EQ(sentences.count(), countBookSentences(book.text()));
    ASSERT_EQ(segments.count(), 4048u);

    int32_t paragraph = -1;
    int32_t item = 0;
    for (uint32_t j = 0; j < segments.count(); ++j) {
        const AudioSegment& s = book.segments().at(j);
        const TextRegion& r = segments.at(j);
        item = s.paragraphIndex() == paragraph ? item + 1 : 0;
        paragraph = s.paragraphIndex();
        ASSERT_EQ(r.groupIndex(), s.paragraphIndex()) << j;
        ASSERT_EQ(r.itemIndex(), item) << j;
        ASSERT_EQ(r.firstChar(), s.firstChar()) << j;
        ASSERT_EQ(r.lastChar(), s.lastChar()) << j;
        const uint32_t o = static_cast<uint32_t>(s_reader->paragraphOffset(static_cast<uint32_t>(paragraph)));
        ASSERT_TRUE(foundAtOneOfItsLetters(segments, j, o + static_cast<uint32_t>(s.firstChar()),
                                           o + static_cast<uint32_t>(s.lastChar())))
            << "segment " << j;
    }

    uint32_t r = 0;
    for (uint32_t p = 0; p < book.text().count(); ++p) {
        TranslationPhraseArray& phrases = book.text().at(p).translation(0);
        const uint32_t o = static_cast<uint32_t>(s_reader->paragraphOffset(p));
        for (uint32_t k = 0; k < phrases.count(); ++k, ++r) {
            ASSERT_EQ(sentences.at(r).groupIndex(), static_cast<int32_t>(p));
            ASSERT_EQ(sentences.at(r).itemIndex(), static_cast<int32_t>(k));
            ASSERT_TRUE(foundAtOneOfItsLetters(sentences, r, o + static_cast<uint32_t>(phrases.at(k).first()),
                                               o + static_cast<uint32_t>(phrases.at(k).last())))
                << "sentence " << r;
        }
    }

    // Below the last line nothing is found, and the index counts every region.
    uint32_t index = 0;
    EXPECT_FALSE(segments.findRegionAt(Point(500, s_reader->documentHeight() + 200), index));
    EXPECT_EQ(index, segments.count());
}

TEST_F(ReaderBookTest, ChapterItemsBringTheirFirstCellToTheTop)
{
    TextLayer& layer = s_reader->textLayer();
    scrollTo(s_reader->maxScrollOffset() / 2);
    for (uint32_t k = 0; k < chapterCount(); ++k) {
        SCOPED_TRACE(testing::Message() << "item " << k);
        const int32_t top = layer.cellAt(chapterEntry(k).m_text_cell).top();
        ASSERT_LE(top, s_reader->maxScrollOffset());
        writeSavedOffset(nullptr);
        SendMessage(m_hwnd, WM_COMMAND, 7000 + k, 0);
        EXPECT_EQ(s_reader->scrollOffset(), top);
        int32_t saved = -1;
        EXPECT_TRUE(readSavedOffset(saved));
        EXPECT_EQ(saved, top);
        EXPECT_EQ(s_reader->scrollPosition(), top / s_reader->pixelsPerScrollUnit());
    }

    // The first part and its first chapter share their cell; going to where
    // the page already is scrolls by 0 and still saves the offset.
    SendMessage(m_hwnd, WM_COMMAND, 7000, 0);
    const int32_t part = s_reader->scrollOffset();
    writeSavedOffset(nullptr);
    SendMessage(m_hwnd, WM_COMMAND, 7001, 0);
    EXPECT_EQ(s_reader->scrollOffset(), part);
    int32_t saved = -1;
    EXPECT_TRUE(readSavedOffset(saved));
    EXPECT_EQ(saved, part);

    // Past the table: nothing, not even a settings write.
    for (UINT id : {7020u, 7999u}) {
        writeSavedOffset(nullptr);
        SendMessage(m_hwnd, WM_COMMAND, id, 0);
        EXPECT_EQ(s_reader->scrollOffset(), part) << id;
        EXPECT_FALSE(readSavedOffset(saved)) << id;
    }
}

TEST_F(ReaderBookTest, ThePictureLayerCopiesWhatIsNearTheClientArea)
{
    const std::wstring file = currentDirectory() + L"\\test-picture.bmp";
    ASSERT_TRUE(writeBitmapFile(file, 40, 1100, testPictureColor));
    s_reader->updateClientBox();
    const int width = s_reader->clientBox()->width();
    const int height = s_reader->clientBox()->height();
    ASSERT_GT(height, 300);
    MemoryPicture out(s_reader->hdc(), width, height);
    const int32_t kept = s_reader->scrollOffset();

    PictureLayerImpl layer(s_reader);
    ASSERT_TRUE(layer.setPictureCount(1));
    std::string name(file.begin(), file.end());
    PlatformChar platformName[MAX_PATH];
    for (size_t i = 0; i <= name.size(); ++i)
        platformName[i] = static_cast<PlatformChar>(i < name.size() ? name[i] : 0);
    HBITMAP bitmap = layer.loadPicture(0, platformName, TestPictureY, TestPictureX);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(layer.slot(0).m_bitmap, bitmap);

    auto drawAt = [&](int32_t offset) {
        out.fill(White);
        s_reader->setScrollOffset(offset);
        layer.draw(out.dc());
        s_reader->setScrollOffset(kept);
    };

    drawAt(0);
    EXPECT_EQ(out.at(120, 100), Red);
    EXPECT_EQ(out.at(159, 100), Red);
    EXPECT_EQ(out.at(119, 100), White);
    EXPECT_EQ(out.at(160, 100), White);
    EXPECT_EQ(out.at(120, 99), White);

    drawAt(60);
    EXPECT_EQ(out.at(120, 40), Red);
    EXPECT_EQ(out.at(120, 39), White);

    // Its top 300 pixels above the client area: the lower part shows.
    drawAt(TestPictureY + 300);
    EXPECT_EQ(out.at(120, 0), Blue);

    // 999 pixels above it is still copied, 1000 above it no longer is.
    drawAt(TestPictureY + 999);
    EXPECT_EQ(out.at(120, 0), Blue);
    EXPECT_EQ(out.at(120, 1), Magenta);
    drawAt(TestPictureY + 1000);
    EXPECT_EQ(out.countNotWhite(), 0);

    // Its top on the client area's last row, and one below.
    drawAt(TestPictureY - (height - 1));
    EXPECT_EQ(out.at(120, height - 1), Red);
    EXPECT_EQ(out.countNotWhite(), 40);
    drawAt(TestPictureY - height);
    EXPECT_EQ(out.countNotWhite(), 0);

    // Nothing of a paint stays behind: more paints than the platform has
    // handles for (Wine about 65,400) leave the picture drawn. (The picture
    // lies below the client area, which makes them quick.)
    s_reader->setScrollOffset(TestPictureY - height);
    for (int i = 0; i < 70000; ++i)
        layer.draw(out.dc());
    s_reader->setScrollOffset(kept);
    HDC probe = CreateCompatibleDC(s_reader->hdc());
    EXPECT_NE(probe, nullptr);
    DeleteDC(probe);
    drawAt(0);
    EXPECT_EQ(out.at(120, 100), Red);

    // A missing file leaves the slot without a bitmap; no slots, no picture.
    EXPECT_EQ(layer.loadPicture(0, TEXT("no-such-picture.bmp"), TestPictureY, TestPictureX), nullptr);
    drawAt(0);
    EXPECT_EQ(out.countNotWhite(), 0);
    EXPECT_FALSE(layer.setPictureCount(0));
    EXPECT_EQ(layer.pictureCount(), 0u);
    drawAt(0);
    EXPECT_EQ(out.countNotWhite(), 0);
    DeleteFileW(file.c_str());
}

TEST_F(ReaderBookTest, TheInertLayersChangeNoPixel)
{
    auto paintAndGrab = [&] {
        InvalidateRect(m_hwnd, nullptr, TRUE);
        UpdateWindow(m_hwnd);
        return grabClient(m_hwnd);
    };
    for (int32_t offset : {0, 3000}) {
        scrollTo(offset);
        const Grab with = paintAndGrab();
        ASSERT_GT(countInk(with, 0, 0, with.width, with.height), 1000) << "the page shows";
        const int32_t count = g_shape_draw_count;
        s_reader->drawLayers();
        EXPECT_EQ(g_shape_draw_count, (count + 1) % 3) << "layer 4 takes part in a paint";

        s_reader->setLayer(nullptr, ReaderWindow::IndexMapLayerIndex);
        s_reader->setLayer(nullptr, ReaderWindow::ShapeLayerIndex);
        const Grab without = paintAndGrab();
        s_reader->setLayer(s_reader->indexMapLayer(), ReaderWindow::IndexMapLayerIndex);
        s_reader->setLayer(s_reader->shapeLayer(), ReaderWindow::ShapeLayerIndex);
        ASSERT_EQ(with.width, without.width);
        ASSERT_EQ(with.height, without.height);
        EXPECT_TRUE(with.pixels == without.pixels) << "at offset " << offset;
    }
}

TEST_F(ReaderBookTest, TheWidthCacheAnswersWhatThePlatformMeasures)
{
    CharWidthCache cache(*s_reader);
    for (uint32_t u = 0; u < CharWidthCache::UnitCount; ++u) {
        const CellChar c = static_cast<CellChar>(u);
        ASSERT_EQ(cache.charWidth(c), measured(c)) << "unit " << u;
    }
    EXPECT_EQ(cache.measuredCount(), CharWidthCache::UnitCount);
    for (uint32_t u = 0; u < CharWidthCache::UnitCount; u += 97)
        ASSERT_EQ(cache.charWidth(static_cast<CellChar>(u)), measured(static_cast<CellChar>(u)));
    EXPECT_EQ(cache.measuredCount(), CharWidthCache::UnitCount) << "each unit is measured once";

    // The page measured each of its units once.
    const uint32_t units = s_reader->charWidths().measuredCount();
    EXPECT_GT(units, 40u);
    EXPECT_LT(units, 200u);
}

TEST_F(ReaderBookTest, OnlyPlaybackColoursSegmentsAndThePageFollowsThem)
{
    const uint32_t j = 2000;
    const AudioSegment& s = BookData::instance().segments().at(j);
    const uint32_t o = static_cast<uint32_t>(s_reader->paragraphOffset(static_cast<uint32_t>(s.paragraphIndex())));
    const uint32_t first = o + static_cast<uint32_t>(s.firstChar());
    const uint32_t last = o + static_cast<uint32_t>(s.lastChar());
    TextLayer& layer = s_reader->textLayer();
    auto greenCells = [&] {
        uint32_t n = 0;
        for (uint32_t c = first - 5; c <= last + 5; ++c)
            n += layer.cellAt(c).color().colorRef() == RGB(0, 159, 0) ? 1 : 0;
        return n;
    };
    const int32_t h = s_reader->clientBox()->height();
    const int32_t lastTop = layer.cellAt(last).top();

    // Not playing: nothing.
    s_reader->setPlaying(0);
    s_reader->setAutoScroll(0);
    scrollTo(lastTop - h + 50);
    const int32_t before = s_reader->highlightFirst();
    s_reader->highlightSegment(j);
    EXPECT_EQ(greenCells(), 0u);
    EXPECT_EQ(s_reader->highlightFirst(), before);
    EXPECT_EQ(s_reader->autoScroll(), 0);

    // Playing: the segment's cells and nothing else; its last character,
    // 50 pixels above the client area's bottom, starts the page scrolling.
    s_reader->setPlaying(1);
    s_reader->highlightSegment(j);
    EXPECT_EQ(greenCells(), last - first + 1);
    EXPECT_EQ(layer.cellAt(first - 1).color().colorRef(), RGB(0, 0, 0));
    EXPECT_EQ(layer.cellAt(last + 1).color().colorRef(), RGB(0, 0, 0));
    EXPECT_EQ(s_reader->highlightFirst(), static_cast<int32_t>(first));
    EXPECT_EQ(s_reader->highlightLast(), static_cast<int32_t>(last));
    EXPECT_EQ(s_reader->autoScroll(), 1);
    UpdateWindow(m_hwnd);
    const Grab grab = grabClient(m_hwnd);
    EXPECT_GT(countColor(grab, 0, 0, grab.width, grab.height, HeardGreen), 0) << "it shows green";

    // The timer's test near the top edge stops it.
    scrollTo(layer.cellAt(first).top() - 50);
    s_reader->updateAutoScroll(first);
    EXPECT_EQ(s_reader->autoScroll(), 0);

    // Segments outside the table change nothing.
    s_reader->highlightSegment(4048);
    s_reader->unhighlightSegment(4048);
    EXPECT_EQ(greenCells(), last - first + 1);
    EXPECT_EQ(s_reader->highlightFirst(), static_cast<int32_t>(first));

    // Uncolouring does not ask whether playback goes on, and keeps the range.
    s_reader->setPlaying(0);
    s_reader->unhighlightSegment(j);
    EXPECT_EQ(greenCells(), 0u);
    EXPECT_EQ(s_reader->highlightLast(), static_cast<int32_t>(last));
}

// A segment over two lines turns green and black again on both of them,
// though colouring asks for a repaint of its last line only.
TEST_F(ReaderBookTest, ASegmentOverTwoLinesIsColouredOnBoth)
{
    TextLayer& layer = s_reader->textLayer();
    const AudioSegmentArray& segments = BookData::instance().segments();
    uint32_t j = 0;
    uint32_t first = 0;
    uint32_t last = 0;
    for (j = 1000; j < segments.count(); ++j) {
        const AudioSegment& s = segments.at(j);
        const uint32_t o = static_cast<uint32_t>(s_reader->paragraphOffset(static_cast<uint32_t>(s.paragraphIndex())));
        first = o + static_cast<uint32_t>(s.firstChar());
        last = o + static_cast<uint32_t>(s.lastChar());
        if (layer.cellAt(first).top() != layer.cellAt(last).top())
            break;
    }
    ASSERT_LT(j, segments.count());
    s_reader->setAutoScroll(0);
    scrollTo(layer.cellAt(first).top() - 100);
    s_reader->invalidate();
    UpdateWindow(m_hwnd);
    const int32_t offset = s_reader->scrollOffset();
    auto greenOnLineOf = [&](const Grab& grab, uint32_t cell) {
        const int32_t top = layer.cellAt(cell).top() - offset;
        const int32_t bottom = layer.cellAt(cell).bottom() - offset;
        return countColor(grab, 0, top, grab.width, bottom, HeardGreen);
    };

    s_reader->setPlaying(1);
    s_reader->highlightSegment(j);
    UpdateWindow(m_hwnd);
    Grab grab = grabClient(m_hwnd);
    EXPECT_GT(greenOnLineOf(grab, first), 0) << "the first line";
    EXPECT_GT(greenOnLineOf(grab, last), 0) << "the last line";

    s_reader->unhighlightSegment(j);
    UpdateWindow(m_hwnd);
    grab = grabClient(m_hwnd);
    EXPECT_EQ(countColor(grab, 0, 0, grab.width, grab.height, HeardGreen), 0);
    s_reader->setPlaying(0);
}

TEST_F(ReaderBookTest, TheTitleIsTheFirstParagraphWithoutItsLineEnd)
{
    const WideString& first = BookData::instance().text().at(0).text();
    ASSERT_GT(first.count(), 1u);
    EXPECT_EQ(first.at(first.count() - 1), u'\r');
    std::wstring expected;
    for (uint32_t i = 0; i + 1 < first.count(); ++i)
        expected.push_back(static_cast<wchar_t>(first.at(i)));
    wchar_t title[512] = {0};
    GetWindowTextW(m_hwnd, title, 512);
    EXPECT_EQ(std::wstring(title), expected);
}

TEST_F(ReaderBookTest, TheAudioEditionDialogOnAThreadLikeThePlayers)
{
    const std::wstring log = useFreshBrowserLog(L"browser-audio-edition.log");
    const std::vector<std::string> us = {browserArgument(UsStoreFirstEdition), browserArgument(UsStoreSecondEdition)};
    const std::vector<std::string> france = {browserArgument(FrenchStoreFirstEdition),
                                             browserArgument(FrenchStoreSecondEdition)};
    EXPECT_NE(us[0].find(AUDIO_EDITION_1_ISBN), std::string::npos);
    EXPECT_NE(france[1].find(AUDIO_EDITION_2_ISBN), std::string::npos);

    // Three openings: closed by Cancel, by Esc, by the close box.
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        DWORD threadId = 0;
        HANDLE thread = CreateThread(nullptr, 1000, audioEditionThread, s_reader, 0, &threadId);
        ASSERT_NE(thread, nullptr);
        HWND dialog = nullptr;
        ASSERT_TRUE(waitFor(
            [&] {
                EnumThreadWindows(threadId, findDialog, reinterpret_cast<LPARAM>(&dialog));
                return dialog != nullptr && IsWindowVisible(dialog);
            },
            10000));
        EXPECT_EQ(g_edition_dialog_owner, s_reader);
        EXPECT_FALSE(IsWindowEnabled(m_hwnd)) << "modal to the main window";
        wchar_t caption[64] = {0};
        GetWindowTextW(dialog, caption, 64);
        EXPECT_STREQ(caption, L"Ombrelune CD");

        if (round == 0) {
            std::vector<DialogControl> controls;
            EnumChildWindows(dialog, collectControl, reinterpret_cast<LPARAM>(&controls));
            std::map<int, std::wstring> buttons;
            std::vector<std::wstring> texts;
            std::vector<std::pair<int, int>> pictures;
            for (const DialogControl& c : controls) {
                if (lstrcmpiW(c.className.c_str(), L"Button") == 0) {
                    buttons[c.id] = c.text;
                } else if ((c.style & SS_TYPEMASK) == SS_BITMAP) {
                    HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageW(c.hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
                    BITMAP b;
                    ZeroMemory(&b, sizeof(b));
                    if (image != nullptr)
                        GetObject(image, sizeof(b), &b);
                    pictures.push_back(std::make_pair(static_cast<int>(b.bmWidth), static_cast<int>(b.bmHeight)));
                } else {
                    texts.push_back(c.text);
                }
            }
            EXPECT_EQ(buttons, (std::map<int, std::wstring>{
                                   {2, L"Cancel"}, {3, L"In U.S."}, {5, L"In France"}, {6, L"In Germany"}}));
            const std::wstring editions = L"In order to have the full audio version of the book you need to get "
                                          L"audio books \"Ombrelune\" ISBN: " +
                                          widen(AUDIO_EDITION_1_ISBN) + L" and " + widen(AUDIO_EDITION_2_ISBN) +
                                          L" and extract their audio tracks into WAV format files. ";
            EXPECT_EQ(texts, (std::vector<std::wstring>{
                                 L"Lorvanta - version 1.5", editions, L"You can purchase these books from Amazon:",
                                 L"An appropriate audio file was not found. ",
                                 L"The names and parts of the tracks had to be converted to the WAV files are "
                                 L"specified in the file  OmbreluneWavMapping.txt"}));
            EXPECT_EQ(pictures, (std::vector<std::pair<int, int>>{{149, 146}, {150, 128}}));

            // The store buttons start the browser twice and leave the dialog open.
            PostMessageW(GetDlgItem(dialog, 3), BM_CLICK, 0, 0);
            ASSERT_EQ(waitForBrowserStarts(log, 2, 10000), "");
            PostMessageW(GetDlgItem(dialog, 5), BM_CLICK, 0, 0);
            ASSERT_EQ(waitForBrowserStarts(log, 4, 10000), "");
            PostMessageW(GetDlgItem(dialog, 6), BM_CLICK, 0, 0);
            PostMessageW(GetDlgItem(dialog, 3), BM_CLICK, 0, 0);
            ASSERT_EQ(waitForBrowserStarts(log, 6, 10000), "");
            ASSERT_EQ(waitForChildProcessesToEnd(GetCurrentProcessId(), 10000), "")
                << "the browsers the dialog started";
            std::vector<std::string> addresses;
            for (const BrowserStart& start : readBrowserLog(log))
                addresses.push_back(start.address);
            EXPECT_EQ(addresses, (std::vector<std::string>{us[0], us[1], france[0], france[1], us[0], us[1]}))
                << "\"In Germany\" starts nothing";
            EXPECT_TRUE(IsWindow(dialog));
        }

        if (round == 0) {
            PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        } else if (round == 1) {
            GUITHREADINFO info;
            ZeroMemory(&info, sizeof(info));
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(threadId, &info);
            PostMessageW(info.hwndFocus != nullptr ? info.hwndFocus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ASSERT_TRUE(waitFor([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 10000));
        DWORD result = 0;
        GetExitCodeThread(thread, &result);
        EXPECT_EQ(result, 1u);
        CloseHandle(thread);
        EXPECT_TRUE(IsWindowEnabled(m_hwnd));
    }
    EXPECT_EQ(readBrowserLog(log).size(), 6u) << describeBrowserLog(log);
}
