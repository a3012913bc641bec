#pragma once
// A data folder for one test: a temporary folder made the data folder
// (g_baseFolder), with the working directory and the old data folder put
// back afterwards.
#include "common/TestSupport.h"
#include "store/CppSQLite3.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace storetest {

class DataFolder : public ::testing::Test {
protected:
    DataFolder() : m_cwd(std::filesystem::current_path()), m_savedBase(g_baseFolder)
    {
        g_baseFolder = dir.str();
        m_savedFormat = g_listDefFormatHtml;
    }
    ~DataFolder() override
    {
        g_baseFolder = m_savedBase;
        g_listDefFormatHtml = m_savedFormat;
    }

    // A connection of the test's own to a file of the data folder.
    void Open(CppSQLite3DB& db, const std::string& name = "mirtal.db") { db.Open(dir.file(name)); }

    // The first column of every row of a query on mirtal.db.
    std::vector<std::string> Column(const std::string& sql)
    {
        CppSQLite3DB db;
        Open(db);
        CppSQLite3Table t = db.GetTable(sql);
        std::vector<std::string> out;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            out.push_back(t.FieldTextOr(0, "<null>"));
        }
        return out;
    }

    int Count(const std::string& sql)
    {
        CppSQLite3DB db;
        Open(db);
        return db.QueryScalar(sql);
    }

    void Exec(const std::string& sql)
    {
        CppSQLite3DB db;
        Open(db);
        db.Execute(sql);
    }

    testsupport::TempDir dir;

private:
    testsupport::ScopedCwd m_cwd;
    std::string m_savedBase;
    int m_savedFormat = 0;
};

} // namespace storetest
