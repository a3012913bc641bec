// CMusicDb: flagged songs (table flag) and named equalizer settings (table eq).
#include "store/MusicDb.h"

#include "store/PlayerGlobals.h"

namespace {

std::string selectFlag(const std::string& quotedPath) { return "SELECT * FROM flag WHERE path='" + quotedPath + "';"; }
std::string selectPreset(const std::string& quotedName) { return "SELECT * FROM eq WHERE name='" + quotedName + "';"; }

} // namespace

void CMusicDb::SetFlag(const std::string& path, const std::string& value, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    Run(own, [&](CppSQLite3DB& db) {
        // The player's "flag this song": a second press takes the flag away again.
        if (db.GetTable(selectFlag(p)).RowCount() > 0)
            db.Execute("DELETE from flag WHERE path='" + p + "';");
        else
            db.Execute("insert into flag values ('" + p + "','" + Sql(value) + "');");
    });
}

void CMusicDb::SetFlagValue(const std::string& path, const std::string& value, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string v = Sql(value);
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable(selectFlag(p)).RowCount() > 0)
            db.Execute("UPDATE flag SET value='" + v + "' WHERE path='" + p + "';");
        else
            db.Execute("insert into flag values ('" + p + "','" + v + "');");
    });
}

void CMusicDb::DeleteFlag(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable(selectFlag(p)).RowCount() > 0)
            db.Execute("DELETE from flag WHERE path='" + p + "';");
    });
}

int CMusicDb::GetFlag(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    return Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable(selectFlag(p));
        if (t.RowCount() < 1)
            return 0;
        t.SetRow(0);
        return t.FieldInt(1, 0);
    });
}

CppSQLite3Table CMusicDb::GetAllFlags(int own)
{
    return Run(own, [&](CppSQLite3DB& db) { return db.GetTable("SELECT path, value FROM flag;"); });
}

void CMusicDb::SaveEqPreset(const std::string& name, int own)
{
    const std::string n = Sql(m_fn.EscapeSql(name));
    const std::string b1 = m_fn.IntToString(g_eqBass);
    const std::string b2 = m_fn.IntToString(g_eqMid);
    const std::string b3 = m_fn.IntToString(g_eqTreble);
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable(selectPreset(n)).RowCount() > 0)
            db.Execute("UPDATE eq SET eq1='" + b1 + "', eq2='" + b2 + "', eq3='" + b3 + "' WHERE name='" + n + "';");
        else
            db.Execute("insert into eq values ('" + n + "','" + b1 + "','" + b2 + "','" + b3 +
                       "','0','0','0','0','0','0','0');");
    });
}

CppSQLite3Table CMusicDb::GetEqPresets(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM eq ORDER BY name DESC;"); });
}

CppSQLite3Table CMusicDb::GetEqPreset(const std::string& name, int own)
{
    const std::string n = Sql(m_fn.EscapeSql(name));
    return Run(own, [&](CppSQLite3DB& db) { return db.GetTable(selectPreset(n)); });
}

void CMusicDb::DeleteEqPreset(const std::string& name, int own)
{
    const std::string n = Sql(m_fn.EscapeSql(name));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable(selectPreset(n)).RowCount() > 0)
            db.Execute("DELETE from eq WHERE name='" + n + "';");
    });
}
