// CDlgList: the page window, showing an entry, layout, fonts, clocks and scrolling.
#include "texts/DlgList.h"

#include "texts/HtmlEditCtrl2.h"
#include "texts/TextFiles.h"
#include "store/AppGlobals.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "store/TextReplace.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/Shell.h"
#include "platform/win/WholeFile.h"

namespace {

constexpr int kNameField = 1086;
constexpr int kIndexField = 1088;
constexpr int kTotalField = 1068;
constexpr int kSourceField = 1087;
constexpr int kTypeField = 1271;
constexpr int kTextView = 1070;
constexpr int kDigitalClock = 1131;
constexpr int kAnalogClock = 1036;
constexpr int kEnterButton = 1096;
constexpr int kPanelLabels[] = {1091, 1092, 1093, 1094, 1135};
constexpr int kPanelFields[] = {kIndexField, kTotalField, kNameField, kTypeField, kSourceField};

struct ButtonSpec {
    int id;
    UINT bitmap;
    const char* tooltip;
};
constexpr ButtonSpec kButtons[12] = {
    {1261, 338, "Decrease the index with 10 and shows the new file"},
    {1262, 339, "Increase the index with 10 and shows the new file"},
    {1263, 340, "Decrease the index with 1 and shows the new file"},
    {1264, 341, "Increase the index with 1 and shows the new file"},
    {1267, 354, "Change the font for RTF and TXT files"},
    {1266, 346, "Save the file path for a later review"},
    {1195, 342, "Select a new directory"},
    {1196, 353, "Select a new chorography file"},
    {1269, 343, "Display the Edit dialog"},
    {1270, 347, "Random selection of the next file to display"},
    {1197, 361, "Reload the list/directory"},
    {1272, 360, "Display choreography from the database"},
};

bool isOneOf(const std::string& ext, std::initializer_list<const char*> kinds)
{
    for (const char* kind : kinds)
        if (ext == kind)
            return true;
    return false;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgList, CDialogEx)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DROPFILES()
    ON_WM_LBUTTONDOWN()
    ON_WM_HELPINFO()
    ON_BN_CLICKED(kEnterButton, ParkFocus)
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnFocusSinkChange)
    ON_BN_CLICKED(1261, OnButtonMinus10)
    ON_BN_CLICKED(1262, OnButtonPlus10)
    ON_BN_CLICKED(1263, OnButtonMinus1)
    ON_BN_CLICKED(1264, OnButtonPlus1)
    ON_BN_CLICKED(1267, OnChangeFont)
    ON_BN_CLICKED(1266, OnButtonReview)
    ON_BN_CLICKED(1195, OnSelectFolder)
    ON_BN_CLICKED(1196, OnSelectFile)
    ON_BN_CLICKED(1269, OnEdit)
    ON_BN_CLICKED(1270, OnButtonRandom)
    ON_BN_CLICKED(1197, OnButtonReload)
    ON_BN_CLICKED(1272, OnChoreographyFromDb)
END_MESSAGE_MAP()

CDlgList::CDlgList(CWnd* parent) : CDialogEx(IDD, parent) {}

CDlgList::~CDlgList() = default;

void CDlgList::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOCUS_SINK, m_sink);
    DDX_Control(dx, kTextView, m_textView);
    DDX_Control(dx, kDigitalClock, m_digitalClock);
    DDX_Control(dx, kAnalogClock, m_analogClockWnd);
    for (size_t i = 0; i < m_buttons.size(); ++i)
        DDX_Control(dx, kButtons[i].id, m_buttons[i]);
    DDX_Text(dx, kNameField, m_nameText);
    DDX_Text(dx, kSourceField, m_sourceCaption);
    DDX_Text(dx, kTypeField, m_typeCaption);
    DDX_Text(dx, kIndexField, m_shownIndex);
    DDX_Text(dx, kTotalField, m_shownTotal);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sinkText);
}

