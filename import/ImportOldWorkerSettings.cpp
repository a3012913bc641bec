// CImportOldWorker: the old settings (table temp, as the settings reader left
// it) turned into current settings.
#include "import/ImportOldWorker.h"

#include "import/LegacyText.h"

#include <string>

namespace {

using Convert = std::string (*)(const std::string&);

std::string copy(const std::string& text) { return text; }

// One old key, the new keys it gives (up to three) and how its value changes.
struct Mapping {
    const char* section;
    const char* key;
    const char* names[3];
    Convert convert;
};

const Mapping kGeneral[] = {
    {"Lyrics", "Marry", {"lyrics - marrydlg"}, copy},
    {"Music", "Autostart", {"music - autostart"}, copy},
    {"Music", "EnableLoop", {"music - loop"}, copy},
    {"Music", "ColorMarkR", {"music - markcolorR"}, copy},
    {"Music", "ColorMarkG", {"music - markcolorG"}, copy},
    {"Music", "ColorMarkB", {"music - markcolorB"}, copy},
    {"Music", "ColorListR", {"music - listcolorR"}, copy},
    {"Music", "ColorListG", {"music - listcolorG"}, copy},
    {"Music", "ColorListB", {"music - listcolorB"}, copy},
    {"Music", "ColorListtextR", {"music - listtextcolorR"}, copy},
    {"Music", "ColorListtextG", {"music - listtextcolorG"}, copy},
    {"Music", "ColorListtextB", {"music - listtextcolorB"}, copy},
    {"Music", "Column1type", {"music - columetype1"}, copy},
    {"Music", "Column2type", {"music - columetype2"}, copy},
    {"Music", "Column3type", {"music - columetype3"}, copy},
    {"Music", "ListPath1", {"music - listpath1"}, copy},
    {"Music", "DirPath1", {"music - dirpath1"}, copy},
    {"Music", "ListPath2", {"music - listpath2"}, copy},
    {"Music", "DirPath2", {"music - dirpath2"}, copy},
    {"Music", "ListPath3", {"music - listpath3"}, copy},
    {"Music", "DirPath3", {"music - dirpath3"}, copy},
    {"Music", "List/Dir1", {"music - listdir1"}, copy},
    {"Music", "List/Dir2", {"music - listdir2"}, copy},
    {"Music", "List/Dir3", {"music - listdir3"}, copy},
    {"Music", "Short", {"jukebox - shorttime"}, copy},
    {"General", "Alarmtid", {"music - timertime"}, copy},
    {"Music", "AlarmCountUp", {"music - timerup"}, copy},
    {"Music", "AlarmOvertime", {"music - timerred"}, copy},
    {"Music", "CountStop", {"music - timerstop"}, copy},
    {"Music", "ResetDot", {"music - timerrestart"}, copy},
    {"Music", "HdAutostart", {"music - restart"}, copy},
    {"Music", "Fade", {"music - fade"}, legacy::FadeTime},
    {"General", "ShowLyrics", {"lyrics - show"}, copy},
    {"Music", "Music_FontSize", {"music - listfontsize"}, copy},
    {"Music", "Music_FontBold", {"music - listfontbold"}, copy},
    {"Music", "Music_FontItalic", {"music - listfontitalic"}, copy},
    {"Music", "Music_FontName", {"music - listfontname"}, copy},
    {"Music", "Lyric_FontSize", {"lyrics - listfontsize"}, copy},
    {"Music", "Lyric_FontBold", {"lyrics - listfontbold"}, copy},
    {"Music", "Lyric_FontItalic", {"lyrics - listfontitalic"}, copy},
    {"Music", "Lyric_FontName", {"lyrics - listfontname"}, copy},
    {"General", "Sd", {"general - checkerpath"}, copy},
    {"General", "Level", {"general - level"}, copy},
    {"Lyrics", "MaxLyricsWin", {"lyrics - fullscreen"}, copy},
    {"Lyrics", "Path", {"lyrics - path1", "lyrics - path2", "lyrics - path3"}, copy},
    {"Music", "MarkersAutoMem", {"Music - MarkersAutoMem"}, copy},
    {"Music", "MarkersLockOffSel", {"Music - MarkersLockOffSel"}, copy},
    {"Music", "MarkersLockOnSel", {"Music - MarkersLockOnSel"}, copy},
    {"Music", "MarkersTimer", {"Music - MarkersTimer"}, copy},
    {"Music", "FadeIn", {"Music - FadeInMusic"}, copy},
    {"Music", "MarkersScroll", {"markers - scroll"}, copy},
    {"Record", "Path", {"record - path"}, copy},
    {"Record", "Device", {"record - device"}, copy},
    {"Record", "Volume", {"record - volume"}, copy},
    {"Record", "DateName", {"record - datename"}, copy},
    {"Music", "Songmarker", {"music - songmarker1", "music - songmarker2", "music - songmarker3"}, legacy::Flag},
    {"Music", "PauseMin", {"music - pausemin"}, copy},
    {"Music", "PausePling", {"music - pausepling"}, legacy::Flag},
    {"Music", "PauseStart", {"music - pausestart"}, legacy::Flag},
    {"Music", "NameCol1", {"music - col1nameglobal"}, copy},
    {"Music", "NameCol2", {"music - col2nameglobal"}, copy},
    {"Music", "Sortlist1", {"music - colsortglobal"}, legacy::SortChoice},
    {"Music", "NameRadio", {"music - colnameglobal"}, copy},
    {"Music", "TrackName", {"music - trackname"}, copy},
    {"Music", "Track", {"music - tracking"}, legacy::Flag},
    {"General", "TrackNameFilter", {"music - trackfilter"}, legacy::Flag},
    {"Lyrics", "AutoShow", {"music - lyricsonplay"}, legacy::Flag},
    {"Music", "DontPlayFromNext", {"music - autostartqueue"}, legacy::InvertedFlag},
};

// The levels in order: the old file's section and the level code.
const struct {
    const char* section;
    const char* code;
} kLevels[10] = {
    {"Mainstream 53", "basic"}, {"Mainstream", "main"},     {"Plus", "plus"},
    {"Advance 1", "a1"},        {"Advance 2", "a2"},        {"Challenge 1", "c1"},
    {"Challenge 2", "c2"},      {"Challenge 3A", "c3a"},    {"Challenge 3B", "c3b"},
    {"Challenge 4", "c4"},
};

// The choreography tabs 2 to 8 of a level: the old keys of their path and position.
const struct {
    const char* path;
    const char* index;
} kListTabs[7] = {
    {"Path_Start", "Start"}, {"Path_Figure", "Figure"}, {"Path_Home", "Home"}, {"Path_Getout", "Getout"},
    {"Path_Sing", "Sing"},   {"Path_Odd", "Odd"},       {"Path_Notes", "Notes"},
};

// The tabs every level gets: the old version's nine and one more.
constexpr int kTabCount = 10;

} // namespace

