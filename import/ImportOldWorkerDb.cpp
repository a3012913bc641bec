// CImportOldWorker: the tables of an older version's database file.
#include "import/ImportOldWorker.h"

#include "store/SqlValue.h"
#include "store/TextEncoding.h"

#include <algorithm>
#include <array>

namespace {

// A field of the old file as program text: NULL reads as empty, and texts the
// Windows version stored in its code page become UTF-8.
std::string text(const CppSQLite3Table& t, int field) { return store::ToProgramText(t.FieldTextOr(field, "")); }

// The whole result of "SELECT <what> FROM <table>;", or no rows when the old file lacks the table.
CppSQLite3Table rowsOf(CppSQLite3DB& old, const std::string& table, const char* what = "*")
{
    if (!old.TableExists(table))
        return old.GetTable("SELECT 0 WHERE 0;");
    return old.GetTable(std::string("SELECT ") + what + " FROM " + table + ";");
}

// The values SaveMusicRow takes, in its order.
constexpr std::array<const char*, 24> kMusicColumns = {
    "path", "speed", "pitch", "tempo", "volume", "loopset", "loopstop", "eq1",     "eq2",     "eq3",       "markers", "rate",
    "length", "comment", "eq4", "eq5", "eq6", "eq7", "eq8", "eq9", "eq10", "keypitch", "keytime", "pitchfloat"};

} // namespace

bool CImportOldWorker::FromOldDb(const std::string& dbPath, const std::function<void(CppSQLite3DB&)>& rows)
{
    CppSQLite3DB old;
    old.OpenReadOnly(dbPath);
    // A file that is no database fails here, before anything is written.
    old.TableExists("sqlite_master");
    InBatch([&] { rows(old); });
    return true;
}

bool CImportOldWorker::ImportMarkedFromDb(const std::string& dbPath)
{
    return FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        for (int n = 1; n <= 3; ++n) {
            CppSQLite3Table t = rowsOf(old, "markext" + std::to_string(n), "DISTINCT path");
            for (int r = 0; r < t.RowCount(); ++r) {
                t.SetRow(r);
                m_musicDb.AddMark(n, text(t, 0), 0, "", 0);
            }
        }
    });
}

bool CImportOldWorker::ImportMemoryFromDb(const std::string& dbPath)
{
    return FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "memory");
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            m_musicDb.AddMemory(text(t, 0), 0);
        }
    });
}

bool CImportOldWorker::ImportTrackFromDb(const std::string& dbPath)
{
    const size_t firstOfStep = m_skipped.size();
    FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "track");
        if (t.RowCount() > 0 && t.FieldCount() < 6) {
            m_skipped.push_back("table track: " + std::to_string(t.FieldCount()) + " columns, 6 or 7 expected");
            return;
        }
        // The 6-column layout is older than the dance levels.
        const bool withLevel = t.FieldCount() != 6;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            m_musicDb.AddTrack(text(t, 2), text(t, 3), 0, text(t, 0), text(t, 1), t.FieldInt(4, 0), text(t, 5),
                               withLevel ? t.FieldInt(6, 0) : 0, 0);
        }
    });
    ReportSkipped(dbPath, firstOfStep);
    return true;
}

bool CImportOldWorker::ImportHotkeysFromDb(const std::string& dbPath)
{
    return FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "hotkeys");
        const auto& keys = CMusicDb::DefaultHotkeys();
        for (int r = 0; r < t.RowCount() && t.FieldCount() >= 2; ++r) {
            t.SetRow(r);
            const std::string name = text(t, 0);
            // Only the keys the program has: an old name of another key changes nothing.
            if (std::any_of(keys.begin(), keys.end(), [&](const auto& k) { return name == k.key; }))
                m_musicDb.SetHotkey(name, t.FieldInt(1, 0), 0);
        }
    });
}

bool CImportOldWorker::ImportStylesheetFromDb(const std::string& dbPath)
{
    return FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "stylesheet");
        for (int r = 0; r < t.RowCount() && t.FieldCount() >= 2; ++r) {
            t.SetRow(r);
            m_musicDb.SetStyle(text(t, 0), text(t, 1), 0);
        }
    });
}

bool CImportOldWorker::ImportMarryFromDb(const std::string& dbPath)
{
    return FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "marry");
        for (int r = 0; r < t.RowCount() && t.FieldCount() >= 2; ++r) {
            t.SetRow(r);
            m_musicDb.SetMarriage(text(t, 0), text(t, 1), 0);
        }
    });
}

bool CImportOldWorker::ImportSettingsFromDb(const std::string& dbPath)
{
    // Every row, "system - version" too: the next start upgrades the settings from the old version on.
    return FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "ini");
        for (int r = 0; r < t.RowCount() && t.FieldCount() >= 2; ++r) {
            t.SetRow(r);
            m_musicDb.SetSetting(text(t, 0), text(t, 1), 0);
        }
    });
}

bool CImportOldWorker::ImportMusicFromDb(const std::string& dbPath)
{
    const size_t firstOfStep = m_skipped.size();
    FromOldDb(dbPath, [&](CppSQLite3DB& old) {
        CppSQLite3Table t = rowsOf(old, "music");
        const int cols = t.FieldCount();
        // 15 columns (no equalizer bands beyond three, no key change) or 24 and more.
        if (t.RowCount() > 0 && cols != 15 && cols < 24) {
            m_skipped.push_back("table music: " + std::to_string(cols) + " columns, 15 or 24 and more expected");
            return;
        }
        const bool wide = cols >= 24;
        for (int r = 0; r < t.RowCount(); ++r) {
            t.SetRow(r);
            std::array<std::string, 24> v; // the columns of SaveMusicRow, in its order
            for (int i = 0; i < 14; ++i)
                v[size_t(i)] = text(t, i); // path to comment; old column 15 (the date) is not taken
            for (int i = 14; i < 23; ++i)
                v[size_t(i)] = wide ? text(t, i + 1) : std::string(); // eq4 to keytime
            v[23] = cols >= 25 ? text(t, 24) : std::string();        // pitchfloat
            // Columns that must hold a number, and those where empty means 0.
            bool ok = true;
            for (int i = 1; i < 24 && ok; ++i) {
                if (i == 10 || i == 13)
                    continue; // markers, comment
                const bool mayBeEmpty = i >= 11;
                if (!(mayBeEmpty && v[size_t(i)].empty()) && !store::IsSqlNumber(v[size_t(i)])) {
                    m_skipped.push_back(v[0] + ": " + kMusicColumns[size_t(i)] + "=" + v[size_t(i)]);
                    ok = false;
                }
            }
            if (ok)
                m_musicDb.SaveMusicRow(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11],
                                       v[12], v[13], v[14], v[15], v[16], v[17], v[18], v[19], v[20], v[21], v[22],
                                       v[23], 0);
        }
    });
    ReportSkipped(dbPath, firstOfStep);
    return true;
}
