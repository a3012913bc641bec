// CDlgEdit: the window, its layout and views, design mode, the font, the Edit
// commands and closing.
#include "texts/DlgEdit.h"

#include "texts/HtmlEditCtrl2.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/Shell.h"

namespace {

constexpr int kTextView = 1070;
constexpr int kSourcePane = 1217;
constexpr UINT kToolBar = 456;
constexpr UINT kToolBarPictures = 459;
constexpr UINT_PTR kDesignTimer = 1;
constexpr UINT kDesignDelayMs = 500;

} // namespace

BEGIN_MESSAGE_MAP(CDlgEdit, CDialogEx)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DROPFILES()
    ON_WM_HELPINFO()
    ON_EN_CHANGE(kTextView, OnTextChange)
    ON_COMMAND(32838, NewDocument)
    ON_COMMAND(32830, OpenFromFile)
    ON_COMMAND(32815, OnSaveAs)
    ON_COMMAND(32935, OnSaveAs)
    ON_COMMAND(32934, OnSaveButton)
    ON_COMMAND(32857, OpenFromCueSheetDb)
    ON_COMMAND(32966, OpenFromChoreoDb)
    ON_COMMAND(32850, SaveToChoreoDb)
    ON_COMMAND(32968, DeleteFromChoreoDb)
    ON_COMMAND(32839, PrintDocument)
    ON_COMMAND(32812, OnExit)
    ON_COMMAND(32840, OnUndo)
    ON_COMMAND(32943, OnUndo)
    ON_COMMAND(32841, OnRedo)
    ON_COMMAND(32944, OnRedo)
    ON_COMMAND(32834, OnCut)
    ON_COMMAND(32936, OnCut)
    ON_COMMAND(32835, OnCopy)
    ON_COMMAND(32937, OnCopy)
    ON_COMMAND(32836, OnPaste)
    ON_COMMAND(32938, OnPaste)
    ON_COMMAND(32837, OnDelete)
    ON_COMMAND(32940, OnBold)
    ON_COMMAND(32941, OnItalic)
    ON_COMMAND(32942, OnUnderline)
    ON_COMMAND(32946, OnLineBreak)
    ON_COMMAND(32833, SelectEditorFont)
    ON_COMMAND(32831, GetFromSd)
    ON_COMMAND(32832, FormatSdOutput)
    ON_COMMAND(32842, ReloadDocument)
    ON_COMMAND(32939, ReloadDocument)
    ON_COMMAND(32843, ToggleHtmlSource)
END_MESSAGE_MAP()

CDlgEdit::CDlgEdit(CWnd* parent) : CDialogEx(IDD, parent) {}

CDlgEdit::~CDlgEdit() = default;

void CDlgEdit::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kTextView, m_textView);
    // Like the framework's own exchange, the view's text is set only when it differs,
    // so showing the members keeps the view's formatting, selection and undo.
    if (dx->m_bSaveAndValidate) {
        DDX_Text(dx, kTextView, m_text);
    } else if (m_textView.m_hWnd) {
        std::string shown = m_textView.GetWindowText();
        std::string wanted = m_text;
        std::erase(shown, '\r');
        std::erase(wanted, '\r');
        if (shown != wanted)
            m_textView.SetWindowText(m_text);
    }
    DDX_Text(dx, kSourcePane, m_source);
}

BOOL CDlgEdit::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));

    if (m_toolbar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0),
                           AFX_IDW_TOOLBAR) &&
        m_toolbar.LoadToolBar(kToolBar))
        m_toolbar.LoadBitmap(kToolBarPictures);

    m_tooltip.Create(this, TRUE);
    m_tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);

    m_db.BeginBatch();
    const std::string face = m_db.GetSetting("editdlg - fontname", 0);
    const int italic = m_db.GetSettingInt("editdlg - fontitalic", 0);
    const int bold = m_db.GetSettingInt("editdlg - fontbold", 0);
    const int size = m_db.GetSettingInt("editdlg - fontsize", 0);
    m_sdPath = m_db.GetSetting("general - sdpath", 0);
    m_lyricsFolder = m_db.GetSetting("lyrics - pathglobal", 0);
    m_db.CommitBatch();
    ApplyEditorFont(size, bold, italic, face, true);

    m_sourceShown = false;
    m_source.clear();
    m_dbReference.clear();

    m_browser = std::make_unique<CHtmlEditCtrl2>();
    if (m_browser->Create(WS_CHILD, CRect(0, 0, 0, 0), this, 0)) {
        m_browser->Navigate(m_fn.AddBackslash(g_baseFolder) + "temp.htm");
    } else {
        m_browser.reset();
        ::MessageBox(m_hWnd, "Create Browser failed", "Mirtal", MB_ICONSTOP);
    }
    m_textView.SetModify(FALSE);
    ArrangeControls();
    return TRUE;
}

