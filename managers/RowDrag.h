#pragma once
// The drag of rows from one list of a page to another (or within one): the
// picture of one row (bitmap 395) or of several (397) follows the pointer,
// the row under it in a list is drop-highlighted, and the end names the list
// and the row the rows were dropped on.
#include "platform/win/ImageList.h"
#include "platform/win/ListCtrl.h"

#include <memory>

class CRowDrag {
public:
    // Starts a drag of the source list's rows at the item (the page keeps the capture).
    void Begin(CWnd& page, CListCtrl& source, int item, CPoint screen);
    bool IsDragging() const { return m_dragging; }
    // Highlights the row of the list under the pointer.
    void Move(CPoint screen);
    // Ends the drag: the list under the pointer (null when none) and the
    // row it was dropped on (-1: below the last row).
    CListCtrl* End(CPoint screen, int& dropIndex);
    CListCtrl* Source() const { return m_source; }
    int Item() const { return m_item; }

private:
    CListCtrl* ListAt(CPoint screen) const;
    void ClearHighlight();

    CWnd* m_page = nullptr;
    CListCtrl* m_source = nullptr;
    CListCtrl* m_last = nullptr;
    std::unique_ptr<CImageList> m_image;
    int m_item = -1;
    int m_drop = -1;
    bool m_dragging = false;
};
