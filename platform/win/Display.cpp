#include "platform/win/Display.h"

#include "platform/win/WinDefs.h"

#include <QGuiApplication>
#include <QScreen>

namespace win {
namespace {

std::optional<DisplayMetrics>& override()
{
    static std::optional<DisplayMetrics> o;
    return o;
}

} // namespace

DisplayMetrics CurrentDisplay()
{
    if (override())
        return *override();
    DisplayMetrics m;
    if (QScreen* s = qApp ? QGuiApplication::primaryScreen() : nullptr) {
        m.width = s->geometry().width();
        m.height = s->geometry().height();
        m.dpiX = int(s->logicalDotsPerInchX() + 0.5);
        m.dpiY = int(s->logicalDotsPerInchY() + 0.5);
    }
    return m;
}

void SetDisplayOverride(std::optional<DisplayMetrics> metrics) { override() = metrics; }

CRect WorkArea()
{
    if (override())
        return CRect(0, 0, override()->width, override()->height);
    if (QScreen* s = qApp ? QGuiApplication::primaryScreen() : nullptr) {
        const QRect r = s->availableGeometry();
        return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }
    return CRect();
}

int DialogUnitsToPixelsX(int units) { return MulDiv(units, 6 * CurrentDisplay().dpiX, 4 * 96); }
int DialogUnitsToPixelsY(int units) { return MulDiv(units, 13 * CurrentDisplay().dpiY, 8 * 96); }

CRect DialogRectToPixels(int x, int y, int width, int height)
{
    const int px = DialogUnitsToPixelsX(x);
    const int py = DialogUnitsToPixelsY(y);
    return CRect(px, py, px + DialogUnitsToPixelsX(width), py + DialogUnitsToPixelsY(height));
}

} // namespace win

int GetSystemMetrics(int index)
{
    const win::DisplayMetrics m = win::CurrentDisplay();
    switch (index) {
    case SM_CXSCREEN: return m.width;
    case SM_CYSCREEN: return m.height;
    case SM_CXFULLSCREEN: return win::WorkArea().Width();
    case SM_CYFULLSCREEN: return win::WorkArea().Height();
    case SM_CXICON:
    case SM_CYICON: return MulDiv(32, m.dpiX, 96);
    // One screen: the virtual screen is the primary screen.
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: return 0;
    case SM_CXVIRTUALSCREEN: return m.width;
    case SM_CYVIRTUALSCREEN: return m.height;
    default: return 0;
    }
}
