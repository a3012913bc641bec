#pragma once
// Access object of the choreography database "choreo.db" in the data folder:
// one table per dance level ("basic" .. "c4") and "any", each row a name, a
// type and the choreography text. Every window that reads or writes
// choreographies embeds its own CChoreoDb.
//
// The last argument `own` of a table operation: nonzero runs the call on a
// connection of its own, 0 on the batch opened with BeginBatch. Failures raise
// CppSQLite3Exception; a failure on the batch rolls it back and closes it.
//
// Table names come from user-editable list files, so only the eleven known
// tables are ever put into a statement: a write to another raises, a read
// answers nothing.
//
// Files: ChoreoDb.cpp (schema and rows), ChoreoDbSearch.cpp,
// ChoreoDbImport.cpp, ChoreoDbStatistics.cpp.
#include "store/DbAccess.h"

#include <array>
#include <string>

class CImportChooser;

class CChoreoDb : public CDbAccess {
public:
    CChoreoDb();
    ~CChoreoDb();

    // The ten level tables in level order, then "any".
    static const std::array<const char*, 11>& Tables();
    static bool IsTable(const std::string& table);

    // Makes sure of the tables; 1 when choreo.db can then be read, else 0.
    int Open();
    // Creates every missing table.
    void Create();

    // Names and types are stored lower-cased, all three texts in their stored form.
    // An existing name is replaced only with overwrite nonzero.
    void SaveEntry(const std::string& table, const std::string& name, const std::string& type,
                   const std::string& value, int overwrite, int own);
    void DeleteEntry(const std::string& table, const std::string& name, int own);
    // Sets the type, or with append adds ", " and the type to the stored one; a missing name stays missing.
    void SetEntryType(const std::string& table, const std::string& name, const std::string& type, int append,
                      int own);
    // Whether the table holds the name, compared as saving stores it (lower case).
    bool HasEntry(const std::string& table, const std::string& name, int own);
    // The text and the type of the entry a choreography reference names; empty when there is none.
    std::string GetEntryValue(const std::string& reference, int own);
    std::string GetEntryType(const std::string& reference, int own);
    // The text before the first "_": the level code a name stands for where its table is not
    // known (the rows of an own query); empty when the name has no "_".
    static std::string NamePrefix(const std::string& name);

    // A choreography reference: the entries of its table whose name, type and
    // text contain its parts, ordered by name. "sql=" and a single read-only
    // SELECT: that query. A search that cannot run answers a result without rows.
    CppSQLite3Table Search(const std::string& searchText, int own);

    // Every ".txt" file of a chosen folder becomes an entry of a chosen level,
    // named after the file; names already stored are passed over. A cancelled
    // choice of either imports nothing. Answers the number of entries added.
    int ImportTextFolder(CImportChooser& chooser);

    // Writes the entry counts per level and category to "driftwelkpon.csv" in the data folder.
    void ExportStatistics();
    static std::string StatisticsPath();

private:
    std::string GetEntryColumn(const std::string& reference, int column, int own);
};
