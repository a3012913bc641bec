#include "options/OptionSeed.h"

#include "options/OptionTables.h"
#include "store/MusicDb.h"

#include <set>

namespace options {

std::vector<StoredValue> ConstructionTable(const std::string& dataFolder, int dpi)
{
    std::vector<Group> groups = MusicGroups(dataFolder);
    for (Group& g : LyricsGroups(dataFolder))
        groups.push_back(std::move(g));
    groups.push_back(ChoreoGlobalGroup(dataFolder));
    for (const Level& level : Levels())
        groups.push_back(ChoreoLevelGroup(level, level.menuText, dataFolder));
    groups.push_back(ChoreoStylesheetGroup(dataFolder));

    std::vector<StoredValue> all;
    for (const Group& g : groups) {
        std::vector<StoredValue> v = ConstructionValues(g, dpi);
        all.insert(all.end(), v.begin(), v.end());
    }
    // Settings read elsewhere that no page shows, with the values a first start needs.
    const StoredValue others[] = {
        {Table::Ini, "general - showcallssec", "10"},
        {Table::Ini, "general - callscombo", "0"},
        {Table::Ini, "general - level", "1"},
        {Table::Ini, "markers - visible", "false"},
        // The system's default output device, not device 0 (no sound).
        {Table::Ini, "music - outputdevice", "-1"},
        // The playlist manager's column headings.
        {Table::Ini, "music - col1nameglobal", "Label"},
        {Table::Ini, "music - col2nameglobal", "Title"},
    };
    all.insert(all.end(), std::begin(others), std::end(others));

    // One value per key: a key shown twice ("markers - value") keeps its first.
    std::vector<StoredValue> unique;
    std::set<std::pair<int, std::string>> seen;
    for (StoredValue& v : all)
        if (seen.insert({int(v.table), v.key}).second)
            unique.push_back(std::move(v));
    return unique;
}

std::vector<std::pair<std::string, int>> HotkeyConstruction()
{
    std::vector<std::pair<std::string, int>> rows;
    for (const HotkeyRow& r : HotkeyRows())
        rows.emplace_back(r.key, r.function);
    return rows;
}

int SeedSettings(CMusicDb& db, const std::string& dataFolder, int dpi)
{
    const std::vector<StoredValue> table = ConstructionTable(dataFolder, dpi);
    int added = 0;
    db.BeginBatch();
    try {
        const PresentKeys present = PresentKeys::Read(db);
        std::vector<StoredValue> missing;
        for (const StoredValue& v : table)
            if (!present.Has(v.table, v.key))
                missing.push_back(v);
        WriteValues(db, missing);
        added += int(missing.size());
        std::set<std::string> hotkeys;
        for (std::string& n : db.GetRowNames("hotkeys", 0))
            hotkeys.insert(std::move(n));
        for (const auto& [key, function] : HotkeyConstruction())
            if (!hotkeys.count(key)) {
                db.SetHotkey(key, function, 0);
                ++added;
            }
        db.CommitBatch();
    } catch (...) {
        db.AbortBatch();
        throw;
    }
    return added;
}

} // namespace options
