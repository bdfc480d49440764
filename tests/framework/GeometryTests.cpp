#include <gtest/gtest.h>
#include "platform/framework/Geometry.h"

namespace {

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected)
{
    if (actual.left == expected.left && actual.top == expected.top && actual.right == expected.right &&
        actual.bottom == expected.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << actual.left << ", " << actual.top << ", " << actual.right << ", "
                                         << actual.bottom << "), expected (" << expected.left << ", " << expected.top
                                         << ", " << expected.right << ", " << expected.bottom << ")";
}

TEST(CRectTest, NormalizeRectOrdersEveryEdgePair)
{
    struct Case
    {
        CRect input;
        CRect expected;
    };
    const Case cases[] = {
        {CRect(0, 0, 10, 20), CRect(0, 0, 10, 20)}, {CRect(10, 0, 0, 20), CRect(0, 0, 10, 20)},
        {CRect(0, 20, 10, 0), CRect(0, 0, 10, 20)}, {CRect(10, 20, -5, -7), CRect(-5, -7, 10, 20)},
        {CRect(3, 3, 3, 3), CRect(3, 3, 3, 3)},
    };
    for (const Case& c : cases) {
        CRect r = c.input;
        r.NormalizeRect();
        EXPECT_TRUE(SameRect(r, c.expected));
    }
}

TEST(CRectTest, IntersectionGivesCommonPartOrAllZeros)
{
    struct Case
    {
        CRect a, b, expected;
        BOOL nonEmpty;
    };
    const Case cases[] = {
        {CRect(0, 0, 10, 10), CRect(5, 5, 20, 20), CRect(5, 5, 10, 10), TRUE},
        {CRect(0, 0, 10, 10), CRect(2, 3, 4, 5), CRect(2, 3, 4, 5), TRUE},
        // Touching edges share no pixel.
        {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), CRect(0, 0, 0, 0), FALSE},
        {CRect(0, 0, 10, 10), CRect(30, 30, 40, 40), CRect(0, 0, 0, 0), FALSE},
        // An empty operand gives nothing even when it lies inside the other.
        {CRect(0, 0, 10, 10), CRect(5, 5, 5, 8), CRect(0, 0, 0, 0), FALSE},
    };
    for (const Case& c : cases) {
        CRect r(99, 99, 99, 99);
        EXPECT_EQ(c.nonEmpty, r.IntersectRect(&c.a, &c.b));
        EXPECT_TRUE(SameRect(r, c.expected));
        EXPECT_TRUE(SameRect(c.a & c.b, c.expected));
        CRect assigned = c.a;
        assigned &= c.b;
        EXPECT_TRUE(SameRect(assigned, c.expected));
    }
}

TEST(CRectTest, UnionIgnoresEmptyRectangles)
{
    struct Case
    {
        CRect a, b, expected;
        BOOL nonEmpty;
    };
    const Case cases[] = {
        {CRect(0, 0, 10, 10), CRect(5, 5, 20, 30), CRect(0, 0, 20, 30), TRUE},
        {CRect(0, 0, 10, 10), CRect(50, 50, 50, 60), CRect(0, 0, 10, 10), TRUE},
        {CRect(7, 7, 7, 7), CRect(1, 2, 3, 4), CRect(1, 2, 3, 4), TRUE},
        {CRect(7, 7, 7, 7), CRect(1, 1, 0, 0), CRect(0, 0, 0, 0), FALSE},
    };
    for (const Case& c : cases) {
        CRect r;
        EXPECT_EQ(c.nonEmpty, r.UnionRect(&c.a, &c.b));
        EXPECT_TRUE(SameRect(r, c.expected));
        EXPECT_TRUE(SameRect(c.a | c.b, c.expected));
        CRect assigned = c.a;
        assigned |= c.b;
        EXPECT_TRUE(SameRect(assigned, c.expected));
    }
}

TEST(CRectTest, SubtractOnlyWhenTheRestIsARectangle)
{
    struct Case
    {
        CRect a, b, expected;
    };
    const Case cases[] = {
        {CRect(0, 0, 10, 10), CRect(5, -1, 11, 11), CRect(0, 0, 5, 10)},   // right side cut off
        {CRect(0, 0, 10, 10), CRect(-1, -1, 11, 4), CRect(0, 4, 10, 10)},  // top cut off
        {CRect(0, 0, 10, 10), CRect(3, 3, 6, 6), CRect(0, 0, 10, 10)},     // a hole: unchanged
        {CRect(0, 0, 10, 10), CRect(20, 20, 30, 30), CRect(0, 0, 10, 10)}, // disjoint: unchanged
    };
    for (const Case& c : cases) {
        CRect r;
        r.SubtractRect(&c.a, &c.b);
        EXPECT_TRUE(SameRect(r, c.expected));
    }
}

