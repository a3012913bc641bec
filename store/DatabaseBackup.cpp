#include "store/DatabaseBackup.h"

#include "store/CppSQLite3.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <future>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace store {

namespace {

std::string inFolder(const std::string& folder, const std::string& name)
{
    return (fs::path(folder) / name).string();
}

bool isFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

namespace {

// Mapped reads spare the check a copy of every page; only for the check before the
// program's own connections exist, since a mapped file must not shrink under the reader.
DbState checkFile(const std::string& path, std::string* detail, bool mapped)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return DbState::Missing;
    if (!fs::is_regular_file(path, ec)) {
        if (detail)
            *detail = "not a file";
        return DbState::Damaged;
    }
    if (fs::file_size(path, ec) == 0)
        return DbState::Empty;

    sqlite3* db = nullptr;
    DbState state = DbState::Damaged;
    std::string words;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        if (mapped)
            sqlite3_exec(db, "PRAGMA mmap_size=1073741824;", nullptr, nullptr, nullptr);
        int tables = -1;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "select count(*) from sqlite_master where type='table';", -1, &stmt, nullptr)
                == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            tables = sqlite3_column_int(stmt, 0);
        else
            words = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        if (tables == 0) {
            state = DbState::Empty;
        } else if (tables > 0) {
            // The quick check reads every page of every table, also the ones a start never reads.
            stmt = nullptr;
            bool ok = sqlite3_prepare_v2(db, "PRAGMA quick_check(5);", -1, &stmt, nullptr) == SQLITE_OK;
            int rc = SQLITE_OK;
            while (ok && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
                const std::string line = text ? text : "";
                if (line != "ok")
                    words += (words.empty() ? "" : "; ") + line;
            }
            if (!ok || rc != SQLITE_DONE)
                words += (words.empty() ? "" : "; ") + std::string(sqlite3_errmsg(db));
            sqlite3_finalize(stmt);
            if (words.empty())
                state = DbState::Good;
        }
    } else {
        words = db ? sqlite3_errmsg(db) : "cannot be opened";
    }
    sqlite3_close(db);
    if (detail)
        *detail = words;
    return state;
}

struct BegunCheck {
    std::mutex lock;
    std::string folder;
    std::future<StartCheck> result;
};

BegunCheck& begunCheck()
{
    static BegunCheck begun;
    return begun;
}

} // namespace

DbState CheckDatabaseFile(const std::string& path, std::string* detail)
{
    return checkFile(path, detail, false);
}

std::vector<std::string> BackupFiles(const std::string& folder)
{
    std::vector<std::string> files{inFolder(folder, "mirtal.dbtmp")};
    for (int i = 1; i < kKeptBackups; ++i)
        files.push_back(inFolder(folder, "mirtal.dbtmp" + std::to_string(i)));
    return files;
}

StartCheck CheckAtStart(const std::string& folder)
{
    StartCheck check;
    check.state = checkFile(inFolder(folder, "mirtal.db"), &check.detail, true);
    if (check.state == DbState::Good)
        return check;
    for (const std::string& backup : BackupFiles(folder))
        if (CheckDatabaseFile(backup) == DbState::Good) {
            check.backup = backup;
            break;
        }
    return check;
}

void BeginCheckAtStart(const std::string& folder)
{
    BegunCheck& begun = begunCheck();
    std::lock_guard<std::mutex> hold(begun.lock);
    if (begun.result.valid())
        begun.result.wait();
    begun.folder = folder;
    begun.result = std::async(std::launch::async, [folder] { return CheckAtStart(folder); });
}

StartCheck TakeCheckAtStart(const std::string& folder)
{
    BegunCheck& begun = begunCheck();
    std::future<StartCheck> result;
    std::string begunFolder;
    {
        std::lock_guard<std::mutex> hold(begun.lock);
        result = std::move(begun.result);
        begunFolder = std::move(begun.folder);
    }
    if (result.valid()) {
        StartCheck check = result.get();
        if (begunFolder == folder)
            return check;
    }
    return CheckAtStart(folder);
}

bool RestoreBackup(const std::string& folder, const std::string& backup)
{
    const std::string main = inFolder(folder, "mirtal.db");
    std::error_code ec;
    if (fs::exists(main, ec)) {
        // Kept, not overwritten: it may hold what the backup lacks.
        fs::rename(main, main + ".damaged", ec);
        if (ec)
            return false;
        for (const char* side : {"-journal", "-wal", "-shm"})
            fs::remove(main + side, ec);
    }
    return CppSQLite3DB::CopyDatabase(backup, main) && CheckDatabaseFile(main) == DbState::Good;
}

BackupResult BackupAtStart(const std::string& folder, std::string* detail)
{
    const std::string main = inFolder(folder, "mirtal.db");
    const DbState state = CheckDatabaseFile(main, detail);
    if (state == DbState::Empty || state == DbState::Damaged)
        return BackupResult::SourceBad;
    if (state == DbState::Missing)
        return BackupResult::Failed;

    const std::vector<std::string> backups = BackupFiles(folder);
    std::error_code ec;
    // Something else where a backup belongs is left alone, and so are the backups.
    for (const std::string& b : backups)
        if (fs::exists(b, ec) && !isFile(b))
            return BackupResult::Failed;

    const std::string fresh = backups.front() + ".new";
    if (!CppSQLite3DB::CopyDatabase(main, fresh) || CheckDatabaseFile(fresh) != DbState::Good) {
        fs::remove(fresh, ec);
        return BackupResult::Failed;
    }
    // Oldest out, each one down, the fresh copy in front.
    fs::remove(backups.back(), ec);
    for (size_t i = backups.size() - 1; i > 0; --i)
        if (isFile(backups[i - 1]))
            fs::rename(backups[i - 1], backups[i], ec);
    fs::rename(fresh, backups.front(), ec);
    if (ec) {
        fs::remove(fresh, ec);
        return BackupResult::Failed;
    }
    return BackupResult::Copied;
}

std::string WhyNotWritable(const std::string& folder)
{
    // Tried, not judged from permission bits: root, read-only mounts and full
    // disks all answer only to an attempt.
    const std::string probe = inFolder(folder, ".mirtal-write-test");
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST)
        return "the data folder " + folder + " cannot be written (" + std::strerror(errno) + ")";
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
    }
    const std::string main = inFolder(folder, "mirtal.db");
    if (isFile(main)) {
        const int db = ::open(main.c_str(), O_WRONLY | O_CLOEXEC);
        if (db < 0)
            return main + " cannot be written (" + std::strerror(errno) + ")";
        ::close(db);
    }
    return {};
}

} // namespace store