BOOL CDlgEdit::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(msg);
    return CDialogEx::PreTranslateMessage(msg);
}

BOOL CDlgEdit::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

// ---- layout and views ---------------------------------------------------------------------------

void CDlgEdit::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    ArrangeControls();
}

void CDlgEdit::ArrangeControls()
{
    if (!m_hWnd || !m_textView.m_hWnd)
        return;
    UpdateData(TRUE);
    CRect client;
    GetClientRect(client);
    const int w = client.Width();
    const int h = client.Height();
    if (m_toolbar.m_hWnd)
        m_toolbar.MoveWindow(0, 0, w, 40);
    m_textView.MoveWindow(10, 50, w - 20, h - 60);
    CWnd* source = GetDlgItem(kSourcePane);
    if (m_sourceShown) {
        if (m_browser && m_browser->m_hWnd)
            m_browser->MoveWindow(10, 50, w - 20, (h - 90) / 2);
        if (source) {
            source->ShowWindow(SW_SHOW);
            source->MoveWindow(10, h / 2 + 15, w - 20, (h - 50) / 2);
        }
    } else {
        if (m_browser && m_browser->m_hWnd)
            m_browser->MoveWindow(10, 50, w - 20, h - 60);
        if (source)
            source->ShowWindow(SW_HIDE);
    }
    UpdateData(FALSE);
}

void CDlgEdit::ShowHtmlView(bool html)
{
    m_sourceShown = false;
    if (CWnd* source = GetDlgItem(kSourcePane))
        source->ShowWindow(SW_HIDE);
    if (m_browser)
        m_browser->SetVisible(html);
    m_textView.ShowWindow(html && m_browser ? SW_HIDE : SW_SHOW);
}

void CDlgEdit::ToggleHtmlSource()
{
    std::string shown;
    if (EditsHtml()) {
        if (m_sourceShown) {
            m_sourceShown = false;
        } else {
            m_browser->GetDocumentHtml(shown, false);
            m_sourceShown = true;
        }
        ArrangeControls();
    }
    m_source = shown;
    UpdateData(FALSE);
}

// ---- design mode and the document state --------------------------------------------------------

void CDlgEdit::NavigateHtmlView(const std::string& path)
{
    m_htmlAtDesignKnown = false;
    if (!m_browser)
        return;
    m_browser->Navigate(path);
    UpdateData(FALSE);
    m_designTimer = SetTimer(kDesignTimer, kDesignDelayMs);
}

void CDlgEdit::OnTimer(UINT_PTR id)
{
    EnterDesignMode(id);
    CDialogEx::OnTimer(id);
}

void CDlgEdit::EnterDesignMode(UINT_PTR timerId)
{
    if (timerId != m_designTimer || !m_designTimer)
        return;
    KillTimer(m_designTimer);
    m_designTimer = 0;
    if (m_browser) {
        m_browser->SetDesignMode(true);
        RememberHtmlState();
    }
    UpdateData(FALSE);
}

void CDlgEdit::RememberHtmlState()
{
    m_htmlAtDesignKnown = m_browser && m_browser->GetDocumentHtml(m_htmlAtDesign, false) == S_OK;
}

bool CDlgEdit::IsModified()
{
    if (m_browser && m_browser->GetVisible()) {
        if (!m_htmlAtDesignKnown)
            return false;
        std::string now;
        return m_browser->GetDocumentHtml(now, false) == S_OK && now != m_htmlAtDesign;
    }
    return m_textView.m_hWnd && m_textView.GetModify();
}

void CDlgEdit::SetViewText(const std::string& text)
{
    m_text = text;
    m_textView.SetWindowText(text);
    m_textView.SetModify(FALSE);
}

void CDlgEdit::NewDocument()
{
    ShowHtmlView(false);
    // A new document has no file yet: Save asks for a name and never overwrites the previous one.
    m_path.clear();
    m_htmlAtDesignKnown = false;
    SetViewText("");
    SetWindowText("Mirtal");
    UpdateData(FALSE);
}

void CDlgEdit::ReloadDocument()
{
    if (EditsHtml())
        m_browser->Refresh();
}

// ---- font ---------------------------------------------------------------------------------------

