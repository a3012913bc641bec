// CMusicDb: the scratch table of the legacy settings import, the removal of a
// song's settings row, and the resets of single tables.
#include "store/MusicDb.h"

#include <utility>

void CMusicDb::AddTempRow(const std::string& section, const std::string& key, const std::string& value, int own)
{
    const std::string s = Sql(m_fn.EscapeSql(section));
    const std::string k = Sql(m_fn.EscapeSql(key));
    const std::string v = Sql(m_fn.EscapeSql(value));
    const std::string insert = "insert into temp values ('" + s + "','" + k + "','" + v + "');";
    Run(own, [&](CppSQLite3DB& db) {
        if (!own) {
            db.Execute(insert);
            return;
        }
        // A single call keeps the first key of each section only.
        CppSQLite3Table t = db.GetTable("SELECT * FROM temp WHERE key='" + s + "';");
        if (t.RowCount() == 0)
            db.Execute(insert);
    });
}

std::string CMusicDb::GetTempValue(const std::string& section, const std::string& key, int own)
{
    const std::string stored = Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable("SELECT value FROM temp WHERE key='" + Sql(section) + "' AND name='" +
                                        Sql(key) + "';");
        if (t.RowCount() < 1)
            return std::string();
        t.SetRow(0);
        return std::string(t.FieldTextOr(0, ""));
    });
    return m_fn.UnescapeSql(stored);
}

bool CMusicDb::FindTempValue(const std::string& section, const std::string& key, std::string& value, int own)
{
    const auto found = Run(own, [&](CppSQLite3DB& db) -> std::pair<bool, std::string> {
        CppSQLite3Table t = db.GetTable("SELECT value FROM temp WHERE key='" + Sql(section) + "' AND name='" +
                                        Sql(key) + "';");
        if (t.RowCount() < 1)
            return {false, std::string()};
        t.SetRow(0);
        return {true, std::string(t.FieldTextOr(0, ""))};
    });
    value = m_fn.UnescapeSql(found.second);
    return found.first;
}

void CMusicDb::DeleteMusicRow(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable("SELECT * FROM music WHERE path='" + p + "';");
        if (t.RowCount() > 0)
            db.Execute("DELETE from music WHERE path='" + p + "';");
    });
}

void CMusicDb::DropTablesAndRecreate(std::initializer_list<const char*> tables)
{
    {
        CppSQLite3DB db;
        OpenLocal(db);
        for (const char* table : tables)
            if (db.TableExists(table))
                db.Execute(std::string("drop table ") + table + ";");
    }
    CreateSchema();
}

void CMusicDb::ResetTrack() { DropTablesAndRecreate({"track"}); }
void CMusicDb::ResetMusicMarkers() { DropTablesAndRecreate({"musicmarkers"}); }
void CMusicDb::ResetMarks() { DropTablesAndRecreate({"markext1", "markext2", "markext3"}); }
void CMusicDb::ResetFlags() { DropTablesAndRecreate({"flag"}); }
void CMusicDb::ResetEqPresets() { DropTablesAndRecreate({"eq"}); }
void CMusicDb::ResetMarriages() { DropTablesAndRecreate({"marry"}); }
void CMusicDb::ResetQueuedFiles() { DropTablesAndRecreate({"queuedfiles"}); }
void CMusicDb::ResetMemory() { DropTablesAndRecreate({"memory"}); }
void CMusicDb::ResetTemp() { DropTablesAndRecreate({"temp"}); }
void CMusicDb::ResetMusic() { DropTablesAndRecreate({"music"}); }
