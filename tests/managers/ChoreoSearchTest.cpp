// The choreography manager's searches and its type keyword.
#include "ManagerFixture.h"
#include "managers/ChoreoSearch.h"
#include "store/ChoreoDb.h"

#include <gtest/gtest.h>

namespace {

namespace cs = choreosearch;

class ChoreoSearchTest : public managerstest::DataTest {
protected:
    void SetUp() override
    {
        choreo.Create();
        choreo.SaveEntry("plus", "mixer_3", "easy", "Heads Spin Chain Thru", 0, 1);
        choreo.SaveEntry("plus", "singer_1", "hard", "Sides Square Thru", 0, 1);
    }
    CChoreoDb choreo;
};

TEST(ChoreoSearchText, UpperCasesAsciiAndLatinLetters)
{
    EXPECT_EQ(cs::Upper("mixer-2 \xC3\xA9t\xC3\xA9 \xC3\xB7"), "MIXER-2 \xC3\x89T\xC3\x89 \xC3\xB7");
}

TEST_F(ChoreoSearchTest, FindFileMatchesTitlesInAnyCaseAndKeepsTheSourceOrder)
{
    const std::vector<std::string> entries = {"/c/Mixer 1.htm", "/c/mix/Singer.htm", "/c/mixer-2.txt",
                                              "[choreotable]plus[choreoname]mixer_3[choreotype]easy"};
    EXPECT_EQ(cs::FindByName(entries, "mix"),
              (std::vector<std::string>{entries[0], entries[2], entries[3]})); // folders never count
    EXPECT_TRUE(cs::FindByName(entries, "nothing").empty());
}

TEST_F(ChoreoSearchTest, FindCallSearchesFilesAndDatabaseEntriesEachInTheirWay)
{
    const std::vector<std::string> entries = {
        write("a.htm", "<p>Heads <b>square thru</b></p>\r\n"),
        "[choreotable]plus[choreoname]singer_1[choreotype]hard",
        dir.file("missing.htm"),
        write("b.txt", "Swing thru\r\nSQUARE THRU 4\r\n"),
        "[choreotable]plus[choreoname]mixer_3[choreotype]easy",
        "[choreotable]plus[choreoname]gone[choreotype]",
    };
    EXPECT_EQ(cs::FindByContent(entries, "Square Thru", choreo),
              (std::vector<std::string>{entries[0], entries[1], entries[3]}));
    EXPECT_EQ(cs::FindByContent(entries, "<b>", choreo), (std::vector<std::string>{entries[0]}));
}

TEST_F(ChoreoSearchTest, TheTypeKeywordNeedsAStarAndAKnownLevelBeforeAnythingIsWritten)
{
    const struct {
        std::string text;
        bool ok;
        const char* level;
        const char* type;
        bool append;
    } cases[] = {
        {"sorbetfjordlynxa plus*hard", true, "plus", "hard", false},
        {"sorbetfjordlynxa_plus*updatefast", true, "plus", "fast", true},
        {"sorbetfjordlynxa plus hard", false, "", "", false},
        {"sorbetfjordlynxa", false, "", "", false},
        {"sorbetfjordlynxa nolevel*hard", false, "", "", false},
        {"sorbetfjordlynxa *hard", false, "", "", false},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto r = cs::ParseTypeRequest(c.text, error);
        ASSERT_EQ(r.has_value(), c.ok) << c.text;
        if (r) {
            EXPECT_EQ(r->level, c.level);
            EXPECT_EQ(r->type, c.type);
            EXPECT_EQ(r->append, c.append);
        } else {
            EXPECT_FALSE(error.empty()) << c.text;
        }
    }
}

} // namespace
