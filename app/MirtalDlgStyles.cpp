// The style sheets the main window generates (the cue-sheet sheet
// "cuesheet2.css" in the data folder and the lyrics folders, the
// choreography sheet) and the empty preview document "temp.htm".
#include "app/MirtalDlg.h"

#include "texts/CueSheetCss.h"
#include "store/StoreGlobals.h"
#include "platform/win/WholeFile.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A style-sheet colour: red, green and blue rows, each taken modulo 256, as "#RRGGBB".
std::string styleColor(CMusicDb& db, const MyFunctions& fn, const std::string& name)
{
    const unsigned long r = unsigned(db.GetStyleInt(name + "R", 0)) & 0xFF;
    const unsigned long g = unsigned(db.GetStyleInt(name + "G", 0)) & 0xFF;
    const unsigned long b = unsigned(db.GetStyleInt(name + "B", 0)) & 0xFF;
    return fn.ColorToHtml(r + 256 * g + 65536 * b);
}

const char* const kLevelLyricsDirs[] = {
    "basic - lyricsdir", "main - lyricsdir", "plus - lyricsdir", "a1 - lyricsdir",  "a2 - lyricsdir",  "c1 - lyricsdir",
    "c2 - lyricsdir",    "c3a - lyricsdir",  "c3b - lyricsdir",  "c4 - lyricsdir", "global - lyricsdir",
};

} // namespace

bool CMirtalDlg::WriteCueSheetCss(bool keepExisting, const std::string& path)
{
    return ::WriteCueSheetCss(keepExisting, path);
}

void CMirtalDlg::WriteCssToLyricsFolders()
{
    m_musicDb.BeginBatch();
    const std::string path1 = m_musicDb.GetSetting("lyrics - path1", 0);
    const std::string path2 = m_musicDb.GetSetting("lyrics - path2", 0);
    const std::string path3 = m_musicDb.GetSetting("lyrics - path3", 0);
    const std::string global = m_musicDb.GetSetting("lyrics - pathglobal", 0);
    std::vector<std::string> levelDirs;
    for (const char* key : kLevelLyricsDirs)
        levelDirs.push_back(m_musicDb.GetSetting(key, 0));
    m_musicDb.CommitBatch();

    std::vector<std::string> folders{g_baseFolder, global};
    if (!path1.empty() && path1 != global)
        folders.push_back(path1);
    if (!path2.empty() && path2 != global && path2 != path1)
        folders.push_back(path2);
    if (!path3.empty() && path3 != global && path3 != path1 && path3 != path2)
        folders.push_back(path3);
    folders.insert(folders.end(), levelDirs.begin(), levelDirs.end());

    // An empty folder setting names no folder: the sheet never lands at the root of the file system.
    for (const std::string& folder : folders)
        if (!folder.empty())
            WriteCueSheetCss(false, m_fn.AddBackslash(folder) + "cuesheet2.css");
}

void CMirtalDlg::WriteChoreoCss()
{
    CMusicDb& db = m_musicDb;
    db.BeginBatch();
    const std::string path = db.GetSetting("csspath", 0);
    if (path.empty()) {
        db.CommitBatch();
        return;
    }
    std::string colors[4];
    for (int n = 1; n <= 4; ++n) {
        const std::string i = std::to_string(n);
        const unsigned long r = unsigned(db.GetStyleInt("choreocolorR" + i, 0)) & 0xFF;
        const unsigned long g = unsigned(db.GetStyleInt("choreocolorG" + i, 0)) & 0xFF;
        const unsigned long b = unsigned(db.GetStyleInt("choreocolorB" + i, 0)) & 0xFF;
        colors[n - 1] = m_fn.ColorToHtml(r + 256 * g + 65536 * b);
    }
    std::string line;
    for (int n = 1; n <= 4; ++n) {
        const std::string i = std::to_string(n);
        const std::string size = db.GetStyle("choreofontsize" + i, 0);
        const std::string name = db.GetStyle("choreofontname" + i, 0);
        const std::string weight = db.GetStyle("choreofontweight" + i, 0);
        line += (n == 1 ? std::string("body, p, font") : ".font" + i) + " { font-family: " + name +
                "; font-size: " + m_fn.HtmlSizeToPoints(size) + "pt;" + "font-weight: " + weight +
                "; color: " + colors[n - 1] + ";}";
    }
    db.CommitBatch();
    // A sheet that cannot be written (a folder in its place, a read-only folder) is passed
    // over; the old one, if any, stays whole.
    win::WriteWholeFile(path, line + "\r\n");
}

void CMirtalDlg::EnsurePreviewFile()
{
    const std::string path = m_fn.AddBackslash(g_baseFolder) + "temp.htm";
    std::error_code ec;
    if (!fs::exists(path, ec))
        std::ofstream(path, std::ios::binary);
}

void CMirtalDlg::ReadStyleSheetValues(CMusicDb& db)
{
    // Texts as stored, without unescaping.
    g_cssTextFontName = db.GetStyle("textfontname", 0);
    g_cssHeaderFontSize = db.GetStyle("headerfontsize", 0);
    g_cssHeaderFontWeight = db.GetStyle("headerfontweight", 0);
    g_cssLyricsFontSize = db.GetStyle("lyricsfontsize", 0);
    g_cssLyricsFontWeight = db.GetStyle("lyricsfontweight", 0);
    g_cssTextFontSize = db.GetStyle("textfontsize", 0);
    g_cssTextFontWeight = db.GetStyle("textfontweight", 0);
    g_cssTitleFontWeight = db.GetStyle("titlefontweight", 0);
    g_cssTitleFontSize = db.GetStyle("titlefontsize", 0);
    g_cssLabelFontWeight = db.GetStyle("labelfontweight", 0);
    g_cssLabelFontSize = db.GetStyle("labelfontsize", 0);
    g_cssHeaderColor = styleColor(db, m_fn, "headercolor");
    g_cssLyricsColor = styleColor(db, m_fn, "lyricscolor");
    g_cssLyricsBgColor = styleColor(db, m_fn, "lyricscolorbg");
    g_cssTextBgColor = styleColor(db, m_fn, "textcolorbg");
    g_cssTitleColor = styleColor(db, m_fn, "titlecolor");
    g_cssLabelColor = styleColor(db, m_fn, "labelcolor");
    g_cssTextColor = styleColor(db, m_fn, "textcolor");
}
