// CMusicDb: the facts the song lists show for many songs, gathered in one statement.
#include "store/MusicDb.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The paths as one JSON array text for json_each: the statement stays the same whatever
// the number of songs, and no path ever becomes part of the SQL.
// The paths go in sorted by their stored form (each with its place in the list), so that the
// lookups walk every index in its own order and read each of its pages once.
std::string jsonArray(const MyFunctions& fn, const std::vector<std::string>& paths)
{
    std::vector<std::pair<std::string, std::size_t>> sorted;
    sorted.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        sorted.emplace_back(fn.EscapeSql(paths[i]), i);
    std::sort(sorted.begin(), sorted.end());

    std::string out;
    out.reserve(paths.size() * 56 + 2);
    out += '[';
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (i)
            out += ',';
        out += '[';
        out += std::to_string(sorted[i].second);
        out += ",\"";
        for (const unsigned char c : sorted[i].first) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", c);
                out += code;
            } else {
                out += static_cast<char>(c);
            }
        }
        out += "\"]";
    }
    out += ']';
    return out;
}

} // namespace

std::vector<SongFacts> CMusicDb::GetSongFacts(const std::vector<std::string>& paths, const SongFactsRequest& request,
                                              int own)
{
    std::vector<SongFacts> facts(paths.size());
    if (paths.empty())
        return facts;

    // ?1 the paths, ?2 the dance name, ?3..?5 the sources of lists 1..3 (stored forms).
    std::vector<std::string> params{jsonArray(m_fn, paths), m_fn.EscapeSql(request.danceName)};
    for (const std::string& source : request.sources)
        params.push_back(m_fn.EscapeSql(source));

    std::string sql = "WITH p(k, path) AS MATERIALIZED (SELECT json_extract(value, '$[0]'), json_extract(value, '$[1]') "
                      "FROM json_each(?1)) SELECT p.k, m.rowid IS NOT NULL, m.rate, m.length, m.comment, ";
    sql += request.lastPlayed ? "(SELECT ifnull(t.date, '') || ', ' || ifnull(t.time, '') FROM track t "
                                "WHERE t.fullpath = p.path AND t.name = ?2 ORDER BY t.date DESC, t.time DESC LIMIT 1), "
                              : "NULL, ";
    sql += "(SELECT f.value FROM flag f WHERE f.path = p.path LIMIT 1)";
    for (int n = 0; n < 3; ++n) {
        const std::string list = std::to_string(n + 1);
        if (!request.marks[n]) {
            sql += ", 0";
            continue;
        }
        sql += ", EXISTS (SELECT 1 FROM markext" + list + " k WHERE k.path = p.path";
        if (request.marksBySource)
            sql += " AND k.playlist = ?" + std::to_string(n + 3);
        sql += ")";
    }
    // The first row of a path, as every single-song lookup takes it.
    sql += " FROM p LEFT JOIN music m ON m.rowid = (SELECT rowid FROM music WHERE path = p.path LIMIT 1);";

    CppSQLite3Table t = Run(own, [&](CppSQLite3DB& db) { return db.GetTable(sql, params); });
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetRow(r);
        const int index = t.FieldInt(0, -1);
        if (index < 0 || index >= static_cast<int>(facts.size()))
            continue;
        SongFacts& f = facts[static_cast<std::size_t>(index)];
        f.known = t.FieldInt(1, 0) != 0;
        f.rate = t.FieldInt(2, 0);
        f.length = t.FieldInt(3, 0);
        f.comment = m_fn.UnescapeSql(t.FieldTextOr(4, ""));
        f.lastPlayed = t.FieldTextOr(5, "");
        f.flag = t.FieldInt(6, 0);
        for (int n = 0; n < 3; ++n)
            f.marked[static_cast<std::size_t>(n)] = t.FieldInt(7 + n, 0) != 0;
    }
    return facts;
}
