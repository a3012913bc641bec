#include "managers/RowDrag.h"

#include "platform/win/Input.h"

void CRowDrag::Begin(CWnd& page, CListCtrl& source, int item, CPoint screen)
{
    m_page = &page;
    m_source = &source;
    m_last = &source;
    m_item = item;
    m_drop = -1;
    m_dragging = true;
    const bool several = source.GetSelectedCount() > 1;
    m_image = std::make_unique<CImageList>();
    if (m_image->Create(several ? 397 : 395, several ? 89 : 88, 1, RGB(255, 0, 255))) {
        m_image->BeginDrag(0, CPoint(-10, -14));
        CImageList::DragEnter(nullptr, screen);
    }
    ::SetCapture(page.m_hWnd);
}

CListCtrl* CRowDrag::ListAt(CPoint screen) const
{
    CWnd* under = CWnd::FromHandle(::WindowFromPoint(screen));
    // The point may lie on a list's header or viewport: walk up to the list.
    while (under && under != m_page) {
        if (auto* list = dynamic_cast<CListCtrl*>(under))
            return list;
        under = under->GetParent();
    }
    return nullptr;
}

void CRowDrag::ClearHighlight()
{
    if (m_last && m_last->m_hWnd && m_drop >= 0)
        m_last->SetItemState(m_drop, 0, LVIS_DROPHILITED);
    m_drop = -1;
}

void CRowDrag::Move(CPoint screen)
{
    if (!m_dragging)
        return;
    CImageList::DragMove(screen);
    CListCtrl* list = ListAt(screen);
    if (list != m_last) {
        ClearHighlight();
        m_last = list;
    }
    if (!list) {
        ::SetCursor(::LoadCursor(nullptr, IDC_NO));
        return;
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    CPoint at = screen;
    list->ScreenToClient(&at);
    const int row = list->HitTest(at);
    if (row != m_drop) {
        ClearHighlight();
        m_drop = row;
        if (row >= 0)
            list->SetItemState(row, LVIS_DROPHILITED, LVIS_DROPHILITED);
    }
}

CListCtrl* CRowDrag::End(CPoint screen, int& dropIndex)
{
    dropIndex = -1;
    if (!m_dragging)
        return nullptr;
    m_dragging = false;
    ::ReleaseCapture();
    if (m_image) {
        CImageList::DragLeave(nullptr);
        CImageList::EndDrag();
        m_image.reset();
    }
    CListCtrl* target = ListAt(screen);
    if (target) {
        CPoint at = screen;
        target->ScreenToClient(&at);
        dropIndex = target->HitTest(at);
    }
    ClearHighlight();
    return target;
}
