#include "app/ModelessLyrics.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

BEGIN_MESSAGE_MAP(CModelessLyrics, CDialogEx)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CModelessLyrics::CModelessLyrics(CWnd* parent, int slot) : CDialogEx(IDD, parent), m_slot(slot) {}

BOOL CModelessLyrics::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    PlaceAs(true);
    m_placed = true;
    return TRUE;
}

void CModelessLyrics::PlaceAs(bool first)
{
    if (first)
        SetWindowPos(&wndTop, g_lyricsWindowX, g_lyricsWindowY, g_lyricsWindowWidth, g_lyricsWindowHeight, 0);
    else
        SetWindowPos(&wndTop, g_lyricsWindow2X, g_lyricsWindow2Y, g_lyricsWindow2Width, g_lyricsWindow2Height, 0);
}

void CModelessLyrics::ShowDocument(const std::string& path)
{
    CALLREC("CModelessLyrics::ShowDocument", path);
    m_path = path;
}

void CModelessLyrics::SetWindowNumber(int n)
{
    CALLREC("CModelessLyrics::SetWindowNumber", n);
    m_windowNumber = n;
    PlaceAs(n == 0);
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
    SendCommand(GetSlot() == 1 ? CMD_LYRICS_WINDOW_CLOSED : CMD_LYRICS_WINDOW2_CLOSED);
}

void CModelessLyrics::OnWindowPosChanged(WINDOWPOS* pos)
{
    CDialogEx::OnWindowPosChanged(pos);
    if (!m_hWnd || !m_placed)
        return;
    CRect r;
    GetWindowRect(r);
    const bool first = GetSlot() == 1;
    (first ? g_lyricsWindowX : g_lyricsWindow2X) = r.left;
    (first ? g_lyricsWindowY : g_lyricsWindow2Y) = r.top;
    (first ? g_lyricsWindowWidth : g_lyricsWindow2Width) = r.Width();
    (first ? g_lyricsWindowHeight : g_lyricsWindow2Height) = r.Height();
}
