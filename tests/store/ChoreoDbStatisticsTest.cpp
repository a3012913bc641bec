// CChoreoDb::ExportStatistics: entry counts per level and category in "driftwelkpon.csv".
#include "store/ChoreoDb.h"

#include "ImportFixture.h"

#include <algorithm>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

// The rows of one of the levels basic .. c3b as the file lists them, last counted first.
Lines levelBlock(const std::string& label, bool extreme, const std::vector<int>& counts)
{
    Lines rows = {label + ";Start;;", label + ";Figure;Easy;", label + ";Figure;Hard;"};
    if (extreme)
        rows.push_back(label + ";Figure;Extreme;");
    for (const char* r : {";Figure;Assymetric;", ";Home;;", ";Singingcall;;"})
        rows.push_back(label + r);
    Lines block = {"", ""};
    int total = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        total += counts.empty() ? 0 : counts.at(i);
    block.push_back(label + ";Total;;" + std::to_string(total));
    for (size_t i = rows.size(); i-- > 0;)
        block.push_back(rows[i] + std::to_string(counts.empty() ? 0 : counts.at(i)));
    return block;
}

class ChoreoStatistics : public storetest::DbFolder {
protected:
    ChoreoStatistics() : DbFolder("choreo.db") { db.Create(); }

    Lines FileLines()
    {
        const std::string bytes = testsupport::readFile(CChoreoDb::StatisticsPath());
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        Lines lines;
        std::istringstream in(bytes);
        for (std::string line; std::getline(in, line);) {
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << "line break of " << line;
            if (!line.empty())
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    CChoreoDb db;
};

TEST_F(ChoreoStatistics, AnEmptyDatabaseGivesEveryLineWithZero)
{
    db.ExportStatistics();
    EXPECT_EQ(CChoreoDb::StatisticsPath(), dir.file("driftwelkpon.csv"));
    const Lines lines = FileLines();
    ASSERT_EQ(lines.size(), 173u);

    // From the top: the grand total, then Challenge 4's block from its last row to its first.
    const Lines top = {"Total;;;0", "", "", "c4;Total;;0", "c4;Home;Module6;0", "c4;Home;Module5;0",
                       "c4;home;Module4;0", "c4;Home;Module3;0"};
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + top.size()), top);
    const Lines c4Tail = {"c4;Figure;Week1 Assymetric;0", "c4;Figure;Week1 Extreme;0", "c4;Figure;Week1 Hard;0",
                          "c4;Figure;Week1 Easy;0", "c4;Concept;Module6;0"};
    const auto tail = std::find(lines.begin(), lines.end(), c4Tail.front());
    ASSERT_NE(tail, lines.end());
    EXPECT_EQ(Lines(tail, tail + c4Tail.size()), c4Tail);
    EXPECT_EQ(lines.at(87), "c4;Start;Week1;0");

    // Then the other levels, Basic last.
    Lines rest;
    const char* const levels[] = {"c3b", "c3a", "c2", "c1", "a2", "a1", "plus", "main", "Basic"};
    for (const std::string level : levels) {
        const bool extreme = level == "c1" || level == "c2" || level == "c3a" || level == "c3b";
        const Lines block = levelBlock(level, extreme, {});
        rest.insert(rest.end(), block.begin(), block.end());
    }
    EXPECT_EQ(Lines(lines.begin() + 88, lines.end()), rest);
}

TEST_F(ChoreoStatistics, EntriesCountInEveryRowTheirNameAndTypeContain)
{
    db.SaveEntry("basic", "b_figure_home", "easy, hard", "x", 0, 1);
    db.SaveEntry("basic", "b_start_1", "", "x", 0, 1);
    db.SaveEntry("c1", "c1_figure_2", "extreme", "x", 0, 1);
    db.SaveEntry("c4", "figurew10", "Hard", "x", 0, 1);
    db.SaveEntry("c4", "homem4_a", "", "x", 0, 1);
    db.SaveEntry("any", "start_figure_home_sing", "easy", "x", 0, 1);
    db.ExportStatistics();
    const Lines lines = FileLines();
    ASSERT_EQ(lines.size(), 173u);

    EXPECT_EQ(lines.at(0), "Total;;;7");
    EXPECT_EQ(lines.at(3), "c4;Total;;2");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "c4;home;Module4;1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "c4;Figure;Week1 Hard;1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "c4;Figure;Week1 Easy;0"), lines.end());
    const Lines c1 = levelBlock("c1", true, {0, 0, 0, 1, 0, 0, 0});
    EXPECT_NE(std::search(lines.begin(), lines.end(), c1.begin(), c1.end()), lines.end());
    const Lines basic = levelBlock("Basic", false, {1, 1, 1, 0, 1, 0});
    EXPECT_EQ(Lines(lines.end() - basic.size(), lines.end()), basic);
}

TEST_F(ChoreoStatistics, ASecondRunWritesTheSameFile)
{
    db.SaveEntry("main", "m_start", "", "x", 0, 1);
    db.ExportStatistics();
    const std::string first = testsupport::readFile(CChoreoDb::StatisticsPath());
    db.ExportStatistics();
    EXPECT_EQ(testsupport::readFile(CChoreoDb::StatisticsPath()), first);
}

TEST_F(ChoreoStatistics, AMissingLevelTableCountsNothingAndTheExportGoesOn)
{
    db.SaveEntry("c4", "startw1", "", "x", 0, 1);
    Run("drop table c2;");
    db.ExportStatistics();
    const Lines lines = FileLines();
    ASSERT_EQ(lines.size(), 173u);
    EXPECT_EQ(lines.at(0), "Total;;;1");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "c2;Total;;0"), lines.end());
}

} // namespace
