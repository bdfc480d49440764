// Points, sizes and rectangles: thin value types over the Win32 POINT, SIZE and RECT
// structures, so that they pass straight into the API wherever a pointer is wanted.
#pragma once
#include <windows.h>

class CSize;
class CRect;

class CPoint : public POINT
{
public:
    CPoint() noexcept
    {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY) noexcept
    {
        x = initX;
        y = initY;
    }
    CPoint(POINT pt) noexcept
    {
        x = pt.x;
        y = pt.y;
    }
    CPoint(SIZE size) noexcept
    {
        x = size.cx;
        y = size.cy;
    }
    // A point packed in a message parameter: signed low word = x, signed high word = y.
    CPoint(LPARAM packed) noexcept
    {
        x = static_cast<short>(LOWORD(static_cast<DWORD>(packed)));
        y = static_cast<short>(HIWORD(static_cast<DWORD>(packed)));
    }

    void Offset(int dx, int dy) noexcept
    {
        x += dx;
        y += dy;
    }
    void Offset(POINT pt) noexcept { Offset(pt.x, pt.y); }
    void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
    void SetPoint(int newX, int newY) noexcept
    {
        x = newX;
        y = newY;
    }

    bool operator==(POINT pt) const noexcept { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const noexcept { return !(*this == pt); }

    void operator+=(SIZE size) noexcept { Offset(size); }
    void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
    void operator+=(POINT pt) noexcept { Offset(pt); }
    void operator-=(POINT pt) noexcept { Offset(-pt.x, -pt.y); }

    inline CPoint operator+(SIZE size) const noexcept;
    inline CPoint operator-(SIZE size) const noexcept;
    inline CPoint operator+(POINT pt) const noexcept;
    inline CSize operator-(POINT pt) const noexcept; // the distance between two points
    CPoint operator-() const noexcept { return CPoint(-x, -y); }

    inline CRect operator+(const RECT* rect) const noexcept;
    inline CRect operator-(const RECT* rect) const noexcept;
};

class CSize : public SIZE
{
public:
    CSize() noexcept
    {
        cx = 0;
        cy = 0;
    }
    CSize(int initCX, int initCY) noexcept
    {
        cx = initCX;
        cy = initCY;
    }
    CSize(SIZE size) noexcept
    {
        cx = size.cx;
        cy = size.cy;
    }
    CSize(POINT pt) noexcept
    {
        cx = pt.x;
        cy = pt.y;
    }
    CSize(DWORD packed) noexcept
    {
        cx = static_cast<short>(LOWORD(packed));
        cy = static_cast<short>(HIWORD(packed));
    }

    void SetSize(int newCX, int newCY) noexcept
    {
        cx = newCX;
        cy = newCY;
    }

    bool operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const noexcept { return !(*this == size); }
    void operator+=(SIZE size) noexcept
    {
        cx += size.cx;
        cy += size.cy;
    }
    void operator-=(SIZE size) noexcept
    {
        cx -= size.cx;
        cy -= size.cy;
    }

    CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
    CPoint operator+(POINT pt) const noexcept { return CPoint(cx + pt.x, cy + pt.y); }
    CPoint operator-(POINT pt) const noexcept { return CPoint(cx - pt.x, cy - pt.y); }
    inline CRect operator+(const RECT* rect) const noexcept;
    inline CRect operator-(const RECT* rect) const noexcept;
};

class CRect : public RECT
{
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& rect) noexcept { CopyRect(&rect); }
    CRect(const RECT* rect) noexcept { CopyRect(rect); }
    CRect(POINT topLeft, SIZE size) noexcept
    {
        left = topLeft.x;
        top = topLeft.y;
        right = left + size.cx;
        bottom = top + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight) noexcept
    {
        left = topLeft.x;
        top = topLeft.y;
        right = bottomRight.x;
        bottom = bottomRight.y;
    }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    // The corners are views onto the rectangle's own fields, so they can be assigned to.
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    // Empty: no area (width or height not positive). Null: all four fields zero.
    BOOL IsRectEmpty() const noexcept { return right <= left || bottom <= top; }
    BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT pt) const noexcept { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }

    void SetRect(int l, int t, int r, int b) noexcept
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRect(POINT topLeft, POINT bottomRight) noexcept
    {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* src) noexcept
    {
        if (src)
            SetRect(src->left, src->top, src->right, src->bottom);
        else
            SetRectEmpty();
    }
    BOOL EqualRect(const RECT* rect) const noexcept
    {
        return rect && left == rect->left && top == rect->top && right == rect->right && bottom == rect->bottom;
    }

    void InflateRect(int dx, int dy) noexcept { InflateRect(dx, dy, dx, dy); }
    void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* by) noexcept { InflateRect(by->left, by->top, by->right, by->bottom); }
    void InflateRect(int l, int t, int r, int b) noexcept
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) noexcept { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(const RECT* by) noexcept { InflateRect(-by->left, -by->top, -by->right, -by->bottom); }
    void DeflateRect(int l, int t, int r, int b) noexcept { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy) noexcept
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(POINT pt) noexcept { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
    void MoveToX(int newLeft) noexcept
    {
        right += newLeft - left;
        left = newLeft;
    }
    void MoveToY(int newTop) noexcept
    {
        bottom += newTop - top;
        top = newTop;
    }
    void MoveToXY(int newLeft, int newTop) noexcept
    {
        MoveToX(newLeft);
        MoveToY(newTop);
    }
    void MoveToXY(POINT pt) noexcept { MoveToXY(pt.x, pt.y); }
    void SwapLeftRight() noexcept
    {
        LONG t = left;
        left = right;
        right = t;
    }

    // Swaps the edges where needed so that left <= right and top <= bottom.
    void NormalizeRect() noexcept
    {
        if (left > right)
            SwapLeftRight();
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    // The common part of two rectangles; an empty result is stored as all zeros and gives FALSE.
    BOOL IntersectRect(const RECT* a, const RECT* b) noexcept { return ::IntersectRect(this, a, b); }
    // The smallest rectangle holding both; an empty rectangle does not count.
    BOOL UnionRect(const RECT* a, const RECT* b) noexcept { return ::UnionRect(this, a, b); }
    // a minus b, when the rest is still a rectangle (b covers a whole side of a); else a.
    BOOL SubtractRect(const RECT* a, const RECT* b) noexcept { return ::SubtractRect(this, a, b); }

    CRect& operator=(const RECT& src) noexcept
    {
        CopyRect(&src);
        return *this;
    }
    bool operator==(const RECT& rect) const noexcept { return EqualRect(&rect) != FALSE; }
    bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
    void operator+=(POINT pt) noexcept { OffsetRect(pt); }
    void operator+=(SIZE size) noexcept { OffsetRect(size); }
    void operator+=(const RECT* by) noexcept { InflateRect(by); }
    void operator-=(POINT pt) noexcept { OffsetRect(-pt.x, -pt.y); }
    void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
    void operator-=(const RECT* by) noexcept { DeflateRect(by); }
    void operator&=(const RECT& rect) noexcept
    {
        CRect a(*this);
        IntersectRect(&a, &rect);
    }
    void operator|=(const RECT& rect) noexcept
    {
        CRect a(*this);
        UnionRect(&a, &rect);
    }

    CRect operator+(POINT pt) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(pt);
        return r;
    }
    CRect operator-(POINT pt) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(-pt.x, -pt.y);
        return r;
    }
    CRect operator+(SIZE size) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(size);
        return r;
    }
    CRect operator-(SIZE size) const noexcept
    {
        CRect r(*this);
        r.OffsetRect(-size.cx, -size.cy);
        return r;
    }
    CRect operator+(const RECT* by) const noexcept
    {
        CRect r(*this);
        r.InflateRect(by);
        return r;
    }
    CRect operator-(const RECT* by) const noexcept
    {
        CRect r(*this);
        r.DeflateRect(by);
        return r;
    }
    CRect operator&(const RECT& rect) const noexcept
    {
        CRect r;
        r.IntersectRect(this, &rect);
        return r;
    }
    CRect operator|(const RECT& rect) const noexcept
    {
        CRect r;
        r.UnionRect(this, &rect);
        return r;
    }

    // Scales every edge by num/div with rounding, as MulDiv does.
    CRect MulDiv(int num, int div) const noexcept
    {
        return CRect(::MulDiv(left, num, div), ::MulDiv(top, num, div), ::MulDiv(right, num, div),
                     ::MulDiv(bottom, num, div));
    }
};

inline CPoint CPoint::operator+(SIZE size) const noexcept
{
    return CPoint(x + size.cx, y + size.cy);
}
inline CPoint CPoint::operator-(SIZE size) const noexcept
{
    return CPoint(x - size.cx, y - size.cy);
}
inline CPoint CPoint::operator+(POINT pt) const noexcept
{
    return CPoint(x + pt.x, y + pt.y);
}
inline CSize CPoint::operator-(POINT pt) const noexcept
{
    return CSize(x - pt.x, y - pt.y);
}
inline CRect CPoint::operator+(const RECT* rect) const noexcept
{
    return CRect(rect) + *this;
}
inline CRect CPoint::operator-(const RECT* rect) const noexcept
{
    return CRect(rect) - *this;
}
inline CRect CSize::operator+(const RECT* rect) const noexcept
{
    return CRect(rect) + *this;
}
inline CRect CSize::operator-(const RECT* rect) const noexcept
{
    return CRect(rect) - *this;
}
