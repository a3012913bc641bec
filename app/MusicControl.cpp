#include "app/MusicControl.h"
#include "store/ResourceIds.h"
#include "controls/ToolWindowInfos.h"

#include "store/SendCommand.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "store/PlayerGlobals.h"

namespace {

struct PanelButton {
    int id;
    UINT bitmap;
    const char* tip;
};

// In the order of the two rows of the panel.
constexpr PanelButton kButtons[8] = {
    {1239, 390, "Fast rewind the music"}, {1237, 391, "Play the music"},
    {1265, 392, "Stop the music"},        {1240, 386, "Fast forward the music"},
    {1243, 387, "Show lyrics"},           {1268, 389, "Fade out the music"},
    {1269, 388, "Decrease the tempo"},    {1270, 393, "Increase the tempo"},
};

} // namespace

BEGIN_MESSAGE_MAP(CMusicControl, CToolDialog)
    ON_WM_WINDOWPOSCHANGED()
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnSinkChange)
    ON_BN_CLICKED(1239, OnRewind)
    ON_BN_CLICKED(1237, OnPlay)
    ON_BN_CLICKED(1265, OnStop)
    ON_BN_CLICKED(1240, OnForward)
    ON_BN_CLICKED(1243, OnLyrics)
    ON_BN_CLICKED(1268, OnFade)
    ON_BN_CLICKED(1269, OnTempoDown)
    ON_BN_CLICKED(1270, OnTempoUp)
END_MESSAGE_MAP()

CMusicControl::CMusicControl(CWnd* parent) : CToolDialog(IDD, toolwindows::kMusicControl, parent) {}

void CMusicControl::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sink);
    DDX_Control(dx, 1275, m_title);
    for (size_t i = 0; i < m_buttons.size(); ++i)
        DDX_Control(dx, kButtons[i].id, m_buttons[i]);
}

BOOL CMusicControl::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    std::vector<std::pair<int, std::string>> tools;
    for (const PanelButton& b : kButtons)
        tools.emplace_back(b.id, b.tip);
    CreateBalloonTips(m_tips, *this, tools);
    ApplyDialogColor();
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i].SetBitmaps(kButtons[i].bitmap, RGB(0, 0, 0));
        m_buttons[i].OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        m_buttons[i].SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
    }
    m_title.SetText(g_statusDanceText)
        .SetTextColor(RGB(0, 0, 255))
        .SetFontSize(36)
        .SetFontBold(TRUE)
        .SetAlignment(CNewLabel::kCentre | CNewLabel::kVCentre)
        .SetBorder(TRUE);
    PlaceWindow();
    ParkFocus();
    return TRUE;
}

void CMusicControl::RefreshText()
{
    if (m_title.m_hWnd)
        m_title.SetText(g_statusDanceText);
    ParkFocus();
}

void CMusicControl::ApplyDialogColor()
{
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
}

void CMusicControl::PlaceWindow()
{
    MakePlaceUsable();
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    if (g_musicControlX > screenW - g_musicControlWidth)
        g_musicControlX = screenW - g_musicControlWidth;
    if (g_musicControlY > screenH - g_musicControlHeight)
        g_musicControlY = screenH - g_musicControlHeight;
    if (g_musicControlX < 0)
        g_musicControlX = 0;
    if (g_musicControlY < 0)
        g_musicControlY = 0;
    // Copies: the move reports the new rectangle back into the same globals.
    const int x = g_musicControlX, y = g_musicControlY;
    const int w = g_musicControlWidth, h = g_musicControlHeight;
    SetWindowPos(&wndTop, x, y, w, h, SWP_SHOWWINDOW);
    ParkFocus();
}

BOOL CMusicControl::PreTranslateMessage(MSG* msg)
{
    RelayBalloonTips(m_tips, msg);
    return CToolDialog::PreTranslateMessage(msg);
}

void CMusicControl::OnWindowPosChanged(WINDOWPOS* pos)
{
    CToolDialog::OnWindowPosChanged(pos);
    if (!m_hWnd)
        return;
    if (IsWindowVisible())
        LayOut();
    UpdateData(FALSE);
}

// Two rows of four cells under the title line; a window too small for them
// gives empty cells, not an error.
void CMusicControl::LayOut()
{
    if (!m_buttons[0].m_hWnd)
        return;
    CRect client;
    GetClientRect(client);
    const int w = (client.Width() - 30) / 4;
    const int h = (client.Height() - 95) / 2;
    const int cw = w > 0 ? w : 0, ch = h > 0 ? h : 0;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            m_buttons[size_t(row * 4 + col)].MoveWindow(15 + col * w, 80 + row * h, cw, ch, TRUE);
    m_title.MoveWindow(15, 15, client.Width() - 30 > 0 ? client.Width() - 30 : 0, 50, TRUE);
}

void CMusicControl::OnSinkChange()
{
    // Emptying the sink changes it again.
    if (m_emptyingSink)
        return;
    m_emptyingSink = true;
    UpdateData(TRUE);
    m_sink.clear();
    ParkFocus();
    m_emptyingSink = false;
}

// The application's main window is the one main dialog, which takes every command code.
void CMusicControl::Send(UINT code) { SendCommand(code); }

void CMusicControl::OnRewind() { Send(CMD_PLAYER_REWIND); }
void CMusicControl::OnPlay() { Send(CMD_PLAYER_PLAY); }
void CMusicControl::OnStop() { Send(CMD_PLAYER_STOP); }
void CMusicControl::OnForward() { Send(CMD_PLAYER_FORWARD); }
void CMusicControl::OnLyrics() { Send(CMD_PLAYER_LYRICS); }
void CMusicControl::OnFade() { Send(CMD_PLAYER_FADE); }
void CMusicControl::OnTempoDown() { Send(CMD_PLAYER_TEMPO_DOWN); }
void CMusicControl::OnTempoUp() { Send(CMD_PLAYER_TEMPO_UP); }

