// CMusicDb: the settings of table ini, one row per setting, read and written by name.
#include "store/MusicDb.h"

namespace {

// Statements kept prepared on the connection: a start reads and writes hundreds of settings.
constexpr const char* kSelectSetting = "SELECT * FROM ini WHERE name=?1;";
constexpr const char* kUpdateSetting = "UPDATE ini SET value=?2 WHERE name=?1;";
constexpr const char* kInsertSetting = "INSERT INTO ini VALUES (?1, ?2);";

// A text as a statement stores it: without NUL characters, which SQL text cannot carry.
std::string withoutNul(const std::string& text)
{
    std::string out = text;
    std::erase(out, '\0');
    return out;
}

// The stored value of the first row of the name, or nothing.
bool storedSetting(CppSQLite3DB& db, const std::string& name, std::string& value)
{
    CppSQLite3Table t = db.GetTableKept(kSelectSetting, {withoutNul(name)});
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
    const std::vector<std::string> params{withoutNul(name), withoutNul(m_fn.EscapeSql(value))};
    Run(own, [&](CppSQLite3DB& db) {
        // Every row of the name takes the value; a name not stored yet gets its row.
        if (db.ExecuteKept(kUpdateSetting, params) == 0)
            db.ExecuteKept(kInsertSetting, params);
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
