// The tags window: the nine fields of a song's tags, its place on the screen,
// and the import of a folder's comment tags into the song table.
#include "MainWindowFixture.h"

#include "app/TagsDlg.h"
#include "platform/audio/Bass.h"
#include "platform/win/Shell.h"

#include <cstdlib>
#include <filesystem>

using namespace mainwindowtest;

namespace {

// An MP3 made by lame from a short sine, with the ID3 tags given as lame options.
std::string makeMp3(const std::string& path, const std::string& tagOptions, int rate = 44100)
{
    const std::string wav = path + ".src.wav";
    testsupport::writeSineWav(wav, 0.3, rate, 1);
    const std::string cmd = "lame --quiet --id3v2-only " + tagOptions + " '" + wav + "' '" + path + "'";
    const int rc = std::system(cmd.c_str());
    std::filesystem::remove(wav);
    EXPECT_EQ(rc, 0) << cmd;
    return path;
}

class TagsDlgTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        BASS_Init(0, 44100, 0, nullptr, nullptr);
        g_baseFolder = dir.str();
        g_currentSongPath.clear();
        g_largeLayout = 0;
    }
    void TearDown() override
    {
        win::SetFileDialogAnswerer({});
        MainWindowTest::TearDown();
    }
    std::vector<std::string> shown(CTagsDlg& w)
    {
        std::vector<std::string> v;
        for (int id : {1173, 1174, 1175, 1176, 1177, 1197, 1179, 1180, 1181})
            v.push_back(w.GetDlgItem(id)->GetWindowText());
        return v;
    }
};

TEST_F(TagsDlgTest, ShowsTheNineTagsOfTheLoadedSongOrNoTextsOrNothing)
{
    struct Row {
        const char* name;
        std::string options; // lame tag options; null file: not an MP3
        std::vector<std::string> fields;
    };
    const std::vector<std::string> none(9, "");
    const Row rows[] = {
        {"tagged.mp3", "--tt '  dancing QUEEN ' --ta abba --tl arrival --ty 1976 --tc 'called at the club' --tn 3 --tg Pop",
         {"Dancing Queen", "Abba", "Arrival", "Pop", "1976", "Called At The Club", "3", "no composer", "no copyright"}},
        {"bare.mp3", "",
         {"no title", "no artist", "no album", "no genre", "no year", "no comment", "no track", "no composer",
          "no copyright"}},
        {"song.wav", "", none},
        {"missing.mp3", "", none},
    };
    for (const Row& r : rows) {
        const std::string path = dir.file(r.name);
        if (std::string(r.name) == "song.wav")
            testsupport::writeSineWav(path, 0.2);
        else if (std::string(r.name) != "missing.mp3")
            makeMp3(path, r.options, 32000);
        g_currentSongPath = path;
        CTagsDlg w;
        ASSERT_TRUE(w.Create(CTagsDlg::IDD));
        EXPECT_EQ(shown(w), r.fields) << r.name;
        EXPECT_EQ(w.GetSampleRate(), r.fields[0].empty() ? 0 : 32000) << r.name;
        // A refresh for another song shows that one.
        w.ShowTags(w.ReadTags(dir.file("missing.mp3")));
        EXPECT_EQ(shown(w), none) << r.name;
        w.DestroyWindow();
    }
}

TEST_F(TagsDlgTest, PlacedOnTheScreenWithItsSizeAndRemembersWhereItWent)
{
    struct Row {
        int large, x, y;
        int left, top, width, height;
    };
    // A 1280 x 1024 screen; no lower bound on the place.
    const Row rows[] = {
        {0, 40, 50, 40, 50, 320, 310},
        {1, 40, 50, 40, 50, 370, 380},
        {0, 2000, 900, 960, 714, 320, 310},
        {1, 1000, 1000, 910, 644, 370, 380},
        {0, -30, -20, -30, -20, 320, 310},
    };
    for (const Row& r : rows) {
        g_largeLayout = r.large;
        g_tagsPosX = r.x;
        g_tagsPosY = r.y;
        CTagsDlg w;
        ASSERT_TRUE(w.Create(CTagsDlg::IDD));
        CRect rect;
        w.GetWindowRect(rect);
        EXPECT_EQ(rect.left, r.left) << r.x;
        EXPECT_EQ(rect.top, r.top) << r.y;
        EXPECT_EQ(rect.Width(), r.width);
        EXPECT_EQ(rect.Height(), r.height);
        EXPECT_EQ(g_tagsPosX, r.left);
        w.MoveWindow(120, 130, r.width, r.height);
        EXPECT_EQ(g_tagsPosX, 120);
        EXPECT_EQ(g_tagsPosY, 130);
        w.DestroyWindow();
    }
}

