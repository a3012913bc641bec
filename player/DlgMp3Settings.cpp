#include "player/DlgMp3Settings.h"

#include "store/AppGlobals.h"
#include "store/MusicDb.h"

namespace {

std::string N(int i) { return std::to_string(i); }

// A clock colour from three keys: red + green * 256 + blue * 65536, each cut to 8 bits.
unsigned long ColorOf(CMusicDb& db, const std::string& prefix)
{
    const unsigned long r = unsigned(db.GetSettingInt(prefix + "R", 0)) & 0xFF;
    const unsigned long g = unsigned(db.GetSettingInt(prefix + "G", 0)) & 0xFF;
    const unsigned long b = unsigned(db.GetSettingInt(prefix + "B", 0)) & 0xFF;
    return r | (g << 8) | (b << 16);
}

} // namespace

void LoadMp3PageSettings(CMusicDb& db, Mp3PageSettings& s, bool atStart)
{
    auto text = [&](const std::string& k) { return db.GetSetting(k, 0); };
    auto flag = [&](const std::string& k) { return db.GetSettingBool(k, 0) ? 1 : 0; };
    auto num = [&](const std::string& k) { return db.GetSettingInt(k, 0); };

    // ---- song lists
    s.listCount = num("music - nrlistboxes");
    const int subdir = flag("music - subdir");
    for (int i = 0; i < 3; ++i) {
        const std::string n = N(i + 1);
        if (atStart) {
            s.listSource[i] = text("music - listdir" + n);
            s.playlistPath[i] = text("music - listpath" + n);
            s.folderPath[i] = text("music - dirpath" + n);
            s.searchLyrics[i] = flag("music - searchlyricslist" + n);
        }
        s.subfolders[i] = subdir;
        s.namingMode[i] = num("music - colname" + n);
        if (s.namingMode[i] == 3)
            s.namingMode[i] = num("music - colnameglobal");
        s.sortColumn[i] = num("music - colsort" + n);
        if (s.sortColumn[i] == 4)
            s.sortColumn[i] = num("music - colsortglobal");
        s.header1[i] = text("music - col1name" + n);
        s.header2[i] = text("music - col2name" + n);
        s.sortDescending[i] = flag("music - listboxsortdesc" + n);
        s.listType[i] = num("music - columetype" + n);
        s.songMarker[i] = flag("music - songmarker" + n);
        s.trackFilter[i] = flag("music - trackfilter" + n);
        s.fixBpm[i] = flag(i == 0 ? std::string("music - fixbpm") : "music - fixbpm" + n);
        s.adjustPitch[i] = flag("music - adjustpitch" + n);
        const std::string lyricsFolder = text("lyrics - path" + n);
        s.lyricsPath[i] = (lyricsFolder.empty() || lyricsFolder == "global" || lyricsFolder == "Global")
                              ? text("lyrics - pathglobal")
                              : lyricsFolder;
        s.lyricsSearchFor[i] = num("lyrics - searchfor" + n);
        if (s.lyricsSearchFor[i] == 3)
            s.lyricsSearchFor[i] = num("lyrics - searchforglobal");
    }
    if (atStart) {
        s.useDefaultMusicFolder = num("music - usedefaultmusicfolder");
        s.deleteMarksAtStart = flag("music - deletemarksersstart");
        for (int k = 0; k < 10; ++k)
            for (int c = 0; c < 3; ++c)
                s.comboHistory[c][k] = text("music - combo" + N(c + 1) + "_" + N(k));
        s.lyricsOnPlay = flag("music - lyricsonplay");
        s.tracking = flag("music - tracking");
        s.trackName = text("music - trackname");
        s.trackLevel = num("music - tracklevel");
        s.trackPrompt = flag("music - trackprompt");
        s.autostart = flag("music - autostart");
        s.loop = flag("music - loop");
        s.markersAutoMemory = flag("markers - automem");
        s.markersLock = flag("markers - lock");
        s.dpiMessage = flag("general - dpimsg");
    } else {
        g_lyricsShowMode = num("lyrics - show");
    }
    s.defaultMusicFolder = text("music - pathdefaultmusicfolder");
    s.onlyExistingPaths = flag("music - onlyshowpaththatexist");
    s.currentDrive = flag("general - currentdrive");
    s.noNumberLabel = flag("music - nonrlabel");
    s.rateActive = flag("music - rateactive");
    s.lengthActive = flag("music - lengthactive");
    s.adjustColumnWidth = flag("music - adjustcolwidth");
    s.songMark123 = flag("music - songmark123");
    s.marksPerList = flag("music - markslistdir");
    s.singleDeleteList = flag("music - singledeletelist");
    s.hideRowCounts = flag("music - showlistboxnr");
    const char* const rgb[3] = {"R", "G", "B"};
    for (int c = 0; c < 3; ++c) {
        s.markColor[c] = num(std::string("music - markcolor") + rgb[c]);
        s.flagColor[c] = num(std::string("music - flagcolor") + rgb[c]);
        s.listColor[c] = num(std::string("music - listcolor") + rgb[c]);
        s.listTextColor[c] = num(std::string("music - listtextcolor") + rgb[c]);
    }

    // ---- lyrics lookup
    s.lyricsSearchOrder = num("lyrics - searchorder");
    s.lyricsFirstIfAny = flag("lyrics - firstifany");
    s.lyricsSearchQueue = flag("lyrics - searchqueue");

    // ---- tracking (the comment column follows the track date)
    s.noTrackLevel = flag("music - notracklevel");
    s.trackDateTime = flag("music - trackdatetime");
    s.trackTime = num("music - tracktime");
    s.commentActive = flag("music - commentactive") || s.trackDateTime;

    // ---- playback
    s.autostartOption = num("music - autostartopt");
    s.autostartQueue = flag("music - autostartqueue");
    s.loopCount = num("music - nrloops");
    s.alwaysLoopValue = flag("music - alwaysloopvalue");
    s.autoLoopStart = num("music - autolooptime");
    s.autoLoopStop = num("music - autolooptimestop");
    s.fadeSeconds = num("music - fade");
    s.alwaysFadeOut = flag("music - alwaysfadeoutmusic");
    s.jumpBack = num("music - jumpback");
    s.fastForwardRewind = num("music - fastforwardrewind");
    s.delaySingingCall = num("music - delaysingingcall");
    s.activateOnStop = flag("music - activateonstop");
    s.deletePlayedFiles = flag("music - deleteplayedfiles");
    s.fixBpmValue = float(num("music - fixbpmvalue"));
    s.adjustPitchValue = num("music - adjustpitchvalue");
    s.doubleBpm = flag("music - doublebpm");
    s.twoThirdsBpm = flag("music - 66procentbpm");
    s.tempoPercent = flag("music - tempoprocent");
    s.bothTempoValues = s.tempoPercent ? 0 : flag("music - bothtempovalues");
    s.keychangeVisible = flag("music - keychangevisible");
    s.volumeLowest = num("music - volumelowest");
    s.volumeStep = num("music - volumeplusminus");
    s.volumeDecrease = num("music - volumedecrease");
    s.bassBuffer = num("music - bassbuffer");

    // ---- dance timer, break, focus
    s.timerMinutes = num("music - timertime");
    s.timerPerLevel = flag("music - timerseparatelevel");
    static const char* const kLevels[10] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};
    for (int i = 0; i < 10; ++i)
        s.timerLevelMinutes[i] = num(std::string("music - timertime") + kLevels[i]);
    s.timerUp = num("music - timerup");
    s.alarmPling = flag("music - alarmpling");
    s.plingHoedown = flag("music - plinghoedown");
    s.timerRed = flag("music - timerred");
    s.timerStop = flag("music - timerstop");
    s.timerRestart = flag("music - timerrestart");
    s.restartMode = num("music - restart");
    s.resetTimerZero = flag("music - resettimerzero");
    s.autoBreakMinutes = num("music - autobreaktime");
    s.pauseStart = flag("music - pausestart");
    s.afterBreakFromQueue = flag("music - afterbreakplayfromque");
    s.breakTimerVisible = flag("music - breaktimervisible");
    s.breakMinutes = num("music - pausemin");
    s.focusTimer = flag("general - focus");

    // ---- markers, queue
    s.markersSeconds = num("markers - value");
    s.markersFadeIn = flag("markers - fadein");
    s.markersLockOffSel = flag("markers - lockoffsel");
    s.markersLockOnSel = flag("markers - lockonsel");
    s.markersScroll = num("markers - scroll");
    s.markersGridLines = flag("music - gridlines");
    s.saveQueue = flag("music - savequeuedfiles");
    s.singleDeleteQueue = text("music - singledeletequeue") == "true";

    // ---- fonts and clocks
    s.listFontName = text("music - listfontname");
    s.listFontItalic = num("music - listfontitalic");
    s.listFontBold = num("music - listfontbold");
    s.listFontSize = num("music - listfontsize");
    s.queueFontName = text("music - queuelistfontname");
    s.queueFontItalic = num("music - queuelistfontitalic");
    s.queueFontBold = num("music - queuelistfontbold");
    s.queueFontSize = num("music - queuelistfontsize");
    s.markersFontName = text("music - markersfontname");
    s.markersFontItalic = num("music - markersfontitalic");
    s.markersFontBold = num("music - markersfontbold");
    s.markersFontSize = num("music - markersfontsize");
    s.digitalClock = num("general - digitalclock");
    s.clockBackColor = ColorOf(db, "general - clockbgcolor");
    s.clockTextColor = ColorOf(db, "general - clocktxtcolor");
    s.rightAlignClock = flag("general - rightalignclock");
}
