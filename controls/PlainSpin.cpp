#include "controls/PlainSpin.h"

#include "platform/win/WidgetAccess.h"

#include <algorithm>
#include <string>

void CPlainSpin::Init(int buddyId, int lower, int upper)
{
    m_buddyId = buddyId;
    SetRange(lower, upper);
    if (!widget() || m_buttons)
        return;
    m_buttons = true;
    win::AddArrowButtons(this, [this](int delta) { Step(delta); });
}

void CPlainSpin::SetRange(int lower, int upper)
{
    m_lower = std::min(lower, upper);
    m_upper = std::max(lower, upper);
    m_pos = std::clamp(m_pos, m_lower, m_upper);
}

void CPlainSpin::SetPos(int pos) { m_pos = std::clamp(pos, m_lower, m_upper); }

void CPlainSpin::Step(int delta)
{
    CWnd* parent = GetParent();
    CWnd* buddy = parent ? parent->GetDlgItem(m_buddyId) : nullptr;
    if (buddy) {
        // The buddy's number is the start: the user may have typed there.
        BOOL ok = FALSE;
        const int shown = int(parent->GetDlgItemInt(m_buddyId, &ok, TRUE));
        if (ok)
            m_pos = std::clamp(shown, m_lower, m_upper);
    }
    const int next = std::clamp(m_pos + delta, m_lower, m_upper);
    if (next == m_pos)
        return;
    m_pos = next;
    if (buddy)
        buddy->SetWindowText(std::to_string(m_pos));
}
