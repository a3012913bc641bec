// The music page's lyrics: the browser view that can take the place of the
// song lists, the lookup that finds the lyrics of every opened song (marriage,
// record catalogue, lyrics folders), scrolling, the show-mode cycle and the
// page's own Find Lyrics window.
#include "player/DlgMp3.h"

#include "platform/win/Input.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "texts/HtmlEditCtrl2.h"
#include "texts/MarryDlg.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

bool IsNavigated(const std::string& ext)
{
    return ext == "HTM" || ext == "HTML" || ext == "PDF" || ext == "MHT" || ext == "TXT";
}

} // namespace

// ---- the view ---------------------------------------------------------------------------------

void CDlgMp3::RecreateLyricsView()
{
    if (m_lyricsView && m_lyricsView->m_hWnd)
        m_lyricsView->DestroyWindow();
    m_lyricsView.reset();
    auto view = std::make_shared<CHtmlEditCtrl2>();
    if (!view->Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 0, 0), this, 0)) {
        ::MessageBox(m_hWnd, "Create Browser failed", "Mirtal", MB_ICONSTOP);
        return;
    }
    m_lyricsView = std::move(view);
    m_lyricsView->Navigate(g_baseFolder + "/temp.htm");
}

void CDlgMp3::LoadLyricsDocument(const std::string& path)
{
    if (!path.empty()) {
        m_lyricsDocPath = path;
        // A PDF viewer never stays inside the view: the next document gets a fresh one.
        // The browser engine is costly, so the view is first made for the first document.
        if (m_pdfShown || !m_lyricsView)
            RecreateLyricsView();
        m_pdfShown = 0;
        if (CUtilityDb::IsDbReference(path)) {
            if (m_lyricsView)
                m_lyricsView->SetDocumentHtml(CUtilityDb().RenderCueSheetStyled(path.substr(4)));
        } else {
            const std::string ext = m_fn.GetExtension(path);
            if (!IsNavigated(ext)) {
                m_fn.OpenDocument(path);
            } else if (m_lyricsView) {
                m_lyricsView->Navigate(path);
                m_pdfShown = ext == "PDF";
            }
        }
    }
    ApplyLayout();
}

void CDlgMp3::ReloadLyricsDocument()
{
    if (m_lyricsViewShown)
        LoadLyricsDocument(m_lyricsDocPath);
}

void CDlgMp3::ShowLyricsButton()
{
    if (CButtonST* b = Button(1243); b && b->m_hWnd)
        b->ShowWindow(SW_SHOW);
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::ReleaseLyricsWindows()
{
    CloseFindLyricsWindow();
    if (m_lyricsView && m_lyricsView->m_hWnd)
        m_lyricsView->DestroyWindow();
    m_lyricsView.reset();
}

// ---- the lookup -------------------------------------------------------------------------------

std::string CDlgMp3::LyricsSearchName(const std::string& musicPath, int, int format, int part) const
{
    const std::string name = m_fn.FileTitleFromPath(musicPath);
    const size_t p = name.find(" - ");
    if (p == std::string::npos || format == 2)
        return name;
    const std::string before = name.substr(0, p), after = name.substr(p + 3);
    if (format == 0)
        return part == 0 ? before : after;
    return part == 1 ? before : after;
}

void CDlgMp3::ScanLyricsFolder(const std::string& searchName, const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec || folder.empty())
        return;
    const std::string wanted = Upper(searchName);
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (it->is_directory(ec))
            continue;
        const std::string path = it->path().string();
        if (m_fn.IsAudioFile(path))
            continue;
        if (Upper(it->path().filename().string()).find(wanted) == std::string::npos)
            continue;
        if (m_candidateCount < kLyricsCandidateCount)
            g_lyricsCandidates[size_t(m_candidateCount++)] = path;
    }
}

std::string CDlgMp3::FindLyricsForSong(const std::string& musicPath, int list, bool takeFirst)
{
    // A song of no list is never searched; the queue always is.
    if (list < 1 || list > 4 || (list <= 3 && !IsLyricsSearchOn(list)))
        return {};
    m_candidateCount = 0;
    g_lyricsCandidates.fill("");

    const bool queue = list == 4;
    const int format = queue ? 0 : m_set.namingMode[list - 1];
    const int part = queue ? 0 : m_set.lyricsSearchFor[list - 1];
    const std::string listFolder = queue ? g_lyricsPathGlobal : m_set.lyricsPath[list - 1];
    const std::string name = LyricsSearchName(musicPath, list, format, part);
    const bool levelFolder = !g_lyricsDir.empty() && g_lyricsSeparatePath;

    const std::string married = m_db.GetMarriage(musicPath);
    if (married.size() >= 4)
        return married;

    auto folders = [&] {
        if (levelFolder)
            ScanLyricsFolder(name, g_lyricsDir);
        if (m_candidateCount == 0)
            ScanLyricsFolder(name, listFolder);
    };
    auto database = [&] {
        CppSQLite3Table rows = CUtilityDb().FindRecordsWithCueSheet(name, 5, 1);
        const int n = rows.RowCount();
        for (int i = 0; i < n && i < kLyricsCandidateCount; ++i) {
            rows.SetRow(i);
            g_lyricsCandidates[size_t(i)] = "[db]" + m_fn.UnescapeSql(rows.FieldTextOr(4, ""));
        }
        if (n > 0)
            m_candidateCount = n;
        return n;
    };
    switch (m_set.lyricsSearchOrder) {
    case 0:
        if (database() == 0)
            folders();
        break;
    case 1:
        folders();
        if (m_candidateCount == 0)
            database();
        break;
    case 2: database(); break;
    case 3: folders(); break;
    default: break;
    }

    if (m_candidateCount == 1 || takeFirst || m_set.lyricsFirstIfAny) {
        const std::string first = g_lyricsCandidates[0];
        return CUtilityDb::IsDbReference(first) ? m_fn.LabelPart(first) : first;
    }
    // A song the jukebox or an autostart plays next must not wait for an answer:
    // the candidates stay for the Find Lyrics window.
    if (m_unattendedOpen > 0)
        return {};
    CMarryDlg chooser(g_lyricsCandidates, musicPath, this);
    return chooser.DoModal() == IDOK ? chooser.GetChosenLyricsPath() : std::string();
}

