// The pick and save dialogs of database choreographies and the level picker,
// driven as a user would: fields typed, buttons pressed, boxes answered.
#include "texts/ChoreoFromDb.h"
#include "texts/ChoreoSaveToDb.h"
#include "texts/DialogImportChooser.h"
#include "texts/SelectLevel.h"

#include "common/TestSupport.h"
#include "store/ChoreoDb.h"
#include "store/ChoreoRef.h"
#include "store/StoreGlobals.h"
#include "platform/win/ComboBox.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// What a step does with the open dialog; the dialog id picks the dialog.
using Steps = std::function<void(CWnd&)>;

class ChoreoDialogsTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};
    std::vector<std::string> boxes;       // texts of the boxes shown
    std::vector<int> boxAnswers;          // answers to the questions, in order

    void SetUp() override
    {
        g_baseFolder = dir.str();
        CChoreoDb().Create();
    }
    void TearDown() override { win::SetMessageBoxAnswerer({}); }

    // Runs a dialog modally with the steps; boxes are recorded and answered.
    int run(CDialog& dlg, UINT id, const Steps& steps)
    {
        win::SetMessageBoxAnswerer([&, id](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::MessageBox) {
                boxes.push_back(q.text);
                EXPECT_EQ(q.caption, "Mirtal");
                if (boxAnswers.empty())
                    return IDOK;
                const int answer = boxAnswers.front();
                boxAnswers.erase(boxAnswers.begin());
                return answer;
            }
            if (q.dialogId != id)
                return std::nullopt;
            steps(*q.window);
            return IDCANCEL; // a dialog the steps did not end is cancelled
        });
        return int(dlg.DoModal());
    }
    static void click(CWnd& w, int id)
    {
        w.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), LPARAM(w.GetDlgItem(id)->m_hWnd));
    }
    static void type(CWnd& w, int id, const std::string& text)
    {
        w.GetDlgItem(id)->SetWindowText(text);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), EN_KILLFOCUS), LPARAM(w.GetDlgItem(id)->m_hWnd));
    }
    static CComboBox& combo(CWnd& w, int id) { return *static_cast<CComboBox*>(w.GetDlgItem(id)); }
    static void choose(CWnd& w, int id, int index)
    {
        combo(w, id).SetCurSel(index);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), CBN_SELCHANGE), LPARAM(w.GetDlgItem(id)->m_hWnd));
    }
    static std::string text(CWnd& w, int id) { return w.GetDlgItem(id)->GetWindowText(); }
};

TEST_F(ChoreoDialogsTest, PickDialogBuildsReferencesAndRefusesWhatTheSearchCannotTake)
{
    struct Case {
        const char* start;
        int level;           // selection to make, -2 leaves it
        const char* name;
        const char* type;
        const char* call;
        bool pressEnter;     // Enter instead of OK
        const char* result;  // empty: the dialog stays open
        const char* box;     // the box shown, empty for none
    };
    const Case cases[] = {
        {"[choreotable]basic[choreoname][choreotype][choreocall]", 2, "Figure", "Easy", "", false,
         "[choreotable]plus[choreoname]figure[choreotype]easy[choreocall]", ""},
        {"sql=select * from c1", -2, "", "", nullptr, false, "sql=select * from c1", ""},
        {"", -2, "x", "", "Swing", false, "", "Wrong Level!"},
        {"", -2, "x", "", "Swing", true, "", "Wrong Level!"},
        {"", 0, "o'neil", "", "", false, "", "Illegal character is used. (\\, ', \" / or %)"},
        {"", 0, "a", "", "50%", false, "", "Illegal character is used. (\\, ', \" / or %)"},
        {"", 9, "", "", "Swing Thru", true, "[choreotable]c4[choreoname][choreotype][choreocall]Swing Thru", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " / " + c.name + " / " + (c.call ? c.call : "(kept)"));
        boxes.clear();
        CChoreoFromDb dlg(c.start);
        std::string shownName;
        const int result = run(dlg, CChoreoFromDb::IDD, [&](CWnd& w) {
            if (c.level != -2)
                choose(w, 1272, c.level);
            type(w, 1086, c.name);
            type(w, 1271, c.type);
            if (c.call)
                type(w, 1087, c.call);
            if (c.pressEnter) {
                MSG msg{};
                msg.hwnd = w.GetDlgItem(1086)->m_hWnd;
                msg.message = WM_KEYDOWN;
                msg.wParam = VK_RETURN;
                w.PreTranslateMessage(&msg);
            } else {
                click(w, 1097);
            }
        });
        if (c.result[0]) {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(dlg.GetResult(), c.result);
        } else {
            EXPECT_EQ(result, IDCANCEL) << "the dialog stays open";
        }
        EXPECT_EQ(boxes, c.box[0] ? std::vector<std::string>{c.box} : std::vector<std::string>{}) << "shown once";
    }
}

