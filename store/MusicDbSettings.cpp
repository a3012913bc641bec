// CMusicDb: the settings of table ini, one row per setting, read and written by name.
#include "store/MusicDb.h"

namespace {

std::string selectSetting(const std::string& name)
{
    return "SELECT * FROM ini WHERE name='" + CDbAccess::Sql(name) + "';";
}

// The stored value of the first row of the name, or nothing.
bool storedSetting(CppSQLite3DB& db, const std::string& name, std::string& value)
{
    CppSQLite3Table t = db.GetTable(selectSetting(name));
    if (t.RowCount() < 1)
        return false;
    t.SetRow(0);
    value = t.FieldTextOr(1, "");
    return true;
}

} // namespace

std::string CMusicDb::GetSetting(const std::string& name, int own)
{
    std::string value;
    Run(own, [&](CppSQLite3DB& db) { storedSetting(db, name, value); });
    return m_fn.UnescapeSql(value);
}

bool CMusicDb::GetSettingBool(const std::string& name, int own)
{
    std::string value;
    Run(own, [&](CppSQLite3DB& db) { storedSetting(db, name, value); });
    return value == "true";
}

int CMusicDb::GetSettingInt(const std::string& name, int own)
{
    std::string value;
    Run(own, [&](CppSQLite3DB& db) { storedSetting(db, name, value); });
    return m_fn.StringToInt(value);
}

void CMusicDb::SetSetting(const std::string& name, const std::string& value, int own)
{
    const std::string stored = Sql(m_fn.EscapeSql(value));
    Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable(selectSetting(name));
        if (t.RowCount() > 0)
            db.Execute("UPDATE ini SET value='" + stored + "' WHERE name='" + Sql(name) + "';");
        else
            db.Execute("insert into ini values ('" + Sql(name) + "','" + stored + "');");
    });
}

std::vector<std::string> CMusicDb::GetRowNames(const std::string& table, int own)
{
    std::vector<std::string> names;
    if (table != "ini" && table != "stylesheet" && table != "hotkeys")
        return names;
    Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable("SELECT name FROM " + table + ";");
        names.reserve(size_t(t.RowCount()));
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            names.push_back(t.FieldTextOr(0, ""));
        }
    });
    return names;
}
