// The old settings file turned into current settings.
#include "ImportFixture.h"

#include "import/LegacyText.h"

#include <map>

namespace importtest {
namespace {

using Rows = std::vector<std::string>;

TEST(LegacyConversions, EachConversionAsATable)
{
    using F = std::string (*)(const std::string&);
    const struct {
        F convert;
        const char* in;
        const char* out;
    } cases[] = {
        {legacy::Flag, "0", "false"},           {legacy::Flag, "1", "true"},
        {legacy::Flag, "", "true"},             {legacy::Flag, " 0", "true"},
        {legacy::InvertedFlag, "0", "true"},    {legacy::InvertedFlag, "1", "false"},
        {legacy::InvertedFlag, "", "false"},    {legacy::FadeTime, "3000", "3"},
        {legacy::FadeTime, "1999", "1"},        {legacy::FadeTime, "1000", "1"},
        {legacy::FadeTime, "999", "999"},       {legacy::FadeTime, "500", "500"},
        {legacy::FadeTime, "-2000", "-2000"},   {legacy::FadeTime, "slow", "0"},
        {legacy::SortChoice, "-1", "-1"},       {legacy::SortChoice, "1", "1"},
        {legacy::SortChoice, "0", "0"},         {legacy::SortChoice, "2", "0"},
        {legacy::SortChoice, "3", "0"},         {legacy::SortChoice, "x", "0"},
        {legacy::ListType, "C:\\L\\a.ini", "1"}, {legacy::ListType, "ab.txt", "1"},
        {legacy::ListType, "C:\\Figures", "2"},  {legacy::ListType, "C:\\a.html", "2"},
        {legacy::ListType, "a.txt", ""},        {legacy::ListType, "", ""},
        {legacy::ListType, "ééé.txt", "1"},     {legacy::MarkerText, "65", "01:05;"},
        {legacy::MarkerText, "600", "10:00;"},  {legacy::MarkerText, "0", "00:00;"},
        {legacy::MarkerText, "750", "12:30;"},  {legacy::MarkerText, "x", "00:00;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.convert(c.in), c.out) << c.in;
}

// Every row of the general mapping: old section, old key, the new keys.
const struct {
    const char* section;
    const char* key;
    std::vector<std::string> names;
} kGeneral[] = {
    {"Lyrics", "Marry", {"lyrics - marrydlg"}},
    {"Music", "Autostart", {"music - autostart"}},
    {"Music", "EnableLoop", {"music - loop"}},
    {"Music", "ColorMarkR", {"music - markcolorR"}},
    {"Music", "ColorMarkG", {"music - markcolorG"}},
    {"Music", "ColorMarkB", {"music - markcolorB"}},
    {"Music", "ColorListR", {"music - listcolorR"}},
    {"Music", "ColorListG", {"music - listcolorG"}},
    {"Music", "ColorListB", {"music - listcolorB"}},
    {"Music", "ColorListtextR", {"music - listtextcolorR"}},
    {"Music", "ColorListtextG", {"music - listtextcolorG"}},
    {"Music", "ColorListtextB", {"music - listtextcolorB"}},
    {"Music", "Column1type", {"music - columetype1"}},
    {"Music", "Column2type", {"music - columetype2"}},
    {"Music", "Column3type", {"music - columetype3"}},
    {"Music", "ListPath1", {"music - listpath1"}},
    {"Music", "DirPath1", {"music - dirpath1"}},
    {"Music", "ListPath2", {"music - listpath2"}},
    {"Music", "DirPath2", {"music - dirpath2"}},
    {"Music", "ListPath3", {"music - listpath3"}},
    {"Music", "DirPath3", {"music - dirpath3"}},
    {"Music", "List/Dir1", {"music - listdir1"}},
    {"Music", "List/Dir2", {"music - listdir2"}},
    {"Music", "List/Dir3", {"music - listdir3"}},
    {"Music", "Short", {"jukebox - shorttime"}},
    {"General", "Alarmtid", {"music - timertime"}},
    {"Music", "AlarmCountUp", {"music - timerup"}},
    {"Music", "AlarmOvertime", {"music - timerred"}},
    {"Music", "CountStop", {"music - timerstop"}},
    {"Music", "ResetDot", {"music - timerrestart"}},
    {"Music", "HdAutostart", {"music - restart"}},
    {"General", "ShowLyrics", {"lyrics - show"}},
    {"Music", "Music_FontSize", {"music - listfontsize"}},
    {"Music", "Music_FontBold", {"music - listfontbold"}},
    {"Music", "Music_FontItalic", {"music - listfontitalic"}},
    {"Music", "Music_FontName", {"music - listfontname"}},
    {"Music", "Lyric_FontSize", {"lyrics - listfontsize"}},
    {"Music", "Lyric_FontBold", {"lyrics - listfontbold"}},
    {"Music", "Lyric_FontItalic", {"lyrics - listfontitalic"}},
    {"Music", "Lyric_FontName", {"lyrics - listfontname"}},
    {"General", "Sd", {"general - checkerpath"}},
    {"General", "Level", {"general - level"}},
    {"Lyrics", "MaxLyricsWin", {"lyrics - fullscreen"}},
    {"Lyrics", "Path", {"lyrics - path1", "lyrics - path2", "lyrics - path3"}},
    {"Music", "MarkersAutoMem", {"Music - MarkersAutoMem"}},
    {"Music", "MarkersLockOffSel", {"Music - MarkersLockOffSel"}},
    {"Music", "MarkersLockOnSel", {"Music - MarkersLockOnSel"}},
    {"Music", "MarkersTimer", {"Music - MarkersTimer"}},
    {"Music", "FadeIn", {"Music - FadeInMusic"}},
    {"Music", "MarkersScroll", {"markers - scroll"}},
    {"Record", "Path", {"record - path"}},
    {"Record", "Device", {"record - device"}},
    {"Record", "Volume", {"record - volume"}},
    {"Record", "DateName", {"record - datename"}},
    {"Music", "PauseMin", {"music - pausemin"}},
    {"Music", "NameCol1", {"music - col1nameglobal"}},
    {"Music", "NameCol2", {"music - col2nameglobal"}},
    {"Music", "NameRadio", {"music - colnameglobal"}},
    {"Music", "TrackName", {"music - trackname"}},
};

TEST_F(ImportTest, EveryCopiedOldKeyArrivesUnderItsNewKeys)
{
    // Each old key gets a value of its own, so a key mixed up with another shows.
    std::map<std::string, std::string> sections;
    for (const auto& m : kGeneral)
        sections[m.section] += std::string(m.key) + "=" + m.section + "/" + m.key + " it's\r\n";
    std::string ini;
    for (const auto& [name, lines] : sections)
        ini += "[" + name + "]\r\n" + lines;
    ini += "[Music]\r\nFade=3000\r\nSongmarker=0\r\nPausePling=0\r\nPauseStart=1\r\nSortlist1=2\r\nTrack=0\r\n"
           "DontPlayFromNext=0\r\n[General]\r\nTrackNameFilter=0\r\n[Lyrics]\r\nAutoShow=1\r\n";
    ASSERT_TRUE(worker.ImportSettingsFile(oldFile("Mirtal.ini", ini)));

    for (const auto& m : kGeneral)
        for (const std::string& name : m.names)
            EXPECT_EQ(setting(name), std::string(m.section) + "/" + m.key + " it's") << name;
    const std::pair<const char*, const char*> converted[] = {
        {"music - fade", "3"},           {"music - songmarker1", "false"}, {"music - songmarker2", "false"},
        {"music - songmarker3", "false"}, {"music - pausepling", "false"},  {"music - pausestart", "true"},
        {"music - colsortglobal", "0"},   {"music - tracking", "false"},    {"music - trackfilter", "false"},
        {"music - lyricsonplay", "true"}, {"music - autostartqueue", "true"},
    };
    for (const auto& [name, value] : converted)
        EXPECT_EQ(setting(name), value) << name;
}

TEST_F(ImportTest, KeysTheOldFileLacksLeaveTheCurrentSettingsAlone)
{
    CMusicDb db;
    db.SetSetting("music - fade", "5", 1);
    db.SetSetting("music - autostartqueue", "true", 1);
    db.SetSetting("music - listpath1", "/lists/one.m3u", 1);
    db.SetSetting("2list_basic - path", "/choreo/start", 1);
    db.SetSetting("2list_basic - type", "2", 1);
    db.SetSetting("basic - headtab3", "mine", 1);
    // The same key twice, a key in another case, a section in another case.
    ASSERT_TRUE(worker.ImportSettingsFile(
        oldFile("Mirtal.ini", "[Music]\r\nAutostart=1\r\nAutostart=0\r\nfade=9000\r\n[music]\r\nListPath1=x\r\n")));
    EXPECT_EQ(setting("music - autostart"), "1") << "the first of two";
    EXPECT_EQ(setting("music - fade"), "5");
    EXPECT_EQ(setting("music - autostartqueue"), "true");
    EXPECT_EQ(setting("music - listpath1"), "/lists/one.m3u");
    EXPECT_EQ(setting("2list_basic - path"), "/choreo/start");
    EXPECT_EQ(setting("2list_basic - type"), "2");
    EXPECT_EQ(setting("basic - headtab3"), "mine");
    EXPECT_FALSE(hasSetting("music - songmarker1"));
    EXPECT_EQ(setting("1 - nrtabs"), "10");
}

TEST_F(ImportTest, NoConversionWhenTheOldSettingsFileCannotBeRead)
{
    CMusicDb db;
    db.SetSetting("music - fade", "5", 1);
    db.SetSetting("1 - nrtabs", "4", 1);
    EXPECT_FALSE(worker.ImportSettingsFile(dir.file("Mirtal.ini")));
    EXPECT_EQ(setting("music - fade"), "5");
    EXPECT_EQ(setting("1 - nrtabs"), "4");
    EXPECT_FALSE(hasSetting("music - songmarker1"));
}

TEST_F(ImportTest, OneLevelBlockInFull)
{
    CMusicDb db;
    db.SetSetting("4list_plus - type", "2", 1); // a short path leaves the type as it was
    db.SetSetting("2list_plus - index", "7", 1);
    ASSERT_TRUE(worker.ImportSettingsFile(oldFile("Mirtal.ini",
                                                  "[General]\r\nTab10=List\r\nTab11=Defs\r\n"
                                                  "[Plus]\r\nTab1=Start\r\nTab2=Figure\r\nTab3=Home\r\nTab4=Getout\r\n"
                                                  "Tab5=Sing\r\nTab6=Odd\r\nTab7=Notes\r\nTab8=More\r\n"
                                                  "Path_List=C:\\Mirtal\\plist.htm\r\nPath_Def=C:\\Mirtal\\pdef.htm\r\n"
                                                  "Path_Start=C:\\Choreo\\start.txt\r\nStart=3\r\n"
                                                  "Path_Figure=C:\\Choreo\\Figures\r\nFigure=4\r\n"
                                                  "Path_Home=C:\\x\r\n"
                                                  "Path_Getout=C:\\Choreo\\getout.html\r\nGetout=5\r\n")));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"3 - nrtabs", "10"},
        {"plus - headtab0", "List"},    {"plus - headtab1", "Defs"},   {"plus - headtab2", "Start"},
        {"plus - headtab3", "Figure"},  {"plus - headtab4", "Home"},   {"plus - headtab5", "Getout"},
        {"plus - headtab6", "Sing"},    {"plus - headtab7", "Odd"},    {"plus - headtab8", "Notes"},
        {"plus - headtab9", "More"},
        {"0list_plus - path", "C:\\Mirtal\\plist.htm"}, {"0list_plus - fullscreen", "true"},
        {"0list_plus - index", "1"},    {"0list_plus - type", "3"},
        {"1list_plus - path", "C:\\Mirtal\\pdef.htm"},  {"1list_plus - fullscreen", "true"},
        {"1list_plus - index", "1"},    {"1list_plus - type", "3"},
        {"2list_plus - path", "C:\\Choreo\\start.txt"}, {"2list_plus - fullscreen", "false"},
        {"2list_plus - index", "3"},    {"2list_plus - type", "1"},
        {"3list_plus - path", "C:\\Choreo\\Figures"},   {"3list_plus - fullscreen", "false"},
        {"3list_plus - index", "4"},    {"3list_plus - type", "2"},
        {"4list_plus - path", "C:\\x"}, {"4list_plus - fullscreen", "false"}, {"4list_plus - type", "2"},
        {"5list_plus - path", "C:\\Choreo\\getout.html"}, {"5list_plus - index", "5"}, {"5list_plus - type", "2"},
        {"8list_plus - fullscreen", "false"},
        {"9list_plus - fullscreen", "false"}, {"9list_plus - index", "1"},
        // The captions of the list and the definitions go to every level.
        {"basic - headtab0", "List"},   {"c4 - headtab1", "Defs"},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(setting(name), value) << name;
    EXPECT_FALSE(hasSetting("6list_plus - path")) << "a tab the old file has no path for keeps what it had";
    EXPECT_FALSE(hasSetting("6list_plus - type"));
    EXPECT_FALSE(hasSetting("basic - headtab2"));
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(setting(std::to_string(n) + " - nrtabs"), "10");
}

} // namespace
} // namespace importtest
