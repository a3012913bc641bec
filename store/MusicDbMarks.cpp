// CMusicDb: the marked songs of the three song lists, tables markext1..markext3.
#include "store/MusicDb.h"

void CMusicDb::MigrateOldMarks()
{
    CppSQLite3DB db;
    OpenLocal(db);
    for (int n = 1; n <= 3; ++n) {
        const std::string old = "mark" + std::to_string(n);
        if (!db.TableExists(old))
            continue;
        // All or nothing per table, so a failed move is not repeated into duplicates next time.
        db.Execute("BEGIN");
        try {
            CppSQLite3Table t = db.GetTable("SELECT DISTINCT path FROM " + old + ";");
            for (int r = 0; r < t.RowCount(); ++r) {
                t.SetRow(r);
                db.Execute("insert into markext" + std::to_string(n) + " values ('" + Sql(t.FieldTextOr(0, "")) +
                           "', 0, '');");
            }
            db.Execute("drop table " + old + ";");
            db.Execute("COMMIT");
        } catch (...) {
            try {
                db.Execute("ROLLBACK");
            } catch (...) {
            }
            throw;
        }
    }
}
