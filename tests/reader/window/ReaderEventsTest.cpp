// The real reader window in this process on a small book of its own with two
// translations (one with an "&"), and a segment table of its own whose track
// the test writes: the left click's balloons, the right click's playback
// states, the player's posted notices, the timer, which handlers stop the
// page following the playback, the title and the saved offset.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ReaderTestSupport.h"
#include "ReaderTestWindow.h"
#include "SoundTestSupport.h"
#include "document/BookData.h"
#include "document/BookLoader.h"
#include "reader/app/ReaderApp.h"
#include "reader/playback/ReaderMessages.h"

namespace {

// The reader window with its state in reach of the tests.
class EventsTestWindow : public ReaderTestWindow {
public:
    void setHighlight(int32_t first, int32_t last)
    {
        m_highlight_first = first;
        m_highlight_last = last;
    }
    void setCalloutTranslation(uint32_t t) { m_callout_translation = t; }
    void rebuildSegmentRegions() { buildSegmentRegions(BookData::instance().segments()); }
    void resumeAtSavedOffsetAgain() { resumeAtSavedOffset(); }
    // As when no player could be made, and back.
    void dropPlayer()
    {
        delete m_player;
        m_player = nullptr;
    }
    void restorePlayer()
    {
        if (m_player == nullptr)
            m_player = new BookAudioPlayer(this);
    }
    bool hasPlayer() const { return m_player != nullptr; }
    uint32_t latestPlayback() const { return m_player->latestPlayback(); }
};

struct Sentence {
    std::u16string russian;
    std::u16string english; // empty: the English file has no record for it
};

struct Paragraph {
    std::u16string text;
    std::vector<Sentence> sentences; // the sentences, in order, tile the text's words
};

// Paragraph 1 is followed by the picture's gap (the book has no picture);
// the sentences clicked here are those of paragraphs 2, 3 and 4.
std::vector<Paragraph> bookParagraphs()
{
    std::vector<Paragraph> book = {
        {u"Le livre d'essai", {{u"\u041A\u043D\u0438\u0433\u0430", u"The test book"}}},
        {u"Avant-propos.", {{u"\u041F\u0440\u0435\u0434\u0438\u0441\u043B\u043E\u0432\u0438\u0435.", u"Foreword."}}},
        {u"Le chat dort. Le chien et le chat aboient fort.",
         {{u"\u041A\u043E\u0442 \u0441\u043F\u0438\u0442.", u"The cat sleeps."},
          {u"\u0421\u043E\u0431\u0430\u043A\u0430 \u043B\u0430\u0435\u0442.", u"Dogs & cats bark loudly."}}},
        {u"Il pleut. La maison est grande.",
         {{u"\u0418\u0434\u0451\u0442 \u0434\u043E\u0436\u0434\u044C.", u"It rains."},
          {u"\u0414\u043E\u043C \u0431\u043E\u043B\u044C\u0448\u043E\u0439.", u"The house is big."}}},
        {u"Une phrase seule.", {{u"\u041E\u0434\u043D\u0430 \u0444\u0440\u0430\u0437\u0430.", u""}}},
    };
    // Lines enough for the page to scroll well past its client area.
    for (int i = 0; i < 60; ++i)
        book.push_back({u"Une ligne de remplissage sans traduction aucune.", {}});
    return book;
}

const uint32_t FirstClickedParagraph = 2;
// Sentence regions: one per sentence, in book order.
const uint32_t SentenceA = 2;     // "Le chat dort."
const uint32_t SentenceANext = 3; // the one after it, whose English holds "&"
const uint32_t SentenceB = 4;     // "Il pleut.", the next paragraph's
const uint32_t SentenceLone = 6;  // no English phrase
// Segments: the four sentences of paragraphs 2 and 3, one track.
const uint32_t SegmentCount = 4;

struct CharSpan {
    int32_t first;
    int32_t last;
};

// Where each sentence of a paragraph lies: the words they hold, in turn.
std::vector<CharSpan> sentenceSpans(const Paragraph& p)
{
    std::vector<CharSpan> spans;
    const std::u16string& t = p.text;
    size_t at = 0;
    for (size_t k = 0; k < p.sentences.size(); ++k) {
        const size_t end = k + 1 == p.sentences.size() ? t.size() : t.find(u". ", at) + 1;
        spans.push_back(CharSpan{static_cast<int32_t>(at), static_cast<int32_t>(end - 1)});
        at = end + 1;
    }
    return spans;
}

std::string utf16File(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::u16string number(int32_t n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

bool writeBook(const std::string& dir)
{
    const std::vector<Paragraph> book = bookParagraphs();
    std::u16string text;
    std::u16string translations[2];
    for (size_t p = 0; p < book.size(); ++p) {
        text += book[p].text + u"\r\n";
        const std::vector<CharSpan> spans = sentenceSpans(book[p]);
        for (size_t k = 0; k < spans.size(); ++k) {
            const std::u16string header = number(static_cast<int32_t>(p)) + u"|" + number(spans[k].first) + u"|" +
                                          number(spans[k].last) + u"\r\n";
            translations[0] += header + book[p].sentences[k].russian + u"\r\n";
            if (!book[p].sentences[k].english.empty())
                translations[1] += header + book[p].sentences[k].english + u"\r\n";
        }
    }
    CreateDirectoryA(dir.c_str(), nullptr);
    return writeBytes(dir + "\\book.txt", utf16File(text)) &&
           writeBytes(dir + "\\book_t1.txt", utf16File(translations[0])) &&
           writeBytes(dir + "\\book_t2.txt", utf16File(translations[1]));
}

std::string trackPath(const char* name)
{
    return captureDir() + "\\" + testVariant() + name;
}

// 16-bit mono at 11,025 Hz, 2 s; segment i sounds from 100 + 400 i to 400 + 400 i ms.
TestTrack g_track{trackPath("_events_track.wav"), 21, 11025, 1, 16, 44100};

uint32_t segmentStartMs(uint32_t i)
{
    return 100 + 400 * i;
}

uint32_t segmentEndMs(uint32_t i)
{
    return 400 + 400 * i;
}

struct SegmentTime {
    uint32_t startMs;
    uint32_t endMs;
};

std::vector<SegmentTime> segmentTimes()
{
    std::vector<SegmentTime> times;
    for (uint32_t i = 0; i < SegmentCount; ++i)
        times.push_back(SegmentTime{segmentStartMs(i), segmentEndMs(i)});
    return times;
}

// The segments sound in `track` at these times.
void installSegmentTable(const TestTrack& track, const std::vector<SegmentTime>& times)
{
    const std::vector<Paragraph> book = bookParagraphs();
    AudioSegmentArray& table = BookData::instance().segments();
    ASSERT_TRUE(table.setSize(SegmentCount));
    const std::u16string name(track.name.begin(), track.name.end());
    uint32_t i = 0;
    for (uint32_t p = FirstClickedParagraph; p < FirstClickedParagraph + 2; ++p) {
        for (const CharSpan& span : sentenceSpans(book[p])) {
            AudioSegment& s = table.at(i);
            s.setTextRange(span.first, span.last, static_cast<int32_t>(p));
            s.trackName().assign(name.c_str());
            s.start().setMilliseconds(times.at(i).startMs);
            s.end().setMilliseconds(times.at(i).endMs);
            ++i;
        }
    }
}

// What playing from segment `from` gives: each segment and the pause after
// it, but none after the last.
std::string expectedSound(uint32_t from)
{
    std::vector<TestItem> chain;
    for (uint32_t i = from; i < SegmentCount; ++i) {
        chain.push_back(segmentItem(g_track, segmentStartMs(i), segmentEndMs(i), static_cast<int32_t>(i)));
        if (i + 1 < SegmentCount)
            chain.push_back(pauseItem(g_track, segmentEndMs(i), segmentStartMs(i + 1)));
    }
    const ChainPlan plan = planChain(chain);
    return playedBytes(plan, plan.blocks.size());
}

// The display text of a phrase as the balloon holds it.
std::basic_string<PlatformChar> displayText(const std::u16string& text)
{
    std::basic_string<PlatformChar> out;
#ifdef UNICODE
    for (char16_t c : text)
        out.push_back(static_cast<wchar_t>(c));
#else
    for (char16_t c : text) {
        const wchar_t unit = static_cast<wchar_t>(c);
        char converted = '?';
        WideCharToMultiByte(c >= 0x0401 && c <= 0x0451 ? 1251 : 1252, 0, &unit, 1, &converted, 1, nullptr, nullptr);
        out.push_back(converted);
    }
#endif
    return out;
}

class ReaderEventsTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string dir = std::string("events-book-") + testVariant();
        ASSERT_TRUE(writeBook(dir));
        ASSERT_TRUE(writeTrack(g_track));
        writeSavedOffset(nullptr);
        const std::wstring here = currentDirectory();
        ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
        ReaderApp* app = ReaderApp::instance();
        ASSERT_NE(app, nullptr);
        ASSERT_EQ(app->init(GetModuleHandle(nullptr), SW_SHOWNORMAL), 1);
        SetCurrentDirectoryW(here.c_str());
        s_reader = static_cast<EventsTestWindow*>(app->reader());
        ASSERT_TRUE(waitFor([] { return IsWindowVisible(s_reader->hwnd()) && IsZoomed(s_reader->hwnd()); }, 10000));
        installSegmentTable(g_track, segmentTimes());
        s_reader->rebuildSegmentRegions();
    }

    void SetUp() override
    {
        ASSERT_NE(s_reader, nullptr);
        m_hwnd = s_reader->hwnd();
        ASSERT_EQ(BookData::instance().text().translationCount(), 2u);
        ASSERT_EQ(s_reader->sentenceRegions().count(), 7u);
        ASSERT_EQ(s_reader->segmentRegions().count(), SegmentCount);
        // The clicked paragraphs in the upper half of the client area.
        scrollTo(s_reader->textLayer().cellAt(cellOf(FirstClickedParagraph, 0)).top() - 60);
        s_reader->setPlaying(0);
        s_reader->setAutoScroll(0);
        clearCapture();
    }

    void TearDown() override
    {
        // No playback may go on into the next test.
        EXPECT_TRUE(s_reader->shutdownPlayer(ShutdownTimeout));
        pumpMessages();
        s_reader->setPlaying(0);
        installSegmentTable(g_track, segmentTimes());
    }

    void scrollTo(int32_t offset)
    {
        s_reader->scrollUp(INT32_MAX, 1);
        s_reader->scrollDown(offset, 1);
        pumpMessages();
    }

    uint32_t cellOf(uint32_t paragraph, int32_t character)
    {
        return static_cast<uint32_t>(s_reader->paragraphOffset(paragraph) + character);
    }

    // A point inside the first letter of a region, in client coordinates.
    LPARAM pointOf(const TextRegion& region)
    {
        const TextCell& cell =
            s_reader->textLayer().cellAt(cellOf(static_cast<uint32_t>(region.groupIndex()), region.firstChar()));
        const int x = cell.left() + cell.box().width() / 2;
        const int y = cell.top() + cell.box().height() / 2 - s_reader->scrollOffset();
        return MAKELPARAM(x, y);
    }

    void leftClick(uint32_t sentence)
    {
        SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pointOf(s_reader->sentenceRegions().at(sentence)));
    }
    void leftClickOffText() { SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
    void rightClick(uint32_t segment)
    {
        SendMessageW(m_hwnd, WM_RBUTTONDOWN, MK_RBUTTON, pointOf(s_reader->segmentRegions().at(segment)));
    }
    void rightClickOffText() { SendMessageW(m_hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); }

    // The balloon on show: its text, or none.
    bool balloonShows(const std::u16string& text)
    {
        const Callout& balloon = s_reader->calloutLayer().callout(static_cast<uint32_t>(g_callout_id));
        return g_callout_open == 1 && s_reader->calloutText() != nullptr && balloon.visible() &&
               balloon.text() != nullptr && displayText(text) == balloon.text() &&
               displayText(text) == s_reader->calloutText();
    }
    bool anyBalloonShows()
    {
        for (uint32_t i = 0; i < CalloutLayer::SlotCount; ++i)
            if (s_reader->calloutLayer().callout(i).visible())
                return true;
        return false;
    }
    bool outlineShows()
    {
        for (uint32_t i = 0; i < s_reader->outlineLayer().lineCount(); ++i)
            if (s_reader->outlineLayer().line(i).visible())
                return true;
        return false;
    }

    uint32_t colourOf(uint32_t segment)
    {
        const AudioSegment& s = BookData::instance().segments().at(segment);
        return s_reader->textLayer()
            .cellAt(cellOf(static_cast<uint32_t>(s.paragraphIndex()), s.firstChar()))
            .color()
            .colorRef();
    }
    // Every cell of the segment in this colour.
    bool segmentIs(uint32_t segment, COLORREF colour)
    {
        const AudioSegment& s = BookData::instance().segments().at(segment);
        for (int32_t c = s.firstChar(); c <= s.lastChar(); ++c)
            if (s_reader->textLayer().cellAt(cellOf(static_cast<uint32_t>(s.paragraphIndex()), c)).color().colorRef() !=
                colour)
                return false;
        return true;
    }

    static EventsTestWindow* s_reader;
    HWND m_hwnd = nullptr;
};

EventsTestWindow* ReaderEventsTest::s_reader = nullptr;

// Cell colours as the text layer keeps them.
const COLORREF BlackCell = RGB(0, 0, 0);
const COLORREF GreenCell = RGB(0, 159, 0);
const COLORREF BlueCell = RGB(0, 0, 223);

} // namespace

