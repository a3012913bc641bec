// The four Options pages: what they write on OK (every key, in one
// transaction, the choreography page in one per group), that Cancel, Esc and
// the close box write nothing, the stored forms and their conversions,
// Default, database errors, and the rows that share or lack a key.
#include "OptionsFixture.h"

#include "options/OptionChoreo.h"
#include "options/OptionHotkeys.h"
#include "options/OptionLyrics.h"
#include "options/OptionMusic.h"
#include "options/OptionSeed.h"
#include "store/AppGlobals.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>

namespace optionstest {
namespace {

using Keys = std::set<std::string>;

void add(Keys& k, const std::string& table, const std::vector<std::string>& names)
{
    for (const std::string& n : names)
        k.insert(table + ":" + n);
}
std::vector<std::string> rgb(const std::string& stem) { return {stem + "R", stem + "G", stem + "B"}; }
std::vector<std::string> fontKeys(const std::string& stem)
{
    return {stem + "fontsize", stem + "fontbold", stem + "fontitalic", stem + "fontname"};
}
const char* const kCodes[10] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};

// The keys the music page writes, as its groups list them.
Keys musicKeys()
{
    Keys k;
    const auto ini = [&](std::vector<std::string> n) { add(k, "ini", n); };
    ini({"music - colnameglobal", "music - colsortglobal", "general - checkerpath", "general - maxstart",
         "music - playmusic1", "music - playmusic2", "general - digitalclock", "general - rightalignclock",
         "general - tooltip", "general - currentdrive", "general - compressedview", "general - dingpath",
         "general - listdefformat", "general - japanese", "general - arrowscrolltext", "general - pagescrolltext",
         "general - arrowscrollhtml", "general - pagescrollhtml", "general - hexagon"});
    ini(rgb("general - dlgcolor"));
    ini(rgb("general - clockbgcolor"));
    ini(rgb("general - clocktxtcolor"));
    ini(fontKeys("music - toolslist"));
    for (const char* w : {"headname", "fade", "restart", "autostartopt", "trackprompt", "trackdatetime",
                          "notracklevel", "tracktime", "soundfont", "defaultvolume", "volumedecrease",
                          "volumeplusminus", "volumelowest", "maxvolume", "bassbuffer", "delaysingingcall",
                          "autolooptime", "autolooptimestop", "progressbar", "tempoprocent", "bothtempovalues",
                          "fastforwardrewind", "keychangevisible", "activateonstop", "bassmono", "karaokemillie",
                          "jumpback", "alwaysloopvalue", "subdir", "nrloops", "doublebpm", "66procentbpm",
                          "alwaysfadeoutmusic", "selectoutputstart", "autostartqueue", "savequeuedfiles",
                          "singledeletelist", "deletemarksersstart", "songmark123", "markslistdir", "adjustcolwidth",
                          "nrlistboxes", "rateactive", "lengthactive", "commentactive", "gridlines", "colorallrows",
                          "deleteplayedfiles", "onlyshowpaththatexist", "showlistboxnr", "nonrlabel", "timerup",
                          "timertime", "timerseparatelevel", "timerred", "timerstop", "timerrestart", "alarmpling",
                          "plinghoedown", "resettimerzero", "pausemin", "pausepling", "pausestart",
                          "afterbreakplayfromque", "autobreaktime", "pausepath", "pausevolume", "breaktimervisible"})
        ini({std::string("music - ") + w});
    ini({"general - focus"});
    ini(fontKeys("music - markers"));
    ini(fontKeys("music - queuelist"));
    ini(fontKeys("music - list"));
    for (const char* c : {"listcolor", "listtextcolor", "markcolor", "flagcolor"})
        ini(rgb(std::string("music - ") + c));
    for (int n = 1; n <= 3; ++n)
        for (const char* w : {"columetype", "songmarker", "colname", "colsort", "listboxsortdesc", "col1name",
                              "col2name", "trackfilter"})
            ini({std::string("music - ") + w + std::to_string(n)});
    for (const char* code : kCodes)
        ini({std::string("music - timertime") + code});
    ini({"markers - timer", "markers - fadein", "markers - lockonsel", "markers - lockoffsel", "markers - scroll",
         "markers - value", "markers - show"});
    return k;
}

Keys lyricsKeys()
{
    Keys k;
    add(k, "ini",
        {"lyrics - pathglobal", "lyrics - searchforglobal", "lyrics - headname", "lyrics - separatepath",
         "lyrics - subdir", "lyrics - show", "lyrics - searchorder", "lyrics - searchqueue", "lyrics - firstifany",
         "lyrics - short", "general - autoschroll_sec", "general - autoschroll_units", "lyrics - loadstart"});
    add(k, "ini", fontKeys("lyrics - list"));
    for (int n = 1; n <= 3; ++n)
        for (const char* w : {"lyrics - path", "lyrics - naming", "lyrics - searchfor"})
            add(k, "ini", {w + std::to_string(n)});
    for (const char* part : {"title", "label", "header", "lyrics", "text"}) {
        add(k, "stylesheet", {std::string(part) + "fontsize", std::string(part) + "fontweight"});
        add(k, "stylesheet", rgb(std::string(part) + "color"));
    }
    add(k, "stylesheet", {"textfontname"});
    add(k, "stylesheet", rgb("lyricscolorbg"));
    add(k, "stylesheet", rgb("textcolorbg"));
    return k;
}

// The keys of one choreography group: 0 "Global", 1..10 the levels, 11 "Stylesheet".
Keys choreoGroupKeys(int group)
{
    Keys k;
    if (group == 0) {
        add(k, "ini", {"global - nrtabs", "global - lyricsdir"});
        for (int t = 0; t < 15; ++t)
            add(k, "ini", {"global - headtab" + std::to_string(t)});
    } else if (group <= 10) {
        const std::string code = kCodes[group - 1];
        add(k, "ini", {std::to_string(group) + " - nrtabs", code + " - levelname", code + " - lyricsdir",
                       code + " - playlist1", code + " - playlist2", code + " - playlist3"});
        for (int t = 0; t < 15; ++t) {
            const std::string stem = std::to_string(t) + "list_" + code + " - ";
            add(k, "ini", {code + " - headtab" + std::to_string(t), stem + "fullscreen"});
            add(k, "ini", fontKeys(stem));
        }
    } else {
        for (int n = 1; n <= 4; ++n) {
            const std::string s = std::to_string(n);
            add(k, "stylesheet", {"choreofontname" + s, "choreofontsize" + s, "choreofontweight" + s,
                                  "choreocolorR" + s, "choreocolorG" + s, "choreocolorB" + s});
        }
        add(k, "ini", {"csspath"});
    }
    return k;
}

Keys hotkeyKeys()
{
    Keys k;
    for (const char* n : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n",
                          "o", "p", "q", "r", "s", "u", "v", "w", "x", "y", "z", "comma", "dot", "minus"})
        k.insert(std::string("hotkeys:") + n);
    return k;
}

