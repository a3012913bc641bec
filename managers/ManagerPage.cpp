#include "managers/ManagerPage.h"
#include "controls/RowColours.h"

#include "controls/FocusSink.h"
#include "platform/win/Dc.h"
#include "platform/win/HeaderCtrl.h"
#include "platform/win/Input.h"
#include "store/AppGlobals.h"
#include "store/FailureReport.h"
#include "store/SendCommand.h"

namespace managers {

void StyleList(CListCtrl& list)
{
    if (g_gridLines)
        list.SetExtendedStyle(LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void CreateTips(CPPToolTip& tips, CWnd* owner)
{
    tips.Create(owner, TRUE);
    tips.SetShadow(10, 10, 50, TRUE, 7, 7);
}

void ScrollList(CListCtrl& list, bool up) { list.Scroll(CSize(0, up ? -30 : 30)); }

int ListFontHeight(int size, int dpi)
{
    const int height = -MulDiv(size, dpi, 72);
    return height < 1 ? 12 : height;
}

void CreateListFont(CFont& font, CMusicDb& db, int own, int dpi)
{
    std::string size = db.GetSetting("music - toolslistfontsize", own);
    const int italic = db.GetSettingInt("music - toolslistfontitalic", own);
    const int weight = db.GetSettingInt("music - toolslistfontbold", own);
    std::string face = db.GetSetting("music - toolslistfontname", own);
    if (size.empty())
        size = "-11";
    if (face.empty())
        face = "MS Sans Serif";
    font.DeleteObject();
    font.CreateFont(ListFontHeight(MyFunctions().StringToInt(size), dpi), 0, 0, 0, weight, BYTE(italic), 0, 0,
                    g_japanese ? 128 : 1, 0, 0, 0, 0x20, face.c_str());
}

std::vector<int> SelectedRows(const CListCtrl& list, int count)
{
    std::vector<int> rows;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos) {
        const int i = list.GetNextSelectedItem(pos);
        if (i >= 0 && i < count)
            rows.push_back(i);
    }
    return rows;
}

int SelectionMark(const CListCtrl& list, int count)
{
    const int mark = list.GetSelectionMark();
    return mark >= 0 && mark < count ? mark : -1;
}

void SelectAll(CListCtrl& list) { list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }

void KeyOrder::Reset(int entries, int keyCount)
{
    order.resize(std::max(0, entries));
    std::iota(order.begin(), order.end(), 0);
    keys = keyCount;
    descending = 0;
}

void KeyOrder::Promote(int column, bool toggle)
{
    const auto it = std::find(order.begin(), order.end(), column);
    if (it == order.end())
        return;
    if (toggle)
        descending = it == order.begin() ? !descending : 0;
    std::rotate(order.begin(), it, it + 1);
}

std::vector<int> KeyOrder::Keys() const
{
    return std::vector<int>(order.begin(), order.begin() + std::min<size_t>(order.size(), size_t(std::max(0, keys))));
}

std::vector<int> ClickedFirstKeys(int column)
{
    std::vector<int> keys{column};
    for (int i = 0; i < 6; ++i)
        if (i != column)
            keys.push_back(i);
    return keys;
}

} // namespace managers

BEGIN_MESSAGE_MAP(CManagerPage, CDialogEx)
    ON_WM_CLOSE()
    ON_WM_HELPINFO()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(UWM_QUICKLIST_GETITEM, OnGetCell)
END_MESSAGE_MAP()

CManagerPage::CManagerPage(UINT templateId, UINT closeCode, CWnd* parent)
    : CDialogEx(templateId, parent), m_closeCode(closeCode)
{
}

void CManagerPage::AddList(CQuickList& list) { m_lists.push_back(&list); }

void CManagerPage::ApplyListFont(int own)
{
    CClientDC dc(this);
    managers::CreateListFont(m_listFont, m_db, own, dc.GetDeviceCaps(LOGPIXELSY));
    for (CQuickList* list : m_lists)
        list->SetFont(&m_listFont, TRUE);
}

void CManagerPage::StartFocusTimer(UINT ms) { m_focusTimer = SetTimer(kFocusTimer, ms); }

void CManagerPage::ParkFocus() { ParkFocusOnSink(*this); }

void CManagerPage::ReportFailure(const std::string& doing, const std::exception& error)
{
    m_db.AbortBatch();
    const auto* db = dynamic_cast<const CppSQLite3Exception*>(&error);
    failure::Report(failure::Describe(doing, error, db ? db->FileName() : std::string()));
    AfterFailure();
    for (CQuickList* list : m_lists)
        list->Invalidate();
}

void CManagerPage::OnCancel() { OnClose(); }

void CManagerPage::OnClose()
{
    // The report normally destroys this window; the object itself is freed
    // only after this handler has returned, so nothing here may touch the
    // window once it is gone.
    if (m_closing)
        return;
    m_closing = true;
    BeforeClose();
    const HWND self = m_hWnd;
    SendCommand(m_closeCode);
    if (!::IsWindow(self))
        return;
    // No main window took the report: the page just hides.
    m_closing = false;
    ShowWindow(SW_HIDE);
}

BOOL CManagerPage::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

void CManagerPage::OnLButtonDown(UINT flags, CPoint point)
{
    ParkFocus();
    CDialogEx::OnLButtonDown(flags, point);
}

void CManagerPage::OnTimer(UINT_PTR id)
{
    if (id == kFocusTimer) {
        KillTimer(kFocusTimer);
        m_focusTimer = 0;
        ParkFocus();
        return;
    }
    PageTimer(id);
    CDialogEx::OnTimer(id);
}

void CManagerPage::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    LayoutControls(client.Width(), client.Height());
}

