// The music manager: its list of table music, the fields a double click
// fills, Save and Delete, the layout, export and import, and the loop preview.
#include "ManagersFixture.h"
#include "common/WaitFor.h"
#include "controls/ControlShots.h"
#include "managers/MusicCsv.h"
#include "managers/MusicManagerExport.h"
#include "managers/ToolsMusic.h"
#include "platform/audio/Bass.h"
#include "platform/win/Edit.h"

#include <cmath>

namespace managerstest {
namespace {

class ToolsMusicTest : public ManagersTest {
protected:
    std::unique_ptr<CToolsMusic> page;

    void SetUp() override
    {
        ManagersTest::SetUp();
        BASS_Init(0, 44100, 0, nullptr, nullptr);
        mainWnd.onCode = [this](UINT code) {
            if (code == CMD_MUSIC_MGR_CLOSED && page)
                page->DestroyWindow();
        };
    }
    void TearDown() override
    {
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        ManagersTest::TearDown();
    }
    void song(const std::string& path, const std::string& values)
    {
        exec("INSERT INTO music (path, speed, pitch, tempo, volume, loopset, loopstop, eq1, eq2, eq3, markers, rate, "
             "length, comment, date, eq4, eq5, eq6, eq7, eq8, eq9, eq10, keypitch, keytime, pitchfloat) VALUES ('" +
             path + "', " + values + ");");
    }
    // speed 44100, pitch 0, tempo t, volume 100, loop 1..3, eq 1/2/3, markers, rate 0, length, comment ...
    void plainSong(const std::string& path, const std::string& tempo = "0", const std::string& length = "100")
    {
        song(path, "44100, 0, " + tempo + ", 100, 1.0, 3.0, 1, 2, 3, '', 0, " + length +
                       ", 'note', '', 1, 0, 0, 0, 0, 0, 0, 2, 30.5, 0.5");
    }
    CToolsMusic& open()
    {
        page = std::make_unique<CToolsMusic>();
        EXPECT_TRUE(page->Create(CToolsMusic::IDD, &mainWnd));
        page->ShowWindow(SW_SHOW);
        return *page;
    }
    std::string column(int c)
    {
        std::string out;
        for (const CMemArrayLarge& r : page->Rows())
            out += r.GetCol(c) + "|";
        return out;
    }
    std::string field(int id) { return page->GetDlgItem(id)->GetWindowText(); }
    void setField(int id, const std::string& text) { page->GetDlgItem(id)->SetWindowText(text); }
    // Typing into a field and leaving it, as a click on a button does.
    void typeAndLeave(int id, const std::string& text)
    {
        setField(id, text);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), LPARAM(page->GetDlgItem(id)->m_hWnd));
    }
    void press(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void select(const std::vector<int>& rows, int mark)
    {
        page->List().SetItemState(-1, 0, LVIS_SELECTED);
        for (int r : rows)
            page->List().SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        page->List().SetSelectionMark(mark);
    }
    void doubleClick()
    {
        NMITEMACTIVATE nm;
        nm.hdr.hwndFrom = page->List().m_hWnd;
        nm.hdr.idFrom = 1009;
        nm.hdr.code = NM_DBLCLK;
        page->SendMessage(WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&nm.hdr));
    }
    int rowOf(const std::string& path)
    {
        for (size_t i = 0; i < page->Rows().size(); ++i)
            if (page->Rows()[i].GetCol(1) == path)
                return int(i);
        return -1;
    }
};

TEST_F(ToolsMusicTest, ListsEverySongButTheDummyRowWithItsFlag)
{
    plainSong("/m/b It[¤]s.mp3");
    plainSong("/m/a.mp3");
    exec("INSERT INTO flag VALUES('/m/b It[¤]s.mp3', '4');");
    CToolsMusic& p = open();
    ASSERT_EQ(p.Rows().size(), 2u);
    EXPECT_EQ(p.List().GetItemCount(), 2);
    EXPECT_EQ(field(1068), "2");
    EXPECT_EQ(column(0), "a|b It's|") << "sorted by title, ascending";
    EXPECT_EQ(column(1), "/m/a.mp3|/m/b It's.mp3|");
    EXPECT_EQ(column(3), "0.5|0.5|") << "the pitch shown is pitchfloat";
    EXPECT_EQ(column(15), "note|note|");
    EXPECT_EQ(column(18), "0|4|");
    EXPECT_EQ(p.List().GetItemText(1, 0), "b It's");
    EXPECT_EQ(p.List().GetItemText(1, 17), "30.5");
}

