#include "SongDataFixture.h"

#include <ctime>

namespace {

using storetest::SongData;

std::time_t localTime(int year, int month, int day, int hour = 0, int minute = 0)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

class Track : public SongData {
protected:
    void Play(const std::string& date, const std::string& time, const std::string& file,
              const std::string& dance = "Plus Tip", int list = 1)
    {
        db.AddTrack("Title", dance, 0, date, time, list, file, 3, 1);
    }
    int Rows() { return Count("select count(*) from track;"); }
};

TEST_F(Track, EmptyFilePathWritesNothingAndOpensNothing)
{
    db.AddTrack("Title", "Dance", 1, "", "", 1, "", 3, 0); // no batch open: any statement would raise
    EXPECT_EQ(Rows(), 0);
}

TEST_F(Track, SamePlayInOneMinuteIsOneRowWhateverTheDanceName)
{
    Play("2024-05-08", "19:40", "/m/a.mp3", "Club night");
    Play("2024-05-08", "19:40", "/m/a.mp3", "Other dance");
    EXPECT_EQ(Rows(), 1);
    Play("2024-05-08", "19:41", "/m/a.mp3", "Club night");
    Play("2024-05-08", "19:41", "/m/a.mp3", "Club night", 2); // another list is another play
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(Row("select * from track;"),
              (std::vector<std::string>{"2024-05-08", "19:40", "Title", "Club night", "1", "/m/a.mp3", "3"}));
}

TEST_F(Track, ClockPlaysInTheSameMinuteStoreOneRow)
{
    // Retried when the minute turns between the two plays.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Exec("delete from track;");
        const std::string before = MyFunctions().NowText().substr(0, 16); // up to the minute
        db.AddTrack("Title", "One", 1, "", "", 1, "/m/a.mp3", 3, 1);
        db.AddTrack("Title", "Two", 1, "ignored", "ignored", 1, "/m/a.mp3", 3, 1);
        if (MyFunctions().NowText().substr(0, 16) != before)
            continue;
        EXPECT_EQ(Rows(), 1);
        const std::vector<std::string> row = Row("select date, time from track;");
        EXPECT_EQ(row[0] + " " + row[1], before);
        return;
    }
    ADD_FAILURE() << "the minute kept turning";
}

TEST_F(Track, TitlesWithApostrophesAreFoundAndDeletedUnescaped)
{
    db.AddTrack("Don't Stop", "Bob's Dance", 0, "2024-05-08", "19:40", 1, "/m/it's.mp3", 3, 1);
    EXPECT_EQ(Row("select path, name, fullpath from track;"),
              (std::vector<std::string>{"Don[\xC2\xA4]t Stop", "Bob[\xC2\xA4]s Dance", "/m/it[\xC2\xA4]s.mp3"}));
    EXPECT_TRUE(db.IsInTrackLog(4, "Don't Stop", "", 0, 1));
    EXPECT_TRUE(db.IsInTrackLog(1, "Don't Stop", "Bob's Dance", 1, 1));
    EXPECT_EQ(db.GetLastTrackDate("/m/it's.mp3", "Bob's Dance", 1), "2024-05-08, 19:40");
    EXPECT_EQ(db.CountTracksForFile("/m/it's.mp3", 1), "1");
    db.DeleteTrack("Don't Stop", "2024-05-08", "19:40", "Bob's Dance", 1);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(Track, ImportedDatesAndTimesAreQuoted)
{
    db.AddTrack("T", "D", 0, "2024-05-08'); drop table track; --", "19:40'", 4, "/m/a.mp3", 1, 1);
    EXPECT_EQ(Row("select date, time from track;"),
              (std::vector<std::string>{"2024-05-08'); drop table track; --", "19:40'"}));
    db.DeleteTrack("T", "2024-05-08'); drop table track; --", "19:40'", "D", 1);
    EXPECT_EQ(Rows(), 0);
}

TEST_F(Track, LastPlayCountAndLogOrder)
{
    Play("2024-05-01", "20:15", "/m/a.mp3");
    Play("2024-05-08", "19:40", "/m/a.mp3");
    Play("2024-05-08", "20:15", "/m/a.mp3", "Other");
    Play("2024-04-30", "21:00", "/m/a.mp3");
    EXPECT_EQ(db.GetLastTrackDate("/m/a.mp3", "Plus Tip", 1), "2024-05-08, 19:40");
    EXPECT_EQ(db.GetLastTrackDate("/m/a.mp3", "Never", 1), "");
    EXPECT_EQ(db.CountTracksForFile("/m/a.mp3", 1), "4");
    EXPECT_EQ(db.CountTracksForFile("/m/b.mp3", 1), "0");

    CppSQLite3Table log = db.GetTrackLog(1);
    std::vector<std::string> order;
    for (int r = 0; r < log.RowCount(); ++r) {
        log.SetRow(r);
        order.push_back(std::string(log.FieldText(0)) + " " + log.FieldText(1));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"2024-05-08 20:15", "2024-05-08 19:40", "2024-05-01 20:15",
                                               "2024-04-30 21:00"}));
    EXPECT_EQ(db.GetTrackNames(1).RowCount(), 2);
    EXPECT_EQ(db.GetTrackNamesWithLevel(1).FieldCount(), 2);
}

