// The music page's jukebox: the next row in order and at random, the queue
// played without the queue's autostart, short play and the fade, and a
// closed jukebox that plays nothing more.
#include "MusicPageFixture.h"

#include "store/PlayerGlobals.h"

using namespace musicpagetest;

namespace {

class JukeboxPlayTest : public MusicPageTest {
protected:
    void TearDown() override
    {
        g_jukeboxMode = g_jukeboxRandom = g_jukeboxShortPlay = 0;
        MusicPageTest::TearDown();
    }
    // Song list 2 with three songs, their played marks as given.
    void list2(const std::vector<const char*>& marks)
    {
        rows(2, {wav("a.wav", 3), wav("b.wav", 3), wav("c.wav", 3)});
        std::vector<CMemArray> r = page->SongRows(2);
        for (size_t i = 0; i < r.size(); ++i)
            r[i].SetCol(7, marks[i]);
        page->SetSongRows(2, r);
    }
    std::string playing() const { return std::filesystem::path(g_currentSongPath).stem().string(); }
};

TEST_F(JukeboxPlayTest, InOrderTheRowAfterTheLastIsTheFirst)
{
    start();
    list2({"0", "0", "0"});
    g_jukeboxMode = 2;
    std::string order;
    for (int i = 0; i < 4; ++i) {
        page->JukeboxPlayNext();
        order += playing();
        EXPECT_EQ(g_playing, 1);
    }
    EXPECT_EQ(order, "abca");
    EXPECT_EQ(page->CurrentList(), 2);
}

TEST_F(JukeboxPlayTest, RandomPlaysTheUnplayedAndStartsAgainWhenAllArePlayed)
{
    start();
    g_jukeboxMode = 2;
    g_jukeboxRandom = 1;
    list2({"1", "0", "1"});
    page->JukeboxPlayNext();
    EXPECT_EQ(playing(), "b");
    list2({"1", "1", "1"});
    page->JukeboxPlayNext();
    int marked = 0;
    for (const CMemArray& r : page->SongRows(2))
        marked += r.GetCol(7) == "1" ? 1 : 0;
    EXPECT_EQ(marked, 1) << "all played: the marks start again, with the song now playing marked";
}

TEST_F(JukeboxPlayTest, AnEmptyListPlaysNothing)
{
    start();
    g_jukeboxMode = 3;
    page->JukeboxPlayNext();
    EXPECT_EQ(g_playing, 0);
    EXPECT_EQ(page->JukeboxRow(3), -1);
}

TEST_F(JukeboxPlayTest, TheQueuePlaysEachNextSongWithoutItsAutostart)
{
    start({{"music - autostartqueue", "false"}});
    page->QueueSong(wav("q1.wav", 3), 1, 0, "0", 0);
    page->QueueSong(wav("q2.wav", 3), 1, 1, "0", 0);
    g_jukeboxMode = 4;
    page->JukeboxPlayNext();
    EXPECT_EQ(g_playing, 1);
    const std::string first = playing();
    page->JukeboxPlayNext();
    EXPECT_EQ(g_playing, 1) << "the second queued song plays too";
    EXPECT_NE(playing(), first);
    // An empty queue: the song that ended is not played again.
    page->Pause();
    page->JukeboxPlayNext();
    EXPECT_EQ(g_playing, 0);
}

TEST_F(JukeboxPlayTest, ShortPlayEndsTheSongFadesAndTheNextFollows)
{
    start({{"music - fade", "1"}});
    list2({"0", "0", "0"});
    g_jukeboxMode = 2;
    g_jukeboxShortPlay = 1;
    g_jukeboxShortTime = 1;
    page->JukeboxPlayNext();
    EXPECT_EQ(playing(), "a");
    pollAt(1.2);
    ASSERT_TRUE(page->IsTimerArmed(kTimerJukeboxFade)) << "the end of short play starts the fade";
    EXPECT_EQ(page->TimerPeriod(kTimerJukeboxFade), 1000u);
    page->Tick(kTimerJukeboxFade);
    EXPECT_EQ(playing(), "b");
    EXPECT_EQ(g_playing, 1);
    // Closed: the jukebox is off and the end of the song starts nothing.
    g_jukeboxMode = 0;
    pollAt(2.99);
    win::PumpMessages(100);
    page->Tick(kTimerPoll);
    EXPECT_FALSE(page->IsTimerArmed(kTimerJukeboxFade));
}

} // namespace
