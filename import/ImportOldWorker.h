#pragma once
// The worker of the legacy import: an access object of the main database
// with the operations that bring an older version's data in, from the data
// files of its folder or from its database file. Each step runs in its own
// transaction on the worker's batch connection, so the steps done before a
// failure stay; a database error leaves the step as CppSQLite3Exception with
// the step's transaction rolled back.
//
// Old paths are stored as the older version wrote them (drive letters and
// backslashes included); see docs/platform.md. Rows whose numbers are no
// numbers are passed over, counted and reported at the end of their step.
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <functional>
#include <string>
#include <vector>

class CImportOldWorker {
public:
    CImportOldWorker() = default;

    // From an older database file, opened for reading only: a missing file is an error
    // (nothing is created), a missing table counts as empty. True when the step ran to its end.
    bool ImportMarkedFromDb(const std::string& dbPath);
    bool ImportMemoryFromDb(const std::string& dbPath);
    bool ImportTrackFromDb(const std::string& dbPath);
    bool ImportHotkeysFromDb(const std::string& dbPath);
    bool ImportStylesheetFromDb(const std::string& dbPath);
    bool ImportMarryFromDb(const std::string& dbPath);
    bool ImportSettingsFromDb(const std::string& dbPath);
    bool ImportMusicFromDb(const std::string& dbPath);

    // From an older data file; false when the file could not be read.
    bool ImportMarkedFile(const std::string& file, int list);
    bool ImportMemoryFile(const std::string& file);
    bool ImportMarryFile(const std::string& file);
    bool ImportTrackFile(const std::string& file);
    // The old settings into table temp, then ConvertSettings (not when the file could not be read).
    bool ImportSettingsFile(const std::string& file);
    bool ImportLoopFile(const std::string& file);

    // Table temp into the current settings: only the keys the old file has are written.
    void ConvertSettings();

    // Everything passed over since the worker was made, one line per row or section.
    const std::vector<std::string>& Skipped() const { return m_skipped; }

private:
    // Runs rows() in one transaction of the batch connection; an error rolls it back and travels on.
    void InBatch(const std::function<void()>& rows);
    // The old database opened for reading, handed to rows() inside one transaction.
    bool FromOldDb(const std::string& dbPath, const std::function<void(CppSQLite3DB&)>& rows);
    void ConvertLevel(const char* section, const char* code);
    // Tells the user what a step passed over, when it passed anything over.
    void ReportSkipped(const std::string& source, size_t firstOfStep);

    CMusicDb m_musicDb;
    MyFunctions m_fn;
    std::vector<std::string> m_skipped;
};
