// The music page's queue: what a queued song shows, which song each entry
// plays, the delete modes, moving entries, the queued song's lyrics, and the
// queue kept in table queuedfiles from one run to the next.
#include "MusicPageFixture.h"

#include "platform/win/ListBox.h"
#include "platform/win/ListCtrl.h"
#include "store/CppSQLite3.h"

namespace {

using namespace musicpagetest;

class QueueTest : public MusicPageTest {
protected:
    CListBox& box() { return *static_cast<CListBox*>(page->GetDlgItem(1218)); }

    std::vector<std::string> entries()
    {
        std::vector<std::string> out;
        for (int i = 0; i < box().GetCount(); ++i)
            out.push_back(box().GetText(i));
        return out;
    }

    std::vector<std::string> queuedPaths()
    {
        std::vector<std::string> out;
        for (const MemoryList2& q : page->QueuedSongs())
            out.push_back(q.GetCol1());
        return out;
    }

    void click(int id)
    {
        page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(page->GetDlgItem(id)->m_hWnd));
    }

    // The rows of table queuedfiles: name | path | lyrics | list | row.
    std::vector<std::string> storedQueue()
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        CppSQLite3Table t = db.GetTable("SELECT name, path, lyrics, list, row FROM queuedfiles;");
        std::vector<std::string> out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            out.push_back(std::string(t.FieldTextOr(0, "")) + "|" + t.FieldTextOr(1, "") + "|" +
                          t.FieldTextOr(2, "") + "|" + t.FieldTextOr(3, "") + "|" + t.FieldTextOr(4, ""));
        }
        return out;
    }

    void restart(const std::vector<std::pair<std::string, std::string>>& settings)
    {
        page->DestroyWindow();
        page.reset();
        start(settings);
    }
};