bool ReaderWindow::create(ReaderWindow*& out)
{
    out = new (std::nothrow) EventsTestWindow();
    return out != nullptr;
}

TEST_F(ReaderEventsTest, BalloonsStepThroughTheVisibleTranslations)
{
    BookText& text = BookData::instance().text();
    text.setTranslationVisible(1, 1);
    s_reader->setCalloutTranslation(0);
    leftClickOffText();
    ASSERT_EQ(g_callout_open, 0);

    // Both visible: Russian, English, closed, Russian again.
    leftClick(SentenceA);
    EXPECT_TRUE(balloonShows(u"\u041A\u043E\u0442 \u0441\u043F\u0438\u0442.")) << "the first translation";
    EXPECT_EQ(g_callout_sentence, static_cast<int32_t>(SentenceA));
    EXPECT_EQ(g_clicked_sentence, static_cast<int32_t>(SentenceA));
    EXPECT_TRUE(outlineShows());
    const int32_t first = g_callout_id;
    EXPECT_EQ(first, g_last_callout_id);
    leftClick(SentenceA);
    EXPECT_TRUE(balloonShows(u"The cat sleeps."));
    EXPECT_EQ(s_reader->calloutTranslation(), 1u);
    EXPECT_FALSE(s_reader->calloutLayer().callout(static_cast<uint32_t>(first)).visible()) << "one balloon at a time";
    leftClick(SentenceA);
    EXPECT_EQ(g_callout_open, 0);
    EXPECT_FALSE(anyBalloonShows());
    EXPECT_FALSE(outlineShows()) << "the outline goes with the balloon";
    EXPECT_EQ(s_reader->calloutText(), nullptr);
    EXPECT_EQ(s_reader->calloutTranslation(), 0u);
    leftClick(SentenceA);
    EXPECT_TRUE(balloonShows(u"\u041A\u043E\u0442 \u0441\u043F\u0438\u0442."));

    // An "&" is part of the text.
    leftClickOffText();
    leftClick(SentenceANext);
    leftClick(SentenceANext);
    EXPECT_TRUE(balloonShows(u"Dogs & cats bark loudly."));
    UpdateWindow(m_hwnd);
    const Grab grab = grabClient(m_hwnd);
    EXPECT_GT(countColor(grab, 0, 0, grab.width, grab.height, BalloonFill), 1000) << "the balloon is drawn";
    EXPECT_GT(countColor(grab, 0, 0, grab.width, grab.height, OutlineTeal), 20) << "so is the outline";
    leftClick(SentenceANext);
    EXPECT_FALSE(anyBalloonShows());

    // English hidden: the second click closes.
    text.setTranslationVisible(1, 0);
    leftClick(SentenceA);
    EXPECT_TRUE(balloonShows(u"\u041A\u043E\u0442 \u0441\u043F\u0438\u0442."));
    leftClick(SentenceA);
    EXPECT_EQ(g_callout_open, 0);
    EXPECT_FALSE(anyBalloonShows());
    EXPECT_EQ(s_reader->calloutTranslation(), 0u);
    text.setTranslationVisible(1, 1);
}