TEST_F(ToolsMusicTest, ADoubleClickFillsTheFieldsAndMeasuresTheSong)
{
    const std::string wav = dir.file("Long.wav");
    testsupport::writeSineWav(wav, 205, 8000, 1);
    plainSong(wav, "2.5");
    plainSong("/m/missing.mp3");
    CToolsMusic& p = open();
    const int row = rowOf(wav);
    select({row}, row);
    doubleClick();
    EXPECT_EQ(field(1186), wav);
    EXPECT_EQ(field(1198), "03:25");
    EXPECT_EQ(field(1187), "44100");
    EXPECT_EQ(field(1188), "0.5");
    EXPECT_EQ(field(1189), "2.5");
    EXPECT_EQ(field(1192), "3");
    EXPECT_EQ(field(1199), "2");
    EXPECT_EQ(field(1197), "note");

    select({rowOf("/m/missing.mp3")}, rowOf("/m/missing.mp3"));
    doubleClick();
    EXPECT_EQ(field(1198), "00:00") << "a song that does not open";

    // No selection mark (or a stale one): an empty row, and Save writes nothing.
    p.List().SetSelectionMark(7);
    doubleClick();
    EXPECT_EQ(field(1186), "");
    press(1184);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{});
}

TEST_F(ToolsMusicTest, SaveWritesTheFieldsFlagAndMarkerCommentsAndResorts)
{
    plainSong("/m/a.mp3", "0", "188");
    plainSong("/m/b.mp3");
    exec("INSERT INTO flag VALUES('/m/a.mp3', '2');");
    for (const char* mark : {"65", "130", "99"})
        exec(std::string("INSERT INTO musicmarkers VALUES('/m/a.mp3', ") + mark + ", 'c" + mark + "');");
    {
        CMusicDb db;
        db.SetSetting("music - colsortglobal", "4", 1);
    }
    CToolsMusic& p = open();
    select({0}, 0);
    doubleClick();
    setField(1188, "1.5");
    setField(1189, "-3.25");
    setField(1196, "01:05;r02:10;");
    setField(1202, "7");
    setField(1197, "Don't");
    press(1184);
    EXPECT_EQ(query("SELECT pitch, pitchfloat, tempo, markers, length, comment FROM music WHERE path='/m/a.mp3';"),
              "0,1.5,-3.25,01:05;r02:10;,188,Don[¤]t|")
        << "the stored length stays when the file cannot be measured";
    EXPECT_EQ(query("SELECT value FROM flag WHERE path='/m/a.mp3';"), "7|");
    EXPECT_EQ(query("SELECT mark, comment FROM musicmarkers WHERE path='/m/a.mp3' ORDER BY mark;"),
              "65,c65|130,c130|");
    EXPECT_EQ(p.SortState().Leading(), 4) << "the column of \"music - colsortglobal\" leads";
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_RELOAD_MUSIC_LISTS});

    setField(1202, "0");
    press(1184);
    EXPECT_EQ(query("SELECT count(*) FROM flag WHERE path='/m/a.mp3';"), "0|") << "flags 0 removes the flag";
}

TEST_F(ToolsMusicTest, SavingASongWhoseRowIsGoneSaysSoAndKeepsTheEdits)
{
    plainSong("/m/a.mp3");
    CToolsMusic& p = open();
    select({0}, 0);
    doubleClick();
    exec("DELETE FROM music WHERE path='/m/a.mp3';");
    p.Reload();
    setField(1189, "4.5");
    press(1184);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("/m/a.mp3"), std::string::npos);
    EXPECT_EQ(field(1189), "4.5") << "the edits stay in the fields";
    EXPECT_EQ(query("SELECT count(*) FROM music WHERE path='/m/a.mp3';"), "0|");
}

