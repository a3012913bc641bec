#pragma once
// The worker of the legacy import: an access object of the main database
// with the operations that bring an older version's data in, from its data
// files or from its database file. This class offers what the main window's
// File commands call; the imports themselves come with the legacy import.
#include "store/MusicDb.h"

#include <string>

class CImportOldWorker {
public:
    CImportOldWorker() = default;

    // From an older database file: the rows of the named tables.
    void ImportMarkedFromDb(const std::string& dbPath);
    void ImportMemoryFromDb(const std::string& dbPath);
    void ImportTrackFromDb(const std::string& dbPath);
    void ImportHotkeysFromDb(const std::string& dbPath);
    void ImportStylesheetFromDb(const std::string& dbPath);
    void ImportMarryFromDb(const std::string& dbPath);
    void ImportSettingsFromDb(const std::string& dbPath);
    void ImportMusicFromDb(const std::string& dbPath);

    // From an older data file; false when the file could not be read.
    bool ImportMarkedFile(const std::string& file, int list);
    bool ImportMemoryFile(const std::string& file);
    bool ImportMarryFile(const std::string& file);
    bool ImportTrackFile(const std::string& file);
    bool ImportSettingsFile(const std::string& file);
    bool ImportLoopFile(const std::string& file);

private:
    CMusicDb m_musicDb;
};
