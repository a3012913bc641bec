// The one encoded form of a choreography reference: built, split, and the
// texts that are no reference.
#include "store/ChoreoRef.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    const char* table;
    const char* name;
    const char* type;
    const char* call;
    const char* encoded; // what GetEncoded answers afterwards
    bool reference;
};

TEST(ChoreoRef, ParseSplitsAndCompletesTheText)
{
    const ParseCase cases[] = {
        {"[choreotable]basic[choreoname]start[choreotype][choreocall]", "basic", "start", "", "",
         "[choreotable]basic[choreoname]start[choreotype][choreocall]", true},
        // Capitals are read lower-case; the text itself and the call stay as given.
        {"[choreotable]PLUS[choreoname]Figure[choreotype]Easy[choreocall]Swing Thru", "plus", "figure", "easy",
         "Swing Thru", "[choreotable]PLUS[choreoname]Figure[choreotype]Easy[choreocall]Swing Thru", true},
        // Table only: nothing is split yet, the missing tags are added.
        {"[choreotable]plus", "", "", "", "", "[choreotable]plus[choreoname][choreotype][choreocall]", true},
        {"[choreotable]plus[choreoname]fig", "plus", "fig", "", "",
         "[choreotable]plus[choreoname]fig[choreotype][choreocall]", true},
        // Ending after the type: the text is not extended.
        {"[choreotable]plus[choreoname]fig[choreotype]easy", "plus", "fig", "easy", "",
         "[choreotable]plus[choreoname]fig[choreotype]easy", true},
        // The first 13 characters are skipped unseen.
        {"1234567890123plus[choreoname]fig", "plus", "fig", "", "", "1234567890123plus[choreoname]fig[choreotype][choreocall]",
         false},
        {"[CHOREOTABLE]plus[choreoname]fig[choreotype][choreocall]", "plus", "fig", "", "",
         "[CHOREOTABLE]plus[choreoname]fig[choreotype][choreocall]", false},
        {"C:\\Dances\\plus\\figure.txt", "", "", "", "", "C:\\Dances\\plus\\figure.txt[choreoname][choreotype][choreocall]",
         false},
        {"[choreotable", "", "", "", "", "[choreotable[choreoname][choreotype][choreocall]", false},
        {"sql=select * from plus", "", "", "", "", "sql=select * from plus[choreoname][choreotype][choreocall]", false},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        const bool wasReference = CChoreoRef::IsReference(c.text);
        CChoreoRef ref(c.text);
        EXPECT_EQ(ref.GetTable(), c.table);
        EXPECT_EQ(ref.GetName(), c.name);
        EXPECT_EQ(ref.GetType(), c.type);
        EXPECT_EQ(ref.GetCall(), c.call);
        EXPECT_EQ(ref.GetEncoded(), c.encoded);
        EXPECT_EQ(wasReference, c.reference);
        EXPECT_EQ(ref.HasTable(), c.table[0] != 0);
        EXPECT_EQ(ref.HasType(), c.type[0] != 0);
    }
}

TEST(ChoreoRef, ASecondParseOfTheCompletedTableOnlyTextFindsTheTable)
{
    CChoreoRef ref("[choreotable]plus");
    EXPECT_EQ(ref.GetEncoded(), CChoreoRef::LevelQuery(3));
    ref.Parse(ref.GetEncoded());
    EXPECT_EQ(ref.GetTable(), "plus");
    EXPECT_EQ(ref.GetEncoded(), CChoreoRef::LevelQuery(3)) << "nothing appended twice";
}

TEST(ChoreoRef, PartsMissingFromAReparsedTextKeepNoOldNameButTheOldTableAndCall)
{
    CChoreoRef ref("plus", "figure", "easy", "Swing");
    ref.Parse("[choreotable]c1[choreoname]other[choreotype]hard");
    EXPECT_EQ(ref.GetTable(), "c1");
    EXPECT_EQ(ref.GetName(), "other");
    EXPECT_EQ(ref.GetCall(), "Swing") << "a text without the call tag leaves the call";
    ref.Parse("[choreotable]c2");
    EXPECT_EQ(ref.GetTable(), "c1") << "a text without the name tag leaves the table";
    EXPECT_EQ(ref.GetName(), "");
    EXPECT_EQ(ref.GetCall(), "");
}

TEST(ChoreoRef, SetLowerCasesAllButTheCall)
{
    const CChoreoRef ref("Plus", "Figure", "Easy", "");
    EXPECT_EQ(ref.GetEncoded(), "[choreotable]plus[choreoname]figure[choreotype]easy[choreocall]");
    EXPECT_EQ(ref.GetEncodedWithoutCall(), "[choreotable]plus[choreoname]figure[choreotype]easy");
    EXPECT_TRUE(ref.IsReference());

    const CChoreoRef search("C3A", "ALL", "", "Swing Thru");
    EXPECT_EQ(search.GetEncoded(), "[choreotable]c3a[choreoname]all[choreotype][choreocall]Swing Thru");
    EXPECT_EQ(search.GetEncodedWithoutCall(), "[choreotable]c3a[choreoname]all[choreotype]");
    // Built and split again, a reference gives back its parts.
    const CChoreoRef again(search.GetEncoded());
    EXPECT_EQ(again.GetTable(), "c3a");
    EXPECT_EQ(again.GetCall(), "Swing Thru");
}

TEST(ChoreoRef, LevelQueriesSearchAWholeLevel)
{
    EXPECT_EQ(CChoreoRef::LevelQuery(3), "[choreotable]plus[choreoname][choreotype][choreocall]");
    EXPECT_EQ(CChoreoRef::LevelQuery(10), "[choreotable]c4[choreoname][choreotype][choreocall]");
    EXPECT_EQ(CChoreoRef::LevelQuery(0), "[choreotable][choreoname][choreotype][choreocall]");
    EXPECT_EQ(CChoreoRef::LevelQuery(11), "[choreotable][choreoname][choreotype][choreocall]");
    EXPECT_FALSE(CChoreoRef().IsReference());
}

} // namespace
