#pragma once
// The tool windows of the View and Tools menus, one line each: the menu item
// that opens and closes the window, the code its close reports, and the
// globals that keep its place. The main window's table
// (CMirtalDlg::ToolWindows) pairs each with its slot.
#include "app/ToolDialog.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/ResourceIds.h"

namespace toolwindows {

inline constexpr ToolWindowInfo kJukebox{ID_VIEW_JUKEBOX, CMD_JUKEBOX_CLOSED, {&g_jukeboxPosX, &g_jukeboxPosY}};
inline constexpr ToolWindowInfo kRecorder{ID_VIEW_RECORDER, CMD_RECORDER_CLOSED, {&g_recorderPosX, &g_recorderPosY}};
inline constexpr ToolWindowInfo kTimer{ID_VIEW_TIMER, CMD_TIMER_CLOSED, {&g_timerPosX, &g_timerPosY}};
inline constexpr ToolWindowInfo kMarkers{ID_VIEW_MARKERS, CMD_MARKERS_CLOSED, {&g_markersPosX, &g_markersPosY}};
inline constexpr ToolWindowInfo kSquareId{ID_VIEW_SQUAREID, CMD_SQUAREID_CLOSED, {&g_squareIdPosX, &g_squareIdPosY}};
inline constexpr ToolWindowInfo kCalls{ID_VIEW_CALLS, CMD_CALLS_CLOSED, {&g_callsX, &g_callsY, &g_callsWidth, &g_callsHeight}};
inline constexpr ToolWindowInfo kEqualizer{ID_VIEW_EQUALIZER, CMD_EQUALIZER_CLOSED, {&g_equalizerPosX, &g_equalizerPosY}};
inline constexpr ToolWindowInfo kMusicManager{ID_TOOLS_MUSIC_MANAGER, CMD_MUSIC_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kPlaylistManager{ID_TOOLS_PLAYLIST_MANAGER, CMD_PLAYLIST_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kChoreoManager{ID_TOOLS_CHOREO_MANAGER, CMD_CHOREO_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kMemoryManager{ID_TOOLS_MEMORY_MANAGER, CMD_MEMORY_CLOSED, {}};
inline constexpr ToolWindowInfo kTrackManager{ID_TOOLS_TRACK_MANAGER, CMD_TRACK_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kMarryLyrics{ID_TOOLS_MARRY_LYRICS, CMD_MARRY_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kCueSheets{ID_TOOLS_CUESHEETS, CMD_CUESHEET_CLOSED, {}};
inline constexpr ToolWindowInfo kRecordDatabase{ID_TOOLS_RECORD_DATABASE, CMD_RECORDDB_CLOSED, {}};
inline constexpr ToolWindowInfo kCards{ID_VIEW_CARDS, CMD_CARDS_CLOSED, {&g_cardsPosX, &g_cardsPosY}};
inline constexpr ToolWindowInfo kMusicControl{
    ID_VIEW_MUSIC_CONTROL,
    CMD_MUSIC_CONTROL_CLOSED,
    {&g_musicControlX, &g_musicControlY, &g_musicControlWidth, &g_musicControlHeight}};
inline constexpr ToolWindowInfo kHotkeys{ID_VIEW_HOTKEYS, CMD_HOTKEYS_VIEW_CLOSED, {&g_hotkeysPosX, &g_hotkeysPosY}};
inline constexpr ToolWindowInfo kKaraoke{
    ID_VIEW_KARAOKE, CMD_KARAOKE_CLOSED, {&g_karaokeX, &g_karaokeY, &g_karaokeWidth, &g_karaokeHeight}};
inline constexpr ToolWindowInfo kTags{ID_VIEW_TAGS, CMD_TAGS_CLOSED, {&g_tagsPosX, &g_tagsPosY}};

// Opened by the music page, not from a menu: the break timer's close asks the
// main window to destroy it; the marker timer bar has neither close nor place.
inline constexpr ToolWindowInfo kBreakTime{0, CMD_BREAK_CLOSE, {&g_breakPosX, &g_breakPosY}};
inline constexpr ToolWindowInfo kMarkerTimer{0, 0, {}};

} // namespace toolwindows
