#pragma once
// A data folder for the choreography and utility databases, and a chooser
// that answers the imports' questions as the test set it up.
#include "StoreFixture.h"
#include "store/ImportChooser.h"

#include <string>
#include <vector>

namespace storetest {

class FakeChooser : public CImportChooser {
public:
    std::string folder, file, level;
    std::vector<std::string> asked; // "folder", "file <ext> <filter>", "level", in order

    std::string ChooseFolder() override
    {
        asked.push_back("folder");
        return folder;
    }
    std::string ChooseFile(const std::string& defaultExt, const std::string& filter) override
    {
        asked.push_back("file " + defaultExt + " " + filter);
        return file;
    }
    std::string ChooseLevel() override
    {
        asked.push_back("level");
        return level;
    }
};

using Rows = std::vector<std::vector<std::string>>;

// A data folder with queries on one database file of it.
class DbFolder : public DataFolder {
protected:
    explicit DbFolder(std::string fileName) : m_fileName(std::move(fileName)) {}

    // Every row of a query, NULL fields as "<null>".
    Rows Query(const std::string& sql)
    {
        CppSQLite3DB db;
        Open(db, m_fileName);
        CppSQLite3Table t = db.GetTable(sql);
        return RowsOf(t);
    }
    // The first column of every row.
    std::vector<std::string> Col(const std::string& sql)
    {
        std::vector<std::string> out;
        for (const auto& row : Query(sql))
            out.push_back(row.at(0));
        return out;
    }
    void Run(const std::string& sql)
    {
        CppSQLite3DB db;
        Open(db, m_fileName);
        db.Execute(sql);
    }
    // The rows of a result table, for results the object hands out.
    static Rows RowsOf(CppSQLite3Table& t)
    {
        Rows rows;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            std::vector<std::string> row;
            for (int f = 0; f < t.FieldCount(); ++f)
                row.push_back(t.FieldTextOr(f, "<null>"));
            rows.push_back(row);
        }
        return rows;
    }

private:
    std::string m_fileName;
};

// The stored forms of an apostrophe and a double quote.
inline const std::string kApos = "[\xC2\xA4]";
inline const std::string kQuote = "[\xC2\xA3]";

} // namespace storetest
