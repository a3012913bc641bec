// The handlers of the window and document commands (lyrics windows, editor,
// break timer, marker timer, equalizer, managers' refreshes, automatic
// scrolling) and of Restore Windows Positions. Until their own work comes,
// each reports to the call record; that report line stays first in the body.
#include "app/MirtalDlg.h"

#include "app/CallRecorder.h"

void CMirtalDlg::OnRecorderMusicStarted() { CALLREC("CMirtalDlg::OnRecorderMusicStarted"); }
void CMirtalDlg::OnRecorderMusicStopped() { CALLREC("CMirtalDlg::OnRecorderMusicStopped"); }
void CMirtalDlg::CloseLyricsWindow(int window) { CALLREC("CMirtalDlg::CloseLyricsWindow", window); }
void CMirtalDlg::OpenBreakTimer() { CALLREC("CMirtalDlg::OpenBreakTimer"); }
void CMirtalDlg::CloseBreakTimer() { CALLREC("CMirtalDlg::CloseBreakTimer"); }
void CMirtalDlg::OpenBreakTimerAuto() { CALLREC("CMirtalDlg::OpenBreakTimerAuto"); }
void CMirtalDlg::NextCardTip() { CALLREC("CMirtalDlg::NextCardTip"); }
void CMirtalDlg::OnSongLoaded() { CALLREC("CMirtalDlg::OnSongLoaded"); }
void CMirtalDlg::OnPlayStarted() { CALLREC("CMirtalDlg::OnPlayStarted"); }

void CMirtalDlg::ShowHtmlFile(const std::string& path, bool edit, int mode)
{
    CALLREC("CMirtalDlg::ShowHtmlFile", path, edit, mode);
}

void CMirtalDlg::ToggleQueuedLyrics() { CALLREC("CMirtalDlg::ToggleQueuedLyrics"); }
void CMirtalDlg::ToggleMarkerPanel() { CALLREC("CMirtalDlg::ToggleMarkerPanel"); }
void CMirtalDlg::RepositionMarkerTimer() { CALLREC("CMirtalDlg::RepositionMarkerTimer"); }
void CMirtalDlg::AutoScrollLyrics() { CALLREC("CMirtalDlg::AutoScrollLyrics"); }
void CMirtalDlg::RefreshMemoryManager() { CALLREC("CMirtalDlg::RefreshMemoryManager"); }
void CMirtalDlg::ReloadLyrics() { CALLREC("CMirtalDlg::ReloadLyrics"); }
void CMirtalDlg::RefreshManager(UINT code) { CALLREC("CMirtalDlg::RefreshManager", code); }
void CMirtalDlg::SwitchEqualizer(bool on, bool selectStored) { CALLREC("CMirtalDlg::SwitchEqualizer", on, selectStored); }

void CMirtalDlg::ToggleLyricsWindowKeys()
{
    CALLREC("CMirtalDlg::ToggleLyricsWindowKeys");
    m_lyricsWindowKeys = m_lyricsWindowKeys ? 0 : 1;
}

void CMirtalDlg::AdjustBreakMinute(bool up) { CALLREC("CMirtalDlg::AdjustBreakMinute", up); }
void CMirtalDlg::RefreshMusicControl() { CALLREC("CMirtalDlg::RefreshMusicControl"); }
void CMirtalDlg::ShowMarkerTimer(bool show) { CALLREC("CMirtalDlg::ShowMarkerTimer", show); }
void CMirtalDlg::RestoreWindowPositions() { CALLREC("CMirtalDlg::RestoreWindowPositions"); }