Keys asSet(const std::vector<std::string>& v) { return Keys(v.begin(), v.end()); }

TEST_F(OptionsTest, CancelEscAndTheCloseBoxWriteNothing)
{
    recordWrites();
    enum How { CancelButton, Esc, CloseBox, DefaultThenCancel };
    for (How how : {CancelButton, Esc, CloseBox, DefaultThenCancel}) {
        const auto leave = [how](COptionPage& page) {
            switch (how) {
            case CancelButton: return press(page, 1098);
            case Esc: key(tree(page), Qt::Key_Escape); break;
            case CloseBox: page.SendMessage(WM_CLOSE); break;
            case DefaultThenCancel:
                press(page, 1099);
                return press(page, 1098);
            }
            return page.GetDialogResult();
        };
        EXPECT_EQ(run<COptionMusic>(leave), IDCANCEL) << how;
        EXPECT_EQ(run<COptionLyrics>(leave), IDCANCEL) << how;
        EXPECT_EQ(run<COptionChoreo>(leave), IDCANCEL) << how;
        EXPECT_EQ(run<COptionHotkeys>(leave), IDCANCEL) << how;
    }
    EXPECT_TRUE(written().empty());
}

TEST_F(OptionsTest, OkWritesExactlyTheKeysOfThePage)
{
    recordWrites();
    const auto ok = [](COptionPage& page) { return press(page, 1097); };
    struct Case {
        const char* page;
        std::function<int()> open;
        Keys keys;
        size_t writes;
    };
    Keys choreo;
    for (int g = 0; g < 12; ++g) {
        const Keys k = choreoGroupKeys(g);
        choreo.insert(k.begin(), k.end());
    }
    const Keys music = musicKeys();
    const Case cases[] = {
        {"music", [&] { return run<COptionMusic>(ok); }, music, music.size() + 1}, // "markers - value" twice
        {"lyrics", [&] { return run<COptionLyrics>(ok); }, lyricsKeys(), lyricsKeys().size()},
        {"choreography", [&] { return run<COptionChoreo>(ok); }, choreo, 1002},
        {"hotkeys", [&] { return run<COptionHotkeys>(ok); }, hotkeyKeys(), 28},
    };
    for (const Case& c : cases) {
        exec("DELETE FROM written;");
        EXPECT_EQ(c.open(), IDOK) << c.page;
        const std::vector<std::string> w = written();
        EXPECT_EQ(asSet(w), c.keys) << c.page;
        EXPECT_EQ(w.size(), c.writes) << c.page << ": every key once, changed or not";
    }
    EXPECT_EQ(choreo.size(), 1002u);
}

