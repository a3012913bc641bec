// CChoreoDb: the search over the level tables by a choreography reference or an own query.
#include "store/ChoreoDb.h"

#include "store/ChoreoRef.h"
#include "store/EmptyTable.h"
#include "platform/win/MessageBox.h"

#include <cctype>
#include <vector>

namespace {

constexpr int kSqliteInterrupt = 9;  // SQLite's code for an interrupted statement

bool isWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// Skips blanks and comments from i on; false when a comment never ends.
bool skipSpace(const std::string& sql, size_t& i)
{
    while (i < sql.size()) {
        if (std::isspace(static_cast<unsigned char>(sql[i]))) {
            ++i;
        } else if (sql.compare(i, 2, "--") == 0) {
            const size_t end = sql.find('\n', i);
            i = end == std::string::npos ? sql.size() : end + 1;
        } else if (sql.compare(i, 2, "/*") == 0) {
            const size_t end = sql.find("*/", i + 2);
            if (end == std::string::npos)
                return false;
            i = end + 2;
        } else {
            break;
        }
    }
    return true;
}

// Whether the text is exactly one statement and that statement a SELECT: list
// files are edited by hand, and a query kept in one must not be able to change
// the file. The query also runs with writes switched off.
bool isSingleSelect(const std::string& sql)
{
    size_t i = 0;
    if (!skipSpace(sql, i))
        return false;
    static const std::string kSelect = "select";
    if (sql.size() - i < kSelect.size())
        return false;
    for (size_t k = 0; k < kSelect.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(sql[i + k])) != kSelect[k])
            return false;
    i += kSelect.size();
    if (i < sql.size() && isWordChar(sql[i]))
        return false;

    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            const size_t end = sql.find(close, i + 1);
            if (end == std::string::npos)
                return false;
            i = end + 1; // a doubled quote is two quoted runs back to back
        } else if (sql.compare(i, 2, "--") == 0 || sql.compare(i, 2, "/*") == 0) {
            if (!skipSpace(sql, i))
                return false;
        } else if (c == ';') {
            // Only blanks, comments and further semicolons may follow the end.
            ++i;
            while (i < sql.size()) {
                if (!skipSpace(sql, i))
                    return false;
                if (i < sql.size() && sql[i] != ';')
                    return false;
                if (i < sql.size())
                    ++i;
            }
        } else {
            ++i;
        }
    }
    return true;
}

// A query typed by the user may recurse for ever: it is stopped after this long or this many rows.
constexpr int kOwnQueryRows = 100000;
constexpr int kOwnQueryMilliseconds = 5000;

// A failed query gives a result without rows, never one that raises on first use.
CppSQLite3Table fetchOrEmpty(CppSQLite3DB& db, const std::string& query, const std::vector<std::string>& params,
                             bool readOnly)
{
    CppSQLite3Table result;
    bool fetched = false;
    try {
        if (readOnly) {
            db.Execute("PRAGMA query_only = 1;");
            result = db.GetTableLimited(query, kOwnQueryRows, kOwnQueryMilliseconds);
        } else {
            result = db.GetTable(query, params);
        }
        fetched = true;
    } catch (const CppSQLite3Exception& e) {
        if (readOnly && e.ErrorCode() == kSqliteInterrupt)
            AfxMessageBox("The query was stopped: it ran longer than " + std::to_string(kOwnQueryMilliseconds / 1000) +
                              " seconds.",
                          MB_ICONEXCLAMATION);
        else if (readOnly && e.ErrorCode() == CPPSQLITE_ERROR)
            AfxMessageBox("The query was stopped: it gives more than " + std::to_string(kOwnQueryRows) + " rows.",
                          MB_ICONEXCLAMATION);
    }
    if (readOnly) {
        try {
            db.Execute("PRAGMA query_only = 0;");
        } catch (const CppSQLite3Exception&) {
        }
    }
    if (!fetched)
        return EmptyTable();
    return result;
}

} // namespace

CppSQLite3Table CChoreoDb::Search(const std::string& searchText, int own)
{
    std::string query;
    std::vector<std::string> params;
    bool ownQuery = false;
    if (searchText.compare(0, 4, "sql=") == 0) {
        query = searchText.substr(4);
        if (!isSingleSelect(query))
            return EmptyTable();
        ownQuery = true;
    } else {
        const CChoreoRef ref(searchText);
        if (!ref.HasTable()) {
            // No stored name holds a bare apostrophe, so this finds nothing.
            query = "SELECT * FROM any WHERE name LIKE ?;";
            params = {"no'entry"};
        } else if (!IsTable(ref.GetTable())) {
            return EmptyTable();
        } else {
            // The parts are matched in their stored form, so a typed apostrophe finds a stored one.
            query = "SELECT * FROM " + ref.GetTable() +
                    " WHERE typ LIKE '%' || ? || '%' AND name LIKE '%' || ? || '%' AND value LIKE '%' || ? || '%'"
                    " ORDER BY name ASC;";
            params = {m_fn.EscapeSql(ref.GetType()), m_fn.EscapeSql(ref.GetName()), m_fn.EscapeSql(ref.GetCall())};
        }
    }
    return Run(own, [&](CppSQLite3DB& db) { return fetchOrEmpty(db, query, params, ownQuery); });
}
