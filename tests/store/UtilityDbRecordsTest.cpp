// CUtilityDb: the record catalogue imported from a fixed-width list, and its queries.
#include "store/UtilityDb.h"

#include "ImportFixture.h"
#include "platform/win/MessageBox.h"

#include <sys/stat.h>

namespace {

using storetest::kApos;
using storetest::Rows;
using Texts = std::vector<std::string>;

std::string pad(const std::string& text, size_t chars)
{
    // Counted in characters: the list is text, not bytes.
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return text + std::string(chars > count ? chars - count : 0, ' ');
}

std::string line(const std::string& label, const std::string& title, const std::string& caller,
                 const std::string& company, const std::string& after = "")
{
    return pad(label, 11) + pad(title, 53) + pad(caller, 50) + pad(company, 24) + after + "\r\n";
}

class Records : public storetest::DbFolder {
protected:
    Records() : DbFolder("utility.db")
    {
        win::ClearMessageBoxLog();
        chooser.file = dir.file("records.txt");
    }

    // Imports a list of these lines.
    CUtilityDb::RecordImport Import(const std::string& text)
    {
        testsupport::writeFile(chooser.file, text);
        return db.ImportRecordList(chooser);
    }

    storetest::FakeChooser chooser;
    CUtilityDb db;
};

TEST_F(Records, AListLineBecomesARecordAndItsCallers)
{
    const auto result = Import(line("AB 123", "MY SONG", "JOHN DOE/JANE ROE", "ACME") +
                               line("AB 124", "other song", "JOHN DOE", "Acme Records") + "\r\n   \r\n");
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(result.records, 2);
    EXPECT_EQ(chooser.asked, Texts{"file *.* All Files (*.*)|*.*||"});
    EXPECT_EQ(Query("select * from sqrecord;"),
              (Rows{{"AB 123", "My Song", "John Doe/Jane Roe", "ACME", "AB 123 - My Song", "[no]"},
                    {"AB 124", "Other Song", "John Doe", "Acme Records", "AB 124 - Other Song", "[no]"}}));
    EXPECT_EQ(Col("select caller from caller order by caller;"), (Texts{"JANE ROE", "JOHN DOE"}));
    EXPECT_EQ(Col("select name from sqlite_master where type='index';"), Texts{"idx_sqrecord"});
    EXPECT_EQ(Col("select count(*) from temp;"), Texts{"0"});
    EXPECT_EQ(db.GetVersionText(), "2.03");
    EXPECT_TRUE(win::MessageBoxLog().empty());
}

TEST_F(Records, FieldsAreCutByCharacterAndQuotesDoNotShiftThem)
{
    const struct {
        std::string line;
        Texts expected; // label, title, caller, company, labeltitle
    } cases[] = {
        {line("O'K 1", "O'BRIEN'S \"BEST\"", "PAT O'NEIL", "IT'S MUSIC"),
         {"O" + kApos + "K 1", "O" + kApos + "brien" + kApos + "s [\xC2\xA3]best[\xC2\xA3]", "Pat O" + kApos + "neil",
          "IT" + kApos + "S MUSIC", "O" + kApos + "K 1 - O" + kApos + "brien" + kApos + "s [\xC2\xA3]best[\xC2\xA3]"}},
        {line("CÉ 7", "ÉTÉ À PARIS", "RENÉ", "DÉJÀ"), {"CÉ 7", "Été À Paris", "René", "DÉJÀ", "CÉ 7 - Été À Paris"}},
        {line("X 1", "A", "B", "x'); drop table t; --"), {"X 1", "A", "B", "x" + kApos + "); drop table t; --", "X 1 - A"}},
        {"AB 1\r\n", {"AB 1", "", "", "", "AB 1 - "}},
        {pad("LONGLABEL12345", 11) + "\r\n", {"LONGLABEL12", "345", "", "", "LONGLABEL12 - 345"}},
        {line("L", "T", "C", "COMPANY", "ignored beyond column 138"), {"L", "T", "C", "COMPANY", "L - T"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Import(c.line).replaced) << c.line;
        const Rows rows = Query("select label, title, caller, company, labeltitle from sqrecord;");
        ASSERT_EQ(rows.size(), 1u) << c.line;
        EXPECT_EQ(rows[0], c.expected) << c.line;
    }
}

TEST_F(Records, CallerFieldsAreCutAtSlashesIntoDistinctNames)
{
    const struct {
        std::string caller;
        Texts names;
    } cases[] = {
        {"A / B", {"A ", " B"}},
        {"/A/B", {"/A/B"}},
        {"A/B/C", {"A", "B", "C"}},
        {"PAT O'NEIL", {"PAT O" + kApos + "NEIL"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        Import(line("L1", "T", c.caller, "C") + line("L2", "T", c.caller, "C"));
        EXPECT_EQ(Col("select caller from caller order by rowid;"), c.names) << c.caller;
    }
}

TEST_F(Records, ADuplicateLabelKeepsTheFirstRecordAndIsReported)
{
    const auto result = Import(line("AB 1", "FIRST", "X", "C") + line("AB 2", "SECOND", "Y", "C") +
                               line("AB 1", "THIRD", "Z", "C"));
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(result.records, 2);
    EXPECT_EQ(result.duplicates, Texts{"AB 1"});
    EXPECT_EQ(Col("select title from sqrecord order by label;"), (Texts{"First", "Second"}));
    EXPECT_EQ(Col("select caller from caller order by caller;"), (Texts{"X", "Y"}));
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_NE(win::MessageBoxLog()[0].text.find("AB 1"), std::string::npos);
}

TEST_F(Records, AListThatCannotBeReadKeepsTheCatalogue)
{
    Import(line("AB 1", "KEEP", "X", "C"));
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0); // reading it would wait for a writer
    testsupport::writeFile(dir.file("empty.txt"), "");
    testsupport::writeFile(dir.file("blank.txt"), "\r\n   \r\n");
    for (const std::string& path : {dir.file("missing.txt"), dir.str(), dir.file("pipe"), dir.file("empty.txt"),
                                    dir.file("blank.txt")}) {
        win::ClearMessageBoxLog();
        chooser.file = path;
        EXPECT_FALSE(db.ImportRecordList(chooser).replaced);
        EXPECT_EQ(Col("select title from sqrecord;"), Texts{"Keep"});
        EXPECT_EQ(Col("select caller from caller;"), Texts{"X"});
        ASSERT_EQ(win::MessageBoxLog().size(), 1u) << path;
        EXPECT_NE(win::MessageBoxLog()[0].text.find("unchanged"), std::string::npos);
    }
    // Cancelled: nothing happens and nothing is said.
    win::ClearMessageBoxLog();
    chooser.file.clear();
    EXPECT_FALSE(db.ImportRecordList(chooser).replaced);
    EXPECT_EQ(Col("select title from sqrecord;"), Texts{"Keep"});
    EXPECT_TRUE(win::MessageBoxLog().empty());
}

TEST_F(Records, AFailureWhileRefillingKeepsTheCatalogue)
{
    Import(line("AB 1", "KEEP", "X", "C"));
    const std::string stamp = db.GetModifiedText();
    // A view where the scratch table belongs makes the refill fail half-way.
    Run("drop table temp;");
    Run("create view temp as select 1 as name;");
    EXPECT_THROW(Import(line("NEW 1", "NEW", "Y", "C")), CppSQLite3Exception);
    EXPECT_EQ(Col("select title from sqrecord;"), Texts{"Keep"});
    EXPECT_EQ(Col("select caller from caller;"), Texts{"X"});
    EXPECT_EQ(db.GetModifiedText(), stamp);
}

TEST_F(Records, RandomBytesAreNoRecordListAndKeepTheCatalogue)
{
    Import(line("AB 1", "KEEP", "X", "C"));
    std::string bytes;
    std::uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes += char(x >> 24);
    }
    win::ClearMessageBoxLog();
    const auto result = Import(bytes);
    EXPECT_FALSE(result.replaced);
    EXPECT_GT(result.refused, 100);
    EXPECT_EQ(Col("select title from sqrecord;"), Texts{"Keep"});
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_NE(win::MessageBoxLog()[0].text.find("unchanged"), std::string::npos);
}

TEST_F(Records, LinesThatAreNotRecordsArePassedOverAndReported)
{
    const auto result = Import(line("AB 1", "GOOD", "X", "C") + "\x01\x02\xFF\xFE binary\x7F junk\r\n" +
                               std::string(5000, 'A') + "\r\n" + line("AB 2", "ALSO GOOD", "Y", "C") +
                               line("AB 3", "THIRD", "Z", "C"));
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(result.records, 3);
    EXPECT_EQ(result.refused, 2);
    EXPECT_EQ(Col("select label from sqrecord order by label;"), (Texts{"AB 1", "AB 2", "AB 3"}));
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_NE(win::MessageBoxLog()[0].text.find("2 lines"), std::string::npos);
}

TEST_F(Records, LabelsDifferingOnlyByANulByteAreADuplicate)
{
    const auto result = Import(line(std::string("AB 1\0x", 6), "FIRST", "X", "C") +
                               line(std::string("AB 1\0y", 6), "SECOND", "Y", "C") + line("AB 2", "THIRD", "Z", "C"));
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(result.records, 2);
    EXPECT_EQ(result.duplicates, Texts{"AB 1"});
    EXPECT_EQ(Col("select title from sqrecord order by label;"), (Texts{"First", "Third"}));
}

class RecordQueries : public Records {
protected:
    void SetUp() override
    {
        Import(line("AB 123", "MY SONG", "JOHN DOE", "ACME") + line("AB 124", "O'BRIEN'S SONG", "JANE ROE", "Acme") +
               line("XY 9", "OTHER", "JOHN DOE/JANE ROE", "Big Beat"));
        Run("update sqrecord set cuesheet='[yes]' where label in ('AB 124','XY 9');");
    }
};

TEST_F(RecordQueries, SearchRecordsMatchesAFieldAndTheFilters)
{
    const struct {
        std::string text;
        int field;
        std::string company;
        std::string caller;
        Texts labels;
    } cases[] = {
        {"acm", 3, "", "", {"AB 123", "AB 124"}},
        {"song", 0, "", "", {"AB 123", "AB 124"}},
        {"o'brien", 0, "", "", {"AB 124"}},
        {"", 1, "Big", "", {"XY 9"}},
        {"", 2, "", "jane", {"AB 124", "XY 9"}},
        {"ab", 1, "acme", "john", {"AB 123"}},
        {"x' OR '1'='1", 0, "", "", {}},
        {"", 7, "", "", {}},
        {"", -1, "", "", {}},
    };
    for (const auto& c : cases) {
        CppSQLite3Table t = db.SearchRecords(c.text, c.field, c.company, c.caller);
        Texts labels;
        for (const auto& row : RowsOf(t))
            labels.push_back(row.at(0));
        EXPECT_EQ(labels, c.labels) << c.text << " " << c.field;
    }
}

TEST_F(RecordQueries, AnUnknownFieldAnswersNoRowsWithoutTheFile)
{
    testsupport::TempDir other;
    const std::string saved = g_baseFolder;
    g_baseFolder = other.str();
    CppSQLite3Table t = db.SearchRecords("x", 7, "", "");
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(other.file("utility.db")));
    g_baseFolder = saved;
}

TEST_F(RecordQueries, RecordsWithCueSheetsAreFoundInTheStoredForm)
{
    const struct {
        std::string text;
        int mode;
        Texts labels;
    } cases[] = {
        {"AB 124", 0, {"AB 124"}},
        {"AB 123", 0, {}}, // no cue sheet
        {"O'brien's Song", 1, {"AB 124"}},
        {"AB 124 - O'brien's Song", 2, {"AB 124"}},
        {"b 12", 3, {"AB 124"}},
        {"brien", 4, {"AB 124"}},
        {"'s song", 5, {"AB 124"}},
        {"ignored", 6, {"AB 124", "XY 9"}},
        {"", 7, {}},
    };
    for (const auto& c : cases) {
        CppSQLite3Table t = db.FindRecordsWithCueSheet(c.text, c.mode, 1);
        Texts labels;
        for (const auto& row : RowsOf(t))
            labels.push_back(row.at(0));
        EXPECT_EQ(labels, c.labels) << c.text << " " << c.mode;
    }
    CppSQLite3Table one = db.FindRecordsWithCueSheet("XY 9", 0, 1);
    EXPECT_EQ(RowsOf(one), (Rows{{"XY 9", "Other", "John Doe/Jane Roe", "Big Beat", "XY 9 - Other"}}));
    CppSQLite3Table all = db.GetRecordsWithCueSheet();
    EXPECT_EQ(RowsOf(all), (Rows{{"AB 124", "O" + kApos + "brien" + kApos + "s Song",
                                  "AB 124 - O" + kApos + "brien" + kApos + "s Song"},
                                 {"XY 9", "Other", "XY 9 - Other"}}));
}

TEST_F(RecordQueries, ListingsOnTheBatchAndOnTheirOwn)
{
    db.BeginBatch();
    EXPECT_EQ(db.CountRecords(0), 3);
    CppSQLite3Table companies = db.GetCompanies(0);
    CppSQLite3Table callers = db.GetCallers(0);
    db.CommitBatch();
    EXPECT_EQ(RowsOf(companies), (Rows{{"ACME"}, {"Acme"}, {"Big Beat"}}));
    EXPECT_EQ(RowsOf(callers), (Rows{{"JOHN DOE"}, {"JANE ROE"}}));
    CppSQLite3Table titles = db.GetRecordTitles(1);
    EXPECT_EQ(RowsOf(titles).at(0), (Texts{"AB 123", "My Song", "John Doe"}));
}

} // namespace
