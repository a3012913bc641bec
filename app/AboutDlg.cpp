#include "app/AboutDlg.h"

#include "platform/win/DataExchange.h"
#include "store/SendCommand.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
    ON_WM_WINDOWPOSCHANGED()
    ON_BN_CLICKED(1075, OnOkButton)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialogEx(IDD) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Text(dx, 1282, m_mainVersion);
    DDX_Text(dx, 1283, m_utilityVersion);
    DDX_Text(dx, 1285, m_mainModified);
    DDX_Text(dx, 1284, m_utilityModified);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    try {
        m_mainVersion = "Mirtal Database Version: " + m_musicDb.GetVersionText();
        m_mainModified = "Last modified: " + m_musicDb.GetModifiedText();
    } catch (const std::exception& e) {
        m_mainVersion = "Mirtal Database Version: unknown";
        m_mainModified = e.what();
    }
    try {
        m_utilityVersion = "Utility Database Version: " + m_utilityDb.GetVersionText();
        m_utilityModified = "Last modified: " + m_utilityDb.GetModifiedText();
    } catch (const std::exception& e) {
        m_utilityVersion = "Utility Database Version: unknown";
        m_utilityModified = e.what();
    }
    SetWindowPos(nullptr, g_aboutPosX, g_aboutPosY, 330, 310, SWP_SHOWWINDOW);
    UpdateData(FALSE);
    return TRUE;
}

void CAboutDlg::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    if (!m_hWnd)
        return;
    CRect r;
    GetWindowRect(r);
    g_aboutPosX = r.left;
    g_aboutPosY = r.top;
}

BOOL CAboutDlg::PreTranslateMessage(MSG* msg)
{
    // F1 asks the main window for the help file.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && g_mainWnd) {
        SendCommand(CMD_HELP);
        return TRUE;
    }
    return CDialogEx::PreTranslateMessage(msg);
}