// ---- switches and scrolling -------------------------------------------------------------------

void CDlgMp3::ScrollLyricsOrList(int htmlAmount, int textAmount)
{
    if (m_lyricsViewShown) {
        if (m_lyricsView && !m_pdfShown)
            m_lyricsView->ScrollDocumentBy(0, htmlAmount);
        return;
    }
    const int step = textAmount > 0 ? 30 : -30;
    POINT cursor{};
    if (!::GetCursorPos(&cursor) || !m_hWnd)
        return;
    const CWnd* focus = CWnd::GetFocus();
    for (const CQuickList& l : m_list)
        if (focus && l.m_hWnd && focus->m_hWnd == l.m_hWnd)
            return;
    CRect page;
    GetWindowRect(&page);
    const int shown = std::clamp(m_set.listCount, 1, 3);
    const int x = int(cursor.x) - page.left;
    const int part = page.Width() > 0 ? std::clamp(x * shown / page.Width(), 0, shown - 1) : 0;
    if (m_list[part].m_hWnd)
        m_list[part].Scroll(CSize(0, step));
}

void CDlgMp3::OnLyricsOnPlayToggle()
{
    m_lyricsOnPlayCheck = !m_lyricsOnPlayCheck;
    m_set.lyricsOnPlay = m_lyricsOnPlayCheck;
    m_db.SetSetting("music - lyricsonplay", m_lyricsOnPlayCheck ? "true" : "false", 1);
    RestoreFocus(1);
}

void CDlgMp3::SetLyricsSearchButton(int list, int on)
{
    if (CButtonST* b = Button(1114 + list); b && b->m_hWnd) {
        b->SetIcon(on ? 324 : 335);
        b->OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        b->SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        b->DrawTransparent();
    }
}

void CDlgMp3::ToggleLyricsSearch(int list)
{
    int& on = m_set.searchLyrics[list - 1];
    on = !on;
    SetLyricsSearchButton(list, on);
    m_db.SetSetting("music - searchlyricslist" + std::to_string(list), on ? "true" : "false", 1);
    RestoreFocus(1);
}

void CDlgMp3::OnLyricsSearchList1() { ToggleLyricsSearch(1); }
void CDlgMp3::OnLyricsSearchList2() { ToggleLyricsSearch(2); }
void CDlgMp3::OnLyricsSearchList3() { ToggleLyricsSearch(3); }

void CDlgMp3::CycleLyricsShowMode()
{
    g_lyricsShowMode = g_lyricsShowMode >= 0 && g_lyricsShowMode < 2 ? g_lyricsShowMode + 1 : 0;
    m_db.SetSetting("lyrics - show", std::to_string(g_lyricsShowMode), 1);
}

// ---- the page's Find Lyrics window ------------------------------------------------------------

void CDlgMp3::ShowFindLyricsWindow()
{
    m_candidateCount = 0;
    if (!m_findLyrics) {
        auto window = std::make_shared<CMarryDlg>(this);
        if (!window->Create(CMarryDlg::IDD, this))
            return;
        m_findLyrics = std::move(window);
        m_findLyrics->Setup(g_lyricsCandidates, g_currentSongPath);
        m_findLyrics->SetOpenedFromLyricsPage(0);
        m_findLyrics->ShowWindow(SW_SHOW);
        m_findLyrics->RedrawWindow();
    } else {
        m_findLyrics->Setup(g_lyricsCandidates, g_currentSongPath);
        m_findLyrics->ShowWindow(SW_SHOW);
    }
}

void CDlgMp3::CloseFindLyricsWindow()
{
    if (m_findLyrics && m_findLyrics->m_hWnd)
        m_findLyrics->DestroyWindow();
    m_findLyrics.reset();
}

void CDlgMp3::TakeFoundLyrics()
{
    if (!m_findLyrics)
        return;
    g_lyricsPath = m_findLyrics->GetChosenLyricsPath();
    if (!g_lyricsPath.empty())
        if (CButtonST* b = Button(1243); b && b->m_hWnd)
            b->ShowWindow(SW_SHOW);
}