TEST_F(ReaderEventsTest, ABalloonClosesOnAnotherSentenceAndABrokenCycleKeepsItsTranslation)
{
    BookText& text = BookData::instance().text();
    text.setTranslationVisible(1, 1);
    s_reader->setCalloutTranslation(0);
    leftClickOffText();

    // On A, then B: closed, none opens; B again opens.
    leftClick(SentenceA);
    ASSERT_EQ(g_callout_open, 1);
    leftClick(SentenceB);
    EXPECT_EQ(g_callout_open, 0);
    EXPECT_FALSE(anyBalloonShows());
    EXPECT_FALSE(outlineShows());
    leftClick(SentenceB);
    EXPECT_TRUE(balloonShows(u"\u0418\u0434\u0451\u0442 \u0434\u043E\u0436\u0434\u044C."));

    // Broken off at English by a click on A: the next balloon is English
    // again, also once English is hidden.
    leftClick(SentenceB);
    EXPECT_TRUE(balloonShows(u"It rains."));
    leftClick(SentenceA);
    EXPECT_EQ(g_callout_open, 0);
    EXPECT_EQ(s_reader->calloutTranslation(), 1u);
    text.setTranslationVisible(1, 0);
    leftClick(SentenceA);
    EXPECT_TRUE(balloonShows(u"The cat sleeps.")) << "opening does not look at the visible flags";
    leftClick(SentenceA);
    EXPECT_EQ(g_callout_open, 0);
    EXPECT_EQ(s_reader->calloutTranslation(), 0u) << "the end of a cycle";
    text.setTranslationVisible(1, 1);

    // Every translation hidden, even the first (the menu never allows it):
    // the second click closes.
    text.setTranslationVisible(0, 0);
    text.setTranslationVisible(1, 0);
    leftClick(SentenceA);
    EXPECT_EQ(g_callout_open, 1);
    leftClick(SentenceA);
    EXPECT_EQ(g_callout_open, 0);
    text.setTranslationVisible(0, 1);
    text.setTranslationVisible(1, 1);
}

