// The main window's wheel, its move (which drags the marker timer window
// along) and File > Restore Windows Positions.
#include "app/MirtalDlg.h"

#include "app/BreakTime.h"
#include "app/Calls.h"
#include "app/ComputerCards.h"
#include "app/MirtalDlgPlaces.h"
#include "app/ModelessLyrics.h"
#include "app/MusicControl.h"
#include "app/SquareID.h"
#include "app/TagsDlg.h"
#include "app/Timer.h"
#include "app/TimerMarkers.h"
#include "app/ViewHotkeys.h"
#include "player/Equalizer.h"
#include "player/JukeBox.h"
#include "player/Karaoke.h"
#include "player/Markers.h"
#include "player/Record.h"

BOOL CMirtalDlg::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    const int page = GetCurrentPage();
    // A notch away from the user moves the document up.
    const int amount = delta > 0 ? -80 : 80;
    if (page == 0) {
        if (m_lyricsWindow1)
            m_lyricsWindow1->ScrollBy(amount);
        else
            m_dlgMp3.ScrollLyricsOrList(amount, amount);
    } else if (page == 1) {
        m_dlgLyrics.ScrollBy(amount, amount);
    } else if (page <= 11) {
        // Tabs 12 and up are left to the arrow and page keys.
        m_dlgList[size_t(page - 2)].ScrollBy(amount, amount);
    }
    return CDialogEx::OnMouseWheel(flags, delta, point);
}

void CMirtalDlg::OnMove(int x, int y)
{
    CDialogEx::OnMove(x, y);
    RepositionMarkerTimer();
}

void CMirtalDlg::RepositionMarkerTimer()
{
    if (m_markerTimer && m_layoutReady && m_markersPanel && g_markersTimer)
        m_markerTimer->Reposition();
}

void CMirtalDlg::RestoreWindowPositions()
{
    for (const ToolWindowInfo* info : toolwindows::kAll)
        for (const PlaceValue* v : {&info->place.x, &info->place.y})
            if (v->value)
                *v->value = 100;
    g_aboutPosX = g_aboutPosY = 100;
    g_karaokeWidth = 400;
    g_karaokeHeight = 300;
    g_musicControlWidth = 500;
    g_musicControlHeight = 400;
    g_lyricsWindowWidth = g_lyricsWindow2Width = 400;
    g_lyricsWindowHeight = g_lyricsWindow2Height = 500;

    if (m_jukebox)
        m_jukebox->PlaceWindow();
    if (m_markers)
        m_markers->PlaceWindow();
    if (m_hotkeysView)
        m_hotkeysView->PlaceWindow();
    if (m_karaoke)
        m_karaoke->PlaceWindow();
    if (m_cards)
        m_cards->PlaceWindow();
    if (m_recorder)
        m_recorder->PlaceWindow();
    if (m_tags)
        m_tags->PlaceWindow();
    // The square identification is not moved now; only its focus is parked.
    if (m_squareId)
        m_squareId->ParkFocus();
    if (m_equalizer)
        m_equalizer->PlaceWindow();
    if (m_calls)
        m_calls->PlaceWindow();
    if (m_timerWindow)
        m_timerWindow->PlaceWindow();
    if (m_breakTimer)
        m_breakTimer->PlaceWindow();
    if (m_musicControl)
        m_musicControl->PlaceWindow();
    if (m_lyricsWindow1)
        m_lyricsWindow1->RestorePlacement();
}
