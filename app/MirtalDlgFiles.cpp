// Files the main window writes at start: the cue-sheet style sheet, the
// empty preview document and the backup copy of the main database.
#include "app/MirtalDlg.h"

#include "platform/win/MessageBox.h"
#include "store/ShellFileOp.h"
#include "store/StoreGlobals.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

bool CMirtalDlg::WriteCueSheetCss(bool keepExisting, const std::string& path)
{
    std::error_code ec;
    if (keepExisting && fs::exists(path, ec))
        return true;
    if (path.empty())
        return true;
    auto P = [this](const std::string& size) { return m_fn.HtmlSizeToPoints(size); };
    const std::string& font = g_cssTextFontName;
    const std::string lines[6] = {
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
    // A sheet that cannot be replaced or written is skipped; the others are still written.
    if (fs::exists(path, ec) && !fs::remove(path, ec))
        return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return true;
    for (const std::string& line : lines)
        out << line << "\r\n";
    return true;
}

void CMirtalDlg::EnsurePreviewFile()
{
    const std::string path = m_fn.AddBackslash(g_baseFolder) + "temp.htm";
    std::error_code ec;
    if (!fs::exists(path, ec))
        std::ofstream(path, std::ios::binary);
}

void CMirtalDlg::BackupDatabase()
{
    CShellFileOp copy;
    copy.SetOwnerWindow(m_hWnd);
    copy.SetFlags(0x0294); // silent, no questions, files only, folders made as needed
    copy.AddFile(1, m_fn.AddBackslash(g_baseFolder) + "mirtal.dbtmp");
    copy.AddFile(0, m_fn.AddBackslash(g_baseFolder) + "mirtal.db");
    if (copy.Copy() != 0)
        AfxMessageBox("Can't copy mirtal.db to mirtal.dbtmp", MB_OK | MB_ICONEXCLAMATION);
}
