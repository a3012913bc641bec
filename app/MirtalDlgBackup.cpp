// Keeping the caller's data safe: the backup copy of the main database at
// each start, Restore Database, Restore All Paths, and the imports of an
// older version's data.
#include "app/MirtalDlg.h"

#include "platform/win/MessageBox.h"
#include "store/StoreGlobals.h"

#include <chrono>
#include <filesystem>
#include <sqlite3.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Copies the database at source into a new file at target through SQLite's
// backup interface, so the copy is consistent even while another connection
// writes. The copy is built beside the target and renamed over it at the end:
// a failed copy leaves the previous backup as it was.
bool copyDatabase(const std::string& source, const std::string& target)
{
    const std::string part = target + ".part";
    std::error_code ec;
    fs::remove(part, ec);

    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    bool ok = sqlite3_open_v2(source.c_str(), &from, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_open_v2(part.c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_busy_timeout(from, 2000);
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        ok = backup != nullptr;
        if (backup) {
            int rc = SQLITE_OK;
            for (int tries = 0; tries < 200; ++tries) {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            ok = rc == SQLITE_DONE;
            if (sqlite3_backup_finish(backup) != SQLITE_OK)
                ok = false;
        }
    }
    sqlite3_close(from);
    if (sqlite3_close(to) != SQLITE_OK)
        ok = false;
    if (ok) {
        fs::rename(part, target, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(part, ec);
    return ok;
}

} // namespace

void CMirtalDlg::BackupDatabase()
{
    const std::string folder = m_fn.AddBackslash(g_baseFolder);
    // A failed copy is reported and the start goes on: nothing else depends on the backup.
    if (!copyDatabase(folder + "mirtal.db", folder + "mirtal.dbtmp"))
        AfxMessageBox("Can't copy mirtal.db to mirtal.dbtmp", MB_OK | MB_ICONEXCLAMATION);
}
