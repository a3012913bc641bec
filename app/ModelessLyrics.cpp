#include "app/ModelessLyrics.h"

#include "controls/ToolWindowInfos.h"

#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "store/DataFile.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "store/TextReplace.h"
#include "store/UtilityDb.h"
#include "texts/GetFromMusicDb.h"
#include "texts/HtmlEditCtrl2.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kTextView = 1262;
constexpr UINT ID_LYRICS_OPEN_FILE = 32830;
constexpr UINT ID_LYRICS_OPEN_DATABASE = 32857;
constexpr UINT ID_LYRICS_PRINT = 32839;
constexpr UINT ID_LYRICS_EXIT = 32812;
constexpr UINT ID_LYRICS_EDIT_CUESHEET = 32945;

constexpr const ToolWindowInfo& kWindow1 = toolwindows::kLyricsWindow1;
constexpr const ToolWindowInfo& kWindow2 = toolwindows::kLyricsWindow2;

struct TextSource {
    const std::string* text;
    size_t pos = 0;
};

DWORD readText(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    auto* source = reinterpret_cast<TextSource*>(cookie);
    const size_t n = std::min(size_t(count), source->text->size() - source->pos);
    std::memcpy(buffer, source->text->data() + source->pos, n);
    source->pos += n;
    *done = LONG(n);
    return 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CModelessLyrics, CToolDialog)
    ON_WM_WINDOWPOSCHANGED()
    ON_COMMAND(ID_LYRICS_OPEN_FILE, OnOpenFromFile)
    ON_COMMAND(ID_LYRICS_OPEN_DATABASE, OnOpenFromDatabase)
    ON_COMMAND(ID_LYRICS_PRINT, OnPrint)
    ON_COMMAND(ID_LYRICS_EXIT, OnExit)
    ON_COMMAND(ID_LYRICS_EDIT_CUESHEET, OnEditCuesheet)
END_MESSAGE_MAP()

CModelessLyrics::CModelessLyrics(CWnd* parent, int slot)
    : CToolDialog(IDD, slot == 2 ? kWindow2 : kWindow1, parent), m_slot(slot == 2 ? 2 : 1)
{
}

CModelessLyrics::~CModelessLyrics() = default;

void CModelessLyrics::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, kTextView, m_textView);
}

BOOL CModelessLyrics::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    m_pdf = false;
    m_path.clear();
    MakePlaceUsable();
    // Each slot opens at its own place, so opening never moves the other window's.
    SetWindowNumber(m_slot == 2 ? 1 : 0);

    CMusicDb db;
    db.BeginBatch();
    const std::string face = db.GetSetting("editdlg - fontname", 0);
    const int size = db.GetSettingInt("editdlg - fontsize", 0);
    const int weight = db.GetSettingInt("editdlg - fontbold", 0);
    const int italic = db.GetSettingInt("editdlg - fontitalic", 0);
    db.CommitBatch();
    SetTextFont(size, weight, italic, face, 1);
    UpdateData(FALSE);
    return TRUE;
}

// ---- views ------------------------------------------------------------------------------------

CHtmlEditCtrl2* CModelessLyrics::Browser()
{
    if (m_browser || m_browserFailed)
        return m_browser.get();
    m_browser = std::make_unique<CHtmlEditCtrl2>();
    if (!m_browser->Create(WS_CHILD | (m_browserShown ? WS_VISIBLE : 0), CRect(0, 0, 0, 0), this, 0)) {
        m_browser.reset();
        // Said once: the window goes on with its text view only.
        m_browserFailed = true;
        ::MessageBox(m_hWnd, "Create Browser failed", "Mirtal", MB_ICONSTOP);
        return nullptr;
    }
    m_browser->Navigate(m_fn.AddBackslash(g_baseFolder) + "temp.htm");
    LayoutViews();
    return m_browser.get();
}

void CModelessLyrics::DropBrowser()
{
    if (m_browser && m_browser->m_hWnd)
        m_browser->DestroyWindow();
    m_browser.reset();
}

void CModelessLyrics::ShowBrowser(bool on)
{
    m_browserShown = on;
    if (m_browser)
        m_browser->SetVisible(on);
    if (m_textView.m_hWnd)
        m_textView.ShowWindow(on ? SW_HIDE : SW_SHOW);
}

void CModelessLyrics::LayoutViews()
{
    CRect client;
    GetClientRect(client);
    if (m_browser && m_browser->m_hWnd)
        m_browser->MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
    if (m_textView.m_hWnd)
        m_textView.MoveWindow(0, 0, client.Width(), client.Height(), TRUE);
}

void CModelessLyrics::ShowText(const std::string& text)
{
    TextSource source{&text};
    EDITSTREAM es;
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    es.pfnCallback = readText;
    m_textView.StreamIn(SF_RTF, es);
}

void CModelessLyrics::SetTextFont(int size, int weight, int italic, const std::string& face, int apply)
{
    // A positive size is points, given as a character height; a negative one is the font
    // dialog's height, which the editor turns into a cell height the same way.
    int height = -MulDiv(size, win::CurrentDisplay().dpiY, 72);
    if (height == 0)
        height = 12;
    m_font.DeleteObject();
    m_font.CreateFont(height, 0, 0, 0, weight, BYTE(italic != 0), 0, 0, 0, 0, 0, 0, 32,
                      (face.empty() ? std::string("MS Sans Serif") : face).c_str());
    m_font.GetLogFont(&m_fontDescription);
    if (apply == 1 && m_textView.m_hWnd)
        m_textView.SetFont(&m_font);
}

