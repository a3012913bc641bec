#pragma once
// The program's image button: a push button (or check box) that paints
// itself with an icon or a bitmap and an optional caption, in a flat look
// that raises a thin border while the pointer is over it and sinks it while
// it is pressed. It can paint its parent's background under itself, show a
// second image while the pointer is away (or a generated grey or darker copy
// of the first), show a disabled look, and open a drop-down menu.
#include "controls/BCMenu.h"
#include "platform/win/Controls.h"
#include "platform/win/Dc.h"
#include "platform/win/Gdi.h"
#include "platform/win/ToolTipCtrl.h"

#include <memory>
#include <string>

class CButtonST : public CButton {
public:
    // Colour slots.
    enum : BYTE {
        BTNST_COLOR_BK_IN = 0,    // background while hovered or pressed
        BTNST_COLOR_FG_IN = 1,    // caption while hovered or pressed
        BTNST_COLOR_BK_OUT = 2,   // background at rest
        BTNST_COLOR_FG_OUT = 3,   // caption at rest
        BTNST_COLOR_BK_FOCUS = 4, // background while focused
        BTNST_COLOR_FG_FOCUS = 5, // caption while focused
        BTNST_MAX_COLORS = 6,
    };
    // Results of the set-up operations.
    enum : DWORD {
        BTNST_OK = 0,
        BTNST_INVALIDRESOURCE = 1,
        BTNST_FAILEDMASK = 2,
        BTNST_INVALIDINDEX = 3,
        BTNST_BADPARAM = 5,
        BTNST_INVALIDPRESSEDSTYLE = 6,
    };
    // Out-image ids that ask for a generated copy of the in-image.
    static constexpr int BTNST_AUTO_GRAY = -2;
    static constexpr int BTNST_AUTO_DARKER = -3;
    // Pressed styles: the caption moves by (1, 1) or by (0, 2).
    static constexpr BYTE BTNST_PRESSED_LEFTRIGHT = 0;
    static constexpr BYTE BTNST_PRESSED_TOPBOTTOM = 1;

    CButtonST();
    ~CButtonST() override;

    DWORD SetIcon(UINT iconIn, int iconOut = 0);
    DWORD SetIconSized(UINT iconIn, int widthIn, int heightIn, int iconOut = 0, int widthOut = 0, int heightOut = 0);
    // Takes ownership; iconOut may be BTNST_AUTO_GRAY or BTNST_AUTO_DARKER (as a handle).
    DWORD SetIconHandles(HICON iconIn, HICON iconOut = nullptr);
    DWORD SetBitmaps(UINT bitmapIn, COLORREF transparentIn, int bitmapOut = 0, COLORREF transparentOut = 0);
    DWORD SetBitmapHandles(HBITMAP bitmapIn, COLORREF transparentIn, HBITMAP bitmapOut = nullptr,
                           COLORREF transparentOut = 0);

    DWORD SetColor(BYTE slot, COLORREF color, BOOL repaint = TRUE);
    DWORD GetColor(BYTE slot, COLORREF* color) const;
    DWORD OffsetColor(BYTE slot, short offset, BOOL repaint = TRUE);
    DWORD ResetColors(BOOL repaint = TRUE);
    DWORD DrawTransparent(BOOL repaint = FALSE);
    DWORD SetPressedOffset(BYTE style, BOOL repaint = FALSE);
    DWORD SetCheck(int check, BOOL repaint = TRUE);
    int GetCheck() const { return m_nCheck; }
    DWORD SetLinkUrl(const char* url);
    // The drop-down menu (a menu resource; 0 removes it) and the window that
    // receives its chosen command.
    DWORD SetMenu(UINT menuId, HWND parent, BOOL repaint = TRUE);
    // A message sent to the window just before the menu opens (wParam: the menu).
    DWORD SetMenuCallback(HWND wnd, UINT message, LPARAM lParam = 0);
    BCMenu* GetMenu() { return m_menu.get(); }

