#pragma once
// Runs a group of statements as one transaction on an open connection: all of
// them or, when one raises, none; the exception then travels on unchanged.
#include "store/CppSQLite3.h"

#include <utility>

namespace store {

template <class F>
void InTransaction(CppSQLite3DB& db, F&& statements)
{
    db.Execute("BEGIN");
    try {
        std::forward<F>(statements)(db);
        db.Execute("COMMIT");
    } catch (...) {
        try {
            db.Execute("ROLLBACK");
        } catch (...) {
            // Nothing left to roll back: SQLite already ended the transaction.
        }
        throw;
    }
}

} // namespace store
