#include "reader/page/TextLayer.h"

#include "core/Geometry.h"
#include "core/TraceLine.h"
#include "reader/window/WinApiWindow.h"

namespace {

uint16_t platformCharClass(char16_t c)
{
    const wchar_t text = static_cast<wchar_t>(c);
    WORD type = 0;
    if (!GetStringTypeW(CT_CTYPE1, &text, 1, &type))
        return 0;
    return type;
}

// Draws with the window's text calls.
class DcTextSink : public TextRunSink {
public:
    explicit DcTextSink(HDC dc) : m_dc(dc) {}
    void drawText(int32_t x, int32_t y, const RgbColor& color, const CellChar* text, uint32_t n) override
    {
        SetTextColor(m_dc, color.colorRef());
        // A cell's character has the size of the platform's.
        TextOut(m_dc, x, y, reinterpret_cast<const PlatformChar*>(text), static_cast<int>(n));
    }

private:
    HDC m_dc;
};

} // namespace

const CharClasses& textCharClasses()
{
    static const CharClasses classes(platformCharClass);
    return classes;
}

bool isWordChar(CellChar c)
{
    return textCharClasses().isWordChar(c);
}

TextLayer::TextLayer(WinApiWindow* owner)
    : DrawLayer(owner), m_first_visible(0), m_last_visible(0), m_any_visible(false)
{
}

bool TextLayer::setCellCount(uint32_t n)
{
    m_first_visible = 0;
    m_last_visible = 0;
    m_any_visible = false;
    return m_cells.setSize(n);
}

VisibleRun TextLayer::visibleRun() const
{
    VisibleRun run;
    run.first = m_first_visible;
    run.last = m_last_visible;
    run.any = m_any_visible;
    return run;
}

void TextLayer::computeVisibleRange(uint32_t start)
{
    const VisibleRun run =
        findVisibleRun(m_cells, start, owner()->scrollOffset(), owner()->clientBox()->height());
    m_first_visible = run.first;
    m_last_visible = run.last;
    m_any_visible = run.any;
}

void TextLayer::onScrollUp(int32_t)
{
    computeVisibleRange(0);
}

void TextLayer::onScrollDown(int32_t)
{
    computeVisibleRange(m_first_visible);
}

void TextLayer::draw(HDC dc)
{
    computeVisibleRange(m_first_visible);
    drawVisible(dc);
}

void TextLayer::drawVisible(HDC dc)
{
    owner()->selectFont(0);
    DcTextSink sink(dc);
    drawVisibleRun(m_cells, visibleRun(), textCharClasses(), owner()->scrollOffset(), sink);
}

void TextLayer::setVisibleRange(uint32_t first, uint32_t last)
{
    m_first_visible = first;
    m_last_visible = last;
    m_any_visible = first <= last && first < m_cells.count();
    owner()->setScrollOffset(first == 0 ? 0 : m_cells.at(first).top());
}

void TextLayer::updateMaxScroll()
{
    owner()->setMaxScrollOffset(lastCellTop(m_cells));
}

BOOL TextLayer::colorRange(const RgbColor& color, uint32_t first, uint32_t last)
{
    const Rect line = recolorCells(m_cells, color, first, last);
    RECT r;
    rectToRECT(line, r);
    TraceLine trace;
    traceRect(trace.appendText("InvalidateRect "), r).endLine();
    shiftRECTUp(r, owner()->scrollOffset());
    return InvalidateRect(owner()->hwnd(), &r, TRUE);
}

bool TextLayer::hitTest(int32_t x, int32_t y, uint32_t& index) const
{
    return findCellAt(m_cells, visibleRun(), x, y, index);
}

bool TextLayer::pickWord(uint32_t i, CellChar* text, uint32_t& begin, uint32_t& end) const
{
    return pickWordAt(m_cells, i, textCharClasses(), text, PickedWordBuffer, begin, end);
}
