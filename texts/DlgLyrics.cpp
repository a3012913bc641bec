#include "texts/DlgLyrics.h"
#include "store/ResourceIds.h"

#include "app/CallRecorder.h"
#include "platform/win/DataExchange.h"

CDlgLyrics::CDlgLyrics(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgLyrics::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOCUS_SINK, m_commandSink);
}

void CDlgLyrics::ParkFocus()
{
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    UpdateData(FALSE);
}

void CDlgLyrics::ShowFile(const std::string& path)
{
    CALLREC("CDlgLyrics::ShowFile", path);
    m_shownFile = path;
}

void CDlgLyrics::ScrollBy(int pixels, int ignored) { CALLREC("CDlgLyrics::ScrollBy", pixels, ignored); }
void CDlgLyrics::ShowFindLyricsChoice() { CALLREC("CDlgLyrics::ShowFindLyricsChoice"); }
void CDlgLyrics::ShowFoundLyrics() { CALLREC("CDlgLyrics::ShowFoundLyrics"); }
void CDlgLyrics::ApplyColors() { CALLREC("CDlgLyrics::ApplyColors"); }

void CDlgLyrics::ReloadFile()
{
    CALLREC("CDlgLyrics::ReloadFile");
    ShowFile(m_shownFile);
}
