#include "controls/TabDrawing.h"

#include <cstdio>

IconImageList::~IconImageList()
{
    for (HICON i : m_icons)
        DestroyIcon(i);
}

int IconImageList::Add(HICON icon)
{
    m_icons.push_back(icon);
    return int(m_icons.size()) - 1;
}

HICON IconImageList::ExtractIcon(int index) const
{
    if (index < 0 || index >= int(m_icons.size()))
        return nullptr;
    return CopyIcon(m_icons[size_t(index)]);
}

void IconImageList::Draw(CDC* dc, int index, POINT at) const
{
    if (index >= 0 && index < int(m_icons.size()))
        dc->DrawIconEx(at.x, at.y, m_icons[size_t(index)], m_size.cx, m_size.cy);
}

bool& VirtualWindow::BufferingEnabled()
{
    static bool enabled = true;
    return enabled;
}

VirtualWindow::VirtualWindow(CDC* target, CWnd* wnd, CBitmap* keep) : m_target(target)
{
    wnd->GetClientRect(m_rect);
    if (BufferingEnabled() && CreateCompatibleDC(target)) {
        const CSize size(std::max(1, m_rect.Width()), std::max(1, m_rect.Height()));
        if (keep) {
            m_surface = keep;
            if (keep->GetSafeHandle() && keep->GetSize() != size)
                keep->DeleteObject();
        }
        if (m_surface->GetSafeHandle() || m_surface->CreateCompatibleBitmap(target, size.cx, size.cy)) {
            m_oldBitmap = SelectObject(m_surface);
            m_buffered = true;
        }
    }
    // Without a surface of its own the object draws nowhere; the paint is
    // then left to the next one (the layer's DCs cannot share a target).
    SetBkMode(TRANSPARENT);
}

VirtualWindow::~VirtualWindow()
{
    if (m_buffered) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                         SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}

void ShowChildWindow(CWnd* wnd, bool show)
{
    if (wnd && wnd->m_hWnd)
        wnd->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

CRect GetRectInParent(CWnd* wnd)
{
    CRect r;
    wnd->GetWindowRect(r);
    if (CWnd* parent = wnd->GetParent())
        parent->ScreenToClient(r);
    return r;
}

bool IsWindowAtRect(CWnd* wnd, const RECT& rect) { return GetRectInParent(wnd) == CRect(rect); }

void MoveWindowIfChanged(CWnd* wnd, const RECT& rect, bool repaint)
{
    if (!IsWindowAtRect(wnd, rect))
        wnd->MoveWindow(&rect, repaint);
}

std::string RegisterClassOnce(const char* baseName, UINT classStyle, HCURSOR cursor, const void* brush, HICON icon)
{
    // Window classes are names only in this layer: the name is the class.
    char name[160];
    std::snprintf(name, sizeof name, "%s:%x:%x:%x:%x:%x", baseName, 0u, classStyle,
                  unsigned(reinterpret_cast<uintptr_t>(cursor)), unsigned(reinterpret_cast<uintptr_t>(brush)),
                  unsigned(reinterpret_cast<uintptr_t>(icon)));
    return name;
}

void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc->SelectObject(&pen);
    DrawLine(dc, x1, y1, x2, y2);
    dc->SelectObject(old);
}

void DrawLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

void DrawRectFrame(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc->SelectObject(&pen);
    DrawRectFrame(dc, x1, y1, x2, y2);
    dc->SelectObject(old);
}

void DrawRectFrame(CDC* dc, const RECT& r, COLORREF color)
{
    DrawRectFrame(dc, r.left, r.top, r.right - 1, r.bottom - 1, color);
}

void DrawRectFrame(CDC* dc, int x1, int y1, int x2, int y2)
{
    const POINT pts[] = {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}};
    dc->Polyline(pts, 5);
}

void DrawBeveledFrame(CDC* dc, const RECT& r, int c)
{
    const POINT pts[] = {{r.left, r.top + c},
                         {r.left, r.bottom - c - 1},
                         {r.left + c, r.bottom - 1},
                         {r.right - c - 1, r.bottom - 1},
                         {r.right - 1, r.bottom - c - 1},
                         {r.right - 1, r.top + c},
                         {r.right - c - 1, r.top},
                         {r.left + c, r.top},
                         {r.left, r.top + c}};
    dc->Polyline(pts, 9);
}

