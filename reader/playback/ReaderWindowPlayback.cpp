// The page during playback: the segment heard is coloured and followed.
#include "reader/window/ReaderWindow.h"

#include "document/BookData.h"
#include "reader/page/HighlightMath.h"
#include "reader/page/TextColors.h"
#include "reader/playback/SegmentChain.h"

bool ReaderWindow::segmentAt(uint32_t i, AudioSegment& out) const
{
    return copySegment(BookData::instance().segments(), i, out);
}

void ReaderWindow::highlightSegment(uint32_t i)
{
    if (m_playing != 1)
        return;
    AudioSegment segment;
    segmentAt(i, segment);
    uint32_t first = 0;
    uint32_t last = 0;
    if (!segmentCells(segment, paragraphOffset(static_cast<uint32_t>(segment.paragraphIndex())), first, last))
        return;
    m_highlight_first = static_cast<int32_t>(first);
    m_highlight_last = static_cast<int32_t>(last);
    m_text_layer.colorRange(HeardTextColor, first, last);
    // The last character decides here; the timer tests the first.
    updateAutoScroll(last);
}

void ReaderWindow::unhighlightSegment(uint32_t i)
{
    AudioSegment segment;
    segmentAt(i, segment);
    uint32_t first = 0;
    uint32_t last = 0;
    if (segmentCells(segment, paragraphOffset(static_cast<uint32_t>(segment.paragraphIndex())), first, last))
        m_text_layer.colorRange(PlainTextColor, first, last);
}

void ReaderWindow::onSegmentStarted(uint32_t segment, uint32_t playback)
{
    if (m_player != nullptr && playback == m_player->latestPlayback())
        highlightSegment(segment);
}

void ReaderWindow::onSegmentFinished(uint32_t segment, uint32_t playback)
{
    if (m_player != nullptr && playback == m_player->latestPlayback())
        unhighlightSegment(segment);
}

void ReaderWindow::updateAutoScroll(uint32_t c)
{
    updateClientBox();
    m_auto_scroll =
        autoScrollAfter(m_auto_scroll, m_playing, m_text_layer.cellAt(c).top(), scrollOffset(), clientBox()->height());
}