TEST_F(ReaderEventsTest, APhraseWithoutTextOutlinesItsSentenceWithoutABalloon)
{
    BookData::instance().text().setTranslationVisible(1, 1);
    s_reader->setCalloutTranslation(0);
    leftClickOffText();
    leftClick(SentenceLone);
    ASSERT_TRUE(balloonShows(u"\u041E\u0434\u043D\u0430 \u0444\u0440\u0430\u0437\u0430."));
    const int32_t russian = g_callout_id;
    // Its English phrase has no text.
    leftClick(SentenceLone);
    EXPECT_EQ(g_callout_open, 1);
    EXPECT_EQ(s_reader->calloutTranslation(), 1u);
    EXPECT_EQ(s_reader->calloutText(), nullptr);
    EXPECT_FALSE(anyBalloonShows());
    EXPECT_TRUE(outlineShows());
    EXPECT_EQ(g_callout_id, russian) << "the id of the balloon shown last";
    // With no text on show the next click does not hide the outline: it
    // stays until another outline replaces it.
    leftClickOffText();
    EXPECT_EQ(g_callout_open, 0);
    EXPECT_TRUE(outlineShows());
    leftClick(SentenceA);
    EXPECT_TRUE(balloonShows(u"The cat sleeps."));
    leftClick(SentenceA);
    EXPECT_FALSE(outlineShows());
}

