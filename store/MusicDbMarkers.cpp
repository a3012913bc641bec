// CMusicDb: the comments of song markers, table musicmarkers, one row per song and position.
#include "store/MusicDb.h"

#include "store/SqlValue.h"

namespace {

std::string whereMarker(const std::string& quotedPath, const std::string& mark)
{
    // The position comes from the marker text of a song: checked as a number, never put in raw.
    return " WHERE path='" + quotedPath + "' and mark=" + store::SqlNumber(mark, "mark") + ";";
}

} // namespace

std::string CMusicDb::GetMarkerComment(const std::string& path, const std::string& mark, int own)
{
    const std::string where = whereMarker(Sql(m_fn.EscapeSql(path)), mark);
    const std::string stored = Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable("SELECT comment FROM musicmarkers" + where);
        if (t.RowCount() < 1)
            return std::string();
        t.SetRow(0);
        return std::string(t.FieldTextOr(0, ""));
    });
    return m_fn.UnescapeSql(stored);
}

void CMusicDb::SetMarkerComment(const std::string& path, const std::string& mark, const std::string& comment,
                                int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string c = Sql(m_fn.EscapeSql(comment));
    const std::string where = whereMarker(p, mark);
    const std::string m = store::SqlNumber(mark, "mark");
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable("SELECT * FROM musicmarkers" + where).RowCount() > 0)
            db.Execute("UPDATE musicmarkers SET comment='" + c + "'" + where);
        else
            db.Execute("insert into musicmarkers values ('" + p + "'," + m + ",'" + c + "');");
    });
}

void CMusicDb::DeleteMarkerComments(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable("SELECT * FROM musicmarkers WHERE path='" + p + "';").RowCount() > 0)
            db.Execute("DELETE from musicmarkers WHERE path='" + p + "';");
    });
}
