// The dance-name prompt: the names it offers, what a click, OK and Esc leave
// as the dance name and level.
#include "ManagersFixture.h"
#include "managers/TrackName.h"

namespace managerstest {
namespace {

class TrackNameTest : public ManagersTest {
protected:
    int plays = 0;
    void play(const std::string& name, int level)
    {
        ++plays;
        CMusicDb().AddTrack("Song", name, 0, "2024-05-01", "10:" + std::to_string(10 + plays), 1, "/m/s.mp3", level, 1);
    }
    // Runs the prompt; `inside` works in the open dialog and answers how it ends.
    std::pair<std::string, int> run(const std::string& name, int level, std::function<int(CTrackName&)> inside)
    {
        dialogAnswer = [&](CWnd* w, UINT id) {
            EXPECT_EQ(id, UINT(CTrackName::IDD));
            return inside(*static_cast<CTrackName*>(w));
        };
        CTrackName prompt(name, level, &mainWnd);
        prompt.DoModal();
        dialogAnswer = nullptr;
        return {prompt.GetDanceName(), prompt.GetLevel()};
    }
    static std::string names(const CTrackName& t)
    {
        std::string out;
        for (const CMemArray& r : t.Rows())
            out += r.GetCol(0) + "/" + r.GetCol(1) + "|";
        return out;
    }
    static void click(CTrackName& t, int row, UINT code = NM_CLICK)
    {
        t.List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        t.List().SetSelectionMark(row);
        NMITEMACTIVATE nm;
        nm.hdr.hwndFrom = t.List().m_hWnd;
        nm.hdr.idFrom = 1191;
        nm.hdr.code = code;
        t.SendMessage(WM_NOTIFY, 1191, reinterpret_cast<LPARAM>(&nm.hdr));
    }
    static int ok(CTrackName& t)
    {
        t.SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), 0);
        return t.GetDialogResult();
    }
};

TEST_F(TrackNameTest, ANameUnderTwoLevelsGivesTwoRowsEachWithItsLevel)
{
    play("Zed", 3);
    play("Fun It[¤]s", 3);
    play("Fun It[¤]s", 4);
    const auto result = run("Old", 2, [&](CTrackName& t) {
        EXPECT_EQ(names(t), "Fun It's/Advance 1|Fun It's/Plus|Zed/Plus|") << "by name, then level text, ascending";
        click(t, 0);
        EXPECT_EQ(t.GetDlgItem(1086)->GetWindowText(), "Fun It's");
        return ok(t);
    });
    EXPECT_EQ(result, (std::pair<std::string, int>{"Fun It's", 4}));
}

TEST_F(TrackNameTest, WithoutLevelsOneRowPerNameAndLevelZero)
{
    CMusicDb().SetSetting("music - notracklevel", "true", 1);
    play("Fun", 3);
    play("Fun", 4);
    const auto result = run("Old", 2, [&](CTrackName& t) {
        EXPECT_EQ(names(t), "Fun/|");
        EXPECT_EQ(t.List().GetColumnCount(), 2) << "the Level column is there, empty";
        click(t, 0, NM_DBLCLK);
        return t.GetDialogResult();
    });
    EXPECT_EQ(result, (std::pair<std::string, int>{"Fun", 0}));
}

TEST_F(TrackNameTest, ATypedNameWithOkAndEscKeepingTheFirstValues)
{
    auto typed = run("Old", 2, [&](CTrackName& t) {
        EXPECT_EQ(t.GetDlgItem(1086)->GetWindowText(), "Old");
        EXPECT_EQ(t.List().GetItemCount(), 0);
        t.GetDlgItem(1086)->SetWindowText("Saturday Club");
        return ok(t);
    });
    EXPECT_EQ(typed, (std::pair<std::string, int>{"Saturday Club", 2}));

    play("Fun", 3);
    auto escaped = run("Old", 2, [&](CTrackName& t) {
        t.GetDlgItem(1086)->SetWindowText("Typed");
        t.SendMessage(WM_COMMAND, IDCANCEL, 0);
        return t.GetDialogResult();
    });
    EXPECT_EQ(escaped, (std::pair<std::string, int>{"Old", 2}));

    // A selected row wins over a typed name.
    auto chosen = run("Old", 2, [&](CTrackName& t) {
        click(t, 0);
        t.GetDlgItem(1086)->SetWindowText("Typed");
        return ok(t);
    });
    EXPECT_EQ(chosen, (std::pair<std::string, int>{"Fun", 3}));

    // A stale selection mark chooses nothing.
    auto stale = run("Old", 2, [&](CTrackName& t) {
        t.List().SetSelectionMark(5);
        t.GetDlgItem(1086)->SetWindowText("Typed");
        return ok(t);
    });
    EXPECT_EQ(stale, (std::pair<std::string, int>{"Typed", 2}));
}

TEST_F(TrackNameTest, HeaderClicksAlternateTheDirection)
{
    play("B", 3);
    play("A", 5);
    play("C", 4);
    run("", 0, [&](CTrackName& t) {
        NMHEADER nm;
        nm.hdr.hwndFrom = t.List().GetHeaderCtrl()->m_hWnd;
        nm.hdr.code = HDN_ITEMCLICK;
        nm.iItem = 0;
        t.List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
        EXPECT_EQ(names(t), "C/Advance 1|B/Plus|A/Advance 2|") << "the first click sorts descending";
        nm.iItem = 1;
        t.List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm.hdr));
        EXPECT_EQ(names(t), "C/Advance 1|A/Advance 2|B/Plus|");
        return IDCANCEL;
    });
}

} // namespace
} // namespace managerstest
