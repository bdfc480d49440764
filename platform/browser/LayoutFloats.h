// Floats of a formatting context: the boxes floated to the left and right edges, and the room
// they leave to the lines and floats that come after them.
#pragma once
#include <algorithm>
#include <climits>
#include <vector>

namespace fxb {

struct FloatRect
{
    int left, top, right, bottom;
};

// The floats on one side of a formatting context. Queries come at growing y positions, so once
// there are many, floats that end above a query are retired and only their lowest bottom is kept.
struct SideFloats
{
    std::vector<FloatRect> floats;
    int retiredBottom = INT_MIN;

    void Retire(int y)
    {
        if (floats.size() < 16)
            return;
        size_t kept = 0;
        for (const FloatRect& f : floats) {
            if (f.bottom <= y)
                retiredBottom = std::max(retiredBottom, f.bottom);
            else
                floats[kept++] = f;
        }
        floats.resize(kept);
    }
    // `x` narrowed by `pick` with every float that overlaps the band from y, h high (at least 1).
    template <class Pick> int Narrow(int y, int h, int x, Pick pick) const
    {
        for (const FloatRect& f : floats)
            if (f.top < y + std::max(h, 1) && f.bottom > y)
                x = pick(x, f);
        return x;
    }
    // The lowest bottom of all floats of the side, retired ones too, and at least y.
    int LowestBottom(int y) const
    {
        y = std::max(y, retiredBottom);
        for (const FloatRect& f : floats)
            y = std::max(y, f.bottom);
        return y;
    }
    // The nearest bottom below y, or INT_MAX.
    int NextBottom(int y) const
    {
        int next = INT_MAX;
        for (const FloatRect& f : floats)
            if (f.bottom > y)
                next = std::min(next, f.bottom);
        return next;
    }
};

// Floats of one formatting context. Edges are asked for a band from y, h high: the left edge is
// `base` pushed right past every left float in the band, the right edge `base` pulled left.
struct FloatContext
{
    SideFloats lefts, rights;

    void Retire(int y)
    {
        lefts.Retire(y);
        rights.Retire(y);
    }
    int LeftEdge(int y, int h, int base)
    {
        Retire(y);
        return lefts.Narrow(y, h, base, [](int x, const FloatRect& f) { return std::max(x, f.right); });
    }
    int RightEdge(int y, int h, int base)
    {
        Retire(y);
        return rights.Narrow(y, h, base, [](int x, const FloatRect& f) { return std::min(x, f.left); });
    }
    // The first y at or below `y` clear of the floats of `side` (1 left, 2 right, 3 both).
    int ClearY(int side, int y) const
    {
        if (side & 1)
            y = lefts.LowestBottom(y);
        if (side & 2)
            y = rights.LowestBottom(y);
        return y;
    }
    int Bottom(int fallback) const { return ClearY(3, fallback); }
    int NextBottom(int y) const { return std::min(lefts.NextBottom(y), rights.NextBottom(y)); }
};

} // namespace fxb