    BOOL IsHovered() const { return m_bMouseOnButton; }
    BOOL IsFlat() const { return m_bIsFlat; }
    // Whether the in-image (as opposed to the out-image) would show now.
    BOOL ShowsImageIn() const;

    static COLORREF DarkenColor(COLORREF color, double factor);
    // The offset rule of OffsetColor on one colour: all channels move by one
    // amount that keeps each within 0..255.
    static COLORREF OffsetColorValue(COLORREF color, short offset);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    virtual DWORD OnDrawBackground(CDC* dc, CRect* rect);
    virtual DWORD OnDrawBorder(CDC* dc, CRect* rect);
    virtual void DrawIcon(CDC* dc, bool hasTitle, const CRect* item, CRect* caption, bool pressed, bool disabled);
    virtual void DrawBitmap(CDC* dc, bool hasTitle, const CRect* item, CRect* caption, bool pressed, bool disabled);
    virtual void DrawText(CDC* dc, const std::string& title, const CRect* item, CRect* caption, bool pressed,
                          bool disabled);

    DECLARE_MESSAGE_MAP()
    void OnKillFocus(CWnd* next);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    LRESULT OnSysColorChange(WPARAM, LPARAM);
    BOOL OnClicked();
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);
    LRESULT OnCancelMode(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    HBRUSH CtlColor(CDC* dc, UINT kind);
    LRESULT OnMenuChar(WPARAM, LPARAM);
    LRESULT OnSetStyle(WPARAM, LPARAM);
    LRESULT OnSetCheck(WPARAM, LPARAM);
    LRESULT OnGetCheck(WPARAM, LPARAM);

private:
    struct Icon {
        HICON handle = nullptr;
        int width = 0;
        int height = 0;
    };
    struct Bitmap {
        HBITMAP handle = nullptr;
        int width = 0;
        int height = 0;
        HBITMAP mask = nullptr;
        COLORREF transparent = 0;
    };
    void FreeResources(bool checkForNull = true);
    void CancelHover();
    void PaintBk(CDC* dc);
    void DropBackground();
    void CreateTooltip();
    CRect PrepareImageRect(bool hasTitle, const CRect* item, CRect* caption, bool pressed, int width, int height) const;
    static HBITMAP CreateBitmapMask(HBITMAP source, int width, int height, COLORREF transparent);
    static HBITMAP CreateGrayscaleBitmap(HBITMAP source, int width, int height, COLORREF transparent, bool darker);
    static HICON CreateGrayscaleIcon(HICON source, bool darker);
    static bool MeasureIcon(HICON icon, int& width, int& height);

    bool m_bShowDisabledBitmap = true;
    int m_byImageMargin = 3;
    CPoint m_ptPressedOffset{1, 1};
    bool m_bIsFlat = true;
    bool m_bMouseOnButton = false;
    bool m_bDrawTransparent = false;
    bool m_bIsPressed = false;
    bool m_bIsFocused = false;
    bool m_bIsDisabled = false;
    bool m_bIsDefault = false;
    bool m_bIsCheckBox = false;
    bool m_bDrawBorder = true;
    bool m_bDrawFlatFocus = false;
    COLORREF m_crColors[BTNST_MAX_COLORS] = {};
    HWND m_hParentWndMenu = nullptr;
    bool m_bMenuDisplayed = false;
    std::unique_ptr<BCMenu> m_menu;
    std::unique_ptr<CToolTipCtrl> m_toolTip;
    CDC m_dcBk;
    bool m_bHasBk = false;
    CBitmap m_bmpBk;
    CBitmap* m_pbmpOldBk = nullptr;
    int m_nCheck = 0;
    std::string m_link;
    Icon m_icons[2];
    Bitmap m_bitmaps[2];
    HWND m_hCallbackWnd = nullptr;
    UINT m_nCallbackMessage = 0;
    LPARAM m_lCallbackParam = 0;
};
