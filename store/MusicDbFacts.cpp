// CMusicDb: the facts the song lists show for many songs, gathered in one statement.
#include "store/MusicDb.h"

#include "store/NumberParse.h"
#include "store/TextKey.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// From this many paths on, the rows of table music are read in file order.
constexpr std::size_t kRowOrderFrom = 5000;

// A text that is its own stored form and its own JSON string body: none of ' " \ and no
// control byte. Nearly every path is one.
bool plain(std::string_view text)
{
    static const auto special = [] {
        std::array<bool, 256> table{};
        for (int c = 0; c < 0x20; ++c)
            table[static_cast<std::size_t>(c)] = true;
        table['\''] = table['"'] = table['\\'] = true;
        return table;
    }();
    bool any = false;
    for (const char c : text)
        any |= special[static_cast<unsigned char>(c)];
    return !any;
}

// The paths as one JSON array text for json_each: the statement stays the same whatever
// the number of songs, and no path ever becomes part of the SQL. The array holds the paths
// (stored forms) sorted, so that the lookups walk every index in its own order and read each
// of its pages once; order[i] is the place in the caller's list of the array's element i.
// A flat array of texts: json_each hands out each element's place and text without parsing
// the element again (a pair per path took three times as long for a whole list).
std::string jsonArray(const MyFunctions& fn, const std::vector<std::string>& paths, std::vector<std::size_t>& order)
{
    // The stored forms are gathered into one text in the caller's order (most paths hold
    // nothing the stored form changes and are copied as they are), then sorted as compact
    // records whose keys hold the bytes past the folder all paths share: the sort and the
    // array read the paths from one place instead of from every path's own memory.
    struct Entry {
        store::TextKey key;
        std::size_t from;
        std::size_t size;
        std::size_t place;
    };
    std::string stored;
    std::size_t total = 0;
    for (const std::string& p : paths)
        total += p.size();
    stored.reserve(total + total / 8);
    std::vector<Entry> entries(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        entries[i].from = stored.size();
        if (plain(paths[i]))
            stored += paths[i];
        else
            stored += fn.EscapeSql(paths[i]);
        entries[i].size = stored.size() - entries[i].from;
        entries[i].place = i;
    }
    const auto text = [&stored](const Entry& e) { return std::string_view(stored).substr(e.from, e.size); };
    const std::size_t shared =
        store::SharedPrefix(entries.size(), [&](std::size_t i) { return text(entries[i]); });
    for (Entry& e : entries)
        e.key = store::TextKey(text(e), shared);
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const int c = a.key.Compare(b.key);
        return c != 0 ? c < 0 : text(a) < text(b);
    });

    std::string out;
    out.reserve(stored.size() + 3 * entries.size() + 2);
    order.resize(entries.size());
    out += '[';
    for (std::size_t i = 0; i < entries.size(); ++i) {
        order[i] = entries[i].place;
        if (i)
            out += ',';
        out += '"';
        const std::string_view t = text(entries[i]);
        if (plain(t)) {
            out += t;
            out += '"';
            continue;
        }
        std::size_t from = 0;
        for (std::size_t at = 0; at < t.size(); ++at) {
            const unsigned char c = static_cast<unsigned char>(t[at]);
            if (c != '"' && c != '\\' && c >= 0x20)
                continue;
            out.append(t, from, at - from);
            from = at + 1;
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", c);
                out += code;
            }
        }
        out.append(t.substr(from));
        out += '"';
    }
    out += ']';
    return out;
}

// The facts of many songs read thousands of pages spread over the file, each of them once;
// only the upper levels of the indexes are read again, and they fit in a few dozen pages. A
// page cache of the usual size (about 500 pages) would gain nothing but fresh memory, faulted
// in page by page and handed back to the system when the connection closes: that cost more
// than the reading itself. The statement runs with a small cache; a batch connection gets its
// sizes back afterwards, and keeps spilling its changes to the file only where it did before.
constexpr int kFactsCachePages = 64;

class SmallPageCache {
public:
    SmallPageCache(CppSQLite3DB& db, int pages)
        : m_db(db), m_cache(db.QueryScalar("PRAGMA cache_size;")), m_spill(db.QueryScalar("PRAGMA cache_spill;"))
    {
        if (m_spill > 0)
            m_db.Execute("PRAGMA cache_spill = " + std::to_string(m_spill) + ";");
        m_db.Execute("PRAGMA cache_size = " + std::to_string(pages) + ";");
    }
    SmallPageCache(const SmallPageCache&) = delete;
    SmallPageCache& operator=(const SmallPageCache&) = delete;
    ~SmallPageCache()
    {
        try {
            m_db.Execute("PRAGMA cache_size = " + std::to_string(m_cache) + ";");
        } catch (...) {
            // The connection stays usable with the small cache.
        }
    }

private:
    CppSQLite3DB& m_db;
    int m_cache;
    int m_spill;
};

} // namespace

