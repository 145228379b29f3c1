#include "document/BookLoader.h"
#include "edition/SegmentBlocks.h"
#include "edition/SegmentRow.h"

namespace {

// One text per track; every segment gets its own copy.
const char16_t* const kTrackNames[] = {
    u"omblt01.wav", u"omblt02.wav", u"omblt03.wav", u"omblt04.wav", u"omblt05.wav", u"omblt06.wav", u"omblt07.wav",
    u"omblt08.wav", u"omblt09.wav", u"omblt10.wav", u"omblt11.wav", u"omblt12.wav", u"omblt13.wav", u"omblt14.wav",
    u"omblt15.wav", u"omblt16.wav", u"omblt17.wav", u"omblt18.wav", u"omblt19.wav", u"omblt20.wav", u"omblt21.wav",
    u"omblt22.wav", u"omblt23.wav", u"omblt24.wav", u"omblt25.wav", u"omblt26.wav", u"omblt27.wav", u"omblt28.wav",
    u"omblt29.wav", u"omblt30.wav", u"omblt31.wav", u"omblt32.wav", u"omblt33.wav", u"omblt34.wav", u"omblt35.wav",
    u"omblt36.wav", u"omblt37.wav", u"omblt38.wav", u"omblt39.wav", u"omblt40.wav", u"omblt41.wav", u"omblt42.wav",
    u"omblt43.wav", u"omblt44.wav", u"omblt45.wav",
};

const uint32_t kTrackCount = sizeof(kTrackNames) / sizeof(kTrackNames[0]);

} // namespace

const char16_t* segmentTrackName(uint32_t track)
{
    return (track >= 1 && track <= kTrackCount) ? kTrackNames[track - 1] : u"";
}

void fillSegmentRows(AudioSegmentArray& table, uint32_t firstIndex, const SegmentRow* rows, uint32_t count)
{
    for (uint32_t k = 0; k < count; ++k) {
        const SegmentRow& row = rows[k];
        const uint32_t i = firstIndex + k;
        table.at(i).setTextRange(row.m_first, row.m_last, row.m_paragraph);
        table.at(i).trackName().assign(segmentTrackName(row.m_track));
        table.at(i).start().set(0, row.m_start_minutes, row.m_start_seconds, row.m_start_milliseconds);
        table.at(i).end().set(0, row.m_end_minutes, row.m_end_seconds, row.m_end_milliseconds);
    }
}

bool BookLoader::fillSegmentTable(AudioSegmentArray& table)
{
    // Without its items every row would land on the table's default element,
    // which would then pass for a valid segment at every index out of range.
    if (!table.setSize(kSegmentCount))
        return false;
    fillSegmentBlock1(table);
    fillSegmentBlock2(table);
    fillSegmentBlock3(table);
    fillSegmentBlock4(table);
    fillSegmentBlock5(table);
    fillSegmentBlock6(table);
    fillSegmentBlock7(table);
    fillSegmentBlock8(table);
    fillSegmentBlock9(table);
    fillSegmentBlock10(table);
    fillSegmentBlock11(table);
    fillSegmentBlock12(table);
    fillSegmentBlock13(table);
    fillSegmentBlock14(table);
    return true;
}
