// CMusicDb: the style sheet of the generated pages, table stylesheet.
#include "store/MusicDb.h"

namespace {

std::string selectStyle(const std::string& name)
{
    return "SELECT * FROM stylesheet WHERE name='" + CDbAccess::Sql(name) + "';";
}

std::string storedStyle(CppSQLite3DB& db, const std::string& name)
{
    CppSQLite3Table t = db.GetTable(selectStyle(name));
    if (t.RowCount() < 1)
        return std::string();
    t.SetRow(0);
    return t.FieldTextOr(1, "");
}

} // namespace

std::string CMusicDb::GetStyle(const std::string& name, int own)
{
    return Run(own, [&](CppSQLite3DB& db) { return storedStyle(db, name); });
}

int CMusicDb::GetStyleInt(const std::string& name, int own)
{
    return m_fn.StringToInt(GetStyle(name, own));
}

void CMusicDb::SetStyle(const std::string& name, const std::string& value, int own)
{
    // Style values are stored as they are; quoting keeps any value inside its literal.
    Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable(selectStyle(name));
        if (t.RowCount() > 0)
            db.Execute("UPDATE stylesheet SET value='" + Sql(value) + "' WHERE name='" + Sql(name) + "';");
        else
            db.Execute("insert into stylesheet values ('" + Sql(name) + "','" + Sql(value) + "');");
    });
}

void CMusicDb::ResetStylesheet()
{
    // The schema creation builds a missing style sheet with its default rows.
    DropTablesAndRecreate({"stylesheet"});
}