TEST_F(ReaderEventsTest, RightClicksPlayStopAndOutliveANaturalEnd)
{
    // Idle, off every segment: nothing.
    rightClickOffText();
    EXPECT_EQ(s_reader->playing(), 0);

    // Idle, on segment 1: playing before the thread starts; the page colours
    // each segment as the posted notices come.
    rightClick(1);
    EXPECT_EQ(s_reader->playing(), 1);
    ASSERT_TRUE(waitFor([&] { return segmentIs(1, GreenCell); }, PlaybackTimeout));
    EXPECT_TRUE(segmentIs(0, BlackCell));
    ASSERT_TRUE(waitFor([&] { return segmentIs(3, GreenCell) || segmentIs(2, GreenCell); }, PlaybackTimeout));
    EXPECT_TRUE(segmentIs(1, BlackCell)) << "a finished segment is black again";

    // Played to the end of the table: still playing, the last segment black.
    ASSERT_TRUE(
        waitFor([&] { return s_reader->highlightFirst() == static_cast<int32_t>(cellOf(3, 10)); }, PlaybackTimeout));
    ASSERT_TRUE(waitFor([&] { return segmentIs(3, BlackCell); }, PlaybackTimeout));
    EXPECT_EQ(s_reader->playing(), 1) << "a natural end leaves the window playing";
    ASSERT_TRUE(s_reader->shutdownPlayer(ShutdownTimeout));
    std::vector<std::string> files = readCapture();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(withoutSilence(files[0]) == expectedSound(1))
        << firstDifference(withoutSilence(files[0]), expectedSound(1));

    // So the next right click only stops, wherever it is, and the one after plays.
    rightClick(0);
    EXPECT_EQ(s_reader->playing(), 0);
    pumpMessages();
    EXPECT_EQ(readCapture().size(), 1u) << "nothing more played";
    rightClick(3);
    EXPECT_EQ(s_reader->playing(), 1);
    ASSERT_TRUE(waitFor([&] { return segmentIs(3, GreenCell); }, PlaybackTimeout));

    // Playing: any right click stops and blackens the highlight, also over a
    // looked-up word.
    s_reader->textLayer().colorRange(RgbColor(0, 0, 223), cellOf(3, 13), cellOf(3, 18));
    s_reader->setAutoScroll(1);
    rightClickOffText();
    EXPECT_EQ(s_reader->playing(), 0);
    EXPECT_EQ(s_reader->autoScroll(), 0);
    EXPECT_TRUE(segmentIs(3, BlackCell));
    ASSERT_TRUE(s_reader->shutdownPlayer(ShutdownTimeout));
    files = readCapture();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_TRUE(expectedSound(3).compare(0, withoutSilence(files[1]).size(), withoutSilence(files[1])) == 0)
        << "the second playback from segment 3";

    // Without a player the right click plays nothing, but like every right
    // click it stops the page following.
    s_reader->dropPlayer();
    s_reader->setAutoScroll(1);
    rightClick(0);
    EXPECT_EQ(s_reader->playing(), 0);
    EXPECT_EQ(s_reader->autoScroll(), 0);
    s_reader->restorePlayer();
    ASSERT_TRUE(s_reader->hasPlayer());
    s_reader->setAutoScroll(0);
}

