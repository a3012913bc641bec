// CMusicDb: the marked songs of the three song lists, tables markext1..markext3.
#include "store/MusicDb.h"

#include "store/Transaction.h"

void CMusicDb::AddMark(int list, const std::string& path, int row, const std::string& playlist, int own)
{
    const std::string table = list == 1 ? "markext1" : list == 2 ? "markext2" : "markext3";
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string l = Sql(m_fn.EscapeSql(playlist));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable("SELECT * FROM " + table + " WHERE path='" + p + "' and playlist='" + l + "';").RowCount() == 0)
            db.Execute("insert into " + table + " values ('" + p + "', " + m_fn.IntToString(row) + ", '" + l + "');");
    });
}

void CMusicDb::DeleteMarks(int list, const std::string& path, int usePlaylist, const std::string& playlist, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string l = Sql(m_fn.EscapeSql(playlist));
    std::string sql = "DELETE FROM markext" + m_fn.IntToString(list);
    if (!p.empty() && usePlaylist)
        sql += " where path= '" + p + "' and playlist='" + l + "';";
    else if (!p.empty())
        sql += " where path= '" + p + "';";
    else if (usePlaylist)
        sql += " where playlist='" + l + "';";
    else
        sql += ";"; // every mark of the list
    m_fn.EnterDataFolder();
    Run(own, [&](CppSQLite3DB& db) { db.Execute(sql); });
}

bool CMusicDb::IsMarked(const std::string& path, int list, int usePlaylist, const std::string& playlist, int own)
{
    // Only whether a row exists matters: the path alone is read, straight from the index.
    std::string sql = "SELECT path FROM markext" + m_fn.IntToString(list) + " WHERE path='" + Sql(m_fn.EscapeSql(path)) + "'";
    if (usePlaylist)
        sql += " and playlist='" + Sql(m_fn.EscapeSql(playlist)) + "'";
    sql += ";";
    return Run(own, [&](CppSQLite3DB& db) { return db.GetTable(sql).RowCount() > 0; });
}

void CMusicDb::MigrateOldMarks()
{
    CppSQLite3DB db;
    OpenLocal(db);
    for (int n = 1; n <= 3; ++n) {
        const std::string old = "mark" + std::to_string(n);
        if (!db.TableExists(old))
            continue;
        // All or nothing per table, so a failed move is not repeated into duplicates next time.
        store::InTransaction(db, [&](CppSQLite3DB& d) {
            CppSQLite3Table t = d.GetTable("SELECT DISTINCT path FROM " + old + ";");
            for (int r = 0; r < t.RowCount(); ++r) {
                t.SetRow(r);
                d.Execute("insert into markext" + std::to_string(n) + " values ('" + Sql(t.FieldTextOr(0, "")) +
                          "', 0, '');");
            }
            d.Execute("drop table " + old + ";");
        });
    }
}
