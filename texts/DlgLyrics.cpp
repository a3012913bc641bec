#include "texts/DlgLyrics.h"

#include "platform/win/DataExchange.h"

CDlgLyrics::CDlgLyrics(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgLyrics::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, 1004, m_commandSink);
}

void CDlgLyrics::ParkFocus()
{
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    UpdateData(FALSE);
}

void CDlgLyrics::ShowFile(const std::string& path) { m_shownFile = path; }
