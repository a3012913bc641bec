#include "player/DlgMp3.h"
#include "store/ResourceIds.h"

#include "store/AppGlobals.h"
#include "app/CallRecorder.h"
#include "store/SendCommand.h"
#include "platform/win/DataExchange.h"
#include "store/PlayerGlobals.h"

#include <algorithm>

CDlgMp3::CDlgMp3(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgMp3::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_FOCUS_SINK, m_commandSink);
    DDX_Text(dx, IDC_FOCUS_SINK, m_commandSinkText);
}

BOOL CDlgMp3::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    return TRUE;
}

void CDlgMp3::InitTrackFilterLabels() {}

void CDlgMp3::OnMarkersButton()
{
    SendCommand(g_markersShow ? CMD_TOGGLE_MARKER_PANEL : CMD_TOGGLE_MARKERS);
}

void CDlgMp3::RestoreFocus(int refresh)
{
    m_commandSinkText.clear();
    if (m_commandSink.m_hWnd)
        m_commandSink.SetFocus();
    if (refresh)
        UpdateData(FALSE);
}

void CDlgMp3::LoadLevelPlaylists(int level) { CALLREC("CDlgMp3::LoadLevelPlaylists", level); }

// ---- playback ---------------------------------------------------------------------------

void CDlgMp3::MusicAction(int action) { CALLREC("CDlgMp3::MusicAction", action); }
void CDlgMp3::Play() { CALLREC("CDlgMp3::Play"); }
void CDlgMp3::Pause() { CALLREC("CDlgMp3::Pause"); }

void CDlgMp3::PlayPause()
{
    CALLREC("CDlgMp3::PlayPause");
    if (g_playing)
        Pause();
    else
        Play();
}

void CDlgMp3::FadeOut() { CALLREC("CDlgMp3::FadeOut"); }
void CDlgMp3::PlayFromStart() { CALLREC("CDlgMp3::PlayFromStart"); }
void CDlgMp3::ApplyEqualizer(int create) { CALLREC("CDlgMp3::ApplyEqualizer", create); }
void CDlgMp3::UpdateStatusTexts() { CALLREC("CDlgMp3::UpdateStatusTexts"); }
void CDlgMp3::SeekToPosition() { CALLREC("CDlgMp3::SeekToPosition"); }

void CDlgMp3::SeekTo(float seconds)
{
    CALLREC("CDlgMp3::SeekTo", seconds);
    g_position = std::clamp(seconds, 0.0f, float(std::max(g_songLength, 0)));
}

void CDlgMp3::SaveSongSettings() { CALLREC("CDlgMp3::SaveSongSettings"); }
void CDlgMp3::OpenFileDirect(const std::string& path) { CALLREC("CDlgMp3::OpenFileDirect", path); }
void CDlgMp3::CloseFindLyricsWindow() { CALLREC("CDlgMp3::CloseFindLyricsWindow"); }
void CDlgMp3::TakeFoundLyrics() { CALLREC("CDlgMp3::TakeFoundLyrics"); }
void CDlgMp3::JukeboxPlayNext() { CALLREC("CDlgMp3::JukeboxPlayNext"); }
void CDlgMp3::ReloadAllLists() { CALLREC("CDlgMp3::ReloadAllLists"); }
void CDlgMp3::OnLoopToggle() { CALLREC("CDlgMp3::OnLoopToggle"); }
void CDlgMp3::OnAutostartToggle() { CALLREC("CDlgMp3::OnAutostartToggle"); }
void CDlgMp3::OnTrackingToggle() { CALLREC("CDlgMp3::OnTrackingToggle"); }
void CDlgMp3::OnLyricsOnPlayToggle() { CALLREC("CDlgMp3::OnLyricsOnPlayToggle"); }
void CDlgMp3::OnLyricsSearchList1() { CALLREC("CDlgMp3::OnLyricsSearchList1"); }
void CDlgMp3::OnLyricsSearchList2() { CALLREC("CDlgMp3::OnLyricsSearchList2"); }
void CDlgMp3::OnLyricsSearchList3() { CALLREC("CDlgMp3::OnLyricsSearchList3"); }
void CDlgMp3::SetAutoLoop() { CALLREC("CDlgMp3::SetAutoLoop"); }
void CDlgMp3::OnPlayNextQueued() { CALLREC("CDlgMp3::OnPlayNextQueued"); }
void CDlgMp3::ToggleListSource(int list) { CALLREC("CDlgMp3::ToggleListSource", list); }
void CDlgMp3::DanceTimerCommand(int type) { CALLREC("CDlgMp3::DanceTimerCommand", type); }
void CDlgMp3::ToggleVolumeDecrease() { CALLREC("CDlgMp3::ToggleVolumeDecrease"); }
void CDlgMp3::ShowFindLyricsWindow() { CALLREC("CDlgMp3::ShowFindLyricsWindow"); }
void CDlgMp3::MarkerCommand(int command) { CALLREC("CDlgMp3::MarkerCommand", command); }
void CDlgMp3::FadeToNextInList() { CALLREC("CDlgMp3::FadeToNextInList"); }
void CDlgMp3::ToggleSongFlag(int flag) { CALLREC("CDlgMp3::ToggleSongFlag", flag); }
void CDlgMp3::JumpToMiddle() { CALLREC("CDlgMp3::JumpToMiddle"); }
void CDlgMp3::LoadPlaylistIntoQueue() { CALLREC("CDlgMp3::LoadPlaylistIntoQueue"); }
void CDlgMp3::OpenPreviousSong() { CALLREC("CDlgMp3::OpenPreviousSong"); }

