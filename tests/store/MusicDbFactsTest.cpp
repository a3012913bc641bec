// The list facts of many songs at once must say what the single-song lookups say.
#include "SongDataFixture.h"

namespace {

using storetest::SongData;

using SongFactsQuery = SongData;

// Paths that would break a statement built by text: apostrophe, quote, backslash, line feed.
const std::vector<std::string> kPaths{"/m/a.mp3", "/m/Don't Stop.mp3", "/m/say \"hi\".mp3", "C:\\m\\win.mp3",
                                      "/m/two\nlines.mp3", "/m/none.mp3", "/m/a.mp3"};

TEST_F(SongFactsQuery, EveryFactMatchesTheSingleSongLookups)
{
    for (const std::string& p : {kPaths[0], kPaths[1], kPaths[2], kPaths[3], kPaths[4]}) {
        db.SaveMusicRow(p, "44100", "0", "0", "100", "0", "0", "0", "0", "0", "", std::to_string(p.size() % 5),
                        std::to_string(60 + p.size()), "note for " + p, "", "", "", "", "", "", "", "", "", "", 1);
        db.AddTrack("t", "Club", 0, "2026-01-02", "20:00:00", 1, p, 3, 1);
        db.AddTrack("t", "Club", 0, "2026-03-04", "19:00:00", 1, p, 3, 1);
        db.AddTrack("t", "Other", 0, "2026-05-06", "18:00:00", 1, p, 3, 1);
    }
    db.SetFlagValue(kPaths[1], "2", 1);
    db.SetFlagValue(kPaths[3], "1", 1);
    db.AddMark(1, kPaths[1], 0, "/lists/one.m3u", 1);
    db.AddMark(2, kPaths[2], 0, "/lists/it's two.m3u", 1);
    db.AddMark(3, kPaths[4], 0, "/other.m3u", 1);

    for (const bool bySource : {false, true}) {
        SongFactsRequest req;
        req.lastPlayed = true;
        req.danceName = "Club";
        req.marks = {true, true, true};
        req.marksBySource = bySource;
        req.sources = {"/lists/one.m3u", "/lists/it's two.m3u", "/lists/three.m3u"};
        const std::vector<SongFacts> facts = db.GetSongFacts(kPaths, req, 1);
        ASSERT_EQ(facts.size(), kPaths.size());
        for (std::size_t i = 0; i < kPaths.size(); ++i) {
            SCOPED_TRACE(kPaths[i]);
            const std::string& p = kPaths[i];
            EXPECT_EQ(facts[i].known, db.HasMusicRow(p, 1));
            EXPECT_EQ(std::to_string(facts[i].rate), db.GetRateText(p, 1));
            EXPECT_EQ(facts[i].length, db.GetLength(p, 1));
            EXPECT_EQ(facts[i].comment, db.GetCommentText(p, 1));
            EXPECT_EQ(facts[i].lastPlayed, db.GetLastTrackDate(p, "Club", 1));
            EXPECT_EQ(facts[i].flag, db.GetFlag(p, 1));
            for (int n = 1; n <= 3; ++n)
                EXPECT_EQ(facts[i].marked[n - 1], db.IsMarked(p, n, bySource, req.sources[n - 1], 1)) << n;
        }
    }
    const std::vector<SongFacts> facts = db.GetSongFacts(kPaths, SongFactsRequest{}, 1);
    EXPECT_EQ(facts[1].lastPlayed, "");
    EXPECT_EQ(facts[1].comment, "note for /m/Don't Stop.mp3");
    EXPECT_EQ(facts[1].marked[0], false);
    EXPECT_EQ(facts[1].flag, 2);
    EXPECT_FALSE(facts[5].known);
}

// A request for some facts gives those as the full request does and leaves the others unread.
TEST_F(SongFactsQuery, APartialRequestGivesTheFactsAskedForInTheirPlaces)
{
    for (const std::string& p : {kPaths[1], kPaths[2]}) {
        db.SaveMusicRow(p, "44100", "0", "0", "100", "0", "0", "0", "0", "0", "", "7", "65", "note", "", "", "", "",
                        "", "", "", "", "", "", 1);
        db.AddTrack("t", "Club", 0, "2026-01-02", "20:00:00", 1, p, 3, 1);
    }
    db.SetFlagValue(kPaths[2], "2", 1);
    db.AddMark(2, kPaths[1], 0, "/s.m3u", 1);
    db.AddMark(3, kPaths[2], 0, "/s.m3u", 1);
    SongFactsRequest all;
    all.lastPlayed = true;
    all.danceName = "Club";
    all.marks = {true, true, true};
    const std::vector<SongFacts> full = db.GetSongFacts(kPaths, all, 1);
    ASSERT_TRUE(full[1].known && full[2].flag == 2 && full[1].marked[1] && full[2].marked[2]);

    // A long list reads table music in another order: the same facts in the same places.
    std::vector<std::string> longList;
    for (int i = 0; i < 6000; ++i)
        longList.push_back("/m/none " + std::to_string(i) + ".mp3");
    longList.insert(longList.begin() + 3000, kPaths.begin(), kPaths.end());
    const std::vector<SongFacts> fromLong = db.GetSongFacts(longList, all, 1);
    for (std::size_t i = 0; i < kPaths.size(); ++i) {
        const SongFacts& f = fromLong[3000 + i];
        EXPECT_TRUE(f.known == full[i].known && f.rate == full[i].rate && f.length == full[i].length &&
                    f.comment == full[i].comment && f.lastPlayed == full[i].lastPlayed && f.flag == full[i].flag &&
                    f.marked == full[i].marked)
            << kPaths[i];
    }
    EXPECT_FALSE(fromLong.front().known || fromLong.back().known);

    struct Case {
        bool songRow, flag, lastPlayed;
        std::array<bool, 3> marks;
    } cases[] = {{false, false, true, {}}, {true, false, false, {}}, {false, true, false, {false, true, false}},
                 {false, false, false, {false, false, true}}, {true, true, true, {true, false, true}}};
    for (const Case& c : cases) {
        SongFactsRequest req = all;
        req.songRow = c.songRow;
        req.flag = c.flag;
        req.lastPlayed = c.lastPlayed;
        req.marks = c.marks;
        const std::vector<SongFacts> facts = db.GetSongFacts(kPaths, req, 1);
        for (std::size_t i = 0; i < kPaths.size(); ++i) {
            SCOPED_TRACE(testing::Message() << c.songRow << c.flag << c.lastPlayed << " " << kPaths[i]);
            EXPECT_EQ(facts[i].known, c.songRow && full[i].known);
            EXPECT_EQ(facts[i].rate, c.songRow ? full[i].rate : 0);
            EXPECT_EQ(facts[i].comment, c.songRow ? full[i].comment : "");
            EXPECT_EQ(facts[i].flag, c.flag ? full[i].flag : 0);
            EXPECT_EQ(facts[i].lastPlayed, c.lastPlayed ? full[i].lastPlayed : "");
            for (std::size_t n = 0; n < 3; ++n)
                EXPECT_EQ(facts[i].marked[n], c.marks[n] && full[i].marked[n]) << n;
        }
    }
}

// Inside a batch the facts are those of its changes not yet committed, also when they fill many
// more pages than the facts statement caches; the batch then commits them all.
TEST_F(SongFactsQuery, ABatchSeesItsOwnChangesAndCommitsThem)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 3000; ++i)
        paths.push_back("/m/batch song " + std::to_string(i) + ".mp3");
    const std::string note(200, 'n');
    db.BeginBatch();
    for (std::size_t i = 0; i < paths.size(); ++i)
        db.SaveMusicRow(paths[i], "44100", "0", "0", "100", "0", "0", "0", "0", "0", "", std::to_string(i % 10),
                        std::to_string(i + 1), note, "", "", "", "", "", "", "", "", "", "", 0);
    for (const int step : {1, 97}) {
        std::vector<std::string> asked;
        for (std::size_t i = 0; i < paths.size(); i += static_cast<std::size_t>(step))
            asked.push_back(paths[i]);
        const std::vector<SongFacts> facts = db.GetSongFacts(asked, SongFactsRequest{}, 0);
        ASSERT_EQ(facts.size(), asked.size());
        for (std::size_t k = 0; k < asked.size(); ++k) {
            const std::size_t i = k * static_cast<std::size_t>(step);
            ASSERT_TRUE(facts[k].known && facts[k].rate == int(i % 10) && facts[k].length == int(i + 1) &&
                        facts[k].comment == note)
                << asked[k];
        }
    }
    db.CommitBatch();
    const std::vector<SongFacts> stored = db.GetSongFacts({paths.front(), paths.back()}, SongFactsRequest{}, 1);
    EXPECT_TRUE(stored[0].known && stored[0].length == 1);
    EXPECT_TRUE(stored[1].known && stored[1].length == 3000 && stored[1].rate == 9);
}

TEST_F(SongFactsQuery, NoPathsNoStatement)
{
    EXPECT_TRUE(db.GetSongFacts({}, SongFactsRequest{}, 1).empty());
}

} // namespace