TEST_F(ReaderEventsTest, PostedNoticesColourOnlyWhatTheyMay)
{
    auto post = [&](UINT message, WPARAM segment) {
        PostMessageW(m_hwnd, message, segment, static_cast<LPARAM>(s_reader->latestPlayback()));
        pumpMessages();
    };
    s_reader->setPlaying(1);
    s_reader->setHighlight(0, 0);
    // A pause's index changes nothing.
    post(SegmentStartedMessage, static_cast<WPARAM>(-1));
    post(SegmentStartedMessage, 0xFFFFFFFFu);
    post(SegmentFinishedMessage, static_cast<WPARAM>(-1));
    EXPECT_EQ(s_reader->highlightFirst(), 0);
    for (uint32_t i = 0; i < SegmentCount; ++i)
        EXPECT_TRUE(segmentIs(i, BlackCell)) << i;

    // Two starts without the finish between (a notice late), then a stop:
    // the stop blackens the highlighted one, the late finish the other.
    post(SegmentStartedMessage, 0);
    post(SegmentStartedMessage, 1);
    EXPECT_TRUE(segmentIs(0, GreenCell));
    EXPECT_TRUE(segmentIs(1, GreenCell));
    rightClickOffText();
    EXPECT_EQ(s_reader->playing(), 0);
    EXPECT_TRUE(segmentIs(1, BlackCell));
    EXPECT_TRUE(segmentIs(0, GreenCell));
    post(SegmentFinishedMessage, 0);
    EXPECT_TRUE(segmentIs(0, BlackCell)) << "a finish always blackens";
    // A start after the stop: nothing.
    post(SegmentStartedMessage, 2);
    EXPECT_TRUE(segmentIs(2, BlackCell));
    EXPECT_EQ(s_reader->highlightFirst(), static_cast<int32_t>(cellOf(2, 14)));

    // Playing again: a notice of an older playback changes nothing.
    s_reader->setPlaying(1);
    PostMessageW(m_hwnd, SegmentStartedMessage, 2, static_cast<LPARAM>(s_reader->latestPlayback() - 1));
    pumpMessages();
    EXPECT_TRUE(segmentIs(2, BlackCell));
    post(SegmentStartedMessage, 2);
    EXPECT_TRUE(segmentIs(2, GreenCell));
    PostMessageW(m_hwnd, SegmentFinishedMessage, 2, static_cast<LPARAM>(s_reader->latestPlayback() + 1));
    pumpMessages();
    EXPECT_TRUE(segmentIs(2, GreenCell));
    post(SegmentFinishedMessage, 2);
    EXPECT_TRUE(segmentIs(2, BlackCell));
}