void CDlgEdit::ApplyEditorFont(int size, int weight, int italic, const std::string& face, bool apply)
{
    int height = -MulDiv(size, win::CurrentDisplay().dpiY, 72);
    if (height < 1)
        height = 12;
    const std::string name = face.empty() ? "MS Sans Serif" : face;
    m_font.DeleteObject();
    m_font.CreateFont(height, 0, 0, 0, weight, BYTE(italic & 0xFF), 0, 0, ANSI_CHARSET, 0, 0, 0, 0x20,
                      name.c_str());
    m_font.GetLogFont(&m_fontDescription);
    if (apply && m_textView.m_hWnd) {
        m_textView.SetFont(&m_font);
        m_textView.Invalidate();
    }
}

void CDlgEdit::SelectEditorFont()
{
    CFontDialog dialog(&m_fontDescription, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT, this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    BeginWaitCursor();
    const LOGFONT& chosen = dialog.Font();
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&chosen);
    m_font.GetLogFont(&m_fontDescription);
    m_textView.SetFont(&m_font);
    m_textView.Invalidate();
    m_db.BeginBatch();
    m_db.SetSetting("editdlg - fontsize", std::to_string(chosen.lfHeight), 0);
    m_db.SetSetting("editdlg - fontbold", std::to_string(chosen.lfWeight), 0);
    m_db.SetSetting("editdlg - fontitalic", std::to_string(int(chosen.lfItalic)), 0);
    m_db.SetSetting("editdlg - fontname", chosen.lfFaceName, 0);
    m_db.CommitBatch();
    EndWaitCursor();
    UpdateData(FALSE);
}

// ---- Edit and Format commands -------------------------------------------------------------------

void CDlgEdit::OnUndo()
{
    if (EditsHtml())
        m_browser->Undo();
    else
        m_textView.Undo();
}

void CDlgEdit::OnRedo()
{
    if (EditsHtml())
        m_browser->Redo();
    else
        m_textView.Redo();
}

void CDlgEdit::OnCut()
{
    if (EditsHtml())
        m_browser->Cut();
    else
        m_textView.Cut();
}

void CDlgEdit::OnCopy()
{
    if (EditsHtml())
        m_browser->Copy();
    else
        m_textView.Copy();
}

void CDlgEdit::OnPaste()
{
    if (EditsHtml())
        m_browser->Paste();
    else
        m_textView.Paste();
}

void CDlgEdit::OnDelete()
{
    if (EditsHtml()) {
        m_browser->Delete();
        return;
    }
    long start = 0, end = 0;
    m_textView.GetSel(start, end);
    m_textView.SetSel(start, end);
    m_textView.Clear();
}

void CDlgEdit::ToggleTextEffect(DWORD effect)
{
    CHARFORMAT cf;
    m_textView.GetSelectionCharFormat(cf);
    cf.dwMask = effect;
    cf.dwEffects ^= effect;
    m_textView.SetSelectionCharFormat(cf);
    m_textView.SetFocus();
}

void CDlgEdit::OnBold()
{
    if (EditsHtml())
        m_browser->Bold();
    else
        ToggleTextEffect(CFE_BOLD);
}

void CDlgEdit::OnItalic()
{
    if (EditsHtml())
        m_browser->Italic();
    else
        ToggleTextEffect(CFE_ITALIC);
}

void CDlgEdit::OnUnderline()
{
    if (EditsHtml())
        m_browser->Underline();
    else
        ToggleTextEffect(CFE_UNDERLINE);
}

void CDlgEdit::OnLineBreak()
{
    if (EditsHtml())
        m_browser->InsertLineBreak();
    else
        ::MessageBox(m_hWnd, "This button only works for HTML docments.", "Mirtal", MB_ICONINFORMATION);
}

// ---- dropping and closing -----------------------------------------------------------------------

void CDlgEdit::OnDropFiles(HDROP drop)
{
    char path[261] = {};
    if (DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        DragQueryFile(drop, 0, path, sizeof path);
        LoadDocument(path, false);
    }
    CDialogEx::OnDropFiles(drop);
}

bool CDlgEdit::ConfirmClose()
{
    UpdateData(TRUE);
    if (!IsModified())
        return true;
    const std::string name = m_path.empty() ? std::string("the new document") : m_path;
    const int answer = ::MessageBox(m_hWnd, "Save the changes to " + name + "?", "Mirtal",
                                    MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return SaveDocument();
    return true;
}

void CDlgEdit::CloseEditor()
{
    if (!ConfirmClose())
        return;
    // The window goes, and with it the object of a window the main window made.
    DestroyWindow();
}
