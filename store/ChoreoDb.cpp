// CChoreoDb: the tables of choreo.db and the operations on one entry.
#include "store/ChoreoDb.h"

#include "store/ChoreoDbDetail.h"
#include "store/ChoreoRef.h"

#include "platform/win/UnicodeText.h"

#include <fstream>

namespace choreodb {

std::string Lower(const std::string& text)
{
    return win::ToLower(text);
}

} // namespace choreodb

namespace {

// The table is one of the known eleven; the name goes in as a bound text.
CppSQLite3Table rowsByName(CppSQLite3DB& db, const std::string& table, const std::string& storedName)
{
    return db.GetTable("SELECT * FROM " + table + " WHERE name = ?;", {storedName});
}

// Writes go only to a known table; anything else is refused before a statement is built.
void requireTable(const std::string& table)
{
    if (!CChoreoDb::IsTable(table))
        throw CppSQLite3Exception(CPPSQLITE_ERROR, ("Unknown choreography table: " + table).c_str());
}

} // namespace

CChoreoDb::CChoreoDb() : CDbAccess("choreo.db", {"PRAGMA auto_vacuum = 2", "PRAGMA synchronous = 1"}) {}

CChoreoDb::~CChoreoDb() = default;

const std::array<const char*, 11>& CChoreoDb::Tables()
{
    static const std::array<const char*, 11> tables = {"basic", "main", "plus", "a1",  "a2", "c1",
                                                       "c2",    "c3a",  "c3b",  "c4", "any"};
    return tables;
}

bool CChoreoDb::IsTable(const std::string& table)
{
    for (const char* known : Tables())
        if (table == known)
            return true;
    return false;
}

void CChoreoDb::Create()
{
    CppSQLite3DB db;
    OpenLocal(db);
    db.SetBusyTimeout(10000);
    for (const char* table : Tables()) {
        if (!db.TableExists(table))
            db.Execute(std::string("create table ") + table +
                       "(name varchar(100) NOT NULL, typ varchar(100), value varchar(500) NOT NULL);");
    }
}

int CChoreoDb::Open()
{
    Create();
    // Create left the current directory at the data folder.
    std::ifstream file(FileName(), std::ios::binary);
    return file.is_open() ? 1 : 0;
}

void CChoreoDb::SaveEntry(const std::string& table, const std::string& name, const std::string& type,
                          const std::string& value, int overwrite, int own)
{
    requireTable(table);
    const std::string storedName = choreodb::Lower(m_fn.EscapeSql(name));
    const std::string storedType = choreodb::Lower(m_fn.EscapeSql(type));
    const std::string storedValue = m_fn.EscapeSql(value);
    Run(own, [&](CppSQLite3DB& db) {
        if (rowsByName(db, table, storedName).RowCount() < 1)
            db.Execute("INSERT INTO " + table + " VALUES (?, ?, ?);", {storedName, storedType, storedValue});
        else if (overwrite)
            db.Execute("UPDATE " + table + " SET typ = ?, value = ? WHERE name = ?;",
                       {storedType, storedValue, storedName});
    });
}

void CChoreoDb::DeleteEntry(const std::string& table, const std::string& name, int own)
{
    requireTable(table);
    const std::string storedName = choreodb::Lower(m_fn.EscapeSql(name));
    Run(own, [&](CppSQLite3DB& db) {
        db.Execute("DELETE FROM " + table + " WHERE name = ?;", {storedName});
    });
}

void CChoreoDb::SetEntryType(const std::string& table, const std::string& name, const std::string& type,
                             int append, int own)
{
    requireTable(table);
    const std::string storedName = choreodb::Lower(m_fn.EscapeSql(name));
    const std::string storedType = choreodb::Lower(m_fn.EscapeSql(type));
    Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = rowsByName(db, table, storedName);
        if (t.RowCount() < 1)
            return;
        std::string newType = storedType;
        if (append) {
            t.SetRow(0);
            newType = std::string(t.FieldTextOr(1, "")) + ", " + storedType;
        }
        db.Execute("UPDATE " + table + " SET typ = ? WHERE name = ?;", {newType, storedName});
    });
}

bool CChoreoDb::HasEntry(const std::string& table, const std::string& name, int own)
{
    if (!IsTable(table))
        return false;
    const std::string storedName = choreodb::Lower(m_fn.EscapeSql(name));
    return Run(own, [&](CppSQLite3DB& db) { return rowsByName(db, table, storedName).RowCount() > 0; });
}

std::string CChoreoDb::GetEntryColumn(const std::string& reference, int column, int own)
{
    const CChoreoRef ref(reference);
    if (!IsTable(ref.GetTable()))
        return std::string();
    // References carry names in their stored form; escaping leaves that form as it is.
    const std::string storedName = m_fn.EscapeSql(ref.GetName());
    const std::string stored = Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = rowsByName(db, ref.GetTable(), storedName);
        if (t.RowCount() < 1)
            return std::string();
        t.SetRow(0);
        return std::string(t.FieldTextOr(column, ""));
    });
    return m_fn.UnescapeSql(stored);
}

std::string CChoreoDb::GetEntryValue(const std::string& reference, int own)
{
    return GetEntryColumn(reference, 2, own);
}

std::string CChoreoDb::GetEntryType(const std::string& reference, int own)
{
    return GetEntryColumn(reference, 1, own);
}

std::string CChoreoDb::NamePrefix(const std::string& name)
{
    const size_t underscore = name.find('_');
    return underscore == std::string::npos ? std::string() : name.substr(0, underscore);
}