// Stopped as soon as segment 0 sounds, while the ring holds only part of the
// long segment 1, and played again from segment 3 at once: the stopped
// playback's blocks play out before the new one starts, and their notices,
// segment 1's start among them, colour nothing.
TEST_F(ReaderEventsTest, AStoppedPlaybackColoursNothingOnceAnotherHasBegun)
{
    // 44,100 bytes a second: segment 1 spans some eleven blocks of 16,384.
    const TestTrack track{trackPath("_events_long.wav"), 22, 22050, 1, 16, 6 * 44100};
    ASSERT_TRUE(writeTrack(track));
    installSegmentTable(track, {{100, 400}, {500, 4500}, {4600, 4900}, {5000, 5300}});
    rightClick(0);
    ASSERT_TRUE(waitFor(
        [&] {
            const std::vector<std::string> files = readCapture();
            return segmentIs(0, GreenCell) && !files.empty() && !files[0].empty();
        },
        PlaybackTimeout))
        << "segment 0 sounding";
    rightClickOffText();
    rightClick(3);
    EXPECT_EQ(s_reader->playing(), 1);
    EXPECT_EQ(s_reader->highlightFirst(), ReaderWindow::NoHighlight)
        << "nothing highlighted until the new playback's first segment";
    ASSERT_TRUE(
        waitFor([&] { return s_reader->highlightFirst() == static_cast<int32_t>(cellOf(3, 10)); }, PlaybackTimeout))
        << "segment 3 sounding";
    ASSERT_TRUE(waitFor([&] { return segmentIs(3, BlackCell); }, PlaybackTimeout)) << "segment 3 played";
    ASSERT_TRUE(s_reader->shutdownPlayer(ShutdownTimeout));
    pumpMessages();
    for (uint32_t i = 0; i < SegmentCount; ++i)
        EXPECT_TRUE(segmentIs(i, BlackCell)) << "segment " << i;

    // Played again and stopped before its first notice is handled: a
    // looked-up word at cell 0 keeps its blue, and the late notice colours
    // nothing. (The playback above ran to its end: a right click first stops.)
    rightClickOffText();
    const uint32_t title = cellOf(0, 0);
    s_reader->textLayer().colorRange(RgbColor(0, 0, 223), title, title + 1);
    rightClick(2);
    ASSERT_EQ(s_reader->playing(), 1);
    rightClickOffText();
    EXPECT_EQ(s_reader->playing(), 0);
    ASSERT_TRUE(s_reader->shutdownPlayer(ShutdownTimeout));
    pumpMessages();
    EXPECT_EQ(s_reader->textLayer().cellAt(title).color().colorRef(), BlueCell);
    EXPECT_TRUE(segmentIs(2, BlackCell));
}