// ---- documents ----------------------------------------------------------------------------------

std::string CModelessLyrics::Title(const std::string& text, const char* queuePrefix) const
{
    return m_windowNumber != 0 ? queuePrefix + text : text;
}

void CModelessLyrics::ShowFileText(const std::string& path)
{
    CDataFile file;
    if (!file.Open(path, CDataFile::modeRead)) {
        ShowText("Open " + path + " failed!");
        return;
    }
    std::string text;
    std::string line;
    while (file.ReadLine(line)) {
        line.erase(line.find_last_not_of(" \t\r\n") + 1);
        text += line + "\n";
    }
    file.Close();
    ShowText(text);
    SetWindowText(Title(path, "Queue: "));
}

void CModelessLyrics::ShowDocument(const std::string& path)
{
    if (!path.empty()) {
        m_path = path;
        if (m_pdf) {
            // A PDF view is not made into an HTML view again: the next browser is a new one.
            DropBrowser();
            m_pdf = false;
        }
        m_fn.EnterDataFolder();
        if (CChoreoRef::IsReference(path)) {
            const CChoreoRef ref(path);
            SetWindowText("Database Choreography: " + m_fn.UnescapeSql(ref.GetName()));
            const std::string value = CChoreoDb().GetEntryValue(path, 1);
            CHtmlEditCtrl2* browser = value.compare(0, 6, "[html]") == 0 ? Browser() : nullptr;
            if (browser) {
                // The editor keeps HTML choreographies as "[html]" and the page.
                ShowBrowser(true);
                browser->SetDocumentHtml(value.substr(6));
            } else {
                ShowBrowser(false);
                ShowText(store::ReplaceAll(value, "<br>", "\n"));
            }
        } else if (CUtilityDb::IsDbReference(path)) {
            const std::string label = path.substr(4);
            ShowBrowser(true);
            if (CHtmlEditCtrl2* browser = Browser())
                browser->SetDocumentHtml(CUtilityDb().RenderCueSheetStyled(label));
            SetWindowText(Title("Database Lyrics: " + label, "Queue "));
        } else {
            const std::string ext = m_fn.GetExtension(path);
            if (ext == "HTM" || ext == "HTML" || ext == "PDF" || ext == "MHT") {
                ShowBrowser(true);
                if (CHtmlEditCtrl2* browser = Browser())
                    browser->Navigate(path);
                SetWindowText(Title(path, "Queue: "));
                m_pdf = ext == "PDF";
            } else if (ext == "RTF" || ext == "TXT") {
                ShowBrowser(false);
                ShowFileText(path);
            } else {
                m_fn.OpenDocument(path);
                EndLikeOk();
            }
        }
    }
    LayoutViews();
    UpdateData(FALSE);
    Invalidate();
}

void CModelessLyrics::Reload() { ShowDocument(m_path); }

void CModelessLyrics::ScrollBy(int pixels)
{
    if (!m_pdf && m_browserShown && m_browser)
        m_browser->ScrollDocumentBy(0, pixels);
}

// ---- place ------------------------------------------------------------------------------------

void CModelessLyrics::SetWindowNumber(int n)
{
    m_windowNumber = n == 0 ? 0 : 1;
    if (m_windowNumber == 0)
        SetWindowPos(&wndTop, g_lyricsWindowX, g_lyricsWindowY, g_lyricsWindowWidth, g_lyricsWindowHeight,
                     SWP_SHOWWINDOW);
    else
        SetWindowPos(&wndTop, g_lyricsWindow2X, g_lyricsWindow2Y, g_lyricsWindow2Width, g_lyricsWindow2Height,
                     SWP_SHOWWINDOW);
}

void CModelessLyrics::RestorePlacement()
{
    SetWindowPos(&wndTop, g_lyricsWindowX, g_lyricsWindowY, g_lyricsWindowWidth, g_lyricsWindowHeight,
                 SWP_SHOWWINDOW);
    UpdateData(FALSE);
}

void CModelessLyrics::OnWindowPosChanged(WINDOWPOS* pos)
{
    // The place goes into the slot's globals while the window is shown.
    CToolDialog::OnWindowPosChanged(pos);
    LayoutViews();
}

void CModelessLyrics::EndLikeOk() { EndDialog(IDOK); }

// ---- menu ------------------------------------------------------------------------------------

void CModelessLyrics::OnOpenFromFile()
{
    CFileDialog dialog(TRUE, ".html", m_path.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "All Files (*.*)|*.*|HTML files (*.html, *.htm)|*.html;*.htm||", this);
    if (dialog.DoModal() == IDOK)
        ShowDocument(dialog.GetPathName());
    UpdateData(FALSE);
}

void CModelessLyrics::OnOpenFromDatabase()
{
    CGetFromMusicDb picker(1);
    // Select with no row marked gives an empty label: nothing to show.
    if (picker.DoModal() == IDOK && !picker.GetLabel().empty())
        ShowDocument("[db]" + picker.GetLabel());
    UpdateData(FALSE);
}

void CModelessLyrics::OnPrint()
{
    if (m_path.empty())
        return;
    const INT_PTR result = ShellExecute(m_hWnd, "print", m_path, "", "", SW_SHOWNORMAL);
    if (result <= 32)
        AfxMessageBox("Unable to print " + m_path, MB_ICONEXCLAMATION);
}

void CModelessLyrics::OnExit() { EndLikeOk(); }

void CModelessLyrics::OnEditCuesheet()
{
    g_htmlPath = m_path;
    SendCommand(CMD_EDIT_HTML);
}
