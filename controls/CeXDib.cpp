#include "controls/CeXDib.h"

#include <algorithm>
#include <cstring>
#include <new>

CCeXDib::~CCeXDib() { Free(); }

void CCeXDib::Free()
{
    delete m_memDc;
    m_memDc = nullptr;
    if (m_section)
        DeleteObject(m_section);
    m_section = nullptr;
    m_sectionBits = nullptr;
    std::vector<BYTE>().swap(m_block);
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = 0;
    m_lineWidth = 0;
    m_paletteEntries = 0;
}

void* CCeXDib::Create(int width, int height, WORD bpp)
{
    Free();
    if (width <= 0 || height <= 0)
        return nullptr;
    m_lineWidth = DWORD(((long long)width * bpp + 31) / 32 * 4);
    m_paletteEntries = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = 40;
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = bpp;
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = DWORD(height) * m_lineWidth;
    try {
        m_block.assign(GetSize(), 0);
    } catch (const std::bad_alloc&) {
        Free();
        return nullptr;
    }
    std::memcpy(m_block.data(), &m_header, sizeof m_header);
    return m_block.data();
}

DWORD CCeXDib::GetSize() const { return m_header.biSize + m_header.biSizeImage + GetPaletteSize(); }

RGBQUAD* CCeXDib::palette()
{
    return m_block.empty() ? nullptr : reinterpret_cast<RGBQUAD*>(m_block.data() + m_header.biSize);
}

BYTE* CCeXDib::GetBits()
{
    return m_block.empty() ? nullptr : m_block.data() + m_header.biSize + GetPaletteSize();
}

void CCeXDib::SetPaletteIndex(BYTE index, BYTE red, BYTE green, BYTE blue)
{
    if (m_block.empty() || index >= m_paletteEntries)
        return;
    RGBQUAD& e = palette()[index];
    e.rgbRed = red;
    e.rgbGreen = green;
    e.rgbBlue = blue;
    e.rgbReserved = 0;
}

void CCeXDib::BlendPalette(COLORREF color, DWORD percent)
{
    if (m_block.empty() || m_paletteEntries == 0)
        return;
    percent = std::min<DWORD>(percent, 100);
    const DWORD keep = 100 - percent;
    for (DWORD i = 0; i < m_paletteEntries; ++i) {
        RGBQUAD& e = palette()[i];
        e.rgbRed = BYTE((e.rgbRed * keep + GetRValue(color) * percent) / 100);
        e.rgbGreen = BYTE((e.rgbGreen * keep + GetGValue(color) * percent) / 100);
        e.rgbBlue = BYTE((e.rgbBlue * keep + GetBValue(color) * percent) / 100);
    }
}

void CCeXDib::Clear(BYTE value)
{
    if (BYTE* bits = GetBits())
        std::memset(bits, value, m_header.biSizeImage);
}

void CCeXDib::SetPixelIndex(DWORD x, DWORD y, BYTE index)
{
    BYTE* bits = GetBits();
    if (!bits || x >= DWORD(m_header.biWidth) || y >= DWORD(m_header.biHeight))
        return;
    bits[(DWORD(m_header.biHeight) - y - 1) * m_lineWidth + x] = index;
}

void CCeXDib::Draw(CDC* dc, int x, int y)
{
    if (m_block.empty() || !dc)
        return;
    if (!m_section) {
        m_section = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(m_block.data()), DIB_RGB_COLORS,
                                     &m_sectionBits);
        if (!m_section)
            return;
        m_memDc = new CDC;
        if (!m_memDc->CreateCompatibleDC(dc)) {
            Free();
            return;
        }
        m_memDc->SelectBitmap(m_section);
    }
    std::memcpy(m_sectionBits, GetBits(), m_header.biSizeImage);
    dc->BitBlt(x, y, m_header.biWidth, m_header.biHeight, m_memDc, 0, 0, SRCCOPY);
}
