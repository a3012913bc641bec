#include "app/ReadOut.h"

#include <QLabel>
#include <QPalette>

namespace {
QColor toQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
} // namespace

void CReadOut::SetTextColor(COLORREF color)
{
    m_text = color;
    applyPalette();
}

void CReadOut::SetBkColor(COLORREF color)
{
    m_back = color;
    applyPalette();
}

void CReadOut::applyPalette()
{
    QWidget* w = widget();
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, toQColor(m_text));
    p.setColor(QPalette::Window, toQColor(m_back));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->update();
}

void CReadOut::SetFontHeight(int height, bool bold)
{
    m_font.DeleteObject();
    m_font.CreateFont(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SetFont(&m_font);
}

void CReadOut::SetAlignment(int flags)
{
    m_align = flags;
    auto* label = qobject_cast<QLabel*>(widget());
    if (!label)
        return;
    Qt::Alignment a = (flags & kRight) ? Qt::AlignRight : (flags & kCentre) ? Qt::AlignHCenter : Qt::AlignLeft;
    a |= (flags & kVCentre) ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(a);
}
