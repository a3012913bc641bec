#include "managers/TwoListPage.h"

#include "platform/win/Input.h"

BEGIN_MESSAGE_MAP(CTwoListPage, CManagerPage)
    ON_NOTIFY(LVN_BEGINDRAG, kLeftListId, OnBeginDragLeft)
    ON_NOTIFY(LVN_BEGINDRAG, kRightListId, OnBeginDragRight)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

bool CTwoListPage::IsLeftHalf(CPoint screenPoint) const
{
    CRect window;
    GetWindowRect(window);
    return screenPoint.x < window.CenterPoint().x;
}

void CTwoListPage::HeaderClicked(CListCtrl* list, int column)
{
    bool left = list == &m_left;
    if (!list) {
        CPoint at;
        ::GetCursorPos(&at);
        left = IsLeftHalf(at);
    }
    if (left && LeftRowCount() > 0)
        SortLeft(column);
    else if (!left && RightRowCount() > 0)
        SortRight(column);
}

CListCtrl* CTwoListPage::ScrollTarget(CPoint at)
{
    // A focused list scrolls itself.
    CWnd* focus = CWnd::GetFocus();
    if (focus == &m_left || focus == &m_right)
        return nullptr;
    return IsLeftHalf(at) ? static_cast<CListCtrl*>(&m_left) : &m_right;
}

void CTwoListPage::OnBeginDragLeft(NMHDR* hdr, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
    CPoint at = nm->ptAction;
    m_left.ClientToScreen(&at);
    m_drag.Begin(*this, m_left, nm->iItem, at);
    *result = 0;
}

void CTwoListPage::OnBeginDragRight(NMHDR* hdr, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(hdr);
    CPoint at = nm->ptAction;
    m_right.ClientToScreen(&at);
    m_drag.Begin(*this, m_right, nm->iItem, at);
    *result = 0;
}

void CTwoListPage::OnMouseMove(UINT flags, CPoint point)
{
    if (m_drag.IsDragging()) {
        ClientToScreen(&point);
        m_drag.Move(point);
        return;
    }
    CManagerPage::OnMouseMove(flags, point);
}

void CTwoListPage::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_drag.IsDragging()) {
        CPoint screen = point;
        ClientToScreen(&screen);
        int drop = -1;
        CListCtrl* source = m_drag.Source();
        const int item = m_drag.Item();
        if (CListCtrl* target = m_drag.End(screen, drop))
            DropRows(source, target, drop, item);
    }
    CManagerPage::OnLButtonUp(flags, point);
}
