// The recorder on the silent input: file names, the start, pause and stop of
// a file, the MP3 it leaves, the link to the player, a device change and a
// dead encoder.
#include "PlayerFixture.h"

#include "platform/audio/BassEnc.h"
#include "player/Record.h"
#include "store/PlayerGlobals.h"

#include <QWidget>

using namespace playertest;

namespace {

class RecordTest : public PlayerTest {
protected:
    std::unique_ptr<CRecord> rec;

    void SetUp() override
    {
        PlayerTest::SetUp();
        startAudio();
        set("record - path", dir.file("my.recordings"));
        std::filesystem::create_directories(dir.file("my.recordings"));
        set("record - datename", "1");
        set("record - filename", "Dance");
        set("record - counter", "7");
    }
    void TearDown() override
    {
        if (rec && rec->m_hWnd)
            rec->DestroyWindow();
        rec.reset();
        CRecord::SetEncoderProgram("lame");
        g_statusRecordText = "Recording stopped";
        PlayerTest::TearDown();
    }
    CRecord& open()
    {
        rec = std::make_unique<CRecord>();
        EXPECT_TRUE(rec->Create(CRecord::IDD));
        return *rec;
    }
    double recorded() const
    {
        const HRECORD c = rec->RecordingChannel();
        return c ? BASS_ChannelBytes2Seconds(c, BASS_ChannelGetPosition(c, BASS_POS_BYTE)) : 0;
    }
    // Seconds of music in an MP3 file, -1 when it cannot be read.
    static double lengthOf(const std::string& path)
    {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
        if (!s)
            return -1;
        const double seconds = BASS_ChannelBytes2Seconds(s, BASS_ChannelGetLength(s, BASS_POS_BYTE));
        BASS_StreamFree(s);
        return seconds;
    }
};

TEST(RecordNames, DateAndTimeName)
{
    std::tm t{};
    t.tm_year = 125, t.tm_mon = 1, t.tm_mday = 3, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
    EXPECT_EQ(CRecord::DateTimeName(t), "20250203_090507.mp3");
    t.tm_year = 124, t.tm_mon = 11, t.tm_mday = 31, t.tm_hour = 23, t.tm_min = 59, t.tm_sec = 58;
    EXPECT_EQ(CRecord::DateTimeName(t), "20241231_235958.mp3");
}

TEST_F(RecordTest, TemplateNamesCountOnAndKeepTheNextCounter)
{
    CRecord& r = open();
    EXPECT_EQ(r.NameWithCounter(), "Dance07.mp3");
    EXPECT_EQ(r.NameWithCounter(), "Dance08.mp3");
    EXPECT_EQ(setting("record - counter"), "9");
    rec->DestroyWindow();
    set("record - counter", "123");
    CRecord& again = open();
    EXPECT_EQ(again.NameWithCounter(), "Dance123.mp3");
    // Keywords are whole, case-sensitive templates over the song's file name.
    g_currentSongPath = "/music/ABC 123 - Grand Mixer.mp3";
    MyFunctions fn;
    const std::pair<const char*, std::string> cases[] = {
        {"DATE LABEL", fn.TodayText() + " ABC 123"},
        {"DATE NAME", fn.TodayText() + " Grand Mixer.mp3"},
        {"DATE LABEL NAME", fn.TodayText() + " ABC 123 - Grand Mixer"},
        {"LABEL NAME", "ABC 123 - Grand Mixer"},
        {"date name", "date name"},
    };
    for (const auto& [name, expanded] : cases)
        EXPECT_EQ(again.ExpandNameTemplate(name), expanded) << name;
    g_currentSongPath.clear();
}

TEST_F(RecordTest, PauseKeepsTheFileStopStartsANewOneAndTheMp3HoldsWhatWasRecorded)
{
    CRecord& r = open();
    click(r, 1240);
    EXPECT_EQ(g_statusRecordText, "Recording on");
    const std::string first = r.RecordedPath();
    EXPECT_EQ(first, dir.file("my.recordings/Dance07.mp3")) << "a folder with a dot is fine";
    ASSERT_TRUE(waitFor([&] { return recorded() >= 1.0; }));
    click(r, 1238);
    EXPECT_EQ(g_statusRecordText, "Recording paused");
    click(r, 1240);
    EXPECT_EQ(g_statusRecordText, "Recording on");
    EXPECT_EQ(r.RecordedPath(), first) << "pause then start goes on in the same file";
    ASSERT_TRUE(waitFor([&] { return recorded() >= 2.0; }));
    shot(r, "recorder.png");
    const double seconds = recorded();
    click(r, 1239);
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
    EXPECT_EQ(r.RecordingChannel(), 0u);
    const double inFile = lengthOf(first);
    EXPECT_GE(inFile, seconds - 0.1);
    EXPECT_LT(inFile, seconds + 0.5);

    click(r, 1240);
    EXPECT_EQ(r.RecordedPath(), dir.file("my.recordings/Dance08.mp3")) << "stop then start makes a new file";
    click(r, 1239);
    EXPECT_TRUE(std::filesystem::exists(r.RecordedPath()));
}

TEST_F(RecordTest, TheLinkFollowsThePlayersStartAndStop)
{
    CRecord& r = open();
    r.StartOnPlay();
    EXPECT_EQ(r.RecordingChannel(), 0u) << "the link is off at every opening";
    click(r, 1133);
    r.StartOnPlay();
    EXPECT_EQ(g_statusRecordText, "Recording on");
    const std::string first = r.RecordedPath();
    r.StopOnStop();
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
    r.StartOnPlay();
    EXPECT_NE(r.RecordedPath(), first) << "the next play starts a new file";
    r.StopOnStop();
}

TEST_F(RecordTest, ADeviceChangeWhileRecordingFinishesTheFileAndGoesOnInANewOne)
{
    CRecord& r = open();
    click(r, 1240);
    ASSERT_TRUE(waitFor([&] { return recorded() >= 0.5; }));
    const std::string first = r.RecordedPath();
    static_cast<CComboBox*>(r.GetDlgItem(1132))->SetCurSel(0);
    notify(r, 1132, CBN_SELCHANGE);
    EXPECT_NE(r.RecordingChannel(), 0u);
    EXPECT_EQ(g_statusRecordText, "Recording on");
    EXPECT_NE(r.RecordedPath(), first);
    EXPECT_GE(lengthOf(first), 0.4) << "the first file is complete";
    ASSERT_TRUE(waitFor([&] { return recorded() >= 0.3; }));
    click(r, 1239);
    EXPECT_GE(lengthOf(r.RecordedPath()), 0.2);
    EXPECT_EQ(setting("record - device"), "0");
}

TEST_F(RecordTest, ADeadEncoderIsReportedOnceAndTheStatusSaysStopped)
{
    CRecord::SetEncoderProgram("true");
    CRecord& r = open();
    click(r, 1240);
    ASSERT_TRUE(waitFor([&] { return r.RecordingChannel() == 0; }));
    win::PumpMessages(300);
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), boxes.empty() ? "" : boxes.front()), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Error: The encoder died!", 0), 0u) << boxes[0];
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
}

TEST_F(RecordTest, SlidersStoreBothLevelsAndPlayStopsTheRecording)
{
    CRecord& r = open();
    auto* level = static_cast<CBitmapSlider*>(r.GetDlgItem(1134));
    level->SetPos(40);
    r.SendMessage(UWM_SLIDER_MOVING, 1134, 40);
    EXPECT_EQ(setting("record - volume"), "40");
    EXPECT_FALSE(setting("record - volumerec").empty());
    click(r, 1240);
    ASSERT_TRUE(waitFor([&] { return recorded() >= 0.5; }));
    click(r, 1274);
    EXPECT_EQ(r.RecordingChannel(), 0u);
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
    ASSERT_NE(r.PlaybackStream(), 0u);
    EXPECT_EQ(BASS_ChannelIsActive(r.PlaybackStream()), BASS_ACTIVE_PLAYING);
    click(r, 1274);
    EXPECT_EQ(BASS_ChannelIsActive(r.PlaybackStream()), BASS_ACTIVE_PAUSED);
    // No recording to play: the error says so.
    rec->DestroyWindow();
    CRecord& fresh = open();
    click(fresh, 1274);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().rfind("Can't play stream", 0), 0u);
}

} // namespace