TEST_F(OptionsTest, AFailedSaveRollsBackItsTransactionAndKeepsThePageOpen)
{
    recordWrites();
    struct Case {
        const char* table;
        const char* key; // the last key the page writes
        std::function<int(OptionsTest&)> open;
    };
    const auto okStaysOpen = [](COptionPage& page) {
        page.SendMessage(WM_COMMAND, 1097, 0);
        EXPECT_EQ(page.GetDialogResult(), -1) << "the page stays open";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "no wait cursor left";
        return IDCANCEL;
    };
    const Case cases[] = {
        {"ini", "markers - show", [&](OptionsTest& t) { return t.run<COptionMusic>(okStaysOpen); }},
        {"stylesheet", "textcolorbgB", [&](OptionsTest& t) { return t.run<COptionLyrics>(okStaysOpen); }},
        {"hotkeys", "minus", [&](OptionsTest& t) { return t.run<COptionHotkeys>(okStaysOpen); }},
    };
    const int colourBefore = g_dlgColorR;
    for (const Case& c : cases) {
        exec("DROP TRIGGER IF EXISTS fail_INSERT; DROP TRIGGER IF EXISTS fail_UPDATE;");
        failOn(c.table, c.key);
        boxes.clear();
        c.open(*this);
        EXPECT_TRUE(written().empty()) << c.key << ": nothing of the transaction stays";
        ASSERT_EQ(boxes.size(), 1u) << c.key;
        EXPECT_NE(boxes[0].find("injected failure"), std::string::npos);
    }
    EXPECT_EQ(g_dlgColorR, colourBefore) << "a failed save does not change the dialog colour";

    // The choreography page saves group by group: a failure in group 6 (Challenge 1) keeps groups 0 to 5.
    exec("DROP TRIGGER IF EXISTS fail_INSERT; DROP TRIGGER IF EXISTS fail_UPDATE;");
    failOn("ini", "c1 - levelname");
    run<COptionChoreo>(okStaysOpen);
    Keys before;
    for (int g = 0; g < 6; ++g) {
        const Keys k = choreoGroupKeys(g);
        before.insert(k.begin(), k.end());
    }
    EXPECT_EQ(asSet(written()), before);
}

