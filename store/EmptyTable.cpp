#include "store/EmptyTable.h"

CppSQLite3Table EmptyTable()
{
    // The result array must come from SQLite, which frees it; an in-memory
    // database gives it without touching any file.
    CppSQLite3DB db;
    db.Open(":memory:");
    return db.GetTable("SELECT 1 WHERE 0;");
}
