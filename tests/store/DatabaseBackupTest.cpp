// The safety of mirtal.db at start: its check, the backups kept beside it,
// the backup offered in its place, and a data folder that cannot be written.
#include "store/DatabaseBackup.h"

#include "common/TestSupport.h"
#include "store/CppSQLite3.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using store::BackupResult;
using store::DbState;

namespace {

class DatabaseBackup : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return dir.file(name); }

    // A database of settings and a songs table of many pages, marked with `mark`.
    void makeDb(const std::string& name, const std::string& mark)
    {
        CppSQLite3DB db;
        db.Open(file(name));
        db.Execute("create table ini(name, value); create table songs(path, title);");
        db.Execute("insert into ini values('mark', '" + mark + "');");
        db.Execute("begin;");
        for (int i = 0; i < 2000; ++i)
            db.Execute("insert into songs values('/music/song" + std::to_string(i) + ".mp3', '" +
                       std::string(150, char('a' + i % 26)) + "');");
        db.Execute("commit;");
    }

    std::string markOf(const std::string& name)
    {
        CppSQLite3DB db;
        db.Open(file(name));
        CppSQLite3Table t = db.GetTable("select value from ini where name='mark';");
        return t.RowCount() ? t.FieldTextOr(0) : "";
    }

    // Garbage over one page in the middle of the songs table; the settings still read.
    void damagePage(const std::string& name)
    {
        const std::string path = file(name);
        std::string bytes = testsupport::readFile(path);
        const size_t page = 4096;
        ASSERT_GT(bytes.size(), 40 * page);
        for (size_t i = 30 * page; i < 31 * page; ++i)
            bytes[i] = char((i * 131) & 0xFF);
        testsupport::writeFile(path, bytes);
    }

    testsupport::TempDir dir;
};

} // namespace

TEST_F(DatabaseBackup, TheCheckTellsMissingEmptyDamagedAndGood)
{
    testsupport::writeFile(file("zero.db"), "");
    testsupport::writeFile(file("text.db"), std::string(5000, 'x'));
    { CppSQLite3DB db; db.Open(file("notables.db")); db.Execute("pragma user_version = 3;"); }
    makeDb("good.db", "g");
    makeDb("paged.db", "p");
    damagePage("paged.db");
    struct Case {
        const char* name;
        DbState state;
    } cases[] = {
        {"none.db", DbState::Missing}, {"zero.db", DbState::Empty},   {"notables.db", DbState::Empty},
        {"text.db", DbState::Damaged}, {"paged.db", DbState::Damaged}, {"good.db", DbState::Good},
    };
    for (const Case& c : cases) {
        std::string detail;
        EXPECT_EQ(store::CheckDatabaseFile(file(c.name), &detail), c.state) << c.name << ": " << detail;
        if (c.state == DbState::Damaged) {
            EXPECT_FALSE(detail.empty()) << c.name;
        }
    }
    // The damage sits where reading the settings never goes.
    EXPECT_EQ(markOf("paged.db"), "p");
}

TEST_F(DatabaseBackup, AnEmptyOrDamagedDatabaseNeverReplacesTheBackup)
{
    makeDb("mirtal.dbtmp", "backup");
    for (const char* kind : {"empty", "damaged"}) {
        SCOPED_TRACE(kind);
        if (std::string(kind) == "empty") {
            testsupport::writeFile(file("mirtal.db"), "");
        } else {
            fs::remove(file("mirtal.db"));
            makeDb("mirtal.db", "current");
            damagePage("mirtal.db");
        }
        std::string detail;
        EXPECT_EQ(store::BackupAtStart(dir.str(), &detail), BackupResult::SourceBad);
        EXPECT_EQ(markOf("mirtal.dbtmp"), "backup");
        EXPECT_FALSE(fs::exists(file("mirtal.dbtmp1")));
    }
}

TEST_F(DatabaseBackup, TheLastGoodCopiesAreKept)
{
    for (int start = 1; start <= 4; ++start) {
        fs::remove(file("mirtal.db"));
        makeDb("mirtal.db", "start " + std::to_string(start));
        ASSERT_EQ(store::BackupAtStart(dir.str()), BackupResult::Copied);
    }
    EXPECT_EQ(markOf("mirtal.dbtmp"), "start 4");
    EXPECT_EQ(markOf("mirtal.dbtmp1"), "start 3");
    EXPECT_EQ(markOf("mirtal.dbtmp2"), "start 2");
    EXPECT_FALSE(fs::exists(file("mirtal.dbtmp3")));
    EXPECT_FALSE(fs::exists(file("mirtal.dbtmp.new")));

    // Something that is no backup where one belongs: nothing is moved.
    fs::remove(file("mirtal.dbtmp1"));
    fs::create_directory(file("mirtal.dbtmp1"));
    EXPECT_EQ(store::BackupAtStart(dir.str()), BackupResult::Failed);
    EXPECT_EQ(markOf("mirtal.dbtmp"), "start 4");
    EXPECT_TRUE(fs::is_directory(file("mirtal.dbtmp1")));
}