TEST_F(OptionsTest, AFailedLoadOpensThePageWithItsConstructionValues)
{
    set("lyrics - headname", "Words");
    exec("DROP TABLE stylesheet;");
    run<COptionLyrics>([&](COptionLyrics& page) {
        EXPECT_EQ(row(page.m_lyricsGroup, 0)->GetValue().Text(), "2 - Lyrics");
        EXPECT_EQ(row(page.m_stylesheetGroup, 1)->GetValue().Text(), "6 (24pt)");
        return IDCANCEL;
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("could not be read"), std::string::npos);
    EXPECT_EQ(setting("lyrics - headname"), "Words");
}

TEST_F(OptionsTest, MusicPageConversionsAndMissingKeys)
{
    set("general - digitalclock", "3");
    set("music - colnameglobal", "3");
    set("music - colsortglobal", "4");
    set("general - listdefformat", "TRUE");
    set("music - restart", "7");
    set("music - pausevolume", "150");
    set("markers - show", "2");
    exec("DELETE FROM ini WHERE name IN ('music - fade', 'music - markcolorR', 'music - listfontname');");
    run<COptionMusic>([](COptionMusic& page) {
        EXPECT_EQ(row(page.m_generalGroup, 5)->GetValue().Text(), "Analog Clock");
        EXPECT_EQ(row(page.m_globalGroup, 0)->GetValue().Text(), "Global") << "no option of the row, shown";
        EXPECT_EQ(row(page.m_globalGroup, 1)->GetValue().Text(), "Global");
        EXPECT_EQ(row(page.m_generalGroup, 13)->GetValue().Text(), "PDF");
        EXPECT_EQ(row(page.m_breakTimerGroup, 6)->GetValue().Int(), 150);
        // A missing key loads the construction value, not 0, "" or black.
        EXPECT_EQ(row(page.m_musicGroup, 1)->GetValue().Int(), 3);
        auto* marked = dynamic_cast<CMFCPropertyGridColorProperty*>(row(page.m_listboxGeneralGroup, 8));
        if (!marked)
            return IDCANCEL;
        EXPECT_EQ(GetRValue(marked->GetColor()), 0);
        EXPECT_EQ(GetGValue(marked->GetColor()), 255) << "the stored green";
        auto* font = dynamic_cast<CMFCPropertyGridFontProperty*>(row(page.m_listboxGeneralGroup, 10));
        EXPECT_STREQ(font->GetLogFont()->lfFaceName, "MS Sans Serif");
        EXPECT_FALSE(page.Grid().IsShownBold(row(page.m_musicGroup, 1))) << "loading marks nothing";
        return press(page, 1097);
    });
    EXPECT_EQ(setting("general - digitalclock"), "0");
    EXPECT_EQ(setting("music - colnameglobal"), "3");
    EXPECT_EQ(setting("music - colsortglobal"), "4");
    EXPECT_EQ(setting("general - listdefformat"), "false");
    EXPECT_EQ(setting("music - restart"), "0");
    EXPECT_EQ(setting("music - pausevolume"), "150");
    EXPECT_EQ(setting("markers - show"), "0");
    EXPECT_EQ(setting("music - fade"), "3");
    EXPECT_EQ(setting("music - markcolorR"), "0");
    EXPECT_EQ(setting("music - listfontname"), "MS Sans Serif");

    set("general - digitalclock", "-1");
    run<COptionMusic>([](COptionMusic& page) {
        EXPECT_EQ(row(page.m_generalGroup, 5)->GetValue().Text(), "Analog Clock");
        return IDCANCEL;
    });
}

TEST_F(OptionsTest, MusicPageKeepsItsTwoMarkingTimesInStepAndItsKeylessRowReadOnly)
{
    g_dlgColorR = g_dlgColorG = g_dlgColorB = 0;
    set("markers - value", "4");
    run<COptionMusic>([](COptionMusic& page) {
        CMFCPropertyGridProperty* listCopy = row(page.m_listboxGeneralGroup, 4);
        CMFCPropertyGridProperty* markersCopy = row(page.m_markersGroup, 5);
        EXPECT_EQ(listCopy->GetValue().Int(), 4);
        EXPECT_EQ(markersCopy->GetValue().Int(), 4);
        // The user changes the first copy: the second follows, so OK keeps the change.
        EXPECT_TRUE(page.Grid().EditItem(listCopy));
        QLineEdit* line = page.Grid().widget()->findChild<QLineEdit*>("propertyEdit");
        line->setText("9");
        key(line, Qt::Key_Return);
        EXPECT_EQ(markersCopy->GetValue().Int(), 9);
        EXPECT_FALSE(page.Grid().EditItem(row(page.m_musicGroup, 36))) << "no key: not editable";
        return press(page, 1097);
    });
    EXPECT_EQ(setting("markers - value"), "9");
    EXPECT_EQ(g_dlgColorR, 212) << "the dialog colour follows the saved background";
}

TEST_F(OptionsTest, TextWithQuotesAndLineBreaksRoundTrips)
{
    const std::string text = "It's \"my\"\nmusic";
    set("music - headname", text);
    setStyle("textfontname", "Courier's");
    run<COptionMusic>([&](COptionMusic& page) {
        EXPECT_EQ(row(page.m_musicGroup, 0)->GetValue().Text(), text);
        return press(page, 1097);
    });
    EXPECT_EQ(setting("music - headname"), text);
    run<COptionLyrics>([](COptionLyrics& page) { return press(page, 1097); });
    EXPECT_EQ(style("textfontname"), "Courier's") << "a stored text that is no option comes back";
}

TEST_F(OptionsTest, LyricsPageSizesAndNumberChoices)
{
    setStyle("titlefontsize", "24");
    setStyle("textfontsize", "6");
    setStyle("labelfontsize", "16");
    set("lyrics - show", "5");
    set("lyrics - searchforglobal", "3");
    run<COptionLyrics>([](COptionLyrics& page) {
        EXPECT_EQ(row(page.m_stylesheetGroup, 1)->GetValue().Text(), "6 (24pt)");
        EXPECT_EQ(row(page.m_stylesheetGroup, 14)->GetValue().Text(), "6 (24pt)");
        EXPECT_EQ(row(page.m_stylesheetGroup, 4)->GetValue().Text(), "4 (14pt)");
        EXPECT_EQ(row(page.m_lyricsGroup, 3)->GetValue().Text(), "Lyrics Tab");
        EXPECT_EQ(row(page.m_globalGroup, 1)->GetValue().Text(), "Global");
        return press(page, 1097);
    });
    EXPECT_EQ(style("titlefontsize"), "6");
    EXPECT_EQ(style("textfontsize"), "24") << "the body text size is stored in points";
    EXPECT_EQ(style("labelfontsize"), "4");
    EXPECT_EQ(setting("lyrics - show"), "0");
    EXPECT_EQ(setting("lyrics - searchforglobal"), "3");
}

TEST_F(OptionsTest, ChoreographyPageCaptionsColoursAndDefault)
{
    set("plus - levelname", "Mirtal - Plus");
    set("a1 - levelname", "Club Mirtal - Plus");
    set("a2 - levelname", "Plus Night");
    setStyle("choreocolorR2", "300");
    setStyle("choreofontsize1", "24");
    set("0list_basic - fullscreen", "TRUE");
    run<COptionChoreo>([](COptionChoreo& page) {
        EXPECT_EQ(page.m_levelGroups[2]->GetName(), "Plus");
        EXPECT_EQ(page.m_levelGroups[3]->GetName(), "Club Plus");
        EXPECT_EQ(page.m_levelGroups[4]->GetName(), "Plus Night");
        EXPECT_FALSE(page.m_globalGroup->IsExpanded()) << "the page opens collapsed";
        auto* colour = dynamic_cast<CMFCPropertyGridColorProperty*>(row(page.m_stylesheetGroup, 7));
        EXPECT_EQ(colour ? GetRValue(colour->GetColor()) : -1, 44);
        EXPECT_EQ(row(page.m_stylesheetGroup, 1)->GetValue().Text(), "6 (24pt)");
        EXPECT_FALSE(row(page.m_levelGroups[0], 7)->GetValue().Bool());
        // Default: the level name from the caption.
        row(page.m_levelGroups[4], 1)->SetValue(COleVariant("changed"));
        press(page, 1099);
        EXPECT_EQ(row(page.m_levelGroups[2], 1)->GetValue().Text(), "Mirtal - Plus");
        EXPECT_EQ(row(page.m_levelGroups[4], 1)->GetValue().Text(), "Mirtal - Plus Night");
        EXPECT_EQ(row(page.m_globalGroup, 0)->GetValue().Int(), 9);
        return press(page, 1097);
    });
    EXPECT_EQ(setting("a2 - levelname"), "Mirtal - Plus Night");
    EXPECT_EQ(style("choreofontsize1"), "6");
    EXPECT_EQ(setting("0list_basic - fullscreen"), "true") << "reset by Default";
    EXPECT_EQ(setting("csspath"), dir.str() + "/cuesheetchoreo.css");
}

TEST_F(OptionsTest, HotkeysPageNamesAndDefaults)
{
    exec("UPDATE hotkeys SET value=99 WHERE name='a';");
    exec("UPDATE hotkeys SET value=-1 WHERE name='b';");
    exec("UPDATE hotkeys SET value=86 WHERE name='c';");
    run<COptionHotkeys>([](COptionHotkeys& page) {
        CMFCPropertyGridProperty* group = page.m_hotkeysGroup;
        EXPECT_EQ(group->GetSubItemsCount(), 28);
        for (int i = 0; i < 28; ++i) {
            EXPECT_EQ(row(group, i)->GetOptionCount(), 87);
            EXPECT_FALSE(row(group, i)->IsAllowEdit());
        }
        EXPECT_EQ(row(group, 0)->GetValue().Text(), "*** No Function ***");
        EXPECT_EQ(row(group, 1)->GetValue().Text(), "*** No Function ***");
        EXPECT_EQ(row(group, 2)->GetValue().Text(), "Show Calls - Next");
        EXPECT_EQ(row(group, 27)->GetName(), "MINUS");
        press(page, 1099);
        return press(page, 1097);
    });
    const std::map<std::string, std::string> expected = {
        {"a", "20"}, {"b", "33"}, {"c", "37"}, {"d", "35"}, {"e", "31"}, {"f", "34"}, {"g", "0"},
        {"h", "0"},  {"i", "2"},  {"j", "49"}, {"k", "29"}, {"l", "27"}, {"m", "0"},  {"n", "32"},
        {"o", "0"},  {"p", "0"},  {"q", "22"}, {"r", "30"}, {"s", "19"}, {"u", "7"},  {"v", "36"},
        {"w", "21"}, {"x", "23"}, {"y", "25"}, {"z", "24"}, {"comma", "0"}, {"dot", "26"}, {"minus", "0"},
    };
    EXPECT_EQ(table("hotkeys"), expected);
}

TEST_F(OptionsTest, AnOldDataFolderGainsTheKeysItLacksAndKeepsItsOwn)
{
    // An older folder: some keys stored with the user's values, others missing.
    set("music - headname", "Songs");
    set("general - dlgcolorR", "10");
    setStyle("titlefontsize", "5");
    exec("UPDATE hotkeys SET value=5 WHERE name='a';");
    exec("DELETE FROM ini WHERE name IN ('music - fade', 'plus - levelname', 'general - dlgcolorG', "
         "'music - outputdevice', 'music - col1nameglobal');");
    exec("DELETE FROM stylesheet WHERE name='labelfontsize';");
    exec("DELETE FROM hotkeys WHERE name='z';");
    recordWrites();
    CMusicDb db;
    EXPECT_GE(options::SeedSettings(db, dir.str(), 96), 7);
    EXPECT_EQ(setting("music - fade"), "3");
    EXPECT_EQ(setting("plus - levelname"), "Mirtal - Plus");
    EXPECT_EQ(setting("general - dlgcolorG"), "212");
    EXPECT_EQ(setting("music - outputdevice"), "-1") << "the default device, not the silent one";
    EXPECT_EQ(setting("music - col1nameglobal"), "Label");
    EXPECT_EQ(style("labelfontsize"), "2");
    EXPECT_EQ(table("hotkeys").at("z"), "24");
    // What was stored stays.
    EXPECT_EQ(setting("music - headname"), "Songs");
    EXPECT_EQ(setting("general - dlgcolorR"), "10");
    EXPECT_EQ(style("titlefontsize"), "5");
    EXPECT_EQ(table("hotkeys").at("a"), "5");
    for (const std::string& w : written())
        EXPECT_TRUE(w != "ini:music - headname" && w != "hotkeys:a") << w << " was rewritten";
    // A second run has nothing to add.
    EXPECT_EQ(options::SeedSettings(db, dir.str(), 96), 0);
}

TEST_F(OptionsTest, TheGridHasTheFocusSoonAfterThePageOpens)
{
    run<COptionHotkeys>([](COptionHotkeys& page) {
        page.ShowWindow(SW_SHOW);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 1000 && CWnd::GetFocus() != &page.Grid())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(CWnd::GetFocus(), &page.Grid());
        return press(page, 1098);
    });
}

} // namespace
} // namespace optionstest

