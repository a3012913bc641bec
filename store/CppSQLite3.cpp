#include "store/CppSQLite3.h"

#include "store/NumberParse.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <filesystem>
#include <thread>

namespace {

const char* const kNotOpen = "Database not open";
const char* const kNullResults = "Null Results pointer";
const char* const kBadRow = "Invalid row index requested";
const char* const kBadField = "Invalid field index requested";
const char* const kNullStatement = "Null Virtual Machine pointer";
const char* const kBadScalar = "Invalid scalar query";

} // namespace

// ---------------------------------------------------------------- exception

CppSQLite3Exception::CppSQLite3Exception(int code, const char* detail, bool freeDetail, const std::string& file)
    : m_code(code), m_file(file)
{
    m_message = std::string(CodeName(code)) + "[" + std::to_string(code) + "]: " + (detail ? detail : "");
    if (!file.empty())
        m_message += " (file \"" + file + "\")";
    if (freeDetail && detail)
        sqlite3_free(const_cast<char*>(detail));
}

const char* CppSQLite3Exception::CodeName(int code)
{
    static const char* const names[] = {
        "SQLITE_OK",        "SQLITE_ERROR",    "SQLITE_INTERNAL",  "SQLITE_PERM",     "SQLITE_ABORT",
        "SQLITE_BUSY",      "SQLITE_LOCKED",   "SQLITE_NOMEM",     "SQLITE_READONLY", "SQLITE_INTERRUPT",
        "SQLITE_IOERR",     "SQLITE_CORRUPT",  "SQLITE_NOTFOUND",  "SQLITE_FULL",     "SQLITE_CANTOPEN",
        "SQLITE_PROTOCOL",  "SQLITE_EMPTY",    "SQLITE_SCHEMA",    "SQLITE_TOOBIG",   "SQLITE_CONSTRAINT",
        "SQLITE_MISMATCH",  "SQLITE_MISUSE",   "SQLITE_NOLFS",     "SQLITE_AUTH",     "SQLITE_FORMAT",
        "SQLITE_RANGE",     "SQLITE_NOTADB",   "SQLITE_NOTICE",    "SQLITE_WARNING",
    };
    if (code >= 0 && code <= 28)
        return names[code];
    // An extended code carries its primary code in the low byte.
    if (code > 255 && code < 0x10000 && (code & 0xFF) <= 28)
        return names[code & 0xFF];
    switch (code) {
    case 100: return "SQLITE_ROW";
    case 101: return "SQLITE_DONE";
    case CPPSQLITE_ERROR: return "CPPSQLITE_ERROR";
    default: return "UNKNOWN_ERROR";
    }
}

// ---------------------------------------------------------------- table

CppSQLite3Table::CppSQLite3Table() = default;

CppSQLite3Table::CppSQLite3Table(char** results, int rows, int cols)
    : m_cols(cols), m_rows(rows), m_results(results)
{
}

CppSQLite3Table::CppSQLite3Table(CppSQLite3Table& other) noexcept { Take(other); }
CppSQLite3Table::CppSQLite3Table(CppSQLite3Table&& other) noexcept { Take(other); }

CppSQLite3Table& CppSQLite3Table::operator=(CppSQLite3Table& other) noexcept
{
    if (this != &other) {
        Finalize();
        Take(other);
    }
    return *this;
}

CppSQLite3Table& CppSQLite3Table::operator=(CppSQLite3Table&& other) noexcept
{
    return *this = static_cast<CppSQLite3Table&>(other);
}

CppSQLite3Table::~CppSQLite3Table() { Finalize(); }

void CppSQLite3Table::Take(CppSQLite3Table& other) noexcept
{
    m_results = other.m_results;
    m_rows = other.m_rows;
    m_cols = other.m_cols;
    m_currentRow = other.m_currentRow;
    // Moved vectors keep their blocks, so the field pointers stay valid.
    m_texts = std::move(other.m_texts);
    m_fields = std::move(other.m_fields);
    other.m_results = nullptr;
    other.m_texts.clear();
    other.m_fields.clear();
}

void CppSQLite3Table::Finalize()
{
    if (m_results && m_fields.empty())
        sqlite3_free_table(m_results);
    m_results = nullptr;
    m_texts.clear();
    m_fields.clear();
}

void CppSQLite3Table::RequireResults() const
{
    if (!m_results)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kNullResults);
}

int CppSQLite3Table::FieldCount() const
{
    RequireResults();
    return m_cols;
}

int CppSQLite3Table::RowCount() const
{
    RequireResults();
    return m_rows;
}

