#pragma once
// The frame every database access object (CMusicDb, CChoreoDb, CUtilityDb)
// shares: a batch connection kept open from BeginBatch to CommitBatch, a
// private connection per call when an operation's `own` argument is nonzero,
// and the data folder entered before any file is opened (the files are opened
// by bare name).
//
// A failure inside a batch rolls the batch back and closes it before the
// exception travels on, so a failed handler never leaves the file locked.
#include "store/CppSQLite3.h"
#include "store/MyFunctions.h"

#include <string>
#include <utility>
#include <vector>

class CDbAccess {
public:
    CDbAccess(const CDbAccess&) = delete;
    CDbAccess& operator=(const CDbAccess&) = delete;

    // Enters the data folder, opens the file on the batch connection, runs the
    // batch pragmas and "BEGIN". A batch still open is committed first.
    void BeginBatch();
    // "COMMIT" and close. A failed commit rolls back and closes before it raises.
    void CommitBatch();
    bool IsBatchOpen() const { return m_batch.IsOpen(); }
    // Rolls the open batch back and closes it; never raises.
    void AbortBatch() noexcept;
    // Rolls back the open batch of every access object alive (a handler that failed
    // half-way leaves nothing half-written and no file locked); never raises.
    static void AbortAllBatches() noexcept;

    const std::string& FileName() const { return m_fileName; }

    // Text as the body of an SQL literal: apostrophes doubled, so no value can end the literal.
    static std::string Sql(const std::string& text);

protected:
    CDbAccess(std::string fileName, std::vector<std::string> batchPragmas);
    ~CDbAccess();

    // Runs f(CppSQLite3DB&) on a private connection to the file (own nonzero)
    // or on the batch connection (own 0); answers what f answers.
    template <class F>
    decltype(auto) Run(int own, F&& f)
    {
        if (own) {
            CppSQLite3DB db;
            OpenLocal(db);
            return f(db); // the local connection closes as the result or the exception leaves
        }
        try {
            return f(m_batch);
        } catch (...) {
            AbortBatch();
            throw;
        }
    }

    // Enters the data folder and opens a file (this object's by default) on a local connection.
    void OpenLocal(CppSQLite3DB& db, const std::string& fileName = std::string()) const;
    // The number of columns SQLite knows for a table, also when the table has no rows; 0 when missing.
    static int ColumnCount(CppSQLite3DB& db, const std::string& table);

    CppSQLite3DB m_batch;
    MyFunctions m_fn;

private:
    std::string m_fileName;
    std::vector<std::string> m_batchPragmas;
};
