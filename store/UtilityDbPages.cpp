// CUtilityDb: a stored cue sheet turned into an HTML page, linked to the style sheet or styled inline.
#include "store/UtilityDb.h"

#include "store/AppGlobals.h"
#include "store/UtilityDbDetail.h"

#include <cctype>

using utilitydb::ReplaceAll;

namespace {

std::string boldIf(const std::string& weight)
{
    return weight == "Bold" ? "<b>" : "";
}

} // namespace

bool CUtilityDb::IsDbReference(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string head = path.substr(0, 4);
    for (char& c : head)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return head == "[db]";
}

void CUtilityDb::ReadCueSheet(const std::string& label, std::string& title, std::string& caller, std::string& text)
{
    title.clear();
    caller.clear();
    text.clear();
    CppSQLite3Table t = GetRecordWithCueSheet(label);
    if (t.RowCount() < 1)
        return;
    t.SetRow(0);
    title = m_fn.UnescapeSql(t.FieldTextOr(1, ""));
    caller = m_fn.UnescapeSql(t.FieldTextOr(2, ""));
    text = m_fn.UnescapeSql(t.FieldTextOr(5, ""));
}

std::string CUtilityDb::BuildCssHead()
{
    return "<HTML><HEAD><TITLE>[title] - [label]</TITLE><LINK rel=\"STYLESHEET\" type=\"text/css\" "
           "HREF=\"cuesheet2.css\"> </HEAD>\n"
           "<BODY><FONT CLASS=\"title\">[title]</FONT>&nbsp;&nbsp;<NOBR><FONT CLASS=\"label\">[label]</FONT></NOBR>"
           "&nbsp;&nbsp;<NOBR>"
           "<FONT CLASS=\"artist\">[caller]</FONT></NOBR><br>";
}

std::string CUtilityDb::BuildStyledHead()
{
    return "<HTML><HEAD><TITLE>[title] - [label]</TITLE></HEAD>\n"
           "<body bgcolor=\"" + g_cssTextBgColor + "\" style=\"font-family: " + g_cssTextFontName +
           "; font-weight:" + g_cssTextFontWeight + "; "
           "font-size: " + g_cssTextFontSize + "pt; color: " + g_cssTextColor + "\">"
           "\n"
           "<font face=\"" + g_cssTextFontName + "\" size=\"" + g_cssTitleFontSize + "\" color=\"" + g_cssTitleColor +
           "\">" + boldIf(g_cssTitleFontWeight) +
           "[title]</FONT>&nbsp;&nbsp;"
           "\n"
           "<font face=\"" + g_cssTextFontName + "\" size=\"" + g_cssLabelFontSize + "\" color=\"" + g_cssLabelColor +
           "\">" + boldIf(g_cssLabelFontWeight) +
           "[label]&nbsp;&nbsp;[caller]</FONT><br>"
           "\n";
}

std::string CUtilityDb::RenderCueSheetCss(const std::string& label)
{
    std::string title, caller, text;
    ReadCueSheet(label, title, caller, text);
    std::string page = BuildCssHead() + text;
    page = ReplaceAll(page, "[title]", title);
    page = ReplaceAll(page, "[label]", m_fn.UnescapeSql(label));
    page = ReplaceAll(page, "[caller]", caller);
    page = ReplaceAll(page, "[header]", "<FONT CLASS=\"hdr\">");
    page = ReplaceAll(page, "[lyrics]", "<FONT CLASS=\"lyrics\">");
    page = ReplaceAll(page, "</FONT>", "</span></FONT>");
    page = ReplaceAll(page, "</SPAN>", "</span></FONT>");
    return page;
}

std::string CUtilityDb::RenderCueSheetStyled(const std::string& label)
{
    std::string title, caller, text;
    ReadCueSheet(label, title, caller, text);
    const std::string headerTag = "<font face=\" " + g_cssTextFontName + "\" size=\"" + g_cssHeaderFontSize +
                                  "\" color=\"" + g_cssHeaderColor + "\">" + boldIf(g_cssHeaderFontWeight);
    const std::string lyricsTag = "<font face=\" " + g_cssTextFontName + "\" size=\"" + g_cssLyricsFontSize +
                                  "\" color=\"" + g_cssLyricsColor + "\">" + "<span style=\"background-color: " +
                                  g_cssLyricsBgColor + "\">" + boldIf(g_cssLyricsFontWeight);
    std::string page = BuildStyledHead() + text;
    page = ReplaceAll(page, "[title]", title);
    page = ReplaceAll(page, "[label]", m_fn.UnescapeSql(label));
    page = ReplaceAll(page, "[caller]", caller);
    page = ReplaceAll(page, "[header]", headerTag);
    page = ReplaceAll(page, "[lyrics]", lyricsTag);
    page = ReplaceAll(page, "</FONT>", "</b></FONT>");
    return page;
}