TEST(CRectTest, InflateAndDeflateOverloadsAgree)
{
    const CRect base(10, 20, 30, 40);
    const RECT by = {1, 2, 3, 4};
    struct Case
    {
        CRect result;
        CRect expected;
    };
    auto inflated = [&](auto apply) {
        CRect r = base;
        apply(r);
        return r;
    };
    const Case cases[] = {
        {inflated([](CRect& r) { r.InflateRect(2, 3); }), CRect(8, 17, 32, 43)},
        {inflated([](CRect& r) { r.InflateRect(CSize(2, 3)); }), CRect(8, 17, 32, 43)},
        {inflated([&](CRect& r) { r.InflateRect(&by); }), CRect(9, 18, 33, 44)},
        {inflated([](CRect& r) { r.InflateRect(1, 2, 3, 4); }), CRect(9, 18, 33, 44)},
        {inflated([](CRect& r) { r.DeflateRect(2, 3); }), CRect(12, 23, 28, 37)},
        {inflated([](CRect& r) { r.DeflateRect(CSize(2, 3)); }), CRect(12, 23, 28, 37)},
        {inflated([&](CRect& r) { r.DeflateRect(&by); }), CRect(11, 22, 27, 36)},
        {inflated([](CRect& r) { r.DeflateRect(1, 2, 3, 4); }), CRect(11, 22, 27, 36)},
        {base + &by, CRect(9, 18, 33, 44)},
        {base - &by, CRect(11, 22, 27, 36)},
        {inflated([&](CRect& r) { r += &by; }), CRect(9, 18, 33, 44)},
        {inflated([&](CRect& r) { r -= &by; }), CRect(11, 22, 27, 36)},
        // Deflating past the middle leaves a rectangle with swapped edges, not a clamped one.
        {inflated([](CRect& r) { r.DeflateRect(15, 0); }), CRect(25, 20, 15, 40)},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameRect(c.result, c.expected));
}

TEST(CRectTest, OffsetAndMoveKeepTheSize)
{
    CRect r(1, 2, 11, 22);
    r.OffsetRect(5, -2);
    EXPECT_TRUE(SameRect(r, CRect(6, 0, 16, 20)));
    r.OffsetRect(CPoint(-6, 0));
    EXPECT_TRUE(SameRect(r, CRect(0, 0, 10, 20)));
    r += CSize(3, 3);
    EXPECT_TRUE(SameRect(r, CRect(3, 3, 13, 23)));
    r -= CPoint(3, 3);
    EXPECT_TRUE(SameRect(r, CRect(0, 0, 10, 20)));
    EXPECT_TRUE(SameRect(r + CPoint(1, 1), CRect(1, 1, 11, 21)));
    EXPECT_TRUE(SameRect(r - CSize(1, 1), CRect(-1, -1, 9, 19)));

    r.MoveToX(100);
    EXPECT_TRUE(SameRect(r, CRect(100, 0, 110, 20)));
    r.MoveToY(-50);
    EXPECT_TRUE(SameRect(r, CRect(100, -50, 110, -30)));
    r.MoveToXY(7, 8);
    EXPECT_TRUE(SameRect(r, CRect(7, 8, 17, 28)));
    EXPECT_EQ(CSize(10, 20), r.Size());
}

TEST(CRectTest, EmptyNullAndHitTests)
{
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 5).IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 5).IsRectEmpty());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());

    const CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5))); // right and bottom edges lie outside
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(r.PtInRect(CPoint(-1, 5)));
}

TEST(CRectTest, CornersAreViewsOntoTheEdges)
{
    CRect r(1, 2, 3, 4);
    r.TopLeft() = CPoint(-1, -2);
    r.BottomRight().Offset(10, 10);
    EXPECT_TRUE(SameRect(r, CRect(-1, -2, 13, 14)));
    EXPECT_EQ(CPoint(6, 6), r.CenterPoint());
    EXPECT_EQ(CPoint(-1, -2), static_cast<const CRect&>(r).TopLeft());

    CRect fromCorners(CPoint(1, 2), CPoint(5, 9));
    EXPECT_TRUE(SameRect(fromCorners, CRect(1, 2, 5, 9)));
    CRect fromSize(CPoint(1, 2), CSize(4, 7));
    EXPECT_TRUE(fromSize == fromCorners);
    EXPECT_FALSE(fromSize != fromCorners);
    EXPECT_TRUE(fromSize.EqualRect(&fromCorners));
    fromSize.SetRectEmpty();
    EXPECT_TRUE(fromSize.IsRectNull());
}

TEST(CRectTest, PassesAsRectPointer)
{
    CRect r(0, 0, 10, 10);
    LPRECT writable = r;
    writable->right = 20;
    EXPECT_EQ(20, r.Width());
    const CRect& constant = r;
    LPCRECT readable = constant;
    EXPECT_EQ(10, readable->bottom);
    EXPECT_TRUE(::IsRectEmpty(CRect(1, 1, 1, 5)));
    CRect copied;
    copied.CopyRect(r);
    EXPECT_EQ(r, copied);
}

TEST(CPointTest, PacksSignedCoordinatesAndMeasuresDistances)
{
    CPoint fromMessage(static_cast<LPARAM>(MAKELPARAM(-5, -300)));
    EXPECT_EQ(-5, fromMessage.x);
    EXPECT_EQ(-300, fromMessage.y);

    CPoint a(10, 20), b(4, 5);
    CSize distance = a - b;
    EXPECT_EQ(CSize(6, 15), distance);
    EXPECT_EQ(CPoint(14, 25), a + b);
    EXPECT_EQ(CPoint(16, 35), a + distance);
    EXPECT_EQ(CPoint(-10, -20), -a);
    a += CSize(1, 1);
    a -= CPoint(1, 1);
    EXPECT_EQ(CPoint(10, 20), a);
    EXPECT_NE(a, b);

    CSize s(3, 4);
    s += CSize(1, 1);
    EXPECT_EQ(CSize(4, 5), s);
    EXPECT_EQ(CSize(-4, -5), -s);
}

} // namespace
