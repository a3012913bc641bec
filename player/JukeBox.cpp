#include "player/JukeBox.h"

#include "controls/ToolWindowInfos.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"

BEGIN_MESSAGE_MAP(CJukeBox, CToolDialog)
    ON_WM_CLOSE()
    ON_BN_CLICKED(1162, OnSourceList1)
    ON_BN_CLICKED(1163, OnSourceList2)
    ON_BN_CLICKED(1164, OnSourceList3)
    ON_BN_CLICKED(1165, OnSourceQueue)
    ON_BN_CLICKED(1166, OnDisable)
    ON_BN_CLICKED(1100, OnRandomToggle)
    ON_BN_CLICKED(1104, OnShortToggle)
    ON_EN_CHANGE(1105, OnShortTimeChange)
    ON_BN_CLICKED(1237, OnPlayButton)
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnFocusEditChange)
END_MESSAGE_MAP()

CJukeBox::CJukeBox(CWnd* parent) : CToolDialog(IDD, toolwindows::kJukebox, parent) {}

void CJukeBox::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1162, m_list1);
    DDX_Control(dx, 1163, m_list2);
    DDX_Control(dx, 1164, m_list3);
    DDX_Control(dx, 1165, m_queue);
    DDX_Control(dx, 1166, m_disable);
    DDX_Control(dx, 1100, m_randomButton);
    DDX_Control(dx, 1104, m_shortButton);
    DDX_Control(dx, 1237, m_play);
    DDX_Control(dx, 1107, m_spin);
    DDX_Check(dx, 1100, m_random);
    DDX_Check(dx, 1104, m_short);
    DDX_Text(dx, 1105, m_shortTime);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sink.text);
}

BOOL CJukeBox::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    toolkit::CreateBalloonTips(m_tooltip, *this, {
        {1162, "Play from listbox 1"}, {1163, "Play from listbox 2"}, {1164, "Play from listbox 3"},
        {1165, "Play from queued list"}, {1166, "Disable the jukebox"}, {1100, "Play next song randomly"},
        {1104, "Play only the first X seconds of next song"}, {1237, "Play from the selected list"},
    });

    CMFCButton* radios[] = {&m_list1, &m_list2, &m_list3, &m_queue, &m_disable};
    for (CMFCButton* b : {&m_list1, &m_list2, &m_list3, &m_queue, &m_disable, &m_randomButton, &m_shortButton})
        b->SetImage(212, 213);
    for (int i = 0; i < 5; ++i)
        radios[i]->MoveWindow(20, 25 + 40 * i, 110, 35);
    m_randomButton.MoveWindow(155, 25, 110, 35);
    m_shortButton.MoveWindow(155, 65, 110, 35);

    // The window always opens with the jukebox off.
    m_disable.SetCheck(BST_CHECKED);
    OnDisable();

    m_play.SetIcon(308);
    m_play.OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
    m_play.SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
    m_play.DrawTransparent(TRUE);

    ApplyDialogColour();
    m_shortTime = g_jukeboxShortTime;
    m_spin.SetRange32(0, 500);
    m_spin.SetPos32(m_shortTime);
    m_random = m_short = 0;
    g_jukeboxRandom = g_jukeboxShortPlay = 0;
    m_ready = true;
    PlaceWindow();
    UpdateData(FALSE);
    return TRUE;
}

BOOL CJukeBox::PreTranslateMessage(MSG* msg)
{
    // Digits typed into the short time stay there; they would switch tabs in the main window.
    CWnd* shortTime = GetDlgItem(1105);
    if (msg->message == WM_KEYDOWN && shortTime && msg->hwnd == shortTime->m_hWnd)
        return CToolDialog::PreTranslateMessage(msg);
    toolkit::RelayAndForwardKeys(m_tooltip, msg);
    return CToolDialog::PreTranslateMessage(msg);
}

