#pragma once
// Renders a block of text lines off screen and copies it, aligned, into a
// window's DC in one blit, so a label whose text changes often never
// flickers. Made for one painting.
#include "platform/win/Dc.h"

#include <memory>
#include <string>

class CTextRotator {
public:
    // hAlign: 0 left, 1 centred, 2 right; vAlign: 0 top, 1 centred, 2 bottom.
    // The target holds the font the text is drawn in.
    CTextRotator(CDC* target, const std::string& text, int hAlign, int vAlign);
    virtual ~CTextRotator();
    CTextRotator(const CTextRotator&) = delete;
    CTextRotator& operator=(const CTextRotator&) = delete;

    void SetTextColor(COLORREF color) { m_textColor = color; }
    void SetBackColor(COLORREF color) { m_backColor = color; }
    // Embossed in the button highlight and shadow colours, as disabled text is.
    void SetDisabled(bool disabled) { m_disabled = disabled; }

    // Renders the lines (empty ones dropped), each aligned within the widest;
    // FALSE when there is nothing to render or no bitmap can be made.
    BOOL Render();
    // The rendered block: origin 0, 0.
    CRect GetRect() const { return m_rect; }
    // Copies the block into the target, aligned in the rectangle and cut to it.
    void DrawAligned(const CRect& client);
    void Clear();

private:
    CDC* m_target;
    std::unique_ptr<CDC> m_memory;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CRect m_rect;
    int m_hAlign;
    int m_vAlign;
    bool m_disabled = false;
    std::string m_text;
    COLORREF m_backColor;
    COLORREF m_textColor;
};
