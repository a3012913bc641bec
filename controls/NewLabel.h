#pragma once
// The program's label: a static control of a dialog that keeps its own copy
// of its text and paints it itself, in its own font, colours and alignment,
// over a solid background, one line per line break (CTextRotator draws the
// block). Every setter redraws and returns the label, so calls chain.
#include "platform/win/Static.h"
#include "platform/win/Gdi.h"

#include <string>

class CNewLabel : public CStatic {
public:
    // Alignment flags of SetAlignment.
    static constexpr int kLeft = 0x1;
    static constexpr int kCentre = 0x2;
    static constexpr int kRight = 0x4;
    static constexpr int kTop = 0x8;
    static constexpr int kVCentre = 0x10;
    static constexpr int kBottom = 0x20;

    CNewLabel();
    ~CNewLabel() override;

    // A colour of its own; until then the background is the system button face.
    CNewLabel& SetBkColor(COLORREF color);
    CNewLabel& SetTextColor(COLORREF color);
    CNewLabel& SetFontBold(BOOL bold);
    // The font's cell height (positive) or character height (negative).
    CNewLabel& SetFontSize(int height);
    // One horizontal flag (left wins over centre, centre over right) replaces
    // all earlier alignment; a vertical flag is then added (bottom over centre
    // over top, top when none is given).
    CNewLabel& SetAlignment(int flags);
    CNewLabel& SetBorder(BOOL border);
    CNewLabel& SetText(const std::string& text);
    std::string GetText() const { return m_text; }
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBkColor() const { return m_systemBack ? GetSysColor(COLOR_BTNFACE) : m_backColor; }

protected:
    DECLARE_MESSAGE_MAP()
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    LRESULT OnEnable(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();

private:
    void redraw();
    void remakeFont();

    COLORREF m_backColor;
    bool m_systemBack = true; // the background follows the system's button face
    COLORREF m_textColor;
    LOGFONT m_logFont;
    CFont m_font;
    int m_drawFlags = kLeft | kTop;
    std::string m_text;
    int m_ownUpdate = 0; // the label itself sets or reads its window text
    int m_tracking = 0;
};
