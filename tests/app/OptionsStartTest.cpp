// A first start in an empty data folder gives every setting of the Options
// pages its construction value; the main window re-applies what the pages
// wrote after OK.
#include "ServicesFixture.h"

#include "options/OptionChoreo.h"
#include "options/OptionHotkeys.h"
#include "options/OptionLyrics.h"
#include "options/OptionMusic.h"
#include "options/OptionSeed.h"
#include "platform/win/Menu.h"
#include "store/AppGlobals.h"

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <set>

namespace fs = std::filesystem;

namespace servicestest {
namespace {

const fs::path kStartFolder = fs::current_path();

fs::path screenshot(const std::string& name)
{
    const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
    return (out ? fs::path(out) : kStartFolder) / name;
}

class OptionsStartTest : public ServicesTest {
protected:
    // Starts the program as a user does: no database yet, a first run.
    void startFresh()
    {
        g_baseFolder = dir.str();
        dlg = std::make_unique<CMirtalDlg>();
        ASSERT_TRUE(dlg->Create(CMirtalDlg::IDD));
        ASSERT_TRUE(waitFor([&] { return dlg->IsFirstPaintDone() || dlg->StartupFailed(); }, testsupport::kStartWaitMs));
        ASSERT_FALSE(dlg->StartupFailed());
    }
    std::map<std::string, std::string> rows(const std::string& table)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        CppSQLite3Table t = db.GetTable("SELECT name, value FROM " + table + ";");
        std::map<std::string, std::string> out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            out[std::string(table) + ":" + t.FieldTextOr(0, "")] = t.FieldTextOr(1, "");
        }
        db.Close();
        return out;
    }
    std::map<std::string, std::string> allRows()
    {
        auto all = rows("ini");
        for (const char* t : {"stylesheet", "hotkeys"})
            for (auto& [k, v] : rows(t))
                all[k] = v;
        return all;
    }
};

TEST_F(OptionsStartTest, AFreshStartHoldsEveryPageKeyAtItsConstructionValue)
{
    startFresh();
    const auto started = allRows();

    // What the four pages store after Default: their construction values.
    const auto defaultThenOk = [](CWnd* w) {
        w->SendMessage(WM_COMMAND, 1099, 0);
        w->SendMessage(WM_COMMAND, 1097, 0);
        return static_cast<CDialog*>(w)->GetDialogResult();
    };
    for (UINT id : {UINT(COptionMusic::IDD), UINT(COptionLyrics::IDD), UINT(COptionChoreo::IDD),
                    UINT(COptionHotkeys::IDD)})
        dialogAnswers[id] = defaultThenOk;
    for (UINT command : {32785u, 32853u, 32786u, 32813u})
        dlg->SendMessage(WM_COMMAND, command, 0);
    const auto defaults = allRows();

    // Rows the store's own start writes (its upgrade steps and the default paths of a first run) keep the
    // store's values; every other key the pages write starts at its construction value.
    std::set<std::string> storeRows;
    {
        testsupport::TempDir other;
        g_baseFolder = other.str();
        testsupport::ScopedCwd in(other.path());
        CMusicDb store;
        store.Init();
        for (const char* t : {"ini", "stylesheet", "hotkeys"})
            for (const std::string& n : store.GetRowNames(t, 1))
                storeRows.insert(std::string(t) + ":" + n);
        g_baseFolder = dir.str();
    }
    // The keys of the pages (the seeding's table names them; the values come from the pages above).
    std::set<std::string> pageKeys;
    for (const auto& v : options::ConstructionTable(dir.str(), 96))
        pageKeys.insert((v.table == options::Table::Style ? "stylesheet:" : "ini:") + v.key);
    for (const auto& [key, function] : options::HotkeyConstruction())
        pageKeys.insert("hotkeys:" + key);
    size_t compared = 0;
    for (const std::string& key : pageKeys) {
        if (!defaults.count(key))
            continue; // not shown by a page (the few other settings of a first start)
        if (!started.count(key)) {
            ADD_FAILURE() << key << " has no row after the start";
            continue;
        }
        if (storeRows.count(key))
            continue;
        ++compared;
        EXPECT_EQ(started.at(key), defaults.at(key)) << key;
    }
    EXPECT_GT(compared, 1000u);

    // The seeding is the same table: nothing it knows is missing, and a second start adds nothing.
    for (const auto& v : options::ConstructionTable(dir.str(), 96))
        EXPECT_TRUE(started.count((v.table == options::Table::Style ? "stylesheet:" : "ini:") + v.key)) << v.key;
    CMusicDb db;
    EXPECT_EQ(options::SeedSettings(db, dir.str(), 96), 0);
}

