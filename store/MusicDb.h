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
// MusicDbMaintenance.cpp.
#include "store/DbAccess.h"

#include <array>
#include <string>

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

    // ---- marked songs
    // Moves the marks of the old tables mark1..mark3 into markext1..markext3.
    void MigrateOldMarks();

private:
    void DropTablesAndRecreate(std::initializer_list<const char*> tables);
    void ApplyUpgradeStep(int step);
    void SeedNewSettings();
};
