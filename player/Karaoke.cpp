#include "player/Karaoke.h"

#include "controls/ToolWindowInfos.h"
#include "controls/BufferedPaintDC.h"
#include "karaoke/Karalux.h"
#include "platform/win/Display.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/PlayerGlobals.h"

namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr int kMinPeriod = 50; // at most 20 frames a second
constexpr int kFrameWidth = 300, kFrameHeight = 216;
constexpr UINT kLogo = 410;
constexpr int kLogoWidth = 400, kLogoHeight = 271;

} // namespace

BEGIN_MESSAGE_MAP(CKaraoke, CToolDialog)
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CKaraoke::CKaraoke(CWnd* parent) : CToolDialog(IDD, toolwindows::kKaraoke, parent) {}

BOOL CKaraoke::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    g_karaokeOpen = 1;
    ReadFramePeriod();
    SetTimer(kFrameTimer, UINT(m_period));
    return TRUE;
}

void CKaraoke::ReadFramePeriod()
{
    CMusicDb db;
    m_period = db.GetSettingInt("music - karaokemillie", 1);
    if (m_period < kMinPeriod)
        m_period = kMinPeriod;
}

void CKaraoke::RestartFrameTimer()
{
    KillTimer(kFrameTimer);
    ReadFramePeriod();
    SetTimer(kFrameTimer, UINT(m_period));
}

void CKaraoke::PlaceWindow()
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    if (screenW - g_karaokeWidth < g_karaokeX)
        g_karaokeX = screenW - g_karaokeWidth;
    if (screenH - g_karaokeHeight < g_karaokeY)
        g_karaokeY = screenH - g_karaokeHeight;
    if (g_karaokeX < 0)
        g_karaokeX = 0;
    if (g_karaokeY < 0)
        g_karaokeY = 0;
    // Copies: the move writes the new rectangle back into the same globals.
    const int x = g_karaokeX, y = g_karaokeY, w = g_karaokeWidth, h = g_karaokeHeight;
    SetWindowPos(&wndTop, x, y, w, h, SWP_SHOWWINDOW);
}

void CKaraoke::SetSongTitle(const std::string& path)
{
    MyFunctions fn;
    SetWindowText("Karaoke - " + fn.FileTitleFromPath(path));
    if (!g_cdgStream)
        Invalidate(TRUE);
}

void CKaraoke::OnCancel()
{
    g_karaokeOpen = 0;
    CToolDialog::OnCancel();
}

void CKaraoke::OnClose()
{
    // Only closing ends the companions; hiding the window keeps them.
    g_karaokeOpen = 0;
    CToolDialog::OnClose();
}

void CKaraoke::OnWindowPosChanged(WINDOWPOS* pos)
{
    CToolDialog::OnWindowPosChanged(pos);
    if (m_hWnd && !g_cdgStream)
        Invalidate(TRUE);
}

void CKaraoke::OnTimer(UINT_PTR id)
{
    if (id == kFrameTimer && g_cdgStream)
        Invalidate(FALSE);
}

// The frame is the whole 300 x 216 screen of the disc, stretched over the
// client area; its rows come bottom-up, so it is drawn mirrored to stand upright.
void CKaraoke::OnPaint()
{
    CBufferDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    if (g_cdgStream) {
        HBITMAP frame = KARALUX_GetCurrentBitmap(g_cdgStream);
        if (!frame)
            return;
        HBITMAP old = memory.SelectBitmap(frame);
        dc.StretchBlt(client.left, client.bottom - 1, client.Width(), -client.Height(), &memory, 0, 0, kFrameWidth,
                      kFrameHeight, SRCCOPY);
        memory.SelectBitmap(old);
        DeleteObject(frame);
        return;
    }
    CBitmap logo;
    if (!logo.LoadBitmap(kLogo))
        return;
    CBitmap* old = memory.SelectObject(&logo);
    dc.BitBlt(client.Width() / 2 - kLogoWidth / 2, client.Height() / 2 - kLogoHeight / 2, kLogoWidth, kLogoHeight,
              &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}
