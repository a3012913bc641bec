#include "platform/win/Clipboard.h"

#include <gtest/gtest.h>

namespace {

TEST(Clipboard, TextRoundTripsIncludingNonAsciiAndEmpty)
{
    for (const std::string& text : {std::string("Plus"), std::string("\xC3\x96sten \xE2\x80\x93 Tip\nline 2"),
                                   std::string()}) {
        ASSERT_TRUE(win::SetClipboardText(text));
        EXPECT_EQ(win::GetClipboardText(), text);
    }
}

} // namespace
