// CMusicDb: music files paired with their lyrics or cue sheet, table marry.
#include "store/MusicDb.h"

namespace {

std::string selectPair(const std::string& quotedPath) { return "SELECT * FROM marry WHERE path='" + quotedPath + "';"; }

} // namespace

void CMusicDb::SetMarriage(const std::string& musicPath, const std::string& lyrics, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(musicPath));
    const std::string l = Sql(m_fn.EscapeSql(lyrics));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable(selectPair(p)).RowCount() > 0)
            db.Execute("UPDATE marry SET html='" + l + "' WHERE path='" + p + "';");
        else
            db.Execute("insert into marry values ('" + p + "','" + l + "');");
    });
}

std::string CMusicDb::GetMarriage(const std::string& musicPath)
{
    const std::string p = Sql(m_fn.EscapeSql(musicPath));
    const std::string stored = Run(1, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable(selectPair(p));
        if (t.RowCount() < 1)
            return std::string();
        t.SetRow(0);
        return std::string(t.FieldTextOr(1, ""));
    });
    std::string lyrics = m_fn.UnescapeSql(stored);
    // A cue sheet of the record catalogue is found by its label alone.
    if (lyrics.compare(0, 4, "[db]") == 0) {
        const size_t cut = lyrics.find(" - ");
        if (cut != std::string::npos)
            lyrics.erase(cut);
    }
    return lyrics;
}

CppSQLite3Table CMusicDb::GetAllMarriages(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM marry;"); });
}

void CMusicDb::DeleteMarriage(const std::string& musicPath, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(musicPath));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable(selectPair(p)).RowCount() > 0)
            db.Execute("DELETE from marry WHERE path='" + p + "';");
    });
}
