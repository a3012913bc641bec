// The transport: pause with jump-back, play at the end, the loop and its
// count, the key change, the status texts, the delayed start of a singing
// call, fades that a later action ends, the played-track row and the played
// row of a list.
#include "MusicPageFixture.h"

#include "platform/win/ListCtrl.h"

namespace {

using namespace musicpagetest;

class TransportTest : public MusicPageTest {};

TEST_F(TransportTest, PauseJumpsBackAndPlayAtTheEndStartsAgain)
{
    start({{"music - jumpback", "3"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->Play();
    page->SeekTo(10.4f);
    page->Pause();
    EXPECT_EQ(g_playing, 0);
    EXPECT_FLOAT_EQ(g_position, 7.4f);
    EXPECT_NEAR(streamSeconds(), 7.4, 0.01);
    EXPECT_EQ(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PAUSED);

    page->SeekTo(25);
    EXPECT_FLOAT_EQ(g_position, 20) << "seeks stay inside the song";
    page->Play();
    EXPECT_EQ(g_playing, 1);
    EXPECT_FLOAT_EQ(g_position, 0);
    EXPECT_LT(streamSeconds(), 1.0);
    EXPECT_TRUE(page->IsTimerArmed(kTimerPoll));
    EXPECT_EQ(page->TimerPeriod(kTimerPoll), 200u);
}

TEST_F(TransportTest, PlayWithoutASongAsksForOne)
{
    start();
    page->Play();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Doubleclick on a song first!");
    EXPECT_EQ(g_playing, 0);
    page->Pause();
    page->StopAndRewind();
    EXPECT_EQ(boxes.size(), 1u) << "the other operations do nothing";
}

TEST_F(TransportTest, TheLoopRepeatsItsCountThenTheSongRunsOn)
{
    start({{"music - nrloops", "3"}, {"music - loop", "true"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    g_loopStart = 2;
    g_loopEnd = 8;
    page->Play();
    for (int i = 1; i <= 3; ++i) {
        pollAt(8.5);
        EXPECT_NEAR(streamSeconds(), 2.0, 0.3) << i;
        EXPECT_EQ(page->LoopCounter(), i);
    }
    EXPECT_FALSE(page->IsLoopOn()) << "the loop switch goes off";
    EXPECT_EQ(CMusicDb().GetSetting("music - loop", 1), "true") << "not stored";
    pollAt(8.5);
    EXPECT_GT(streamSeconds(), 8.0);
    EXPECT_EQ(page->LoopCounter(), 3);
}

TEST_F(TransportTest, ALoopEndAtOrBelowOneSecondNeverLoops)
{
    start({{"music - loop", "true"}});
    page->OpenSong(4, -1, wav("Song.wav", 10), 0, 0, 0);
    page->Play();
    for (float end : {1.0f, 0.5f}) {
        g_loopStart = 0;
        g_loopEnd = end;
        pollAt(3);
        EXPECT_GT(streamSeconds(), 2.9) << end;
    }
    EXPECT_EQ(page->LoopCounter(), 0);
}

TEST_F(TransportTest, TheKeyChangeIsAppliedOnceAtItsTimeAndNeverWhenNegative)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->Play();
    g_keychangeSteps = 2;
    g_keychangeTime = 5;
    g_pitch = 1;
    pollAt(4);
    EXPECT_FLOAT_EQ(g_pitch, 1);
    pollAt(5.5);
    EXPECT_FLOAT_EQ(g_pitch, 3);
    float pitch = 0;
    BASS_ChannelGetAttribute(page->SongStream(), BASS_ATTRIB_TEMPO_PITCH, &pitch);
    EXPECT_FLOAT_EQ(pitch, 3);
    pollAt(6);
    EXPECT_FLOAT_EQ(g_pitch, 3) << "once";

    page->OpenSong(4, -1, wav("Other.wav", 20), 0, 0, 0);
    page->Play();
    g_keychangeSteps = -2;
    g_keychangeTime = 5;
    pollAt(6);
    EXPECT_FLOAT_EQ(g_pitch, 0);
}

TEST_F(TransportTest, TheStatusTextsSayWhatPlays)
{
    start({{"music - tracking", "true"}, {"music - trackname", "Waltz"}, {"music - loop", "true"}});
    page->OpenSong(4, -1, wav("My Song.wav", 10), 0, 0, 0);
    EXPECT_EQ(g_statusDanceText, " My Song - Dancename: Waltz");
    EXPECT_EQ(g_statusPlayText, " Music stopped");
    EXPECT_EQ(g_statusLoopText, " Loop not active");
    EXPECT_EQ(g_statusTempoText, " Tempo " + page->GetDlgItem(1028)->GetWindowText());
    g_loopEnd = 8;
    mainWnd.codes.clear();
    page->Play();
    EXPECT_EQ(g_statusPlayText, " Music playing");
    EXPECT_EQ(g_statusLoopText, " Loop active");
    EXPECT_TRUE(mainWnd.sent(CMD_UPDATE_STATUS_BAR));
    EXPECT_TRUE(mainWnd.sent(CMD_RECORDER_MUSIC_STARTED));
}

TEST_F(TransportTest, ADelayedSingingCallStaysSilentWhenStoppedDuringTheDelay)
{
    start({{"music - columetype1", "2"}, {"music - delaysingingcall", "2"}, {"music - autostart", "false"}});
    rows(1, {wav("Singing.wav", 20)});
    page->OpenListRow(1, 0);
    page->Play();
    EXPECT_EQ(g_playing, 1);
    EXPECT_EQ(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PAUSED) << "waits";
    ASSERT_TRUE(page->IsTimerArmed(kTimerDelayedStart));
    EXPECT_EQ(page->TimerPeriod(kTimerDelayedStart), 2000u);
    page->Tick(kTimerDelayedStart);
    EXPECT_EQ(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PLAYING) << "then plays";

    page->Pause();
    page->Play();
    page->StopAndRewind();
    EXPECT_FALSE(page->IsTimerArmed(kTimerDelayedStart));
    page->Tick(kTimerDelayedStart);
    EXPECT_NE(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(g_playing, 0);
}

TEST_F(TransportTest, ASongResumedOrOpenedDuringAFadeOutKeepsPlaying)
{
    start({{"music - fade", "3"}, {"music - autostart", "true"}});
    page->OpenSong(4, -1, wav("A.wav", 20), 0, 0, 0);
    page->Play();
    ASSERT_EQ(g_playing, 1);
    page->FadeOut();
    EXPECT_TRUE(page->IsTimerArmed(kTimerFadeOut));
    page->Pause();
    page->Play();
    page->Tick(kTimerFadeOut);
    EXPECT_EQ(g_playing, 1) << "resumed";

    page->FadeOut();
    page->OpenSong(4, -1, wav("B.wav", 20), 0, 1, 0);
    page->Tick(kTimerFadeOut);
    EXPECT_EQ(g_playing, 1) << "opened";
    EXPECT_EQ(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PLAYING);
}

TEST_F(TransportTest, ThePlayedTrackRowIsWrittenAfterTheTrackTime)
{
    start({{"music - tracking", "true"}, {"music - tracktime", "3"}, {"music - trackname", "Plus dance"}});
    const std::string song = wav("Song.wav", 10);
    page->OpenSong(4, -1, song, 0, 0, 0);
    page->Play();
    ASSERT_TRUE(page->IsTimerArmed(kTimerTrackRow));
    EXPECT_EQ(page->TimerPeriod(kTimerTrackRow), 3000u);
    EXPECT_EQ(CMusicDb().GetTrackLog(1).RowCount(), 0);
    page->Tick(kTimerTrackRow);
    CppSQLite3Table log = CMusicDb().GetTrackLog(1);
    ASSERT_EQ(log.RowCount(), 1);
    EXPECT_FALSE(page->IsTrackRowPending());
    EXPECT_TRUE(mainWnd.sent(CMD_TRACK_MGR_REFRESH));
    page->Pause();
    page->Play();
    EXPECT_FALSE(page->IsTimerArmed(kTimerTrackRow)) << "one row per opening";
}

TEST_F(TransportTest, DeletePlayedFilesRemovesThePlayedRowNotTheSelectedOne)
{
    start({{"music - deleteplayedfiles", "true"}, {"music - autostart", "false"}});
    const std::string a = wav("A.wav", 10), b = wav("B.wav", 10), c = wav("C.wav", 10);
    rows(1, {a, b, c});
    page->OpenListRow(1, 1);
    page->Play();
    // The caller selects another row meanwhile.
    auto* list = static_cast<CListCtrl*>(page->GetDlgItem(1009));
    list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list->SetSelectionMark(2);
    pollAt(6);
    ASSERT_EQ(page->SongRows(1).size(), 2u);
    EXPECT_EQ(page->SongRows(1)[0].GetCol(3), a);
    EXPECT_EQ(page->SongRows(1)[1].GetCol(3), c);
    pollAt(7);
    EXPECT_EQ(page->SongRows(1).size(), 2u) << "once";
}

TEST_F(TransportTest, ThePollKeepsItsPeriodWhileTheMarkersPanelCountsSeconds)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 10), 0, 0, 0);
    page->ShowMarkersPanel(true, true);
    page->Play();
    EXPECT_EQ(page->TimerPeriod(kTimerPoll), 200u);
    EXPECT_TRUE(page->IsTimerArmed(kTimerMarkerTime));
    EXPECT_EQ(page->TimerPeriod(kTimerMarkerTime), 1000u);
    pollAt(3.2);
    EXPECT_NEAR(g_position, 3.2, 0.3);
    page->Tick(kTimerMarkerTime);
    EXPECT_EQ(g_sinceMarkerSeconds, 3);
}

TEST_F(TransportTest, TheEndOfTheSongStopsThePoll)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 5), 0, 0, 0);
    page->Play();
    pollAt(5);
    EXPECT_EQ(g_playing, 0);
    EXPECT_FALSE(page->IsTimerArmed(kTimerPoll));
    EXPECT_EQ(g_statusPlayText, " Music stopped");
}

} // namespace
