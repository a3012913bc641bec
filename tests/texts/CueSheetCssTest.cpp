// The cue-sheet style sheet: its exact rules from the style values.
#include "texts/CueSheetCss.h"

#include "common/TestSupport.h"
#include "store/AppGlobals.h"

#include <gtest/gtest.h>

namespace {

class CueSheetCssTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    void SetUp() override
    {
        const std::pair<std::string*, const char*> values[] = {
            {&g_cssTextFontName, "Comic Sans MS"}, {&g_cssTextFontSize, "3"},        {&g_cssTextFontWeight, "normal"},
            {&g_cssTextColor, "#000000"},          {&g_cssTextBgColor, "#FFFFFF"},   {&g_cssLyricsBgColor, "#FFC0CB"},
            {&g_cssLyricsFontSize, "4"},           {&g_cssHeaderFontSize, "4"},      {&g_cssLabelFontSize, "4"},
            {&g_cssTitleFontSize, "4"},            {&g_cssLyricsFontWeight, "bold"}, {&g_cssHeaderFontWeight, "bold"},
            {&g_cssLabelFontWeight, "bold"},       {&g_cssTitleFontWeight, "bold"},  {&g_cssLyricsColor, "#FF0000"},
            {&g_cssHeaderColor, "#FF0000"},        {&g_cssLabelColor, "#FF0000"},    {&g_cssTitleColor, "#FF0000"},
        };
        for (const auto& [global, value] : values)
            *global = value;
    }
    static std::string firstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }
};

TEST_F(CueSheetCssTest, TheRulesReadExactlyAndSizesBecomePoints)
{
    ASSERT_TRUE(WriteCueSheetCss(false, dir.file("cuesheet2.css")));
    const std::string css = testsupport::readFile(dir.file("cuesheet2.css"));
    EXPECT_EQ(css,
              "body, p, font { font-family: Comic Sans MS; font-size: 12pt; font-weight: normal;line-height: 140%; "
              "background: #FFFFFF; color: #000000; }\r\n"
              ".lyrics    { font-family: Comic Sans MS; font-size: 14pt;font-weight: bold; color: #FF0000; "
              "background-color: #FFC0CB;}\r\n"
              ".hdr    { font-family: Comic Sans MS; font-size: 14pt;font-weight: bold; color: #FF0000; "
              "margin-left: 25px; margin-bottom: -40}\r\n"
              ".artist    { font-family: Comic Sans MS; font-size: 14pt;font-weight: bold; color: #FF0000;}\r\n"
              ".label    { font-family: Comic Sans MS; font-size: 14pt;font-weight: bold; color: #FF0000;}\r\n"
              ".title    { font-family: Comic Sans MS; font-size: 14pt;font-weight: bold; color: #FF0000;}\r\n");

    struct Case {
        const char* size;
        const char* font;
        const char* line;
    };
    const Case cases[] = {
        {"12", "Arial", "body, p, font { font-family: Arial; font-size: 12pt; font-weight: normal;"}, // no HTML size
        {"", "Arial", "body, p, font { font-family: Arial; font-size: pt; font-weight: normal;"},
        {"7", "", "body, p, font { font-family: ; font-size: 36pt; font-weight: normal;"},
    };
    for (const Case& c : cases) {
        g_cssTextFontSize = c.size;
        g_cssTextFontName = c.font;
        WriteCueSheetCss(false, dir.file("cuesheet2.css"));
        EXPECT_EQ(firstLine(testsupport::readFile(dir.file("cuesheet2.css"))).rfind(c.line, 0), 0u) << c.size;
    }
}

TEST_F(CueSheetCssTest, OnlyWhenMissingKeepsTheFileAndNothingLandsWhereNoFolderIs)
{
    testsupport::writeFile(dir.file("cuesheet2.css"), "mine");
    WriteCueSheetCss(true, dir.file("cuesheet2.css"));
    EXPECT_EQ(testsupport::readFile(dir.file("cuesheet2.css")), "mine");
    WriteCueSheetCss(false, dir.file("cuesheet2.css"));
    EXPECT_EQ(firstLine(testsupport::readFile(dir.file("cuesheet2.css"))).rfind("body, p, font", 0), 0u);

    EXPECT_TRUE(WriteCueSheetCss(false, dir.file("missing/cuesheet2.css")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
    EXPECT_TRUE(WriteCueSheetCss(false, ""));
}

} // namespace