BOOL CDlgList::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ApplyDialogColor();
    SetupButtons();
    m_shownIndex = 0;
    m_shownTotal = 0;

    m_browser = std::make_unique<CHtmlEditCtrl2>();
    if (!m_browser->Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 0, 0), this, 0)) {
        m_browser.reset();
        ::MessageBox(m_hWnd, "Create Browser failed", "Mirtal", MB_ICONSTOP);
    }
    m_textView.ShowWindow(SW_HIDE);

    // The analog clock takes the size of its face where the template put it.
    m_analogClockWnd.SetBitmaps(147, 148);
    const CSize face = m_analogClockWnd.GetWindowSize();
    CRect place;
    m_analogClockWnd.GetWindowRect(place);
    ScreenToClient(place);
    m_analogClockWnd.MoveWindow(place.left, place.top, face.cx, face.cy);
    m_analogClockWnd.Run();
    m_analogClock = true;

    m_textView.SetReadOnly(TRUE);
    m_fullScreen = false;

    m_tooltip.Create(this, TRUE);
    m_tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_tooltip.AddTool(&m_buttons[i], kButtons[i].tooltip);
    ParkFocus();
    return TRUE;
}

void CDlgList::SetupButtons()
{
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        // The picture carries the button's words.
        m_buttons[i].SetWindowText("");
        m_buttons[i].SetBitmaps(kButtons[i].bitmap, RGB(255, 0, 255));
        m_buttons[i].OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        m_buttons[i].SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        m_buttons[i].DrawTransparent(TRUE);
    }
}

void CDlgList::ApplyDialogColor() { SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB)); }

BOOL CDlgList::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(msg);
    return CDialogEx::PreTranslateMessage(msg);
}

void CDlgList::ParkFocus()
{
    // A page behind another tab (every page reloads on a level change) leaves the focus where it is.
    if (m_sink.m_hWnd && IsWindowVisible())
        m_sink.SetFocus();
    UpdateData(FALSE);
}

void CDlgList::OnFocusSinkChange()
{
    UpdateData(TRUE);
    m_sinkText.clear();
    UpdateData(FALSE);
}

void CDlgList::OnLButtonDown(UINT flags, CPoint point)
{
    ParkFocus();
    CDialogEx::OnLButtonDown(flags, point);
}

BOOL CDlgList::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

void CDlgList::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    ArrangeControls();
}

// ---- showing an entry -------------------------------------------------------------------------

void CDlgList::ShowEntry(const std::string& entry)
{
    m_fn.EnterDataFolder();
    if (!entry.empty()) {
        m_db.SetSetting(Key(" - index"), std::to_string(m_index), 1);
        m_shownIndex = m_index;
        m_shownTotal = GetEntryCount();
        if (CChoreoRef::IsReference(entry)) {
            const CChoreoRef ref(entry);
            // Names are shown as typed, not in their stored form.
            const std::string name = m_fn.UnescapeSql(ref.GetName());
            m_nameText = name;
            if (ref.HasType())
                m_nameText += ", Type:" + m_fn.UnescapeSql(ref.GetType());
            CChoreoDb choreo;
            const std::string value = choreo.GetEntryValue(entry, 1);
            SetWindowText("Database Choreography: " + name);
            if (value.compare(0, 6, "[html]") == 0) {
                ShowBrowser(true);
                const std::string page = g_baseFolder + "/edit.html";
                WriteDocument(page, value.substr(6));
                NavigateTo(page);
            } else {
                ShowBrowser(false);
                ShowText(store::ReplaceAll(value, "<br>", "\n"));
            }
        } else {
            m_nameText = m_fn.FileTitleFromPath(entry);
            const std::string ext = m_fn.GetExtension(entry);
            if (isOneOf(ext, {"HTM", "HTML", "PDF", "MHT"}) || entry.compare(0, 5, "http:") == 0) {
                ShowBrowser(true);
                NavigateTo(entry);
            } else if (isOneOf(ext, {"RTF", "TXT"})) {
                ShowBrowser(false);
                if (textfiles::IsRtfPath(entry))
                    ShowRtf(entry);
                else
                    ShowText(textfiles::ReadPlainText(entry));
            } else {
                m_fn.OpenDocument(entry);
            }
        }
    }
    if (m_tooltip.m_hWnd) {
        if (CWnd* name = GetDlgItem(kNameField))
            m_tooltip.AddTool(name, m_nameText.c_str());
        if (CWnd* source = GetDlgItem(kSourceField))
            m_tooltip.AddTool(source, m_sourcePath.c_str());
    }
    UpdateData(FALSE);
}

