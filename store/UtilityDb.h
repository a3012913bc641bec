#pragma once
// Access object of the utility database "utility.db" in the data folder: the
// record catalogue (sqrecord, caller), the cue sheets of the records
// (cuesheet, cuesheetshort), the calls lists (calls) and the version stamp of
// the last import (ini). Every window that reads the file embeds its own
// CUtilityDb.
//
// The last argument `own` of an operation: nonzero runs the call on a
// connection of its own, 0 on the batch opened with BeginBatch. Failures raise
// CppSQLite3Exception; a failure on the batch rolls it back and closes it.
//
// The imports read their whole file or folder first and then replace their
// tables in one transaction: a file that cannot be read, or a failure on the
// way, leaves the old rows as they were.
//
// Files: UtilityDb.cpp (schema, batch, version stamp), UtilityDbRecords.cpp,
// UtilityDbCalls.cpp, UtilityDbCueSheets.cpp, UtilityDbPages.cpp.
#include "store/DbAccess.h"

#include <string>
#include <vector>

class CImportChooser;

// The schema version stamped into utility.db by every import.
extern const std::string g_utilityDbVersion;

class CUtilityDb : public CDbAccess {
public:
    CUtilityDb();
    ~CUtilityDb();

    // ---- the file (UtilityDb.cpp)
    // Creates the missing tables; answers true.
    bool Init();
    void CreateSchema();
    // Writes "system - version" and "system - modified" (now) into ini.
    void StampVersion();
    std::string GetSetting(const std::string& name);
    // "203" -> "2.03", "1203" -> "12.03".
    std::string GetVersionText();
    std::string GetModifiedText();

    // ---- record catalogue (UtilityDbRecords.cpp)
    // What a record-list import did.
    struct RecordImport {
        bool replaced = false;               // false: cancelled, or the list could not be read or was empty
        int records = 0;                     // records stored
        std::vector<std::string> duplicates; // stored labels of lines passed over: listed before
        int refused = 0;                     // lines that are no record lines (control bytes, absurd length)
    };
    // Replaces the catalogue by a fixed-width record list the user chooses. A list that
    // cannot be read or holds no record leaves the old catalogue, and a box says so; so does a label listed twice,
    // whose first record is kept, and lines that are not records, which are passed over.
    RecordImport ImportRecordList(CImportChooser& chooser);
    // field: 0 title, 1 label, 2 caller, 3 company; another field answers no rows.
    CppSQLite3Table SearchRecords(const std::string& text, int field, const std::string& company,
                                  const std::string& caller);
    // mode 0..2 label, title or label and title equal to the text, 3..5 containing it, 6 all.
    CppSQLite3Table FindRecordsWithCueSheet(const std::string& text, int mode, int own);
    CppSQLite3Table GetRecordsWithCueSheet();
    // The record with its cue sheet, the short one while "lyrics - short" is on.
    CppSQLite3Table GetRecordWithCueSheet(const std::string& label);
    int CountRecords(int own);
    CppSQLite3Table GetCompanies(int own);
    CppSQLite3Table GetRecordTitles(int own);
    CppSQLite3Table GetCallers(int own);

    // ---- calls lists (UtilityDbCalls.cpp)
    // Replaces the calls by a list the user chooses: "[group]" lines, then one call per line.
    bool ImportCallsList(CImportChooser& chooser);
    // The distinct (level, name) rows whose group name contains the level text.
    CppSQLite3Table GetCallsOfLevel(const std::string& level, int own);

    // ---- cue sheets (UtilityDbCueSheets.cpp)
    // Replaces the cue sheets by the "label - title.html" files of a folder the user chooses.
    bool ImportCueSheets(CImportChooser& chooser);
    // Builds cuesheetshort from cuesheet: only the header and lyrics blocks.
    void BuildShortCueSheets();
    // 1 cuesheet.txt, 2 cuesheetshort.txt, 3 cuesheetcsv.csv, 4 cuesheetshortcsv.csv in the
    // data folder; false when the type is unknown or the file cannot be written.
    bool WriteCueSheetFiles(int type);

    // ---- cue-sheet pages (UtilityDbPages.cpp)
    // The page of a stored cue sheet linking "cuesheet2.css".
    std::string RenderCueSheetCss(const std::string& label);
    // The page with the style-sheet values written into it.
    std::string RenderCueSheetStyled(const std::string& label);
    std::string BuildCssHead();
    std::string BuildStyledHead();
    // Whether a document path names a stored cue sheet: it begins with "[db]" in any case.
    static bool IsDbReference(const std::string& path);

private:
    // Creates the missing tables on an open connection.
    static void CreateMissingTables(CppSQLite3DB& db);
    // title, caller and cue-sheet text of a label, unescaped; empty when there is none.
    void ReadCueSheet(const std::string& label, std::string& title, std::string& caller, std::string& text);
};
