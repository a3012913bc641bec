// CMusicDb: the tables of mirtal.db, created when missing and upgraded in
// place, and the tablet database made afresh for the tablet export.
#include "store/MusicDb.h"

#include "store/DataFile.h"
#include "store/Transaction.h"

namespace {

const char* const kCreateMusic =
    "create table music(path varchar(100),speed int, pitch int, tempo double, volume int, loopset double, "
    "loopstop double, eq1 int, eq2 int, eq3 int, markers varchar(150), rate int, length int, comment "
    "varchar(150), date varchar (20), eq4 int, eq5 int, eq6 int, eq7 int, eq8 int, eq9 int, eq10 int, keypitch "
    "int, keytime double, pitchfloat double);";
const char* const kPlaceholderRow =
    "insert into music values ('dummydb',0,0,0.0,0,0.0,0.0,0,0,0,' ',0,0,' ',' ',0,0,0,0,0,0,0,0,0.0,0.0);";

struct TableDef {
    const char* name;
    const char* create;
};

// Checked and created in this order after music.
const TableDef kTables[] = {
    {"markext1", "create table markext1(path varchar(75), row int, playlist varchar(100));"},
    {"markext2", "create table markext2(path varchar(75), row int, playlist varchar(100));"},
    {"markext3", "create table markext3(path varchar(75), row int, playlist varchar(100));"},
    {"flag", "create table flag(path varchar(75), value varchar(75));"},
    {"eq", "create table eq(name varchar(75), eq1 varchar(10), eq2 varchar(10), eq3 varchar(10), eq4 varchar(10), "
           "eq5 varchar(10), eq6 varchar(10), eq7 varchar(10), eq8 varchar(10), eq9 varchar(10), eq10 varchar(10));"},
    {"memory", "create table memory(szpath varchar(75));"},
    {"marry", "create table marry(path varchar(75), html varchar(75));"},
    {"ini", "create table ini(name varchar(75), value varchar(75));"},
    {"stylesheet", "create table stylesheet(name varchar(75), value varchar(75));"},
    {"hotkeys", "create table hotkeys(name varchar(75), value int);"},
    {"temp", "create table temp(key varchar(75), name varchar(75), value varchar(75));"},
    {"track", "create table track(date varchar(50), time varchar(50),path varchar(75), name varchar(50), list "
              "varchar(10), fullpath varchar(100), level int);"},
    {"queuedfiles", "create table queuedfiles(name varchar(75), path varchar(75), type varchar(75), lyrics "
                    "varchar(75), list int, row int, naming int, nr int);"},
    {"musicmarkers", "create table musicmarkers(path varchar(75), mark int, comment varchar(75));"},
};

const char* const kSongLookupIndexes[] = {
    "create index if not exists idx_track_fullpath on track (fullpath, name, date, time);",
    "create index if not exists idx_track_path on track (path);",
    "create index if not exists idx_markext1 on markext1 (path, playlist);",
    "create index if not exists idx_markext2 on markext2 (path, playlist);",
    "create index if not exists idx_markext3 on markext3 (path, playlist);",
    "create index if not exists idx_flag on flag (path, value);",
    "create index if not exists idx_musicmarkers on musicmarkers (path, mark);",
};

// The default style sheet: five parts, then the index, then the choreography styles.
void insertDefaultStyles(CppSQLite3DB& db)
{
    struct Part {
        const char* part;
        const char* fontname; // null: the part has none
        const char* fontsize;
        const char* fontweight;
        const char* color[3];
        const char* colorbg[3]; // null: the part has none
    };
    const Part parts[] = {
        {"title", nullptr, "6", "Bold", {"0", "0", "0"}, {nullptr, nullptr, nullptr}},
        {"label", nullptr, "2", "Normal", {"0", "0", "255"}, {nullptr, nullptr, nullptr}},
        {"header", nullptr, "5", "Normal", {"255", "0", "0"}, {nullptr, nullptr, nullptr}},
        {"lyrics", nullptr, "5", "Normal", {"0", "0", "0"}, {"255", "192", "203"}},
        {"text", "Comic Sans MS", "18", "Normal", {"0", "0", "0"}, {"255", "255", "224"}},
    };
    const auto insert = [&db](const std::string& name, const std::string& value) {
        db.Execute("insert into stylesheet values('" + name + "','" + value + "');");
    };
    static const char* const rgb[3] = {"R", "G", "B"};
    for (const Part& p : parts) {
        const std::string part = p.part;
        if (p.fontname)
            insert(part + "fontname", p.fontname);
        insert(part + "fontsize", p.fontsize);
        insert(part + "fontweight", p.fontweight);
        for (int i = 0; i < 3; ++i)
            insert(part + "color" + rgb[i], p.color[i]);
        for (int i = 0; i < 3; ++i)
            if (p.colorbg[i])
                insert(part + "colorbg" + rgb[i], p.colorbg[i]);
    }
    db.Execute("create index idx_stylesheet on stylesheet (name);");
    const struct {
        const char* word;
        const char* value;
    } choreo[] = {{"choreofontname", "Comic Sans MS"}, {"choreofontsize", "6"}, {"choreofontweight", "Normal"},
                  {"choreocolorR", "0"},               {"choreocolorG", "0"},   {"choreocolorB", "0"}};
    for (const auto& c : choreo)
        for (int n = 1; n <= 4; ++n)
            insert(c.word + std::to_string(n), c.value);
    insert("csspath", "0");
}

void insertDefaultHotkeys(CppSQLite3DB& db)
{
    for (const CMusicDb::HotkeyDefault& k : CMusicDb::DefaultHotkeys())
        db.Execute(std::string("insert into hotkeys values('") + k.key + "'," + std::to_string(k.function) + ");");
    db.Execute("create index idx_hotkeys on hotkeys (name);");
}

// A table and its start rows in one transaction: all of it or none.
template <class F>
void createWithRows(CppSQLite3DB& db, const char* create, F&& rows)
{
    store::InTransaction(db, [&](CppSQLite3DB& d) {
        d.Execute(create);
        rows(d);
    });
}

} // namespace

