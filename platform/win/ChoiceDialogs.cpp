#include "platform/win/ChoiceDialogs.h"

#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/PropertyGrid.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace win {
namespace {

ColorDialogAnswerer& colorAnswerer()
{
    static ColorDialogAnswerer a;
    return a;
}
FontDialogAnswerer& fontAnswerer()
{
    static FontDialogAnswerer a;
    return a;
}
std::vector<ColorDialogRequest>& colorLog()
{
    static std::vector<ColorDialogRequest> l;
    return l;
}
std::vector<FontDialogRequest>& fontLog()
{
    static std::vector<FontDialogRequest> l;
    return l;
}

QWidget* ownerWidget(CWnd* parent)
{
    if (!parent)
        return nullptr;
    CWnd* top = parent->GetTopLevelParent();
    return top ? top->frameWidget() : parent->widget();
}

} // namespace

ColorDialogAnswerer SetColorDialogAnswerer(ColorDialogAnswerer a)
{
    ColorDialogAnswerer old = std::move(colorAnswerer());
    colorAnswerer() = std::move(a);
    return old;
}
FontDialogAnswerer SetFontDialogAnswerer(FontDialogAnswerer a)
{
    FontDialogAnswerer old = std::move(fontAnswerer());
    fontAnswerer() = std::move(a);
    return old;
}
const std::vector<ColorDialogRequest>& ColorDialogLog() { return colorLog(); }
const std::vector<FontDialogRequest>& FontDialogLog() { return fontLog(); }
void ClearChoiceDialogLogs()
{
    colorLog().clear();
    fontLog().clear();
}

const std::vector<COLORREF>& PopupColors()
{
    static const std::vector<COLORREF> colors = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),   RGB(0, 0, 128),   RGB(128, 0, 128),
        RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255), RGB(212, 212, 212), RGB(255, 192, 203),
        RGB(255, 255, 224), RGB(255, 128, 0), RGB(128, 64, 0),  RGB(0, 64, 128),    RGB(64, 0, 128),  RGB(64, 64, 64),
    };
    return colors;
}

QPixmap ColorSwatch(COLORREF c, int size)
{
    QPixmap pm(size, size);
    pm.fill(QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, size - 1, size - 1);
    return pm;
}

} // namespace win

CColorDialog::CColorDialog(COLORREF initial, DWORD, CWnd* parent) : m_color(initial), m_parent(parent) {}

INT_PTR CColorDialog::DoModal()
{
    win::ColorDialogRequest r{m_parent ? m_parent->m_hWnd : nullptr, m_color};
    win::colorLog().push_back(r);
    std::optional<COLORREF> chosen;
    if (win::ColorDialogAnswerer a = win::colorAnswerer()) {
        chosen = a(r);
    } else if (!win::IsHeadless()) {
        const QColor c = QColorDialog::getColor(QColor(GetRValue(m_color), GetGValue(m_color), GetBValue(m_color)),
                                                win::ownerWidget(m_parent));
        if (c.isValid())
            chosen = RGB(c.red(), c.green(), c.blue());
    }
    if (!chosen)
        return IDCANCEL;
    m_color = *chosen & 0xffffff;
    return IDOK;
}

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CWnd* parent)
    : m_font(initial ? *initial : LOGFONT()), m_flags(flags), m_parent(parent)
{
}

INT_PTR CFontDialog::DoModal()
{
    win::FontDialogRequest r;
    r.owner = m_parent ? m_parent->m_hWnd : nullptr;
    r.initial = m_font;
    r.flags = m_flags;
    r.dpi = win::CurrentDisplay().dpiY;
    win::fontLog().push_back(r);
    std::optional<LOGFONT> chosen;
    if (win::FontDialogAnswerer a = win::fontAnswerer()) {
        chosen = a(r);
    } else if (!win::IsHeadless()) {
        QFont start(QString::fromUtf8(m_font.lfFaceName));
        if (m_font.lfHeight)
            start.setPointSize(std::max(1, win::FontPointsFromHeight(int(m_font.lfHeight), r.dpi)));
        start.setWeight(m_font.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
        start.setItalic(m_font.lfItalic != 0);
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, start, win::ownerWidget(m_parent));
        if (ok) {
            LOGFONT lf = m_font;
            lf.lfHeight = win::FontHeightFromPoints(f.pointSize() > 0 ? f.pointSize() : 8, r.dpi);
            lf.lfWeight = f.bold() ? 700 : 400;
            lf.lfItalic = f.italic() ? 1 : 0;
            win::SetFaceName(lf, f.family().toStdString());
            chosen = lf;
        }
    }
    if (!chosen)
        return IDCANCEL;
    m_font = *chosen;
    m_font.lfFaceName[sizeof m_font.lfFaceName - 1] = 0;
    return IDOK;
}
