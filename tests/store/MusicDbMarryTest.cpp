#include "SongDataFixture.h"

namespace {

using storetest::SongData;

using Marry = SongData;

TEST_F(Marry, OnePairPerMusicFile)
{
    db.SetMarriage("/m/a.mp3", "/lyrics/first.htm", 1);
    db.SetMarriage("/m/a.mp3", "/lyrics/second.htm", 1);
    EXPECT_EQ(db.GetAllMarriages(1).RowCount(), 1);
    EXPECT_EQ(db.GetMarriage("/m/a.mp3"), "/lyrics/second.htm");
    EXPECT_EQ(db.GetMarriage("/m/A.mp3"), "");
    db.DeleteMarriage("/m/a.mp3", 1);
    db.DeleteMarriage("/m/none.mp3", 1);
    EXPECT_EQ(db.GetMarriage("/m/a.mp3"), "");
}

TEST_F(Marry, CueSheetReferencesComeBackAsTheirLabel)
{
    const struct {
        const char* stored;
        const char* returned;
    } cases[] = {
        {"[db]XY 123 - Some Title", "[db]XY 123"},
        {"[db]XY 123", "[db]XY 123"},
        {"/lyrics/ABC 12 - Song.htm", "/lyrics/ABC 12 - Song.htm"},
        {"[DB]XY 123 - Some Title", "[DB]XY 123 - Some Title"},
        {"/lyrics/Bob's\n\"song\".htm", "/lyrics/Bob's\n\"song\".htm"},
    };
    for (const auto& c : cases) {
        db.SetMarriage("/m/it's.mp3", c.stored, 1);
        EXPECT_EQ(db.GetMarriage("/m/it's.mp3"), c.returned) << c.stored;
    }
    EXPECT_EQ(Row("select * from marry;"),
              (std::vector<std::string>{"/m/it[\xC2\xA4]s.mp3", "/lyrics/Bob[\xC2\xA4]s[$][\xC2\xA3]song[\xC2\xA3].htm"}));
}

} // namespace
