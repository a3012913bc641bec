// CUtilityDb: the record catalogue, its import from a fixed-width list and its queries.
#include "store/UtilityDb.h"

#include "store/AppGlobals.h"
#include "platform/win/MessageBox.h"
#include "store/EmptyTable.h"
#include "store/ImportChooser.h"
#include "store/UtilityDbDetail.h"

#include <set>

namespace {

// A list line is a few hundred characters of text at most; anything else (a
// binary file, a file without line breaks) is refused line by line.
constexpr size_t kMaxLineBytes = 1024;

// Whether a list line can be a record line: text (no control characters but
// tabs and the NUL padding some lists have), not absurdly long, with a label.
bool isRecordLine(const std::string& line)
{
    if (line.size() > kMaxLineBytes)
        return false;
    for (size_t i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        const bool lineEnd = b == '\r' && i + 1 == line.size();
        if ((b < 0x20 && b != '\t' && b != 0 && !lineEnd) || b == 0x7F)
            return false;
    }
    return true;
}

// SQLite's text ends at a NUL byte: a field is stored as far as that, so it is
// compared as far as that too (two labels differing after a NUL are one label).
std::string cutAtNul(std::string text)
{
    const size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text.erase(nul);
    return text;
}

struct Record {
    std::string label, title, caller, company; // stored form
    std::vector<std::string> callers;          // the caller field cut at "/", stored form
};

// Columns of a list line, counted in characters: label 1-11, title 12-64, caller 65-114,
// company 115-138. The fields are cut from the line as it is and only then put into their
// stored form, so an apostrophe in one field does not shift the fields after it.
Record parseLine(const MyFunctions& fn, const std::string& line)
{
    using utilitydb::MidChars;
    Record r;
    r.label = fn.EscapeSql(store::TrimRight(cutAtNul(MidChars(line, 0, 11))));
    r.title = fn.EscapeSql(store::TrimRight(cutAtNul(MidChars(line, 11, 53))));
    const std::string caller = fn.EscapeSql(store::TrimRight(cutAtNul(MidChars(line, 64, 50))));
    r.company = fn.EscapeSql(store::TrimRight(cutAtNul(MidChars(line, 114, 24))));
    r.title = fn.CapitalizeWords(r.title);
    r.caller = fn.CapitalizeWords(caller);

    // The caller list takes the names as listed, cut at every "/" but a leading one.
    if (!caller.empty()) {
        std::string rest = caller;
        for (size_t slash = rest.find('/'); slash != std::string::npos && slash > 0; slash = rest.find('/')) {
            r.callers.push_back(rest.substr(0, slash));
            rest = rest.substr(slash + 1);
        }
        r.callers.push_back(rest);
    }
    return r;
}

std::string duplicatesText(const MyFunctions& fn, const std::vector<std::string>& labels)
{
    constexpr size_t kShown = 20;
    std::string text = fn.IntToString(static_cast<int>(labels.size())) +
                       " records were not imported because their label is listed before:\n";
    for (size_t i = 0; i < labels.size() && i < kShown; ++i)
        text += (i ? ", " : "") + fn.UnescapeSql(labels[i]);
    if (labels.size() > kShown)
        text += ", ...";
    return text;
}

} // namespace

CUtilityDb::RecordImport CUtilityDb::ImportRecordList(CImportChooser& chooser)
{
    RecordImport result;
    const std::string path = chooser.ChooseFile("*.*", "All Files (*.*)|*.*||");
    if (path.empty())
        return result;

    // The whole list is read before the catalogue is touched.
    std::vector<std::string> lines;
    if (!utilitydb::ReadTextLines(path, lines)) {
        AfxMessageBox("Can't read the record list " + path + ".\nThe record catalogue is unchanged.",
                      MB_ICONEXCLAMATION);
        return result;
    }
    std::vector<Record> records;
    std::set<std::string> labels;
    for (const std::string& line : lines) {
        if (utilitydb::TrimRight(line).empty())
            continue;
        if (!isRecordLine(line)) {
            ++result.refused;
            continue;
        }
        Record r = parseLine(m_fn, line);
        if (r.label.empty()) {
            ++result.refused;
            continue;
        }
        if (!labels.insert(r.label).second) {
            result.duplicates.push_back(r.label);
            continue;
        }
        records.push_back(std::move(r));
    }
    // A list without a single record is taken for a wrong or damaged file, never for an
    // order to empty the catalogue.
    if (records.empty()) {
        AfxMessageBox("The record list " + path + " holds no records.\nThe record catalogue is unchanged.",
                      MB_ICONEXCLAMATION);
        return result;
    }
    // Mostly lines that are not records: a binary or other file, not a record list.
    if (result.refused > 0 && size_t(result.refused) >= records.size() + result.duplicates.size()) {
        AfxMessageBox("The file " + path + " is not a record list: " + m_fn.IntToString(result.refused) +
                          " of its lines are not records.\nThe record catalogue is unchanged.",
                      MB_ICONEXCLAMATION);
        result.duplicates.clear();
        return result;
    }
    if (result.refused > 0) {
        AfxMessageBox(m_fn.IntToString(result.refused) + " lines of the record list " + path +
                          " are not records (binary data, no label or far too long) and were not imported.",
                      MB_ICONEXCLAMATION);
    }

    {
        // Dropped and filled in one transaction: a failure leaves the old catalogue.
        CppSQLite3DB db;
        OpenLocal(db);
        db.Execute("PRAGMA synchronous = 1");
        db.Execute("BEGIN");
        for (const char* table : {"sqrecord", "caller", "temp"})
            if (db.TableExists(table))
                db.Execute(std::string("drop table ") + table + ";");
        CreateMissingTables(db);
        for (const Record& r : records) {
            db.Execute("insert into sqrecord values('" + Sql(r.label) + "','" + Sql(r.title) + "','" +
                       Sql(r.caller) + "','" + Sql(r.company) + "','" + Sql(r.label + " - " + r.title) +
                       "','[no]');");
            for (const std::string& caller : r.callers)
                db.Execute("insert into temp values('" + Sql(caller) + "');");
        }
        CppSQLite3Table distinct = db.GetTable("SELECT DISTINCT* FROM temp;");
        for (int row = 0; row < distinct.RowCount(); ++row) {
            distinct.SetRow(row);
            db.Execute("insert into caller values('" + Sql(distinct.FieldTextOr(0, "")) + "');");
        }
        db.Execute("drop table temp;");
        db.Execute("create unique index idx_sqrecord on sqrecord (label);");
        db.Execute("COMMIT");
    }
    StampVersion();

    result.replaced = true;
    result.records = static_cast<int>(records.size());
    if (!result.duplicates.empty())
        AfxMessageBox(duplicatesText(m_fn, result.duplicates), MB_ICONEXCLAMATION);
    return result;
}

