// The balloon layer drawn into a memory bitmap: the ring of slots, the
// balloon's colours and edges, its font, the wrapping of long texts, its
// place inside the client area, alignment and the narrow program's fonts,
// and that painting leaks no GDI object.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BalloonTexts.h"
#include "DibWindow.h"
#include "reader/balloons/CalloutLayer.h"
#include "reader/balloons/OutlineLayer.h"

namespace {

using Text = std::basic_string<PlatformChar>;

// A 16-bit text as the reader window hands it to the balloons; `charset`
// is the one of the last character that needed one.
Text displayText(const DibWindow& w, const std::u16string& text, int32_t& charset)
{
    Text out;
    charset = 0;
    for (char16_t c : text) {
        PlatformChar d = 0;
        const uint8_t set = w.toDisplayChar(c, d);
        if (set != 0)
            charset = set;
        out.push_back(d);
    }
    return out;
}

Text displayText(const DibWindow& w, const std::u16string& text)
{
    int32_t charset = 0;
    return displayText(w, text, charset);
}

struct Box {
    int left;
    int right;
    int top;
    int bottom;
    int nearY;
};

Box boxOf(const Callout& c)
{
    const POINT& q3 = c.outlinePoint(3);
    const POINT& q4 = c.outlinePoint(4);
    const int nearY = c.outlinePoint(1).y;
    return Box{q4.x, q3.x, std::min<int>(nearY, q3.y), std::max<int>(nearY, q3.y), nearY};
}

SIZE extentOf(HDC dc, HFONT font, const PlatformChar* text, size_t n)
{
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32(dc, text, static_cast<int>(n), &size);
    SelectObject(dc, old);
    return size;
}

int lineHeightOf(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    return tm.tmHeight;
}

std::vector<uint32_t> pixelsIn(const DibWindow& w, const RECT& r)
{
    GdiFlush();
    std::vector<uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.push_back(w.pixel(x, y));
    return out;
}

// What DrawTextW itself makes of a text in a rectangle on the balloon's colours.
std::vector<uint32_t> referenceText(DibWindow& w, const RECT& r, HFONT font, const std::u16string& text, UINT format)
{
    HDC dc = w.hdc();
    w.fill(White);
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 223));
    FillRect(dc, &r, yellow);
    DeleteObject(yellow);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkColor(dc, RGB(255, 255, 223));
    SetTextColor(dc, RGB(0, 0, 0));
    RECT box = r;
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), -1, &box, format | DT_NOPREFIX);
    SetTextColor(dc, RGB(255, 255, 255));
    SelectObject(dc, old);
    return pixelsIn(w, r);
}

void redraw(DibWindow& w, DrawLayer& layer)
{
    w.fill(White);
    layer.draw(w.hdc());
    GdiFlush();
}

const Point Upper(200, 100);
const Point Lower(200, 120);

} // namespace

TEST(CalloutLayerTest, SlotsAreTakenInTurnAndEachBalloonKeepsItsOwnText)
{
    DibWindow w;
    CalloutLayer layer(&w);
    for (uint32_t k = 0; k < CalloutLayer::SlotCount; ++k)
        ASSERT_EQ(layer.addCallout(Upper, Lower, displayText(w, u"un deux").c_str(), 400, 0), k);
    // Slot 0 is still shown and is taken all the same.
    ASSERT_TRUE(layer.callout(0).visible());
    Text buffer = displayText(w, u"vingt et un");
    EXPECT_EQ(layer.addCallout(Upper, Lower, buffer.c_str(), 400, 0), 0u);
    EXPECT_EQ(Text(layer.callout(0).text()), buffer);
    EXPECT_EQ(layer.addCallout(Upper, Lower, buffer.c_str(), 400, 0), 1u);
    for (uint32_t k = 1; k < CalloutLayer::SlotCount; ++k)
        layer.removeCallout(k);
    EXPECT_FALSE(layer.callout(1).visible());
    EXPECT_EQ(layer.callout(1).text(), nullptr);

    redraw(w, layer);
    const std::vector<uint32_t> shown = w.pixels();
    EXPECT_GT(w.count(BalloonFill, 0, 0, DibWindow::Width, DibWindow::Height), 0);
    layer.removeCallout(25);
    redraw(w, layer);
    EXPECT_TRUE(w.pixels() == shown) << "a slot past the ring hides nothing";

    // The caller's buffer is its own: overwriting it changes no pixel.
    for (PlatformChar& c : buffer)
        c = 'W';
    redraw(w, layer);
    EXPECT_TRUE(w.pixels() == shown);
}

