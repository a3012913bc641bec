#include "texts/DlgLyrics.h"

#include "texts/HtmlEditCtrl2.h"
#include "texts/MarryDlg.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "platform/win/WholeFile.h"

#include <cctype>
#include <fstream>

namespace {

constexpr int kEnterButton = 1096;
constexpr int kFindButton = 1261;
constexpr int kEditButton = 1269;
constexpr int kSaveButton = 1200;
constexpr UINT_PTR kFocusTimer = 1;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

bool isOneOf(const std::string& ext, std::initializer_list<const char*> kinds)
{
    for (const char* kind : kinds)
        if (ext == kind)
            return true;
    return false;
}

// A web address rather than a file: the browser fetches it, there is no file to copy.
bool isWebAddress(const std::string& path)
{
    std::string head = path.substr(0, 4);
    for (char& c : head)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return path.find("://") != std::string::npos || head == "www.";
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgLyrics, CDialogEx)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DROPFILES()
    ON_WM_HELPINFO()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_BN_CLICKED(kEnterButton, ParkFocus)
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnFocusSinkChange)
    ON_BN_CLICKED(kFindButton, OnFindLyrics)
    ON_BN_CLICKED(kEditButton, OnEditDocument)
    ON_BN_CLICKED(kSaveButton, OnSaveAsHtml)
END_MESSAGE_MAP()

CDlgLyrics::CDlgLyrics(CWnd* parent) : CDialogEx(IDD, parent) {}

CDlgLyrics::~CDlgLyrics() = default;

void CDlgLyrics::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOCUS_SINK, m_sink);
    DDX_Control(dx, kFindButton, m_findButton);
    DDX_Control(dx, kEditButton, m_editButton);
    DDX_Control(dx, kSaveButton, m_saveButton);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sinkText);
}

BOOL CDlgLyrics::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_tooltip.Create(this, TRUE);
    m_tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);
    m_tooltip.AddTool(&m_findButton, "Display the Lyrics search dialog");
    m_tooltip.AddTool(&m_editButton, "Display the Edit dialog");

    const std::pair<CButtonST*, UINT> buttons[] = {{&m_findButton, 355}, {&m_editButton, 383}, {&m_saveButton, 406}};
    for (const auto& [button, bitmap] : buttons) {
        button->SetBitmaps(bitmap, kMagenta);
        button->OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        button->SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        button->DrawTransparent(TRUE);
    }

    m_db.BeginBatch();
    const std::string startDocument = m_db.GetSetting("lyrics - loadstart", 0);
    m_db.CommitBatch();

    ApplyDialogColor();
    m_pdfShown = false;
    m_timer = 0;
    CreateBrowser();
    m_findLyrics.reset();
    m_shownFile.clear();
    if (!startDocument.empty() && m_browser)
        m_browser->Navigate(startDocument);
    ParkFocus();
    return TRUE;
}

void CDlgLyrics::ApplyDialogColor() { SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB)); }

void CDlgLyrics::CreateBrowser()
{
    m_browser = std::make_unique<CHtmlEditCtrl2>();
    if (!m_browser->Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 0, 0), this, 0)) {
        m_browser.reset();
        ::MessageBox(m_hWnd, "Create Browser failed", "Mirtal", MB_ICONSTOP);
        return;
    }
    m_browser->Navigate(g_baseFolder + "/temp.htm");
}

// The PDF view of the browser goes with its window; a fresh browser shows HTML again.
void CDlgLyrics::RecreateBrowser()
{
    if (m_browser && m_browser->m_hWnd)
        m_browser->DestroyWindow();
    m_browser.reset();
    CreateBrowser();
}

void CDlgLyrics::LayoutBrowser()
{
    if (m_browser && m_browser->m_hWnd) {
        CRect client;
        GetClientRect(&client);
        const int left = g_largeLayout ? 71 : 61;
        m_browser->MoveWindow(left, 11, client.Width() - left - 9, client.Height() - 20, TRUE);
    }
    ParkFocus();
}

void CDlgLyrics::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    LayoutBrowser();
}

BOOL CDlgLyrics::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(msg);
    // Keys reach the main window's dispatcher through its own PreTranslateMessage, which
    // sees every message of its pages; sending them again would act on each key twice.
    return CDialogEx::PreTranslateMessage(msg);
}

void CDlgLyrics::ParkFocus()
{
    // A page behind another tab leaves the focus where it is.
    if (m_sink.m_hWnd && IsWindowVisible())
        m_sink.SetFocus();
    UpdateData(FALSE);
}

void CDlgLyrics::OnFocusSinkChange()
{
    UpdateData(TRUE);
    m_sinkText.clear();
    UpdateData(FALSE);
}

BOOL CDlgLyrics::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

void CDlgLyrics::OnDestroy()
{
    if (m_findLyrics && m_findLyrics->m_hWnd)
        m_findLyrics->DestroyWindow();
    m_findLyrics.reset();
    CDialogEx::OnDestroy();
}

// ---- showing ------------------------------------------------------------------------------

void CDlgLyrics::ShowFile(const std::string& path)
{
    if (!path.empty()) {
        if (m_pdfShown)
            RecreateBrowser();
        m_pdfShown = false;
        m_shownFile = path;
        if (m_browser) {
            if (CUtilityDb::IsDbReference(path)) {
                m_browser->SetDocumentHtml(m_utilityDb.RenderCueSheetStyled(path.substr(4)));
            } else {
                m_browser->Navigate(path);
                m_pdfShown = m_fn.GetExtension(path) == "PDF";
            }
        }
    }
    LayoutBrowser();
    // The focus leaves the browser once the document has loaded.
    m_timer = SetTimer(kFocusTimer, 500);
}

