// Floats of a formatting context on their own: the room they leave beside them, clearing, and
// the retiring of floats that lie above every later query.
#include "platform/browser/LayoutFloats.h"
#include <gtest/gtest.h>

using namespace fxb;

namespace {

// A context 0..500 wide with a left float 0..100 over 0..50 and a right float 420..500 over 20..80.
FloatContext TwoFloats()
{
    FloatContext fc;
    fc.lefts.floats.push_back({0, 0, 100, 50});
    fc.rights.floats.push_back({420, 20, 500, 80});
    return fc;
}

} // namespace

TEST(Floats, EdgesNarrowOnlyWhereABandMeetsAFloat)
{
    struct Case
    {
        const char* name;
        int y, h;
        int left, right;
    };
    const Case cases[] = {
        {"beside both", 30, 10, 100, 420},
        {"beside the left one only", 0, 10, 100, 500},
        {"band reaching into the right one", 10, 15, 100, 420},
        {"band ending where the right one starts", 10, 10, 100, 500},
        {"below the left one", 50, 10, 0, 420},
        {"zero height band counts as one pixel", 19, 0, 100, 500},
        {"zero height band at a float's top", 20, 0, 100, 420},
        {"below both", 80, 20, 0, 500},
    };
    for (const Case& c : cases) {
        FloatContext fc = TwoFloats();
        EXPECT_EQ(c.left, fc.LeftEdge(c.y, c.h, 0)) << c.name;
        EXPECT_EQ(c.right, fc.RightEdge(c.y, c.h, 500)) << c.name;
    }
}

TEST(Floats, StackedFloatsPushTheEdgeFurther)
{
    FloatContext fc;
    fc.lefts.floats.push_back({0, 0, 100, 50});
    fc.lefts.floats.push_back({100, 0, 160, 30});
    fc.rights.floats.push_back({450, 0, 500, 40});
    fc.rights.floats.push_back({380, 0, 450, 10});
    EXPECT_EQ(160, fc.LeftEdge(0, 10, 0));
    EXPECT_EQ(100, fc.LeftEdge(30, 10, 0));
    EXPECT_EQ(380, fc.RightEdge(0, 10, 500));
    EXPECT_EQ(450, fc.RightEdge(10, 10, 500));
    // A base already past the floats stays where it is.
    EXPECT_EQ(200, fc.LeftEdge(0, 10, 200));
    EXPECT_EQ(300, fc.RightEdge(0, 10, 300));
}

TEST(Floats, ClearAndBottomsFindTheFirstFreeLine)
{
    FloatContext fc = TwoFloats();
    struct Case
    {
        const char* name;
        int side, y, expected;
    };
    const Case cases[] = {
        {"clear left", 1, 10, 50},    {"clear right", 2, 10, 80}, {"clear both", 3, 10, 80},
        {"already below", 3, 90, 90}, {"no side", 0, 10, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, fc.ClearY(c.side, c.y)) << c.name;
    EXPECT_EQ(80, fc.Bottom(0));
    EXPECT_EQ(100, fc.Bottom(100));
    EXPECT_EQ(50, fc.NextBottom(10));
    EXPECT_EQ(80, fc.NextBottom(50));
    EXPECT_EQ(INT_MAX, fc.NextBottom(80));
    FloatContext empty;
    EXPECT_EQ(7, empty.Bottom(7));
    EXPECT_EQ(INT_MAX, empty.NextBottom(0));
}

TEST(Floats, RetiredFloatsStillCountForClearingButNoLongerNarrow)
{
    FloatContext fc;
    for (int i = 0; i < 40; ++i)
        fc.lefts.floats.push_back({0, i * 10, 50 + i, i * 10 + 10});
    // Few floats are kept as they are; from 16 on, those above a query are retired.
    EXPECT_EQ(50 + 30, fc.LeftEdge(300, 5, 0));
    EXPECT_EQ(10u, fc.lefts.floats.size());
    EXPECT_EQ(300, fc.lefts.retiredBottom);
    EXPECT_EQ(400, fc.ClearY(1, 0));
    EXPECT_EQ(0, fc.LeftEdge(400, 5, 0));
    SideFloats few;
    few.floats.push_back({0, 0, 10, 10});
    few.Retire(100);
    EXPECT_EQ(1u, few.floats.size());
    EXPECT_EQ(10, few.LowestBottom(0));
}