TEST(CalloutLayerTest, ABalloonIsPaleYellowWithABlackEdgeAndBlackTextAndLeavesTheContextAsItWas)
{
    DibWindow w;
    CalloutLayer layer(&w);
    layer.addCallout(Upper, Lower, displayText(w, u"Tom & Jerry").c_str(), 400, 0);
    const Callout& c = layer.callout(0);

    // The platform's colours and objects as another layer left them: green
    // text, a red pen, a grey brush.
    HDC dc = w.hdc();
    const COLORREF green = RGB(0, 159, 0);
    SetTextColor(dc, green);
    SetBkColor(dc, RGB(255, 255, 255));
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ originalPen = SelectObject(dc, red);
    HGDIOBJ grey = GetStockObject(GRAY_BRUSH);
    HGDIOBJ originalBrush = SelectObject(dc, grey);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    redraw(w, layer);
    EXPECT_EQ(GetTextColor(dc), green);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), red);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), grey);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    SelectObject(dc, originalPen);
    SelectObject(dc, originalBrush);
    DeleteObject(red);

    // Below the sentence, leaning right: 120 + 50 = 170.
    const Box b = boxOf(c);
    const RECT& t = c.textRect();
    EXPECT_EQ(b.nearY, 170);
    EXPECT_EQ(c.outlinePoint(0).x, 200);
    EXPECT_EQ(c.outlinePoint(0).y, 120);
    const int midY = (b.top + b.bottom) / 2;
    const int midX = (b.left + b.right) / 2;
    EXPECT_EQ(w.pixel(200, 120), Black) << "the tip";
    EXPECT_EQ(w.pixel(b.left, midY), Black);
    EXPECT_EQ(w.pixel(b.right, midY), Black);
    EXPECT_EQ(w.pixel(midX, b.bottom), Black);
    EXPECT_EQ(w.pixel(b.left + 2, b.top), Black);
    EXPECT_EQ(w.pixel(b.left - 1, midY), White);
    EXPECT_EQ(w.pixel(b.right + 1, midY), White);
    EXPECT_EQ(w.pixel(midX, b.bottom + 1), White);
    EXPECT_EQ(w.pixel(b.left + 2, b.top - 1), White);
    for (int x = b.left + 1; x < t.left; ++x)
        EXPECT_EQ(w.pixel(x, midY), BalloonFill) << x;
    for (int y = b.top + 1; y < t.top; ++y)
        EXPECT_EQ(w.pixel(midX, y), BalloonFill) << y;
    EXPECT_EQ(w.count(BalloonFill, b.left + 1, b.bottom - 3, b.right, b.bottom), 3 * (b.right - b.left - 1));

    // The text is black (grey where smoothed) on the balloon, whatever colour
    // the context had.
    int ink = 0;
    uint32_t darkest = 255;
    for (int y = t.top; y < t.bottom; ++y) {
        for (int x = t.left; x < t.right; ++x) {
            const uint32_t p = w.pixel(x, y);
            if (p == BalloonFill)
                continue;
            ++ink;
            EXPECT_EQ(p >> 16, (p >> 8) & 0xFF) << x << "," << y;
            darkest = std::min(darkest, p >> 16);
        }
    }
    EXPECT_GT(ink, 30);
    EXPECT_LE(darkest, 64u);
}

