#pragma once
// Access object of the main database "mirtal.db" in the data folder: its
// schema and upgrades, the settings (table ini), the style sheet, the hotkeys,
// the scratch table and table resets, and the operations on the whole file.
// Every window that reads or writes mirtal.db embeds its own CMusicDb.
//
// The last argument `own` of a table operation: nonzero runs the call on a
// connection of its own, 0 on the batch opened with BeginBatch. Failures raise
// CppSQLite3Exception; a failure on the batch rolls it back and closes it.
//
// The operations are spread over files by area: MusicDb.cpp (the object),
// MusicDbSchema.cpp, MusicDbSettings.cpp, MusicDbStyle.cpp, MusicDbPaths.cpp,
// MusicDbUpgrade.cpp, MusicDbHotkeys.cpp, MusicDbTables.cpp, MusicDbMarks.cpp,
// MusicDbMaintenance.cpp; the per-song data: MusicDbSongs.cpp (table music),
// MusicDbFacts.cpp (the list facts of many songs at once),
// MusicDbTablet.cpp, MusicDbTrack.cpp, MusicDbMarkers.cpp, MusicDbFlags.cpp,
// MusicDbMarry.cpp, MusicDbQueue.cpp.
//
// Paths are matched exactly: on this platform two paths that differ in case
// are two files. Texts are stored escaped (MyFunctions::EscapeSql); numbers
// that arrive as text are checked before they reach a statement, and a text
// that is no number raises CppSQLite3Exception with SQLITE_MISMATCH.
#include "store/DbAccess.h"

#include <array>
#include <ctime>
#include <string>
#include <vector>

// What the song lists show of a song beyond its path: table music, the newest play of
// table track, the flag and the marks, gathered for many songs at once (GetSongFacts).
struct SongFacts {
    bool known = false;      // the song has a row of table music
    int rate = 0;
    int length = 0;          // whole seconds, 0 when not stored
    std::string comment;     // unescaped
    std::string lastPlayed;  // "date, time" of the newest play under the dance name; empty when none
    int flag = 0;            // the stored flag value, 0 when none
    std::array<bool, 3> marked{}; // a mark in markext1..markext3
};

// Which facts GetSongFacts looks up; the facts not asked for keep their start values.
struct SongFactsRequest {
    bool songRow = true;         // table music: known, rate, length, comment
    bool flag = true;
    bool lastPlayed = false;     // the newest play under danceName
    std::string danceName;
    std::array<bool, 3> marks{}; // look in markext1..markext3
    bool marksBySource = false;  // a mark counts only under the list's source text
    std::array<std::string, 3> sources;
};

class CMusicDb : public CDbAccess {
public:
    // The version the upgrade chain brings the settings to.
    static constexpr int kSettingsVersion = 92207;

    CMusicDb();
    ~CMusicDb();

    // ---- start-up and the whole file
    // A database without settings is set up first (a first run: "system - setup" reads "true");
    // then the settings upgrade chain and the schema. Answers true.
    bool Init();
    // "system - version" with its dots: "92207" -> "9.22.07".
    std::string GetVersionText();
    // "system - modified": when an upgrade step last stamped it.
    std::string GetModifiedText();
    // Resets every table but ini to its start rows.
    void RestoreAllTables();
    // Moves stored drive paths ("C:\...") to the drive of the data folder, in one batch of
    // its own. Nothing changes when the data folder has no drive letter.
    void RelocatePaths();

    // ---- schema
    void CreateSchema();
    void CopyPitchToPitchFloat();
    // Deletes "mirtaltablet.db" and creates it anew with its empty table.
    void CreateTabletDb();

    // ---- settings upgrade chain
    void UpgradeSettings();

    // ---- settings (table ini)
    std::string GetSetting(const std::string& name, int own);
    bool GetSettingBool(const std::string& name, int own);
    int GetSettingInt(const std::string& name, int own);
    void SetSetting(const std::string& name, const std::string& value, int own);
    // The names that have a row in table "ini", "stylesheet" or "hotkeys" (any other table: none).
    std::vector<std::string> GetRowNames(const std::string& table, int own);

    // ---- default paths: folder settings too when force is nonzero
    void SetDefaultPaths(int force);

