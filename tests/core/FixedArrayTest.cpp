#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/ByteArray.h"
#include "core/FixedArray.h"
#include "core/Geometry.h"
#include "core/IntArray.h"
#include "core/WideString.h"

namespace {

// Records the order in which elements are built and destroyed; throws from
// its constructor when asked to.
class Tracked {
public:
    Tracked() : m_id(s_next_id++), m_value(7)
    {
        if (s_throw_at >= 0 && m_id == s_throw_at)
            throw std::runtime_error("constructor failed");
        s_built.push_back(m_id);
    }
    virtual ~Tracked() { s_destroyed.push_back(m_id); }

    static void reset()
    {
        s_next_id = 0;
        s_throw_at = -1;
        s_built.clear();
        s_destroyed.clear();
    }

    int m_id;
    int m_value;
    static int s_next_id;
    static int s_throw_at;
    static std::vector<int> s_built;
    static std::vector<int> s_destroyed;
};

int Tracked::s_next_id = 0;
int Tracked::s_throw_at = -1;
std::vector<int> Tracked::s_built;
std::vector<int> Tracked::s_destroyed;

class FixedArrayTest : public testing::Test {
protected:
    void SetUp() override { Tracked::reset(); }
};

} // namespace

TEST_F(FixedArrayTest, EmptyArrayAnswersItsDefaultForEveryIndex)
{
    FixedArray<int32_t> a;
    EXPECT_EQ(a.count(), 0u);
    EXPECT_EQ(a.items(), nullptr);
    EXPECT_EQ(a.at(0), 0) << "the default of a plain-value array starts at zero";
    bool inRange = true;
    int32_t& d = a.atChecked(0, inRange);
    EXPECT_FALSE(inRange);
    EXPECT_EQ(&d, &a.at(12345));
}

TEST_F(FixedArrayTest, IndexesAreComparedUnsigned)
{
    FixedArray<int32_t> a;
    ASSERT_TRUE(a.setSize(3));
    for (uint32_t i = 0; i < 3; ++i)
        a.at(i) = static_cast<int32_t>(10 + i);
    bool inRange = false;
    EXPECT_EQ(a.atChecked(2, inRange), 12);
    EXPECT_TRUE(inRange);
    EXPECT_EQ(&a.atChecked(3, inRange), &a.at(0xFFFFFFFFu));
    EXPECT_FALSE(inRange);
    // Minus one seen as unsigned is far past the end, not the element before 0.
    EXPECT_NE(&a.at(static_cast<uint32_t>(-1)), &a.items()[2]);
    EXPECT_EQ(a.at(static_cast<uint32_t>(-1)), 0);
}

TEST_F(FixedArrayTest, OutOfRangeWritesLandOnTheDefaultElement)
{
    FixedArray<int32_t> a;
    ASSERT_TRUE(a.setSize(2));
    a.at(0) = 1;
    a.at(1) = 2;
    a.at(2) = 99;
    EXPECT_EQ(a.at(700), 99);
    EXPECT_EQ(a.at(0xFFFFFFFFu), 99);
    EXPECT_EQ(a.at(0), 1);
    EXPECT_EQ(a.at(1), 2);
    // Sizing never touches the default element.
    ASSERT_TRUE(a.setSize(1));
    EXPECT_EQ(a.at(5), 99);
}

