#include "reader/playback/SegmentChain.h"

bool copySegment(const AudioSegmentArray& table, uint32_t i, AudioSegment& out)
{
    const AudioSegment& s = table.at(i);
    out.setTextRange(s.firstChar(), s.lastChar(), s.paragraphIndex());
    out.fill(s.trackName(), s.start(), s.end(), s.isValid(), s.firstChar(), s.lastChar());
    return i < table.count();
}

TrackTime trackEndTime(const TrackTime& duration)
{
    return TrackTime(duration.hours(), duration.minutes(), duration.seconds(), 0);
}

namespace {

bool sameTrack(const WideString& a, const WideString& b)
{
    if (a.count() != b.count())
        return false;
    for (uint32_t i = 0; i < a.count(); ++i) {
        if (a.at(i) != b.at(i))
            return false;
    }
    return true;
}

// Indexes travel as unsigned values: a negative one lies past the table.
uint32_t tableIndex(int32_t i)
{
    return static_cast<uint32_t>(i);
}

} // namespace

SegmentChain::SegmentChain(const AudioSegmentArray& table) : m_table(table), m_current_segment(0), m_pause_next(0)
{}

void SegmentChain::firstItem(int32_t start, AudioSegment& out)
{
    m_current_segment = start;
    copySegment(m_table, tableIndex(m_current_segment), out);
    m_pause_next = 0;
}

bool SegmentChain::nextItem(const TrackTime& duration, AudioSegment& out)
{
    if (m_pause_next == 0) {
        m_pause_next = 1;
        return makePauseItem(trackEndTime(duration), out);
    }
    copySegment(m_table, tableIndex(m_current_segment), out);
    m_pause_next = 0;
    return true;
}

bool SegmentChain::makePauseItem(const TrackTime& trackEnd, AudioSegment& out)
{
    const uint32_t c = tableIndex(m_current_segment);
    AudioSegment current;
    AudioSegment next;
    copySegment(m_table, c, current);
    const bool hasNext = copySegment(m_table, c + 1, next);
    m_current_segment = static_cast<int32_t>(c + 1);
    const TrackTime& end = sameTrack(current.trackName(), next.trackName()) ? next.start() : trackEnd;
    out.fill(current.trackName(), current.end(), end, 0, 0, 0);
    return hasNext;
}
