// CChoreoDb::ImportTextFolder: a folder of text files read into one level table.
#include "store/ChoreoDb.h"

#include "ImportFixture.h"

#include <filesystem>

namespace {

using storetest::kApos;
using storetest::kQuote;
using storetest::Rows;
using testsupport::writeFile;

class ChoreoImport : public storetest::DbFolder {
protected:
    ChoreoImport() : DbFolder("choreo.db")
    {
        std::filesystem::create_directories(texts.path() / "old");
        chooser.folder = texts.str();
        chooser.level = "plus";
    }

    testsupport::TempDir texts;
    storetest::FakeChooser chooser;
    CChoreoDb db;
};

TEST_F(ChoreoImport, EveryTextFileBecomesAnEntryNamedAfterIt)
{
    writeFile(texts.file("M53_Intro.TXT"), "Heads Square Thru\r\nSwing Thru\r\n");
    writeFile(texts.file("notes.doc"), "not a choreography");
    writeFile(texts.file("old/inside.txt"), "sub-folders are not entered");
    writeFile(texts.file("txt"), "no extension");
    writeFile(texts.file("empty.txt"), "");
    writeFile(texts.file("quotes.txt"), "Girl's \"turn\"\nlast line without break");

    EXPECT_EQ(db.ImportTextFolder(chooser), 4);
    EXPECT_EQ(chooser.asked, (std::vector<std::string>{"folder", "level"}));
    EXPECT_EQ(Query("select * from plus order by name;"),
              (Rows{{"b_intro", "", "Heads Square Thru<br>Swing Thru<br>"},
                    {"empty", "", ""},
                    {"quotes", "", "Girl" + kApos + "s " + kQuote + "turn" + kQuote + "<br>last line without break<br>"},
                    {"txt", "", "no extension<br>"}}));
    EXPECT_EQ(db.GetEntryValue("[choreotable]plus[choreoname]quotes[choreotype][choreocall]", 1),
              "Girl's \"turn\"<br>last line without break<br>");
    EXPECT_EQ(Col("select count(*) from basic;"), std::vector<std::string>{"0"});
}

TEST_F(ChoreoImport, StoredNamesKeepTheirEntryAndTheFirstOfTwoNamesWins)
{
    db.Create();
    db.SaveEntry("plus", "b_intro", "easy", "kept", 0, 1);
    writeFile(texts.file("m53_intro.txt"), "new");
    writeFile(texts.file("Dup.txt"), "first");
    writeFile(texts.file("dup.txt"), "second");

    EXPECT_EQ(db.ImportTextFolder(chooser), 1);
    EXPECT_EQ(Query("select * from plus order by name;"), (Rows{{"b_intro", "easy", "kept"}, {"dup", "", "first<br>"}}));
}

TEST_F(ChoreoImport, ACancelledChoiceImportsNothing)
{
    writeFile(texts.file("a.txt"), "x");
    const struct {
        std::string folder;
        std::string level;
        std::vector<std::string> asked;
    } cases[] = {
        {"", "plus", {"folder"}},
        {texts.file("missing"), "plus", {"folder"}},
        {texts.str(), "", {"folder", "level"}},   // cancelled level: not Basic
        {texts.str(), "any", {"folder", "level"}}, // no dance level
        {texts.str(), "Plus", {"folder", "level"}},
    };
    for (const auto& c : cases) {
        storetest::FakeChooser answers;
        answers.folder = c.folder;
        answers.level = c.level;
        EXPECT_EQ(db.ImportTextFolder(answers), 0) << c.folder << " " << c.level;
        EXPECT_EQ(answers.asked, c.asked);
    }
    db.Create();
    for (const char* table : CChoreoDb::Tables())
        EXPECT_EQ(Col(std::string("select count(*) from ") + table + ";"), std::vector<std::string>{"0"}) << table;
}

} // namespace
