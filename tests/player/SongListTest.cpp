// The song rows of the music page: naming, lengths, facts, cell colours, marks and removal.
#include "MusicPageFixture.h"

#include "controls/QuickList.h"
#include "store/CommandCodes.h"

namespace {

using musicpagetest::MusicPageTest;

class SongLists : public MusicPageTest {
protected:
    // A playlist of the paths loaded into the list (the files need not exist).
    void load(int list, const std::vector<std::string>& paths)
    {
        std::string text;
        for (const std::string& p : paths)
            text += p + "\r\n";
        const std::string m3u = dir.file("list" + std::to_string(list) + ".m3u");
        testsupport::writeFile(m3u, text);
        // Chosen with the list's playlist button, as the caller does.
        win::SetFileDialogAnswerer([m3u](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
            return std::vector<std::string>{m3u};
        });
        const UINT buttons[] = {1247, 1199, 1201};
        page->SendMessage(WM_COMMAND, MAKEWPARAM(buttons[list - 1], BN_CLICKED), 0);
        win::SetFileDialogAnswerer({});
    }
    std::string col(int list, int row, int c) { return page->SongRows(list).at(size_t(row)).GetCol(c); }
    void set(const std::vector<std::pair<std::string, std::string>>& settings)
    {
        CMusicDb db;
        for (const auto& [k, v] : settings)
            db.SetSetting(k, v, 1);
        page->ReloadSettings();
    }
    static void storeLength(const std::string& path, int seconds)
    {
        CMusicDb db;
        db.SaveMusicRow(path, "44100", "0", "0", "100", "0", "0", "0", "0", "0", "", "7", std::to_string(seconds),
                        "it's a note", "", "", "", "", "", "", "", "", "", "", 1);
    }
};

TEST_F(SongLists, NamingModesSplitTheFileTitle)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    struct Case {
        const char* mode;
        const char* noNumber;
        const char* file;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"1", "false", "/m/Bop Rhythm.mp3", "Bop Rhythm", ""},
        {"0", "false", "/m/Bop Rhythm.mp3", "", "Bop Rhythm"},
        {"0", "false", "/m/RR 274 - Bop.mp3", "RR 274", "Bop"},
        {"0", "true", "/m/RR 274 - Bop.mp3", "RR", "Bop"},
        {"1", "false", "/m/RR 274 - Bop.mp3", "RR 274", "Bop"},
        {"2", "false", "/m/RR 274 - Bop.mp3", "", "RR 274 - Bop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " mode " + c.mode + " nonrlabel " + c.noNumber);
        set({{"music - colname1", c.mode}, {"music - nonrlabel", c.noNumber}});
        load(1, {c.file});
        ASSERT_EQ(page->SongRows(1).size(), 1u);
        EXPECT_EQ(col(1, 0, 0), c.first);
        EXPECT_EQ(col(1, 0, 1), c.second);
        EXPECT_EQ(col(1, 0, 3), c.file);
    }
}

TEST_F(SongLists, StoredLengthsShowAsMinutesAndSecondsAlsoForApostrophePaths)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"music - lengthactive", "true"}, {"music - rateactive", "true"},
           {"music - commentactive", "true"}, {"music - colsort2", "3"}});
    const std::vector<std::string> paths{"/m/a.mp3", "/m/Don't Stop.mp3", "/m/c.mp3", "/m/d's.mp3", "/m/e.mp3"};
    const int seconds[] = {65, 600, 6000, 59, 599};
    for (size_t i = 0; i < paths.size(); ++i)
        storeLength(paths[i], seconds[i]);
    load(2, paths);
    // Every row is there: a path with an apostrophe stops nothing half way.
    ASSERT_EQ(page->SongRows(2).size(), paths.size());
    const char* expected[] = {"01:05", "10:00", "100:00", "00:59", "09:59"};
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(col(2, int(i), 4), expected[i]) << paths[i];
        EXPECT_EQ(col(2, int(i), 2), "7") << paths[i];
        EXPECT_EQ(col(2, int(i), 5), "it's a note") << paths[i];
    }
    // A song without a row of table music shows an empty rate and comment.
    load(2, {"/m/unknown.mp3"});
    EXPECT_EQ(col(2, 0, 2), "");
    EXPECT_EQ(col(2, 0, 4), "00:00");
}