void CJukeBox::ApplyMode()
{
    CMFCButton* radios[] = {&m_list1, &m_list2, &m_list3, &m_queue, &m_disable};
    const int shown = m_source <= 3 ? m_source : 4;
    for (int i = 0; i < 5; ++i)
        radios[i]->SetCheck(i == shown ? BST_CHECKED : BST_UNCHECKED);
    if (m_source >= 0 && m_source <= 2) {
        g_jukeboxMode = m_source + 1;
        m_randomButton.EnableWindow(TRUE);
        m_shortButton.EnableWindow(TRUE);
    } else if (m_source == 3) {
        g_jukeboxMode = 4;
        m_randomButton.EnableWindow(FALSE);
        m_shortButton.EnableWindow(TRUE);
    } else {
        g_jukeboxMode = 0;
    }
    ParkFocus();
}

void CJukeBox::OnSourceList1()
{
    m_source = 0;
    ApplyMode();
}

void CJukeBox::OnSourceList2()
{
    m_source = 1;
    ApplyMode();
}

void CJukeBox::OnSourceList3()
{
    m_source = 2;
    ApplyMode();
}

// The queue plays in its own order: random makes no sense there.
void CJukeBox::OnSourceQueue()
{
    m_source = 3;
    if (m_random)
        OnRandomToggle();
    ApplyMode();
}

void CJukeBox::OnDisable()
{
    m_randomButton.EnableWindow(FALSE);
    m_shortButton.EnableWindow(FALSE);
    m_source = 5;
    ApplyMode();
}

void CJukeBox::OnRandomToggle()
{
    m_random = m_random ? 0 : 1;
    g_jukeboxRandom = m_random;
    ParkFocus();
}

void CJukeBox::OnShortToggle()
{
    m_short = m_short ? 0 : 1;
    g_jukeboxShortPlay = m_short;
    ParkFocus();
}

void CJukeBox::OnShortTimeChange()
{
    if (!m_ready)
        return;
    UpdateData(TRUE);
    CMusicDb().SetSetting("jukebox - shorttime", std::to_string(m_shortTime), 1);
    g_jukeboxShortTime = m_shortTime;
    ParkFocus();
}

void CJukeBox::OnPlayButton() { SendCommand(CMD_JUKEBOX_PLAY); }

void CJukeBox::OnFocusEditChange() { m_sink.Empty(*this, IDC_FOCUS_SINK); }

// Closing stops the jukebox: the song that plays runs to its end and nothing follows.
void CJukeBox::CloseWindow()
{
    g_jukeboxMode = 0;
    g_jukeboxShortPlay = 0;
    g_jukeboxRandom = 0;
}

void CJukeBox::OnCancel()
{
    CloseWindow();
    CToolDialog::OnCancel();
}

void CJukeBox::OnClose()
{
    CloseWindow();
    CToolDialog::OnClose();
}

void CJukeBox::ApplyDialogColour()
{
    const COLORREF colour = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(colour);
    for (CMFCButton* b : {&m_list1, &m_list2, &m_list3, &m_queue, &m_disable, &m_randomButton, &m_shortButton})
        if (b->m_hWnd)
            b->SetFaceColor(colour);
}

void CJukeBox::PlaceWindow()
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int w = g_largeLayout ? 350 : 295, h = g_largeLayout ? 330 : 270;
    const int limitY = g_largeLayout ? 360 : 300;
    if (g_jukeboxPosX > screenW - w)
        g_jukeboxPosX = screenW - w;
    if (g_jukeboxPosY > screenH - limitY)
        g_jukeboxPosY = screenH - limitY;
    if (g_jukeboxPosX < 0)
        g_jukeboxPosX = 0;
    if (g_jukeboxPosY < 0)
        g_jukeboxPosY = 0;
    if (g_largeLayout) {
        CMFCButton* radios[] = {&m_list1, &m_list2, &m_list3, &m_queue, &m_disable};
        for (int i = 0; i < 5; ++i)
            radios[i]->MoveWindow(25, 30 + 50 * i, 125, 40);
        m_randomButton.MoveWindow(185, 30, 125, 40);
        m_shortButton.MoveWindow(185, 80, 125, 40);
        GetDlgItem(1091)->MoveWindow(210, 140, 75, 18);
    }
    const int x = g_jukeboxPosX, y = g_jukeboxPosY;
    SetWindowPos(&wndTop, x, y, w, h, SWP_SHOWWINDOW);
    ParkFocus();
}
