// CMusicDb: the player's saved queue (table queuedfiles) and the memory list (table memory).
#include "store/MusicDb.h"

void CMusicDb::ClearQueuedFiles(int own)
{
    Run(own, [](CppSQLite3DB& db) { db.Execute("DELETE from queuedfiles;"); });
}

void CMusicDb::AddQueuedFile(const std::string& name, const std::string& path, const std::string& type,
                             const std::string& lyrics, int list, int row, int naming, int nr, int own)
{
    const std::string insert = "insert into queuedfiles values ('" + Sql(m_fn.EscapeSql(name)) + "','" +
                               Sql(m_fn.EscapeSql(path)) + "','" + Sql(m_fn.EscapeSql(type)) + "','" +
                               Sql(m_fn.EscapeSql(lyrics)) + "'," + m_fn.IntToString(list) + "," +
                               m_fn.IntToString(row) + "," + m_fn.IntToString(naming) + "," + m_fn.IntToString(nr) +
                               ");";
    Run(own, [&](CppSQLite3DB& db) { db.Execute(insert); });
}

CppSQLite3Table CMusicDb::GetQueuedFiles(int own)
{
    // Rows come back in the order they were inserted, which is the queue's order.
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM queuedfiles;"); });
}

void CMusicDb::AddMemory(const std::string& entry, int own)
{
    const std::string e = Sql(m_fn.EscapeSql(entry));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable("SELECT * FROM memory WHERE szpath='" + e + "';").RowCount() == 0)
            db.Execute("insert into memory values('" + e + "');");
    });
}

CppSQLite3Table CMusicDb::GetMemory(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM memory;"); });
}

void CMusicDb::DeleteMemory(const std::string& entry, int own)
{
    const std::string e = Sql(m_fn.EscapeSql(entry));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable("SELECT * FROM memory WHERE szpath='" + e + "';").RowCount() > 0)
            db.Execute("DELETE from memory WHERE szpath='" + e + "';");
    });
}