void CppSQLite3Table::SetRow(int row)
{
    RequireResults();
    if (row < 0 || row > m_rows - 1)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kBadRow);
    m_currentRow = row;
}

const char* CppSQLite3Table::FieldText(int field) const
{
    RequireResults();
    if (field < 0 || field > m_cols - 1)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kBadField);
    return m_results[(m_currentRow + 1) * m_cols + field];
}

int CppSQLite3Table::FieldInt(int field, int nullValue) const
{
    const char* text = FieldText(field);
    return text ? store::LeadingInt(text) : nullValue;
}

double CppSQLite3Table::FieldFloat(int field, double nullValue) const
{
    const char* text = FieldText(field);
    return text ? store::LeadingDouble(text) : nullValue;
}

const char* CppSQLite3Table::FieldTextOr(int field, const char* nullValue) const
{
    const char* text = FieldText(field);
    return text ? text : nullValue;
}

bool CppSQLite3Table::FieldIsNull(int field) const { return FieldText(field) == nullptr; }

// ---------------------------------------------------------------- query

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* stmt, bool eof, bool ownStatement)
    : m_db(db), m_stmt(stmt), m_eof(eof), m_cols(sqlite3_column_count(stmt)), m_ownStatement(ownStatement)
{
}

CppSQLite3Query::~CppSQLite3Query()
{
    try {
        Finalize();
    } catch (...) {
    }
}

void CppSQLite3Query::RequireStatement() const
{
    if (!m_stmt)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kNullStatement);
}

bool CppSQLite3Query::IsEof() const
{
    RequireStatement();
    return m_eof;
}

int CppSQLite3Query::FieldCount() const
{
    RequireStatement();
    return m_cols;
}

const char* CppSQLite3Query::FieldText(int field) const
{
    RequireStatement();
    if (field < 0 || field > m_cols - 1)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kBadField);
    return reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, field));
}

void CppSQLite3Query::Finalize()
{
    if (m_stmt && m_ownStatement) {
        const int rc = sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        if (rc != SQLITE_OK)
            throw CppSQLite3Exception(rc, sqlite3_errmsg(m_db));
    }
}

// ---------------------------------------------------------------- connection

CppSQLite3DB::CppSQLite3DB() = default;

CppSQLite3DB::~CppSQLite3DB()
{
    try {
        Close();
    } catch (...) {
    }
}

void CppSQLite3DB::Open(const std::string& fileName)
{
    // A second open must not strand the first connection (and its locks).
    Close();
    m_fileName = fileName;
    const int rc = sqlite3_open(fileName.c_str(), &m_db);
    if (rc != SQLITE_OK) {
        // SQLite hands back a handle even on failure; it carries the reason.
        const std::string detail = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw CppSQLite3Exception(rc, detail.c_str(), false, fileName);
    }
    SetBusyTimeout(m_busyTimeoutMs);
}

void CppSQLite3DB::OpenReadOnly(const std::string& fileName)
{
    Close();
    m_fileName = fileName;
    const int rc = sqlite3_open_v2(fileName.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        const std::string detail = (m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc)) + std::string(": ") + fileName;
        Close();
        throw CppSQLite3Exception(rc, detail.c_str());
    }
    SetBusyTimeout(m_busyTimeoutMs);
}

void CppSQLite3DB::Raise(int code, const char* detail) const
{
    const std::string text = detail ? detail : m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
    throw CppSQLite3Exception(code, text.c_str(), false, m_fileName);
}

void CppSQLite3DB::Close()
{
    for (auto& kept : m_kept)
        sqlite3_finalize(kept.second);
    m_kept.clear();
    if (m_db) {
        // close_v2 cannot fail with a busy connection: statements left over are finished by SQLite.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void CppSQLite3DB::SetBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

void CppSQLite3DB::RequireOpen() const
{
    if (!m_db)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kNotOpen);
}

int CppSQLite3DB::Execute(const std::string& sql)
{
    RequireOpen();
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const std::string detail = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        Raise(rc, detail.c_str());
    }
    return sqlite3_changes(m_db);
}

CppSQLite3Table CppSQLite3DB::GetTable(const std::string& sql)
{
    RequireOpen();
    char* error = nullptr;
    char** results = nullptr;
    int rows = 0;
    int cols = 0;
    const int rc = sqlite3_get_table(m_db, sql.c_str(), &results, &rows, &cols, &error);
    if (rc != SQLITE_OK) {
        if (results)
            sqlite3_free_table(results);
        const std::string detail = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        Raise(rc, detail.c_str());
    }
    return CppSQLite3Table(results, rows, cols);
}

