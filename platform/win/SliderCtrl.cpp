#include "platform/win/SliderCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QSlider>
#include <algorithm>

using namespace win::detail;

namespace {

QSlider* slider(const CWnd* w) { return qobject_cast<QSlider*>(w->widget()); }

// Reports a user action to the parent as WM_HSCROLL or WM_VSCROLL.
void report(QSlider* s, UINT code, int pos)
{
    CWnd* self = CWnd::FromHandle(HandleOfWidget(s));
    CWnd* parent = self ? self->GetParent() : nullptr;
    if (!parent)
        return;
    const UINT message = s->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
    const HWND h = self->m_hWnd;
    Guarded(h, message, [parent, message, code, pos, h] {
        parent->SendMessage(message, MAKEWPARAM(WORD(code), WORD(pos)), reinterpret_cast<LPARAM>(h));
    });
}

UINT codeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return TB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return TB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return TB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return TB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return TB_TOP;
    case QAbstractSlider::SliderToMaximum: return TB_BOTTOM;
    default: return TB_THUMBTRACK;
    }
}

// A QSlider that tells which user action moved it: Qt announces the action
// before the value changes, the trackbar reports after.
class TrackbarWidget : public Widget<QSlider> {
public:
    TrackbarWidget(Qt::Orientation o, QWidget* parent) : Widget<QSlider>(o, parent)
    {
        connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
            if (action != SliderNoAction && action != SliderMove)
                m_pending = int(codeOf(action));
        });
        connect(this, &QAbstractSlider::valueChanged, this, [this](int pos) {
            if (isSliderDown()) {
                report(this, TB_THUMBTRACK, pos);
            } else if (m_pending >= 0) {
                const UINT code = UINT(m_pending);
                m_pending = -1;
                report(this, code, pos);
                report(this, TB_ENDTRACK, pos);
            }
        });
        connect(this, &QAbstractSlider::sliderReleased, this, [this] {
            report(this, TB_THUMBPOSITION, value());
            report(this, TB_ENDTRACK, value());
        });
    }

private:
    int m_pending = -1;
};

} // namespace

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "msctls_trackbar32", "", style, rect, parent, id);
}

QWidget* CSliderCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    auto* s = new TrackbarWidget((style & TBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
    s->setRange(0, 100);
    ApplyFocusPolicy(s, style, Qt::ClickFocus);
    return s;
}

LRESULT CSliderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QSlider* s = slider(this);
    if (!s)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case TBM_GETPOS: return s->value();
    case TBM_GETRANGEMIN: return s->minimum();
    case TBM_GETRANGEMAX: return s->maximum();
    case TBM_SETPOS: {
        const QSignalBlocker quiet(s); // the program's own change is not reported
        s->setValue(int(lParam));
        return 0;
    }
    case TBM_SETRANGEMIN: s->setMinimum(int(lParam)); return 0;
    case TBM_SETRANGEMAX: s->setMaximum(int(lParam)); return 0;
    default: return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw)
{
    if (QSlider* s = slider(this)) {
        const QSignalBlocker quiet(s);
        s->setRange(minimum, std::max(minimum, maximum));
        if (redraw)
            s->update();
    }
}

void CSliderCtrl::GetRange(int& minimum, int& maximum) const
{
    minimum = GetRangeMin();
    maximum = GetRangeMax();
}

int CSliderCtrl::GetRangeMin() const { return int(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETRANGEMIN)); }
int CSliderCtrl::GetRangeMax() const { return int(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETRANGEMAX)); }
void CSliderCtrl::SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, LPARAM(pos)); }
int CSliderCtrl::GetPos() const { return int(const_cast<CSliderCtrl*>(this)->SendMessage(TBM_GETPOS)); }

void CSliderCtrl::SetPageSize(int size)
{
    if (QSlider* s = slider(this))
        s->setPageStep(size);
}

void CSliderCtrl::SetLineSize(int size)
{
    if (QSlider* s = slider(this))
        s->setSingleStep(size);
}

bool CSliderCtrl::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QSlider*>(w) != nullptr; }
