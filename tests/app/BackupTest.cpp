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

} // namespace
} // namespace servicestest
