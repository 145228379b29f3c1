// The chain of play items that playback walks through the segment table: on
// a small table made here, and on the compiled-in table.
#include <gtest/gtest.h>

#include <string>

#include "document/BookLoader.h"
#include "reader/playback/SegmentChain.h"

namespace {

struct Row {
    const char16_t* track;
    uint32_t start;
    uint32_t end;
    int32_t paragraph;
};

void fillTable(AudioSegmentArray& table, std::initializer_list<Row> rows)
{
    ASSERT_TRUE(table.setSize(static_cast<uint32_t>(rows.size())));
    uint32_t i = 0;
    for (const Row& row : rows) {
        AudioSegment& s = table.at(i);
        s.setTextRange(static_cast<int32_t>(10 * i), static_cast<int32_t>(10 * i + 7), row.paragraph);
        s.trackName().assign(row.track);
        s.start().setMilliseconds(row.start);
        s.end().setMilliseconds(row.end);
        ++i;
    }
}

std::u16string nameOf(const AudioSegment& s)
{
    std::u16string name;
    for (uint32_t i = 0; i < s.trackName().count(); ++i)
        name.push_back(s.trackName().at(i));
    return name;
}

// An item as the tests compare it: "track start-end valid first-last".
std::string describe(const AudioSegment& s)
{
    std::string name;
    for (char16_t c : nameOf(s))
        name.push_back(c == 0 ? '|' : static_cast<char>(c));
    return name + " " + std::to_string(s.start().toMilliseconds()) + "-" + std::to_string(s.end().toMilliseconds()) +
           " v" + std::to_string(s.isValid()) + " " + std::to_string(s.firstChar()) + "-" +
           std::to_string(s.lastChar());
}

const TrackTime kDuration(0, 5, 0, 681); // 0:5:0:681

class SegmentChainTest : public testing::Test {
protected:
    void SetUp() override
    {
        fillTable(m_table, {
                               {u"a.wav", 100, 900, 0},   // 0
                               {u"a.wav", 1000, 1800, 0}, // 1
                               {u"a.wav", 1900, 2500, 1}, // 2: last of track a
                               {u"b.wav", 40, 700, 1},    // 3
                               {u"b.wav", 750, 900, 2},   // 4: ends after 5 starts
                               {u"b.wav", 850, 1500, 2},  // 5
                               {u"a.wavx", 100, 200, 3},  // 6: another name sharing a's first units
                               {u"a.wav", 3000, 3100, 3}, // 7: the table's last
                           });
    }

    // The pause that follows segment `segment` of a chain begun there.
    std::string pauseAfter(int32_t segment, const TrackTime& duration = kDuration)
    {
        SegmentChain chain(m_table);
        AudioSegment item;
        chain.firstItem(segment, item);
        AudioSegment pause;
        EXPECT_TRUE(chain.nextItem(duration, pause)) << segment;
        return describe(pause);
    }

    AudioSegmentArray m_table;
};

} // namespace

TEST_F(SegmentChainTest, SegmentPauseSegmentWithinATrack)
{
    SegmentChain chain(m_table);
    AudioSegment item;
    chain.firstItem(1, item);
    EXPECT_EQ(chain.currentSegment(), 1);
    EXPECT_EQ(describe(item), "a.wav| 1000-1800 v1 10-17");
    EXPECT_EQ(item.paragraphIndex(), 0);

    AudioSegment pause;
    EXPECT_TRUE(chain.nextItem(kDuration, pause));
    EXPECT_EQ(describe(pause), "a.wav| 1800-1900 v0 0-0") << "from segment 1's end to segment 2's start";
    EXPECT_EQ(chain.currentSegment(), 2) << "a pause carries the next segment's index";

    AudioSegment next;
    EXPECT_TRUE(chain.nextItem(kDuration, next));
    EXPECT_EQ(describe(next), "a.wav| 1900-2500 v1 20-27");
    EXPECT_EQ(next.paragraphIndex(), 1);
    EXPECT_EQ(chain.currentSegment(), 2);
}

TEST_F(SegmentChainTest, APauseAtATrackChangeRunsToTheTrackEndWithoutMilliseconds)
{
    SegmentChain chain(m_table);
    AudioSegment item;
    chain.firstItem(2, item);
    AudioSegment pause;
    EXPECT_TRUE(chain.nextItem(kDuration, pause));
    EXPECT_EQ(describe(pause), "a.wav| 2500-300000 v0 0-0") << "0:5:0:681 ends the pause at 0:5:0:0";
    EXPECT_EQ(pause.end().milliseconds(), 0u);
    AudioSegment next;
    EXPECT_TRUE(chain.nextItem(kDuration, next));
    EXPECT_EQ(describe(next), "b.wav| 40-700 v1 30-37");
    EXPECT_EQ(chain.currentSegment(), 3);

    // Names that agree as far as the shorter goes are still two tracks.
    EXPECT_EQ(pauseAfter(5), "b.wav| 1500-300000 v0 0-0");
    EXPECT_EQ(pauseAfter(6, TrackTime(0, 0, 7, 999)), "a.wavx| 200-7000 v0 0-0");
}

