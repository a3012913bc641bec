#pragma once
// A plain horizontal slider with the operations the main window uses of the
// program's own bitmap slider, which takes its place in the control kit.
// While the user drags the thumb it posts UWM_SLIDER_MOVING to its parent at
// each change of position, and UWM_SLIDER_MOVED when the thumb is let go
// (first parameter the control id, second the position).
#include "platform/win/Wnd.h"

inline constexpr UINT UWM_SLIDER_MOVING = 10449;
inline constexpr UINT UWM_SLIDER_MOVED = 10450;

class CPlainSlider : public CWnd {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void GetRange(int& minimum, int& maximum) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    // Clamped to the range.
    void SetPos(int pos);
    int GetPos() const;

    // The bitmaps of the look (resource ids, 0 for none); the plain slider
    // keeps them for its successor and draws itself plainly.
    BOOL SetBitmapChannel(UINT id, UINT activeId = 0, BOOL transparent = FALSE, COLORREF transparentColor = 0xFF000000,
                          int x = 0, int y = 0);
    BOOL SetBitmapThumb(UINT id, UINT activeId = 0, BOOL transparent = FALSE, COLORREF transparentColor = 0xFF000000,
                        int x = 0, int y = 0);
    UINT GetChannelBitmap() const { return m_channel; }
    UINT GetThumbBitmap() const { return m_thumb; }
    void SetMargin(int left, int top, int right, int bottom);
    void SetDrawFocusRect(BOOL draw = TRUE, BOOL redraw = FALSE);

    bool AcceptsWidget(const QWidget* widget) const override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;

private:
    UINT m_channel = 0;
    UINT m_thumb = 0;
};
