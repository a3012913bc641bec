// The checker's output made ready for the stage: page headers left out and
// the sequence rewritten into the caller's notation.
#include "texts/SdOutput.h"

#include <gtest/gtest.h>

namespace {

TEST(SdOutput, PageHeadersGoWithTheLineAfterThem)
{
    struct Case {
        std::vector<std::string> lines;
        std::string text;
    };
    const Case cases[] = {
        {{"SAT JUN 10 12:00:00 2023", "Title line", "1P2P", "heads start   "}, "1P2P\r\nHEADS START\r\n"},
        {{"Mon x", "tue y", "dropped", "kept"}, "KEPT\r\n"}, // two headers in a row drop three lines
        {{"SUNSET", "after", "kept"}, "KEPT\r\n"},           // only the first three letters count
        {{"SU", "a"}, "SU\r\nA\r\n"},
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sdoutput::WithoutHeaders(c.lines), c.text) << (c.lines.empty() ? "" : c.lines[0]);
}

TEST(SdOutput, FormatRewritesJoinsAndCollapses)
{
    const std::string longLine(120, 'X');
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"heads square thru 4\r\nspread", "HEADS SQUARE THRU 4 & SPREAD"},
        {"swing thru\r\ncirculate\r\nroll", "SWING THRU\r\nALL 8 CIRCULATE & ROLL"},
        {"swing thru and circulate", "SWING THRU & CIRCULATE"},
        {"three quarter tag\r\nquarter in, at home", "3/4 TAG\r\n1/4 IN HOME"},
        {"spread\r\nheads 3x3 [right] { left }", "HEADS 3 BY 3 RIGHT (LEFT)"},
        {"\r\n\r\nA\r\n\r\n\r\n\r\nB\r\n\r\n", "A\r\n\r\nB"},
        {"A\r\n  WARNING:  DO YOUR PART.\r\nB", "A\r\nB"},
        {"A\r\n   FOOTPRINTS.\r\nB", "A\r\nB"},
        {"A\r\n  WARNING:  DO YOUR PART. NOW\r\nB", "A\r\nDELETELINE NOW\r\nB"},
        {"(1/2 promenade) home\r\ntwo couples only", " HOME\r\nHEADS"},
        {longLine + "\r\nB", longLine + "\r\nB"}, // long lines are kept whole
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sdoutput::Format(c.in), c.out) << c.in;
}

} // namespace
