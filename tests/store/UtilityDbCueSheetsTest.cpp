// CUtilityDb: cue sheets imported from a folder of HTML files, their short form and their export.
#include "store/UtilityDb.h"

#include "ImportFixture.h"
#include "platform/win/MessageBox.h"

#include <filesystem>

namespace {

using storetest::kApos;
using storetest::Rows;
using testsupport::writeFile;
using Texts = std::vector<std::string>;

const std::string kHead = "<HTML><HEAD><TITLE>My Song</TITLE></HEAD>\r\n<BODY>\r\n";
const std::string kSheet = "<p class=\"hdr\">OPENER</p>\r\n<font class=lyrics><l>la la</l></font><br>\r\n"
                           "<P CLASS=hdr>ENDING</P>\r\n</BODY></HTML>\r\n";

class CueSheets : public storetest::DbFolder {
protected:
    CueSheets() : DbFolder("utility.db"), m_savedLog(g_logEnabled)
    {
        g_logEnabled = 1;
        win::ClearMessageBoxLog();
        db.Init();
        for (const char* label : {"AB 123", "O[\xC2\xA4]HARA 1", "ZZ 1"})
            Run(std::string("insert into sqrecord values('") + label + "','T','C','Co','" + label + " - T','[no]');");
        chooser.folder = sheets.str();
    }
    ~CueSheets() override { g_logEnabled = m_savedLog; }

    std::string Log() { return testsupport::readFile(dir.file("mirtal.log")); }