TEST_F(ChoreoDialogsTest, PickDialogStartsFromTheGivenSource)
{
    struct Case {
        std::string start;
        std::string level; // shown in the combo
        std::string name, type, call;
    };
    const Case cases[] = {
        {CChoreoRef::LevelQuery(3), "Plus", "", "", ""},
        {"sql=select * from basic", "", "", "", "sql=select * from basic"},
        {"[choreotable]c3a[choreoname]fig[choreotype]hard[choreocall]Swing", "Challenge 3A", "fig", "hard", "Swing"},
    };
    for (const Case& c : cases) {
        CChoreoFromDb dlg(c.start);
        run(dlg, CChoreoFromDb::IDD, [&](CWnd& w) {
            EXPECT_EQ(w.GetWindowText(), "Mirtal - Choreography from Database");
            EXPECT_EQ(combo(w, 1272).GetCount(), 10);
            const int sel = combo(w, 1272).GetCurSel();
            EXPECT_EQ(sel < 0 ? std::string() : combo(w, 1272).GetLBText(sel), c.level) << c.start;
            EXPECT_EQ(text(w, 1086), c.name);
            EXPECT_EQ(text(w, 1271), c.type);
            EXPECT_EQ(text(w, 1087), c.call);
        });
        EXPECT_EQ(dlg.GetResult(), c.start) << "Cancel keeps the start text";
    }
}