    // ---- style sheet (table stylesheet)
    std::string GetStyle(const std::string& name, int own);
    int GetStyleInt(const std::string& name, int own);
    void SetStyle(const std::string& name, const std::string& value, int own);
    void ResetStylesheet();

    // ---- hotkeys (table hotkeys)
    struct HotkeyDefault {
        const char* key;
        int function;
    };
    // The 28 keys in table order with their default function numbers.
    static const std::array<HotkeyDefault, 28>& DefaultHotkeys();
    int GetHotkey(const std::string& key, int own);
    // Stores the assignment; a key without a row gets one.
    void SetHotkey(const std::string& key, int function, int own);
    void ResetHotkeys();

    // ---- scratch table and table resets
    void AddTempRow(const std::string& section, const std::string& key, const std::string& value, int own);
    std::string GetTempValue(const std::string& section, const std::string& key, int own);
    // Like GetTempValue, but tells a missing row (false) from an empty value.
    bool FindTempValue(const std::string& section, const std::string& key, std::string& value, int own);
    void DeleteMusicRow(const std::string& path, int own);
    void ResetTrack();
    void ResetMusicMarkers();
    void ResetMarks();
    void ResetFlags();
    void ResetEqPresets();
    void ResetMarriages();
    void ResetQueuedFiles();
    void ResetMemory();
    void ResetTemp();
    void ResetMusic();

    // ---- per-song settings (table music)
    // Update-or-insert the row of the path from the player's globals (g_tempo, g_pitch, ...).
    void SaveSongSettings(const std::string& path, int own);
    // Reads the row of the path into the player's globals; false when there is none. With
    // "music - eqeachsong" on, the song's equalizer values are taken and the equalizer is
    // switched through the song-settings notifier.
    bool LoadSongSettings(const std::string& path, int own);
    // Update-or-insert a whole row from texts in table order (all columns but date). Empty
    // rate, length, eq4..eq10, keypitch give "0", empty keytime and pitchfloat "0.0".
    void SaveMusicRow(const std::string& path, const std::string& speed, const std::string& pitch,
                      const std::string& tempo, const std::string& volume, const std::string& loopset,
                      const std::string& loopstop, const std::string& eq1, const std::string& eq2,
                      const std::string& eq3, const std::string& markers, const std::string& rate,
                      const std::string& length, const std::string& comment, const std::string& eq4,
                      const std::string& eq5, const std::string& eq6, const std::string& eq7,
                      const std::string& eq8, const std::string& eq9, const std::string& eq10,
                      const std::string& keypitch, const std::string& keytime, const std::string& pitchfloat,
                      int own);
    CppSQLite3Table GetAllMusic(int own);
    bool HasMusicRow(const std::string& path, int own);
    std::string GetRateText(const std::string& path, int own); // "0" without a row
    bool IsRateInRange(const std::string& path, int low, int high, int own);
    int GetLength(const std::string& path, int own);
    void SetLength(const std::string& path, int length, int own); // only an existing row
    std::string GetCommentText(const std::string& path, int own);  // unescaped
    // The comment of an existing row, or a new row with the sample rate as its speed.
    void SetCommentAndRate(const std::string& path, const std::string& sampleRate, const std::string& comment,
                           int own);
    void SetPitchFloat(const std::string& path, double value, int own); // only an existing row
    // A row from an older version's loop file, only when the path has none yet.
    void ImportLoopRow(const std::string& path, const std::string& speed, const std::string& pitch,
                       const std::string& tempo, const std::string& volume, const std::string& loopset,
                       const std::string& loopstop, const std::string& markers, const std::string& rate,
                       const std::string& keypitch, const std::string& keytime, const std::string& pitchfloat,
                       int own);

    // The facts of every path, in the order of paths, from one query with the paths bound as one
    // parameter: a page of a list or a whole list costs one statement, not four per song.
    std::vector<SongFacts> GetSongFacts(const std::vector<std::string>& paths, const SongFactsRequest& request,
                                        int own);

    // ---- tablet export
    // Writes "mirtaltablet.db" afresh from table music, the paths moved into the tablet folder.
    // All rows or none: a failure raises and leaves the tablet table empty.
    void WriteTabletDatabase(const std::string& tabletFolder);

