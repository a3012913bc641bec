// The backup copy of the main database at each start.
#include "ServicesFixture.h"

namespace fs = std::filesystem;

namespace servicestest {
namespace {

using BackupTest = ServicesTest;

std::string backupSetting(const std::string& file, const std::string& key)
{
    CppSQLite3DB db;
    db.Open(file);
    CppSQLite3Table t = db.GetTable("SELECT value FROM ini WHERE name='" + key + "';");
    std::string value = t.RowCount() ? t.FieldTextOr(0) : "";
    db.Close();
    return value;
}

TEST_F(BackupTest, EachStartCopiesTheCurrentDatabase)
{
    preset({{"music - headname", "first"}});
    start();
    ASSERT_TRUE(fileExists("mirtal.dbtmp"));
    EXPECT_EQ(backupSetting(dir.file("mirtal.dbtmp"), "music - headname"), "first");
    dlg->DestroyWindow();

    set("music - headname", "second");
    start();
    EXPECT_EQ(backupSetting(dir.file("mirtal.dbtmp"), "music - headname"), "second") << "the old copy is overwritten";
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_FALSE(fileExists("mirtal.dbtmp.part"));
}

TEST_F(BackupTest, ACopyTakenDuringAWriteHoldsOnlyCommittedData)
{
    start();
    CppSQLite3DB writer;
    writer.Open(dir.file("mirtal.db"));
    writer.Execute("BEGIN IMMEDIATE;");
    writer.Execute("INSERT INTO ini VALUES('half written', 'x');");
    dlg->BackupDatabase();
    writer.Execute("COMMIT;");
    writer.Close();

    EXPECT_TRUE(boxTexts().empty());
    CppSQLite3DB copy;
    copy.Open(dir.file("mirtal.dbtmp"));
    CppSQLite3Table check = copy.GetTable("PRAGMA integrity_check;");
    EXPECT_STREQ(check.FieldTextOr(0), "ok");
    EXPECT_EQ(copy.QueryScalar("SELECT count(*) FROM ini WHERE name='half written';"), 0);
    EXPECT_GT(copy.QueryScalar("SELECT count(*) FROM ini;"), 100);
    copy.Close();
}

TEST_F(BackupTest, AFailedCopyIsReportedAndTheStartGoesOn)
{
    preset({});
    fs::create_directories(dir.path() / "mirtal.dbtmp" / "in the way");
    start();
    EXPECT_TRUE(dlg->IsFirstPaintDone());
    ASSERT_EQ(boxTexts(), std::vector<std::string>{"Can't copy mirtal.db to mirtal.dbtmp"});
    EXPECT_EQ(win::MessageBoxLog().back().type, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_FALSE(fileExists("mirtal.dbtmp.part")) << "no half copy is left behind";
    EXPECT_TRUE(fs::is_directory(dir.path() / "mirtal.dbtmp" / "in the way"));
    // Timer 1 still ends the wait.
    EXPECT_TRUE(waitFor([] { return QApplication::overrideCursor() == nullptr; }, 3000));
}

// Rows enough that copying and checking the database take a while.
void addFiller(const std::string& path, int rows)
{
    CppSQLite3DB db;
    db.Open(path);
    db.Execute("CREATE TABLE IF NOT EXISTS filler(a);");
    db.Execute("BEGIN;");
    for (int i = 0; i < rows; ++i)
        db.Execute("INSERT INTO filler VALUES('" + std::string(150, char('a' + i % 26)) + "');");
    db.Execute("COMMIT;");
}

TEST_F(BackupTest, TheWindowIsPlacedWhileTheCopyIsMadeAndClosingItLeavesNoHalfCopy)
{
    preset({{"music - headname", "kept"}, {"general - maxstart", "false"}});
    addFiller(dir.file("mirtal.db"), 60000);
    dlg = std::make_unique<CMirtalDlg>();
    ASSERT_TRUE(dlg->Create(CMirtalDlg::IDD));
    ASSERT_TRUE(waitFor([&] { return dlg->IsBackupRunning() || dlg->IsFirstPaintDone(); }, testsupport::kStartWaitMs));
    // The window does not wait for the copy: placed, its level applied.
    win::PumpMessages();
    CRect r;
    dlg->GetWindowRect(r);
    EXPECT_EQ(r.Size(), CSize(1024, 730));
    EXPECT_EQ(g_danceLevel, 1);
    // Closed at once: the copy ends first, whole.
    dlg->DestroyWindow();
    for (const char* half : {"mirtal.dbtmp.new", "mirtal.dbtmp.new.part", "mirtal.dbtmp.part"})
        EXPECT_FALSE(fileExists(half)) << half;
    EXPECT_EQ(backupSetting(dir.file("mirtal.dbtmp"), "music - headname"), "kept");
    EXPECT_TRUE(boxTexts().empty());
}

// Garbage over a page near the end, in a table the start never reads.
void damageLatePage(const std::string& path)
{
    std::string bytes = testsupport::readFile(path);
    const size_t page = 4096;
    ASSERT_GT(bytes.size(), 40 * page);
    const size_t at = (bytes.size() / page - 5) * page;
    for (size_t i = at; i < at + page; ++i)
        bytes[i] = char((i * 131) & 0xFF);
    testsupport::writeFile(path, bytes);
}

TEST_F(BackupTest, ABadDatabaseBesideAGoodBackupGetsTheBackupOffered)
{
    for (const char* kind : {"empty", "damaged"}) {
        SCOPED_TRACE(kind);
        for (const auto& entry : fs::directory_iterator(dir.path()))
            fs::remove_all(entry.path());
        win::ClearMessageBoxLog();
        preset({{"music - headname", "kept"}});
        {
            // Enough songs for pages the start never reads.
            CppSQLite3DB db;
            db.Open(dir.file("mirtal.db"));
            db.Execute("CREATE TABLE IF NOT EXISTS filler(a);");
            db.Execute("BEGIN;");
            for (int i = 0; i < 2000; ++i)
                db.Execute("INSERT INTO filler VALUES('" + std::string(150, char('a' + i % 26)) + "');");
            db.Execute("COMMIT;");
        }
        start();
        dlg->DestroyWindow();
        dlg.reset();
        ASSERT_EQ(backupSetting(dir.file("mirtal.dbtmp"), "music - headname"), "kept");

        if (std::string(kind) == "empty")
            testsupport::writeFile(dir.file("mirtal.db"), "");
        else
            damageLatePage(dir.file("mirtal.db"));
        win::ClearMessageBoxLog();
        // The answer: take the backup.
        win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::MessageBox && r.text.rfind("mirtal.db is ", 0) == 0)
                return IDYES;
            return r.kind == win::DialogKind::Dialog ? std::optional<int>(IDCANCEL) : std::nullopt;
        });
        start();
        const auto texts = boxTexts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].rfind(std::string("mirtal.db is ") + kind, 0), 0u) << texts[0];
        EXPECT_NE(texts[0].find("Start with the backup?"), std::string::npos);
        EXPECT_EQ(setting("music - headname"), "kept");
        EXPECT_EQ(backupSetting(dir.file("mirtal.dbtmp"), "music - headname"), "kept");
        dlg->DestroyWindow();
        dlg.reset();
    }
}

} // namespace
} // namespace servicestest