namespace optionstest {
namespace {

const std::filesystem::path kStartFolder = std::filesystem::current_path();

std::string shotPath(const std::string& name)
{
    const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
    return ((out ? std::filesystem::path(out) : kStartFolder) / name).string();
}

TEST_F(OptionsTest, ScreenshotsOfTheFourPages)
{
    // colourPopup: 0 none, 1 the background colour (no "Default"), 2 the marked-row colour (with "Default").
    const auto shoot = [](const std::string& name, int colourPopup) {
        return [name, colourPopup](COptionPage& page) {
            page.ShowWindow(SW_SHOW);
            QApplication::processEvents();
            if (colourPopup) {
                auto& music = static_cast<COptionMusic&>(page);
                CMFCPropertyGridProperty* colour =
                    colourPopup == 1 ? row(music.m_generalGroup, 1) : row(music.m_listboxGeneralGroup, 8);
                page.Grid().SetCurSel(colour);
                page.Grid().ClickButton(colour);
                EXPECT_NE(page.Grid().ColorPopup(), nullptr);
            } else {
                page.Grid().SetCurSel(page.Grid().GetProperty(0)->GetSubItem(0));
            }
            QApplication::processEvents();
            EXPECT_TRUE(page.frameWidget()->grab().toImage().save(QString::fromStdString(shotPath(name))));
            return IDCANCEL;
        };
    };
    run<COptionMusic>(shoot("options-music.png", 0));
    run<COptionMusic>(shoot("options-music-colour.png", 1));
    run<COptionMusic>(shoot("options-music-colour-default.png", 2));
    run<COptionLyrics>(shoot("options-lyrics.png", 0));
    run<COptionChoreo>(shoot("options-choreography.png", 0));
    run<COptionHotkeys>(shoot("options-hotkeys.png", 0));
}

} // namespace
TEST_F(OptionsTest, TheButtonsCarryTheirPicturesLeftOfTheText)
{
    run<COptionLyrics>([](COptionLyrics& page) {
        QImage pictures[3];
        for (int i = 0; i < 3; ++i) {
            CWnd* button = page.GetDlgItem(1097 + i);
            auto* qt = button ? qobject_cast<QPushButton*>(button->widget()) : nullptr;
            EXPECT_TRUE(qt && !qt->icon().isNull()) << 1097 + i;
            if (qt)
                pictures[i] = qt->icon().pixmap(16, 16).toImage();
        }
        // "OK" and "Default" show the check picture; "Cancel" another.
        EXPECT_EQ(pictures[0], pictures[2]);
        EXPECT_NE(pictures[0], pictures[1]);
        return IDCANCEL;
    });
}

} // namespace optionstest
