#pragma once
// A large coloured read-out on a static control: text and background colour,
// font height and weight, alignment. The timer windows show their digits in it.
#include "platform/win/Controls.h"
#include "platform/win/Gdi.h"

class CReadOut : public CStatic {
public:
    // Alignment flags: 2 centred, 4 right (else left); 16 centred vertically.
    static constexpr int kCentre = 2;
    static constexpr int kRight = 4;
    static constexpr int kVCentre = 16;

    void SetTextColor(COLORREF color);
    void SetBkColor(COLORREF color);
    void SetFontHeight(int height, bool bold);
    void SetAlignment(int flags);

    COLORREF TextColor() const { return m_text; }
    COLORREF BkColor() const { return m_back; }
    int Alignment() const { return m_align; }

private:
    void applyPalette();

    COLORREF m_text = RGB(0, 0, 0);
    COLORREF m_back = RGB(240, 240, 240);
    int m_align = 0;
    CFont m_font;
};
