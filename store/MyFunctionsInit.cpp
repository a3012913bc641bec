// MyFunctions::InitGlobals: defined start values of every shared global,
// given once by the main window before anything reads them.
#include "store/MyFunctions.h"

#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

void MyFunctions::InitGlobals() const
{
    // Flags and numbers 0
    for (int* v : {&g_markersShow, &g_japanese, &g_keychangeSteps, &g_listDefFormatHtml, &g_karaokeOpen,
                   &g_largeLayout, &g_gridLines, &g_colorAllRows, &g_lyricsShort, &g_breakTimerOpen,
                   &g_timerVisible, &g_compressedView, &g_eqTempo, &g_eqPitch, &g_autoScrollUnits,
                   &g_autoScrollSec, &g_markersTimer, &g_sinceMarkerSeconds, &g_lyricsSeparatePath,
                   &g_breakSecondsLeft, &g_songLength, &g_songRating, &g_fadeInNextPlay, &g_eqOn, &g_eqBass,
                   &g_eqMid, &g_eqTreble, &g_danceTimerSeconds, &g_jukeboxMode, &g_jukeboxRandom,
                   &g_jukeboxShortPlay, &g_playing, &g_danceLevel, &g_lyricsShowMode, &g_hexagon})
        *v = 0;
    g_cdgStream = 0;
    g_mainWnd = nullptr;

    for (float* v : {&g_keychangeTime, &g_position, &g_pitch, &g_tempo, &g_loopStart, &g_loopEnd})
        *v = 0.0f;

    g_eqEachSong = 1;
    g_tooltipsOn = 1;
    g_maxVolume = 1;
    g_logEnabled = 1;
    g_danceTimerState = 1;

    g_outputDevice = -1;
    g_speedHz = 44100;
    g_songVolume = 100;
    g_masterVolume = 100;
    g_defaultVolume = 100;

    for (int* v : {&g_cardsPosX,     &g_cardsPosY,     &g_tagsPosX,      &g_tagsPosY,      &g_breakPosX,
                   &g_breakPosY,     &g_equalizerPosX, &g_equalizerPosY, &g_squareIdPosX,  &g_squareIdPosY,
                   &g_callsX,        &g_callsY,        &g_hotkeysPosX,   &g_hotkeysPosY,   &g_musicControlX,
                   &g_musicControlY, &g_recorderPosX,  &g_recorderPosY,  &g_jukeboxPosX,   &g_jukeboxPosY,
                   &g_aboutPosX,     &g_aboutPosY,     &g_markersPosX,   &g_markersPosY,   &g_timerPosX,
                   &g_timerPosY,     &g_lyricsWindowX, &g_lyricsWindowY, &g_karaokeX,      &g_karaokeY,
                   &g_lyricsWindow2X, &g_lyricsWindow2Y})
        *v = 100;

    g_callsWidth = 910;
    g_callsHeight = 505;
    g_musicControlWidth = 500;
    g_musicControlHeight = 300;
    for (int* v : {&g_lyricsWindowWidth, &g_lyricsWindowHeight, &g_lyricsWindow2Width, &g_lyricsWindow2Height,
                   &g_karaokeWidth, &g_karaokeHeight})
        *v = 600;

    int* const widths[3][5] = {
        {&g_colWidth1_0, &g_colWidth1_1, &g_colWidth1_2, &g_colWidth1_3, &g_colWidth1_4},
        {&g_colWidth2_0, &g_colWidth2_1, &g_colWidth2_2, &g_colWidth2_3, &g_colWidth2_4},
        {&g_colWidth3_0, &g_colWidth3_1, &g_colWidth3_2, &g_colWidth3_3, &g_colWidth3_4},
    };
    const int startWidths[5] = {70, 212, 20, 20, 20};
    for (auto& list : widths)
        for (int c = 0; c < 5; ++c)
            *list[c] = startWidths[c];

    const struct {
        std::string* text;
        const char* value;
    } texts[] = {
        {&g_cssTextFontName, "Comic Sans MS"},
        {&g_cssHeaderFontSize, "4"},
        {&g_cssLyricsFontSize, "3"},
        {&g_cssTextFontSize, "14"},
        {&g_cssTitleFontSize, "4"},
        {&g_cssLabelFontSize, "2"},
        {&g_cssHeaderFontWeight, "Bold"},
        {&g_cssLyricsFontWeight, "Normal"},
        {&g_cssTextFontWeight, "Normal"},
        {&g_cssTitleFontWeight, "Normal"},
        {&g_cssLabelFontWeight, "Normal"},
        {&g_cssHeaderColor, "#000000"},
        {&g_cssLyricsColor, "#00FF00"},
        {&g_cssLyricsBgColor, "#00FFFF"},
        {&g_cssTextBgColor, "#FF0000"},
        {&g_cssTextColor, "#000000"},
        {&g_cssTitleColor, "#E4E4E4"},
        {&g_cssLabelColor, "#FF00FF"},
        {&g_statusRecordText, "Recording stopped"},
    };
    for (const auto& t : texts)
        *t.text = std::string(t.value);

    for (std::string* v : {&g_lyricsPathGlobal, &g_songComment, &g_dingPath, &g_selectedSongPath, &g_lyricsDir,
                           &g_foundLyricsPath, &g_queuedLyricsPath, &g_soundFontPath, &g_htmlPath, &g_songMarkers,
                           &g_droppedFilePath, &g_levelCode, &g_currentSongPath, &g_lyricsPath, &g_statusDanceText,
                           &g_statusTempoText, &g_statusLoopText, &g_statusPlayText, &g_baseFolder})
        v->clear();

    g_markerComments.clear();
    g_markerSeconds.clear();
}
