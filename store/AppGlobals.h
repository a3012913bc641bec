#pragma once
// Program-wide globals owned by the main window: the window itself, the dance
// level, display switches, window places, column widths, style-sheet values
// and the paths handed between windows with command codes.
#include "platform/win/WinTypes.h"

#include <string>

extern HWND g_mainWnd; // the one main window; receives every command code

extern int g_danceLevel;      // 1..10
extern std::string g_levelCode; // "basic" .. "c4"

extern int g_dlgColorR;       // dialog background colour
extern int g_dlgColorG;
extern int g_dlgColorB;

// Display switches
extern int g_largeLayout;
extern int g_compressedView;
extern int g_tooltipsOn;
extern int g_japanese;
extern int g_gridLines;
extern int g_colorAllRows;
extern int g_markersShow;
extern int g_markersTimer;
extern int g_timerVisible;
extern int g_hexagon;
extern int g_lyricsShort;
extern int g_lyricsShowMode;  // 0 lyrics page, 1 music page, 2 lyrics window 1
extern int g_lyricsSeparatePath;
extern int g_autoScrollUnits;
extern int g_autoScrollSec;

// Break timer
extern int g_breakTimerOpen;
extern int g_breakSecondsLeft;

// Paths
extern std::string g_lyricsPathGlobal;
extern std::string g_lyricsDir;
extern std::string g_dingPath;
extern std::string g_selectedSongPath;
extern std::string g_foundLyricsPath;
extern std::string g_queuedLyricsPath;
extern std::string g_htmlPath;
extern std::string g_droppedFilePath;

// Window places
extern int g_cardsPosX, g_cardsPosY;
extern int g_tagsPosX, g_tagsPosY;
extern int g_breakPosX, g_breakPosY;
extern int g_equalizerPosX, g_equalizerPosY;
extern int g_squareIdPosX, g_squareIdPosY;
extern int g_callsX, g_callsY, g_callsWidth, g_callsHeight;
extern int g_hotkeysPosX, g_hotkeysPosY;
extern int g_musicControlX, g_musicControlY, g_musicControlWidth, g_musicControlHeight;
extern int g_recorderPosX, g_recorderPosY;
extern int g_jukeboxPosX, g_jukeboxPosY;
extern int g_aboutPosX, g_aboutPosY;
extern int g_markersPosX, g_markersPosY;
extern int g_timerPosX, g_timerPosY;
extern int g_lyricsWindowX, g_lyricsWindowY, g_lyricsWindowWidth, g_lyricsWindowHeight;
extern int g_lyricsWindow2X, g_lyricsWindow2Y, g_lyricsWindow2Width, g_lyricsWindow2Height;
extern int g_karaokeX, g_karaokeY, g_karaokeWidth, g_karaokeHeight;

// Column widths of the three song lists: g_colWidth<list>_<column>
extern int g_colWidth1_0, g_colWidth1_1, g_colWidth1_2, g_colWidth1_3, g_colWidth1_4;
extern int g_colWidth2_0, g_colWidth2_1, g_colWidth2_2, g_colWidth2_3, g_colWidth2_4;
extern int g_colWidth3_0, g_colWidth3_1, g_colWidth3_2, g_colWidth3_3, g_colWidth3_4;

// Style-sheet values of the generated pages
extern std::string g_cssTextFontName;
extern std::string g_cssHeaderFontSize, g_cssLyricsFontSize, g_cssTextFontSize, g_cssTitleFontSize,
    g_cssLabelFontSize;
extern std::string g_cssHeaderFontWeight, g_cssLyricsFontWeight, g_cssTextFontWeight, g_cssTitleFontWeight,
    g_cssLabelFontWeight;
extern std::string g_cssHeaderColor, g_cssLyricsColor, g_cssLyricsBgColor, g_cssTextBgColor, g_cssTextColor,
    g_cssTitleColor, g_cssLabelColor;
