// Operations of the music page whose work comes with the song lists, the
// lyrics view, the markers, the dance and break timers, the jukebox and the
// tempo controls; until then each reports its call.
#include "player/DlgMp3.h"

#include "app/CallRecorder.h"

// ---- song lists
void CDlgMp3::InitTrackFilterLabels() {}
void CDlgMp3::LoadLevelPlaylists(int level) { CALLREC("CDlgMp3::LoadLevelPlaylists", level); }
void CDlgMp3::MarkRow(int list, int row, const std::string& path) { CALLREC("CDlgMp3::MarkRow", list, row, path); }
void CDlgMp3::ReloadList(int list) { CALLREC("CDlgMp3::ReloadList", list); }
void CDlgMp3::ReloadAllLists() { CALLREC("CDlgMp3::ReloadAllLists"); }
void CDlgMp3::ToggleListSource(int list) { CALLREC("CDlgMp3::ToggleListSource", list); }
void CDlgMp3::OnTrackingToggle() { CALLREC("CDlgMp3::OnTrackingToggle"); }
void CDlgMp3::ToggleSongFlag(int flag) { CALLREC("CDlgMp3::ToggleSongFlag", flag); }
void CDlgMp3::ClearComboHistories() { CALLREC("CDlgMp3::ClearComboHistories"); }
void CDlgMp3::AddSongRow(const std::string& path, int list, int position)
{
    CALLREC("CDlgMp3::AddSongRow", path, list, position);
}
void CDlgMp3::RefreshListCount(int list) { CALLREC("CDlgMp3::RefreshListCount", list); }
void CDlgMp3::RemoveSelectedRow(int list) { CALLREC("CDlgMp3::RemoveSelectedRow", list); }
void CDlgMp3::ReloadList1() { ReloadList(1); }
void CDlgMp3::ReloadList2() { ReloadList(2); }
void CDlgMp3::ReloadList3() { ReloadList(3); }

// ---- queue
void CDlgMp3::LoadPlaylistIntoQueue() { CALLREC("CDlgMp3::LoadPlaylistIntoQueue"); }

// ---- markers