TEST_F(OptionsStartTest, AFreshStartIsReadableAndNamesTheLevels)
{
    startFresh();
    EXPECT_EQ(g_dlgColorR, 212);
    EXPECT_EQ(g_dlgColorG, 212);
    EXPECT_EQ(g_dlgColorB, 212);
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Basic");
    const char* names[10] = {"Basic",      "Mainstream", "Plus",        "Advance1",    "Advance2",
                             "Challenge1", "Challenge2", "Challenge3A", "Challenge3B", "Challenge4"};
    for (UINT i = 0; i < 10; ++i) {
        std::string item;
        dlg->GetMenu()->GetMenuString(32787 + i, item, MF_BYCOMMAND);
        EXPECT_EQ(item, names[i]);
        const char* codes[10] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};
        EXPECT_EQ(setting(std::string(codes[i]) + " - levelname"), std::string("Mirtal - ") + names[i]);
    }
    EXPECT_EQ(setting("general - showcallssec"), "10");

    // Screenshots: the About box in the dialog colour, the main window and the Change Program menu.
    dialogAnswers[100] = [](CWnd* w) {
        w->ShowWindow(SW_SHOW);
        QApplication::processEvents();
        EXPECT_TRUE(w->frameWidget()->grab().toImage().save(QString::fromStdString(screenshot("about-fresh.png").string())));
        return IDOK;
    };
    dlg->SendMessage(WM_COMMAND, 32802, 0);
    EXPECT_TRUE(dlg->frameWidget()->grab().toImage().save(QString::fromStdString(screenshot("main-fresh.png").string())));
    QMenu* levels = nullptr;
    for (int i = 0; CMenu* sub = dlg->GetMenu()->GetSubMenu(i); ++i)
        if (sub->qmenu() && sub->qmenu()->title().contains("Change Program"))
            levels = sub->qmenu();
    ASSERT_NE(levels, nullptr);
    levels->ensurePolished();
    levels->adjustSize();
    EXPECT_TRUE(levels->grab().toImage().save(QString::fromStdString(screenshot("change-program-fresh.png").string())));
}

TEST_F(OptionsStartTest, AfterOkTheMainWindowTakesWhatThePagesWrote)
{
    startFresh();
    // Choreography: a new level name reaches the menu and the title.
    dialogAnswers[COptionChoreo::IDD] = [](CWnd* w) {
        auto* page = static_cast<COptionChoreo*>(w);
        page->m_levelGroups[0]->GetSubItem(1)->SetValue(COleVariant("Mirtal - Basic Club"));
        page->m_stylesheetGroup->GetSubItem(0)->SetValue(COleVariant("Arial"));
        w->SendMessage(WM_COMMAND, 1097, 0);
        return page->GetDialogResult();
    };
    dlg->SendMessage(WM_COMMAND, 32786, 0);
    EXPECT_EQ(dlg->GetWindowText(), "Mirtal - Basic Club");
    std::string item;
    dlg->GetMenu()->GetMenuString(32787, item, MF_BYCOMMAND);
    EXPECT_EQ(item, "Basic Club");
    EXPECT_NE(testsupport::readFile(dir.str() + "/cuesheetchoreo.css").find("Arial"), std::string::npos);

    // Music: the background colour and the re-read settings.
    dialogAnswers[COptionMusic::IDD] = [](CWnd* w) {
        auto* page = static_cast<COptionMusic*>(w);
        static_cast<CMFCPropertyGridColorProperty*>(page->m_generalGroup->GetSubItem(1))->ChooseColor(RGB(1, 2, 3));
        page->m_musicGroup->GetSubItem(0)->SetValue(COleVariant("Songs"));
        w->SendMessage(WM_COMMAND, 1097, 0);
        return page->GetDialogResult();
    };
    dlg->SendMessage(WM_COMMAND, 32785, 0);
    EXPECT_EQ(g_dlgColorB, 3);
    TabCtrlComplex& tabs = dlg->TabControl();
    EXPECT_EQ(tabs.GetTabText(tabs.GetTab(0)), "Songs");

    // Hotkeys: the main window's table is read again.
    dialogAnswers[COptionHotkeys::IDD] = [](CWnd* w) {
        auto* page = static_cast<COptionHotkeys*>(w);
        page->m_hotkeysGroup->GetSubItem(0)->SetValue(COleVariant("View Tags"));
        w->SendMessage(WM_COMMAND, 1097, 0);
        return page->GetDialogResult();
    };
    dlg->SendMessage(WM_COMMAND, 32813, 0);
    CMusicDb db;
    EXPECT_EQ(db.GetHotkey("a", 1), 77);
    EXPECT_EQ(dlg->GetHotkeyEntry(0), 77) << "the main window's table, key A";
}

} // namespace
} // namespace servicestest