    // ---- played-track log (table track)
    // Adds a play unless an equal row exists (the dance name does not count). With useClock
    // the date and time are now. An empty file path writes nothing.
    void AddTrack(const std::string& title, const std::string& danceName, int useClock, const std::string& date,
                  const std::string& time, int list, const std::string& filePath, int level, int own);
    void DeleteTrack(const std::string& title, const std::string& date, const std::string& time,
                     const std::string& danceName, int own);
    CppSQLite3Table GetTrackLog(int own); // newest first
    CppSQLite3Table GetTrackNamesWithLevel(int own);
    CppSQLite3Table GetTrackNames(int own);
    std::string CountTracksForFile(const std::string& filePath, int own);
    // mode below 4: plays of the title under the dance name (exact, or contained and
    // ignoring case); mode 4: plays of the title at all.
    bool IsInTrackLog(int mode, const std::string& title, const std::string& danceName, int exact, int own);
    // "date, time" of the last play of the file under the dance name; empty when none.
    std::string GetLastTrackDate(const std::string& filePath, const std::string& danceName, int own);
    // kind 0: played after the day of start and up to end; other kinds: played, and not after
    // end. Only the date of a play counts; rows whose date is no calendar date are skipped.
    // The list number restricts the rows on a private connection only.
    bool IsTrackInDateRange(const std::string& filePath, std::time_t start, std::time_t end, int kind, int list,
                            int own);

    // ---- song marker comments (table musicmarkers); mark: whole seconds as decimal text
    std::string GetMarkerComment(const std::string& path, const std::string& mark, int own);
    void SetMarkerComment(const std::string& path, const std::string& mark, const std::string& comment, int own);
    void DeleteMarkerComments(const std::string& path, int own);

    // ---- marked songs (tables markext1..markext3, list 1..3)
    void AddMark(int list, const std::string& path, int row, const std::string& playlist, int own);
    // Unmarks the path (all of the list when empty), only under the playlist when usePlaylist is set.
    void DeleteMarks(int list, const std::string& path, int usePlaylist, const std::string& playlist, int own);
    bool IsMarked(const std::string& path, int list, int usePlaylist, const std::string& playlist, int own);
    // Moves the marks of the old tables mark1..mark3 into markext1..markext3.
    void MigrateOldMarks();

    // ---- song flags (table flag) and equalizer presets (table eq)
    // Toggles: removes the flag of a flagged path, else flags it with the value.
    void SetFlag(const std::string& path, const std::string& value, int own);
    // Stores the value as the path's flag, flagged or not before.
    void SetFlagValue(const std::string& path, const std::string& value, int own);
    void DeleteFlag(const std::string& path, int own);
    int GetFlag(const std::string& path, int own);
    // Every flag row (path as stored, value), for lists that show many songs' flags at once.
    CppSQLite3Table GetAllFlags(int own);
    // Stores g_eqBass, g_eqMid, g_eqTreble under the name.
    void SaveEqPreset(const std::string& name, int own);
    CppSQLite3Table GetEqPresets(int own); // names in descending order
    CppSQLite3Table GetEqPreset(const std::string& name, int own);
    void DeleteEqPreset(const std::string& name, int own);

    // ---- music-to-lyrics pairs (table marry)
    void SetMarriage(const std::string& musicPath, const std::string& lyrics, int own);
    // The lyrics of the music, unescaped; a cue-sheet reference "[db]label - title" comes back
    // as "[db]label". Always on a connection of its own.
    std::string GetMarriage(const std::string& musicPath);
    CppSQLite3Table GetAllMarriages(int own);
    void DeleteMarriage(const std::string& musicPath, int own);

    // ---- saved queue (table queuedfiles) and memory list (table memory)
    void ClearQueuedFiles(int own);
    void AddQueuedFile(const std::string& name, const std::string& path, const std::string& type,
                       const std::string& lyrics, int list, int row, int naming, int nr, int own);
    CppSQLite3Table GetQueuedFiles(int own); // in queue order
    void AddMemory(const std::string& entry, int own);
    CppSQLite3Table GetMemory(int own);
    void DeleteMemory(const std::string& entry, int own);

private:
    void DropTablesAndRecreate(std::initializer_list<const char*> tables);
    void ApplyUpgradeStep(int step);
    // A new file's settings: the first run's seed and the values of every upgrade step.
    void WriteFreshSettings();
};
