// CMusicDb: the log of played songs, table track.
#include "store/MusicDb.h"

#include <cstdio>

namespace {

// Local midnight of a stored date "yyyy-mm-dd"; false for a text that is no
// calendar date from 1970 on (rows can come from imported files).
bool dayStart(const MyFunctions& fn, const std::string& date, std::time_t& out)
{
    const int year = fn.YearOfDate(date);
    const int month = fn.MonthOfDate(date);
    const int day = fn.LastTwoDigits(date);
    if (year < 1970 || year > 3000 || month < 1 || month > 12 || day < 1)
        return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > days[month - 1] + (month == 2 && leap ? 1 : 0))
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1; // the system decides on daylight saving
    out = std::mktime(&tm);
    return out != static_cast<std::time_t>(-1);
}

long long wholeHours(std::time_t later, std::time_t earlier)
{
    return static_cast<long long>(std::difftime(later, earlier) / 3600.0); // toward zero
}

} // namespace

void CMusicDb::AddTrack(const std::string& title, const std::string& danceName, int useClock,
                        const std::string& date, const std::string& time, int list, const std::string& filePath,
                        int level, int own)
{
    std::string day = date;
    std::string clock = time;
    if (useClock) {
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
        day = buffer;
        std::snprintf(buffer, sizeof buffer, "%02d:%02d", tm.tm_hour, tm.tm_min);
        clock = buffer;
    }
    const std::string t = Sql(m_fn.EscapeSql(title));
    const std::string n = Sql(m_fn.EscapeSql(danceName));
    const std::string f = Sql(m_fn.EscapeSql(filePath));
    if (f.empty())
        return;
    // Imported dates and times are texts of a file: quoted like every other text.
    const std::string d = Sql(day);
    const std::string c = Sql(clock);
    const std::string l = m_fn.IntToString(list);
    const std::string v = m_fn.IntToString(level);
    Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table same = db.GetTable("SELECT * FROM track WHERE path='" + t + "' AND date='" + d +
                                           "' AND time='" + c + "' AND list=" + l + " AND fullpath='" + f +
                                           "' AND level=" + v + ";");
        if (same.RowCount() == 0)
            db.Execute("insert into track values ('" + d + "','" + c + "','" + t + "', '" + n + "', " + l + ", '" +
                       f + "'," + v + ");");
    });
}

void CMusicDb::DeleteTrack(const std::string& title, const std::string& date, const std::string& time,
                           const std::string& danceName, int own)
{
    const std::string t = Sql(m_fn.EscapeSql(title));
    const std::string n = Sql(m_fn.EscapeSql(danceName));
    Run(own, [&](CppSQLite3DB& db) {
        if (db.GetTable("SELECT * FROM track WHERE path='" + t + "';").RowCount() > 0)
            db.Execute("DELETE from track WHERE path='" + t + "' AND name='" + n + "' AND date='" + Sql(date) +
                       "' AND time='" + Sql(time) + "';");
    });
}

CppSQLite3Table CMusicDb::GetTrackLog(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM track ORDER BY date DESC, time DESC;"); });
}

CppSQLite3Table CMusicDb::GetTrackNamesWithLevel(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT DISTINCT name, level FROM track;"); });
}

CppSQLite3Table CMusicDb::GetTrackNames(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT DISTINCT name FROM track;"); });
}

std::string CMusicDb::CountTracksForFile(const std::string& filePath, int own)
{
    const std::string f = Sql(m_fn.EscapeSql(filePath));
    const int count = Run(own, [&](CppSQLite3DB& db) {
        return db.QueryScalar("SELECT count(*) FROM track WHERE fullpath = '" + f + "';");
    });
    return m_fn.IntToString(count);
}

bool CMusicDb::IsInTrackLog(int mode, const std::string& title, const std::string& danceName, int exact, int own)
{
    const std::string t = Sql(m_fn.EscapeSql(title));
    const std::string n = Sql(m_fn.EscapeSql(danceName));
    std::string sql;
    if (mode >= 4)
        sql = "SELECT * FROM track WHERE path='" + t + "';";
    else if (exact)
        sql = "SELECT * FROM track WHERE path='" + t + "' AND name='" + n + "';";
    else
        sql = "SELECT * FROM track WHERE path='" + t + "' AND name LIKE '%" + n + "%';";
    return Run(own, [&](CppSQLite3DB& db) { return db.GetTable(sql).RowCount() > 0; });
}

std::string CMusicDb::GetLastTrackDate(const std::string& filePath, const std::string& danceName, int own)
{
    const std::string f = Sql(m_fn.EscapeSql(filePath));
    const std::string n = Sql(m_fn.EscapeSql(danceName));
    return Run(own, [&](CppSQLite3DB& db) {
        // Only the newest play is wanted; the zero-padded texts sort in time order.
        CppSQLite3Table t = db.GetTable("SELECT date, time FROM track WHERE fullpath = '" + f + "' AND name = '" + n +
                                        "' ORDER BY date DESC, time DESC LIMIT 1;");
        if (t.RowCount() < 1)
            return std::string();
        t.SetRow(0);
        return std::string(t.FieldTextOr(0, "")) + ", " + t.FieldTextOr(1, "");
    });
}

bool CMusicDb::IsTrackInDateRange(const std::string& filePath, std::time_t start, std::time_t end, int kind,
                                  int list, int own)
{
    const std::string f = Sql(m_fn.EscapeSql(filePath));
    const std::string sql = own ? "SELECT date FROM track WHERE fullpath = '" + f + "' and list=" +
                                      m_fn.IntToString(list) + " ORDER BY date ASC, time ASC ;"
                                : "SELECT date FROM track WHERE fullpath = '" + f + "' ORDER BY date ASC, time ASC ;";
    CppSQLite3Table t = Run(own, [&](CppSQLite3DB& db) { return db.GetTable(sql); });

    bool inside = false;
    bool upToEnd = false;
    bool afterEnd = false;
    for (int r = 0; r < t.RowCount(); ++r) {
        t.SetRow(r);
        std::time_t played = 0;
        if (!dayStart(m_fn, t.FieldTextOr(0, ""), played))
            continue; // a malformed date tells nothing about when the song was played
        const long long beforeStart = wholeHours(start, played);
        const long long beforeEnd = wholeHours(end, played);
        if (beforeStart < 0 && beforeEnd >= 0)
            inside = true;
        if (beforeEnd >= 0)
            upToEnd = true;
        else
            afterEnd = true;
    }
    return kind == 0 ? inside : upToEnd && !afterEnd;
}
