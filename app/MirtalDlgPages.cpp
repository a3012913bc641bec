// The tab pages of the main window and the switch of the dance level.
#include "app/MirtalDlg.h"
#include "store/FailureReport.h"

#include "app/Calls.h"
#include "app/ModelessLyrics.h"
#include "platform/win/Menu.h"

#include <algorithm>

namespace {
constexpr UINT kTabControlId = 3001;
constexpr UINT kChangeProgramFirst = 32787;
} // namespace

int CMirtalDlg::CreatePages()
{
    if (!m_tabCtrl.Create(this, WS_VISIBLE | WS_CHILD, CRect(0, 0, 0, 0), kTabControlId))
        return -1;
    if (!m_dlgMp3.Create(CDlgMp3::IDD, &m_tabCtrl))
        return -1;
    m_dlgMp3.SetDlgCtrlID(3010);
    if (!m_dlgLyrics.Create(CDlgLyrics::IDD, &m_tabCtrl))
        return -1;
    m_dlgLyrics.SetDlgCtrlID(3011);
    // Only the list pages of the level the window starts on are made now; a level
    // with more tabs makes the rest when it is chosen (RebuildTabs).
    m_pageCount = 2;
    try {
        m_musicDb.BeginBatch();
        m_pageCount = PageCountOfLevel(std::clamp(m_musicDb.GetSettingInt("general - level", 0), 1, 10));
        m_musicDb.CommitBatch();
    } catch (const std::exception& e) {
        m_fn.WriteLog(std::string("The number of list tabs could not be read: ") + e.what());
    }
    MakeListPages();

    // The tab area starts where the placeholder is, stretched to the client edges.
    if (CWnd* placeholder = GetDlgItem(1001)) {
        placeholder->ShowWindow(SW_HIDE);
        CRect r;
        placeholder->GetWindowRect(r);
        ScreenToClient(r);
        CRect client;
        GetClientRect(client);
        r.right = std::max<LONG>(r.left, client.Width() - 7);
        r.bottom = std::max<LONG>(r.top, client.Height() - 6);
        m_tabCtrl.MoveWindow(r);
    }

    if (!IsPageInTabs(0))
        m_tabs[0] = m_tabCtrl.AddTab(m_dlgMp3.m_hWnd, "1 - Music", 0);
    if (!IsPageInTabs(1))
        m_tabs[1] = m_tabCtrl.AddTab(m_dlgLyrics.m_hWnd, "2 - Lyrics", 2);
    AddListTabs();
    UpdateData(FALSE);
    return 0;
}

void CMirtalDlg::SetLevel(int level)
{
    BeginWaitCursor();
    level = std::clamp(level, 1, 10);
    g_danceLevel = level;
    StoreSetting("The dance level could not be stored.", "general - level", std::to_string(level));

    const int current = GetCurrentPage();
    RebuildTabs();
    SelectPage(current);
    CheckLevelMenu();
    SetWindowText(m_levelTitles[size_t(level - 1)]);
    LoadTabCaptions();

    try {
        m_musicDb.BeginBatch();
        g_lyricsDir = m_musicDb.GetSetting(g_levelCode + " - lyricsdir", 0);
        if (g_lyricsDir.empty())
            g_lyricsDir = m_musicDb.GetSetting("global - lyricsdir", 0);
        g_lyricsSeparatePath = m_musicDb.GetSettingBool("lyrics - separatepath", 0);
        m_musicDb.CommitBatch();
    } catch (const std::exception& e) {
        m_fn.WriteLog(std::string("The lyrics folder of the level could not be read: ") + e.what());
    }

    m_dlgMp3.LoadLevelPlaylists(level);
    for (int n = 0; n < m_pageCount - 2; ++n) {
        CDlgList& page = m_dlgList[size_t(n)];
        if (!page.m_hWnd)
            continue;
        page.MarkFontReload();
        page.LoadSettings();
    }
    if (CCalls* calls = m_calls.Get())
        calls->BuildPool();
    if (m_firstPaintDone)
        m_timer1Id = SetTimer(1, 500, nullptr);
    EndWaitCursor();
    UpdateData(FALSE);
}

int CMirtalDlg::PageCountOfLevel(int level)
{
    long long lists = m_musicDb.GetSettingInt(std::to_string(level) + " - nrtabs", 0);
    if (lists == 0)
        lists = m_musicDb.GetSettingInt("global - nrtabs", 0);
    return int(std::clamp<long long>(lists + 2, 2, kMaxPages));
}

void CMirtalDlg::MakeListPages()
{
    for (int n = 0; n < m_pageCount - 2; ++n) {
        CDlgList& page = m_dlgList[size_t(n)];
        // A page that cannot be made is left out.
        if (!page.m_hWnd && page.Create(CDlgList::IDD, &m_tabCtrl)) {
            page.SetDlgCtrlID(3012 + n);
            page.SetPageNumber(n);
        }
    }
}

int CMirtalDlg::RebuildTabs()
{
    int pages = 2;
    try {
        m_musicDb.BeginBatch();
        pages = PageCountOfLevel(g_danceLevel);
        m_musicDb.CommitBatch();
    } catch (const std::exception& e) {
        m_fn.WriteLog(std::string("The number of list tabs could not be read: ") + e.what());
    }
    if (pages == m_pageCount)
        return 0;
    for (int i = 2; i < m_pageCount; ++i) {
        if (m_tabs[size_t(i)]) {
            m_tabCtrl.DeleteTab(m_tabs[size_t(i)]);
            m_tabs[size_t(i)] = nullptr;
        }
    }
    m_pageCount = pages;
    // A new page reads its font, clock and entries with the level's other pages (SetLevel).
    MakeListPages();
    AddListTabs();
    return 0;
}