CppSQLite3Table CppSQLite3DB::GetTableLimited(const std::string& sql, int maxRows, int maxMilliseconds)
{
    RequireOpen();
    sqlite3_stmt* stmt = Prepare(sql);
    struct Deadline {
        std::chrono::steady_clock::time_point end;
    } deadline{std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMilliseconds)};
    // Checked every few thousand steps of SQLite's machine: a query that builds rows for ever
    // without handing one out is stopped as well.
    sqlite3_progress_handler(
        m_db, 4000,
        [](void* d) { return std::chrono::steady_clock::now() > static_cast<Deadline*>(d)->end ? 1 : 0; },
        &deadline);
    CppSQLite3Table table;
    bool tooMany = false;
    const int rc = StepInto(stmt, table, maxRows, tooMany);
    const std::string detail = sqlite3_errmsg(m_db);
    sqlite3_finalize(stmt);
    sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    if (tooMany)
        Raise(CPPSQLITE_ERROR, ("The query was stopped: it gives more than " + std::to_string(maxRows) + " rows.").c_str());
    if (rc == SQLITE_INTERRUPT)
        Raise(SQLITE_INTERRUPT, ("The query was stopped: it ran longer than " + std::to_string(maxMilliseconds / 1000) +
                                 " seconds.").c_str());
    if (rc != SQLITE_DONE)
        Raise(rc, detail.c_str());
    return table;
}

CppSQLite3Table CppSQLite3DB::GetTable(const std::string& sql, const std::vector<std::string>& params)
{
    return TableOf(PrepareBound(sql, params), false);
}

CppSQLite3Table CppSQLite3DB::GetTableKept(const std::string& sql, const std::vector<std::string>& params)
{
    return TableOf(KeptBound(sql, params), true);
}

CppSQLite3Table CppSQLite3DB::TableOf(sqlite3_stmt* stmt, bool kept)
{
    CppSQLite3Table table;
    bool tooMany = false;
    const int rc = StepInto(stmt, table, std::numeric_limits<int>::max(), tooMany);
    const std::string detail = sqlite3_errmsg(m_db);
    Release(stmt, kept);
    if (rc != SQLITE_DONE)
        Raise(rc, detail.c_str());
    return table;
}

int CppSQLite3DB::Execute(const std::string& sql, const std::vector<std::string>& params)
{
    return RunToEnd(PrepareBound(sql, params), false);
}

int CppSQLite3DB::ExecuteKept(const std::string& sql, const std::vector<std::string>& params)
{
    return RunToEnd(KeptBound(sql, params), true);
}

int CppSQLite3DB::RunToEnd(sqlite3_stmt* stmt, bool kept)
{
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(stmt);
    const std::string detail = sqlite3_errmsg(m_db);
    Release(stmt, kept);
    if (rc != SQLITE_DONE)
        Raise(rc, detail.c_str());
    return sqlite3_changes(m_db);
}

void CppSQLite3DB::ForEachRow(const std::string& sql, const std::vector<std::string>& params,
                              const std::function<void(const char* const* fields, int count)>& onRow)
{
    sqlite3_stmt* stmt = PrepareBound(sql, params);
    const int cols = sqlite3_column_count(stmt);
    std::vector<const char*> fields(static_cast<std::size_t>(cols));
    int rc = SQLITE_OK;
    try {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            for (int c = 0; c < cols; ++c)
                fields[static_cast<std::size_t>(c)] = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            onRow(fields.data(), cols);
        }
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
    const std::string detail = sqlite3_errmsg(m_db);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        Raise(rc, detail.c_str());
}

sqlite3_stmt* CppSQLite3DB::PrepareBound(const std::string& sql, const std::vector<std::string>& params)
{
    RequireOpen();
    sqlite3_stmt* stmt = Prepare(sql);
    if (const int rc = Bind(stmt, params); rc != SQLITE_OK) {
        const std::string detail = sqlite3_errmsg(m_db);
        sqlite3_finalize(stmt);
        Raise(rc, detail.c_str());
    }
    return stmt;
}

sqlite3_stmt* CppSQLite3DB::KeptBound(const std::string& sql, const std::vector<std::string>& params)
{
    RequireOpen();
    sqlite3_stmt* stmt = nullptr;
    for (const auto& kept : m_kept)
        if (kept.first == sql) {
            stmt = kept.second;
            break;
        }
    if (!stmt) {
        stmt = Prepare(sql);
        m_kept.emplace_back(sql, stmt);
    }
    if (const int rc = Bind(stmt, params); rc != SQLITE_OK) {
        const std::string detail = sqlite3_errmsg(m_db);
        sqlite3_clear_bindings(stmt);
        Raise(rc, detail.c_str());
    }
    return stmt;
}