TEST_F(SegmentChainTest, APauseThatEndsBeforeItStartsIsLeftAsItIs)
{
    EXPECT_EQ(pauseAfter(4), "b.wav| 900-850 v0 0-0");
}

TEST_F(SegmentChainTest, TheChainEndsAfterTheTableLastSegmentWithoutAPause)
{
    SegmentChain chain(m_table);
    AudioSegment item;
    chain.firstItem(0, item);
    std::string walked = std::to_string(chain.currentSegment());
    int items = 1;
    while (chain.nextItem(kDuration, item) && items < 100) {
        ++items;
        if (item.isValid() == 1)
            walked += " " + std::to_string(chain.currentSegment());
    }
    EXPECT_EQ(walked, "0 1 2 3 4 5 6 7");
    EXPECT_EQ(items, 15) << "eight segments and the seven pauses between them";
    // The pause refused after the last segment would have run to the track's end.
    EXPECT_EQ(describe(item), "a.wav| 3100-300000 v0 0-0");
    EXPECT_EQ(chain.currentSegment(), 8);

    chain.firstItem(7, item);
    EXPECT_FALSE(chain.nextItem(kDuration, item));
}

TEST_F(SegmentChainTest, AnIndexPastTheTableGivesAnEmptyTrackName)
{
    SegmentChain chain(m_table);
    AudioSegment item;
    for (int32_t index : {8, 5000, -1}) {
        chain.firstItem(index, item);
        EXPECT_EQ(item.trackName().count(), 0u) << index;
        EXPECT_EQ(item.isValid(), 0) << index;
        EXPECT_EQ(chain.currentSegment(), index);
    }
    AudioSegment copy;
    EXPECT_FALSE(copySegment(m_table, 8, copy));
    EXPECT_TRUE(copySegment(m_table, 7, copy));
}

TEST_F(SegmentChainTest, ACopyOwnsItsTrackName)
{
    AudioSegment copy;
    ASSERT_TRUE(copySegment(m_table, 3, copy));
    copy.trackName().at(0) = u'z';
    EXPECT_EQ(nameOf(m_table.at(3)), std::u16string(u"b.wav", 6));
    EXPECT_EQ(copy.trackName().count(), 6u) << "the terminator is copied too";
}

TEST(SegmentChainBookTable, ChainOverTheCompiledTable)
{
    AudioSegmentArray table;
    ASSERT_TRUE(BookLoader::fillSegmentTable(table));
    SegmentChain chain(table);
    AudioSegment item;

    chain.firstItem(1, item);
    EXPECT_EQ(describe(item), "omblt01.wav| 16440-18540 v1 0-38");
    EXPECT_EQ(item.paragraphIndex(), 21);
    AudioSegment pause;
    EXPECT_TRUE(chain.nextItem(kDuration, pause));
    EXPECT_EQ(describe(pause), "omblt01.wav| 18540-18620 v0 0-0") << "0:0:18:540 to 0:0:18:620";
    AudioSegment second;
    EXPECT_TRUE(chain.nextItem(kDuration, second));
    EXPECT_EQ(chain.currentSegment(), 2);
    EXPECT_EQ(second.start().toMilliseconds(), 18620u);

    chain.firstItem(1084, item);
    EXPECT_TRUE(chain.nextItem(kDuration, pause));
    EXPECT_EQ(describe(pause), "omblt10.wav| 225390-218020 v0 0-0");

    // The last segment of each track is followed by a pause to the track's end.
    int trackChanges = 0;
    for (uint32_t s = 0; s + 1 < table.count(); ++s) {
        if (nameOf(table.at(s)) == nameOf(table.at(s + 1)))
            continue;
        ++trackChanges;
        chain.firstItem(static_cast<int32_t>(s), item);
        EXPECT_TRUE(chain.nextItem(kDuration, pause)) << s;
        EXPECT_EQ(pause.start().toMilliseconds(), table.at(s).end().toMilliseconds()) << s;
        EXPECT_EQ(pause.end().toMilliseconds(), 300000u) << s;
        EXPECT_TRUE(chain.nextItem(kDuration, item)) << s;
        EXPECT_EQ(nameOf(item), nameOf(table.at(s + 1))) << s;
    }
    EXPECT_EQ(trackChanges, 44);

    chain.firstItem(4047, item);
    EXPECT_EQ(item.isValid(), 1);
    EXPECT_FALSE(chain.nextItem(kDuration, pause)) << "no pause after the table's last segment";
    chain.firstItem(4048, item);
    EXPECT_EQ(item.trackName().count(), 0u);
}