TEST_F(ToolsMusicTest, DeleteRemovesTheSelectedRowsInOneTransaction)
{
    for (const char* s : {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"}) {
        plainSong(s);
        exec(std::string("INSERT INTO flag VALUES('") + s + "', '1');");
    }
    exec("CREATE TRIGGER no_c BEFORE DELETE ON flag WHEN old.path='/m/c.mp3' BEGIN SELECT RAISE(ABORT, 'locked'); END;");
    CToolsMusic& p = open();
    select({0, 1, 2}, 2);
    press(1183);
    ASSERT_EQ(boxes.size(), 1u) << "the failure is shown";
    EXPECT_NE(boxes[0].find("locked"), std::string::npos);
    EXPECT_EQ(query("SELECT count(*) FROM music;"), "5|") << "rolled back: nothing deleted";
    EXPECT_EQ(p.List().GetItemCount(), int(p.Rows().size()));
    EXPECT_EQ(p.Rows().size(), 4u);

    exec("DROP TRIGGER no_c;");
    select({0, 1, 2}, 2);
    press(1183);
    EXPECT_EQ(query("SELECT path FROM music WHERE path <> 'dummydb';"), "/m/d.mp3|");
    EXPECT_EQ(query("SELECT path FROM flag;"), "/m/d.mp3|");
    EXPECT_EQ(p.List().GetItemCount(), 1);
    EXPECT_EQ(p.List().GetSelectionMark(), -1);
}

TEST_F(ToolsMusicTest, TheListFillsTheWidthBelowTheFields)
{
    plainSong("/m/a.mp3");
    CToolsMusic& p = open();
    CRect window, client;
    p.GetWindowRect(window);
    p.GetClientRect(client);
    p.MoveWindow(0, 0, 1200 + window.Width() - client.Width(), 700 + window.Height() - client.Height());
    p.GetClientRect(client);
    ASSERT_EQ(client.Width(), 1200);
    ASSERT_EQ(client.Height(), 700);
    CRect list;
    p.List().GetWindowRect(list);
    p.ScreenToClient(list);
    EXPECT_EQ(list, CRect(10, 120, 1190, 690));
    EXPECT_EQ(p.List().GetColumnWidth(1), 265);
    shots::grab(p, "music-manager");
}

TEST_F(ToolsMusicTest, ExportWritesOneFileOrOneFileBesideEachSong)
{
    const std::string song1 = dir.file("one.mp3");
    song(song1, "44100, 0, 2.0, 90, 10.5, 20.25, 1, 2, 3, '01:05;02:10;', 0, 205, 'It[¤]s', '', 1, 0, 0, 0, 0, 0, 0, "
                "2, 30.5, 1.5");
    exec("INSERT INTO flag VALUES('" + song1 + "', '7');");
    const std::string line = song1 + ";44100;1.5;2.0;90;10.5;20.25;1;2;3;1;01:05*02:10*;0;205;It's;2;30.5;7";
    open();
    std::vector<std::string> chosen;
    dialogAnswer = [&](CWnd*, UINT id) { return id == CMusicManagerExport::IDD ? IDOK : IDCANCEL; };
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::vector<std::string> {
        EXPECT_EQ(r.fileName, "Musicdatabase.csv");
        return {dir.file("all.csv")};
    });
    press(1201);
    EXPECT_EQ(testsupport::readFile(dir.file("all.csv")), line + "\r\n");

    dialogAnswer = [&](CWnd* w, UINT id) {
        if (id == CMusicManagerExport::IDD)
            w->SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
        return IDOK;
    };
    const std::string dated = musiccsv::DatedFileName(dir.str(), MyFunctions().TodayText());
    testsupport::writeFile(dated, "old\r\nold\r\n");
    press(1201);
    EXPECT_EQ(testsupport::readFile(dated), line + "\r\n") << "the same day's file is replaced";
    EXPECT_EQ(testsupport::readFile(dir.file("one.csv")), line + "\r\n");

    // Round trip: the row comes back as it was, apostrophe and markers included.
    exec("DELETE FROM music WHERE path <> 'dummydb'; DELETE FROM flag;");
    page->ImportFile(dir.file("all.csv"));
    page->FillList();
    ASSERT_EQ(page->Rows().size(), 1u);
    EXPECT_EQ(musiccsv::Line(page->Rows()[0]), line);
}