TEST_F(SongLists, FlagsAndMarksChooseTheCellClassAndColour)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"music - songmarker1", "true"}, {"music - colsort1", "3"},
           {"music - markcolorR", "1"}, {"music - markcolorG", "2"}, {"music - markcolorB", "259"},
           {"music - flagcolorR", "10"}, {"music - flagcolorG", "20"}, {"music - flagcolorB", "30"},
           {"music - listcolorR", "200"}, {"music - listcolorG", "201"}, {"music - listcolorB", "202"}});
    CMusicDb db;
    db.SetFlagValue("/m/flagged and marked.mp3", "2", 1);
    db.AddMark(1, "/m/flagged and marked.mp3", 0, "", 1);
    db.SetFlagValue("/m/flag one.mp3", "1", 1);
    db.AddMark(1, "/m/marked.mp3", 0, "", 1);
    load(1, {"/m/flagged and marked.mp3", "/m/flag one.mp3", "/m/marked.mp3", "/m/plain.mp3"});
    struct Case {
        const char* cls;
        const char* marked;
        COLORREF back;
    };
    const Case cases[] = {{"2", "0", RGB(10, 20, 30)},
                          {"1", "0", RGB(1, 2, 3)},
                          {"1", "1", RGB(1, 2, 3)},
                          {"0", "0", RGB(200, 201, 202)}};
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(col(1, r, 3));
        EXPECT_EQ(col(1, r, 6), cases[r].cls);
        EXPECT_EQ(col(1, r, 7), cases[r].marked);
        ListCellData cell;
        cell.item = r;
        cell.subItem = 7; // any column past the comment shows the comment
        page->SendMessage(UWM_QUICKLIST_GETITEM, WPARAM(page->GetDlgItem(1009)->m_hWnd), LPARAM(&cell));
        EXPECT_EQ(cell.backColor, cases[r].back);
        EXPECT_EQ(cell.selBackColor, RGB(30, 0, 96));
    }
}

TEST_F(SongLists, MarksCountAcrossListsWithSongMark123)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"music - songmarker1", "false"}});
    CMusicDb db;
    db.AddMark(2, "/m/x.mp3", 0, "/somewhere/else.m3u", 1);
    load(1, {"/m/x.mp3"});
    EXPECT_EQ(col(1, 0, 6), "0") << "list 1 looks only at its own marks, and not at all without its marker";

    set({{"music - songmark123", "true"}});
    load(1, {"/m/x.mp3"});
    EXPECT_EQ(col(1, 0, 6), "1");

    set({{"music - markslistdir", "true"}});
    load(1, {"/m/x.mp3"});
    EXPECT_EQ(col(1, 0, 6), "0") << "the mark was made under another source of list 2";
}

TEST_F(SongLists, MarkingAndUnmarkingReachTheRowsAndTheStore)
{
    start({{"music - onlyshowpaththatexist", "false"}, {"music - songmarker1", "true"}});
    load(1, {"/m/a.mp3", "/m/b's.mp3"});
    page->MarkRow(1, 1, "/m/b's.mp3");
    EXPECT_EQ(col(1, 1, 6), "1");
    EXPECT_EQ(col(1, 1, 7), "1");
    CMusicDb db;
    EXPECT_TRUE(db.IsMarked("/m/b's.mp3", 1, 1, page->SourceText(1), 1));
    page->ReloadList(1);
    EXPECT_EQ(col(1, 1, 6), "1") << "a reload reads the mark back";

    page->UnmarkRows(1, -1, "");
    EXPECT_FALSE(db.IsMarked("/m/b's.mp3", 1, 0, "", 1));
    EXPECT_EQ(col(1, 1, 6), "0");
}

