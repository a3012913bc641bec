#include "platform/win/PlainTabCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QTabBar>

struct CPlainTabCtrl::Item {
    HWND wnd = nullptr;
    std::string text;
    int image = -1;
};

BEGIN_MESSAGE_MAP(CPlainTabCtrl, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPlainTabCtrl::CPlainTabCtrl() = default;
CPlainTabCtrl::~CPlainTabCtrl() = default;

QWidget* CPlainTabCtrl::CreateWidget(QWidget* parent, DWORD)
{
    auto* w = new win::detail::Widget<QWidget>(parent);
    m_bar = new QTabBar(w);
    m_bar->setExpanding(false);
    m_bar->setDrawBase(true);
    m_bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(m_bar, &QTabBar::currentChanged, [this](int index) {
        if (m_syncing || index < 0 || size_t(index) >= m_tabs.size())
            return;
        win::detail::Guarded(m_hWnd, 0, [this, index] {
            SelectTab(m_tabs[size_t(index)].get());
            Update(true);
        });
    });
    QObject::connect(m_bar, &QTabBar::tabMoved, [this](int from, int to) {
        if (m_syncing || from < 0 || to < 0 || size_t(from) >= m_tabs.size() || size_t(to) >= m_tabs.size())
            return;
        auto moved = std::move(m_tabs[size_t(from)]);
        m_tabs.erase(m_tabs.begin() + from);
        m_tabs.insert(m_tabs.begin() + to, std::move(moved));
    });
    return w;
}

bool CPlainTabCtrl::Create(CWnd* parent, DWORD style, const RECT& rect, UINT id)
{
    return CWnd::Create("TabCtrl", "", style | WS_CHILD | WS_CLIPCHILDREN, rect, parent, id) != FALSE;
}

CPlainTabCtrl::HTAB CPlainTabCtrl::AddTab(HWND wnd, const char* text, int image)
{
    auto item = std::make_unique<Item>();
    item->wnd = wnd;
    item->text = text ? text : "";
    item->image = image;
    HTAB tab = item.get();
    m_tabs.push_back(std::move(item));
    if (m_selected) {
        if (CWnd* w = CWnd::FromHandle(wnd))
            w->ShowWindow(SW_HIDE);
    } else {
        m_selected = tab; // placed and shown by the next layout
    }
    syncBar();
    return tab;
}

void CPlainTabCtrl::DeleteTab(HTAB tab)
{
    const int index = GetTabIndex(tab);
    if (index < 0)
        return;
    if (tab == m_selected) {
        if (size_t(index) + 1 < m_tabs.size())
            m_selected = m_tabs[size_t(index) + 1].get();
        else if (index > 0)
            m_selected = m_tabs[size_t(index) - 1].get();
        else
            m_selected = nullptr;
    }
    if (CWnd* w = CWnd::FromHandle(tab->wnd); w && w->GetParent() == this)
        w->ShowWindow(SW_HIDE);
    m_tabs.erase(m_tabs.begin() + index);
    syncBar();
}

void CPlainTabCtrl::SetTabText(HTAB tab, const char* text)
{
    if (GetTabIndex(tab) < 0)
        return;
    tab->text = text ? text : "";
    syncBar();
}

std::string CPlainTabCtrl::GetTabText(HTAB tab) const { return GetTabIndex(tab) >= 0 ? tab->text : std::string(); }

void CPlainTabCtrl::SelectTab(HTAB tab)
{
    if (GetTabIndex(tab) < 0 || tab == m_selected)
        return;
    const CRect area = GetWindowsArea();
    if (CWnd* w = CWnd::FromHandle(tab->wnd)) {
        CRect r;
        w->GetWindowRect(r);
        ScreenToClient(r);
        if (!(r == area))
            w->MoveWindow(area, FALSE);
        w->ShowWindow(SW_SHOWNA);
    }
    if (m_selected)
        if (CWnd* old = CWnd::FromHandle(m_selected->wnd))
            old->ShowWindow(SW_HIDE);
    m_selected = tab;
    syncBar();
}

int CPlainTabCtrl::GetTabIndex(HTAB tab) const
{
    for (size_t i = 0; i < m_tabs.size(); ++i)
        if (m_tabs[i].get() == tab)
            return int(i);
    return -1;
}

CPlainTabCtrl::HTAB CPlainTabCtrl::GetTab(int index) const
{
    return index >= 0 && size_t(index) < m_tabs.size() ? m_tabs[size_t(index)].get() : nullptr;
}

HWND CPlainTabCtrl::GetTabWnd(HTAB tab) const { return GetTabIndex(tab) >= 0 ? tab->wnd : nullptr; }

void CPlainTabCtrl::EnableDragging(bool enable)
{
    if (m_bar)
        m_bar->setMovable(enable);
}

void CPlainTabCtrl::SetBehavior(int behavior)
{
    if (m_bar) {
        m_bar->setUsesScrollButtons(behavior == 1);
        m_bar->setElideMode(behavior == 1 ? Qt::ElideNone : Qt::ElideRight);
    }
}

CRect CPlainTabCtrl::GetWindowsArea() const
{
    CRect client;
    GetClientRect(client);
    const int barHeight = m_bar ? m_bar->sizeHint().height() : 0;
    client.top = std::min<LONG>(client.bottom, barHeight);
    return client;
}

void CPlainTabCtrl::Update(bool redraw)
{
    if (!widget())
        return;
    CRect client;
    GetClientRect(client);
    if (m_bar)
        m_bar->setGeometry(0, 0, client.Width(), m_bar->sizeHint().height());
    if (m_selected && GetTabIndex(m_selected) < 0)
        m_selected = nullptr;
    if (!m_selected && !m_tabs.empty())
        m_selected = m_tabs.front().get();
    if (m_selected) {
        if (CWnd* w = CWnd::FromHandle(m_selected->wnd)) {
            w->MoveWindow(GetWindowsArea(), redraw);
            if (!w->IsWindowVisible())
                w->ShowWindow(SW_SHOWNA);
        }
    }
    syncBar();
    if (redraw)
        Invalidate(FALSE);
}

void CPlainTabCtrl::OnSize(UINT, int, int) { Update(true); }

void CPlainTabCtrl::syncBar()
{
    if (!m_bar)
        return;
    m_syncing = true;
    while (m_bar->count() > int(m_tabs.size()))
        m_bar->removeTab(m_bar->count() - 1);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        const QString text = QString::fromStdString(m_tabs[i]->text);
        if (int(i) >= m_bar->count())
            m_bar->addTab(text);
        else if (m_bar->tabText(int(i)) != text)
            m_bar->setTabText(int(i), text);
    }
    const int sel = GetTabIndex(m_selected);
    if (sel >= 0 && m_bar->currentIndex() != sel)
        m_bar->setCurrentIndex(sel);
    m_syncing = false;
}
