#include "SongDataFixture.h"

namespace {

using storetest::SongData;

using Flags = SongData;

TEST_F(Flags, ThePlayersFlagToggles)
{
    db.SetFlag("/a.mp3", "2", 1);
    EXPECT_EQ(db.GetFlag("/a.mp3", 1), 2);
    db.SetFlag("/a.mp3", "3", 1);
    EXPECT_EQ(Count("select count(*) from flag;"), 0);
    EXPECT_EQ(db.GetFlag("/a.mp3", 1), 0);
    db.SetFlag("/a.mp3", "4", 1);
    EXPECT_EQ(Row("select * from flag;"), (std::vector<std::string>{"/a.mp3", "4"}));
}

TEST_F(Flags, StoringAKnownValueNeverClearsTheFlag)
{
    // The music manager's save and the CSV import store the value they hold.
    db.SetFlag("/a.mp3", "2", 1);
    db.SetFlagValue("/a.mp3", "2", 1);
    EXPECT_EQ(db.GetFlag("/a.mp3", 1), 2);
    db.SetFlagValue("/a.mp3", "5", 1);
    db.SetFlagValue("/b's.mp3", "1", 1);
    EXPECT_EQ(db.GetFlag("/a.mp3", 1), 5);
    EXPECT_EQ(db.GetFlag("/b's.mp3", 1), 1);
    EXPECT_EQ(Count("select count(*) from flag;"), 2);

    db.DeleteFlag("/a.mp3", 1);
    db.DeleteFlag("/none.mp3", 1);
    EXPECT_EQ(db.GetFlag("/a.mp3", 1), 0);
    EXPECT_EQ(Count("select count(*) from flag;"), 1);
}

TEST_F(Flags, AValueFromAFileCannotBreakTheStatement)
{
    db.SetFlagValue("/a.mp3", "1'); drop table flag; --", 1);
    db.SetFlag("/b.mp3", "it's", 1);
    EXPECT_EQ(Count("select count(*) from flag;"), 2);
    EXPECT_EQ(db.GetFlag("/a.mp3", 1), 1); // the number the text begins with
}

class EqPresets : public SongData {
protected:
    void Save(const std::string& name, int bass, int mid, int treble)
    {
        g_eqBass = bass;
        g_eqMid = mid;
        g_eqTreble = treble;
        db.SaveEqPreset(name, 1);
    }
};

TEST_F(EqPresets, SaveListLoadAndDelete)
{
    Save("Dance", 1, 2, 3);
    Save("Ballad", -1, 0, 1);
    Save("Concert", 5, 5, 5);
    Exec("update eq set eq4='9' where name='Dance';");
    Save("Dance", -10, 10, 0);
    EXPECT_EQ(Count("select count(*) from eq;"), 3);
    EXPECT_EQ(Row("select * from eq where name='Dance';"),
              (std::vector<std::string>{"Dance", "-10", "10", "0", "9", "0", "0", "0", "0", "0", "0"}));

    CppSQLite3Table all = db.GetEqPresets(1);
    std::vector<std::string> names;
    for (int r = 0; r < all.RowCount(); ++r) {
        all.SetRow(r);
        names.push_back(all.FieldText(0));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Dance", "Concert", "Ballad"}));

    CppSQLite3Table one = db.GetEqPreset("Ballad", 1);
    ASSERT_EQ(one.RowCount(), 1);
    one.SetRow(0);
    EXPECT_EQ(one.FieldInt(1), -1);
    EXPECT_EQ(db.GetEqPreset("None", 1).RowCount(), 0);

    db.DeleteEqPreset("Concert", 1);
    db.DeleteEqPreset("None", 1);
    EXPECT_EQ(Count("select count(*) from eq;"), 2);
}

TEST_F(EqPresets, NamesWithApostrophes)
{
    Save("Bob's \"big\" hall", 1, 1, 1);
    EXPECT_EQ(Row("select name from eq;")[0], "Bob[\xC2\xA4]s [\xC2\xA3]big[\xC2\xA3] hall");
    EXPECT_EQ(db.GetEqPreset("Bob's \"big\" hall", 1).RowCount(), 1);
    db.DeleteEqPreset("Bob's \"big\" hall", 1);
    EXPECT_EQ(Count("select count(*) from eq;"), 0);
}

} // namespace
