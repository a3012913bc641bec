// CUtilityDb: calls lists imported from a grouped text list and read level by level.
#include "store/UtilityDb.h"

#include "ImportFixture.h"
#include "platform/win/MessageBox.h"

namespace {

using storetest::kApos;
using storetest::Rows;
using Texts = std::vector<std::string>;

class Calls : public storetest::DbFolder {
protected:
    Calls() : DbFolder("utility.db")
    {
        win::ClearMessageBoxLog();
        chooser.file = dir.file("calls.dat");
    }

    bool Import(const std::string& text)
    {
        testsupport::writeFile(chooser.file, text);
        return db.ImportCallsList(chooser);
    }
    Texts Names(const std::string& level)
    {
        CppSQLite3Table t = db.GetCallsOfLevel(level, 1);
        Texts names;
        for (const auto& row : RowsOf(t))
            names.push_back(row.at(1));
        return names;
    }

    storetest::FakeChooser chooser;
    CUtilityDb db;
};

TEST_F(Calls, GroupLinesNameTheCallsThatFollowThem)
{
    const struct {
        std::string text;
        Rows rows;
    } cases[] = {
        {"[Basic]\r\nCircle Left\r\n\r\n[Plus]\r\nSpin Chain Thru\r\n",
         {{"Basic", "Circle Left"}, {"Basic", ""}, {"Plus", "Spin Chain Thru"}}},
        {"[Basic\nCircle Left  \t\n", {{"Basi", "Circle Left"}}},
        {"Before Any Group\n[\nA\n[x]  \nB", {{"", "Before Any Group"}, {"", "A"}, {"x", "B"}}},
        {"[Rock'n Roll]\nBoy's Turn \"Thru\"\n",
         {{"Rock'n Roll", "Boy" + kApos + "s Turn [\xC2\xA3]Thru[\xC2\xA3]"}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Import(c.text)) << c.text;
        EXPECT_EQ(Query("select * from calls order by rowid;"), c.rows) << c.text;
    }
    EXPECT_EQ(chooser.asked.at(0), "file dat Data files (*.dat)|*.dat|All Files (*.*)|*.*||");
    EXPECT_EQ(Col("select name from sqlite_master where type='index';"), Texts{"idx_calls"});
    EXPECT_EQ(db.GetVersionText(), "2.03");
}

TEST_F(Calls, ALevelFindsEveryGroupThatNamesItOnce)
{
    Import("Ungrouped\n[Plus]\nSpin Chain Thru\nSpin Chain Thru\n[Plus Calls]\nDixie Grand\n"
           "[Basic and Mainstream]\nCircle Left\n[Rock'n Roll]\nBoy's Turn\n");
    EXPECT_EQ(Names("Plus"), (Texts{"Spin Chain Thru", "Dixie Grand"}));
    EXPECT_EQ(Names("plus"), (Texts{"Spin Chain Thru", "Dixie Grand"}));
    EXPECT_EQ(Names("Mainstream"), Texts{"Circle Left"});
    EXPECT_EQ(Names("Rock'n"), Texts{"Boy" + kApos + "s Turn"});
    for (const char* level : {"Basic", "Mainstream", "Plus", "Advance 1", "Advance 2", "Challenge 1", "Challenge 2",
                              "Challenge 3A", "Challenge 3B", "Challenge 4"})
        for (const std::string& name : Names(level))
            EXPECT_NE(name, "Ungrouped") << level;
    db.BeginBatch();
    CppSQLite3Table t = db.GetCallsOfLevel("Basic", 0);
    db.CommitBatch();
    EXPECT_EQ(RowsOf(t), (Rows{{"Basic and Mainstream", "Circle Left"}}));
}

TEST_F(Calls, AListThatCannotBeReadKeepsTheCalls)
{
    Import("[Basic]\nCircle Left\n");
    for (const std::string& path : {dir.file("missing.dat"), dir.str()}) {
        win::ClearMessageBoxLog();
        chooser.file = path;
        EXPECT_FALSE(db.ImportCallsList(chooser));
        EXPECT_EQ(Names("Basic"), Texts{"Circle Left"});
        EXPECT_EQ(win::MessageBoxLog().size(), 1u) << path;
    }
    win::ClearMessageBoxLog();
    chooser.file.clear();
    EXPECT_FALSE(db.ImportCallsList(chooser));
    EXPECT_EQ(Names("Basic"), Texts{"Circle Left"});
    EXPECT_TRUE(win::MessageBoxLog().empty());
}

} // namespace
