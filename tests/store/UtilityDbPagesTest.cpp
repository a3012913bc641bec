// CUtilityDb: stored cue sheets rendered as HTML pages.
#include "store/UtilityDb.h"

#include "ImportFixture.h"
#include "store/AppGlobals.h"

namespace {

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
        ++n;
    return n;
}

class Pages : public storetest::DbFolder {
protected:
    Pages() : DbFolder("utility.db"), m_short(g_lyricsShort), m_titleWeight(g_cssTitleFontWeight)
    {
        db.Init();
        Run("insert into sqrecord values('AB 123','O[\xC2\xA4]Brien Song','Pat Doe','Co','x','[yes]');");
        Run("insert into cuesheet values('AB 123','<br>[header]OPENER</FONT>[lyrics]la</span></FONT>');");
        Run("insert into cuesheetshort values('AB 123','[header]SHORT</FONT><br>');");
        g_lyricsShort = 0;
    }
    ~Pages() override
    {
        g_lyricsShort = m_short;
        g_cssTitleFontWeight = m_titleWeight;
    }
    CUtilityDb db;

private:
    int m_short;
    std::string m_titleWeight;
};

TEST_F(Pages, DbReferencesBeginWithTheDbTagInAnyCase)
{
    const struct {
        const char* path;
        bool reference;
    } cases[] = {{"[db]AB 123 - Song", true}, {"[DB]AB 123", true}, {"[Db]", true}, {"[d", false},
                 {"", false},                 {"C:\\Lyrics\\a.htm", false}, {" [db]x", false}};
    for (const auto& c : cases)
        EXPECT_EQ(CUtilityDb::IsDbReference(c.path), c.reference) << c.path;
}

TEST_F(Pages, TheLinkedPageCarriesClassNames)
{
    const std::string page = db.RenderCueSheetCss("AB 123");
    EXPECT_EQ(page,
              "<HTML><HEAD><TITLE>O'Brien Song - AB 123</TITLE><LINK rel=\"STYLESHEET\" type=\"text/css\" "
              "HREF=\"cuesheet2.css\"> </HEAD>\n<BODY><FONT CLASS=\"title\">O'Brien Song</span></FONT>&nbsp;&nbsp;"
              "<NOBR><FONT CLASS=\"label\">AB 123</span></FONT></NOBR>&nbsp;&nbsp;<NOBR><FONT CLASS=\"artist\">Pat "
              "Doe</span></FONT></NOBR><br>"
              "<br><FONT CLASS=\"hdr\">OPENER</span></FONT><FONT CLASS=\"lyrics\">la</span></span></FONT>");
    g_lyricsShort = 1;
    EXPECT_TRUE(endsWith(db.RenderCueSheetCss("AB 123"), "<FONT CLASS=\"hdr\">SHORT</span></FONT><br>"));
}

TEST_F(Pages, TheStyledPageCarriesTheStyleValues)
{
    g_cssTitleFontWeight = "Bold";
    const std::string page = db.RenderCueSheetStyled("AB 123");
    EXPECT_EQ(page.find("<HTML><HEAD><TITLE>O'Brien Song - AB 123</TITLE></HEAD>\n<body bgcolor=\"" + g_cssTextBgColor +
                        "\" style=\"font-family: " + g_cssTextFontName),
              0u);
    EXPECT_NE(page.find("\"><b>O'Brien Song</b></FONT>&nbsp;&nbsp;\n"), std::string::npos);
    EXPECT_NE(page.find("<font face=\" " + g_cssTextFontName + "\" size=\"" + g_cssHeaderFontSize + "\""),
              std::string::npos);
    EXPECT_NE(page.find("<span style=\"background-color: " + g_cssLyricsBgColor + "\">"), std::string::npos);
    EXPECT_EQ(count(page, "</FONT>"), count(page, "</b></FONT>"));
    EXPECT_EQ(count(page, "[header]") + count(page, "[lyrics]") + count(page, "[title]"), 0u);

    g_cssTitleFontWeight = "Normal";
    const std::string plain = db.RenderCueSheetStyled("AB 123");
    EXPECT_NE(plain.find("\">O'Brien Song</b></FONT>"), std::string::npos);
    g_lyricsShort = 1;
    EXPECT_NE(db.RenderCueSheetStyled("AB 123").find("SHORT</b></FONT><br>"), std::string::npos);
}

TEST_F(Pages, ALabelWithoutASheetGivesTheBareHead)
{
    const std::string page = db.RenderCueSheetCss("NO 1");
    EXPECT_TRUE(endsWith(page, "<FONT CLASS=\"artist\"></span></FONT></NOBR><br>"));
    EXPECT_NE(page.find("<TITLE> - NO 1</TITLE>"), std::string::npos);
    EXPECT_NE(db.RenderCueSheetCss("x' OR '1'='1").find("<TITLE> - x' OR '1'='1</TITLE>"), std::string::npos);
    EXPECT_NE(db.RenderCueSheetStyled("NO 1").find("NO 1&nbsp;&nbsp;</b></FONT><br>\n"), std::string::npos);
}

} // namespace
