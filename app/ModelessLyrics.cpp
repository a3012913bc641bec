#include "app/ModelessLyrics.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CModelessLyrics::CModelessLyrics(CWnd* parent) : CDialogEx(IDD, parent) {}

void CModelessLyrics::ShowDocument(const std::string& path)
{
    CALLREC("CModelessLyrics::ShowDocument", path);
    m_path = path;
}

void CModelessLyrics::SetWindowNumber(int n)
{
    CALLREC("CModelessLyrics::SetWindowNumber", n);
    m_windowNumber = n;
}

void CModelessLyrics::ScrollBy(int pixels) { CALLREC("CModelessLyrics::ScrollBy", pixels); }

void CModelessLyrics::Reload()
{
    CALLREC("CModelessLyrics::Reload");
    ShowDocument(m_path);
}

void CModelessLyrics::RestorePlacement() { CALLREC("CModelessLyrics::RestorePlacement"); }

void CModelessLyrics::OnCancel()
{
    SendCommand(m_windowNumber == 0 ? CMD_LYRICS_WINDOW_CLOSED : CMD_LYRICS_WINDOW2_CLOSED);
}
