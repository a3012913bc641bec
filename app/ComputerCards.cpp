#include "app/ComputerCards.h"
#include "store/ResourceIds.h"
#include "controls/FocusSink.h"
#include "controls/ToolWindowInfos.h"

#include "store/AppGlobals.h"
#include "store/SendCommand.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"

#include <algorithm>

namespace {

constexpr int kSink = IDC_FOCUS_SINK;
constexpr int kTip = 1231;
constexpr int kNumber = 1461;
constexpr int kWidth = 165;
constexpr int kHeight = 170;

} // namespace

BEGIN_MESSAGE_MAP(CComputerCards, CToolDialog)
    ON_BN_CLICKED(1124, OnHide)
    ON_EN_CHANGE(kSink, OnSinkChange)
    ON_EN_CHANGE(kNumber, OnNumberChange)
    ON_EN_KILLFOCUS(kNumber, OnNumberChange)
    ON_EN_KILLFOCUS(kTip, OnTipChange)
END_MESSAGE_MAP()

CComputerCards::CComputerCards(CWnd* parent) : CToolDialog(IDD, toolwindows::kCards, parent) {}

void CComputerCards::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1228, m_spin);
    DDX_Control(dx, 1124, m_hide);
    DDX_Control(dx, kTip, m_tipEdit);
    DDX_Control(dx, kNumber, m_numberEdit);
    DDX_Control(dx, 1230, m_tipLabel);
    DDX_Control(dx, 1229, m_numberLabel);
    DDX_Text(dx, kTip, m_tip);
    DDX_Text(dx, kSink, m_sink);
    DDX_Text(dx, kNumber, m_number);
}

BOOL CComputerCards::OnInitDialog()
{
    m_refreshing = true;
    CToolDialog::OnInitDialog();
    m_refreshing = false;
    CreateBalloonTips(m_tips, *this, {{1124, "Hide the window"}});
    ApplyDialogColor();
    m_tip.assign(1, 'A');
    m_number = 8;
    m_spin.SetRange32(1, 99);
    m_spin.SetPos32(8);
    PlaceWindow();
    ParkFocus();
    return FALSE;
}

void CComputerCards::ParkFocus()
{
    m_refreshing = true;
    ParkFocusOnSink(*this, kSink);
    m_refreshing = false;
}

void CComputerCards::NextTip()
{
    const char letter = m_tip.size() == 1 ? m_tip[0] : 0;
    m_tip.assign(1, letter >= 'A' && letter < 'M' ? char(letter + 1) : 'A');
    m_refreshing = true;
    UpdateData(FALSE);
    m_refreshing = false;
}

void CComputerCards::ApplyDialogColor()
{
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    Invalidate();
}

void CComputerCards::PlaceWindow()
{
    MakePlaceUsable({kWidth, kHeight});
    const win::DisplayMetrics screen = win::CurrentDisplay();
    g_cardsPosX = std::min(g_cardsPosX, screen.width - kWidth);
    g_cardsPosY = std::min(g_cardsPosY, screen.height - 200);
    SetWindowPos(&wndTopMost, g_cardsPosX, g_cardsPosY, kWidth, kHeight, SWP_SHOWWINDOW);
    ShowWindow(SW_SHOW);
    m_tipLabel.MoveWindow(28, 10, 30, 20);
    m_numberLabel.MoveWindow(82, 10, 70, 20);
    m_tipEdit.MoveWindow(15, 40, 50, 30);
    m_numberEdit.MoveWindow(85, 40, 30, 30);
    m_spin.MoveWindow(115, 40, 20, 30);
    m_hide.MoveWindow(40, 85, 80, 40);
}

void CComputerCards::TakeValues()
{
    m_tip = GetDlgItem(kTip)->GetWindowText();
    BOOL ok = FALSE;
    const int n = int(GetDlgItemInt(kNumber, &ok, TRUE));
    if (ok) {
        m_number = std::clamp(n, 1, 99);
        m_spin.SetPos32(m_number);
    }
}

void CComputerCards::OnNumberChange()
{
    if (!m_refreshing)
        TakeValues();
}

void CComputerCards::OnTipChange()
{
    if (!m_refreshing)
        TakeValues();
}

void CComputerCards::OnSinkChange()
{
    if (m_refreshing || GetDlgItem(kSink)->GetWindowText().empty())
        return;
    m_sink.clear();
    m_refreshing = true;
    SetDlgItemText(kSink, "");
    m_refreshing = false;
}

void CComputerCards::OnHide()
{
    ParkFocus();
    ShowWindow(SW_HIDE);
}

BOOL CComputerCards::PreTranslateMessage(MSG* msg)
{
    RelayBalloonTips(m_tips, msg);
    if (msg->message == WM_KEYDOWN) {
        // A key in the tip edit goes nowhere: the letter moves on only by command.
        CWnd* tip = GetDlgItem(kTip);
        const bool inTip = tip && msg->hwnd == tip->m_hWnd;
        if (inTip)
            TakeValues();
        const HWND self = m_hWnd;
        if (!inTip)
            SendCommand(msg->wParam == VK_F1 ? CMD_HELP : UINT(msg->wParam));
        if (CWnd::FromHandle(self) == this)
            ParkFocus();
        return TRUE;
    }
    if (msg->message == WM_CHAR || msg->message == WM_KEYUP)
        return TRUE;
    return CToolDialog::PreTranslateMessage(msg);
}