TEST_F(Track, SearchModes)
{
    Play("2024-05-08", "19:40", "/m/a.mp3", "Plus Tip");
    const struct {
        int mode;
        const char* title;
        const char* dance;
        int exact;
        bool found;
    } cases[] = {
        {1, "Title", "Plus Tip", 1, true}, {1, "Title", "plus tip", 1, false}, {2, "Title", "plus", 0, true},
        {3, "Title", "", 0, true},          {1, "Title", "Basic", 0, false},    {4, "Title", "Basic", 1, true},
        {4, "Other", "", 0, false},         {1, "title", "Plus Tip", 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db.IsInTrackLog(c.mode, c.title, c.dance, c.exact, 1), c.found)
            << c.mode << " " << c.title << " " << c.dance << " " << c.exact;
}

TEST_F(Track, DateRangeCountsWholeDays)
{
    const std::time_t start = localTime(2024, 5, 1);
    const std::time_t end = localTime(2024, 5, 31);
    const struct {
        std::vector<const char*> dates;
        int kind;
        bool result;
    } cases[] = {
        {{"2024-05-10"}, 0, true},
        {{"2024-05-01"}, 0, false}, // zero whole hours before start: not inside
        {{"2024-05-31"}, 0, true},
        {{"2024-06-01"}, 0, false},
        {{"2024-04-02", "2024-05-10"}, 1, true},
        {{"2024-04-02", "2024-05-10", "2024-06-02"}, 1, false},
        {{}, 0, false},
        {{}, 1, false},
        // Imported rows whose date is no calendar date are skipped, never raised.
        {{"", "garbage", "2024-13-01", "1969-12-31", "2024-02-30", "2024-05-00"}, 0, false},
        {{"", "garbage", "2024-02-30"}, 1, false},
        {{"2024-13-45", "2024-05-10", "x"}, 0, true},
        {{"2024-05-10", "not a date"}, 1, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string file = "/m/" + std::to_string(n++) + ".mp3";
        for (const char* date : c.dates)
            Play(date, "20:00", file);
        bool result = !c.result;
        ASSERT_NO_THROW(result = db.IsTrackInDateRange(file, start, end, c.kind, 1, 1)) << file;
        EXPECT_EQ(result, c.result) << file;
    }
}

TEST_F(Track, DateRangeOnTheBatchTakesEveryListAndPrivatelyOnlyTheGivenList)
{
    Play("2024-05-10", "20:00", "/m/a.mp3", "D", 2);
    const std::time_t start = localTime(2024, 5, 1);
    const std::time_t end = localTime(2024, 5, 31);
    EXPECT_FALSE(db.IsTrackInDateRange("/m/a.mp3", start, end, 0, 1, 1));
    EXPECT_TRUE(db.IsTrackInDateRange("/m/a.mp3", start, end, 0, 2, 1));
    db.BeginBatch();
    EXPECT_TRUE(db.IsTrackInDateRange("/m/a.mp3", start, end, 0, 1, 0));
    db.CommitBatch();
}

} // namespace
