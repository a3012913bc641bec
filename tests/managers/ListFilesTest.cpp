// The line files of the Tools pages: choreography lists and "MarryLyrics.csv".
#include "ManagerFixture.h"
#include "managers/ChoreoListFile.h"
#include "managers/MarriageCsv.h"

#include <gtest/gtest.h>

namespace {

using managerstest::DataTest;
using testsupport::readFile;

std::vector<std::string> entriesOf(const std::vector<CMemArray>& rows, int col)
{
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r.GetCol(col));
    return out;
}

using ChoreoListFile = DataTest;

TEST_F(ChoreoListFile, ThreeRowsAreThreeCrLfLinesAndReadBackTheSame)
{
    const std::vector<std::string> entries = {"/data/Choreo/a b.htm", "Choreo/rel.txt",
                                              "[choreotable]plus[choreoname]figure_1[choreotype]easy"};
    const std::string path = dir.file("list.ini");
    ASSERT_TRUE(choreolist::Write(path, entries));
    EXPECT_EQ(readFile(path), entries[0] + "\r\n" + entries[1] + "\r\n" + entries[2] + "\r\n");
    const auto rows = choreolist::Read(path);
    EXPECT_EQ(entriesOf(rows, 1), entries);
    EXPECT_EQ(entriesOf(rows, 0), (std::vector<std::string>{"a b", "rel", entries[2]}));

    ASSERT_TRUE(choreolist::Write(path, {}));
    EXPECT_EQ(readFile(path), "");
    EXPECT_TRUE(choreolist::Read(path).empty());
}

TEST_F(ChoreoListFile, ReadingSkipsExtLinesUnescapesAndTrimsTrailingBlanks)
{
    const std::string path = write("mix.m3u", "#EXTM3U\r\n#EXTINF:123,Song\r\n/m/Bob[\xC2\xA4]s song.htm  \t\r\n"
                                              "\r\n[choreotable]c1[choreoname]x_1[choreotype]\r\n/m/last.pdf");
    const auto rows = choreolist::Read(path);
    EXPECT_EQ(entriesOf(rows, 1), (std::vector<std::string>{"/m/Bob's song.htm", "",
                                                            "[choreotable]c1[choreoname]x_1[choreotype]", "/m/last.pdf"}));
    EXPECT_EQ(entriesOf(rows, 0), (std::vector<std::string>{"Bob's song", "", "[choreotable]c1[choreoname]x_1[choreotype]",
                                                            "last"}));
}

TEST_F(ChoreoListFile, ShortPathsAndMissingFilesGiveNoRowsAndUnwritableFilesFail)
{
    write("a.in", "/x/y.htm\r\n");
    EXPECT_TRUE(choreolist::Read("a.in").empty()); // four characters
    EXPECT_TRUE(choreolist::Read(dir.file("missing.ini")).empty());
    EXPECT_FALSE(choreolist::Write(dir.file("no/such/folder/list.ini"), {"x"}));
}

using MarriageCsv = DataTest;

std::vector<std::vector<std::string>> marriages(CMusicDb& db)
{
    CppSQLite3Table t = db.GetAllMarriages(1);
    std::vector<std::vector<std::string>> out;
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetRow(r);
        out.push_back({t.FieldTextOr(0, ""), t.FieldTextOr(1, "")});
    }
    return out;
}

TEST_F(MarriageCsv, TwoMarriagesAreTwoLinesAndAReimportChangesNothing)
{
    const std::vector<marrycsv::Marriage> list = {{"/m/RR 1 - A.mp3", "/l/A.htm"}, {"/m/B's.mp3", "[db]ABC 101"}};
    const std::string path = dir.file("MarryLyrics.csv");
    ASSERT_TRUE(marrycsv::Write(path, list));
    EXPECT_EQ(readFile(path), "/m/RR 1 - A.mp3;/l/A.htm;\r\n/m/B's.mp3;[db]ABC 101;\r\n");

    for (const auto& m : list)
        db.SetMarriage(m.music, m.lyrics, 1);
    const auto before = marriages(db);
    db.BeginBatch();
    EXPECT_EQ(marrycsv::Import(path, db), 2);
    db.CommitBatch();
    EXPECT_EQ(marriages(db), before);

    ASSERT_TRUE(marrycsv::Write(path, {}));
    EXPECT_EQ(readFile(path), "");
}

TEST_F(MarriageCsv, TheReaderTakesOnlyLinesWithAMusicPartAndStripsOnlyAClosingSemicolon)
{
    const struct {
        const char* line;
        bool taken;
        const char* music;
        const char* lyrics;
    } cases[] = {
        {"/m/a.mp3;/l/a.htm;", true, "/m/a.mp3", "/l/a.htm"},
        {"/m/a.mp3;/l/a.htm", true, "/m/a.mp3", "/l/a.htm"}, // no closing ";": nothing lost
        {"/m/a.mp3;/l/a;b.htm;  \r", true, "/m/a.mp3", "/l/a;b.htm"},
        {"/m/a.mp3;[db]ABC 101;", true, "/m/a.mp3", "[db]ABC 101"},
        {"/m/a.mp3;;", true, "/m/a.mp3", ""},
        {";/l/a.htm;", false, "", ""},
        {"no semicolon at all", false, "", ""},
        {"", false, "", ""},
    };
    for (const auto& c : cases) {
        const auto m = marrycsv::ParseLine(c.line);
        ASSERT_EQ(m.has_value(), c.taken) << c.line;
        if (m) {
            EXPECT_EQ(m->music, c.music) << c.line;
            EXPECT_EQ(m->lyrics, c.lyrics) << c.line;
        }
    }
}

TEST_F(MarriageCsv, ImportStoresTheGoodLinesOfAMixedFileAndIgnoresAMissingOne)
{
    const std::string path = write("in.csv", ";skipped;\r\n\r\n/m/x.mp3;/l/x.htm\r\njunk\r\n/m/y.mp3;[db]XY 9;\r\n");
    db.BeginBatch();
    EXPECT_EQ(marrycsv::Import(path, db), 2);
    EXPECT_EQ(marrycsv::Import(dir.file("none.csv"), db), 0);
    db.CommitBatch();
    EXPECT_EQ(marriages(db), (std::vector<std::vector<std::string>>{{"/m/x.mp3", "/l/x.htm"}, {"/m/y.mp3", "[db]XY 9"}}));
}

} // namespace
