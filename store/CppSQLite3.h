#pragma once
// The only code of the program that talks to SQLite: a connection, a whole
// result held in memory, a one-row query and the error they raise. Every
// failure is raised as CppSQLite3Exception; nothing returns an error code.
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Code of the errors that come from this layer rather than from SQLite.
constexpr int CPPSQLITE_ERROR = 1000;

class CppSQLite3Exception : public std::exception {
public:
    // The message reads "<code name>[<code>]: <detail>", followed by ` (file "<file>")` when a file is named.
    CppSQLite3Exception(int code, const char* detail, bool freeDetail = false, const std::string& file = {});
    CppSQLite3Exception(const CppSQLite3Exception&) = default;
    CppSQLite3Exception& operator=(const CppSQLite3Exception&) = default;
    ~CppSQLite3Exception() override = default;

    int ErrorCode() const { return m_code; }
    // The database file the failing statement ran on ("" when not known).
    const std::string& FileName() const { return m_file; }
    const std::string& ErrorMessage() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

    // "SQLITE_ERROR" for 1, "CPPSQLITE_ERROR" for 1000, the primary code's name for an extended
    // code (SQLITE_IOERR_READ: "SQLITE_IOERR"), "UNKNOWN_ERROR" for codes SQLite does not have.
    static const char* CodeName(int code);
    // SQLite's own words for a result code (also for codes CodeName does not name).
    static std::string ResultText(int code);

private:
    int m_code;
    std::string m_message;
    std::string m_file;
};

// A whole query result. Copying or assigning a table hands its results over:
// the source is left empty, so exactly one table frees them.
class CppSQLite3Table {
public:
    CppSQLite3Table();
    CppSQLite3Table(char** results, int rows, int cols);
    CppSQLite3Table(CppSQLite3Table& other) noexcept;
    CppSQLite3Table(CppSQLite3Table&& other) noexcept;
    CppSQLite3Table& operator=(CppSQLite3Table& other) noexcept;
    CppSQLite3Table& operator=(CppSQLite3Table&& other) noexcept;
    virtual ~CppSQLite3Table();

    int FieldCount() const;
    int RowCount() const;
    void SetRow(int row);
    // Null for SQL NULL.
    const char* FieldText(int field) const;
    int FieldInt(int field, int nullValue = 0) const;
    double FieldFloat(int field, double nullValue = 0.0) const;
    const char* FieldTextOr(int field, const char* nullValue = "") const;
    bool FieldIsNull(int field) const;
    void Finalize();

private:
    friend class CppSQLite3DB;
    void RequireResults() const;
    void Take(CppSQLite3Table& other) noexcept;

    int m_cols = 0;
    int m_rows = 0;
    int m_currentRow = 0;
    char** m_results = nullptr;
    // A table stepped row by row holds its texts here instead of in SQLite's block.
    std::vector<std::optional<std::string>> m_texts;
    std::vector<char*> m_fields;
};

// One prepared statement stepped once; the table-exists test uses it.
class CppSQLite3Query {
public:
    CppSQLite3Query(sqlite3* db, sqlite3_stmt* stmt, bool eof, bool ownStatement = true);
    CppSQLite3Query(const CppSQLite3Query&) = delete;
    CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
    virtual ~CppSQLite3Query();

    bool IsEof() const;
    int FieldCount() const;
    const char* FieldText(int field) const;
    void Finalize();

private:
    void RequireStatement() const;

    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
    bool m_eof;
    int m_cols;
    bool m_ownStatement;
};

class CppSQLite3DB {
public:
    CppSQLite3DB();
    CppSQLite3DB(const CppSQLite3DB&) = delete;
    CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
    virtual ~CppSQLite3DB();

    // A relative name resolves against the current directory; a missing file is created.
    void Open(const std::string& fileName);
    // Reading only: a missing file is an error and nothing is ever created or written.
    void OpenReadOnly(const std::string& fileName);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return m_busyTimeoutMs; }

    // Runs every statement of the text; returns the rows changed by the last one.
    int Execute(const std::string& sql);
    CppSQLite3Table GetTable(const std::string& sql);
    // One statement whose ?1..?n take the texts of params, bound: no value becomes part of the SQL.
    // Texts past the statement's highest parameter number are left unused.
    CppSQLite3Table GetTable(const std::string& sql, const std::vector<std::string>& params);
    // The same for a statement that writes; returns the rows it changed.
    int Execute(const std::string& sql, const std::vector<std::string>& params);
    // The same two for a statement run many times over on this connection (a setting read
    // or written by name): prepared once and kept until the connection closes.
    CppSQLite3Table GetTableKept(const std::string& sql, const std::vector<std::string>& params);
    int ExecuteKept(const std::string& sql, const std::vector<std::string>& params);
    // One bound statement whose rows go to onRow as they come (field texts, null for NULL;
    // valid during the call only): a large result is never held whole.
    void ForEachRow(const std::string& sql, const std::vector<std::string>& params,
                    const std::function<void(const char* const* fields, int count)>& onRow);
    // One statement typed by the user: stopped with SQLITE_INTERRUPT after maxMilliseconds,
    // or with CPPSQLITE_ERROR past maxRows rows (a recursive query runs for ever).
    CppSQLite3Table GetTableLimited(const std::string& sql, int maxRows, int maxMilliseconds);
    // The file the connection has open ("" when none).
    const std::string& FileName() const { return m_fileName; }
    bool TableExists(const std::string& table);
    int QueryScalar(const std::string& sql);

    // A consistent copy of the database file at source, made with SQLite's backup
    // interface (so a connection writing meanwhile cannot tear it), built beside target
    // and renamed over it at the end: a failed copy leaves target as it was.
    static bool CopyDatabase(const std::string& source, const std::string& target);

private:
    CppSQLite3Query Query(const std::string& sql);
    sqlite3_stmt* Prepare(const std::string& sql);
    // Prepared with the texts bound to ?1..?n.
    sqlite3_stmt* PrepareBound(const std::string& sql, const std::vector<std::string>& params);
    // The kept statement of the text, with the texts bound.
    sqlite3_stmt* KeptBound(const std::string& sql, const std::vector<std::string>& params);
    // Binds the texts to ?1..?n; answers SQLite's code.
    static int Bind(sqlite3_stmt* stmt, const std::vector<std::string>& params);
    // Runs a prepared statement to its end; answers the rows changed.
    int RunToEnd(sqlite3_stmt* stmt, bool kept);
    CppSQLite3Table TableOf(sqlite3_stmt* stmt, bool kept);
    static void Release(sqlite3_stmt* stmt, bool kept);
    // Steps the statement to its end (or past maxRows rows) into the table; answers the last step's code.
    static int StepInto(sqlite3_stmt* stmt, CppSQLite3Table& table, int maxRows, bool& tooMany);
    void RequireOpen() const;

    // SQLite's own message for the failing statement, with the file named.
    [[noreturn]] void Raise(int code, const char* detail = nullptr) const;

    sqlite3* m_db = nullptr;
    // Kept statements by their text (a few per connection).
    std::vector<std::pair<std::string, sqlite3_stmt*>> m_kept;
    int m_busyTimeoutMs = 60000;
    std::string m_fileName;
};
