#pragma once
// What the playlist and choreography managers share: a source list on the
// left (1009) and the list being built on the right (1011), rows dragged from
// one to the other or within the right one, each list sorted by its own
// header, and the wheel and scroll keys given to the list under the pointer.
#include "managers/ManagerPage.h"
#include "managers/RowDrag.h"

class CTwoListPage : public CManagerPage {
public:
    using CManagerPage::CManagerPage;

    // The end of a drag: rows from the source list onto the target list's
    // drop row (-1: below the last one).
    virtual void DropRows(CListCtrl* source, CListCtrl* target, int dropIndex, int draggedItem) = 0;
    virtual void SortLeft(int column) = 0;
    virtual void SortRight(int column) = 0;

protected:
    static constexpr int kLeftListId = 1009;
    static constexpr int kRightListId = 1011;

    virtual int LeftRowCount() const = 0;
    virtual int RightRowCount() const = 0;

    void HeaderClicked(CListCtrl* list, int column) override;
    CListCtrl* ScrollTarget(CPoint screenPoint) override;
    bool PassesScrollKeys() const override { return true; }

    void OnBeginDragLeft(NMHDR* hdr, LRESULT* result);
    void OnBeginDragRight(NMHDR* hdr, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CQuickList m_left, m_right;

private:
    // Whether a point lies left of the window's middle.
    bool IsLeftHalf(CPoint screenPoint) const;

    CRowDrag m_drag;
};
