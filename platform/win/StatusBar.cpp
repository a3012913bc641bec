#include "platform/win/StatusBar.h"

#include "platform/win/Dc.h"
#include "platform/win/Resources.h"

#include <QFontMetrics>
#include <QWidget>

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
constexpr int kGap = 2;    // between panes
constexpr int kBorder = 2; // inside a pane, around its text
} // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    if (!parent)
        return FALSE;
    CRect rc;
    parent->GetClientRect(rc);
    if (!CreateEx(0, "StatusBar", "", (style | WS_CHILD) & ~CBRS_BOTTOM, CRect(0, 0, rc.Width(), 0), parent, id))
        return FALSE;
    MoveWindow(0, rc.Height() - GetBarHeight(), rc.Width(), GetBarHeight(), FALSE);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    const QFontMetrics fm(widget() ? widget()->font() : QFont());
    for (int i = 0; i < count; ++i) {
        Pane p;
        p.id = ids[i];
        if (p.id != ID_SEPARATOR)
            p.text = LoadResourceString(p.id);
        p.width = fm.horizontalAdvance(QString::fromStdString(p.text));
        if (i == 0)
            p.style = SBPS_NOBORDERS | SBPS_STRETCH;
        m_panes.push_back(p);
    }
    Invalidate();
    return TRUE;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    Pane& p = m_panes[size_t(index)];
    p.id = id;
    p.style = style;
    p.width = width;
    Invalidate();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    id = style = 0;
    width = 0;
    if (index < 0 || index >= GetCount())
        return;
    const Pane& p = m_panes[size_t(index)];
    id = p.id;
    style = p.style;
    width = p.width;
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text, BOOL update)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    m_panes[size_t(index)].text = text;
    if (update) {
        CRect r;
        GetItemRect(index, r);
        InvalidateRect(r);
    }
    return TRUE;
}

std::string CStatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[size_t(index)].text : std::string();
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[size_t(i)].id == id)
            return i;
    return -1;
}

int CStatusBar::GetBarHeight() const
{
    const QFontMetrics fm(widget() ? widget()->font() : QFont());
    return fm.height() + 2 * kBorder + 4;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const
{
    *rect = RECT{};
    if (index < 0 || index >= GetCount())
        return;
    CRect client;
    GetClientRect(client);
    int fixed = 0;
    for (const Pane& p : m_panes)
        if (!(p.style & SBPS_STRETCH))
            fixed += p.width + 2 * kBorder + kGap;
    int x = kGap;
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = m_panes[size_t(i)];
        int w = p.width + 2 * kBorder;
        if (p.style & SBPS_STRETCH)
            w = std::max(client.Width() - fixed - 2 * kGap, p.width);
        if (i == index) {
            *rect = RECT{x, 2, x + w, client.bottom};
            return;
        }
        x += w + kGap;
    }
}

void CStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = m_panes[size_t(i)];
        CRect r;
        GetItemRect(i, r);
        if (!(p.style & SBPS_NOBORDERS)) {
            if (p.style & SBPS_POPOUT)
                dc.Draw3dRect(r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
            else
                dc.Draw3dRect(r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        CRect text = r;
        text.DeflateRect(kBorder, 0);
        dc.DrawText(p.text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    }
}
