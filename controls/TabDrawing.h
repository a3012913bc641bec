#pragma once
// Drawing and window routines the tab control and its styles share: an
// off-screen surface for one paint, a region that always exists, child
// window placement, the control's window class, and GDI routines for lines,
// frames, chamfered shapes, gradients, colour mixing and one-colour images.
#include "platform/win/Dc.h"
#include "platform/win/Region.h"
#include "platform/win/Wnd.h"

#include <string>
#include <vector>

// A list of equally sized images (the tab control's normal, disabled and
// button images). Nothing in the program gives the control one; the styles
// only read it.
class TabImageList {
public:
    virtual ~TabImageList() = default;
    virtual CSize GetImageSize() const = 0;
    virtual int GetImageCount() const = 0;
    // A new icon of the image (the caller destroys it), or null.
    virtual HICON ExtractIcon(int index) const = 0;
    // Whether the images carry masks.
    virtual bool HasMask() const = 0;
    // Draws the image transparently.
    virtual void Draw(CDC* dc, int index, POINT at) const = 0;
};

// Image list over icons (each kept by the list and destroyed with it).
class IconImageList : public TabImageList {
public:
    IconImageList(int cx, int cy) : m_size(cx, cy) {}
    ~IconImageList() override;
    // Takes over the icon.
    int Add(HICON icon);
    CSize GetImageSize() const override { return m_size; }
    int GetImageCount() const override { return int(m_icons.size()); }
    HICON ExtractIcon(int index) const override;
    bool HasMask() const override { return true; }
    void Draw(CDC* dc, int index, POINT at) const override;

private:
    CSize m_size;
    std::vector<HICON> m_icons;
};

// An off-screen surface for one paint over the window's client rectangle,
// copied to the target when it ends. A window that paints often passes a
// bitmap of its own to draw in: it is kept from paint to paint and made anew
// only when the client size changes.
class VirtualWindow : public CDC {
public:
    VirtualWindow(CDC* target, CWnd* wnd, CBitmap* keep = nullptr);
    ~VirtualWindow() override;
    // Whether drawing goes to the memory surface.
    bool IsBuffered() const { return m_buffered; }
    static bool& BufferingEnabled();

private:
    CDC* m_target;
    CRect m_rect;
    CBitmap m_bitmap;
    CBitmap* m_surface = &m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    bool m_buffered = false;
};

// A region that always exists (empty at first), ready to be combined into.
class RgnEx : public CRgn {
public:
    RgnEx() { CreateRectRgn(0, 0, 0, 0); }
};

void ShowChildWindow(CWnd* wnd, bool show);
CRect GetRectInParent(CWnd* wnd);
bool IsWindowAtRect(CWnd* wnd, const RECT& rect);
void MoveWindowIfChanged(CWnd* wnd, const RECT& rect, bool repaint);
// The name "base:instance:style:cursor:brush:icon" (hexadecimal) of the window class.
std::string RegisterClassOnce(const char* baseName, UINT classStyle, HCURSOR cursor, const void* brush, HICON icon);

// A line from the first point up to, not including, the second.
void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color);
void DrawLine(CDC* dc, int x1, int y1, int x2, int y2);
// The outline through (x1,y1), (x1,y2), (x2,y2), (x2,y1) and back.
void DrawRectFrame(CDC* dc, int x1, int y1, int x2, int y2, COLORREF color);
void DrawRectFrame(CDC* dc, const RECT& rect, COLORREF color);
void DrawRectFrame(CDC* dc, int x1, int y1, int x2, int y2);
// The outline with the four corners cut by c, with the current pen.
void DrawBeveledFrame(CDC* dc, const RECT& rect, int cut);
// A filled shape with the two corners of one side cut (0 left, 1 top, 2 right,
// 3 bottom), outlined on every side but the opposite one.
void DrawChamferedShape(CDC* dc, const RECT& rect, int side, int cut, COLORREF outline, COLORREF fill);
// A gradient from the start colour (left or top) to the end colour.
void FillGradient(CDC* dc, const RECT& rect, bool horizontal, COLORREF start, COLORREF end);
// Per channel (p * a + (100 - p) * b) / 100.
COLORREF MixColors(COLORREF a, COLORREF b, int percent);
void FillSolid(CDC* dc, const RECT& rect, COLORREF color);
// Paints the black pixels of a monochrome mask in the colour; white ones stay.
bool DrawMaskInColor(CDC* dc, const RECT& rect, HBITMAP mask, COLORREF color);
// The image's silhouette in the colour, or the image itself when it has no mask.
void DrawImageInColor(CDC* dc, const RECT& rect, const TabImageList* images, int index, COLORREF color);
