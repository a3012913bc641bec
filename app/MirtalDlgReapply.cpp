// After a settings dialog ended with OK: the running program takes the new
// values (the open tool windows, the shared globals, the pages).
#include "app/MirtalDlg.h"

#include "app/BreakTime.h"
#include "app/Calls.h"
#include "app/ComputerCards.h"
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
#include "store/PlayerGlobals.h"
#include "platform/win/Menu.h"
#include "player/Record.h"
#include "store/StoreGlobals.h"
#include "texts/SqRecord.h"

namespace {

constexpr UINT kViewMusicMarkers = 32806;

} // namespace

void CMirtalDlg::ApplySettings()
{
    // The open tool windows take the new colours.
    if (m_karaoke)
        m_karaoke->RestartFrameTimer();
    if (m_recordDb)
        m_recordDb->RefreshBackground();
    if (m_jukebox)
        m_jukebox->ApplyDialogColour();
    if (m_markers)
        m_markers->ApplyDialogColour();
    if (m_equalizer)
        m_equalizer->ApplyDialogColour();
    if (m_recorder)
        m_recorder->ApplyDialogColour();
    if (m_hotkeysView)
        m_hotkeysView->ApplyDialogColor();
    if (m_timerWindow)
        m_timerWindow->ApplyColours();
    if (m_calls)
        m_calls->ApplyColors();
    if (m_squareId)
        m_squareId->ApplyDialogColor();
    if (m_breakTimer)
        m_breakTimer->ReloadSettings();
    if (m_markerTimer)
        m_markerTimer->ApplyColours();
    if (m_cards)
        m_cards->ApplyDialogColor();
    if (m_tags)
        m_tags->ApplyDialogColor();
    if (m_musicControl)
        m_musicControl->ApplyDialogColor();

    const int listFormatBefore = g_listDefFormatHtml;

    CMusicDb& db = m_musicDb;
    db.BeginBatch();
    g_lyricsPathGlobal = db.GetSetting("lyrics - pathglobal", 0);
    g_lyricsShort = db.GetSettingBool("lyrics - short", 0);
    g_dingPath = db.GetSetting("general - dingpath", 0);
    g_autoScrollUnits = db.GetSettingInt("general - autoschroll_units", 0);
    g_autoScrollSec = db.GetSettingInt("general - autoschroll_sec", 0);
    g_tooltipsOn = db.GetSettingBool("general - tooltip", 0);
    g_lyricsSeparatePath = db.GetSettingBool("lyrics - separatepath", 0);
    g_listDefFormatHtml = db.GetSettingBool("general - listdefformat", 0);
    g_eqEachSong = db.GetSettingBool("music - eqeachsong", 0);
    m_breakMusicPath = db.GetSetting("music - pausepath", 0);
    g_markersShow = db.GetSettingInt("markers - show", 0);
    m_arrowScrollText = db.GetSettingInt("general - arrowscrolltext", 0);
    m_pageScrollText = db.GetSettingInt("general - pagescrolltext", 0);
    m_arrowScrollHtml = db.GetSettingInt("general - arrowscrollhtml", 0);
    m_pageScrollHtml = db.GetSettingInt("general - pagescrollhtml", 0);

    ReadStyleSheetValues(db);

    SetSliderStyle(db.GetSettingInt("music - progressbar", 0));
    ShowPosition();
    g_defaultVolume = db.GetSettingInt("music - defaultvolume", 0);
    const std::string oldSoundFont = g_soundFontPath;
    g_soundFontPath = db.GetSetting("music - soundfont", 0);
    if (g_soundFontPath != oldSoundFont)
        m_dlgMp3.LoadSoundFont();
    g_compressedView = db.GetSettingBool("general - compressedview", 0);
    const std::string musicCaption = db.GetSetting("music - headname", 0);
    if (m_tabs[0])
        m_tabCtrl.SetTabText(m_tabs[0], musicCaption.c_str());
    const std::string lyricsCaption = db.GetSetting("lyrics - headname", 0);
    if (m_tabs[1])
        m_tabCtrl.SetTabText(m_tabs[1], lyricsCaption.c_str());
    m_f8SoundPath = db.GetSetting("music - playmusic1", 0);
    m_f9SoundPath = db.GetSetting("music - playmusic2", 0);
    g_japanese = db.GetSettingBool("general - japanese", 0);
    g_markersTimer = db.GetSettingBool("markers - timer", 0);
    const bool relocate = db.GetSettingBool("general - currentdrive", 0);
    g_gridLines = db.GetSettingBool("music - gridlines", 0);
    g_colorAllRows = db.GetSettingBool("music - colorallrows", 0);
    g_hexagon = db.GetSettingBool("general - hexagon", 0);
    db.CommitBatch();

    if (g_listDefFormatHtml != listFormatBefore) {
        // The level documents follow the new format; the pages load them with the level.
        db.SetDefaultPaths(0);
        SetLevel(g_danceLevel);
    }
    if (g_largeLayout)
        g_compressedView = 0;
    if (relocate)
        db.RelocatePaths();
    m_tabCtrl.Update(true);
    m_dlgMp3.ReloadSettings();
    m_dlgLyrics.ApplyColors();

    // Markers between window and panel; the panel flag itself stays as it is.
    if (m_markersPanel && g_markersShow == 0) {
        m_dlgMp3.ShowMarkersPanel(false, false);
        OnViewMusicMarkers();
        m_markerTimer.Destroy();
    }
    if (m_markers && g_markersShow == 1) {
        m_markers.Destroy();
        CheckViewItem(kViewMusicMarkers, MF_UNCHECKED); // no mark for a window that is gone
        m_dlgMp3.ShowMarkersPanel(true, false);
        ShowMarkerTimer(g_markersTimer != 0);
    }

    if (m_squareId)
        m_squareId->ApplyLayout();
    // Also the pages a level with fewer tabs keeps hidden: they come back with the rest.
    for (CDlgList& page : m_dlgList)
        if (page.m_hWnd)
            page.ApplyClockSettings();
    UpdateData(FALSE);
}
