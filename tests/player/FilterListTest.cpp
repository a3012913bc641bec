// The music page's filter of a song list: each filter type over a generated
// list, the caption above the list, the remembered entries a filter starts
// from, the marks of the list's real source, and the search button.
#include "MusicPageFixture.h"

#include "player/Compare.h"
#include "store/CppSQLite3.h"

namespace {

using namespace musicpagetest;

class FilterListTest : public MusicPageTest {
protected:
    std::vector<std::string> songs; // a, b, c, d

    // Songs a (rate 3), b (rate 5), c (rate 7) and d (no row of table music);
    // the track log has a under "Grand Mixer" and b under "Mixer" (2025); a is
    // marked in list 1 under the playlist the list shows.
    void SetUp() override
    {
        MusicPageTest::SetUp();
        for (const char* n : {"a", "b", "c", "d"})
            songs.push_back(wav(std::string(n) + ".wav", 1));
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        for (int i = 0; i < 3; ++i)
            db.Execute("INSERT INTO music (path, rate) VALUES ('" + songs[size_t(i)] + "', '" +
                       std::to_string(3 + 2 * i) + "');");
        db.Close();
        CMusicDb m;
        m.AddTrack("a", "Grand Mixer", 0, "2025-01-10", "20:00", 1, songs[0], 2, 1);
        m.AddTrack("b", "Mixer", 0, "2025-03-01", "20:00", 1, songs[1], 2, 1);
        m.AddMark(1, songs[0], 0, dir.file("one.m3u"), 1);
        start({{"music - listdir1", "list"}, {"music - listpath1", dir.file("one.m3u")},
               {"music - markslistdir", "true"}, {"music - colsort1", "3"}});
        remember(1, songs);
    }

    void TearDown() override
    {
        g_listMemory1.clear();
        g_listMemory2.clear();
        g_filterMatches.clear();
        MusicPageTest::TearDown();
    }

    // The list was loaded with these songs: they are its rows and its remembered entries.
    void remember(int list, const std::vector<std::string>& paths)
    {
        auto& memory = list == 1 ? g_listMemory1 : g_listMemory2;
        memory.clear();
        for (const std::string& p : paths) {
            MemoryList2 entry;
            entry.SetAll(p, std::filesystem::path(p).stem().string(), "", "", 0, 0, 0, 0);
            memory.push_back(entry);
        }
        rows(list, paths);
    }

    // The songs (by letter) that passed the last filter.
    std::string passed()
    {
        std::string out;
        for (const std::string& p : g_filterMatches)
            out += std::filesystem::path(p).stem().string();
        return out;
    }

    std::string shown(int list)
    {
        std::string out;
        for (const CMemArray& r : page->SongRows(list))
            out += std::filesystem::path(r.GetCol(3)).stem().string();
        return out;
    }

    std::string caption(int list) { return page->GetDlgItem(list == 1 ? 1016 : 1017)->GetWindowText(); }
};

TEST_F(FilterListTest, EachTypeRefillsTheListWithTheSongsThatPass)
{
    struct Case {
        int type;
        std::string text;
        int exact;
        std::string expected;
    } cases[] = {
        {1, "Mixer", 0, "ab"}, {1, "Mixer", 1, "b"},   {2, "Mixer", 1, "acd"}, {3, "", 0, "ab"},
        {4, "", 0, "a"},       {5, "", 0, "bcd"},      {6, "", 0, "d"},        {7, "", 0, "abcd"},
        {8, "", 0, "abcd"},    {8, "B", 0, "b"},       {10, "", 0, "ab"},      {9, "", 0, ""},
        {11, "", 0, "abc"}, // the page's rate range starts at 0 to 9; a song without a row never passes
    };
    for (const Case& c : cases) {
        const std::string title = "Filter " + std::to_string(c.type);
        page->FilterList(c.type, c.text, c.exact, title, 1);
        EXPECT_EQ(passed(), c.expected) << c.type << " " << c.text;
        EXPECT_EQ(shown(1), c.expected) << c.type << " " << c.text;
        EXPECT_EQ(page->GetDlgItemInt(1061), UINT(c.expected.size())) << "the row count";
        EXPECT_EQ(caption(1), title);
        EXPECT_EQ(g_listMemory1.size(), 4u) << "the remembered entries stay whole";
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(FilterListTest, AFilterThatPassedNothingDoesNotBlockTheNext)
{
    page->FilterList(8, "nothing like it", 0, "Searched for: nothing like it", 1);
    EXPECT_EQ(passed(), "");
    EXPECT_EQ(caption(1), "Searched for: nothing like it");
    page->FilterList(8, "", 0, "Searched for: ", 1);
    EXPECT_EQ(passed(), "abcd");

    // A list that was never loaded has nothing to filter: only its caption changes.
    page->FilterList(8, "", 0, "Searched for: ", 2);
    EXPECT_EQ(passed(), "");
    EXPECT_EQ(caption(2), "Searched for: ");
}

TEST_F(FilterListTest, MarksAfterAFilterAreThoseOfTheListsPlaylistNotOfTheCaption)
{
    page->FilterList(8, "", 0, "Searched for: ", 1);
    page->FilterList(4, "", 0, "These Songs are marked", 1);
    EXPECT_EQ(passed(), "a");
    page->FilterList(4, "", 0, "These Songs are marked", 1);
    EXPECT_EQ(passed(), "a") << "the caption above the list is no source";
    page->FilterList(5, "", 0, "These Songs are not marked", 1);
    EXPECT_EQ(passed(), "bcd");
}

TEST_F(FilterListTest, TheSearchButtonFiltersWithTheDialogsCriterionAndCaption)
{
    std::function<int(CCompare&)> answer;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.kind == win::DialogKind::Dialog && q.dialogId == CCompare::IDD)
            return answer(*static_cast<CCompare*>(q.window));
        return IDCANCEL;
    });
    auto pressOk = [](CCompare& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), LPARAM(d.GetDlgItem(1097)->m_hWnd));
        return d.GetDialogResult();
    };
    auto search = [&] { page->SendMessage(WM_COMMAND, MAKEWPARAM(1257, BN_CLICKED), LPARAM(page->GetDlgItem(1257)->m_hWnd)); };

    answer = [&](CCompare& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(1144, BN_CLICKED), LPARAM(d.GetDlgItem(1144)->m_hWnd));
        d.SetDlgItemText(1173, "c");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(1173, EN_KILLFOCUS), LPARAM(d.GetDlgItem(1173)->m_hWnd));
        return pressOk(d);
    };
    search();
    EXPECT_EQ(passed(), "c");
    EXPECT_EQ(caption(1), "Searched for: c");

    answer = [&](CCompare& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(1137, BN_CLICKED), LPARAM(d.GetDlgItem(1137)->m_hWnd));
        return pressOk(d);
    };
    search();
    EXPECT_EQ(passed(), "d");
    EXPECT_EQ(caption(1), "These Songs are not in the Music database");

    answer = [&](CCompare& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), LPARAM(d.GetDlgItem(1138)->m_hWnd));
        return IDCANCEL;
    };
    search();
    EXPECT_EQ(passed(), "d") << "Cancel changes nothing";
    EXPECT_EQ(caption(1), "These Songs are not in the Music database");
}

} // namespace
