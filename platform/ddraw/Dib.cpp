#include "platform/ddraw/Dib.h"

#include "platform/win/Gdi.h"

#include <QImage>

#include <algorithm>
#include <cstring>

HBITMAP CreateDIBSection(const BITMAPINFO* info, UINT usage, void** bits)
{
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB || h.biWidth <= 0
        || h.biHeight == 0 || (h.biBitCount != 24 && h.biBitCount != 32))
        return nullptr;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biWidth > 32767 || height > 32767)
        return nullptr;
    // Both formats keep the Windows byte order: blue, green, red[, unused].
    QImage image(int(h.biWidth), height, h.biBitCount == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.fill(0);
    HBITMAP bitmap = CreateBitmapHandle(image);
    if (bits && h.biHeight < 0)
        *bits = ImageOfBitmap(bitmap)->bits();
    return bitmap;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD bytes, const void* bits)
{
    QImage* image = ImageOfBitmap(bitmap);
    if (!image || !bits)
        return 0;
    const qsizetype rowBytes = image->bytesPerLine();
    const auto* from = static_cast<const unsigned char*>(bits);
    DWORD taken = 0;
    for (int y = 0; y < image->height() && taken < bytes; ++y) {
        const DWORD n = DWORD(std::min<qsizetype>(rowBytes, qsizetype(bytes - taken)));
        std::memcpy(image->scanLine(y), from + taken, n);
        taken += n;
    }
    return LONG(taken);
}
