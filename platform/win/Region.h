#pragma once
// Regions: sets of pixels built from rectangles, round rectangles, ellipses
// and polygons, combined, moved and tested; a DC clips to one, fills and
// frames one, and a window takes one as its shape (SetWindowRgn).
#include "platform/win/Gdi.h"

#include <memory>

class QRegion;

// Region kinds (results of the region operations)
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Combination modes
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// Polygon fill modes
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

class CRgn : public CGdiObject {
public:
    CRgn();
    ~CRgn() override;

    // Right and bottom are exclusive, as for rectangles.
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    // As GDI makes them, one pixel short of the rectangle at its right and bottom.
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect);
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    BOOL DeleteObject() override;

    // Combines a and b into this region (which must exist); returns the region kind.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    BOOL CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY) != ERROR; }
    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT p) { return OffsetRgn(p.x, p.y); }
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    BOOL RectInRegion(LPCRECT rect) const;
    int GetRgnBox(LPRECT rect) const;
    BOOL EqualRgn(const CRgn* other) const;
    BOOL SetRectRgn(int left, int top, int right, int bottom);
    BOOL SetRectRgn(LPCRECT r) { return SetRectRgn(r->left, r->top, r->right, r->bottom); }

    bool IsCreated() const { return m_region != nullptr; }
    const QRegion& region() const;
    void setRegion(const QRegion& r);

private:
    std::unique_ptr<QRegion> m_region;
};

namespace win {
// The kind of a region: NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionKind(const QRegion& r);
} // namespace win