TEST_F(DatabaseBackup, AStartOffersTheNewestGoodBackupInPlaceOfABadDatabase)
{
    // No backups: a first start, nothing to offer.
    EXPECT_EQ(store::CheckAtStart(dir.str()).state, DbState::Missing);
    EXPECT_EQ(store::CheckAtStart(dir.str()).backup, "");

    makeDb("mirtal.dbtmp1", "older");
    makeDb("mirtal.dbtmp", "newest but damaged");
    damagePage("mirtal.dbtmp");
    struct Case {
        const char* kind;
        DbState state;
    } cases[] = {{"missing", DbState::Missing}, {"empty", DbState::Empty}, {"damaged", DbState::Damaged}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        fs::remove(file("mirtal.db"));
        if (c.state == DbState::Empty)
            testsupport::writeFile(file("mirtal.db"), "");
        if (c.state == DbState::Damaged) {
            makeDb("mirtal.db", "current");
            damagePage("mirtal.db");
        }
        const store::StartCheck check = store::CheckAtStart(dir.str());
        EXPECT_EQ(check.state, c.state);
        EXPECT_EQ(check.backup, file("mirtal.dbtmp1"));
        // Begun on a worker as the program starts: the same answer.
        store::BeginCheckAtStart(dir.str());
        const store::StartCheck begun = store::TakeCheckAtStart(dir.str());
        EXPECT_EQ(begun.state, c.state);
        EXPECT_EQ(begun.backup, file("mirtal.dbtmp1"));
    }
    // A check begun for another folder is not this folder's answer.
    testsupport::TempDir other;
    fs::copy_file(file("mirtal.dbtmp1"), other.file("mirtal.db"));
    store::BeginCheckAtStart(other.str());
    EXPECT_EQ(store::TakeCheckAtStart(dir.str()).state, DbState::Damaged);

    // Taken: the backup's data in place, the damaged file kept aside.
    ASSERT_TRUE(store::RestoreBackup(dir.str(), file("mirtal.dbtmp1")));
    EXPECT_EQ(markOf("mirtal.db"), "older");
    EXPECT_EQ(store::CheckDatabaseFile(file("mirtal.db")), DbState::Good);
    EXPECT_EQ(markOf("mirtal.db.damaged"), "current");
    EXPECT_EQ(store::CheckAtStart(dir.str()).backup, "") << "nothing to offer for a good database";
}

TEST_F(DatabaseBackup, AFolderThatCannotBeWrittenIsNamed)
{
    makeDb("mirtal.db", "x");
    EXPECT_EQ(store::WhyNotWritable(dir.str()), "");

    // Permissions hold for an ordinary user only: the check runs as one.
    const auto whyAsUser = [&](const std::string& folder) {
        const std::string out = file("answer.txt");
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(2);
            std::ofstream(out) << store::WhyNotWritable(folder);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return testsupport::readFile(out);
    };
    // The answer goes to a file the child can write.
    chmod(dir.str().c_str(), 0777);
    testsupport::writeFile(file("answer.txt"), "");
    chmod(file("answer.txt").c_str(), 0666);

    const std::string ro = file("readonly");
    fs::create_directory(ro);
    testsupport::writeFile(ro + "/mirtal.db", "");
    chmod(ro.c_str(), 0555);
    chmod((ro + "/mirtal.db").c_str(), 0444);
    const std::string folderWhy = whyAsUser(ro);
    EXPECT_NE(folderWhy.find("the data folder " + ro + " cannot be written"), std::string::npos) << folderWhy;

    const std::string rw = file("rwfolder");
    fs::create_directory(rw);
    testsupport::writeFile(rw + "/mirtal.db", "");
    chmod(rw.c_str(), 0777);
    chmod((rw + "/mirtal.db").c_str(), 0444);
    const std::string fileWhy = whyAsUser(rw);
    EXPECT_NE(fileWhy.find(rw + "/mirtal.db cannot be written"), std::string::npos) << fileWhy;
    chmod(ro.c_str(), 0755);
}
