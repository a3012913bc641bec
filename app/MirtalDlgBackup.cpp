// Keeping the caller's data safe: the backup copy of the main database at
// each start, Restore Database, Restore All Paths, and the imports of an
// older version's data.
#include "app/MirtalDlg.h"
#include "app/MirtalDlgPlaces.h"

#include "app/Global.h"
#include "import/ImportOld.h"
#include "import/ImportOldWorker.h"
#include "platform/win/MessageBox.h"
#include "store/DatabaseBackup.h"
#include "store/StoreGlobals.h"

#include <chrono>
#include <functional>



namespace {

std::string dataFolder()
{
    return g_baseFolder.empty() ? std::string(".") : g_baseFolder;
}

} // namespace

void CMirtalDlg::BackupDatabase()
{
    BackupOutcome outcome;
    outcome.result = store::BackupAtStart(dataFolder(), &outcome.detail);
    ReportBackup(outcome);
}

namespace {
constexpr UINT_PTR kBackupPollTimer = 2;
constexpr UINT kBackupPollMs = 15;
} // namespace

void CMirtalDlg::StartBackup()
{
    // The copy and its two checks read the whole database: a second on a large library.
    // Its own connections make it safe beside the window's writes, which wait for its read.
    m_backup = std::async(std::launch::async, [folder = dataFolder()] {
        BackupOutcome outcome;
        try {
            outcome.result = store::BackupAtStart(folder, &outcome.detail);
        } catch (const std::exception& e) {
            outcome.result = store::BackupResult::Failed;
            outcome.detail = e.what();
        }
        return outcome;
    });
    m_backupPollId = SetTimer(kBackupPollTimer, kBackupPollMs, nullptr);
}