TEST_F(ToolsMusicTest, ImportFromAFolderReadsTheFilesBesideTheSongs)
{
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "music" / "sub");
    testsupport::writeFile(dir.file("music/a.CSV"), "X:\\a.MP3;44100;0;0;100;0;0;0;0;0;0;;0;10;;0;0.0;0\r\n");
    testsupport::writeFile(dir.file("music/sub/b.csv"), "X:\\b.wav;44100;0;0;100;0;0;0;0;0;0;;0;10;;0;0.0;0\r\n");
    open();
    dialogAnswer = [&](CWnd* w, UINT) {
        w->SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), 0);
        EXPECT_TRUE(w->GetDlgItem(1307)->IsWindowEnabled());
        w->SendMessage(WM_COMMAND, MAKEWPARAM(1307, BN_CLICKED), 0);
        return IDOK;
    };
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::vector<std::string> {
        EXPECT_TRUE(r.folder);
        return {dir.file("music")};
    });
    press(1185);
    EXPECT_EQ(column(1), dir.file("music/a.mp3") + "|" + dir.file("music/sub/b.wav") + "|");
    EXPECT_EQ(fs::current_path(), dir.path()) << "back in the data folder";
}

TEST_F(ToolsMusicTest, TheLoopPreviewPlaysTheLoopAgainAndAgain)
{
    const std::string wav = dir.file("loop.wav");
    testsupport::writeSineWav(wav, 12, 8000, 1);
    plainSong(wav);
    CToolsMusic& p = open();
    select({0}, 0);
    doubleClick();
    typeAndLeave(1191, "1.0");
    typeAndLeave(1192, "3.0");
    press(1205);
    const HSTREAM preview = p.PreviewChannel();
    ASSERT_NE(preview, 0u) << (boxes.empty() ? "" : boxes[0]);
    EXPECT_EQ(BASS_ChannelIsActive(preview), BASS_ACTIVE_PLAYING);
    auto seconds = [&] { return BASS_ChannelBytes2Seconds(preview, BASS_ChannelGetPosition(preview, BASS_POS_BYTE)); };
    EXPECT_LT(seconds(), 1.0) << "Loopstop 3 starts at 0";
    BASS_ChannelSetPosition(preview, BASS_ChannelSeconds2Bytes(preview, 3.2), BASS_POS_BYTE);
    p.SendMessage(WM_TIMER, CToolsMusic::kPreviewTimer);
    EXPECT_NEAR(p.PreviewPosition(), 3.2, 0.3);
    EXPECT_NEAR(seconds(), 1.0, 0.3) << "back to the loop start";

    press(1205);
    EXPECT_NE(BASS_ChannelIsActive(preview), BASS_ACTIVE_PLAYING) << "the second press pauses";

    // Loopstop 8: the preview starts 5 seconds before it; Loopstop 0 never loops.
    typeAndLeave(1192, "8.0");
    press(1205);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(p.PreviewChannel(),
                                          BASS_ChannelGetPosition(p.PreviewChannel(), BASS_POS_BYTE)),
                3.0, 0.3);
    press(1205);
    typeAndLeave(1192, "0");
    press(1205);
    BASS_ChannelSetPosition(p.PreviewChannel(), BASS_ChannelSeconds2Bytes(p.PreviewChannel(), 6.0), BASS_POS_BYTE);
    p.SendMessage(WM_TIMER, CToolsMusic::kPreviewTimer);
    EXPECT_GT(BASS_ChannelBytes2Seconds(p.PreviewChannel(),
                                        BASS_ChannelGetPosition(p.PreviewChannel(), BASS_POS_BYTE)),
              5.5);

    // Closing stops and frees it, and the report reaches the main window.
    const HSTREAM last = p.PreviewChannel();
    p.SendMessage(WM_CLOSE);
    EXPECT_EQ(BASS_ChannelIsActive(last), 0u);
    EXPECT_EQ(page->m_hWnd, nullptr);
    EXPECT_EQ(mainWnd.codes.back(), UINT(CMD_MUSIC_MGR_CLOSED));
}

TEST_F(ToolsMusicTest, APreviewThatCannotStartSaysWhy)
{
    plainSong("/m/none.mp3");
    open();
    select({0}, 0);
    doubleClick();
    press(1205);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Can't play stream\n\nBASS error code: ", 0), 0u) << boxes[0];
    EXPECT_EQ(page->PreviewChannel(), 0u);
}

} // namespace
} // namespace managerstest
