#include "store/AppGlobals.h"

HWND g_mainWnd = nullptr;

int g_danceLevel = 0;
std::string g_levelCode;

int g_dlgColorR = 0;
int g_dlgColorG = 0;
int g_dlgColorB = 0;

int g_largeLayout = 0;
int g_compressedView = 0;
int g_tooltipsOn = 1;
int g_japanese = 0;
int g_gridLines = 0;
int g_colorAllRows = 0;
int g_markersShow = 0;
int g_markersTimer = 0;
int g_timerVisible = 0;
int g_hexagon = 0;
int g_lyricsShort = 0;
int g_lyricsShowMode = 0;
int g_lyricsSeparatePath = 0;
int g_autoScrollUnits = 0;
int g_autoScrollSec = 0;

int g_breakTimerOpen = 0;
int g_breakSecondsLeft = 0;

std::string g_lyricsPathGlobal;
std::string g_lyricsDir;
std::string g_dingPath;
std::string g_selectedSongPath;
std::string g_foundLyricsPath;
std::string g_queuedLyricsPath;
std::string g_htmlPath;
std::string g_droppedFilePath;

int g_cardsPosX = 100, g_cardsPosY = 100;
int g_tagsPosX = 100, g_tagsPosY = 100;
int g_breakPosX = 100, g_breakPosY = 100;
int g_equalizerPosX = 100, g_equalizerPosY = 100;
int g_squareIdPosX = 100, g_squareIdPosY = 100;
int g_callsX = 100, g_callsY = 100, g_callsWidth = 910, g_callsHeight = 505;
int g_hotkeysPosX = 100, g_hotkeysPosY = 100;
int g_musicControlX = 100, g_musicControlY = 100, g_musicControlWidth = 500, g_musicControlHeight = 300;
int g_recorderPosX = 100, g_recorderPosY = 100;
int g_jukeboxPosX = 100, g_jukeboxPosY = 100;
int g_aboutPosX = 100, g_aboutPosY = 100;
int g_markersPosX = 100, g_markersPosY = 100;
int g_timerPosX = 100, g_timerPosY = 100;
int g_lyricsWindowX = 100, g_lyricsWindowY = 100, g_lyricsWindowWidth = 600, g_lyricsWindowHeight = 600;
int g_lyricsWindow2X = 100, g_lyricsWindow2Y = 100, g_lyricsWindow2Width = 600, g_lyricsWindow2Height = 600;
int g_karaokeX = 100, g_karaokeY = 100, g_karaokeWidth = 600, g_karaokeHeight = 600;

int g_colWidth1_0 = 70, g_colWidth1_1 = 212, g_colWidth1_2 = 20, g_colWidth1_3 = 20, g_colWidth1_4 = 20;
int g_colWidth2_0 = 70, g_colWidth2_1 = 212, g_colWidth2_2 = 20, g_colWidth2_3 = 20, g_colWidth2_4 = 20;
int g_colWidth3_0 = 70, g_colWidth3_1 = 212, g_colWidth3_2 = 20, g_colWidth3_3 = 20, g_colWidth3_4 = 20;

std::string g_cssTextFontName = "Comic Sans MS";
std::string g_cssHeaderFontSize = "4", g_cssLyricsFontSize = "3", g_cssTextFontSize = "14",
            g_cssTitleFontSize = "4", g_cssLabelFontSize = "2";
std::string g_cssHeaderFontWeight = "Bold", g_cssLyricsFontWeight = "Normal", g_cssTextFontWeight = "Normal",
            g_cssTitleFontWeight = "Normal", g_cssLabelFontWeight = "Normal";
std::string g_cssHeaderColor = "#000000", g_cssLyricsColor = "#00FF00", g_cssLyricsBgColor = "#00FFFF",
            g_cssTextBgColor = "#FF0000", g_cssTextColor = "#000000", g_cssTitleColor = "#E4E4E4",
            g_cssLabelColor = "#FF00FF";