TEST_F(QueueTest, TwoFilesOfTheSameNameAreTwoEntriesThatEachPlayTheirOwnFile)
{
    start({{"music - autostart", "false"}});
    std::filesystem::create_directories(dir.file("one"));
    std::filesystem::create_directories(dir.file("two"));
    const std::string first = wav("one/Bop.wav", 2), second = wav("two/Bop.wav", 3);
    page->QueueSong(first, 1, 0, "1", 0);
    page->QueueSong(second, 2, 4, "2", 1);
    EXPECT_EQ(entries(), (std::vector<std::string>{"Bop", "Bop"}));

    page->OnPlayNextQueued();
    EXPECT_EQ(g_currentSongPath, first);
    EXPECT_EQ(page->CurrentList(), 1);
    page->OnPlayNextQueued();
    EXPECT_EQ(g_currentSongPath, second);
    EXPECT_EQ(page->CurrentList(), 2);
    EXPECT_EQ(page->CurrentRow(), 4);
    EXPECT_EQ(box().GetCount(), 0);

    page->OnPlayNextQueued(); // an empty queue opens nothing
    EXPECT_EQ(g_currentSongPath, second);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(QueueTest, QueuedNamesAndWhatIsRefused)
{
    start({{"music - columetype2", "2"}, {"music - colname2", "1"}});
    struct Case {
        std::string path;
        int list, row;
        std::string type;
        int naming;
        std::string entry; // empty: nothing queued
    } cases[] = {
        {"/music/RR 274 - Bop.mp3", 2, 3, "2", 1, "RR 274 - Bop"},
        {"/music/notes.txt", 4, 0, "4", 4, "notes"}, // a playlist line of any file is queued like a song
        {"/music/NoExtension", 1, 0, "1", 0, ""},
        {"/music/.mp3", 1, 0, "1", 0, ""},
        {"", 1, 0, "1", 0, ""},
        {"/music/Song.mp3", 1, 0, "", 0, ""},
        {"/music/Song.mp3", 0, 0, "1", 0, ""},
        {"/music/Song.mp3", 1, -1, "1", 0, ""},
        {"/music/Song.mp3", 1, 0, "1", -1, ""},
    };
    for (const Case& c : cases) {
        const int before = box().GetCount();
        page->QueueSong(c.path, c.list, c.row, c.type, c.naming);
        if (c.entry.empty()) {
            EXPECT_EQ(box().GetCount(), before) << c.path;
            continue;
        }
        ASSERT_EQ(box().GetCount(), before + 1) << c.path;
        EXPECT_EQ(box().GetText(before), c.entry);
        const MemoryList2& q = page->QueuedSongs().back();
        EXPECT_EQ(q.GetCol1(), c.path);
        EXPECT_EQ(q.GetCol2(), c.type);
        EXPECT_EQ(q.GetList(), c.list);
        EXPECT_EQ(q.GetRow(), c.row);
        EXPECT_EQ(q.GetNaming(), c.naming);
        EXPECT_EQ(q.GetNr(), before);
    }
}

TEST_F(QueueTest, ARightClickQueuesTheSelectedRowWithItsListsTypeAndNaming)
{
    start({{"music - columetype3", "2"}, {"music - colname3", "2"}});
    rows(3, {"/m/A.mp3", "/m/B.mp3"});
    auto* list = static_cast<CListCtrl*>(page->GetDlgItem(1012));
    NMHDR hdr{list->m_hWnd, 1012, NM_RCLICK};
    page->SendMessage(WM_NOTIFY, 1012, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(box().GetCount(), 0) << "no selected row, nothing queued";

    list->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list->SetSelectionMark(1);
    page->SendMessage(WM_NOTIFY, 1012, reinterpret_cast<LPARAM>(&hdr));
    ASSERT_EQ(entries(), std::vector<std::string>{"B"});
    const MemoryList2& q = page->QueuedSongs().front();
    EXPECT_EQ(q.GetCol1(), "/m/B.mp3");
    EXPECT_EQ(q.GetCol2(), "2");
    EXPECT_EQ(q.GetList(), 3);
    EXPECT_EQ(q.GetRow(), 1);
    EXPECT_EQ(q.GetNaming(), 2);
}

TEST_F(QueueTest, NextTakesTheSelectedEntryOrTheTop)
{
    start({{"music - autostart", "false"}});
    const std::string a = wav("A.wav", 2), b = wav("B.wav", 2), c = wav("C.wav", 2), d = wav("D.wav", 2);
    struct Case {
        int selected;            // -1 none
        std::string opened;
        std::vector<std::string> left;
        int selectionAfter;
    } cases[] = {
        {-1, a, {"B", "C", "D"}, 0},
        {2, c, {"A", "B", "D"}, 2}, // the fourth moves into the selection
        {3, d, {"A", "B", "C"}, -1}, // the last: nothing left to select
    };
    for (const Case& k : cases) {
        box().ResetContent();
        page->OnQueueDelete(); // delete all: the records go too
        for (const std::string& p : {a, b, c, d})
            page->QueueSong(p, 1, 0, "1", 0);
        box().SetCurSel(k.selected);
        page->OnPlayNextQueued();
        EXPECT_EQ(g_currentSongPath, k.opened) << k.selected;
        EXPECT_EQ(entries(), k.left) << k.selected;
        EXPECT_EQ(box().GetCurSel(), k.selectionAfter) << k.selected;
        EXPECT_EQ(queuedPaths().size(), 3u);
    }
}

TEST_F(QueueTest, DeleteAllOrTheSelectedEntryByTheCheckOfDeleteAll)
{
    start({{"music - singledeletequeue", "false"}});
    EXPECT_EQ(page->IsDlgButtonChecked(1309), 1u) << "Delete All checked";
    for (const char* p : {"/m/A.mp3", "/m/B.mp3", "/m/C.mp3"})
        page->QueueSong(p, 1, 0, "1", 0);
    click(1244);
    EXPECT_EQ(box().GetCount(), 0);
    EXPECT_TRUE(page->QueuedSongs().empty());

    click(1309); // Delete All cleared: single entries
    EXPECT_EQ(page->IsDlgButtonChecked(1309), 0u);
    EXPECT_EQ(CMusicDb().GetSetting("music - singledeletequeue", 1), "true");
    for (const char* p : {"/m/A.mp3", "/m/B.mp3", "/m/C.mp3"})
        page->QueueSong(p, 1, 0, "1", 0);
    click(1244);
    EXPECT_EQ(box().GetCount(), 3) << "nothing selected, nothing deleted";
    box().SetCurSel(1);
    click(1244);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(queuedPaths(), (std::vector<std::string>{"/m/A.mp3", "/m/C.mp3"}));
    EXPECT_EQ(box().GetCurSel(), 1) << "the next entry takes the place";

    click(1309);
    EXPECT_EQ(CMusicDb().GetSetting("music - singledeletequeue", 1), "false");
    click(1244);
    EXPECT_EQ(box().GetCount(), 0);
}

TEST_F(QueueTest, MovingEntriesChangesThePlayOrderOfTheirSongs)
{
    start();
    for (const char* p : {"/m/A.mp3", "/x/A.mp3", "/m/B.mp3"})
        page->QueueSong(p, 1, 0, "1", 0);
    box().SetCurSel(0);
    click(1271); // up at the top: nothing
    EXPECT_EQ(queuedPaths(), (std::vector<std::string>{"/m/A.mp3", "/x/A.mp3", "/m/B.mp3"}));
    click(1272);
    EXPECT_EQ(queuedPaths(), (std::vector<std::string>{"/x/A.mp3", "/m/A.mp3", "/m/B.mp3"}));
    EXPECT_EQ(box().GetCurSel(), 1);
    click(1272);
    click(1272); // down at the bottom: nothing
    EXPECT_EQ(queuedPaths(), (std::vector<std::string>{"/x/A.mp3", "/m/B.mp3", "/m/A.mp3"}));
    EXPECT_EQ(entries(), (std::vector<std::string>{"A", "B", "A"}));
    click(1271);
    EXPECT_EQ(queuedPaths(), (std::vector<std::string>{"/x/A.mp3", "/m/A.mp3", "/m/B.mp3"}));
    EXPECT_EQ(box().GetCurSel(), 1);
}

TEST_F(QueueTest, TheQueueIsKeptBetweenRunsWithItsLyricsUnchanged)
{
    const std::string lyrics = "/lyrics/Don't Stop \"Now\".htm";
    {
        CMusicDb db;
        db.AddQueuedFile("[L] Bop", "/m/O'Neil/Bop.mp3", "2", lyrics, 2, 7, 1, 0, 1);
        db.AddQueuedFile("Hoe", "/m/Hoe.mp3", "1", "", 1, 3, 0, 1, 1);
    }
    start({{"music - savequeuedfiles", "true"}});
    ASSERT_EQ(entries(), (std::vector<std::string>{"[L] Bop", "Hoe"}));
    EXPECT_EQ(page->QueuedSongs()[0].GetCol1(), "/m/O'Neil/Bop.mp3");
    EXPECT_EQ(page->QueuedSongs()[0].GetCol3(), lyrics);

    // The queued song's lyrics: the selected entry, else the first.
    g_queuedLyricsPath = "before";
    box().SetCurSel(1);
    page->TakeQueuedLyrics();
    EXPECT_EQ(g_queuedLyricsPath, "");
    box().SetCurSel(-1);
    page->TakeQueuedLyrics();
    EXPECT_EQ(g_queuedLyricsPath, lyrics);

    page->QueueSong("/m/New.mp3", 3, 1, "1", 2);
    restart({});
    EXPECT_EQ(entries(), (std::vector<std::string>{"[L] Bop", "Hoe", "New"}));
    EXPECT_EQ(page->QueuedSongs()[0].GetCol3(), lyrics);
    EXPECT_EQ(page->QueuedSongs()[2].GetList(), 3);
    EXPECT_EQ(page->QueuedSongs()[2].GetNaming(), 2);

    // With storing off, the table is emptied at page end and the next start is empty.
    restart({{"music - savequeuedfiles", "false"}});
    EXPECT_EQ(box().GetCount(), 0);
    page->QueueSong("/m/Other.mp3", 1, 0, "1", 0);
    page->DestroyWindow();
    EXPECT_TRUE(storedQueue().empty());
    page.reset();
    start({{"music - savequeuedfiles", "true"}});
    EXPECT_EQ(box().GetCount(), 0);
}

TEST_F(QueueTest, AnEmptyQueueLeavesTheQueuedLyricsAsTheyWere)
{
    start();
    g_queuedLyricsPath = "/lyrics/kept.htm";
    page->TakeQueuedLyrics();
    EXPECT_EQ(g_queuedLyricsPath, "/lyrics/kept.htm");
    mainWnd.codes.clear();
    click(1245);
    EXPECT_TRUE(mainWnd.sent(CMD_TOGGLE_QUEUED_LYRICS));
}

} // namespace
