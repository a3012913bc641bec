// CUtilityDb: the tables of utility.db, the batch and the version stamp of the imports.
#include "store/UtilityDb.h"

#include "store/TextEncoding.h"
#include "store/UtilityDbDetail.h"
#include "platform/win/WholeFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

const std::string g_utilityDbVersion = "203";

namespace utilitydb {

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::error_code ec;
    // Only a regular file: a named pipe would keep the import waiting for a writer.
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return false;

    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.push_back(store::ToProgramText(std::string_view(bytes).substr(start, end - start)));
        start = next;
    }
    return true;
}

std::string MidChars(const std::string& text, size_t first, size_t count)
{
    // Continuation bytes of UTF-8 (10xxxxxx) belong to the character before them.
    const auto isLead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    size_t begin = 0;
    size_t chars = 0;
    while (begin < text.size() && chars < first) {
        ++begin;
        while (begin < text.size() && !isLead(text[begin]))
            ++begin;
        ++chars;
    }
    size_t end = begin;
    chars = 0;
    while (end < text.size() && chars < count) {
        ++end;
        while (end < text.size() && !isLead(text[end]))
            ++end;
        ++chars;
    }
    return text.substr(begin, end - begin);
}

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return win::WriteWholeFile(path, bytes);
}

} // namespace utilitydb

namespace {

struct TableDef {
    const char* name;
    const char* create;
};

const TableDef kTables[] = {
    {"sqrecord", "create table sqrecord(label varchar(20),title varchar(60),caller varchar(50), company "
                 "varchar(30), labeltitle varchar(100), cuesheet varchar(20) );"},
    {"cuesheet", "create table cuesheet(label varchar(20), cuesheet varchar(1000));"},
    {"cuesheetshort", "create table cuesheetshort(label varchar(20), cuesheet varchar(1000));"},
    {"caller", "create table caller(caller varchar(50));"},
    {"calls", "create table calls(level varchar(15),name varchar(60));"},
    {"temp", "create table temp(name varchar(50));"},
    {"ini", "create table ini(name varchar(75), value varchar(75));"},
};

// Writes one ini row by name, update or insert.
void stamp(CppSQLite3DB& db, const std::string& name, const std::string& value)
{
    const std::string quoted = CDbAccess::Sql(value);
    if (db.GetTable("SELECT * FROM ini WHERE name='" + name + "';").RowCount() > 0)
        db.Execute("UPDATE ini SET value='" + quoted + "' WHERE name='" + name + "';");
    else
        db.Execute("insert into ini values('" + name + "','" + quoted + "');");
}

} // namespace

CUtilityDb::CUtilityDb() : CDbAccess("utility.db", {"PRAGMA synchronous = 1"}) {}

CUtilityDb::~CUtilityDb() = default;

bool CUtilityDb::Init()
{
    CreateSchema();
    return true;
}

void CUtilityDb::CreateMissingTables(CppSQLite3DB& db)
{
    for (const TableDef& table : kTables)
        if (!db.TableExists(table.name))
            db.Execute(table.create);
}

void CUtilityDb::CreateSchema()
{
    CppSQLite3DB db;
    OpenLocal(db);
    db.SetBusyTimeout(10000);
    CreateMissingTables(db);
}

void CUtilityDb::StampVersion()
{
    CreateSchema();
    CppSQLite3DB db;
    OpenLocal(db);
    stamp(db, "system - version", g_utilityDbVersion);
    stamp(db, "system - modified", m_fn.NowText());
}

std::string CUtilityDb::GetSetting(const std::string& name)
{
    CppSQLite3DB db;
    OpenLocal(db);
    CppSQLite3Table t = db.GetTable("SELECT * FROM ini WHERE name='" + Sql(name) + "';");
    if (t.RowCount() < 1)
        return std::string();
    t.SetRow(0);
    return m_fn.UnescapeSql(t.FieldTextOr(1, ""));
}

std::string CUtilityDb::GetVersionText()
{
    const std::string version = GetSetting("system - version");
    const size_t at = std::min<size_t>(version.size() > 3 ? 2 : 1, version.size());
    return version.substr(0, at) + "." + version.substr(at);
}

std::string CUtilityDb::GetModifiedText()
{
    return GetSetting("system - modified");
}