TEST_F(SongLists, MarksGoUnderTheListsSourceAndNotToASongOpenedFromTheQueue)
{
    start({{"music - songmarker1", "true"}, {"music - markslistdir", "true"}, {"music - colsort1", "3"},
           {"markers - value", "0"}});
    const std::string a = wav("a.wav", 1), b = wav("b.wav", 1), c = wav("c.wav", 1);
    load(1, {a, b, c});
    const std::string playlist = page->SourceText(1);
    CMusicDb db;

    // A filter shows its caption above the list; the mark still belongs to the playlist.
    page->FilterList(8, "", 0, "Searched for: ", 1);
    page->MarkRow(1, 0, a);
    EXPECT_TRUE(db.IsMarked(a, 1, 1, playlist, 1));
    EXPECT_FALSE(db.IsMarked(a, 1, 1, "Searched for: ", 1));
    page->ReloadList(1);
    EXPECT_EQ(col(1, 0, 6), "1") << "the reloaded playlist shows the mark";

    // A song taken from the queue is not marked by its opening, and the next marking is free again.
    page->QueueSong(c, 1, 2, "0", 0);
    page->PlayNextQueued();
    EXPECT_FALSE(page->IsOpenedFromQueue());
    EXPECT_EQ(col(1, 2, 7), "0");
    EXPECT_FALSE(db.IsMarked(c, 1, 0, "", 1));

    // Marks by the timer: a song opened from its list after a queued song that never played
    // is marked when its timer comes.
    set({{"markers - value", "5"}});
    page->QueueSong(c, 1, 2, "0", 0);
    page->PlayNextQueued();
    EXPECT_TRUE(page->IsOpenedFromQueue());
    dynamic_cast<CQuickList*>(page->GetDlgItem(1009))->SetSelectionMark(1);
    page->OpenSelectedRow(1);
    if (!g_playing)
        page->PlayPause();
    page->Tick(kTimerMarkRow);
    EXPECT_EQ(col(1, 1, 7), "1");
    EXPECT_TRUE(db.IsMarked(b, 1, 1, playlist, 1));
    EXPECT_FALSE(db.IsMarked(c, 1, 0, "", 1));
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(SongLists, HeadingsNotNamedByTheCallerFollowTheNamingMode)
{
    start();
    auto heading = [&](int column) {
        HDITEM item{};
        char text[64] = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        static_cast<CListCtrl*>(page->GetDlgItem(1011))->GetHeaderCtrl()->GetItem(column, &item);
        return std::string(text);
    };
    struct Case {
        const char* naming;
        const char* first;
        const char* second;
        const char* column0;
        const char* column1;
    } cases[] = {
        {"0", "Global", "global", "Label", "Title"}, {"1", "Global", "Global", "Title", "Label"},
        {"2", "Global", "Global", "", "Title"},      {"0", "", "", "Label", "Title"},
        {"1", "Singer", "GLOBAL", "Singer", "GLOBAL"}, {"2", "Singer", "Global", "", "Singer"},
    };
    for (const Case& c : cases) {
        set({{"music - colname2", c.naming}, {"music - col1name2", c.first}, {"music - col2name2", c.second}});
        EXPECT_EQ(heading(0), c.column0) << c.naming << " " << c.first << " " << c.second;
        EXPECT_EQ(heading(1), c.column1) << c.naming << " " << c.first << " " << c.second;
        EXPECT_EQ(heading(2), "Rate");
        EXPECT_EQ(heading(4), "Length");
        EXPECT_EQ(heading(5), "Comment");
    }
}

TEST_F(SongLists, BackspaceRemovesTheSelectedRowOnly)
{
    start({{"music - onlyshowpaththatexist", "false"}});
    load(3, {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
    auto* ctl = dynamic_cast<CQuickList*>(page->GetDlgItem(1012));
    ASSERT_NE(ctl, nullptr);
    CQuickList& list = *ctl;
    page->RemoveSelectedRow(3);
    EXPECT_EQ(page->SongRows(3).size(), 3u) << "nothing selected";
    list.SetSelectionMark(1);
    page->RemoveSelectedRow(3);
    ASSERT_EQ(page->SongRows(3).size(), 2u);
    EXPECT_EQ(col(3, 1, 3), "/m/c.mp3");
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(g_listMemory3.size(), 3u) << "the song stays in the remembered entries";
    EXPECT_EQ(page->GetDlgItemInt(1063), 2u);
}

TEST_F(SongLists, TrackingOffForgetsTheDanceAndTheSquareButtonAsksForTheWindow)
{
    start({{"music - tracking", "true"}, {"music - trackname", "Club"}});
    page->OnTrackingToggle();
    CMusicDb db;
    EXPECT_EQ(db.GetSetting("music - tracking", 1), "false");
    EXPECT_EQ(db.GetSetting("music - trackname", 1), "");
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1260, BN_CLICKED), 0);
    EXPECT_TRUE(mainWnd.sent(CMD_TOGGLE_SQUAREID));
}

TEST_F(SongLists, LyricsSearchSwitchIsStored)
{
    start({{"music - searchlyricslist2", "false"}});
    page->OnLyricsSearchList2();
    EXPECT_EQ(page->IsLyricsSearchOn(2), 1);
    EXPECT_EQ(CMusicDb().GetSetting("music - searchlyricslist2", 1), "true");
}

} // namespace
