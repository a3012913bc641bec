// CMusicDb: the letter keys of the main window and their function numbers, table hotkeys.
#include "store/MusicDb.h"

const std::array<CMusicDb::HotkeyDefault, 28>& CMusicDb::DefaultHotkeys()
{
    static const std::array<HotkeyDefault, 28> keys = {{
        {"a", 20}, {"b", 33}, {"c", 37}, {"d", 35}, {"e", 31}, {"f", 34},    {"g", 0},   {"h", 0},     {"i", 2},
        {"j", 49}, {"k", 29}, {"l", 27}, {"m", 0},  {"n", 32}, {"o", 0},     {"p", 0},   {"q", 22},    {"r", 30},
        {"s", 19}, {"u", 7},  {"v", 36}, {"w", 21}, {"x", 23}, {"y", 25},    {"z", 24},  {"comma", 0}, {"dot", 26},
        {"minus", 0},
    }};
    return keys;
}

int CMusicDb::GetHotkey(const std::string& key, int own)
{
    return Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable("SELECT value FROM hotkeys WHERE name='" + Sql(key) + "';");
        if (t.RowCount() < 1)
            return 0;
        t.SetRow(0);
        return t.FieldInt(0, 0);
    });
}

void CMusicDb::SetHotkey(const std::string& key, int function, int own)
{
    Run(own, [&](CppSQLite3DB& db) {
        const std::string number = std::to_string(function);
        // A table made without its default rows must still take the caller's assignment.
        if (db.Execute("UPDATE hotkeys SET value=" + number + " WHERE name='" + Sql(key) + "';") == 0)
            db.Execute("insert into hotkeys values('" + Sql(key) + "'," + number + ");");
    });
}

void CMusicDb::ResetHotkeys()
{
    // The schema creation builds a missing hotkeys table with its 28 default rows.
    DropTablesAndRecreate({"hotkeys"});
}