std::vector<SongFacts> CMusicDb::GetSongFacts(const std::vector<std::string>& paths, const SongFactsRequest& request,
                                              int own)
{
    std::vector<SongFacts> facts(paths.size());
    if (paths.empty())
        return facts;

    // ?1 the paths, ?2 the dance name, ?3..?5 the sources of lists 1..3 (stored forms).
    std::vector<std::size_t> order;
    std::vector<std::string> params{jsonArray(m_fn, paths, order), m_fn.EscapeSql(request.danceName)};
    for (const std::string& source : request.sources)
        params.push_back(m_fn.EscapeSql(source));

    // Only the facts asked for: each one is a lookup per row. Column 0 is the place in the array.
    std::vector<std::string> lookups;
    if (request.lastPlayed)
        lookups.emplace_back("(SELECT ifnull(t.date, '') || ', ' || ifnull(t.time, '') FROM track t "
                             "WHERE t.fullpath = p.path AND t.name = ?2 ORDER BY t.date DESC, t.time DESC LIMIT 1)");
    if (request.flag)
        lookups.emplace_back("(SELECT f.value FROM flag f WHERE f.path = p.path LIMIT 1)");
    for (int n = 0; n < 3; ++n) {
        if (!request.marks[static_cast<std::size_t>(n)])
            continue;
        std::string exists = "EXISTS (SELECT 1 FROM markext" + std::to_string(n + 1) + " k WHERE k.path = p.path";
        if (request.marksBySource)
            exists += " AND k.playlist = ?" + std::to_string(n + 3);
        lookups.push_back(exists + ")");
    }
    int column = 1;
    const int songColumn = request.songRow ? column : -1;
    if (request.songRow)
        column += 4;
    const int playColumn = request.lastPlayed ? column++ : -1;
    const int flagColumn = request.flag ? column++ : -1;
    std::array<int, 3> markColumn{-1, -1, -1};
    for (std::size_t n = 0; n < 3; ++n)
        if (request.marks[n])
            markColumn[n] = column++;

    // Not materialized: json_each hands its elements to the lookups as it steps; a table of
    // them first would be written out to a temporary file for a whole list.
    std::string sql = "WITH p(k, path) AS (SELECT key, value FROM json_each(?1))";
    // The first row of a path, as every single-song lookup takes it.
    if (request.songRow && paths.size() >= kRowOrderFrom) {
        // A long list reads the rows of table music in the order they lie in the file (by rowid),
        // after the path lookups in path order: read in path order, it would fetch the same table
        // pages again and again. The other lookups run in path order. A page of rows touches
        // few table pages, and the extra sort would only cost it time.
        sql += ", r AS MATERIALIZED (SELECT p.k AS k, (SELECT rowid FROM music WHERE path = p.path LIMIT 1) AS id";
        for (std::size_t i = 0; i < lookups.size(); ++i)
            sql += ", " + lookups[i] + " AS v" + std::to_string(i);
        sql += " FROM p ORDER BY id) SELECT r.k, m.rowid IS NOT NULL, m.rate, m.length, m.comment";
        for (std::size_t i = 0; i < lookups.size(); ++i)
            sql += ", r.v" + std::to_string(i);
        sql += " FROM r LEFT JOIN music m ON m.rowid = r.id;";
    } else {
        sql += " SELECT p.k";
        if (request.songRow)
            sql += ", m.rowid IS NOT NULL, m.rate, m.length, m.comment";
        for (const std::string& lookup : lookups)
            sql += ", " + lookup;
        sql += " FROM p";
        if (request.songRow)
            sql += " LEFT JOIN music m ON m.rowid = (SELECT rowid FROM music WHERE path = p.path LIMIT 1)";
        sql += ";";
    }

    const auto number = [](const char* text) { return text ? store::LeadingInt(text) : 0; };
    Run(own, [&](CppSQLite3DB& db) {
        const SmallPageCache small(db, kFactsCachePages);
        db.ForEachRow(sql, params, [&](const char* const* field, int) {
            const int place = field[0] ? store::LeadingInt(field[0]) : -1;
            if (place < 0 || place >= static_cast<int>(order.size()))
                return;
            SongFacts& f = facts[order[static_cast<std::size_t>(place)]];
            if (songColumn > 0) {
                f.known = number(field[songColumn]) != 0;
                f.rate = number(field[songColumn + 1]);
                f.length = number(field[songColumn + 2]);
                f.comment = m_fn.UnescapeSql(field[songColumn + 3] ? field[songColumn + 3] : "");
            }
            if (playColumn > 0 && field[playColumn])
                f.lastPlayed = field[playColumn];
            if (flagColumn > 0)
                f.flag = number(field[flagColumn]);
            for (std::size_t n = 0; n < 3; ++n)
                if (markColumn[n] > 0)
                    f.marked[n] = number(field[markColumn[n]]) != 0;
        });
    });
    return facts;
}