TEST_F(TagsDlgTest, ImportStoresTheCommentsOfOneFolderLevelOfAudioFiles)
{
    preset({});
    const std::string folder = dir.file("music");
    std::filesystem::create_directories(folder + "/sub");
    const std::string tagged = makeMp3(folder + "/tagged.mp3", "--tc 'for the plus tip'", 32000);
    const std::string bare = makeMp3(folder + "/bare.mp3", "", 44100);
    const std::string wav = folder + "/song.wav";
    testsupport::writeSineWav(wav, 0.2);
    const std::string deeper = makeMp3(folder + "/sub/deeper.mp3", "--tc deeper");
    testsupport::writeFile(folder + "/notes.txt", "not audio");
    {
        CMusicDb db;
        db.SetCommentAndRate(tagged, "32000", "old comment", 1);
    }

    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& q) -> std::optional<std::vector<std::string>> {
        EXPECT_TRUE(q.folder);
        EXPECT_EQ(q.title, "Select a folder:");
        return std::vector<std::string>{folder};
    });
    CTagsDlg w;
    ASSERT_TRUE(w.Create(CTagsDlg::IDD));
    w.SendMessage(WM_COMMAND, MAKEWPARAM(1312, BN_CLICKED), LPARAM(w.GetDlgItem(1312)->m_hWnd));
    w.DestroyWindow();

    CMusicDb db;
    EXPECT_EQ(db.GetCommentText(tagged, 1), "For The Plus Tip");
    EXPECT_EQ(db.GetCommentText(bare, 1), "no comment");
    EXPECT_EQ(db.GetCommentText(wav, 1), "");
    EXPECT_TRUE(db.HasMusicRow(wav, 1)) << "a row is made for an audio file without tags";
    EXPECT_FALSE(db.HasMusicRow(deeper, 1)) << "no row below the folder";
    EXPECT_FALSE(db.HasMusicRow(folder + "/notes.txt", 1));
    // A new row holds the file's sample rate as its speed; a row that was there keeps its own.
    CppSQLite3DB raw;
    raw.Open(dir.file("mirtal.db"));
    auto speed = [&](const std::string& path) {
        CppSQLite3Table t = raw.GetTable("SELECT speed FROM music WHERE path='" + path + "';");
        if (t.RowCount() < 1)
            return std::string("none");
        t.SetRow(0);
        return std::string(t.FieldTextOr(0));
    };
    EXPECT_EQ(speed(bare), "44100");
    EXPECT_EQ(speed(wav), "0");
    EXPECT_EQ(speed(tagged), "32000");
    raw.Close();
}

TEST_F(TagsDlgTest, ACancelledFolderChoiceImportsNothing)
{
    preset({});
    const std::string song = makeMp3(dir.file("here.mp3"), "--tc here");
    win::SetFileDialogAnswerer([](const win::FileDialogRequest&) { return std::nullopt; });
    const auto before = std::filesystem::current_path();
    CTagsDlg w;
    ASSERT_TRUE(w.Create(CTagsDlg::IDD));
    w.SendMessage(WM_COMMAND, MAKEWPARAM(1312, BN_CLICKED), LPARAM(w.GetDlgItem(1312)->m_hWnd));
    w.DestroyWindow();
    EXPECT_EQ(std::filesystem::current_path(), before);
    CMusicDb db;
    EXPECT_FALSE(db.HasMusicRow(song, 1));
}

TEST_F(TagsDlgTest, TheCloseBoxAndHelpReportToTheMainWindow)
{
    start();
    menu(32963);
    CTagsDlg* tags = dlg->m_tags.Get();
    ASSERT_NE(tags, nullptr);
    tags->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(dlg->m_tags);
    EXPECT_FALSE(checked(32963));
    win::PumpMessages();
    menu(32963);
    ASSERT_TRUE(dlg->m_tags);
    testsupport::writeFile(dir.file("Mirtal.chm"), "help");
    win::ClearShellLog();
    dlg->m_tags->SendMessage(WM_HELP, 0, 0);
    ASSERT_EQ(win::ShellLog().size(), 1u);
    EXPECT_EQ(win::ShellLog()[0].file, dir.str() + "/Mirtal.chm");
}

} // namespace
