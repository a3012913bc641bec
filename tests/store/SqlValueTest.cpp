#include "store/SqlValue.h"

#include "store/CppSQLite3.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

TEST(SqlValue, NumbersAreWhatSqliteReadsAsNumericLiterals)
{
    const struct {
        const char* text;
        bool number;
    } cases[] = {
        {"44100", true}, {"-1.75", true}, {".05", true}, {"-.05", true}, {"5.", true},   {"+3", true},
        {" 12 ", true},  {"1.0e+20", true}, {"", false},  {" ", false},  {".", false},   {"-", false},
        {"1,5", false},  {"1e", false},    {"0x10", false}, {"nan", false}, {"inf", false}, {"1 2", false},
        {"1); drop table music; --", false}, {"'1'", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::IsSqlNumber(c.text), c.number) << "[" << c.text << "]";
}

TEST(SqlValue, CheckedNumbersAndLiterals)
{
    EXPECT_EQ(store::SqlNumber(" -2.5 ", "tempo"), "-2.5");
    try {
        store::SqlNumber("fast", "tempo");
        ADD_FAILURE();
    } catch (const CppSQLite3Exception& e) {
        EXPECT_EQ(e.ErrorCode(), SQLITE_MISMATCH);
        EXPECT_EQ(e.ErrorMessage(), "SQLITE_MISMATCH[20]: tempo is not a number: 'fast'");
    }
    EXPECT_EQ(store::SqlLiteral(nullptr), "NULL");
    EXPECT_EQ(store::SqlLiteral("4.75"), "4.75");
    EXPECT_EQ(store::SqlLiteral("it's"), "'it''s'");
    EXPECT_EQ(store::SqlLiteral(""), "''");
}

} // namespace