void CDlgList::ShowText(const std::string& text)
{
    m_docText = text;
    m_textView.SetWindowText(text);
}

void CDlgList::ShowRtf(const std::string& path)
{
    UpdateData(FALSE);
    // A missing RTF file leaves the view as it was.
    if (textfiles::LoadRtf(m_textView, path) != textfiles::RtfLoad::NotOpened)
        m_docText = m_textView.GetWindowText();
}

void CDlgList::ShowBrowser(bool show)
{
    if (m_browser)
        m_browser->SetVisible(show);
    m_textView.ShowWindow(show ? SW_HIDE : SW_SHOW);
}

void CDlgList::NavigateTo(const std::string& path)
{
    if (m_browser)
        m_browser->Navigate(path);
}

void CDlgList::WriteDocument(const std::string& path, const std::string& text)
{
    win::WriteWholeFile(path, text + "\n");
}

// ---- layout, fonts and clocks -----------------------------------------------------------------

void CDlgList::ArrangeControls()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    const int panel = m_fullScreen ? 0 : (g_largeLayout ? 220 : 185);
    const int show = m_fullScreen ? SW_HIDE : SW_SHOW;
    for (CButtonST& button : m_buttons)
        if (button.m_hWnd)
            button.ShowWindow(show);
    for (int id : kPanelFields)
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(show);
    for (int id : kPanelLabels)
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(show);

    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const bool roomForClock = !m_fullScreen && (g_largeLayout ? screenHeight > 799 : screenHeight > 699);
    if (m_digitalClock.m_hWnd)
        m_digitalClock.ShowWindow(roomForClock && !m_analogClock ? SW_SHOW : SW_HIDE);
    if (m_analogClockWnd.m_hWnd)
        m_analogClockWnd.ShowWindow(roomForClock && m_analogClock ? SW_SHOW : SW_HIDE);

    const CRect view(panel + 11, 11, client.Width() - 9, client.Height() - 9);
    if (m_textView.m_hWnd) {
        m_textView.MoveWindow(view);
        m_textView.Invalidate();
    }
    if (m_browser && m_browser->m_hWnd) {
        m_browser->MoveWindow(view);
        m_browser->Invalidate();
    }
    UpdateData(FALSE);
}

void CDlgList::ToggleFullScreen()
{
    m_fullScreen = !m_fullScreen;
    ArrangeControls();
    m_db.SetSetting(Key(" - fullscreen"), m_fullScreen ? "true" : "false", 1);
}

void CDlgList::ApplyFont(int size, int weight, int italic, const std::string& faceName, int apply)
{
    const int dpi = win::CurrentDisplay().dpiY;
    // A stored height is negative for a character height; 0 or positive gives the default.
    int height = -MulDiv(size, dpi, 72);
    if (height < 1)
        height = 12;
    const std::string face = faceName.empty() ? "MS Sans Serif" : faceName;
    m_font.DeleteObject();
    m_font.CreateFont(height, 0, 0, 0, weight, BYTE(italic & 0xFF), 0, 0, 0, 0, 0, 0, 32, face.c_str());
    m_font.GetLogFont(&m_fontDescription);
    if (apply == 1 && m_textView.m_hWnd) {
        m_textView.SetFont(&m_font);
        m_textView.Invalidate();
    }
}

