#pragma once
// The record picker, the cue-sheet editor and the record search on their own
// data folder with a small record catalogue in utility.db; the boxes shown and
// the command codes sent to the main window are collected.
#include "common/CommandSink.h"
#include "common/TestSupport.h"
#include "store/AppGlobals.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Display.h"
#include "platform/win/ListCtrl.h"
#include "platform/win/MessageBox.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace recordtest {

using testsupport::CommandSink;

struct Record {
    std::string label, title, caller, company, cuesheet;
};

class RecordWindowsTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};
    CommandSink mainWnd;
    std::vector<std::string> boxes;
    int savedTooltips = g_tooltipsOn;

    void SetUp() override
    {
        g_baseFolder = dir.str();
        g_largeLayout = 0;
        g_tooltipsOn = 1;
        g_dlgColorR = 200;
        g_dlgColorG = 220;
        g_dlgColorB = 240;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind != win::DialogKind::MessageBox)
                return std::nullopt;
            boxes.push_back(q.text);
            return IDOK;
        });
        CMusicDb().Init();
        CUtilityDb().Init();
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700), nullptr, 0));
        g_mainWnd = mainWnd.m_hWnd;
    }
    void TearDown() override
    {
        g_mainWnd = nullptr;
        g_tooltipsOn = savedTooltips;
        mainWnd.DestroyWindow();
        win::SetDisplayOverride(std::nullopt);
        win::SetMessageBoxAnswerer({});
        win::SetFileDialogAnswerer({});
    }

    // Titles and callers go in escaped, as the catalogue import stores them.
    void addRecords(const std::vector<Record>& records)
    {
        const MyFunctions fn;
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        for (const Record& r : records) {
            db.Execute("insert into sqrecord values('" + quote(r.label) + "','" + quote(fn.EscapeSql(r.title)) + "','" +
                       quote(fn.EscapeSql(r.caller)) + "','" + quote(r.company) + "','" + quote(r.label + " - " + r.title) +
                       "','" + quote(r.cuesheet.empty() ? "[no]" : r.cuesheet) + "');");
        }
    }
    void addCallers(const std::vector<std::string>& callers)
    {
        CppSQLite3DB db;
        db.Open(dir.file("utility.db"));
        for (const std::string& c : callers)
            db.Execute("insert into caller values('" + quote(MyFunctions().EscapeSql(c)) + "');");
    }
    static std::string quote(const std::string& text)
    {
        std::string out;
        for (const char c : text) {
            out += c;
            if (c == '\'')
                out += c;
        }
        return out;
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
    // A notification of a list control, as the list sends it.
    static void notify(CWnd& w, int id, UINT code, int item = -1, int subItem = 0)
    {
        NMLISTVIEW nm{};
        nm.hdr.hwndFrom = w.GetDlgItem(id)->m_hWnd;
        nm.hdr.idFrom = UINT_PTR(id);
        nm.hdr.code = code;
        nm.iItem = item;
        nm.iSubItem = subItem;
        w.SendMessage(WM_NOTIFY, WPARAM(id), LPARAM(&nm));
    }
    // Keeps a picture of the window where the tests run (or in MIRTAL_SCREENSHOT_DIR).
    static void shoot(CWnd& w, const std::string& name)
    {
        const QImage shot = w.widget()->grab().toImage();
        const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
        shot.save(QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + name));
        EXPECT_FALSE(shot.isNull());
    }
};

} // namespace recordtest
