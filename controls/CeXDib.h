#pragma once
// A small device-independent bitmap with a palette (the texture of the
// pattern fills): header, palette and bottom-up pixel rows in one block.
#include "platform/win/Dc.h"

#include <vector>

class CCeXDib {
public:
    CCeXDib() = default;
    virtual ~CCeXDib();
    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    void Free();
    // Null when the block cannot be allocated.
    void* Create(int width, int height, WORD bitsPerPixel);
    DWORD GetSize() const;
    DWORD GetPaletteSize() const { return m_paletteEntries * 4; }
    BYTE* GetBits();
    DWORD GetLineWidth() const { return m_lineWidth; }
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    void SetPaletteIndex(BYTE index, BYTE red, BYTE green, BYTE blue);
    // Every palette entry moves percent (at most 100) towards the colour.
    void BlendPalette(COLORREF color, DWORD percent);
    void Clear(BYTE value = 0);
    // y counts from the top of the picture.
    void SetPixelIndex(DWORD x, DWORD y, BYTE index);
    void Draw(CDC* dc, int x, int y);

private:
    RGBQUAD* palette();

    std::vector<BYTE> m_block;
    BITMAPINFOHEADER m_header{};
    DWORD m_lineWidth = 0;
    DWORD m_paletteEntries = 0;
    HBITMAP m_section = nullptr;
    CDC* m_memDc = nullptr;
    void* m_sectionBits = nullptr;
};
