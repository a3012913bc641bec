#pragma once
// A data folder with a current main database for one test, the worker that
// imports into it, and small helpers to write old files and read tables back.
#include "common/TestSupport.h"
#include "import/ImportOldWorker.h"
#include "platform/win/MessageBox.h"
#include "store/CppSQLite3.h"
#include "store/MusicDb.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace importtest {

class ImportTest : public ::testing::Test {
protected:
    ImportTest() : m_cwd(dir.path()), m_savedBase(g_baseFolder) { g_baseFolder = dir.str(); }
    ~ImportTest() override { g_baseFolder = m_savedBase; }

    void SetUp() override
    {
        CMusicDb db;
        db.Init();
        win::ClearMessageBoxLog();
    }

    // An old file in the data folder, written byte for byte.
    std::string oldFile(const std::string& name, const std::string& bytes)
    {
        testsupport::writeFile(dir.file(name), bytes);
        return dir.file(name);
    }

    // An old database made from SQL text.
    std::string oldDb(const std::string& sql, const std::string& name = "old.db")
    {
        CppSQLite3DB db;
        db.Open(dir.file(name));
        db.Execute(sql);
        return dir.file(name);
    }

    void exec(const std::string& sql)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        db.Execute(sql);
    }

    // Every row of a query on mirtal.db, its fields joined by "|".
    std::vector<std::string> rows(const std::string& sql)
    {
        CppSQLite3DB db;
        db.Open(dir.file("mirtal.db"));
        CppSQLite3Table t = db.GetTable(sql);
        std::vector<std::string> out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            std::string row;
            for (int f = 0; f < t.FieldCount(); ++f) {
                if (f)
                    row += '|';
                row += t.FieldTextOr(f, "<null>");
            }
            out.push_back(row);
        }
        return out;
    }

    std::string setting(const std::string& name)
    {
        CMusicDb db;
        return db.GetSetting(name, 1);
    }
    bool hasSetting(const std::string& name)
    {
        return !rows("SELECT value FROM ini WHERE name='" + CDbAccess::Sql(name) + "';").empty();
    }

    std::vector<std::string> boxTexts()
    {
        std::vector<std::string> out;
        for (const auto& r : win::MessageBoxLog())
            out.push_back(r.text);
        return out;
    }

    testsupport::TempDir dir;
    CImportOldWorker worker;

private:
    testsupport::ScopedCwd m_cwd;
    std::string m_savedBase;
};

} // namespace importtest
