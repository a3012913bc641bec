#pragma once
// The state behind bitmap and icon handles (internal to the window layer).
#include "platform/win/Gdi.h"

#include <QImage>
#include <QPixmap>

class QWidget;
#include <vector>

struct HBITMAP__ {
    // The pixels as drawn on: always 32 bits (RGB32, or ARGB32 for 32-bit DIBs).
    QImage image;
    int bitsPerPixel = 32;           // 1 for a monochrome bitmap
    // A DIB section's pixels in the caller's layout, and its palette.
    std::vector<unsigned char> dib;
    std::vector<RGBQUAD> palette;
    bool dibSection = false;
    bool topDown = false;
    CBitmap* owner = nullptr;        // the CBitmap that holds the handle, if any
    CDC* selectedIn = nullptr;       // the DC that holds it selected (also in a saved state)
};

struct HICON__ {
    QImage color; // ARGB32: transparent where the mask is set
    bool shared = false;
    QPixmap pixmap;
};

namespace win::detail {

int DibStride(int width, int bitsPerPixel);
// A DIB section's caller-side pixels into the image before it is read...
void DibToImage(HBITMAP b);
// ...and the image back into them after it was drawn on.
void ImageToDib(HBITMAP b);
// White or black for a colour drawn into a monochrome bitmap: the nearer of the two
// entries of a monochrome palette.
inline QRgb MonoOf(QRgb c)
{
    return ((c >> 16) & 0xff) + ((c >> 8) & 0xff) + (c & 0xff) >= 383 ? 0xffffffffu : 0xff000000u;
}
// Paints what client DCs drew on a widget since its last paint, and forgets it
// (called after the widget's paint message).
void PaintClientDrawing(QWidget* widget);

} // namespace win::detail
