// CUtilityDb: the calls lists, imported from a grouped text list and read level by level.
#include "store/UtilityDb.h"

#include "platform/win/MessageBox.h"
#include "store/ImportChooser.h"
#include "store/UtilityDbDetail.h"

bool CUtilityDb::ImportCallsList(CImportChooser& chooser)
{
    const std::string path = chooser.ChooseFile("dat", "Data files (*.dat)|*.dat|All Files (*.*)|*.*||");
    if (path.empty())
        return false;
    std::vector<std::string> lines;
    if (!utilitydb::ReadTextLines(path, lines)) {
        AfxMessageBox("Can't read the calls list " + path + ".\nThe calls are unchanged.", MB_ICONEXCLAMATION);
        return false;
    }

    {
        // Dropped and filled in one transaction: a failure leaves the old calls.
        CppSQLite3DB db;
        OpenLocal(db);
        db.Execute("PRAGMA synchronous = 1");
        db.Execute("BEGIN");
        if (db.TableExists("calls"))
            db.Execute("drop table calls;");
        CreateMissingTables(db);
        std::string group;
        for (const std::string& raw : lines) {
            const std::string line = utilitydb::TrimRight(raw);
            if (!line.empty() && line[0] == '[') {
                group = line.size() > 1 ? line.substr(1, line.size() - 2) : std::string();
                continue;
            }
            db.Execute("insert into calls values('" + Sql(group) + "','" + Sql(m_fn.EscapeSql(line)) + "');");
        }
        db.Execute("create index idx_calls on calls (level);");
        db.Execute("COMMIT");
    }
    StampVersion();
    return true;
}

CppSQLite3Table CUtilityDb::GetCallsOfLevel(const std::string& level, int own)
{
    const std::string sql = "SELECT DISTINCT* FROM calls WHERE level LIKE '%" + Sql(level) + "%';";
    return Run(own, [&](CppSQLite3DB& db) { return db.GetTable(sql); });
}