void DrawChamferedShape(CDC* dc, const RECT& rc, int side, int c, COLORREF outline, COLORREF fill)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    POINT p[6];
    switch (side) {
    case 0:
        p[0] = {r - 1, t}, p[1] = {l + c, t}, p[2] = {l, t + c}, p[3] = {l, b - c - 1}, p[4] = {l + c, b - 1},
        p[5] = {r - 1, b - 1};
        break;
    case 1:
        p[0] = {l, b - 1}, p[1] = {l, t + c}, p[2] = {l + c, t}, p[3] = {r - c - 1, t}, p[4] = {r - 1, t + c},
        p[5] = {r - 1, b - 1};
        break;
    case 2:
        p[0] = {l, t}, p[1] = {r - c - 1, t}, p[2] = {r - 1, t + c}, p[3] = {r - 1, b - c - 1},
        p[4] = {r - c - 1, b - 1}, p[5] = {l, b - 1};
        break;
    case 3:
        p[0] = {l, t}, p[1] = {l, b - c - 1}, p[2] = {l + c, b - 1}, p[3] = {r - c - 1, b - 1},
        p[4] = {r - 1, b - c - 1}, p[5] = {r - 1, t};
        break;
    default:
        return; // not a side
    }
    CPen fillPen(PS_SOLID, 1, fill);
    CBrush brush(fill);
    CPen* oldPen = dc->SelectObject(&fillPen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Polygon(p, 6);
    CPen pen(PS_SOLID, 1, outline);
    dc->SelectObject(&pen);
    dc->Polyline(p, 6);
    dc->SetPixel(p[5], outline);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void FillGradient(CDC* dc, const RECT& r, bool horizontal, COLORREF start, COLORREF end)
{
    TRIVERTEX v[2];
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = WORD(GetRValue(start) << 8);
    v[0].Green = WORD(GetGValue(start) << 8);
    v[0].Blue = WORD(GetBValue(start) << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = WORD(GetRValue(end) << 8);
    v[1].Green = WORD(GetGValue(end) << 8);
    v[1].Blue = WORD(GetBValue(end) << 8);
    GRADIENT_RECT g{0, 1};
    dc->GradientFill(v, 2, &g, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

COLORREF MixColors(COLORREF a, COLORREF b, int p)
{
    auto mix = [p](int x, int y) { return BYTE((p * x + (100 - p) * y) / 100); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void FillSolid(CDC* dc, const RECT& r, COLORREF color)
{
    CBrush brush(color);
    dc->FillRect(&r, &brush);
}

bool DrawMaskInColor(CDC* dc, const RECT& rect, HBITMAP mask, COLORREF color)
{
    BITMAP bm;
    if (!mask || !GetObject(mask, sizeof bm, &bm))
        return false;
    const int w = std::min<int>(bm.bmWidth, rect.right - rect.left);
    const int h = std::min<int>(bm.bmHeight, rect.bottom - rect.top);
    if (w <= 0 || h <= 0)
        return false;
    CDC maskDc, copyDc, colorDc;
    CBitmap copy, colored;
    if (!maskDc.CreateCompatibleDC(dc) || !copyDc.CreateCompatibleDC(dc) || !colorDc.CreateCompatibleDC(dc) ||
        !copy.CreateCompatibleBitmap(dc, w, h) || !colored.CreateCompatibleBitmap(dc, w, h))
        return false;
    const HBITMAP oldMask = maskDc.SelectBitmap(mask);
    CBitmap* oldCopy = copyDc.SelectObject(&copy);
    CBitmap* oldColored = colorDc.SelectObject(&colored);
    copyDc.BitBlt(0, 0, w, h, &maskDc, 0, 0, SRCCOPY);
    dc->BitBlt(rect.left, rect.top, w, h, &copyDc, 0, 0, SRCAND);
    copyDc.PatBlt(0, 0, w, h, DSTINVERT);
    CBrush brush(color);
    CBrush* oldBrush = colorDc.SelectObject(&brush);
    colorDc.BitBlt(0, 0, w, h, &copyDc, 0, 0, MERGECOPY);
    dc->BitBlt(rect.left, rect.top, w, h, &colorDc, 0, 0, SRCPAINT);
    colorDc.SelectObject(oldBrush);
    colorDc.SelectObject(oldColored);
    copyDc.SelectObject(oldCopy);
    maskDc.SelectBitmap(oldMask);
    return true;
}

void DrawImageInColor(CDC* dc, const RECT& rect, const TabImageList* images, int index, COLORREF color)
{
    if (!images)
        return;
    bool drawn = false;
    if (HICON icon = images->ExtractIcon(index)) {
        ICONINFO info;
        if (images->HasMask() && GetIconInfo(icon, &info)) {
            drawn = DrawMaskInColor(dc, rect, info.hbmMask, color);
            if (info.hbmMask)
                DeleteObject(info.hbmMask);
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
        }
        DestroyIcon(icon);
    }
    if (!drawn)
        images->Draw(dc, index, POINT{rect.left, rect.top});
}