    testsupport::TempDir sheets;
    storetest::FakeChooser chooser;
    CUtilityDb db;

private:
    BYTE m_savedLog;
};

TEST_F(CueSheets, AFolderOfPagesIsStoredUnderTheLabelsOfTheCatalogue)
{
    writeFile(sheets.file("AB 123 - My Song.html"), kHead + kSheet);
    writeFile(sheets.file("notes.txt"), "<p class=hdr>not a cue sheet</p>");
    writeFile(sheets.file("O'HARA 1 - Irish.HTML"), "<P CLASS=\"HDR\">X</P>");
    writeFile(sheets.file("XY 9 - Unknown.htm"), kSheet);
    writeFile(sheets.file("My Song.html"), kSheet);
    std::filesystem::create_directories(sheets.path() / "old.html");

    EXPECT_TRUE(db.ImportCueSheets(chooser));
    EXPECT_EQ(chooser.asked, Texts{"folder"});
    const std::string stored = "<br>[header]OPENER</FONT>[lyrics]la la</span></FONT><br><br>[header]CLOSER</FONT>";
    EXPECT_EQ(Query("select * from cuesheet order by label;"),
              (Rows{{"AB 123", stored + "</BODY></HTML>"}, {"O" + kApos + "HARA 1", "<P CLASS=[\xC2\xA3]HDR[\xC2\xA3]>X</FONT>"}}));
    EXPECT_EQ(Col("select label from sqrecord where cuesheet='[yes]' order by label;"),
              (Texts{"AB 123", "O" + kApos + "HARA 1"}));
    EXPECT_EQ(Query("select * from cuesheetshort where label='AB 123';"),
              (Rows{{"AB 123", "[header]OPENER</FONT><br>[lyrics]la la</span></FONT><br>[header]CLOSER</FONT><br>"}}));
    EXPECT_EQ(Col("select name from sqlite_master where type='index' order by name;"),
              (Texts{"idx_cuesheet", "idx_cuesheetshort"}));

    const std::string log = Log();
    EXPECT_NE(log.find("Wrong extension: XY 9"), std::string::npos);
    EXPECT_NE(log.find("Don\xC2\xB4t exist in DB: XY 9"), std::string::npos);
    EXPECT_EQ(log.find("Don\xC2\xB4t exist in DB: \r"), std::string::npos); // the page without a label
    EXPECT_EQ(log.find("Wrong extension: O'HARA"), std::string::npos);
    EXPECT_EQ(db.GetVersionText(), "2.03");
}

TEST_F(CueSheets, ContentProblemsAreLoggedAndTheBodyKept)
{
    writeFile(sheets.file("AB 123 - Plain.html"),
              "<!DOCTYPE html PUBLIC \"x\"><html><body style=\"background-color: red\">ENDING</body></html>");
    writeFile(sheets.file("ZZ 1 - Styled.html"),
              "<head></head><p class=hdr>A</p><span style=\"background-color:blue\">x</span>");
    EXPECT_TRUE(db.ImportCueSheets(chooser));
    EXPECT_EQ(Col("select cuesheet from cuesheet where label='AB 123';"),
              Texts{"<!DOCTYPE html PUBLIC [\xC2\xA3]x[\xC2\xA3]><html><body style=[\xC2\xA3]background-color: "
                    "red[\xC2\xA3]>CLOSER</body></html>"});
    const std::string log = Log();
    EXPECT_NE(log.find("Wrong format: AB 123"), std::string::npos);
    EXPECT_NE(log.find("!DOCTYPE HTML PUBLIC: AB 123"), std::string::npos);
    EXPECT_NE(log.find("background-color: AB 123"), std::string::npos);
    EXPECT_NE(log.find("background-color: ZZ 1"), std::string::npos);
    EXPECT_EQ(log.find("Wrong format: ZZ 1"), std::string::npos);
}

TEST_F(CueSheets, TwoPagesOfOneLabelAreBothStored)
{
    writeFile(sheets.file("AB 123 - One.html"), "<p class=hdr>ONE</p>");
    writeFile(sheets.file("AB 123 - Two.html"), "<p class=hdr>TWO</p>");
    db.ImportCueSheets(chooser);
    EXPECT_EQ(Col("select cuesheet from cuesheet order by rowid;"),
              (Texts{"<br>[header]ONE</FONT>", "<br>[header]TWO</FONT>"}));
}

TEST_F(CueSheets, AnotherImportReplacesTheSheetsButKeepsTheFlags)
{
    writeFile(sheets.file("AB 123 - Old.html"), "<p class=hdr>OLD</p>");
    db.ImportCueSheets(chooser);
    std::filesystem::remove(sheets.file("AB 123 - Old.html"));
    writeFile(sheets.file("ZZ 1 - New.html"), "<p class=hdr>NEW</p>");
    db.ImportCueSheets(chooser);
    EXPECT_EQ(Query("select * from cuesheet;"), (Rows{{"ZZ 1", "<br>[header]NEW</FONT>"}}));
    EXPECT_EQ(Col("select label from sqrecord where cuesheet='[yes]' order by label;"), (Texts{"AB 123", "ZZ 1"}));
}

TEST_F(CueSheets, ACancelledOrUnreadableFolderChangesNothing)
{
    writeFile(sheets.file("AB 123 - Old.html"), "<p class=hdr>OLD</p>");
    db.ImportCueSheets(chooser);
    const Rows before = Query("select * from cuesheet union all select * from cuesheetshort union all "
                              "select label, cuesheet from sqrecord union all select * from ini;");
    win::ClearMessageBoxLog();
    for (const std::string& folder : {std::string(), sheets.file("missing")}) {
        storetest::FakeChooser answers;
        answers.folder = folder;
        EXPECT_FALSE(db.ImportCueSheets(answers)) << folder;
        EXPECT_EQ(Query("select * from cuesheet union all select * from cuesheetshort union all "
                        "select label, cuesheet from sqrecord union all select * from ini;"),
                  before);
    }
    EXPECT_EQ(win::MessageBoxLog().size(), 1u); // the missing folder, not the cancel
}

TEST_F(CueSheets, TheShortFormTakesHeaderAndLyricsOfTheFirstThirtyBlocks)
{
    std::string text;
    for (int i = 1; i <= 31; ++i)
        text += "<br>[header]H" + std::to_string(i) + "</FONT>";
    text += "[lyrics]after the last end";
    const struct {
        std::string stored;
        std::string shortForm;
    } cases[] = {
        {"<br>[header]OPENER</FONT>", "[header]OPENER</FONT><br>"},
        {"x[lyrics]a</span>[header]b</FONT>plain</FONT>", "[header]b</FONT><br>[lyrics]a</span>[header]b</FONT><br>"},
        {"no end [header]", ""},
        {text, [] {
             std::string s;
             for (int i = 1; i <= 30; ++i)
                 s += "[header]H" + std::to_string(i) + "</FONT><br>";
             return s;
         }()},
    };
    for (const auto& c : cases) {
        Run("delete from cuesheet;");
        Run("insert into cuesheet values('AB 123','" + c.stored + "');");
        db.BuildShortCueSheets();
        EXPECT_EQ(Query("select * from cuesheetshort;"), (Rows{{"AB 123", c.shortForm}})) << c.stored;
    }
}

TEST_F(CueSheets, ExportsWriteTextAndCsvFiles)
{
    Run("insert into cuesheet values('AB 123','<br>[header]A</FONT>');");
    Run("insert into cuesheet values('ZZ 1','it[\xC2\xA4]s [\xC2\xA3]B[\xC2\xA3]');");
    db.BuildShortCueSheets();
    for (int type = 1; type <= 4; ++type)
        EXPECT_TRUE(db.WriteCueSheetFiles(type)) << type;
    EXPECT_FALSE(db.WriteCueSheetFiles(5));
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheet.txt")),
              "AB 123 <br>[header]A</FONT>\r\n\r\nZZ 1 it[\xC2\xA4]s [\xC2\xA3]B[\xC2\xA3]\r\n\r\n");
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheetshort.txt")), "AB 123 [header]A</FONT><br>\r\n\r\nZZ 1 \r\n\r\n");
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheetcsv.csv")),
              "\"label\"; \"cuesheet\"\r\n\"AB 123\";\"<br>[header]A</FONT>\"\r\n"
              "\"ZZ 1\";\"it[\xC2\xA4]s [\xC2\xA3]B[\xC2\xA3]\"\r\n");
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheetshortcsv.csv")),
              "\"label\"; \"cuesheet\"\r\n\"AB 123\";\"[header]A</FONT><br>\"\r\n\"ZZ 1\";\"\"\r\n");
}

} // namespace