void CManagerPage::LayoutControls(int, int) { UpdateData(FALSE); }

CListCtrl* CManagerPage::ScrollTarget(CPoint) { return m_lists.empty() ? nullptr : m_lists.front(); }

BOOL CManagerPage::OnMouseWheel(UINT, short delta, CPoint point)
{
    if (CListCtrl* list = ScrollTarget(point))
        managers::ScrollList(*list, delta > 0);
    return TRUE;
}

BOOL CManagerPage::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tips.m_hWnd)
        m_tips.RelayEvent(msg);
    if (msg->message == WM_KEYDOWN) {
        if (PageKey(msg))
            return TRUE;
        const WPARAM key = msg->wParam;
        const bool up = key == VK_PRIOR || key == VK_UP;
        const bool down = key == VK_NEXT || key == VK_DOWN;
        if (up || down) {
            CPoint at;
            ::GetCursorPos(&at);
            if (CListCtrl* list = ScrollTarget(at))
                managers::ScrollList(*list, up);
            if (PassesScrollKeys())
                return FALSE;
        }
    }
    return CDialogEx::PreTranslateMessage(msg);
}

LRESULT CManagerPage::OnGetCell(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<ListCellData*>(lParam);
    if (!cell)
        return 0;
    StripeRow(*cell, g_colorAllRows != 0);
    SupplyCell(reinterpret_cast<HWND>(wParam), *cell);
    return 0;
}

BOOL CManagerPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && hdr->code == HDN_ITEMCLICK) {
        CListCtrl* clicked = nullptr;
        for (CQuickList* list : m_lists) {
            const CHeaderCtrl* header = list->GetHeaderCtrl();
            if (list->m_hWnd == hdr->hwndFrom || (header && header->m_hWnd == hdr->hwndFrom))
                clicked = list;
        }
        HeaderClicked(clicked, reinterpret_cast<const NMHEADER*>(hdr)->iItem);
        if (result)
            *result = 0;
        return TRUE;
    }
    return CDialogEx::OnNotify(wParam, lParam, result);
}
