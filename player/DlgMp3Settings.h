#pragma once
// The music page's settings vocabulary: the switches and values the page reads
// from the settings store at start and again after the options change, with
// the substitutions the stored values ask for ("global" entries, limits).
#include <string>

class CMusicDb;

struct Mp3PageSettings {
    // ---- song lists (index 0..2 = list 1..3)
    int listCount = 3;                       // "music - nrlistboxes"
    std::string listSource[3];               // "music - listdir1..3": "list" = a playlist, else a folder
    std::string playlistPath[3];             // "music - listpath1..3"
    std::string folderPath[3];               // "music - dirpath1..3"
    int subfolders[3] = {0, 0, 0};           // "music - subdir", one value for all lists
    int useDefaultMusicFolder = 0;
    std::string defaultMusicFolder;
    int onlyExistingPaths = 1;
    int currentDrive = 0;
    int noNumberLabel = 0;
    int namingMode[3] = {0, 0, 0};           // "music - colname1..3", 3 = "music - colnameglobal"
    int sortColumn[3] = {0, 0, 0};           // "music - colsort1..3", 4 = "music - colsortglobal"
    std::string header1[3], header2[3];      // "music - col1name1" ...
    int sortDescending[3] = {0, 0, 0};
    int rateActive = 0;
    int lengthActive = 0;
    int commentActive = 0;
    int adjustColumnWidth = 0;
    int listType[3] = {0, 0, 0};             // "music - columetype1..3": 0 none, 1 hoedown, 2 singing call
    int songMarker[3] = {0, 0, 0};
    int songMark123 = 0;
    int marksPerList = 0;
    int singleDeleteList = 0;
    int deleteMarksAtStart = 0;
    int searchLyrics[3] = {0, 0, 0};
    int hideRowCounts = 0;                   // "music - showlistboxnr"
    std::string comboHistory[3][10];
    // "music - markcolorR/G/B", "flagcolor", "listcolor", "listtextcolor": the cell colours
    int markColor[3] = {255, 255, 128};
    int flagColor[3] = {255, 128, 128};
    int listColor[3] = {255, 255, 255};
    int listTextColor[3] = {0, 0, 0};

    // ---- lyrics lookup
    int lyricsOnPlay = 0;
    int lyricsSearchOrder = 0;
    int lyricsFirstIfAny = 0;
    int lyricsSearchQueue = 0;
    std::string lyricsPath[3];               // "" / "global" / "Global" = "lyrics - pathglobal"
    int lyricsSearchFor[3] = {0, 0, 0};      // 3 = "lyrics - searchforglobal"

    // ---- tracking
    int tracking = 0;
    std::string trackName;
    int trackLevel = 0;
    int noTrackLevel = 0;
    int trackPrompt = 0;
    int trackFilter[3] = {0, 0, 0};
    int trackDateTime = 0;
    int trackTime = 5;                       // seconds before the played-track row is written

    // ---- playback, loops, fades
    int autostart = 0;
    int autostartOption = 0;                 // 0 all types, 1 only hoedown, 2 no singing call
    int autostartQueue = 0;
    int loop = 0;
    int loopCount = 0;                       // "music - nrloops"
    int alwaysLoopValue = 0;
    int autoLoopStart = 0;
    int autoLoopStop = 0;
    int fadeSeconds = 0;
    int alwaysFadeOut = 0;
    int jumpBack = 0;
    int fastForwardRewind = 5;
    int delaySingingCall = 0;
    int activateOnStop = 0;
    int deletePlayedFiles = 0;
    float fixBpmValue = 0;
    int fixBpm[3] = {0, 0, 0};
    int adjustPitchValue = 0;
    int adjustPitch[3] = {0, 0, 0};
    int doubleBpm = 0;
    int twoThirdsBpm = 0;
    int tempoPercent = 0;
    int bothTempoValues = 0;
    int keychangeVisible = 0;
    int volumeLowest = 0;
    int volumeStep = 0;
    int volumeDecrease = 0;
    int bassBuffer = 0;

    // ---- dance timer, break, focus
    int timerMinutes = 0;
    int timerPerLevel = 0;
    int timerLevelMinutes[10] = {};
    int timerUp = 0;
    int alarmPling = 0;
    int plingHoedown = 0;
    int timerRed = 0;
    int timerStop = 0;
    int timerRestart = 0;
    int restartMode = 0;                     // "music - restart": 0 all, 1 only hoedown, 2 rewind only
    int resetTimerZero = 0;
    int autoBreakMinutes = 0;
    int pauseStart = 0;
    int afterBreakFromQueue = 0;
    int breakTimerVisible = 0;
    int breakMinutes = 1;
    int focusTimer = 0;
    int dpiMessage = 0;

    // ---- markers, queue
    int markersSeconds = 0;                  // "markers - value"
    int markersAutoMemory = 0;
    int markersLock = 0;
    int markersFadeIn = 0;
    int markersLockOffSel = 0;
    int markersLockOnSel = 0;
    int markersScroll = 0;
    int markersGridLines = 0;
    int saveQueue = 0;
    int singleDeleteQueue = 0;

    // ---- fonts and clocks
    std::string listFontName;
    int listFontItalic = 0, listFontBold = 0, listFontSize = 0;
    std::string queueFontName;
    int queueFontItalic = 0, queueFontBold = 0, queueFontSize = 0;
    std::string markersFontName;
    int markersFontItalic = 0, markersFontBold = 0, markersFontSize = 0;
    int digitalClock = 0;                    // 0 analog, 1 digital 12 h, else digital 24 h
    unsigned long clockBackColor = 0;
    unsigned long clockTextColor = 0;
    int rightAlignClock = 0;
};

// Reads the page's settings on the store's open batch. With atStart the
// "start only" keys are read too; otherwise "lyrics - show" goes to
// g_lyricsShowMode.
void LoadMp3PageSettings(CMusicDb& db, Mp3PageSettings& s, bool atStart);
