#include "store/DbAccess.h"

#include <algorithm>

namespace {
// Every access object alive (user-interface thread only).
std::vector<CDbAccess*>& liveObjects()
{
    static std::vector<CDbAccess*> objects;
    return objects;
}
} // namespace

CDbAccess::CDbAccess(std::string fileName, std::vector<std::string> batchPragmas)
    : m_fileName(std::move(fileName)), m_batchPragmas(std::move(batchPragmas))
{
    liveObjects().push_back(this);
}

CDbAccess::~CDbAccess()
{
    // An unfinished batch is not committed: closing rolls it back.
    AbortBatch();
    auto& objects = liveObjects();
    objects.erase(std::remove(objects.begin(), objects.end(), this), objects.end());
}

void CDbAccess::AbortAllBatches() noexcept
{
    for (CDbAccess* object : liveObjects())
        object->AbortBatch();
}

std::string CDbAccess::Sql(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 4);
    for (const char c : text) {
        if (c == '\0')
            continue; // would cut the statement short
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out;
}

void CDbAccess::OpenLocal(CppSQLite3DB& db, const std::string& fileName) const
{
    m_fn.EnterDataFolder();
    db.Open(fileName.empty() ? m_fileName : fileName);
}

int CDbAccess::ColumnCount(CppSQLite3DB& db, const std::string& table)
{
    return db.GetTable("PRAGMA table_info('" + Sql(table) + "');").RowCount();
}

void CDbAccess::AbortBatch() noexcept
{
    if (!m_batch.IsOpen())
        return;
    try {
        m_batch.Execute("ROLLBACK");
    } catch (...) {
        // No transaction left to roll back; closing is what matters.
    }
    m_batch.Close();
}

void CDbAccess::BeginBatch()
{
    if (m_batch.IsOpen()) {
        // A second begin must not open a second connection over the first.
        CommitBatch();
    }
    try {
        OpenLocal(m_batch);
        for (const std::string& pragma : m_batchPragmas)
            m_batch.Execute(pragma);
        m_batch.Execute("BEGIN");
    } catch (...) {
        AbortBatch();
        throw;
    }
}

void CDbAccess::CommitBatch()
{
    try {
        m_batch.Execute("COMMIT");
    } catch (...) {
        AbortBatch();
        throw;
    }
    m_batch.Close();
}
