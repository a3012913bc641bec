#include "texts/GetFromMusicDb.h"
#include "controls/RowColours.h"

#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/SendCommand.h"
#include "store/UtilityDb.h"
#include "platform/win/DataExchange.h"
#include "store/TextReplace.h"

#include <algorithm>

namespace {
constexpr int kList = 1191;
constexpr int kSelect = 1097;
constexpr int kCancel = 1098;
constexpr UINT kCheckBitmap = 206;
constexpr UINT kCheckNoBitmap = 211;
constexpr int kCompared = 6; // columns a comparison looks at

} // namespace

int CGetFromMusicDb::s_sortColumn = 0;
bool CGetFromMusicDb::s_ascending = false;
bool CGetFromMusicDb::s_previousAscending = false;

BEGIN_MESSAGE_MAP(CGetFromMusicDb, CDialogEx)
    ON_BN_CLICKED(kSelect, OnSelect)
    ON_BN_CLICKED(kCancel, OnCancelButton)
    ON_NOTIFY(NM_DBLCLK, kList, OnDoubleClick)
    ON_NOTIFY(LVN_COLUMNCLICK, kList, OnColumnClick)
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetCell)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CGetFromMusicDb::CGetFromMusicDb(int mode, CWnd* parent) : CDialogEx(IDD, parent), m_mode(mode) {}

CGetFromMusicDb::~CGetFromMusicDb() = default;

void CGetFromMusicDb::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kList, m_list);
    DDX_Control(dx, kSelect, m_select);
    DDX_Control(dx, kCancel, m_cancel);
}

BOOL CGetFromMusicDb::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_label.clear();
    m_title.clear();
    m_caller.clear();
    m_select.SetImage(kCheckBitmap);
    m_cancel.SetImage(kCheckNoBitmap);

    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_list.InsertColumn(0, "Title", LVCFMT_LEFT, 255);
    m_list.InsertColumn(1, "Label", LVCFMT_LEFT, 100);
    // Closed until the user drags it open.
    m_list.InsertColumn(2, "Caller", LVCFMT_CENTER, 0);

    s_sortColumn = 0;
    s_ascending = false;
    s_previousAscending = false;

    LoadRows();
    m_list.SetItemCount(int(m_rows.size()));
    m_list.Invalidate();
    return TRUE;
}

void CGetFromMusicDb::LoadRows()
{
    CUtilityDb db;
    CppSQLite3Table t = m_mode == 1 ? db.FindRecordsWithCueSheet("", 6, 1) : db.GetRecordTitles(1);
    m_rows.clear();
    m_rows.reserve(size_t(t.RowCount()));
    for (int row = 0; row < t.RowCount(); ++row) {
        t.SetRow(row);
        CMemArray r;
        r.SetCol(0, m_fn.UnescapeSql(t.FieldTextOr(1, "")));
        r.SetCol(1, t.FieldTextOr(0, ""));
        r.SetCol(2, m_fn.UnescapeSql(t.FieldTextOr(2, "")));
        m_rows.push_back(std::move(r));
    }
}

LRESULT CGetFromMusicDb::OnGetCell(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    const int row = cell->GetItem();
    if (row < 0 || row >= int(m_rows.size()))
        return 0;
    const int column = cell->GetSubItem();
    cell->text = m_rows[size_t(row)].GetCol(column == 0 || column == 1 ? column : 2);
    StripeRow(*cell);
    return 0;
}

void CGetFromMusicDb::OnColumnClick(NMHDR* hdr, LRESULT* result)
{
    SortByColumn(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
    *result = 0;
}

bool CGetFromMusicDb::CompareRows(const CMemArray& a, const CMemArray& b)
{
    // The sort column first, then the others from the left.
    int order[kCompared];
    int n = 0;
    order[n++] = s_sortColumn;
    for (int c = 0; c < kCompared; ++c)
        if (c != s_sortColumn && n < kCompared)
            order[n++] = c;
    for (int i = 0; i < n; ++i) {
        const int cmp = a.GetCol(order[i]).compare(b.GetCol(order[i]));
        if (cmp != 0)
            return s_previousAscending ? cmp > 0 : cmp < 0;
    }
    return false;
}

void CGetFromMusicDb::SortByColumn(int column)
{
    BeginWaitCursor();
    s_sortColumn = column;
    s_previousAscending = s_ascending;
    s_ascending = !s_ascending;
    std::sort(m_rows.begin(), m_rows.end(), CompareRows);
    m_list.Invalidate();
    EndWaitCursor();
}

void CGetFromMusicDb::TakeSelection()
{
    const int mark = m_list.GetSelectionMark();
    UpdateData(TRUE);
    if (mark >= 0 && mark < int(m_rows.size())) {
        m_label = store::TrimRight(m_list.GetItemText(mark, 1));
        m_title = m_list.GetItemText(mark, 0);
        m_caller = m_list.GetItemText(mark, 2);
    } else {
        m_label.clear();
        m_title.clear();
        m_caller.clear();
    }
    EndDialog(IDOK);
}

void CGetFromMusicDb::OnSelect() { TakeSelection(); }

void CGetFromMusicDb::OnDoubleClick(NMHDR*, LRESULT* result)
{
    TakeSelection();
    *result = 0;
}

BOOL CGetFromMusicDb::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}