TEST_F(FixedArrayTest, ElementClassesAreBuiltInOrderAndDestroyedInReverse)
{
    {
        FixedArray<Tracked> a; // builds the default element, id 0
        ASSERT_TRUE(a.setSize(3));
        EXPECT_EQ(Tracked::s_built, (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(a.at(0).m_value, 7);

        // Sizing again discards everything, also at an equal count.
        a.at(1).m_value = 42;
        ASSERT_TRUE(a.setSize(3));
        EXPECT_EQ(Tracked::s_destroyed, (std::vector<int>{3, 2, 1}));
        EXPECT_EQ(a.at(1).m_value, 7);
        EXPECT_EQ(a.at(1).m_id, 5);

        ASSERT_TRUE(a.setSize(5));
        EXPECT_EQ(a.count(), 5u);
        for (uint32_t i = 0; i < 5; ++i)
            EXPECT_EQ(a.at(i).m_value, 7);

        Tracked::s_destroyed.clear();
        EXPECT_FALSE(a.setSize(0));
        EXPECT_EQ(a.count(), 0u);
        EXPECT_EQ(a.items(), nullptr);
        EXPECT_EQ(Tracked::s_destroyed.size(), 5u);
        Tracked::s_destroyed.clear();
    }
    // The default element goes last, when the array itself goes.
    EXPECT_EQ(Tracked::s_destroyed, (std::vector<int>{0}));
}

TEST_F(FixedArrayTest, FailedConstructionLeavesTheArrayEmpty)
{
    FixedArray<Tracked> a;
    ASSERT_TRUE(a.setSize(2));
    a.at(9).m_value = 5; // the default element
    Tracked::s_throw_at = Tracked::s_next_id + 2;
    EXPECT_FALSE(a.setSize(4));
    EXPECT_EQ(a.count(), 0u);
    EXPECT_EQ(a.items(), nullptr);
    EXPECT_EQ(a.at(0).m_value, 5);
    // The two old elements and the two new ones built before the failure.
    EXPECT_EQ(Tracked::s_destroyed.size(), 4u);
}

TEST_F(FixedArrayTest, FailedAllocationLeavesTheArrayEmptyAndTheDefaultAlone)
{
    FixedArray<Rect> a;
    ASSERT_TRUE(a.setSize(4));
    a.at(100).setWidth(77);
    EXPECT_FALSE(a.setSize(0xFFFFFFFFu));
    EXPECT_EQ(a.count(), 0u);
    EXPECT_EQ(a.items(), nullptr);
    EXPECT_EQ(a.at(0).width(), 77);
}

TEST_F(FixedArrayTest, ValuesWithAConstructorStartAtZero)
{
    FixedArray<Point> points;
    ASSERT_TRUE(points.setSize(3));
    points.at(1).offset(4, 5);
    ASSERT_TRUE(points.setSize(3));
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(points.at(i).x, 0);
        EXPECT_EQ(points.at(i).y, 0);
    }
    FixedArray<Rect> rects;
    ASSERT_TRUE(rects.setSize(2));
    EXPECT_EQ(rects.at(1).left(), 0);
    EXPECT_EQ(rects.at(1).bottom(), 0);
    ByteArray bytes;
    EXPECT_EQ(bytes.at(3), 0);
}

TEST(WideStringTest, AssignCopiesTheTextWithItsTerminator)
{
    WideString s;
    s.assign(u"abc");
    ASSERT_EQ(s.count(), 4u);
    EXPECT_EQ(s.at(0), u'a');
    EXPECT_EQ(s.at(1), u'b');
    EXPECT_EQ(s.at(2), u'c');
    EXPECT_EQ(s.at(3), 0);

    s.assign(u"omblt01.wav");
    EXPECT_EQ(s.count(), 12u);
    EXPECT_EQ(s.at(5), u'0');
    EXPECT_EQ(s.at(11), 0);

    EXPECT_EQ(&s.assign(u""), &s);
    EXPECT_EQ(s.count(), 1u);
    EXPECT_EQ(s.at(0), 0);
}

TEST(NamedArraysTest, PointArrayBuildsZeroPointsAndIntArrayHoldsSignedValues)
{
    PointArray points;
    ASSERT_TRUE(points.setSize(3));
    for (uint32_t i = 0; i < points.count(); ++i) {
        EXPECT_EQ(points.at(i).x, 0);
        EXPECT_EQ(points.at(i).y, 0);
    }
    points.at(3).x = 9; // the default point
    EXPECT_EQ(points.at(UINT32_MAX).x, 9);

    IntArray offsets;
    ASSERT_TRUE(offsets.setSize(2));
    offsets.at(1) = -5;
    EXPECT_EQ(offsets.at(1), -5);
    EXPECT_EQ(offsets.at(2), 0);
}
