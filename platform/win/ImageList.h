#pragma once
// Image lists: pictures of one size with optional masks (transparent where
// the mask is white, or where the picture has the mask colour), drawn onto a
// DC or handed out as icons; and the drag image that follows the pointer
// while the program drags rows (BeginDrag, DragEnter, DragMove, DragLeave,
// EndDrag). The drag image is a small top-level window that never takes input.
#include "platform/win/Gdi.h"
#include "platform/win/Geometry.h"
#include "platform/win/WinTypes.h"

class CDC;
class CWnd;

constexpr UINT ILC_MASK = 0x1;
constexpr UINT ILC_COLOR = 0x0;
constexpr UINT ILC_COLOR4 = 0x4;
constexpr UINT ILC_COLOR8 = 0x8;
constexpr UINT ILC_COLOR16 = 0x10;
constexpr UINT ILC_COLOR24 = 0x18;
constexpr UINT ILC_COLOR32 = 0x20;

constexpr UINT ILD_NORMAL = 0x0;
constexpr UINT ILD_TRANSPARENT = 0x1;

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A strip bitmap resource cut into pictures cx wide; pixels of the mask colour are transparent.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF maskColor);
    BOOL DeleteImageList();
    HIMAGELIST GetSafeHandle() const { return m_list; }
    operator HIMAGELIST() const { return m_list; }

    int GetImageCount() const;
    CSize GetImageSize() const;
    // A bitmap wider than one picture adds one picture per width; the index of the first, -1 on failure.
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF maskColor);
    int Add(HICON icon);
    BOOL Replace(int index, CBitmap* image, CBitmap* mask);
    int Replace(int index, HICON icon);
    BOOL Remove(int index);
    // A new icon of the picture (the caller destroys it).
    HICON ExtractIcon(int index) const;
    BOOL Draw(CDC* dc, int index, POINT point, UINT style) const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;

    // The drag image: one drag at a time. The hot spot is the point of the
    // picture that sits under the pointer; DragEnter and DragMove take points
    // relative to the lock window's upper-left corner (screen points for none).
    BOOL BeginDrag(int image, CPoint hotSpot);
    static BOOL DragEnter(CWnd* lock, CPoint point);
    static BOOL DragMove(CPoint point);
    static BOOL DragShowNolock(BOOL show);
    static BOOL DragLeave(CWnd* lock);
    static void EndDrag();

private:
    HIMAGELIST m_list = nullptr;
};

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);

namespace win {
// Where the drag image shows, in screen coordinates; empty while none shows (for tests).
CRect DragImageRect();
}