void CppSQLite3DB::Release(sqlite3_stmt* stmt, bool kept)
{
    // A kept statement is only reset: that ends its read as finalizing would.
    if (kept)
        sqlite3_reset(stmt);
    else
        sqlite3_finalize(stmt);
}

int CppSQLite3DB::Bind(sqlite3_stmt* stmt, const std::vector<std::string>& params)
{
    // Texts past the statement's highest parameter are not needed by it.
    const std::size_t used = std::min(params.size(), static_cast<std::size_t>(sqlite3_bind_parameter_count(stmt)));
    for (std::size_t i = 0; i < used; ++i) {
        const int rc = sqlite3_bind_text(stmt, static_cast<int>(i + 1), params[i].data(),
                                         static_cast<int>(params[i].size()), SQLITE_TRANSIENT);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

int CppSQLite3DB::StepInto(sqlite3_stmt* stmt, CppSQLite3Table& table, int maxRows, bool& tooMany)
{
    const int cols = sqlite3_column_count(stmt);
    table.m_cols = cols;
    for (int c = 0; c < cols; ++c) {
        const char* name = sqlite3_column_name(stmt, c);
        table.m_texts.emplace_back(name ? std::optional<std::string>(name) : std::nullopt);
    }
    int rows = 0;
    int rc = SQLITE_OK;
    tooMany = false;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (rows >= maxRows) {
            tooMany = true;
            break;
        }
        for (int c = 0; c < cols; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            table.m_texts.emplace_back(text ? std::optional<std::string>(text) : std::nullopt);
        }
        ++rows;
    }
    table.m_rows = rows;
    for (auto& text : table.m_texts)
        table.m_fields.push_back(text ? text->data() : nullptr);
    // An empty result still needs a block, so that the table counts as holding results.
    if (table.m_fields.empty())
        table.m_fields.push_back(nullptr);
    table.m_results = table.m_fields.data();
    return rc;
}

bool CppSQLite3DB::TableExists(const std::string& table)
{
    // SQLite's own quoting: any name, of any length, stays one literal.
    char* sql = sqlite3_mprintf("select count(*) from sqlite_master where type='table' and name=%Q", table.c_str());
    std::string text = sql ? sql : "";
    sqlite3_free(sql);
    return QueryScalar(text) >= 1;
}

int CppSQLite3DB::QueryScalar(const std::string& sql)
{
    CppSQLite3Query q = Query(sql);
    if (q.IsEof() || q.FieldCount() < 1)
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kBadScalar);
    const char* text = q.FieldText(0);
    return text ? store::LeadingInt(text) : 0;
}

CppSQLite3Query CppSQLite3DB::Query(const std::string& sql)
{
    RequireOpen();
    sqlite3_stmt* stmt = Prepare(sql);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE)
        return CppSQLite3Query(m_db, stmt, true);
    if (rc == SQLITE_ROW)
        return CppSQLite3Query(m_db, stmt, false);
    const std::string detail = sqlite3_errmsg(m_db);
    const int finalRc = sqlite3_finalize(stmt);
    Raise(finalRc != SQLITE_OK ? finalRc : rc, detail.c_str());
}

sqlite3_stmt* CppSQLite3DB::Prepare(const std::string& sql)
{
    RequireOpen();
    sqlite3_stmt* stmt = nullptr;
    // The v2 interface re-prepares after a schema change made by another connection.
    const int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        const std::string detail = sqlite3_errmsg(m_db);
        sqlite3_finalize(stmt);
        Raise(rc, detail.c_str());
    }
    if (!stmt) // an empty statement text: nothing to step
        throw CppSQLite3Exception(CPPSQLITE_ERROR, kNullStatement);
    return stmt;
}

bool CppSQLite3DB::CopyDatabase(const std::string& source, const std::string& target)
{
    const std::string part = target + ".part";
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::remove(part, ec);

    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    bool ok = sqlite3_open_v2(source.c_str(), &from, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_open_v2(part.c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_busy_timeout(from, 2000);
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        ok = backup != nullptr;
        if (backup) {
            int rc = SQLITE_OK;
            for (int tries = 0; tries < 200; ++tries) {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            ok = rc == SQLITE_DONE;
            if (sqlite3_backup_finish(backup) != SQLITE_OK)
                ok = false;
        }
    }
    sqlite3_close(from);
    if (sqlite3_close(to) != SQLITE_OK)
        ok = false;
    if (ok) {
        fs::rename(part, target, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(part, ec);
    return ok;
}

std::string CppSQLite3Exception::ResultText(int code)
{
    return sqlite3_errstr(code & 0xFF);
}
