#pragma once
// The tool windows, one line each: the View or Tools menu item
// that opens and closes the window, the code its close reports, and the
// globals and settings that keep its place. The main window's table
// (CMirtalDlg::ToolWindows) pairs each with its slot; the main window reads
// and stores the places through kAll (app/MirtalDlgPlaces.h).
#include "controls/ToolDialog.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/ResourceIds.h"

namespace toolwindows {

inline constexpr ToolWindowInfo kJukebox{
    ID_VIEW_JUKEBOX,
    CMD_JUKEBOX_CLOSED,
    {{&g_jukeboxPosX, "general - jukeboxpos_x"}, {&g_jukeboxPosY, "general - jukeboxpos_y"}}};
inline constexpr ToolWindowInfo kRecorder{
    ID_VIEW_RECORDER,
    CMD_RECORDER_CLOSED,
    {{&g_recorderPosX, "general - recordpos_x"}, {&g_recorderPosY, "general - recordpos_y"}}};
inline constexpr ToolWindowInfo kTimer{
    ID_VIEW_TIMER, CMD_TIMER_CLOSED, {{&g_timerPosX, "general - timerpos_x"}, {&g_timerPosY, "general - timerpos_y"}}};
inline constexpr ToolWindowInfo kMarkers{
    ID_VIEW_MARKERS,
    CMD_MARKERS_CLOSED,
    {{&g_markersPosX, "general - markerpos_x"}, {&g_markersPosY, "general - markerpos_y"}}};
inline constexpr ToolWindowInfo kSquareId{
    ID_VIEW_SQUAREID,
    CMD_SQUAREID_CLOSED,
    {{&g_squareIdPosX, "general - squareidpos_x"}, {&g_squareIdPosY, "general - squareidpos_y"}}};
inline constexpr ToolWindowInfo kCalls{ID_VIEW_CALLS,
                                       CMD_CALLS_CLOSED,
                                       {{&g_callsX, "general - callspos_x"},
                                        {&g_callsY, "general - callspos_y"},
                                        {&g_callsWidth, "general - callspos_width"},
                                        {&g_callsHeight, "general - callspos_height"}}};
inline constexpr ToolWindowInfo kEqualizer{
    ID_VIEW_EQUALIZER,
    CMD_EQUALIZER_CLOSED,
    {{&g_equalizerPosX, "general - equalizerpos_x"}, {&g_equalizerPosY, "general - equalizerpos_y"}}};
inline constexpr ToolWindowInfo kMusicManager{ID_TOOLS_MUSIC_MANAGER, CMD_MUSIC_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kPlaylistManager{ID_TOOLS_PLAYLIST_MANAGER, CMD_PLAYLIST_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kChoreoManager{ID_TOOLS_CHOREO_MANAGER, CMD_CHOREO_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kMemoryManager{ID_TOOLS_MEMORY_MANAGER, CMD_MEMORY_CLOSED, {}};
inline constexpr ToolWindowInfo kTrackManager{ID_TOOLS_TRACK_MANAGER, CMD_TRACK_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kMarryLyrics{ID_TOOLS_MARRY_LYRICS, CMD_MARRY_MGR_CLOSED, {}};
inline constexpr ToolWindowInfo kCueSheets{ID_TOOLS_CUESHEETS, CMD_CUESHEET_CLOSED, {}};
inline constexpr ToolWindowInfo kRecordDatabase{ID_TOOLS_RECORD_DATABASE, CMD_RECORDDB_CLOSED, {}};
inline constexpr ToolWindowInfo kCards{
    ID_VIEW_CARDS,
    CMD_CARDS_CLOSED,
    {{&g_cardsPosX, "general - computercardspos_x"}, {&g_cardsPosY, "general - computercardspos_y"}}};
inline constexpr ToolWindowInfo kMusicControl{ID_VIEW_MUSIC_CONTROL,
                                              CMD_MUSIC_CONTROL_CLOSED,
                                              {{&g_musicControlX, "general - musicctrlpos_x"},
                                               {&g_musicControlY, "general - musicctrlpos_y"},
                                               {&g_musicControlWidth, "general - musicctrlpos_w"},
                                               {&g_musicControlHeight, "general - musicctrlpos_h"}}};
inline constexpr ToolWindowInfo kHotkeys{
    ID_VIEW_HOTKEYS,
    CMD_HOTKEYS_VIEW_CLOSED,
    {{&g_hotkeysPosX, "general - hotkeypos_x"}, {&g_hotkeysPosY, "general - hotkeypos_y"}}};
inline constexpr ToolWindowInfo kKaraoke{ID_VIEW_KARAOKE,
                                         CMD_KARAOKE_CLOSED,
                                         {{&g_karaokeX, "general - karaoke_x"},
                                          {&g_karaokeY, "general - karaoke_y"},
                                          {&g_karaokeWidth, "general - karaoke_width"},
                                          {&g_karaokeHeight, "general - karaoke_height"}}};
inline constexpr ToolWindowInfo kTags{
    ID_VIEW_TAGS, CMD_TAGS_CLOSED, {{&g_tagsPosX, "general - tagspos_x"}, {&g_tagsPosY, "general - tagspos_y"}}};

// The two separate lyrics windows, opened by commands of the main window.
inline constexpr ToolWindowInfo kLyricsWindow1{0,
                                               CMD_LYRICS_WINDOW_CLOSED,
                                               {{&g_lyricsWindowX, "general - modelesslyrics_x"},
                                                {&g_lyricsWindowY, "general - modelesslyrics_y"},
                                                {&g_lyricsWindowWidth, "general - modelesslyrics_width"},
                                                {&g_lyricsWindowHeight, "general - modelesslyrics_height"}}};
inline constexpr ToolWindowInfo kLyricsWindow2{0,
                                               CMD_LYRICS_WINDOW2_CLOSED,
                                               {{&g_lyricsWindow2X, "general - modelesslyrics2_x"},
                                                {&g_lyricsWindow2Y, "general - modelesslyrics2_y"},
                                                {&g_lyricsWindow2Width, "general - modelesslyrics2_width"},
                                                {&g_lyricsWindow2Height, "general - modelesslyrics2_height"}}};

// Opened by the music page, not from a menu: the break timer's close asks the
// main window to destroy it; the marker timer bar has neither close nor place.
inline constexpr ToolWindowInfo kBreakTime{
    0, CMD_BREAK_CLOSE, {{&g_breakPosX, "general - pausepos_x"}, {&g_breakPosY, "general - pausepos_y"}}};
inline constexpr ToolWindowInfo kMarkerTimer{0, 0, {}};

// Every tool window above.
inline constexpr const ToolWindowInfo* kAll[] = {
    &kJukebox,     &kRecorder,       &kTimer,          &kMarkers,        &kSquareId,     &kCalls,
    &kEqualizer,   &kMusicManager,   &kPlaylistManager, &kChoreoManager, &kMemoryManager, &kTrackManager,
    &kMarryLyrics, &kCueSheets,      &kRecordDatabase, &kCards,          &kMusicControl, &kHotkeys,
    &kKaraoke,     &kTags,           &kLyricsWindow1,  &kLyricsWindow2, &kBreakTime,    &kMarkerTimer,
};

} // namespace toolwindows
