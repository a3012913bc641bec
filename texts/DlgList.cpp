#include "texts/DlgList.h"
#include "store/ResourceIds.h"

#include "app/CallRecorder.h"
#include "platform/win/DataExchange.h"

CDlgList::CDlgList(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgList::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOCUS_SINK, m_commandSink);
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

// The stand-in records name the page number first.
void CDlgList::ScrollBy(int pixels, int lines) { CALLREC("CDlgList::ScrollBy", m_pageNumber, pixels, lines); }
void CDlgList::OnIndexMinus1() { CALLREC("CDlgList::OnIndexMinus1", m_pageNumber); }
void CDlgList::OnIndexPlus1() { CALLREC("CDlgList::OnIndexPlus1", m_pageNumber); }
void CDlgList::OnIndexMinus10() { CALLREC("CDlgList::OnIndexMinus10", m_pageNumber); }
void CDlgList::OnIndexPlus10() { CALLREC("CDlgList::OnIndexPlus10", m_pageNumber); }
void CDlgList::OnRandom() { CALLREC("CDlgList::OnRandom", m_pageNumber); }
void CDlgList::OnSaveForReview() { CALLREC("CDlgList::OnSaveForReview", m_pageNumber); }
void CDlgList::ToggleFullScreen() { CALLREC("CDlgList::ToggleFullScreen", m_pageNumber); }
void CDlgList::ApplyClockSettings() { CALLREC("CDlgList::ApplyClockSettings", m_pageNumber); }
