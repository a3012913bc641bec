// The database check: which rows it lists and why, what it saves, what
// Delete All removes, and that it refuses to run without the sound output.
#include "ManagersFixture.h"
#include "managers/DatabaseCheck.h"
#include "managers/MusicCsv.h"
#include "managers/ToolsMusic.h"
#include "platform/audio/Bass.h"

#include <set>

namespace managerstest {
namespace {

class DatabaseCheckTest : public ManagersTest {
protected:
    std::set<std::string> failing;
    std::vector<std::string> probed;

    void SetUp() override
    {
        ManagersTest::SetUp();
        CDatabaseCheck::SetProbe([this](const std::string& path) {
            probed.push_back(path);
            return failing.count(path) ? 0 : 100;
        });
    }
    void TearDown() override
    {
        CDatabaseCheck::SetProbe({});
        ManagersTest::TearDown();
    }
    void song(const std::string& path, int pitch)
    {
        exec("INSERT INTO music (path, speed, pitch, tempo, volume, loopset, loopstop, eq1, eq2, eq3, markers, rate, "
             "length, comment, date, eq4, eq5, eq6, eq7, eq8, eq9, eq10, keypitch, keytime, pitchfloat) VALUES ('" +
             path + "', 44100, " + std::to_string(pitch) +
             ", 0, 100, 0, 0, 0, 0, 0, '', 0, 10, '', '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.25);");
    }
    // Runs the check; `inside` sees the open dialog.
    void run(std::function<void(CDatabaseCheck&)> inside)
    {
        dialogAnswer = [&](CWnd* w, UINT id) {
            if (id == CDatabaseCheck::IDD)
                inside(*static_cast<CDatabaseCheck*>(w));
            return IDCANCEL;
        };
        CDatabaseCheck check;
        check.DoModal();
        dialogAnswer = nullptr;
    }
    static std::string messages(const CDatabaseCheck& c)
    {
        std::string out;
        for (const CMemArrayLarge& r : c.Rows())
            out += r.GetCol(1) + ":" + r.GetCol(19) + "|";
        return out;
    }
};

TEST_F(DatabaseCheckTest, ListsTheRowsWhoseFileDoesNotOpenAndSaysWhy)
{
    const std::string present = dir.file("broken.mp3");
    testsupport::writeFile(present, "not music");
    for (const std::string& p : {dir.file("a.mp3"), present, dir.file("gone.mp3"), dir.file("d.mp3")})
        song(p, 3);
    failing = {present, dir.file("gone.mp3")};
    exec("INSERT INTO flag VALUES('" + present + "', '6');");
    run([&](CDatabaseCheck& c) {
        EXPECT_EQ(messages(c), present + ":" + CDatabaseCheck::kUndecodable + "|" + dir.file("gone.mp3") + ":" +
                                   CDatabaseCheck::kMissing + "|");
        EXPECT_EQ(c.List().GetItemCount(), 2);
        EXPECT_EQ(c.Rows()[0].GetCol(3), "3") << "the integer pitch";
        EXPECT_EQ(c.Rows()[0].GetCol(18), "6");
        EXPECT_EQ(c.List().GetColumnWidth(1), 350);
        EXPECT_EQ(c.List().GetColumnWidth(19), 80);
        EXPECT_EQ(c.List().GetColumnWidth(4), 0);

        // Saved as 19 fields, field 2 the integer pitch.
        win::SetFileDialogAnswerer(
            [&](const win::FileDialogRequest&) -> std::vector<std::string> { return {dir.file("check.csv")}; });
        c.SendMessage(WM_COMMAND, MAKEWPARAM(1184, BN_CLICKED), 0);
    });
    EXPECT_EQ(std::count(probed.begin(), probed.end(), "dummydb"), 0) << "the dummy row is never probed";
    EXPECT_EQ(testsupport::readFile(dir.file("check.csv")),
              present + ";44100;3;0.0;100;0.0;0.0;0;0;0;0;;0;10;;0;0.0;6;Cannot be decoded\r\n" + dir.file("gone.mp3") +
                  ";44100;3;0.0;100;0.0;0.0;0;0;0;0;;0;10;;0;0.0;0;File missing\r\n");
    ASSERT_TRUE(musiccsv::ParseLine(testsupport::readFile(dir.file("check.csv")).substr(0, 200)));
}

TEST_F(DatabaseCheckTest, DeleteAllRemovesTheListedRowsAndTheirCommentsButKeepsFlags)
{
    for (const char* p : {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"})
        song(p, 0);
    failing = {"/m/b.mp3", "/m/d.mp3"};
    exec("INSERT INTO flag VALUES('/m/b.mp3', '2');");
    exec("INSERT INTO musicmarkers VALUES('/m/b.mp3', 10, 'x'), ('/m/a.mp3', 10, 'y');");
    boxAnswers["Do you want delete the music from the Databases?"] = IDNO;
    run([&](CDatabaseCheck& c) { c.SendMessage(WM_COMMAND, MAKEWPARAM(1183, BN_CLICKED), 0); });
    EXPECT_EQ(query("SELECT count(*) FROM music;"), "5|") << "No changes nothing";

    boxAnswers["Do you want delete the music from the Databases?"] = IDYES;
    run([&](CDatabaseCheck& c) {
        c.SendMessage(WM_COMMAND, MAKEWPARAM(1183, BN_CLICKED), 0);
        EXPECT_EQ(c.Rows().size(), 0u) << "checked again: every remaining file opens";
        EXPECT_EQ(c.List().GetItemCount(), 0);
    });
    EXPECT_EQ(query("SELECT path FROM music WHERE path <> 'dummydb' ORDER BY path;"), "/m/a.mp3|/m/c.mp3|");
    EXPECT_EQ(query("SELECT path FROM musicmarkers;"), "/m/a.mp3|");
    EXPECT_EQ(query("SELECT path FROM flag;"), "/m/b.mp3|");
}

TEST_F(DatabaseCheckTest, OnlyTheDummyRowGivesAnEmptyList)
{
    run([&](CDatabaseCheck& c) { EXPECT_EQ(c.List().GetItemCount(), 0); });
    EXPECT_TRUE(probed.empty());
}

TEST_F(DatabaseCheckTest, SongsThePreviewPlaysAreNotListed)
{
    CDatabaseCheck::SetProbe({});
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr) || BASS_ErrorGetCode() == BASS_ERROR_ALREADY);
    const std::string wav = dir.file("fine.wav");
    testsupport::writeSineWav(wav, 2, 8000, 1);
    song(wav, 0);
    song(dir.file("text.ogg"), 0);
    testsupport::writeFile(dir.file("text.ogg"), "no ogg at all");
    run([&](CDatabaseCheck& c) { EXPECT_EQ(messages(c), dir.file("text.ogg") + ":Cannot be decoded|"); });
}

TEST_F(DatabaseCheckTest, RefusesToRunWithoutTheSoundOutputAndSaysWhy)
{
    CDatabaseCheck::SetProbe({});
    BASS_Free();
    song("/m/a.mp3", 0);
    run([&](CDatabaseCheck& c) { EXPECT_EQ(c.List().GetItemCount(), 0) << "no row is called broken"; });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("cannot be checked"), std::string::npos);
    BASS_Init(0, 44100, 0, nullptr, nullptr);
}

TEST_F(DatabaseCheckTest, TheMusicManagersCheckButtonRunsItAndRefillsAfterwards)
{
    song("/m/a.mp3", 0);
    song("/m/b.mp3", 0);
    failing = {"/m/b.mp3"};
    CToolsMusic page;
    ASSERT_TRUE(page.Create(CToolsMusic::IDD, &mainWnd));
    boxAnswers["Do you want delete the music from the Databases?"] = IDYES;
    dialogAnswer = [&](CWnd* w, UINT id) {
        if (id == CDatabaseCheck::IDD)
            w->SendMessage(WM_COMMAND, MAKEWPARAM(1183, BN_CLICKED), 0);
        return IDCANCEL;
    };
    EXPECT_EQ(page.Rows().size(), 2u);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(1204, BN_CLICKED), 0);
    EXPECT_EQ(page.Rows().size(), 1u);
    page.DestroyWindow();
}

} // namespace
} // namespace managerstest
