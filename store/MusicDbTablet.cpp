// CMusicDb: the copy of the song settings for the tablet companion, "mirtaltablet.db".
#include "store/MusicDb.h"

#include "store/SqlValue.h"
#include "store/Transaction.h"

#include <cmath>

namespace {

// The tempo as the tablet wants it: a whole number, toward zero.
std::string wholeTempo(double tempo)
{
    if (!std::isfinite(tempo) || std::fabs(tempo) > 1e15)
        return "0";
    return std::to_string(static_cast<long long>(std::trunc(tempo)));
}

} // namespace

void CMusicDb::WriteTabletDatabase(const std::string& tabletFolder)
{
    CreateTabletDb();
    CppSQLite3Table songs = Run(1, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM music;"); });

    // The whole path is in stored form, the folder the caller typed included.
    const std::string folder = Sql(m_fn.EscapeSql(m_fn.AddBackslash(tabletFolder)));
    CppSQLite3DB tablet;
    OpenLocal(tablet, "mirtaltablet.db");
    // One transaction: every row or, on a failure, none; and one sync instead of one per row.
    store::InTransaction(tablet, [&](CppSQLite3DB& db) {
        for (int r = 0; r < songs.RowCount(); ++r) {
            songs.SetRow(r);
            const std::string name = m_fn.FileNameFromPath(songs.FieldTextOr(0, ""));
            // Stored values go over as they are; a NULL stays NULL instead of breaking the row.
            db.Execute("insert into music values ('" + folder + Sql(name) + "'," +
                       store::SqlLiteral(songs.FieldText(1)) + "," + store::SqlLiteral(songs.FieldText(2)) + "," +
                       wholeTempo(songs.FieldFloat(3, 0.0)) + "," + store::SqlLiteral(songs.FieldText(5)) + "," +
                       store::SqlLiteral(songs.FieldText(6)) + ",'');");
        }
    });
}
