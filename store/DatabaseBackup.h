#pragma once
// The safety of mirtal.db at start: its check, the backup copies beside it
// (mirtal.dbtmp newest, then mirtal.dbtmp1, mirtal.dbtmp2), the choice of a
// backup when mirtal.db is missing, empty or damaged, and whether the data
// folder can be written at all.
#include <string>
#include <vector>

namespace store {

enum class DbState {
    Missing,  // no file
    Empty,    // zero bytes, or a database without tables
    Damaged,  // not a database, or SQLite's quick check finds faults
    Good,
};

// SQLite's quick check of a database file, read-only; `detail` gets SQLite's words for a fault.
DbState CheckDatabaseFile(const std::string& path, std::string* detail = nullptr);

constexpr int kKeptBackups = 3;
// The backup files of mirtal.db in a folder, newest first (whether they exist or not).
std::vector<std::string> BackupFiles(const std::string& folder);

struct StartCheck {
    DbState state = DbState::Good;  // of mirtal.db
    std::string detail;             // SQLite's words when damaged
    std::string backup;             // the newest good backup, when mirtal.db is not good; else empty
};
// Before mirtal.db is opened at start.
StartCheck CheckAtStart(const std::string& folder);
// The same check begun on a worker thread as the program starts, so it reads the
// file while the window layer and the main window are made.
void BeginCheckAtStart(const std::string& folder);
// The check begun for this folder (waited for), else one made now.
StartCheck TakeCheckAtStart(const std::string& folder);

// Puts a backup in place of mirtal.db; a damaged or empty mirtal.db is kept as mirtal.db.damaged.
bool RestoreBackup(const std::string& folder, const std::string& backup);

enum class BackupResult {
    Copied,     // mirtal.db is now the newest backup, the older ones moved down
    SourceBad,  // mirtal.db is damaged or empty: the backups were left as they are
    Failed,     // the copy could not be made: the backups were left as they are
};
// The copy made at each start. A damaged or empty mirtal.db never replaces a backup.
BackupResult BackupAtStart(const std::string& folder, std::string* detail = nullptr);

// Why nothing can be saved in the data folder (it or mirtal.db cannot be
// written); empty when it can.
std::string WhyNotWritable(const std::string& folder);

} // namespace store