void CMirtalDlg::LoadTabCaptions()
{
    std::array<std::string, kMaxPages> captions;
    try {
        m_musicDb.BeginBatch();
        captions[0] = "  " + m_musicDb.GetSetting("music - headname", 0) + "  ";
        captions[1] = "  " + m_musicDb.GetSetting("lyrics - headname", 0) + "  ";
        for (int n = 0; n < 15; ++n) {
            const std::string global = m_musicDb.GetSetting("global - headtab" + std::to_string(n), 0);
            const std::string own = m_musicDb.GetSetting(g_levelCode + " - headtab" + std::to_string(n), 0);
            captions[size_t(2 + n)] = "  " + (own.empty() ? global : own) + "  ";
        }
        m_musicDb.CommitBatch();
    } catch (const std::exception& e) {
        m_fn.WriteLog(std::string("The tab captions could not be read: ") + e.what());
        return;
    }
    for (int i = 0; i < m_pageCount; ++i)
        if (m_tabs[size_t(i)])
            m_tabCtrl.SetTabText(m_tabs[size_t(i)], captions[size_t(i)].c_str());
    m_tabCtrl.SetBehavior(0);
    m_tabCtrl.Update(true);
}

void CMirtalDlg::CheckLevelMenu()
{
    CMenu* menu = GetMenu();
    if (menu)
        for (UINT id = kChangeProgramFirst; id < kChangeProgramFirst + 10; ++id)
            menu->CheckMenuItem(id, MF_BYCOMMAND | MF_UNCHECKED);
    const int level = g_danceLevel;
    if (level >= 1 && level <= 10) {
        if (menu)
            menu->CheckMenuItem(kChangeProgramFirst + UINT(level - 1), MF_BYCOMMAND | MF_CHECKED);
        g_levelCode = m_fn.LevelCode(level);
    }
}

void CMirtalDlg::SelectPage(int index)
{
    if (index < 0 || index >= m_pageCount)
        index = 0;
    if (m_tabs[size_t(index)]) {
        m_tabCtrl.SelectTab(m_tabs[size_t(index)]);
        m_tabCtrl.Update(true);
    }
    if (index == 0) {
        m_dlgMp3.BringWindowToTop();
        m_dlgMp3.RestoreFocus(1);
    } else if (index == 1) {
        m_dlgLyrics.BringWindowToTop();
        m_dlgLyrics.ParkFocus();
    } else if (index <= 11) {
        CDlgList& page = m_dlgList[size_t(index - 2)];
        page.BringWindowToTop();
        page.ParkFocus();
    }
    // List pages 10 to 14 only get their tab selected.
}

int CMirtalDlg::GetCurrentPage()
{
    const HTAB selected = m_tabCtrl.GetSelectedTab();
    for (int i = 0; i < m_pageCount; ++i)
        if (m_tabs[size_t(i)] && m_tabs[size_t(i)] == selected)
            return i;
    return 0;
}

bool CMirtalDlg::IsPageInTabs(int page)
{
    HWND wnd = nullptr;
    if (page == 0)
        wnd = m_dlgMp3.m_hWnd;
    else if (page == 1)
        wnd = m_dlgLyrics.m_hWnd;
    else if (page >= 2 && page - 2 < kListPageObjects)
        wnd = m_dlgList[size_t(page - 2)].m_hWnd;
    if (!wnd)
        return false;
    for (int i = 0; i < m_tabCtrl.GetCount(); ++i)
        if (m_tabCtrl.GetTabWnd(m_tabCtrl.GetTab(i)) == wnd)
            return true;
    return false;
}

void CMirtalDlg::ShowLyrics(const std::string& path, bool forced)
{
    switch (g_lyricsShowMode) {
    case 0:
        m_dlgLyrics.ShowFile(path);
        SelectPage(1);
        break;
    case 1:
        m_dlgMp3.LoadLyricsDocument(path);
        if (forced) {
            m_dlgMp3.ShowLyricsView();
            m_dlgMp3.ShowLyricsButton();
        } else {
            m_dlgMp3.ToggleLyricsView();
        }
        break;
    case 2: {
        CModelessLyrics* window = m_lyricsWindow1.Get();
        if (!window) {
            window = m_lyricsWindow1.Create(this);
            if (window) {
                window->ShowWindow(SW_SHOW);
                window->UpdateWindow();
            }
        } else if (window->IsWindowVisible() && !forced) {
            window->ShowWindow(SW_HIDE);
        } else {
            window->ShowWindow(SW_SHOW);
        }
        // The document goes in also when the window has just been hidden.
        if (window)
            window->ShowDocument(path);
        m_lyricsWindowKeys = 1;
        break;
    }
    default: break;
    }
    UpdateData(FALSE);
}

void CMirtalDlg::AddListTabs()
{
    for (int n = 0; n < m_pageCount - 2; ++n)
        if (m_dlgList[size_t(n)].m_hWnd && !IsPageInTabs(2 + n))
            m_tabs[size_t(2 + n)] = m_tabCtrl.AddTab(m_dlgList[size_t(n)].m_hWnd, "3 - List", 3);
    m_tabCtrl.EnableDragging(true);
    m_tabCtrl.SetNotifyManager(this);
    m_tabCtrl.InstallStyle(&m_tabCtrl.styleVS2008_client_silver);
    m_tabCtrl.SetBehavior(0);
    m_tabCtrl.Update(true);
}

bool CMirtalDlg::StoreSetting(const std::string& doing, const std::string& name, const std::string& value)
{
    try {
        m_musicDb.SetSetting(name, value, 1);
        return true;
    } catch (const std::exception& e) {
        failure::Report(failure::Describe(doing, e, m_musicDb.FileName()));
        return false;
    }
}
