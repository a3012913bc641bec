#pragma once
// A short text shown as 14-segment LED glyphs stretched to fill the control:
// lit segments in the on colour, unlit ones in the off colour, on a
// background colour. Digits, capital letters and "*+-.:" have glyphs; every
// other character shows as a blank glyph.
#include "platform/win/Controls.h"
#include "platform/win/Gdi.h"

#include <array>
#include <memory>
#include <string>

class CDigiDisplay : public CStatic {
public:
    // The glyph order: " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*+-:.".
    static constexpr int kGlyphCount = 42;
    // The bitmaps of the glyphs: all segments in their key colours, the colon, the point.
    static constexpr UINT kSegmentsBitmap = 297;
    static constexpr UINT kColonBitmap = 296;
    static constexpr UINT kPointBitmap = 298;

    CDigiDisplay();
    ~CDigiDisplay() override = default;

    void SetColor(COLORREF off, COLORREF on);
    void SetBackColor(COLORREF back);
    COLORREF GetOffColor() const { return m_crOff; }
    COLORREF GetOnColor() const { return m_crOn; }
    COLORREF GetBackColor() const { return m_crBack; }
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_strText; }

    static int GetGlyphIndex(char c);
    // The glyph's bitmap in the current colours; the caller deletes it.
    HBITMAP CreateGlyphBitmap(int index) const;
    CSize GetGlyphSize(int index) const { return m_glyphSizes[size_t(index)]; }

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint();
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);

    std::string m_strText = "EMPTY";

private:
    // The glyph bitmaps in the current colours, made when first painted (a clock
    // repaints every second); a colour change drops them.
    CBitmap* glyph(int index);
    void dropGlyphs();

    std::array<CSize, kGlyphCount> m_glyphSizes{};
    std::array<std::unique_ptr<CBitmap>, kGlyphCount> m_glyphs;
    COLORREF m_crOff = RGB(52, 0, 0);
    COLORREF m_crOn = RGB(255, 0, 0);
    COLORREF m_crBack = RGB(0, 0, 0);
};
