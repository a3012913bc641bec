// CMusicDb: start-up of mirtal.db, its version texts, the reset of all tables
// and the move of stored paths to the drive of the data folder.
#include "store/MusicDb.h"

#include "store/MusicDbDetail.h"
#include "store/StoreGlobals.h"

bool CMusicDb::Init()
{
    bool fresh = false;
    bool schemaFirst = false;
    {
        CppSQLite3DB db;
        OpenLocal(db);
        fresh = !db.TableExists("ini");
        // The upgrade steps write settings and styles: both tables must be there before them.
        schemaFirst = fresh || !db.TableExists("stylesheet");
    }
    if (schemaFirst)
        CreateSchema();
    if (fresh) {
        // The schema above is complete: a new file starts at the latest version.
        WriteFreshSettings();
        return true;
    }
    UpgradeSettings();
    CreateSchema();
    return true;
}

std::string CMusicDb::GetVersionText()
{
    std::string text = GetSetting("system - version", 1);
    const auto dotAt = [&text](size_t pos) { text.insert(pos < text.size() ? pos : text.size(), 1, '.'); };
    if (text.size() <= 5) {
        dotAt(3);
        dotAt(1);
    } else {
        dotAt(4);
        dotAt(2);
    }
    return text;
}

std::string CMusicDb::GetModifiedText() { return GetSetting("system - modified", 1); }

void CMusicDb::RestoreAllTables()
{
    ResetTrack();
    ResetHotkeys();
    ResetMarks();
    ResetMemory();
    ResetQueuedFiles();
    ResetFlags();
    ResetEqPresets();
    ResetMarriages();
    ResetTemp();
    ResetMusic();
    ResetStylesheet();
    ResetMusicMarkers();
}

void CMusicDb::RelocatePaths()
{
    // Drive letters mean nothing to a data folder without one (a POSIX path): nothing moves then.
    if (!MyFunctions::IsDriveFolder(g_baseFolder))
        return;
    const auto moved = [this](const std::string& value) { return m_fn.ReplaceDrive(value); };
    // A stored value that is a drive path not yet on the data folder's drive.
    const auto needsMove = [&moved](const std::string& value) {
        return MyFunctions::IsDrivePath(value) && moved(value) != value;
    };

    BeginBatch();
    Run(0, [&](CppSQLite3DB& db) {
        CppSQLite3Table names = db.GetTable(
            "SELECT name FROM ini WHERE name like '%path%' or name like '%playlist%' or name like '%playmusic%' "
            "or name like '%combo%' or name like '%lyrics%';");
        for (int r = 0; r < names.RowCount(); ++r) {
            names.SetRow(r);
            const std::string name = names.FieldTextOr(0, "");
            CppSQLite3Table row = db.GetTable("SELECT * FROM ini WHERE name='" + Sql(name) + "';");
            if (row.RowCount() < 1)
                continue;
            row.SetRow(0);
            const std::string value = row.FieldTextOr(1, "");
            if (needsMove(value))
                db.Execute("UPDATE ini SET value='" + Sql(moved(value)) + "' WHERE name='" + Sql(name) + "';");
        }

        const auto moveMarry = [&]() {
            CppSQLite3Table marry = db.GetTable("SELECT * FROM marry;");
            for (int r = 0; r < marry.RowCount(); ++r) {
                marry.SetRow(r);
                const std::string path = marry.FieldTextOr(0, "");
                const std::string html = marry.FieldTextOr(1, ""); // a lyrics path or a reference
                if (!needsMove(path) && !needsMove(html))
                    continue;
                const std::string newPath = needsMove(path) ? moved(path) : path;
                const std::string newHtml = needsMove(html) ? moved(html) : html;
                db.Execute("UPDATE marry SET html='" + Sql(newHtml) + "', path='" + Sql(newPath) +
                           "' WHERE path='" + Sql(path) + "';");
            }
        };

        // The tables in their order, each with the column index and name of its path.
        const struct {
            const char* table;
            int column;
            const char* name;
        } tables[] = {
            {"markext1", 0, "path"}, {"markext2", 0, "path"}, {"markext3", 0, "path"}, {"flag", 0, "path"},
            {"marry", 0, "path"},    {"memory", 0, "szpath"}, {"track", 5, "fullpath"}, {"music", 0, "path"},
        };
        for (const auto& t : tables) {
            const std::string table = t.table;
            if (table == "marry") {
                moveMarry();
                continue;
            }
            // Only rows that hold a drive path are read.
            CppSQLite3Table rows =
                db.GetTable("SELECT * FROM " + table + " WHERE substr(" + t.name + ", 2, 1) = ':';");
            for (int r = 0; r < rows.RowCount(); ++r) {
                rows.SetRow(r);
                const std::string value = rows.FieldTextOr(t.column, "");
                // Memory entries that begin with "[" are references, not paths.
                if (!needsMove(value) || (table == "memory" && value.rfind('[', 0) == 0))
                    continue;
                db.Execute("UPDATE " + table + " SET " + t.name + "='" + Sql(moved(value)) + "' WHERE " + t.name +
                           "='" + Sql(value) + "';");
            }
        }
    });
    CommitBatch();
}
