#include "store/MyFunctions.h"

#include <gtest/gtest.h>

namespace {

const std::string kApos = "[\xC2\xA4]";  // [¤]
const std::string kQuote = "[\xC2\xA3]"; // [£]

TEST(StoredText, EscapeAndUnescape)
{
    const MyFunctions fn;
    const struct {
        std::string plain;
        std::string stored;
    } cases[] = {
        {"it's", "it" + kApos + "s"},
        {"say \"hi\"", "say " + kQuote + "hi" + kQuote},
        {"a\nb", "a[$]b"},
        {"a\r\nb", "a\r[$]b"}, // the CR stays, so CR LF comes back
        {"it's \"x\"\nend", "it" + kApos + "s " + kQuote + "x" + kQuote + "[$]end"},
        {"", ""},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fn.EscapeSql(c.plain), c.stored) << c.plain;
        EXPECT_EQ(fn.UnescapeSql(c.stored), c.plain) << c.plain;
        EXPECT_EQ(fn.EscapeSql(c.stored), c.stored) << "escaping twice equals escaping once";
        EXPECT_EQ(c.stored.find('\''), std::string::npos);
    }
}

TEST(StoredText, AcuteFormCannotBeReadBack)
{
    const MyFunctions fn;
    EXPECT_EQ(fn.EscapeSql("it's", 1), "it\xC2\xB4s");
    EXPECT_EQ(fn.UnescapeSql("it\xC2\xB4s"), "it\xC2\xB4s");
    EXPECT_EQ(fn.EscapeSql("\"\n", 1), kQuote + "[$]");
}

TEST(StoredText, PlainTokensComeBackAsTheirCharacters)
{
    const MyFunctions fn;
    // A plain text that itself holds "[$]" reads back with a line feed in its place.
    EXPECT_EQ(fn.UnescapeSql(fn.EscapeSql("cost [$] 5")), "cost \n 5");
}

} // namespace
