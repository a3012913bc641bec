#pragma once
// Points, sizes and rectangles in the Windows shape (right and bottom edges
// exclusive), with the small helper classes the program's code uses.
#include "platform/win/WinTypes.h"

#include <algorithm>

struct POINT {
    LONG x = 0;
    LONG y = 0;
};
struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int x0, int y0) { x = x0; y = y0; }
    CPoint(const POINT& p) : POINT(p) {}
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    CPoint operator+(const CPoint& o) const { return {int(x + o.x), int(y + o.y)}; }
    CPoint operator-(const CPoint& o) const { return {int(x - o.x), int(y - o.y)}; }
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int w, int h) { cx = w; cy = h; }
    CSize(const SIZE& s) : SIZE(s) {}
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) : RECT(r) {}
    CRect(CPoint topLeft, CSize size) : CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void DeflateRect(int dx, int dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
    void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
    void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    bool IntersectRect(const RECT& a, const RECT& b)
    {
        left = std::max(a.left, b.left);
        top = std::max(a.top, b.top);
        right = std::min(a.right, b.right);
        bottom = std::min(a.bottom, b.bottom);
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