TEST_F(ChoreoDialogsTest, SaveDialogAsksBeforeOverwritingAndNamesTheLevel)
{
    CChoreoDb db;
    db.SaveEntry("c3a", "Tricky", "hard", "text", 0, 1);
    // No first: the dialog stays open with the name kept; Yes then closes it.
    boxAnswers = {IDNO, IDYES};
    CChoreoSaveToDb dlg("", CChoreoSaveToDb::kSave);
    std::string nameAfterNo;
    const int result = run(dlg, CChoreoSaveToDb::IDD, [&](CWnd& w) {
        EXPECT_EQ(w.GetWindowText(), "Mirtal - Save Choreography");
        EXPECT_TRUE(w.GetDlgItem(1086)->IsWindowEnabled());
        choose(w, 1272, 7);
        type(w, 1086, "Tricky");
        type(w, 1271, "Hard");
        click(w, 1097);
        nameAfterNo = text(w, 1086);
        click(w, 1097);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(nameAfterNo, "Tricky");
    EXPECT_EQ(boxes, (std::vector<std::string>{"Do you want to overwrite Challenge 3A - Tricky?",
                                               "Do you want to overwrite Challenge 3A - Tricky?"}));
    EXPECT_EQ(dlg.GetLevelCode(), "c3a");
    EXPECT_EQ(dlg.GetName(), "Tricky");
    EXPECT_EQ(dlg.GetType(), "Hard");

    // A new name needs no question; an empty one is refused.
    boxes.clear();
    CChoreoSaveToDb fresh("", CChoreoSaveToDb::kSave);
    EXPECT_EQ(run(fresh, CChoreoSaveToDb::IDD, [&](CWnd& w) {
        click(w, 1097);
        type(w, 1086, "new one");
        click(w, 1097);
    }), IDOK);
    EXPECT_EQ(boxes, std::vector<std::string>{"Enter a name!"});
    EXPECT_EQ(fresh.GetLevelCode(), "basic");
}

TEST_F(ChoreoDialogsTest, OpenAndDeleteTakeTheNameFromTheStoredNamesOfALevel)
{
    CChoreoDb db;
    for (const char* name : {"zeta", "Alpha", "o'neil"})
        db.SaveEntry("plus", name, "", "v", 0, 1);
    db.SaveEntry("main", "mainly", "easy", "v", 0, 1);

    CChoreoSaveToDb open("[choreotable]main[choreoname]mainly[choreotype][choreocall]", CChoreoSaveToDb::kOpen);
    run(open, CChoreoSaveToDb::IDD, [&](CWnd& w) {
        EXPECT_EQ(w.GetWindowText(), "Mirtal - Open Choreography");
        EXPECT_FALSE(w.GetDlgItem(1086)->IsWindowEnabled());
        EXPECT_FALSE(w.GetDlgItem(1271)->IsWindowVisible());
        EXPECT_EQ(text(w, 1086), "mainly");
        EXPECT_EQ(combo(w, 1272).GetCurSel(), 1);
        choose(w, 1272, 2);
        CComboBox& names = combo(w, 1273);
        ASSERT_EQ(names.GetCount(), 3);
        EXPECT_EQ(names.GetLBText(0), "alpha");
        EXPECT_EQ(names.GetLBText(1), "o'neil") << "shown as typed, not in its stored form";
        EXPECT_EQ(names.GetLBText(2), "zeta");
        EXPECT_EQ(text(w, 1086), "mainly") << "selecting in code copies nothing";
        choose(w, 1273, 1);
        EXPECT_EQ(text(w, 1086), "o'neil");
        click(w, 1097);
    });
    EXPECT_EQ(open.GetLevelCode(), "plus");
    EXPECT_EQ(open.GetName(), "o'neil");
    // The name chosen opens the stored choreography.
    EXPECT_EQ(db.GetEntryValue(CChoreoRef(open.GetLevelCode(), open.GetName(), "", "").GetEncoded(), 1), "v");

    boxAnswers = {IDNO};
    CChoreoSaveToDb del("[choreotable]plus[choreoname]zeta[choreotype][choreocall]", CChoreoSaveToDb::kDelete);
    EXPECT_EQ(run(del, CChoreoSaveToDb::IDD, [&](CWnd& w) {
        EXPECT_EQ(w.GetWindowText(), "Mirtal - Delete Choreography");
        click(w, 1097);
    }), IDCANCEL);
    EXPECT_EQ(boxes.back(), "Do you want to delete Plus - zeta?");
}

TEST_F(ChoreoDialogsTest, LevelPickerGivesTheChosenCodeAndBasicUntouched)
{
    for (const auto& [radio, code] : std::vector<std::pair<int, std::string>>{{-1, "basic"}, {1143, "c3a"}, {1145, "c4"}}) {
        CSelectLevel picker;
        EXPECT_EQ(run(picker, CSelectLevel::IDD, [&, r = radio](CWnd& w) {
            EXPECT_EQ(w.GetWindowText(), "Mirtal - Select Level");
            if (r > 0)
                click(w, r);
            click(w, 1270);
        }), IDOK);
        EXPECT_EQ(picker.GetLevelCode(), code);
    }
}

TEST_F(ChoreoDialogsTest, FolderImportAsksTheLevelPickerAndACancelImportsNothing)
{
    testsupport::TempDir texts;
    testsupport::writeFile(texts.file("Girl's Turn.txt"), "Heads square thru\nswing\n");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        if (r.folder)
            return std::vector<std::string>{texts.str()};
        return std::nullopt;
    });
    CChoreoDb db;
    // Cancelled picker: nothing.
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest&) -> std::optional<int> { return IDCANCEL; });
    CDialogImportChooser chooser;
    EXPECT_EQ(db.ImportTextFolder(chooser), 0);
    // Plus chosen: the file is an entry of Plus that opens and searches again.
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.dialogId != CSelectLevel::IDD)
            return std::nullopt;
        q.window->SendMessage(WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), LPARAM(q.window->GetDlgItem(1138)->m_hWnd));
        q.window->SendMessage(WM_COMMAND, MAKEWPARAM(1270, BN_CLICKED), LPARAM(q.window->GetDlgItem(1270)->m_hWnd));
        return IDCANCEL;
    });
    EXPECT_EQ(db.ImportTextFolder(chooser), 1);
    win::SetFileDialogAnswerer({});
    EXPECT_EQ(db.GetEntryValue(CChoreoRef("plus", "girl's turn", "", "").GetEncoded(), 1),
              "Heads square thru<br>swing<br>");
    EXPECT_EQ(db.Search(CChoreoRef("plus", "girl's", "", "").GetEncoded(), 1).RowCount(), 1);
}

} // namespace
