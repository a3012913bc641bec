#include "platform/win/PlainSlider.h"

#include "platform/win/WidgetGlue.h"

#include <QSlider>

namespace {

QSlider* slider(const CWnd* w) { return qobject_cast<QSlider*>(w->widget()); }

void post(QSlider* s, UINT message, int pos)
{
    CWnd* self = CWnd::FromHandle(win::detail::HandleOfWidget(s));
    if (!self)
        return;
    if (CWnd* parent = self->GetParent())
        parent->PostMessage(message, WPARAM(self->GetDlgCtrlID()), LPARAM(pos));
}

} // namespace

QWidget* CPlainSlider::CreateWidget(QWidget* parent, DWORD)
{
    auto* s = new win::detail::Widget<QSlider>(Qt::Horizontal, parent);
    s->setRange(0, 0);
    s->setFocusPolicy(Qt::NoFocus);
    QObject::connect(s, &QSlider::sliderMoved, [s](int pos) { post(s, UWM_SLIDER_MOVING, pos); });
    QObject::connect(s, &QSlider::sliderReleased, [s] { post(s, UWM_SLIDER_MOVED, s->value()); });
    return s;
}

bool CPlainSlider::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QSlider*>(w) != nullptr; }

void CPlainSlider::SetRange(int minimum, int maximum, BOOL redraw)
{
    if (QSlider* s = slider(this)) {
        s->setRange(minimum, std::max(minimum, maximum));
        if (redraw)
            s->update();
    }
}

void CPlainSlider::GetRange(int& minimum, int& maximum) const
{
    minimum = GetRangeMin();
    maximum = GetRangeMax();
}

int CPlainSlider::GetRangeMin() const { return slider(this) ? slider(this)->minimum() : 0; }
int CPlainSlider::GetRangeMax() const { return slider(this) ? slider(this)->maximum() : 0; }

void CPlainSlider::SetPos(int pos)
{
    if (QSlider* s = slider(this))
        s->setValue(pos);
}

int CPlainSlider::GetPos() const { return slider(this) ? slider(this)->value() : 0; }

BOOL CPlainSlider::SetBitmapChannel(UINT id, UINT, BOOL, COLORREF, int, int)
{
    m_channel = id;
    return TRUE;
}

BOOL CPlainSlider::SetBitmapThumb(UINT id, UINT, BOOL, COLORREF, int, int)
{
    m_thumb = id;
    return TRUE;
}

void CPlainSlider::SetMargin(int left, int top, int right, int bottom)
{
    if (QWidget* w = widget())
        w->setContentsMargins(left, top, right, bottom);
}

void CPlainSlider::SetDrawFocusRect(BOOL, BOOL redraw)
{
    if (redraw)
        Invalidate();
}