TEST(CalloutLayerTest, BalloonsShareOneTahomaFontAndMeasureEveryCharacter)
{
    DibWindow w;
    CalloutLayer layer(&w);
    HFONT font = g_callout_font;
    ASSERT_NE(font, nullptr);
    LOGFONT lf;
    ASSERT_EQ(GetObject(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfWeight, 300);
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(Text(lf.lfFaceName), Text(TEXT("Tahoma")));
    const HFONT cyrillic = g_callout_cyrillic_font;
    if (NarrowProgram) {
        ASSERT_NE(cyrillic, nullptr);
        ASSERT_EQ(GetObject(cyrillic, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
        EXPECT_EQ(lf.lfCharSet, RUSSIAN_CHARSET);
        EXPECT_EQ(lf.lfHeight, 16);
    }
    {
        CalloutLayer second(&w);
        EXPECT_EQ(g_callout_font, font);
        EXPECT_EQ(g_callout_cyrillic_font, cyrillic);
    }

    // The "&" is measured and drawn as itself.
    const Text tom = displayText(w, u"Tom & Jerry");
    layer.addCallout(Upper, Lower, tom.c_str(), 400, 0);
    EXPECT_EQ(layer.callout(0).textWidth(), extentOf(w.hdc(), font, tom.c_str(), tom.size()).cx);
    EXPECT_EQ(layer.callout(0).textHeight(), lineHeightOf(w.hdc(), font));
}

TEST(CalloutLayerTest, ALongTranslationWrapsIntoLinesOfAtMostTheMaximum)
{
    DibWindow w;
    CalloutLayer layer(&w);
    const Text original = displayText(w, wordsText(600, 11));
    layer.addCallout(Point(100, 50), Point(100, 70), original.c_str(), 400, 0);
    const Callout& c = layer.callout(0);
    Text wrapped = c.text();
    ASSERT_EQ(wrapped.size(), original.size());

    int lines = 1;
    size_t start = 0;
    for (size_t i = 0; i <= wrapped.size(); ++i) {
        if (i < wrapped.size() && wrapped[i] != '\n')
            continue;
        const Text line = wrapped.substr(start, i - start);
        if (line.find(' ') != Text::npos) {
            EXPECT_LE(extentOf(w.hdc(), g_callout_font, line.c_str(), line.size()).cx, 400) << lines;
        }
        if (i < wrapped.size()) {
            wrapped[i] = ' ';
            ++lines;
        }
        start = i + 1;
    }
    EXPECT_EQ(wrapped, original) << "only blanks became line breaks";
    EXPECT_GT(lines, 5);
    EXPECT_EQ(c.textHeight(), lines * lineHeightOf(w.hdc(), g_callout_font));
    EXPECT_LE(c.textWidth(), 400);

    // As many bands of ink as lines.
    redraw(w, layer);
    const RECT& t = c.textRect();
    int bands = 0;
    bool inBand = false;
    for (int y = t.top; y < t.bottom; ++y) {
        const bool ink = w.count(BalloonFill, t.left, y, t.right, y + 1) < t.right - t.left;
        bands += ink && !inBand ? 1 : 0;
        inBand = ink;
    }
    EXPECT_EQ(bands, lines);
}

TEST(CalloutLayerTest, BalloonsStayInsideTheClientAreaAndHugeTextsDoNoHarm)
{
    DibWindow w;
    CalloutLayer layer(&w);
    const Text text = displayText(w, wordsText(600, 12));
    for (int x : {10, 790}) {
        SCOPED_TRACE(x);
        layer.addCallout(Point(x, 100), Point(x, 120), text.c_str(), 400, 0);
        const Callout& c = layer.callout(x == 10 ? 0 : 1);
        redraw(w, layer);
        for (uint32_t i = 0; i < Callout::OutlinePoints; ++i) {
            EXPECT_GE(c.outlinePoint(i).x, 0) << i;
            EXPECT_LE(c.outlinePoint(i).x, DibWindow::Width - 1) << i;
        }
        EXPECT_EQ(c.outlinePoint(0).x, x) << "the tip stays at the sentence";
        EXPECT_EQ(w.pixel(x, 120), Black);
        layer.removeCallout(x == 10 ? 0 : 1);
    }

    // 3,000 characters, and a word of 500 letters wider than the window.
    const Text long3000 = displayText(w, wordsText(3000, 13));
    layer.addCallout(Upper, Lower, long3000.c_str(), 400, 0);
    const Text word(500, 'm');
    const uint32_t i = layer.addCallout(Upper, Lower, word.c_str(), 400, 0);
    redraw(w, layer);
    const Callout& c = layer.callout(i);
    EXPECT_EQ(Text(c.text()), word);
    EXPECT_GT(c.textWidth(), DibWindow::Width);
    EXPECT_EQ(boxOf(c).left, 0);
    EXPECT_EQ(Text(layer.callout(i - 1).text()).size(), long3000.size());
}

#ifdef UNICODE
TEST(CalloutLayerTest, AHebrewTextIsRightAligned)
{
    DibWindow w;
    CalloutLayer layer(&w);
    const std::u16string hebrew = u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD";
    layer.addCallout(Upper, Lower, displayText(w, hebrew).c_str(), 400, 0);
    redraw(w, layer);
    const RECT t = layer.callout(0).textRect();
    const std::vector<uint32_t> drawn = pixelsIn(w, t);
    EXPECT_TRUE(drawn == referenceText(w, t, g_callout_font, hebrew, DT_RIGHT));
    EXPECT_FALSE(drawn == referenceText(w, t, g_callout_font, hebrew, DT_LEFT));
}
#else
TEST(CalloutLayerTest, TheNarrowProgramDrawsCyrillicInItsOwnFont)
{
    DibWindow w;
    CalloutLayer layer(&w);
    const std::u16string russian = u"\u041F\u0440\u0438\u0432\u0435\u0442, \u043A\u0430\u043A \u0434\u0435\u043B\u0430?";
    int32_t charset = 0;
    const Text bytes = displayText(w, russian, charset);
    EXPECT_EQ(charset, RUSSIAN_CHARSET);
    layer.addCallout(Upper, Lower, bytes.c_str(), 400, charset);
    redraw(w, layer);
    const RECT t = layer.callout(0).textRect();
    const std::vector<uint32_t> drawn = pixelsIn(w, t);
    EXPECT_TRUE(drawn == referenceText(w, t, g_callout_cyrillic_font, russian, DT_LEFT));

    // The same bytes in the first font are Latin-1 letters.
    std::u16string latin;
    for (char b : bytes)
        latin.push_back(static_cast<unsigned char>(b));
    EXPECT_FALSE(drawn == referenceText(w, t, g_callout_font, latin, DT_LEFT));
    EXPECT_FALSE(drawn == referenceText(w, t, g_callout_cyrillic_font, latin, DT_LEFT));

    const std::u16string ete = u"\u00E9t\u00E9";
    const Text eteBytes = displayText(w, ete, charset);
    EXPECT_EQ(charset, ANSI_CHARSET);
    const uint32_t i = layer.addCallout(Upper, Lower, eteBytes.c_str(), 400, charset);
    layer.removeCallout(0);
    redraw(w, layer);
    const RECT e = layer.callout(i).textRect();
    EXPECT_TRUE(pixelsIn(w, e) == referenceText(w, e, g_callout_font, ete, DT_LEFT));
}
#endif

TEST(CalloutLayerTest, SeventyThousandPaintsMakeNoGdiObject)
{
    DibWindow w;
    OutlineLayer outline(&w);
    outline.setLineCount(8);
    TextRegion region;
    region.setSize(1);
    region.at(0) = Rect(100, 60, 80, 20);
    outline.outlineRegion(region);
    CalloutLayer balloons(&w);
    Point upper;
    Point lower;
    OutlineLayer::getAnchors(outline.points(), upper, lower);
    balloons.addCallout(upper, lower, displayText(w, u"Tom & Jerry").c_str(), 400, 0);

    // Wine gives a process about 65,400 GDI handles.
    for (int i = 0; i < 70000; ++i) {
        outline.draw(w.hdc());
        balloons.draw(w.hdc());
    }
    redraw(w, outline);
    balloons.draw(w.hdc());
    GdiFlush();
    EXPECT_GT(w.count(OutlineTeal, 97, 59, 182, 60), 0);
    const Box b = boxOf(balloons.callout(0));
    EXPECT_EQ(w.pixel(b.left + 1, b.top + 1), BalloonFill);
    EXPECT_EQ(w.pixel(b.left, b.top + 1), Black);

    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_NE(brush, nullptr);
    EXPECT_NE(pen, nullptr);
    DeleteObject(brush);
    DeleteObject(pen);
}
