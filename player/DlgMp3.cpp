#include "player/DlgMp3.h"

#include "app/AppGlobals.h"
#include "app/MirtalDlg.h"
#include "platform/win/DataExchange.h"

CDlgMp3::CDlgMp3(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgMp3::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, 1004, m_commandSink);
    DDX_Text(dx, 1004, m_commandSinkText);
}

BOOL CDlgMp3::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    return TRUE;
}

void CDlgMp3::InitTrackFilterLabels() {}

void CDlgMp3::OnMarkersButton()
{
    if (g_mainDlg)
        g_mainDlg->SendMessage(WM_KEYDOWN, g_markersShow ? 912 : 723, 0);
}

void CDlgMp3::RestoreFocus(int refresh)
{
    m_commandSinkText.clear();
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    if (refresh)
        UpdateData(FALSE);
}

void CDlgMp3::LoadLevelPlaylists(int) {}
