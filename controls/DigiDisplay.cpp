#include "controls/DigiDisplay.h"

#include "platform/win/Dc.h"

#include <cmath>

BEGIN_MESSAGE_MAP(CDigiDisplay, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
END_MESSAGE_MAP()

namespace {

constexpr const char* kGlyphOrder = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*+-:.";

// Segment bit k is painted in key colour k in the segments bitmap.
constexpr COLORREF kSegmentKeyColors[14] = {
    RGB(128, 128, 128), // 0 upper centre stroke
    RGB(128, 0, 128),   // 1 upper left diagonal
    RGB(0, 255, 255),   // 2 upper right diagonal
    RGB(0, 0, 128),     // 3 lower left diagonal
    RGB(0, 0, 255),     // 4 lower right diagonal
    RGB(192, 192, 192), // 5 lower centre stroke
    RGB(255, 0, 0),     // 6 middle bar, left half
    RGB(255, 255, 0),   // 7 middle bar, right half
    RGB(128, 0, 0),     // 8 upper left
    RGB(0, 128, 0),     // 9 lower left
    RGB(255, 0, 255),   // 10 bottom bar
    RGB(0, 128, 128),   // 11 lower right
    RGB(255, 255, 255), // 12 upper right
    RGB(128, 128, 0),   // 13 top bar
};

// Lit segments of glyphs 0 to 39 (blank, digits, letters, "*", "+", "-").
constexpr WORD kGlyphSegmentMasks[40] = {
    0x0000, 0x3F00, 0x1800, 0x36C0, 0x3CC0, 0x19C0, 0x2DC0, 0x2FC0, 0x3800, 0x3FC0, 0x3DC0, // blank, 0-9
    0x3BC0, 0x3CA1, 0x2700, 0x3C21, 0x27C0, 0x23C0, 0x2F80, 0x1BC0, 0x2421, 0x1E00,         // A-J
    0x0354, 0x0700, 0x1B06, 0x1B12, 0x3F00, 0x33C0, 0x3F10, 0x33D0, 0x2DC0, 0x2021,         // K-T
    0x1F00, 0x030C, 0x1B18, 0x001E, 0x11E0, 0x240C,                                         // U-Z
    0x00FF, 0x00E1, 0x00C0,                                                                 // * + -
};

} // namespace

CDigiDisplay::CDigiDisplay()
{
    // A glyph has the size of the bitmap it is made from: three bitmaps give every size.
    auto sizeOf = [](UINT id) {
        CBitmap b;
        return b.LoadBitmap(id) ? b.GetSize() : CSize(0, 0);
    };
    const CSize segments = sizeOf(kSegmentsBitmap);
    for (int i = 0; i < 40; ++i)
        m_glyphSizes[size_t(i)] = segments;
    m_glyphSizes[40] = sizeOf(kPointBitmap);
    m_glyphSizes[41] = sizeOf(kColonBitmap);
}

CBitmap* CDigiDisplay::glyph(int index)
{
    std::unique_ptr<CBitmap>& g = m_glyphs[size_t(index)];
    if (!g) {
        auto made = std::make_unique<CBitmap>();
        if (!made->Attach(CreateGlyphBitmap(index)))
            return nullptr;
        g = std::move(made);
    }
    return g.get();
}

void CDigiDisplay::dropGlyphs()
{
    for (auto& g : m_glyphs)
        g.reset();
}

int CDigiDisplay::GetGlyphIndex(char c)
{
    if (c >= '0' && c <= '9')
        return 1 + (c - '0');
    if (c >= 'A' && c <= 'Z')
        return 11 + (c - 'A');
    switch (c) {
    case '*': return 37;
    case '+': return 38;
    case '-': return 39;
    case '.': return 40;
    case ':': return 41;
    default: return 0;
    }
}

HBITMAP CDigiDisplay::CreateGlyphBitmap(int index) const
{
    if (index < 0 || index >= kGlyphCount)
        return nullptr;
    if (index >= 40) {
        const COLORMAP map[2] = {{RGB(0, 0, 0), m_crBack}, {kSegmentKeyColors[6], m_crOn}};
        return CreateMappedBitmap(nullptr, index == 40 ? kPointBitmap : kColonBitmap, 0, map, 2);
    }
    COLORMAP map[15];
    for (int k = 0; k < 14; ++k)
        map[k] = {kSegmentKeyColors[k], (kGlyphSegmentMasks[index] >> k) & 1 ? m_crOn : m_crOff};
    map[14] = {RGB(0, 0, 0), m_crBack};
    return CreateMappedBitmap(nullptr, kSegmentsBitmap, 0, map, 15);
}

void CDigiDisplay::SetColor(COLORREF off, COLORREF on)
{
    if (off == m_crOff && on == m_crOn)
        return;
    m_crOff = off;
    m_crOn = on;
    dropGlyphs();
    Invalidate();
}

void CDigiDisplay::SetBackColor(COLORREF back)
{
    if (back == m_crBack)
        return;
    m_crBack = back;
    dropGlyphs();
    Invalidate();
}

void CDigiDisplay::SetText(const std::string& text)
{
    if (text == m_strText)
        return;
    m_strText = text;
    Invalidate();
}

LRESULT CDigiDisplay::OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

void CDigiDisplay::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    int total = 0;
    for (char c : m_strText)
        total += m_glyphSizes[size_t(GetGlyphIndex(c))].cx;
    if (total <= 0)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(nullptr);
    // Every glyph is scaled by the same factor so that the text fills the width.
    const double scale = double(client.Width()) / total;
    double x = 0.0;
    for (char c : m_strText) {
        const int index = GetGlyphIndex(c);
        const CSize size = m_glyphSizes[size_t(index)];
        CBitmap* bitmap = glyph(index);
        if (!bitmap)
            continue;
        CBitmap* old = memDC.SelectObject(bitmap);
        const double frac = x - std::floor(x);
        dc.StretchBlt(int(x + 0.5), 0, int(frac + 0.5 + size.cx * scale + 0.5), client.Height(), &memDC, 0, 0,
                      size.cx, size.cy, SRCCOPY);
        memDC.SelectObject(old);
        x += size.cx * scale;
    }
}