void CDlgMp3::CycleLyricsShowMode()
{
    CALLREC("CDlgMp3::CycleLyricsShowMode");
    g_lyricsShowMode = (g_lyricsShowMode + 1) % 3;
}

void CDlgMp3::ScrollLyricsOrList(int htmlAmount, int textAmount)
{
    CALLREC("CDlgMp3::ScrollLyricsOrList", htmlAmount, textAmount);
}

// ---- lyrics view and markers --------------------------------------------------------------

void CDlgMp3::LoadLyricsDocument(const std::string& path) { CALLREC("CDlgMp3::LoadLyricsDocument", path); }

void CDlgMp3::ShowLyricsView()
{
    CALLREC("CDlgMp3::ShowLyricsView");
    m_lyricsViewShown = true;
}

void CDlgMp3::ShowLyricsButton() { CALLREC("CDlgMp3::ShowLyricsButton"); }

void CDlgMp3::ToggleLyricsView()
{
    CALLREC("CDlgMp3::ToggleLyricsView");
    m_lyricsViewShown = !m_lyricsViewShown;
}

bool CDlgMp3::IsLyricsViewShown() { return m_lyricsViewShown; }
void CDlgMp3::ReloadLyricsDocument() { CALLREC("CDlgMp3::ReloadLyricsDocument"); }
void CDlgMp3::ShowMarkersPanel(bool show, bool skipLayout)
{
    CALLREC("CDlgMp3::ShowMarkersPanel", show, skipLayout);
    m_markersPanelShown = show;
}
void CDlgMp3::LoadSongMarkers() { CALLREC("CDlgMp3::LoadSongMarkers"); }
void CDlgMp3::TakeQueuedLyrics() { CALLREC("CDlgMp3::TakeQueuedLyrics"); }

// ---- settings and audio ---------------------------------------------------------------------

void CDlgMp3::ClearComboHistories() { CALLREC("CDlgMp3::ClearComboHistories"); }
void CDlgMp3::RestartAudio() { CALLREC("CDlgMp3::RestartAudio"); }
void CDlgMp3::LoadFixedBpmSettings() { CALLREC("CDlgMp3::LoadFixedBpmSettings"); }
void CDlgMp3::LoadAdjustPitchSettings() { CALLREC("CDlgMp3::LoadAdjustPitchSettings"); }
void CDlgMp3::ReloadSettings() { CALLREC("CDlgMp3::ReloadSettings"); }
void CDlgMp3::LoadSoundFont() { CALLREC("CDlgMp3::LoadSoundFont"); }
