// The music search: the filter's tests over a small database, and the search
// dialog's presets per list.
#include "PlayerFixture.h"

#include "player/Compare.h"
#include "store/CppSQLite3.h"

using namespace playertest;

namespace {

std::time_t day(int year, int month, int d)
{
    std::tm t{};
    t.tm_year = year - 1900, t.tm_mon = month - 1, t.tm_mday = d, t.tm_hour = 12, t.tm_isdst = -1;
    return std::mktime(&t);
}

class CompareTest : public PlayerTest {
protected:
    // Songs: a.mp3 rate 3, b.mp3 rate 5, c.mp3 rate 7, d.mp3 no row.
    // Track log: a under "Grand Mixer" on 2025-01-10, b under "Mixer" on 2025-03-01 and 2025-06-01.
    // a is marked in list 1 under the playlist "/lists/one.m3u".
    void SetUp() override
    {
        PlayerTest::SetUp();
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        for (auto [song, rate] : {std::pair{"a", 3}, {"b", 5}, {"c", 7}})
            db.Execute("INSERT INTO music (path, rate) VALUES ('/m/" + std::string(song) + ".mp3', '" +
                       std::to_string(rate) + "');");
        db.Close();
        CMusicDb m;
        m.AddTrack("a", "Grand Mixer", 0, "2025-01-10", "20:00", 1, "/m/a.mp3", 2, 1);
        m.AddTrack("b", "Mixer", 0, "2025-03-01", "20:00", 1, "/m/b.mp3", 2, 1);
        m.AddTrack("b", "Mixer", 0, "2025-06-01", "20:00", 1, "/m/b.mp3", 2, 1);
        m.AddMark(1, "/m/a.mp3", 0, "/lists/one.m3u", 1);
    }

    std::string passing(int type, const musicfilter::Search& search)
    {
        CMusicDb db;
        db.BeginBatch();
        std::string out;
        for (const char* song : {"a", "b", "c", "d"})
            if (musicfilter::Passes(type, "/m/" + std::string(song) + ".mp3", song, search, db))
                out += song;
        db.CommitBatch();
        return out;
    }
};

TEST_F(CompareTest, EachFilterTypePassesTheRightSongs)
{
    musicfilter::Search base;
    base.list = 1;
    base.marksListDir = 1;
    base.source = "/lists/one.m3u";
    base.findLyrics = [](const std::string& path) { return path == "/m/c.mp3" ? "/lyrics/c.htm" : ""; };
    struct Case {
        const char* what;
        int type;
        std::function<void(musicfilter::Search&)> set;
        const char* expected;
    };
    const Case cases[] = {
        {"a title search with no text passes all", 8, [](auto& s) { s.text.clear(); }, "abcd"},
        {"a title search ignores case", 8, [](auto& s) { s.text.assign(1, 'B'); }, "b"},
        {"rate 3 to 5, never a song without a row", 11, [](auto& s) { s.rateLow = 3, s.rateHigh = 5; }, "ab"},
        {"rate 0 to 9", 11, [](auto& s) { s.rateLow = 0, s.rateHigh = 9; }, "abc"},
        {"Mixer within Grand Mixer", 1, [](auto& s) { s.text = "Mixer", s.exact = 0; }, "ab"},
        {"exactly Mixer", 1, [](auto& s) { s.text = "Mixer", s.exact = 1; }, "b"},
        {"not under exactly Mixer", 2, [](auto& s) { s.text = "Mixer", s.exact = 1; }, "acd"},
        {"in the track log at all", 3, [](auto& s) { s.text = "", s.exact = 0; }, "ab"},
        {"marked under the real source", 4, [](auto&) {}, "a"},
        {"not marked under the real source", 5, [](auto&) {}, "bcd"},
        {"not in the music database", 6, [](auto&) {}, "d"},
        {"without lyrics", 7, [](auto&) {}, "abd"},
        {"played between the dates", 9,
         [](auto& s) { s.after = day(2025, 2, 1), s.before = day(2025, 4, 1); }, "b"},
        {"last played on or before the date", 10,
         [](auto& s) { s.after = day(2025, 2, 1), s.before = day(2025, 4, 1); }, "a"},
        {"last played before, all rows count", 10,
         [](auto& s) { s.after = day(2025, 2, 1), s.before = day(2025, 7, 1); }, "ab"},
    };
    for (const Case& c : cases) {
        musicfilter::Search s = base;
        c.set(s);
        EXPECT_EQ(passing(c.type, s), c.expected) << c.what;
    }
    // The caption a filter shows above the list is no source: marks kept under the playlist are not found by it.
    musicfilter::Search caption = base;
    caption.source = "These Songs are marked";
    EXPECT_EQ(passing(4, caption), "");
}

TEST_F(CompareTest, CriteriaMapToFilterTypes)
{
    const int types[11] = {7, 6, 4, 5, 8, 11, 3, 1, 2, 9, 10};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(musicfilter::TypeOfCriterion(c), types[c]) << c;
}

TEST_F(CompareTest, EachListKeepsItsLastSearchAndADoubleClickStoresNothing)
{
    const std::time_t now = std::time(nullptr);
    dialogAnswers[CCompare::IDD] = [&](CWnd* w) {
        auto& d = *static_cast<CCompare*>(w);
        EXPECT_EQ(d.GetSelection(), 0) << "nothing stored yet";
        click(d, 1145);
        d.SetDlgItemText(1332, "6");
        d.SetDlgItemText(1222, "4");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(1222, EN_KILLFOCUS), LPARAM(d.GetDlgItem(1222)->m_hWnd));
        EXPECT_EQ(d.GetRateLow(), 4) << "the low value never passes the high one";
        shot(d, "search.png");
        click(d, 1097);
        return d.GetDialogResult();
    };
    CCompare two("Mixer", 2, now, now);
    ASSERT_EQ(two.DoModal(), IDOK);
    EXPECT_EQ(two.GetSelection(), 5);
    EXPECT_EQ(setting("music - CompareSelection2"), "5");
    EXPECT_EQ(setting("music - CompareRateLow2"), "4");
    EXPECT_EQ(setting("music - CompareRateHigh2"), "4");
    EXPECT_EQ(setting("music - CompareSelection1"), "") << "list 1 keeps its own";

    dialogAnswers[CCompare::IDD] = [&](CWnd* w) {
        auto& d = *static_cast<CCompare*>(w);
        EXPECT_EQ(d.GetSelection(), 5) << "list 2 reopens with its last search";
        click(d, 1147);
        auto* names = static_cast<CListBox*>(d.GetDlgItem(1168));
        EXPECT_EQ(names->GetCount(), 2);
        names->SetCurSel(names->FindStringExact(-1, "Grand Mixer"));
        notify(d, 1168, LBN_DBLCLK);
        return d.GetDialogResult();
    };
    CCompare again("", 2, now, now);
    ASSERT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(again.GetDanceName(), "Grand Mixer");
    EXPECT_EQ(again.GetSelection(), 7);
    EXPECT_EQ(setting("music - CompareSelection2"), "5") << "a double click stores no preset";
}

} // namespace
