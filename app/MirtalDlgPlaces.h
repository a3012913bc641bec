#pragma once
// The window places and list column widths the main window keeps as
// settings: read at start, read again by Restore Database and written at the
// end. One table, so a new window's place cannot be read but never saved.
#include "store/AppGlobals.h"

#include <string>

namespace mainplaces {

struct Place {
    const char* key;
    int* value;
    // Restore Database reads it again; the karaoke window keeps where it is.
    bool restored;
};

inline constexpr Place kPlaces[] = {
    {"general - modelesslyrics_x", &g_lyricsWindowX, true},
    {"general - modelesslyrics_y", &g_lyricsWindowY, true},
    {"general - modelesslyrics_width", &g_lyricsWindowWidth, true},
    {"general - modelesslyrics_height", &g_lyricsWindowHeight, true},
    {"general - karaoke_x", &g_karaokeX, false},
    {"general - karaoke_y", &g_karaokeY, false},
    {"general - karaoke_width", &g_karaokeWidth, false},
    {"general - karaoke_height", &g_karaokeHeight, false},
    {"general - modelesslyrics2_x", &g_lyricsWindow2X, true},
    {"general - modelesslyrics2_y", &g_lyricsWindow2Y, true},
    {"general - modelesslyrics2_width", &g_lyricsWindow2Width, true},
    {"general - modelesslyrics2_height", &g_lyricsWindow2Height, true},
    {"general - pausepos_x", &g_breakPosX, true},
    {"general - pausepos_y", &g_breakPosY, true},
    {"general - timerpos_x", &g_timerPosX, true},
    {"general - timerpos_y", &g_timerPosY, true},
    {"general - jukeboxpos_x", &g_jukeboxPosX, true},
    {"general - jukeboxpos_y", &g_jukeboxPosY, true},
    {"general - aboutpos_x", &g_aboutPosX, true},
    {"general - aboutpos_y", &g_aboutPosY, true},
    {"general - recordpos_x", &g_recorderPosX, true},
    {"general - recordpos_y", &g_recorderPosY, true},
    {"general - markerpos_x", &g_markersPosX, true},
    {"general - markerpos_y", &g_markersPosY, true},
    {"general - equalizerpos_x", &g_equalizerPosX, true},
    {"general - equalizerpos_y", &g_equalizerPosY, true},
    {"general - squareidpos_x", &g_squareIdPosX, true},
    {"general - squareidpos_y", &g_squareIdPosY, true},
    {"general - callspos_x", &g_callsX, true},
    {"general - callspos_y", &g_callsY, true},
    {"general - callspos_width", &g_callsWidth, true},
    {"general - callspos_height", &g_callsHeight, true},
    {"general - hotkeypos_x", &g_hotkeysPosX, true},
    {"general - hotkeypos_y", &g_hotkeysPosY, true},
    {"general - musicctrlpos_x", &g_musicControlX, true},
    {"general - musicctrlpos_y", &g_musicControlY, true},
    {"general - musicctrlpos_w", &g_musicControlWidth, true},
    {"general - musicctrlpos_h", &g_musicControlHeight, true},
    {"general - computercardspos_x", &g_cardsPosX, true},
    {"general - computercardspos_y", &g_cardsPosY, true},
    {"general - tagspos_x", &g_tagsPosX, true},
    {"general - tagspos_y", &g_tagsPosY, true},
};

// Song list 1..3 of the music page, columns 0..4.
inline constexpr int* kColumnWidths[3][5] = {
    {&g_colWidth1_0, &g_colWidth1_1, &g_colWidth1_2, &g_colWidth1_3, &g_colWidth1_4},
    {&g_colWidth2_0, &g_colWidth2_1, &g_colWidth2_2, &g_colWidth2_3, &g_colWidth2_4},
    {&g_colWidth3_0, &g_colWidth3_1, &g_colWidth3_2, &g_colWidth3_3, &g_colWidth3_4},
};

inline std::string ColumnWidthKey(int list, int column)
{
    return "music - colwidth" + std::to_string(list + 1) + "_" + std::to_string(column);
}

} // namespace mainplaces