void CDlgLyrics::OnTimer(UINT_PTR id)
{
    if (id == kFocusTimer) {
        KillTimer(id);
        m_timer = 0;
        ParkFocus();
        return;
    }
    CDialogEx::OnTimer(id);
}

void CDlgLyrics::ScrollBy(int pixels, int)
{
    if (!m_pdfShown && m_browser)
        m_browser->ScrollDocumentBy(0, pixels);
    UpdateData(FALSE);
}

void CDlgLyrics::ShowFindLyricsChoice()
{
    if (m_findLyrics)
        ShowFile(m_findLyrics->GetChosenLyricsPath());
}

void CDlgLyrics::ShowFoundLyrics() { ShowFile(g_foundLyricsPath); }

void CDlgLyrics::ApplyColors()
{
    ApplyDialogColor();
    LayoutBrowser();
    ShowFile(m_shownFile);
    ParkFocus();
}

void CDlgLyrics::ReloadFile() { ShowFile(m_shownFile); }

// ---- drops, Find Lyrics, edit --------------------------------------------------------------

void CDlgLyrics::OnDropFiles(HDROP drop)
{
    char buffer[261] = {};
    if (DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        DragQueryFile(drop, 0, buffer, sizeof buffer);
        const std::string file = buffer;
        const std::string ext = m_fn.GetExtension(file);
        if (isOneOf(ext, {"HTM", "HTML", "PDF", "MHT", "TXT"})) {
            ShowFile(file);
        } else if (m_fn.IsAudioFile(file)) {
            g_droppedFilePath = file;
            SendCommand(CMD_PLAY_DROPPED_FILE);
        } else {
            ::MessageBox(m_hWnd, "Only HTML, PDF, MHT and TXT documents and music files can be dropped here:\n" + file,
                         "Mirtal", MB_ICONINFORMATION);
        }
    }
    DragFinish(drop);
}

void CDlgLyrics::OnFindLyrics()
{
    if (!m_findLyrics) {
        m_findLyrics = std::make_unique<CMarryDlg>(nullptr);
        if (!m_findLyrics->Create(CMarryDlg::IDD, this)) {
            m_findLyrics.reset();
            return;
        }
        m_findLyrics->Setup(g_lyricsCandidates, g_currentSongPath);
        m_findLyrics->SetOpenedFromLyricsPage(1);
        m_findLyrics->ShowWindow(SW_SHOW);
        m_findLyrics->RedrawWindow();
    } else {
        m_findLyrics->Setup(g_lyricsCandidates, g_currentSongPath);
        m_findLyrics->ShowWindow(SW_SHOW);
    }
}

void CDlgLyrics::OnEditDocument()
{
    g_htmlPath = m_shownFile;
    SendCommand(CMD_EDIT_HTML);
    ParkFocus();
}

// ---- save as HTML ---------------------------------------------------------------------------

bool CDlgLyrics::TextToSave(bool cueSheet, std::string& text)
{
    text.clear();
    if (cueSheet) {
        text = m_utilityDb.RenderCueSheetCss(m_shownFile.substr(4));
        return true;
    }
    std::ifstream in(m_shownFile, std::ios::binary);
    if (!in) {
        ::MessageBox(m_hWnd, "The document cannot be read, nothing was saved:\n" + m_shownFile, "Mirtal",
                     MB_ICONEXCLAMATION);
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            line.pop_back();
        text += line + "\n";
    }
    return true;
}

void CDlgLyrics::OnSaveAsHtml()
{
    // Only a cue sheet or a document on disk has a text to write; the browser's view of a
    // PDF or of a web page is not one.
    if (m_shownFile.empty() || m_fn.GetExtension(m_shownFile) == "PDF" || isWebAddress(m_shownFile)) {
        ::MessageBox(m_hWnd,
                     m_shownFile.empty() ? std::string("No document is shown.")
                                         : "Only a cue sheet or an HTML or text document can be saved as HTML:\n" +
                                               m_shownFile,
                     "Mirtal", MB_ICONINFORMATION);
        UpdateData(FALSE);
        return;
    }
    std::string proposed = m_shownFile;
    // Exactly "[db]": the prefix as the program writes it.
    const bool cueSheet = m_shownFile.compare(0, 4, "[db]") == 0;
    if (cueSheet) {
        CppSQLite3Table row = m_utilityDb.GetRecordWithCueSheet(m_shownFile.substr(4));
        if (row.RowCount() > 0) {
            row.SetRow(0);
            proposed = m_fn.UnescapeSql(row.FieldTextOr(4, ""));
        }
    }
    CFileDialog dialog(FALSE, ".html", proposed.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Html (*.html, *.html)|*.html;*.htm|All Files (*.*)|*.*||", this);
    std::string text;
    if (dialog.DoModal() == IDOK && TextToSave(cueSheet, text) && !win::WriteWholeFile(dialog.GetPathName(), text))
        ::MessageBox(m_hWnd, "The file could not be written; an older file of that name is unchanged:\n" +
                                 dialog.GetPathName(),
                     "Mirtal", MB_ICONEXCLAMATION);
    UpdateData(FALSE);
}
