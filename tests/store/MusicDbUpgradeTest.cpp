#include "store/MusicDb.h"

#include "StoreFixture.h"
#include "store/MusicDbDetail.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

namespace {

using storetest::DataFolder;

class Upgrade : public DataFolder {
protected:
    void SetUp() override { db.CreateSchema(); }

    // Stores the settings as they are, then runs the chain.
    void Run(const std::map<std::string, std::string>& before)
    {
        for (const auto& [name, value] : before)
            Exec("insert into ini values ('" + name + "', '" + value + "');");
        db.UpgradeSettings();
    }

    CMusicDb db;
};

TEST_F(Upgrade, EachStartingVersionEndsWithTheValuesItsStepsGive)
{
    const std::string folder = dir.str();
    struct Case {
        const char* name;
        std::map<std::string, std::string> before;
        std::map<std::string, std::string> after; // "<missing>" for a setting that must not exist
    };
    const Case cases[] = {
        {"a changed value of a step that runs is reset",
         {{"system - version", "81006"}, {"music - gridlines", "false"}},
         {{"music - gridlines", "true"}, {"lyrics - latestdir", folder + "/text"}}},
        {"a changed value of a step that does not run stays",
         {{"system - version", "81007"}, {"music - gridlines", "false"}},
         {{"music - gridlines", "false"}, {"lyrics - latestdir", folder + "/text"}}},
        {"fix BPM copied to lists 2 and 3",
         {{"system - version", "90406"}, {"music - fixbpm", "true"}},
         {{"music - fixbpm2", "true"}, {"music - fixbpm3", "true"}, {"music - resettimerzero", "false"}}},
        {"fix BPM reset by its own step first",
         {{"system - version", "90405"}, {"music - fixbpm", "true"}},
         {{"music - fixbpm", "false"}, {"music - fixbpm2", "false"}}},
        {"auto loop stop from the loop time",
         {{"system - version", "92102"}, {"music - autolooptime", "12"}},
         {{"music - autolooptimestop", "12"}, {"general - focus", "false"}}},
        {"auto loop stop without a loop time",
         {{"system - version", "92102"}},
         {{"music - autolooptimestop", "0"}}},
        {"HTML list documents",
         {{"system - version", "91205"}, {"general - listdefformat", "true"}},
         {{"0list_basic - path", folder + "/ListAndDefHtml/blist.htm"},
          {"1list_main - path", folder + "/ListAndDefHtml/mdef.htm"},
          {"0list_c4 - path", "<missing>"},
          {"general - callspos_width", "910"}}},
        {"PDF list documents",
         {{"system - version", "91205"}, {"general - listdefformat", "false"}},
         {{"0list_basic - path", folder + "/ListAndDef/B_List.pdf"},
          {"1list_c4 - path", folder + "/ListAndDef/C-4_Definitions.pdf"}}},
        {"level playlists and marker panel",
         {{"system - version", "91704"}, {"c4 - playlist3", "/lists/x.m3u"}},
         {{"c4 - playlist3", ""}, {"basic - playlist1", ""}, {"markers - show", "1"}}},
        {"texts per tab and call lists",
         {{"system - version", "90303"}},
         {{"global - headtab8", "+ - Notes"}, {"global - headtab14", "Misc"}, {"general - callspath_c3b", ""}}},
        {"compare ranges",
         {{"system - version", "92001"}},
         {{"music - CompareRateHigh2", "9"}, {"music - CompareSearch3", ""}, {"music - CompareRateLow1", "0"}}},
        {"the current version runs nothing",
         {{"system - version", "92207"}, {"music - gridlines", "false"}},
         {{"music - gridlines", "false"}, {"general - focus", "<missing>"}, {"system - modified", "<missing>"}}},
    };
    for (const Case& c : cases) {
        Exec("delete from ini;");
        Run(c.before);
        EXPECT_EQ(db.GetSetting("system - version", 1), "92207") << c.name;
        for (const auto& [name, value] : c.after) {
            if (value == "<missing>")
                EXPECT_EQ(Count("select count(*) from ini where name='" + name + "';"), 0) << c.name << ": " << name;
            else
                EXPECT_EQ(db.GetSetting(name, 1), value) << c.name << ": " << name;
        }
    }
}

TEST_F(Upgrade, NoVersionRunsEveryStepAndStampsTheTimeOfTheLastStampingStep)
{
    Run({});
    EXPECT_EQ(db.GetSetting("system - version", 1), "92207");
    EXPECT_EQ(db.GetSetting("system - modified", 1).size(), 19u);
    EXPECT_EQ(db.GetSetting("music - timervisible", 1), "false");
    EXPECT_EQ(db.GetSetting("music - fixbpmvalue", 1), "127");
    EXPECT_EQ(db.GetSetting("music - pathdefaultmusicfolder", 1), dir.str() + "/MP3");
    EXPECT_EQ(db.GetStyle("choreofontsize3", 1), "6");
    EXPECT_EQ(db.GetStyle("csspath", 1), "");
    EXPECT_EQ(g_listDefFormatHtml, 1); // step 90201 chose the HTML documents
}

// A new file is written at the latest version at once: it must hold what the
// first-run seed and the whole chain would leave, row for row.
TEST_F(Upgrade, ANewFileHoldsTheSeedAndWhatTheWholeChainWouldLeave)
{
    using Rows = std::vector<std::pair<std::string, std::string>>;
    const auto rows = [this](const char* table) {
        CppSQLite3DB c;
        Open(c);
        CppSQLite3Table t = c.GetTable(std::string("select name, value from ") + table + " order by rowid;");
        Rows out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            const std::string name = t.FieldTextOr(0, "<null>");
            // The stamp of the last stamping step is the time it ran.
            out.emplace_back(name, name == "system - modified" ? "<time>" : t.FieldTextOr(1, "<null>"));
        }
        return out;
    };
    db.UpgradeSettings();
    Rows expected = {{"system - setup", "true"}};
    for (const std::string& name : musicdbpaths::DefaultPathSettings())
        expected.emplace_back(name, "");
    // The chain updates the seed's rows where it sets them and adds the others after them.
    for (const auto& row : rows("ini")) {
        auto it = std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == row.first; });
        if (it != expected.end())
            it->second = row.second;
        else
            expected.push_back(row);
    }
    const Rows chainStyles = rows("stylesheet");

    g_listDefFormatHtml = 0;
    ASSERT_TRUE(std::filesystem::remove(dir.file("mirtal.db")));
    CMusicDb fresh;
    ASSERT_TRUE(fresh.Init());
    EXPECT_EQ(rows("ini"), expected);
    EXPECT_EQ(rows("stylesheet"), chainStyles);
    EXPECT_EQ(fresh.GetSetting("music - fixbpm2", 1), "false");
    EXPECT_EQ(fresh.GetSetting("0list_basic - path", 1), dir.str() + "/ListAndDefHtml/blist.htm");
    EXPECT_EQ(g_listDefFormatHtml, 1);
    EXPECT_FALSE(fresh.IsBatchOpen());
}