void CImportOldWorker::ConvertSettings()
{
    InBatch([&] {
        for (const Mapping& m : kGeneral) {
            std::string old;
            // A key the old file does not have leaves the current setting alone.
            if (!m_musicDb.FindTempValue(m.section, m.key, old, 0))
                continue;
            const std::string value = m.convert(old);
            for (const char* name : m.names)
                if (name)
                    m_musicDb.SetSetting(name, value, 0);
        }
        for (int n = 1; n <= 10; ++n)
            m_musicDb.SetSetting(std::to_string(n) + " - nrtabs", std::to_string(kTabCount), 0);
        for (const auto& level : kLevels)
            ConvertLevel(level.section, level.code);
    });
}

void CImportOldWorker::ConvertLevel(const char* section, const char* code)
{
    const std::string c = code;
    const auto copyKey = [&](const std::string& oldSection, const std::string& oldKey, const std::string& name) {
        std::string value;
        if (m_musicDb.FindTempValue(oldSection, oldKey, value, 0))
            m_musicDb.SetSetting(name, value, 0);
    };
    const auto tabKey = [&](int tab, const char* what) { return std::to_string(tab) + "list_" + c + " - " + what; };

    // Captions: the list and the definitions are the same for every level, the rest the
    // level's own "Tab1" to "Tab8" (old TabN is caption N + 1).
    copyKey("General", "Tab10", c + " - headtab0");
    copyKey("General", "Tab11", c + " - headtab1");
    for (int n = 1; n < kTabCount - 1; ++n)
        copyKey(section, "Tab" + std::to_string(n), c + " - headtab" + std::to_string(n + 1));

    // Tabs 0 and 1: the list and the definitions, single documents full screen.
    const char* const documents[2] = {"Path_List", "Path_Def"};
    for (int tab = 0; tab < 2; ++tab) {
        copyKey(section, documents[tab], tabKey(tab, "path"));
        m_musicDb.SetSetting(tabKey(tab, "fullscreen"), "true", 0);
        m_musicDb.SetSetting(tabKey(tab, "index"), "1", 0);
        m_musicDb.SetSetting(tabKey(tab, "type"), "3", 0);
    }
    // Tabs 2 to 8: list files or folders.
    for (int i = 0; i < 7; ++i) {
        const int tab = 2 + i;
        std::string path;
        const bool hasPath = m_musicDb.FindTempValue(section, kListTabs[i].path, path, 0);
        if (hasPath)
            m_musicDb.SetSetting(tabKey(tab, "path"), path, 0);
        m_musicDb.SetSetting(tabKey(tab, "fullscreen"), "false", 0);
        copyKey(section, kListTabs[i].index, tabKey(tab, "index"));
        const std::string type = hasPath ? legacy::ListType(path) : std::string();
        if (!type.empty())
            m_musicDb.SetSetting(tabKey(tab, "type"), type, 0);
    }
    // The tenth tab has no document in the old version: shown, not full screen, at the start.
    m_musicDb.SetSetting(tabKey(kTabCount - 1, "fullscreen"), "false", 0);
    m_musicDb.SetSetting(tabKey(kTabCount - 1, "index"), "1", 0);
}
