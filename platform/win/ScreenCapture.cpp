#include "platform/win/ScreenCapture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace win {

HBITMAP CaptureScreenArea(const RECT& screen, HWND exclude)
{
    const int width = std::max<int>(screen.right - screen.left, 1);
    const int height = std::max<int>(screen.bottom - screen.top, 1);
    QImage image(width, height, QImage::Format_ARGB32);
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    image.fill(QColor(GetRValue(desktop), GetGValue(desktop), GetBValue(desktop)));
    const CWnd* left = CWnd::FromHandle(exclude);
    const QWidget* skip = left ? left->frameWidget() : nullptr;
    const QRect area(screen.left, screen.top, width, height);
    {
        QPainter painter(&image);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top == skip || !top->isVisible() || !top->geometry().intersects(area))
                continue;
            painter.drawPixmap(top->geometry().topLeft() - area.topLeft(), top->grab());
        }
    }
    return CreateBitmapHandle(image);
}

} // namespace win