TEST_F(Upgrade, StepsFromLaterVersionsKeepTheModifiedStamp)
{
    Run({{"system - version", "91005"}, {"system - modified", "2010-01-02 03:04:05"}});
    EXPECT_EQ(db.GetSetting("system - modified", 1), "2010-01-02 03:04:05");
    EXPECT_EQ(db.GetSetting("music - savequeuedfiles", 1), "false");
}

TEST_F(Upgrade, OldTablesGainTheirColumnsAndMissingOnesAreLeftToTheSchema)
{
    Exec("drop table music;");
    Exec("drop table track;");
    Exec("create table music(path varchar(100),speed int, pitch int, tempo double, volume int, loopset double, "
         "loopstop double, eq1 int, eq2 int, eq3 int, markers varchar(150), rate int, length int, comment "
         "varchar(150), date varchar (20));"); // empty: the column check must not need a row
    Run({{"system - version", "90201"}});
    EXPECT_EQ(Count("select count(*) from pragma_table_info('music');"), 24);
    EXPECT_EQ(Count("select count(*) from sqlite_master where name='track';"), 0);
}

TEST_F(Upgrade, FailedStepKeepsEarlierStepsAndLeavesTheFileWritable)
{
    Exec("drop table stylesheet;"); // step 90104 writes style values
    EXPECT_THROW(Run({{"system - version", "81010"}}), CppSQLite3Exception);
    EXPECT_FALSE(db.IsBatchOpen());
    EXPECT_EQ(db.GetSetting("system - version", 1), "81010");
    EXPECT_EQ(db.GetSetting("general - clockbgcolorB", 1), ""); // the failed step wrote nothing
    db.SetSetting("music - fade", "1", 1);                      // and holds no lock
    // The next start resumes at the failed step.
    db.CreateSchema();
    db.UpgradeSettings();
    EXPECT_EQ(db.GetSetting("general - clockbgcolorB", 1), "255");
}

} // namespace
