#pragma once
// Pixels of a control as the screen shows it, and a copy for a person to look
// at when MIRTAL_SCREENSHOT_DIR names a folder.
#include "platform/win/Wnd.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <string>

namespace shots {

inline QImage grab(const CWnd& wnd, const char* keepAs = nullptr)
{
    QApplication::processEvents();
    const QImage image = wnd.widget()->grab().toImage();
    if (const char* dir = std::getenv("MIRTAL_SCREENSHOT_DIR"); dir && keepAs)
        image.save(QString::fromStdString(std::string(dir) + "/" + keepAs + ".png"));
    return image;
}

inline COLORREF at(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

inline COLORREF at(const QImage& image, POINT p) { return at(image, p.x, p.y); }

// How many pixels of the rectangle have exactly this colour.
inline int count(const QImage& image, const RECT& r, COLORREF color)
{
    int n = 0;
    for (int y = std::max(0L, long(r.top)); y < std::min(long(image.height()), long(r.bottom)); ++y)
        for (int x = std::max(0L, long(r.left)); x < std::min(long(image.width()), long(r.right)); ++x)
            n += at(image, x, y) == color ? 1 : 0;
    return n;
}

} // namespace shots
