// Tempo, pitch, speed and volume of the song: the BPM and speed labels, the
// music actions with their bounds, the equalizer's offsets and bands, the
// fixed-BPM search, the volume decrease and the fades.
#include "MusicPageFixture.h"

#include "common/WaitFor.h"
#include "controls/BitmapSlider.h"
#include "controls/NewLabel.h"
#include "platform/win/Button.h"
#include "platform/win/ListBox.h"
#include "platform/win/ListCtrl.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>

namespace {

using namespace musicpagetest;
using testsupport::waitFor;

class TempoTest : public MusicPageTest {
protected:
    std::string label(UINT id) { return page->GetDlgItem(id)->GetWindowText(); }
    float attribute(DWORD attrib)
    {
        float value = -1000;
        BASS_ChannelGetAttribute(page->SongStream(), attrib, &value);
        return value;
    }
    void TearDown() override
    {
        g_eqOn = g_eqTempo = g_eqPitch = g_eqBass = g_eqMid = g_eqTreble = 0;
        g_jukeboxMode = 0;
        MusicPageTest::TearDown();
    }
};

TEST_F(TempoTest, TheBpmLabelFollowsTheSettings)
{
    struct Case {
        const char* setting; // switched on before the page starts
        float bpm;           // detected
        float tempo;
        const char* shown;
    };
    const Case cases[] = {
        {nullptr, 0, 0, "127.0"},
        {nullptr, 0, 2.5f, "129.5"},
        {nullptr, 120, 0, "120.0"},
        {nullptr, 120, 5, "126.0"},
        {nullptr, 64, 0, "64.0"},
        {"music - doublebpm", 64, 0, "128.0"},
        {"music - doublebpm", 120, 0, "120.0"},
        {"music - 66procentbpm", 200, 0, "132.0"},
        {"music - 66procentbpm", 170, 0, "170.0"},
        {"music - bothtempovalues", 95.2f, 0, "95.2-95.2"},
        {"music - tempoprocent", 120, -3.5f, "-3.5%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        if (page)
            page->DestroyWindow();
        start(c.setting ? std::vector<std::pair<std::string, std::string>>{{c.setting, "true"}}
                        : std::vector<std::pair<std::string, std::string>>{});
        page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
        page->SetDetectedBpm(c.bpm);
        g_tempo = c.tempo;
        page->ApplyAttributes();
        EXPECT_EQ(label(1028), c.shown);
        EXPECT_EQ(g_statusTempoText, std::string(" Tempo ") + c.shown);
    }
}

TEST_F(TempoTest, TheSpeedLabelInPercentIsZeroWithoutASong)
{
    start({{"music - tempoprocent", "true"}});
    g_speedHz = 44100;
    g_tempo = 0;
    page->ApplyAttributes();
    EXPECT_EQ(label(1030), "0.0%") << "no file rate to divide by";
    EXPECT_EQ(label(1028), "0.0%");

    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    g_speedHz = 8800;
    page->ApplyAttributes();
    EXPECT_EQ(label(1030), "10.0%");

    page->DestroyWindow();
    start({{"music - tempoprocent", "false"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    g_speedHz = 8800;
    page->ApplyAttributes();
    EXPECT_EQ(label(1030), "8800");
}

TEST_F(TempoTest, MusicActionsChangeTheValuesWithinTheirBounds)
{
    start({{"music - volumeplusminus", "5"}, {"music - volumelowest", "30"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    struct Case {
        int action;
        float tempo, pitch;
        int speed, volume;          // before
        float tempoAfter, pitchAfter;
        int speedAfter, volumeAfter;
    };
    const Case cases[] = {
        {1, 0, 0, 8000, 80, 0.5f, 0, 8000, 80},
        {2, 0, 0, 8000, 80, -0.5f, 0, 8000, 80},
        {3, 0, 0, 8000, 80, 0, 0, 8000, 85},
        {3, 0, 0, 8000, 98, 0, 0, 8000, 100},
        {4, 0, 0, 8000, 80, 0, 0, 8000, 75},
        {4, 0, 0, 8000, 3, 0, 0, 8000, 0},
        {5, 0, 1, 8000, 80, 0, 1.5f, 8000, 80},
        {6, 0, 0, 8000, 80, 0, -0.5f, 8000, 80},
        {7, 0, 0, 8000, 80, 0, 0, 8100, 80},
        {8, 0, 0, 8000, 80, 0, 0, 7900, 80},
        {8, 0, 0, 50, 80, 0, 0, 0, 80},
        {20, 0, 0, 8000, 80, 0, 0, 8000, 75},
        {20, 0, 0, 8000, 32, 0, 0, 8000, 30},
        {20, 0, 0, 8000, 30, 0, 0, 8000, 30},
        {99, 1, 1, 8000, 80, 1, 1, 8000, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        g_tempo = c.tempo;
        g_pitch = c.pitch;
        g_speedHz = c.speed;
        g_songVolume = c.volume;
        page->MusicAction(c.action);
        EXPECT_FLOAT_EQ(g_tempo, c.tempoAfter);
        EXPECT_FLOAT_EQ(g_pitch, c.pitchAfter);
        EXPECT_EQ(g_speedHz, c.speedAfter);
        EXPECT_EQ(g_songVolume, c.volumeAfter);
        // What the song plays with, and what the labels show.
        EXPECT_FLOAT_EQ(attribute(BASS_ATTRIB_TEMPO), c.tempoAfter);
        EXPECT_FLOAT_EQ(attribute(BASS_ATTRIB_TEMPO_PITCH), c.pitchAfter);
        EXPECT_NEAR(attribute(BASS_ATTRIB_VOL), c.volumeAfter / 100.0f, 1e-6);
        EXPECT_EQ(label(1031), std::to_string(c.volumeAfter));
        EXPECT_EQ(label(1029), c.pitchAfter == 1.5f ? "1.5" : c.pitchAfter == -0.5f ? "-0.5" : c.pitchAfter == 1 ? "1.0" : "0.0");
        EXPECT_EQ(label(1030), std::to_string(c.speedAfter));
    }
}

TEST_F(TempoTest, MusicActionsMoveLoopAndQueue)
{
    start({{"music - fastforwardrewind", "4"}, {"music - loop", "true"}});
    const std::string a = wav("A.wav", 20), b = wav("B.wav", 20);
    rows(2, {a, b});
    page->OpenSong(4, -1, a, 0, 0, 0);
    g_position = 10;
    page->MusicAction(9);
    EXPECT_FLOAT_EQ(g_position, 6);
    page->MusicAction(10);
    page->MusicAction(10);
    EXPECT_FLOAT_EQ(g_position, 14);
    EXPECT_NEAR(streamSeconds(), 14, 0.05);

    g_loopStart = 3;
    g_loopEnd = 12;
    page->MusicAction(15);
    EXPECT_EQ(g_playing, 1) << "the loop start plays";
    EXPECT_NEAR(g_position, 3, 0.05);
    ASSERT_TRUE(page->IsLoopOn());
    page->MusicAction(16);
    EXPECT_FALSE(page->IsLoopOn()) << "the loop end switches the loop off";
    EXPECT_NEAR(g_position, 12, 0.05);
    EXPECT_EQ(CMusicDb().GetSetting("music - loop", 1), "true") << "without storing it";
    page->OnLoopToggle();
    page->MusicAction(21);
    EXPECT_FALSE(page->IsLoopOn());
    EXPECT_EQ(CMusicDb().GetSetting("music - loop", 1), "false");
    page->Pause();

    // 17..19: the selected row of the list joins the queue.
    auto* list = static_cast<CListCtrl*>(page->GetDlgItem(1011));
    list->SetSelectionMark(1);
    page->MusicAction(18);
    auto* queue = static_cast<CListBox*>(page->GetDlgItem(1218));
    ASSERT_EQ(queue->GetCount(), 1);
    EXPECT_EQ(queue->GetText(0), "B");
    page->MusicAction(17); // list 1 has no rows
    EXPECT_EQ(queue->GetCount(), 1);

    page->MusicAction(22);
    EXPECT_EQ(static_cast<CButton*>(page->GetDlgItem(1175))->GetCheck(), BST_CHECKED);
    page->MusicAction(23);
    EXPECT_EQ(static_cast<CButton*>(page->GetDlgItem(1175))->GetCheck(), BST_UNCHECKED);
}

TEST_F(TempoTest, TheEqualizerOffsetsAndBands)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    g_tempo = 1;
    g_pitch = 0;
    struct Case {
        int on, eqTempo, eqPitch;
        float tempo, pitch;
    };
    const Case cases[] = {
        {1, 5, 0, 3, 0}, {1, -5, 0, -1, 0}, {1, 1, 0, 1, 0}, {1, 2, 0, 2, 0},
        {1, 0, 3, 1, 3}, {0, 5, 3, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << " " << c.eqTempo << " " << c.eqPitch);
        g_eqOn = c.on;
        g_eqTempo = c.eqTempo;
        g_eqPitch = c.eqPitch;
        page->ApplyEqualizer(0);
        EXPECT_FLOAT_EQ(attribute(BASS_ATTRIB_TEMPO), c.tempo);
        EXPECT_FLOAT_EQ(attribute(BASS_ATTRIB_TEMPO_PITCH), c.pitch);
        EXPECT_FLOAT_EQ(g_tempo, 1) << "the song's own tempo stays";
    }

    // The bands take the gains while on and are flat once off; the gains are kept.
    g_eqBass = 6;
    g_eqMid = -4;
    g_eqTreble = 10;
    g_masterVolume = 40;
    g_eqOn = 1;
    page->ApplyEqualizer(0);
    EXPECT_FLOAT_EQ(page->EqualizerGain(0), 6);
    EXPECT_FLOAT_EQ(page->EqualizerGain(1), -4);
    EXPECT_FLOAT_EQ(page->EqualizerGain(2), 10);
    EXPECT_NEAR(BASS_GetVolume(), 0.4f, 1e-6);
    g_eqOn = 0;
    page->ApplyEqualizer(0);
    for (int band = 0; band < 3; ++band)
        EXPECT_FLOAT_EQ(page->EqualizerGain(band), 0) << band;
    EXPECT_EQ(g_eqBass, 6);
    BASS_SetVolume(1.0f);
}

TEST_F(TempoTest, FixedBpmBringsTheSongToTheTarget)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    page->SetDetectedBpm(120);
    g_tempo = -3;
    page->ApplyFixedBpm(126);
    EXPECT_NEAR(g_tempo, 5, 0.11) << "searched from the recorded speed";
    EXPECT_NEAR(BASS_FX_TempoGetRateRatio(page->SongStream()) * 120, 126, 0.13);
    EXPECT_EQ(label(1028), "126");
    EXPECT_TRUE(boxes.empty());

    page->SetDetectedBpm(90);
    g_tempo = 0;
    page->ApplyAttributes();
    page->ApplyFixedBpm(126);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("This MP3 cannot play back at the adjusted fixed speed, but will instead play back at "
                             "its recorded speed.",
                             0),
              0u);
    EXPECT_FLOAT_EQ(g_tempo, 0) << "out of range: the recorded speed";

    // The Fixed BPM menu's settings reach the page.
    CMusicDb db;
    db.SetSetting("music - fixbpmvalue", "124", 1);
    db.SetSetting("music - fixbpm2", "true", 1);
    db.SetSetting("music - adjustpitchvalue", "-2", 1);
    db.SetSetting("music - adjustpitch3", "true", 1);
    page->LoadFixedBpmSettings();
    page->LoadAdjustPitchSettings();
    EXPECT_FLOAT_EQ(page->Settings().fixBpmValue, 124);
    EXPECT_EQ(page->Settings().fixBpm[1], 1);
    EXPECT_EQ(page->Settings().fixBpm[0], 0);
    EXPECT_EQ(page->Settings().adjustPitchValue, -2);
    EXPECT_EQ(page->Settings().adjustPitch[2], 1);

    // A song opened from list 3 gets the pitch adjustment.
    rows(3, {wav("Other.wav", 20)});
    page->OpenListRow(3, 0);
    EXPECT_FLOAT_EQ(g_pitch, -2);
    EXPECT_FLOAT_EQ(attribute(BASS_ATTRIB_TEMPO_PITCH), -2);
}

TEST_F(TempoTest, SlidersSetTheirValue)
{
    start();
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    auto* tempo = static_cast<CBitmapSlider*>(page->GetDlgItem(1038));
    tempo->SetPos(7);
    page->SendMessage(UWM_SLIDER_MOVING, 1038, 7);
    EXPECT_FLOAT_EQ(g_tempo, 7);
    EXPECT_FLOAT_EQ(attribute(BASS_ATTRIB_TEMPO), 7);
    auto* volume = static_cast<CBitmapSlider*>(page->GetDlgItem(1041));
    volume->SetPos(35);
    page->SendMessage(UWM_SLIDER_MOVED, 1041, 35);
    EXPECT_EQ(g_songVolume, 35);
    EXPECT_EQ(label(1031), "35");
}

TEST_F(TempoTest, VolumeDecreaseSlidesAndComesBackAcrossSongs)
{
    start({{"music - volumedecrease", "40"}});
    page->OpenSong(4, -1, wav("A.wav", 20), 0, 0, 0);
    page->Play();
    g_songVolume = 80;
    page->ApplyAttributes();
    page->ToggleVolumeDecrease();
    EXPECT_EQ(g_songVolume, 40);
    EXPECT_EQ(label(1031), "40");
    EXPECT_GT(attribute(BASS_ATTRIB_VOL), 0.5f) << "a slide, not a jump";
    EXPECT_TRUE(waitFor([&] { return std::fabs(attribute(BASS_ATTRIB_VOL) - 0.4f) < 1e-4; }));

    // The saved volume survives the next song.
    page->OpenSong(4, -1, wav("B.wav", 20), 0, 0, 0);
    page->Play();
    page->ToggleVolumeDecrease();
    EXPECT_EQ(g_songVolume, 80);
    EXPECT_TRUE(waitFor([&] { return std::fabs(attribute(BASS_ATTRIB_VOL) - 0.8f) < 1e-4; }));
}

TEST_F(TempoTest, FadesReachTheirVolumeAtTheFadeTime)
{
    // Three seconds, so a busy machine still reads the volume half way.
    start({{"music - fade", "3"}});
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    // Fade in: from silence to the song volume.
    g_songVolume = 60;
    page->FadeOut();
    EXPECT_EQ(g_playing, 1);
    EXPECT_LT(attribute(BASS_ATTRIB_VOL), 0.3f);
    EXPECT_TRUE(waitFor([&] { return std::fabs(attribute(BASS_ATTRIB_VOL) - 0.6f) < 1e-4; }, 20000));

    // Fade out: to silence, then the end of the fade pauses the song.
    mainWnd.codes.clear();
    page->FadeOut();
    EXPECT_TRUE(mainWnd.sent(CMD_CARDS_NEXT));
    EXPECT_TRUE(page->GetDlgItem(1269)->IsWindowVisible());
    EXPECT_FALSE(page->GetDlgItem(1270)->IsWindowVisible());
    EXPECT_TRUE(page->IsTimerArmed(kTimerFadeOut));
    EXPECT_EQ(page->TimerPeriod(kTimerFadeOut), 3000u);
    EXPECT_GT(attribute(BASS_ATTRIB_VOL), 0.3f);
    EXPECT_TRUE(waitFor([&] { return attribute(BASS_ATTRIB_VOL) == 0.0f; }, 20000));
    page->Tick(kTimerFadeOut);
    EXPECT_EQ(g_playing, 0);
    EXPECT_EQ(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PAUSED);
}

TEST_F(TempoTest, FadeToNextInListHandsTheListToTheJukebox)
{
    start({{"music - fade", "2"}, {"music - activateonstop", "true"}});
    const std::string a = wav("A.wav", 20), b = wav("B.wav", 20);
    rows(2, {a, b});
    page->OpenListRow(2, 0);
    page->Play();
    mainWnd.codes.clear();
    page->FadeToNextInList();
    EXPECT_EQ(g_playing, 0);
    EXPECT_EQ(g_jukeboxMode, 2);
    EXPECT_FALSE(page->IsTimerArmed(kTimerPoll));
    EXPECT_TRUE(mainWnd.sent(CMD_SHOW_MUSIC_PAGE));
    EXPECT_EQ(page->TimerPeriod(kTimerJukeboxFade), 2000u);
    EXPECT_EQ(BASS_ChannelIsActive(page->SongStream()), BASS_ACTIVE_PLAYING) << "it sounds while it fades";
    page->Tick(kTimerJukeboxFade);
    EXPECT_EQ(g_currentSongPath, b);
    EXPECT_EQ(g_playing, 1);
}

// Keeps the titles of the top-level windows shown while it lives.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    std::vector<std::string> titles;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow())
                titles.push_back(w->windowTitle().toStdString());
        return false;
    }
};

TEST_F(TempoTest, OpeningASongShowsThePleaseWaitWindowWhileItWorks)
{
    start();
    ShownWindows shown;
    page->OpenSong(4, -1, wav("Song.wav", 20), 0, 0, 0);
    EXPECT_NE(std::find(shown.titles.begin(), shown.titles.end(), "Mirtal - Please Wait"), shown.titles.end());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w->windowTitle() == "Mirtal - Please Wait") << "gone once the song is ready";
    EXPECT_EQ(page->GetDlgItem(1010)->GetWindowText(), "Song");
}

} // namespace