TEST_F(ReaderEventsTest, OnlyScrollingAndClicksStopThePageFollowing)
{
    const int32_t top = s_reader->scrollOffset();
    // The timer: while the highlighted segment lies in the middle of the
    // client area the page goes on moving 5 pixels a tick, and each step is saved.
    s_reader->setPlaying(1);
    s_reader->setAutoScroll(1);
    const uint32_t middle = cellOf(3, 0);
    s_reader->setHighlight(static_cast<int32_t>(middle), static_cast<int32_t>(middle));
    scrollTo(s_reader->textLayer().cellAt(middle).top() - 300);
    const int32_t before = s_reader->scrollOffset();
    s_reader->onTimer(20);
    EXPECT_EQ(s_reader->autoScroll(), 1);
    EXPECT_EQ(s_reader->scrollOffset(), before + 5);
    int32_t saved = -1;
    EXPECT_TRUE(readSavedOffset(saved));
    EXPECT_EQ(saved, before + 5);
    // Near the top edge the timer stops it.
    scrollTo(s_reader->textLayer().cellAt(middle).top() - 50);
    s_reader->onTimer(1);
    EXPECT_EQ(s_reader->autoScroll(), 0);
    EXPECT_EQ(s_reader->scrollOffset(), s_reader->textLayer().cellAt(middle).top() - 50);
    scrollTo(top);

    // Dragging the thumb and a double click leave it on.
    s_reader->setAutoScroll(1);
    SendMessageW(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), 0);
    EXPECT_EQ(s_reader->autoScroll(), 1) << "thumb drag";
    const std::wstring log = useFreshBrowserLog(L"browser-events.log");
    const TextRegion& word = s_reader->sentenceRegions().at(SentenceA);
    SendMessageW(m_hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, pointOf(word));
    EXPECT_EQ(s_reader->autoScroll(), 1) << "double click";
    EXPECT_EQ(s_reader->textLayer().cellAt(cellOf(2, 0)).color().colorRef(), BlueCell) << "the word was looked up";
    EXPECT_EQ(waitForBrowserStarts(log, 1, 10000), "");
    s_reader->textLayer().colorRange(RgbColor(0, 0, 0), cellOf(2, 0), cellOf(2, 1));

    // Every other handler clears it: the line and page requests, the thumb's
    // release, the keys, the wheel and both clicks.
    const std::vector<std::pair<const char*, std::function<void()>>> handlers = {
        {"line down", [&] { SendMessageW(m_hwnd, WM_VSCROLL, SB_LINEDOWN, 0); }},
        {"line up", [&] { SendMessageW(m_hwnd, WM_VSCROLL, SB_LINEUP, 0); }},
        {"page down", [&] { SendMessageW(m_hwnd, WM_VSCROLL, SB_PAGEDOWN, 0); }},
        {"page up", [&] { SendMessageW(m_hwnd, WM_VSCROLL, SB_PAGEUP, 0); }},
        {"thumb released", [&] { SendMessageW(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0); }},
        {"Down key", [&] { SendMessageW(m_hwnd, WM_KEYDOWN, VK_DOWN, 0); }},
        {"Page Up key", [&] { SendMessageW(m_hwnd, WM_KEYDOWN, VK_PRIOR, 0); }},
        {"wheel", [&] { SendMessageW(m_hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(500, 300)); }},
        {"left click", [&] { leftClickOffText(); }},
        {"right click", [&] { rightClickOffText(); }},
    };
    for (const auto& handler : handlers) {
        s_reader->setPlaying(0);
        s_reader->setAutoScroll(1);
        handler.second();
        EXPECT_EQ(s_reader->autoScroll(), 0) << handler.first;
    }
    // The thumb's release goes to the position sign-extended from 16 bits.
    SendMessageW(m_hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0xFFFF), 0);
    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    GetScrollInfo(m_hwnd, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 0) << "-1, which the bar keeps within its range";
}

TEST_F(ReaderEventsTest, TitlesAndTheSavedOffset)
{
    auto title = [&] {
        wchar_t text[512] = {0};
        GetWindowTextW(m_hwnd, text, 512);
        return std::wstring(text);
    };
    EXPECT_EQ(title(), L"Le livre d'essai") << "paragraph 0 without its line end";

    // The loader's message when there is no book, less its last blank.
    BookText missing;
    const std::wstring here = currentDirectory();
    CreateDirectoryW(L"events-no-book", nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(L"events-no-book"));
    BookLoader loader;
    loader.loadBook(missing);
    SetCurrentDirectoryW(here.c_str());
    s_reader->updateTitle(missing);
    const std::wstring message = title();
    EXPECT_EQ(message.compare(0, 39, L"Error - the file book.txt is not found."), 0) << message.c_str();
    EXPECT_EQ(message.substr(message.size() - 13), L"Tavrems.exe. ");
    // No paragraph at all: an empty title.
    BookText empty;
    s_reader->updateTitle(empty);
    EXPECT_EQ(title(), L"");
    s_reader->updateTitle(BookData::instance().text());

    // The saved offset goes through scrolling: clamped to the page.
    const int32_t maximum = s_reader->maxScrollOffset();
    ASSERT_GT(maximum, 1000);
    const std::vector<std::pair<const wchar_t*, int32_t>> cases = {
        {L"1000", 1000}, {L"-480", 0}, {L"100000000", maximum}, {L"2147483647", maximum}, {nullptr, 0}};
    for (const auto& c : cases) {
        scrollTo(0);
        writeSavedOffset(c.first);
        s_reader->resumeAtSavedOffsetAgain();
        EXPECT_EQ(s_reader->scrollOffset(), c.second) << (c.first != nullptr ? "saved" : "no key");
        int32_t saved = -1;
        EXPECT_TRUE(readSavedOffset(saved));
        EXPECT_EQ(saved, c.second) << "written back";
    }
}
