#pragma once
// A data folder with a fresh mirtal.db (the current directory while the test
// runs); the Options pages run modally and are answered by the test, which
// gets the initialised page. Writes to ini, stylesheet and hotkeys are
// recorded by triggers in the same transaction, so a rolled-back save leaves
// no record either.
#include "common/TestSupport.h"
#include "options/OptionPage.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace optionstest {

class OptionsTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::unique_ptr<testsupport::ScopedCwd> cwd;
    std::function<int(COptionPage&)> answer;
    std::vector<std::string> boxes;

    void SetUp() override
    {
        cwd = std::make_unique<testsupport::ScopedCwd>(dir.path());
        g_baseFolder = dir.str();
        // The start reads the seeded dialog colour before any page opens.
        g_dlgColorR = g_dlgColorG = g_dlgColorB = 212;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        {
            CMusicDb db;
            db.Init();
        }
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::Dialog) {
                if (answer)
                    return answer(*static_cast<COptionPage*>(r.window));
                return IDCANCEL;
            }
            boxes.push_back(r.text);
            return IDOK;
        });
    }

    void TearDown() override
    {
        win::SetMessageBoxAnswerer({});
        win::SetColorDialogAnswerer({});
        win::SetFontDialogAnswerer({});
        win::SetDisplayOverride(std::nullopt);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        cwd.reset();
    }

public:
    template <class Page>
    int run(std::function<int(Page&)> f)
    {
        answer = [f](COptionPage& p) { return f(static_cast<Page&>(p)); };
        Page page;
        const int result = int(page.DoModal());
        answer = nullptr;
        return result;
    }
protected:
    // Presses a button of the page and answers what the page ended with (-1: still open).
    static int press(COptionPage& page, UINT id)
    {
        page.SendMessage(WM_COMMAND, id, 0);
        return page.GetDialogResult() == -1 ? IDCANCEL : page.GetDialogResult();
    }

    void exec(const std::string& sql)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute(sql);
        db.Close();
    }
    void set(const std::string& key, const std::string& value)
    {
        CMusicDb db;
        db.SetSetting(key, value, 1);
    }
    std::string setting(const std::string& key)
    {
        CMusicDb db;
        return db.GetSetting(key, 1);
    }
    void setStyle(const std::string& key, const std::string& value)
    {
        CMusicDb db;
        db.SetStyle(key, value, 1);
    }
    std::string style(const std::string& key)
    {
        CMusicDb db;
        return db.GetStyle(key, 1);
    }

    // Records every write to the three settings tables as "table:name".
    void recordWrites()
    {
        exec("CREATE TABLE written(tbl TEXT, name TEXT);");
        for (const char* t : {"ini", "stylesheet", "hotkeys"})
            for (const char* when : {"INSERT", "UPDATE"})
                exec(std::string("CREATE TRIGGER w_") + t + "_" + when + " AFTER " + when + " ON " + t +
                     " BEGIN INSERT INTO written VALUES('" + t + "', NEW.name); END;");
    }
    std::vector<std::string> written()
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        CppSQLite3Table t = db.GetTable("SELECT tbl, name FROM written ORDER BY rowid;");
        std::vector<std::string> out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            out.push_back(std::string(t.FieldTextOr(0, "")) + ":" + t.FieldTextOr(1, ""));
        }
        db.Close();
        return out;
    }
    // Makes every write of one key fail.
    void failOn(const std::string& table, const std::string& key)
    {
        for (const char* when : {"INSERT", "UPDATE"})
            exec(std::string("CREATE TRIGGER fail_") + when + " BEFORE " + when + " ON " + table +
                 " WHEN NEW.name='" + key + "' BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
    }

    // The whole of a table as name -> value.
    std::map<std::string, std::string> table(const std::string& name)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        CppSQLite3Table t = db.GetTable("SELECT name, value FROM " + name + ";");
        std::map<std::string, std::string> out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            out[t.FieldTextOr(0, "")] = t.FieldTextOr(1, "");
        }
        db.Close();
        return out;
    }

    static void key(QWidget* w, Qt::Key k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }
    static QTreeWidget* tree(COptionPage& page)
    {
        return page.Grid().widget()->findChild<QTreeWidget*>("propertyTree");
    }
    static CMFCPropertyGridProperty* row(CMFCPropertyGridProperty* group, int index)
    {
        return group ? group->GetSubItem(index) : nullptr;
    }
};

} // namespace optionstest
