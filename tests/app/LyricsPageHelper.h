#pragma once
// The lyrics page with a long HTML document to scroll, and how far it is scrolled.
#include "app/MirtalDlg.h"
#include "common/TestSupport.h"
#include "texts/HtmlEditCtrl2.h"

#include <string>

namespace lyricspage {

// A document of 120 paragraphs in the folder, shown on the page, loaded and at its top.
inline void showLong(CMirtalDlg& dlg, const testsupport::TempDir& dir)
{
    std::string html = "<html><body>";
    for (int i = 0; i < 120; ++i)
        html += "<p>Line " + std::to_string(i) + "</p>";
    testsupport::writeFile(dir.file("long-lyrics.htm"), html + "</body></html>");
    dlg.LyricsPage().ShowFile(dir.file("long-lyrics.htm"));
    dlg.LyricsPage().GetBrowser()->EnsureDocument();
}

inline int scrolled(CMirtalDlg& dlg) { return dlg.LyricsPage().GetBrowser()->GetDocumentScrollY(); }

} // namespace lyricspage
