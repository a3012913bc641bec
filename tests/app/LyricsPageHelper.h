#pragma once
// The lyrics page, or the music page's lyrics view, with a long HTML document to
// scroll, and how far it is scrolled.
#include "app/MirtalDlg.h"
#include "app/ModelessLyrics.h"
#include "common/TestSupport.h"
#include "texts/HtmlEditCtrl2.h"

#include <string>

namespace lyricspage {

// A document of 120 paragraphs in the folder.
inline std::string longPage(const testsupport::TempDir& dir)
{
    std::string html = "<html><body>";
    for (int i = 0; i < 120; ++i)
        html += "<p>Line " + std::to_string(i) + "</p>";
    testsupport::writeFile(dir.file("long-lyrics.htm"), html + "</body></html>");
    return dir.file("long-lyrics.htm");
}

inline void showLong(CMirtalDlg& dlg, const testsupport::TempDir& dir)
{
    dlg.LyricsPage().ShowFile(longPage(dir));
    dlg.LyricsPage().GetBrowser()->EnsureDocument();
}

inline int scrolled(CMirtalDlg& dlg) { return dlg.LyricsPage().GetBrowser()->GetDocumentScrollY(); }

// How far a lyrics window's browser document is scrolled; -1 without a browser.
inline int scrolled(CModelessLyrics& window)
{
    CHtmlEditCtrl2* browser = window.GetBrowser();
    if (!browser || !browser->EnsureDocument())
        return -1;
    return browser->GetDocumentScrollY();
}

// The same document in the music page's view, which covers the song lists.
inline void showLongOnMusicPage(CMirtalDlg& dlg, const testsupport::TempDir& dir)
{
    CDlgMp3& page = dlg.MusicPage();
    page.LoadLyricsDocument(longPage(dir));
    if (!page.IsLyricsViewShown())
        page.ToggleLyricsView();
    CHtmlEditCtrl2* view = page.LyricsView();
    CRect place;
    view->GetWindowRect(&place);
    if (place.IsRectEmpty())
        view->MoveWindow(9, 194, 800, 400);
    view->EnsureDocument();
}

inline int musicPageScrolled(CMirtalDlg& dlg)
{
    CHtmlEditCtrl2* view = dlg.MusicPage().LyricsView();
    return view ? view->GetDocumentScrollY() : 0;
}

} // namespace lyricspage
