#include "texts/DlgList.h"

#include "platform/win/DataExchange.h"

CDlgList::CDlgList(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgList::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, 1004, m_commandSink);
}

void CDlgList::LoadSettings()
{
    m_fontReload = false;
    ++m_loads;
}

void CDlgList::ParkFocus()
{
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    UpdateData(FALSE);
}
