#include "SegmentRows.h"

#include "document/BookLoader.h"

AudioSegmentArray& filledTable()
{
    static AudioSegmentArray table;
    static bool filled = BookLoader::fillSegmentTable(table);
    (void)filled;
    return table;
}

const std::vector<Row>& rows()
{
    static std::vector<Row> result;
    if (result.empty()) {
        AudioSegmentArray& table = filledTable();
        for (uint32_t i = 0; i < table.count(); ++i) {
            const AudioSegment& s = table.at(i);
            Row r;
            r.paragraph = s.paragraphIndex();
            r.first = s.firstChar();
            r.last = s.lastChar();
            r.track = trackOfName(s.trackName());
            r.start = static_cast<int>(s.start().toMilliseconds());
            r.end = static_cast<int>(s.end().toMilliseconds());
            r.hours = static_cast<int>(s.start().hours() + s.end().hours());
            result.push_back(r);
        }
    }
    return result;
}

int msOf(const char* text)
{
    int minutes = 0;
    int seconds = 0;
    int millis = 0;
    const char* p = text;
    while (*p != ':')
        minutes = minutes * 10 + (*p++ - '0');
    ++p;
    while (*p != '.')
        seconds = seconds * 10 + (*p++ - '0');
    ++p;
    while (*p != 0)
        millis = millis * 10 + (*p++ - '0');
    return minutes * 60000 + seconds * 1000 + millis;
}

int groupOf(int segment)
{
    return segment < 2100 ? 0 : segment / 300 + 1;
}

int trackOfName(const WideString& name)
{
    static const char16_t prefix[] = u"omblt";
    static const char16_t suffix[] = u".wav";
    if (name.count() != 12 || name.at(11) != 0)
        return 0;
    for (uint32_t i = 0; i < 5; ++i) {
        if (name.at(i) != prefix[i])
            return 0;
    }
    for (uint32_t i = 0; i < 4; ++i) {
        if (name.at(7 + i) != suffix[i])
            return 0;
    }
    const char16_t tens = name.at(5);
    const char16_t ones = name.at(6);
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
        return 0;
    const int track = (tens - u'0') * 10 + (ones - u'0');
    return (track >= 1 && track <= 45) ? track : 0;
}

std::string segmentName(int segment)
{
    return "segment " + std::to_string(segment);
}