CppSQLite3Table CUtilityDb::SearchRecords(const std::string& text, int field, const std::string& company,
                                          const std::string& caller)
{
    static const char* const kColumns[] = {"title", "label", "caller", "company"};
    if (field < 0 || field > 3)
        return EmptyTable();
    const std::string sql = std::string("SELECT * FROM sqrecord WHERE ") + kColumns[field] + " LIKE '%" +
                            Sql(m_fn.EscapeSql(text)) + "%' AND company LIKE '%" + Sql(company) +
                            "%' AND caller LIKE '%" + Sql(m_fn.EscapeSql(caller)) + "%';";
    CppSQLite3DB db;
    OpenLocal(db);
    return db.GetTable(sql);
}

CppSQLite3Table CUtilityDb::FindRecordsWithCueSheet(const std::string& text, int mode, int own)
{
    static const char* const kWhere[] = {"label='", "title='", "labeltitle='", "label like '%", "title like '%",
                                         "labeltitle like '%"};
    static const char* const kWhereEnd[] = {"'", "'", "'", "%'", "%'", "%'"};
    const std::string head = "SELECT label,title, caller, company, labeltitle FROM sqrecord WHERE ";
    std::string sql;
    if (mode >= 0 && mode <= 5) {
        // The text is looked for in the form it is stored in.
        sql = head + kWhere[mode] + Sql(m_fn.EscapeSql(text)) + kWhereEnd[mode] + " AND cuesheet not like '[no]%';";
    } else if (mode == 6) {
        sql = head + "cuesheet not like '[no]%';";
    } else {
        return EmptyTable();
    }
    return Run(own, [&](CppSQLite3DB& db) { return db.GetTable(sql); });
}

CppSQLite3Table CUtilityDb::GetRecordsWithCueSheet()
{
    CppSQLite3DB db;
    OpenLocal(db);
    return db.GetTable("SELECT label, title, labeltitle FROM sqrecord WHERE cuesheet NOT LIKE '[no]%';");
}

int CUtilityDb::CountRecords(int own)
{
    return Run(own, [](CppSQLite3DB& db) {
        CppSQLite3Table t = db.GetTable("SELECT COUNT (*) FROM sqrecord;");
        if (t.RowCount() < 1)
            return 0;
        t.SetRow(0);
        return t.FieldInt(0, 0);
    });
}

CppSQLite3Table CUtilityDb::GetCompanies(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT DISTINCT company FROM sqrecord;"); });
}

CppSQLite3Table CUtilityDb::GetRecordTitles(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT label,title,caller FROM sqrecord;"); });
}

CppSQLite3Table CUtilityDb::GetCallers(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT DISTINCT* FROM caller;"); });
}

CppSQLite3Table CUtilityDb::GetRecordWithCueSheet(const std::string& label)
{
    const std::string sheets = g_lyricsShort ? "cuesheetshort" : "cuesheet";
    const std::string quoted = Sql(label);
    CppSQLite3DB db;
    OpenLocal(db);
    return db.GetTable("SELECT sqrecord.label, sqrecord.title, sqrecord.caller, sqrecord.company, "
                       "sqrecord.labeltitle, " + sheets + ".cuesheet from sqrecord, " + sheets +
                       " WHERE sqrecord.label ='" + quoted + "' AND " + sheets + ".label ='" + quoted + "';");
}