void CMusicDb::CreateSchema()
{
    {
        CppSQLite3DB db;
        db.SetBusyTimeout(10000);
        OpenLocal(db);

        if (!db.TableExists("music")) {
            createWithRows(db, kCreateMusic, [](CppSQLite3DB& d) {
                d.Execute("create index idx_music on music (path);");
                d.Execute(kPlaceholderRow);
            });
        }
        if (ColumnCount(db, "music") == 24) {
            db.Execute("ALTER TABLE music ADD pitchfloat double;");
            CopyPitchToPitchFloat();
        }

        for (const TableDef& t : kTables) {
            if (db.TableExists(t.name))
                continue;
            const std::string name = t.name;
            if (name == "marry")
                createWithRows(db, t.create,
                               [](CppSQLite3DB& d) { d.Execute("create index idx_marry on marry (path);"); });
            else if (name == "stylesheet")
                createWithRows(db, t.create, insertDefaultStyles);
            else if (name == "hotkeys")
                createWithRows(db, t.create, insertDefaultHotkeys);
            else
                db.Execute(t.create);
        }
        // Start-up reads some two hundred settings by name; without an index each read scans them all.
        if (db.QueryScalar("select count(*) from sqlite_master where type='index' and name='idx_ini';") == 0)
            db.Execute("create index idx_ini on ini (name);");
        // Song lists look up the log, the marks, the flags and the marker comments of every row
        // by path; indexed, a lookup does not grow with the table. Older files gain them here.
        for (const char* index : kSongLookupIndexes) {
            try {
                db.Execute(index);
            } catch (const CppSQLite3Exception& e) {
                // A table of an unexpected older shape only lacks the index: still usable, only slower.
                if (e.ErrorCode() != 1)
                    throw;
            }
        }
    }
    MigrateOldMarks();
}

void CMusicDb::CopyPitchToPitchFloat()
{
    // Every row at once: the whole number pitch (0 when NULL) as the pitch in semitones.
    Run(1, [](CppSQLite3DB& db) {
        db.Execute("UPDATE music SET pitchfloat = CAST(CAST(IFNULL(pitch, 0) AS INTEGER) AS REAL);");
    });
}

void CMusicDb::CreateTabletDb()
{
    m_fn.EnterDataFolder();
    if (CDataFile::Exists("mirtaltablet.db") == CDataFile::kFileExists)
        CDataFile::RemoveFile("mirtaltablet.db");
    CppSQLite3DB db;
    db.SetBusyTimeout(10000);
    OpenLocal(db, "mirtaltablet.db");
    if (!db.TableExists("music")) {
        db.Execute("create table music(path varchar(100),speed int, pitch int, tempo int, loopset double, "
                   "loopstop double, marry varchar(100));");
        db.Execute("create index idx_music on music (path);");
    }
}
