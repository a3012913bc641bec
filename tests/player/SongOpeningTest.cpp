// Opening a song: by a double click in a list, from the queue and by a drop;
// what a freed song leaves; the loop rules of the lists; autostart by list
// type; files that are no song.
#include "MusicPageFixture.h"

#include "platform/win/ListCtrl.h"

namespace {

using namespace musicpagetest;

class SongOpeningTest : public MusicPageTest {};

TEST_F(SongOpeningTest, ADoubleClickTheQueueAndADropEachOpenTheirSong)
{
    start({{"music - autostart", "false"}, {"music - columetype2", "1"}});
    const std::string a = wav("A.wav", 3), b = wav("B.wav", 4), c = mp3("C.mp3", 5);
    ASSERT_FALSE(c.empty()) << "lame";
    rows(2, {a, b});

    // A double click on the second row of list 2.
    auto* list = static_cast<CListCtrl*>(page->GetDlgItem(1011));
    list->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list->SetSelectionMark(1);
    NMHDR hdr{list->m_hWnd, 1011, NM_DBLCLK};
    page->SendMessage(WM_NOTIFY, 1011, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(g_currentSongPath, b);
    EXPECT_EQ(page->CurrentList(), 2);
    EXPECT_EQ(page->CurrentRow(), 1);
    EXPECT_EQ(page->CurrentListType(), 1);
    EXPECT_EQ(g_songLength, 4);
    EXPECT_NE(page->SongStream(), 0u);
    EXPECT_EQ(page->GetDlgItem(1010)->GetWindowText(), "B");

    // The queue: the song keeps the list it was queued from.
    page->QueueSong(a, 2, 0, "1", 0);
    page->OnPlayNextQueued();
    EXPECT_EQ(g_currentSongPath, a);
    EXPECT_EQ(page->CurrentList(), 2);
    EXPECT_EQ(page->CurrentRow(), 0);

    // A drop: an MP3 is opened as a song of no list; a document goes to the lyrics page.
    page->DropFile(c);
    EXPECT_EQ(g_currentSongPath, c);
    EXPECT_EQ(page->CurrentList(), 4);
    EXPECT_EQ(g_songLength, 5);
    const std::string pdf = dir.file("Cues.pdf");
    testsupport::writeFile(pdf, "%PDF-1.4");
    mainWnd.codes.clear();
    page->DropFile(pdf);
    EXPECT_EQ(g_droppedFilePath, pdf);
    EXPECT_TRUE(mainWnd.sent(CMD_SHOW_DROPPED_LYRICS));
    EXPECT_EQ(g_currentSongPath, c) << "the song stays";

    // The previous song swaps back and forth.
    page->OpenPreviousSong();
    EXPECT_EQ(g_currentSongPath, a);
    page->OpenPreviousSong();
    EXPECT_EQ(g_currentSongPath, c);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(SongOpeningTest, AMidiFileOpensWithItsLength)
{
    start();
    page->OpenSong(4, -1, midi("Tune.mid", 6), 0, 0, 0);
    EXPECT_NE(page->SongStream(), 0u);
    EXPECT_NEAR(g_songLength, 6, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SongOpeningTest, FreeingASongResetsItsValues)
{
    g_defaultVolume = 70;
    start();
    page->OpenSong(4, -1, wav("A.wav", 3), 0, 0, 0);
    g_songVolume = 30;
    g_speedHz = 40000;
    g_tempo = 5;
    g_pitch = 2;
    g_loopStart = 1;
    g_loopEnd = 2;
    g_keychangeSteps = 3;
    g_keychangeTime = 4;
    g_position = 1.5f;
    g_songComment = "note";
    page->FreeSong();
    EXPECT_EQ(g_songVolume, 70);
    EXPECT_EQ(g_speedHz, 44100);
    for (float v : {g_tempo, g_pitch, g_loopStart, g_loopEnd, g_keychangeTime, g_position})
        EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(g_keychangeSteps, 0);
    EXPECT_EQ(g_songLength, 0);
    EXPECT_TRUE(g_songComment.empty());
    EXPECT_EQ(page->SongStream(), 0u);
    EXPECT_FALSE(page->IsSongLoaded());
}

TEST_F(SongOpeningTest, AHoedownListLoopsTheSongByTheAutomaticLoopTimes)
{
    start({{"music - columetype1", "1"}, {"music - autolooptime", "10"}, {"music - autolooptimestop", "5"},
           {"music - loop", "false"}, {"music - autostart", "false"}});
    rows(1, {wav("Long.wav", 100), wav("Short.wav", 15)});
    struct Case {
        int row;
        float start, end;
    };
    for (const Case c : {Case{0, 10, 95}, Case{1, 1, 14}}) {
        page->OpenListRow(1, c.row);
        EXPECT_FLOAT_EQ(g_loopStart, c.start) << c.row;
        EXPECT_FLOAT_EQ(g_loopEnd, c.end) << c.row;
        EXPECT_TRUE(page->IsLoopOn()) << c.row;
    }
    EXPECT_EQ(CMusicDb().GetSetting("music - loop", 1), "false") << "the list's rule is not stored";
}

TEST_F(SongOpeningTest, AutostartOnlyHoedownOpensASingingCallWithoutPlaying)
{
    start({{"music - autostart", "true"}, {"music - autostartopt", "1"}, {"music - columetype1", "2"},
           {"music - columetype2", "1"}});
    rows(1, {wav("Singing.wav", 5)});
    rows(2, {wav("Hoedown.wav", 5)});
    page->OpenListRow(1, 0);
    EXPECT_TRUE(page->IsSongLoaded());
    EXPECT_EQ(g_playing, 0);
    page->OpenListRow(2, 0);
    EXPECT_EQ(g_playing, 1);
}

// Whatever the file, the song on stage plays on and the user is told why.
TEST_F(SongOpeningTest, AFileThatIsNoSongIsRefusedBeforeTheSongStops)
{
    start();
    const std::string song = wav("Song.wav", 10);
    page->OpenSong(4, -1, song, 0, 0, 0);
    page->Play();
    ASSERT_EQ(g_playing, 1);
    const HSTREAM stream = page->SongStream();
    const std::string text = dir.file("Notes.txt"), odd = dir.file("Noise.xyz"), broken = dir.file("Broken.mp3");
    testsupport::writeFile(text, "words");
    testsupport::writeFile(odd, "????");
    testsupport::writeFile(broken, std::string(4000, 'x'));
    struct Case {
        std::string path;
        std::string box;
    };
    const Case cases[] = {
        {text, "This file is not a song Mirtal can play:\n" + text},
        {odd, "This file is not a song Mirtal can play:\n" + odd},
        {broken, "Can't create stream\n\nBASS error code: 41\r\n\r\nSee the helpfile for more information."},
        {dir.file("Gone.mp3"), "Can\xC2\xB4t find the file: " + dir.file("Gone.mp3")},
    };
    for (const Case& c : cases) {
        boxes.clear();
        page->OpenFileDirect(c.path);
        ASSERT_EQ(boxes.size(), 1u) << c.path;
        EXPECT_EQ(boxes[0], c.box);
        EXPECT_EQ(g_playing, 1) << c.path;
        EXPECT_EQ(g_currentSongPath, song);
        EXPECT_EQ(page->SongStream(), stream);
        EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING) << c.path;
    }
}

TEST_F(SongOpeningTest, SavedSettingsComeBackWhenTheSongIsOpenedAgain)
{
    start({{"music - autostart", "false"}});
    const std::string song = wav("Song.wav", 20);
    page->OpenSong(4, -1, song, 0, 0, 0);
    g_tempo = 4;
    g_loopStart = 2;
    g_loopEnd = 18;
    g_songVolume = 60;
    page->SaveSongSettings();
    EXPECT_TRUE(mainWnd.sent(CMD_MUSIC_MGR_REFRESH));
    page->OpenSong(4, -1, wav("Other.wav", 3), 0, 0, 0);
    EXPECT_EQ(g_songVolume, 100);
    page->OpenSong(4, -1, song, 0, 0, 0);
    EXPECT_FLOAT_EQ(g_tempo, 4);
    EXPECT_FLOAT_EQ(g_loopStart, 2);
    EXPECT_FLOAT_EQ(g_loopEnd, 18);
    EXPECT_EQ(g_songVolume, 60);
    float volume = 0;
    BASS_ChannelGetAttribute(page->SongStream(), BASS_ATTRIB_VOL, &volume);
    EXPECT_FLOAT_EQ(volume, 0.6f) << "the stream has the stored volume";
    float tempo = 0;
    BASS_ChannelGetAttribute(page->SongStream(), BASS_ATTRIB_TEMPO, &tempo);
    EXPECT_FLOAT_EQ(tempo, 4.0f);
}

} // namespace

namespace {

using namespace musicpagetest;

class SongCommentTest : public MusicPageTest {};

// The comment prompt writes the song's row at once; Cancel keeps the old comment.
TEST_F(SongCommentTest, AConfirmedCommentIsStoredWithTheSong)
{
    start();
    const std::string song = wav("Song.wav", 5);
    page->OpenSong(4, -1, song, 0, 0, 0);
    std::string shown;
    int button = 1097;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.kind != win::DialogKind::Dialog || q.dialogId != 414)
            return std::nullopt;
        shown = q.window->GetDlgItem(1197)->GetWindowText();
        q.window->GetDlgItem(1197)->SetWindowText("Key of G, 'fast'");
        q.window->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return IDCANCEL;
    });
    page->EditSongComment();
    EXPECT_EQ(shown, "");
    EXPECT_EQ(CMusicDb().GetCommentText(song, 1), "Key of G, 'fast'");
    button = 1098;
    page->EditSongComment();
    EXPECT_EQ(shown, "Key of G, 'fast'");
    EXPECT_EQ(CMusicDb().GetCommentText(song, 1), "Key of G, 'fast'") << "Cancel keeps it";
    page->OpenSong(4, -1, wav("Other.wav", 2), 0, 0, 0);
    page->OpenSong(4, -1, song, 0, 0, 0);
    EXPECT_EQ(MyFunctions().UnescapeSql(g_songComment), "Key of G, 'fast'");
}

} // namespace
