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

TEST_F(SongFactsQuery, NoPathsNoStatement)
{
    EXPECT_TRUE(db.GetSongFacts({}, SongFactsRequest{}, 1).empty());
}

} // namespace
