#include "texts/CueSheetCss.h"

#include "store/AppGlobals.h"
#include "store/DataFile.h"
#include "store/MyFunctions.h"
#include "platform/win/WholeFile.h"

std::string CueSheetCssText()
{
    const MyFunctions fn;
    auto P = [&fn](const std::string& size) { return fn.HtmlSizeToPoints(size); };
    const std::string& font = g_cssTextFontName;
    const std::string lines[] = {
        "body, p, font { font-family: " + font + "; font-size: " + P(g_cssTextFontSize) + "pt; font-weight: " +
            g_cssTextFontWeight + ";" + "line-height: 140%; background: " + g_cssTextBgColor + "; color: " +
            g_cssTextColor + "; }",
        ".lyrics    { font-family: " + font + "; font-size: " + P(g_cssLyricsFontSize) + "pt;" + "font-weight: " +
            g_cssLyricsFontWeight + "; color: " + g_cssLyricsColor + "; background-color: " + g_cssLyricsBgColor +
            ";}",
        ".hdr    { font-family: " + font + "; font-size: " + P(g_cssHeaderFontSize) + "pt;" + "font-weight: " +
            g_cssHeaderFontWeight + "; color: " + g_cssHeaderColor + "; margin-left: 25px; margin-bottom: -40}",
        ".artist    { font-family: " + font + "; font-size: " + P(g_cssLabelFontSize) + "pt;" + "font-weight: " +
            g_cssLabelFontWeight + "; color: " + g_cssLabelColor + ";}",
        ".label    { font-family: " + font + "; font-size: " + P(g_cssLabelFontSize) + "pt;" + "font-weight: " +
            g_cssLabelFontWeight + "; color: " + g_cssLabelColor + ";}",
        ".title    { font-family: " + font + "; font-size: " + P(g_cssTitleFontSize) + "pt;" + "font-weight: " +
            g_cssTitleFontWeight + "; color: " + g_cssTitleColor + ";}",
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

bool WriteCueSheetCss(bool onlyWhenMissing, const std::string& path)
{
    if (onlyWhenMissing && CDataFile::Exists(path) == CDataFile::kFileExists)
        return true;
    if (path.empty())
        return true;
    // A sheet that cannot be replaced (a folder in its place) is passed over.
    win::WriteWholeFile(path, CueSheetCssText());
    return true;
}