void CMirtalDlg::FinishBackupIfDone()
{
    if (!m_backup.valid() || m_backup.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    KillTimer(m_backupPollId);
    m_backupPollId = 0;
    ReportBackup(m_backup.get());
    // What followed the copy at the first paint.
    m_timer1Id = SetTimer(1, 1000, nullptr);
    m_firstPaintDone = 1;
}

void CMirtalDlg::WaitForBackup()
{
    // The copy never outlives the window: half copies are not left behind.
    if (m_backup.valid())
        m_backup.wait();
}

void CMirtalDlg::ReportBackup(const BackupOutcome& outcome)
{
    // A failed copy is reported and the start goes on: nothing else depends on the backup.
    switch (outcome.result) {
    case store::BackupResult::Copied:
        break;
    case store::BackupResult::SourceBad:
        AfxMessageBox("mirtal.db is damaged (" + outcome.detail + "), so it was not copied over its backups.",
                      MB_OK | MB_ICONEXCLAMATION);
        break;
    case store::BackupResult::Failed:
        AfxMessageBox("Can't copy mirtal.db to mirtal.dbtmp", MB_OK | MB_ICONEXCLAMATION);
        break;
    }
}

void CMirtalDlg::CheckDatabaseAtStart()
{
    const std::string folder = dataFolder();
    const store::StartCheck check = store::TakeCheckAtStart(folder);
    const char* what = check.state == store::DbState::Missing ? "missing"
                     : check.state == store::DbState::Empty   ? "empty"
                                                               : "damaged";
    if (!check.backup.empty()) {
        const std::string no = check.state == store::DbState::Damaged ? "No starts with the damaged database as it is."
                                                                      : "No starts with an empty database.";
        const std::string text = std::string("mirtal.db is ") + what +
                                 (check.detail.empty() ? "" : " (" + check.detail + ")") +
                                 ", but a good backup of it exists:\n" + check.backup +
                                 "\n\nStart with the backup? " + no;
        if (MessageBox(m_hWnd, text, kAppCaption, MB_YESNO | MB_ICONWARNING) == IDYES &&
            !store::RestoreBackup(folder, check.backup))
            MessageBox(m_hWnd, "The backup " + check.backup + " could not be put in place of mirtal.db.", kAppCaption,
                       MB_OK | MB_ICONERROR);
    }
    const std::string why = store::WhyNotWritable(folder);
    if (!why.empty())
        MessageBox(m_hWnd, "Nothing you change will be saved: " + why + ".", kAppCaption, MB_OK | MB_ICONWARNING);
}

namespace {

// The wait cursor for the span of a command, also when a database error ends it early.
class WaitCursor {
public:
    explicit WaitCursor(CCmdTarget& target) : m_target(&target) { m_target->BeginWaitCursor(); }
    ~WaitCursor() { End(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void End()
    {
        if (m_target)
            m_target->EndWaitCursor();
        m_target = nullptr;
    }

private:
    CCmdTarget* m_target;
};

} // namespace

void CMirtalDlg::RestoreDatabase()
{
    if (MessageBox(m_hWnd, "Do you want restore all the Databases? \r\nYour settings will be lost.", kAppCaption,
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    WaitCursor wait(*this);
    m_musicDb.RestoreAllTables();
    m_dlgMp3.ClearComboHistories();
    CGlobal settings;
    settings.DoModal();
    ApplySettings();

    m_musicDb.BeginBatch();
    for (const mainplaces::Place& place : mainplaces::kPlaces)
        if (place.restored)
            *place.value = m_musicDb.GetSettingInt(place.key, 0);
    m_musicDb.CommitBatch();

    LoadHotkeyTable();
    WriteCssToLyricsFolders();
    wait.End();
    LoadFixedBpmMenu();
    MessageBox(m_hWnd, "The Database is restored.", kAppCaption, MB_OK | MB_ICONINFORMATION);
}

void CMirtalDlg::RestoreAllPaths()
{
    WaitCursor wait(*this);
    m_musicDb.SetDefaultPaths(0);
    m_dlgMp3.ClearComboHistories();
    wait.End();
    SetLevel(g_danceLevel);
    MessageBox(m_hWnd, "The Paths are restored.", kAppCaption, MB_OK | MB_ICONINFORMATION);
}

void CMirtalDlg::ImportFromOldDatabase()
{
    CImportOld choice(1);
    if (choice.DoModal() != IDOK)
        return;
    WaitCursor wait(*this);
    CImportOldWorker worker;
    m_musicDb.CreateSchema();
    const std::string path = choice.GetPath();
    if (choice.GetImportMarked())
        worker.ImportMarkedFromDb(path);
    if (choice.GetImportMemory())
        worker.ImportMemoryFromDb(path);
    if (choice.GetImportTrack())
        worker.ImportTrackFromDb(path);
    if (choice.GetImportHotkeys())
        worker.ImportHotkeysFromDb(path);
    if (choice.GetImportStylesheet())
        worker.ImportStylesheetFromDb(path);
    if (choice.GetImportMarry())
        worker.ImportMarryFromDb(path);
    if (choice.GetImportSettings())
        worker.ImportSettingsFromDb(path);
    if (choice.GetImportMusic())
        worker.ImportMusicFromDb(path);
    wait.End();
    MessageBox(m_hWnd, "Restart Mirtal for all the changes to apply.", kAppCaption, MB_OK | MB_ICONINFORMATION);
}

void CMirtalDlg::ImportFromOldFiles()
{
    CImportOld choice(0);
    if (choice.DoModal() != IDOK)
        return;
    WaitCursor wait(*this);
    const std::string folder = m_fn.AddBackslash(choice.GetPath());
    CImportOldWorker worker;
    m_musicDb.CreateSchema();

    using Reader = std::function<bool(const std::string&)>;
    const struct {
        int wanted;
        const char* name;
        Reader read;
    } steps[] = {
        {choice.GetImportMarked(), "mark1.dat", [&](const std::string& f) { return worker.ImportMarkedFile(f, 1); }},
        {choice.GetImportMarked(), "mark2.dat", [&](const std::string& f) { return worker.ImportMarkedFile(f, 2); }},
        {choice.GetImportMarked(), "mark3.dat", [&](const std::string& f) { return worker.ImportMarkedFile(f, 3); }},
        {choice.GetImportMemory(), "MirtalMem.txt", [&](const std::string& f) { return worker.ImportMemoryFile(f); }},
        {choice.GetImportMarry(), "Marry.ini", [&](const std::string& f) { return worker.ImportMarryFile(f); }},
        {choice.GetImportTrack(), "TrackDatabase.txt", [&](const std::string& f) { return worker.ImportTrackFile(f); }},
        {choice.GetImportSettings(), "Mirtal.ini", [&](const std::string& f) { return worker.ImportSettingsFile(f); }},
        {choice.GetImportMusic(), "LoopDatabase.txt", [&](const std::string& f) { return worker.ImportLoopFile(f); }},
    };
    // A missing file is skipped without a word; one that cannot be read is named.
    for (const auto& step : steps) {
        const std::string file = folder + step.name;
        if (step.wanted && m_fn.FileExists(file) && !step.read(file))
            MessageBox(m_hWnd, "Open " + file + " failed!", kAppCaption, MB_OK | MB_ICONSTOP);
    }
    wait.End();
    MessageBox(m_hWnd, "Restart Mirtal for the changes to apply.", kAppCaption, MB_OK | MB_ICONINFORMATION);
}
