#include "platform/win/ProgressCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QProgressBar>
#include <algorithm>

using namespace win::detail;

namespace {

QProgressBar* bar(const CWnd* w) { return qobject_cast<QProgressBar*>(w->widget()); }

} // namespace

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "msctls_progress32", "", style, rect, parent, id);
}

QWidget* CProgressCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    auto* p = new Widget<QProgressBar>(parent);
    p->setTextVisible(false);
    p->setRange(0, 100);
    p->setValue(0);
    ApplyFocusPolicy(p, style, Qt::NoFocus);
    return p;
}

void CProgressCtrl::SetRange(int minimum, int maximum)
{
    QProgressBar* p = bar(this);
    if (!p)
        return;
    const int pos = p->value();
    p->setRange(minimum, std::max(minimum, maximum));
    // Qt empties a bar whose value falls outside the new range; Windows keeps it inside.
    p->setValue(std::clamp(pos, p->minimum(), p->maximum()));
}

int CProgressCtrl::SetPos(int pos)
{
    QProgressBar* p = bar(this);
    if (!p)
        return 0;
    const int old = p->value();
    p->setValue(std::clamp(pos, p->minimum(), p->maximum()));
    return old;
}

int CProgressCtrl::GetPos() const { return bar(this) ? bar(this)->value() : 0; }

bool CProgressCtrl::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QProgressBar*>(w) != nullptr; }
