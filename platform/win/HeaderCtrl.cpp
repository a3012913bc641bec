#include "platform/win/HeaderCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QAbstractItemModel>
#include <QHeaderView>

namespace {

// The column format lives in the model's header data beside the text.
constexpr int kFormatRole = Qt::UserRole + 1;

QHeaderView* header(const CWnd* w) { return qobject_cast<QHeaderView*>(w->widget()); }

} // namespace

int CHeaderCtrl::GetItemCount() const
{
    QHeaderView* h = header(this);
    return h ? h->count() : 0;
}

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const
{
    QHeaderView* h = header(this);
    if (!h || !rect || index < 0 || index >= h->count())
        return FALSE;
    const int left = h->sectionViewportPosition(index) + h->viewport()->x();
    *rect = RECT{left, 0, left + h->sectionSize(index), h->height()};
    return TRUE;
}

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const
{
    QHeaderView* h = header(this);
    if (!h || !item || index < 0 || index >= h->count() || !h->model())
        return FALSE;
    if (item->mask & HDI_WIDTH)
        item->cxy = h->sectionSize(index);
    if (item->mask & HDI_FORMAT)
        item->fmt = h->model()->headerData(index, Qt::Horizontal, kFormatRole).toInt() | HDF_STRING;
    if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        const std::string text = h->model()->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
        win::detail::CopyTextOut(text, WPARAM(item->cchTextMax), reinterpret_cast<LPARAM>(item->pszText));
    }
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int index, HDITEM* item)
{
    QHeaderView* h = header(this);
    if (!h || !item || index < 0 || index >= h->count() || !h->model())
        return FALSE;
    if (item->mask & HDI_FORMAT)
        h->model()->setHeaderData(index, Qt::Horizontal, item->fmt & HDF_JUSTIFYMASK, kFormatRole);
    if ((item->mask & HDI_TEXT) && item->pszText)
        h->model()->setHeaderData(index, Qt::Horizontal, QString::fromUtf8(item->pszText), Qt::DisplayRole);
    if (item->mask & HDI_WIDTH)
        h->resizeSection(index, std::max(0, item->cxy));
    return TRUE;
}
