#pragma once
// A slider drawn entirely from bitmaps: a channel (which also gives the
// control its size) and a thumb that moves along it, each with an optional
// active variant (the channel's part on the minimum side of the thumb, the
// thumb while dragged). Bitmaps may be drawn through a mask of a transparent
// colour. The mouse and the keys move it; it posts UWM_SLIDER_MOVING to its
// parent while dragged and UWM_SLIDER_MOVED when let go or after a key
// (wParam the control id, lParam the position).
#include "platform/win/Controls.h"
#include "platform/win/Gdi.h"

// Posted to the parent: wParam the control id, lParam the position.
inline constexpr UINT UWM_SLIDER_MOVING = 10449;
inline constexpr UINT UWM_SLIDER_MOVED = 10450;

class CBitmapSlider : public CStatic {
public:
    CBitmapSlider() = default;
    ~CBitmapSlider() override;

    // transparentColor 0xFF000000 takes the colour of the bitmap's pixel (x, y).
    // Id 0 removes the bitmaps. False when a bitmap cannot be loaded (nothing of
    // the pair stays loaded then).
    BOOL SetBitmapChannel(UINT id, UINT activeId = 0, BOOL transparent = FALSE, COLORREF transparentColor = 0xFF000000,
                          int x = 0, int y = 0);
    BOOL SetBitmapThumb(UINT id, UINT activeId = 0, BOOL transparent = FALSE, COLORREF transparentColor = 0xFF000000,
                        int x = 0, int y = 0);

    // The position is not clamped to a new range until the next SetPos.
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void SetMin(int minimum, BOOL redraw = FALSE);
    void SetMax(int maximum, BOOL redraw = FALSE);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    void GetRange(int& minimum, int& maximum) const
    {
        minimum = m_nMin;
        maximum = m_nMax;
    }
    // Clamped to the range; posts nothing.
    void SetPos(int pos);
    int GetPos() const { return m_nPos; }
    int SetPageSize(int size);
    int GetPageSize() const { return m_nPage; }

    void SetMargin(int left, int top, int right, int bottom);
    void SetMarginLeft(int margin) { m_nMarginLeft = margin; }
    void SetMarginTop(int margin) { m_nMarginTop = margin; }
    void SetMarginRight(int margin) { m_nMarginRight = margin; }
    void SetMarginBottom(int margin) { m_nMarginBottom = margin; }
    void SetDrawFocusRect(BOOL draw = TRUE, BOOL redraw = FALSE);
    void SetVertical(BOOL vertical = TRUE) { m_bVertical = vertical != FALSE; }
    BOOL IsVertical() const { return m_bVertical; }

    // The thumb centre's pixel for a position, and back (along the travel).
    int Pos2Pixel(int pos) const;
    int Pixel2Pos(int pixel) const;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM key, LPARAM);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnDestroy();

private:
    struct Image {
        CBitmap bitmap;
        CBitmap mask;
        void Reset();
    };
    static bool Load(Image& image, UINT id, bool transparent, COLORREF color, int x, int y);
    void DrawBitmap(CDC* dc, int x, int y, int w, int h, Image& image, int srcX, int srcY, bool transparent);
    void PostToParent(UINT message);
    void DeleteBitmaps();

    int m_nMax = 100;
    int m_nMin = 0;
    int m_nPos = 0;
    int m_nPage = 1;
    CRect m_rect;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nThumbWidth = 0;
    int m_nThumbHeight = 0;
    int m_nMarginLeft = 0;
    int m_nMarginRight = 0;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 0;
    CPoint m_ptThumbBg{-1, -1};
    int m_nDragOffset = 0;
    bool m_bVertical = false;
    bool m_bChannelActive = false;
    bool m_bThumbActive = false;
    bool m_bTransparentChannel = false;
    bool m_bTransparentThumb = false;
    bool m_bChannel = false;
    bool m_bThumb = false;
    bool m_bLButtonDown = false;
    bool m_bFocus = false;
    bool m_bFocusRect = false;
    bool m_bDrawFocusRect = true;
    Image m_channel;
    Image m_channelActive;
    Image m_thumb;
    Image m_thumbActive;
    CBitmap m_thumbBg;
};
