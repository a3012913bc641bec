#pragma once
// The toolbar (CToolBar): a row of picture buttons along the top of its
// parent, each sending WM_COMMAND with its command id to the parent when
// clicked. Buttons come from a TOOLBAR resource (command ids, separators and
// the picture size); the pictures from a bitmap strip, one picture per button
// left to right, light grey RGB(192,192,192) showing the bar's face. A
// button's tip is the text after "\n" in the string of its command id. The bar
// keeps itself at the top of its parent's client area, full width.
#include "platform/win/Wnd.h"

constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD CBRS_ALIGN_TOP = 0x1000;
constexpr UINT ID_SEPARATOR_BUTTON = 0;

class CToolBar : public CWnd {
public:
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, UINT id = AFX_IDW_TOOLBAR)
    {
        return CreateEx(parent, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), id);
    }
    // The buttons of the toolbar resource, and the bitmap of the same id as pictures when there is one.
    BOOL LoadToolBar(UINT resourceId);
    // Command ids in order; 0 is a separator.
    BOOL SetButtons(const UINT* ids, int count);
    // The bitmap strip; the bar owns the handle from now on.
    BOOL SetBitmap(HBITMAP strip);
    BOOL LoadBitmap(UINT resourceId);
    void SetSizes(SIZE button, SIZE image);

    int GetCount() const;
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    // The button's rectangle in the bar's client coordinates.
    void GetItemRect(int index, LPRECT rect) const;
    int GetBarHeight() const;

    struct State;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