void CDlgList::OnChangeFont()
{
    CFontDialog dialog(&m_fontDescription, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT, this);
    if (dialog.DoModal() == IDOK) {
        const LOGFONT& chosen = dialog.Font();
        m_db.BeginBatch();
        m_db.SetSetting(Key(" - fontsize"), std::to_string(chosen.lfHeight), 0);
        m_db.SetSetting(Key(" - fontbold"), std::to_string(chosen.lfWeight), 0);
        m_db.SetSetting(Key(" - fontitalic"), std::to_string(int(chosen.lfItalic)), 0);
        m_db.SetSetting(Key(" - fontname"), chosen.lfFaceName, 0);
        ApplyFont(chosen.lfHeight, chosen.lfWeight, chosen.lfItalic, chosen.lfFaceName, 1);
        m_db.CommitBatch();
        ShowEntry(GetCurrentEntry());
    }
    ParkFocus();
}

void CDlgList::ReadClockSettings()
{
    const int mode = m_db.GetSettingInt("general - digitalclock", 0);
    const auto colour = [this](const char* key) {
        return RGB(m_db.GetSettingInt(std::string(key) + "R", 0), m_db.GetSettingInt(std::string(key) + "G", 0),
                   m_db.GetSettingInt(std::string(key) + "B", 0));
    };
    m_clockBack = colour("general - clockbgcolor");
    m_clockText = colour("general - clocktxtcolor");
    m_analogClock = mode == 0;
    m_twelveHour = mode == 1;
    if (m_digitalClock.m_hWnd) {
        m_digitalClock.SetBackColor(m_clockBack);
        m_digitalClock.SetColor(m_clockBack, m_clockText);
        m_digitalClock.SetTwelveHourMode(m_twelveHour);
    }
    if (m_digitalClock.m_hWnd)
        m_digitalClock.ShowWindow(m_analogClock ? SW_HIDE : SW_SHOW);
    if (m_analogClockWnd.m_hWnd)
        m_analogClockWnd.ShowWindow(m_analogClock ? SW_SHOW : SW_HIDE);
}

void CDlgList::ApplyClockSettings()
{
    m_db.BeginBatch();
    ReadClockSettings();
    m_db.CommitBatch();
    ApplyDialogColor();
    ParkFocus();
}

void CDlgList::ScrollBy(int pixels, int lines)
{
    if (m_textView.m_hWnd && m_textView.IsWindowVisible()) {
        m_textView.LineScroll(lines);
        return;
    }
    const std::string entry = GetCurrentEntry();
    const std::string ext = m_fn.GetExtension(entry);
    if ((isOneOf(ext, {"HTM", "HTML", "MHT"}) || m_sourcePath.compare(0, 5, "http:") == 0) && m_browser)
        m_browser->ScrollDocumentBy(0, pixels);
}

// ---- drops and the editor ---------------------------------------------------------------------

void CDlgList::OnDropFiles(HDROP drop)
{
    char buffer[261] = {};
    if (DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        DragQueryFile(drop, 0, buffer, sizeof buffer);
        const std::string file = buffer;
        if (isOneOf(m_fn.GetExtension(file), {"HTM", "HTML", "PDF", "TXT", "RTF", "MHT"})) {
            ShowEntry(file);
        } else {
            // Only a document belongs on this page: the music plays on undisturbed.
            ::MessageBox(m_hWnd, "Only HTML, PDF, MHT, RTF and TXT documents can be shown here:\n" + file, "Mirtal",
                         MB_ICONINFORMATION);
        }
    }
    DragFinish(drop);
}

void CDlgList::OnEdit()
{
    g_htmlPath = GetCurrentEntry();
    if (!g_htmlPath.empty()) {
        const bool absolute = g_htmlPath[0] == '/' || (g_htmlPath.size() > 1 && g_htmlPath[1] == ':') ||
                              g_htmlPath.find("://") != std::string::npos;
        if (!CChoreoRef::IsReference(g_htmlPath) && !absolute)
            g_htmlPath = g_baseFolder + "/" + g_htmlPath;
        SendCommand(CMD_EDIT_HTML);
    }
    ParkFocus();
}
