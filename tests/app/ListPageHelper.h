#pragma once
// Viewer pages with something to show: a long text document or a list of
// entries as the page's source at the current level, and the first line its
// text view shows.
#include "app/MirtalDlg.h"
#include "common/TestSupport.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"

#include <QScrollBar>
#include <QTextEdit>

#include <string>

namespace listpage {

inline void setSource(CDlgList& page, int type, const std::string& path, int index = 1)
{
    const std::string prefix = std::to_string(page.GetPageNumber()) + "list_" + g_levelCode + " - ";
    CMusicDb db;
    db.SetSetting(prefix + "type", std::to_string(type), 1);
    db.SetSetting(prefix + "path", path, 1);
    db.SetSetting(prefix + "index", std::to_string(index), 1);
    page.LoadSettings();
}

// A text document of 500 lines in the folder, shown on the page (selected
// first: a hidden page scrolls nothing) and scrolled to line 100.
inline void showLongText(CDlgList& page, const testsupport::TempDir& dir)
{
    std::string text;
    for (int i = 0; i < 500; ++i)
        text.append("line ").append(std::to_string(i)).append("\n");
    testsupport::writeFile(dir.file("long.txt"), text);
    setSource(page, CDlgList::kDocument, dir.file("long.txt"));
    page.ScrollBy(0, 100);
}

// A list file of n entries ("e1.txt" ..) as the page's source.
inline void showList(CDlgList& page, const testsupport::TempDir& dir, int n, int index)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text.append("e").append(std::to_string(i)).append(".txt\n");
    testsupport::writeFile(dir.file("entries.ini"), text);
    setSource(page, CDlgList::kListFile, dir.file("entries.ini"), index);
}

inline int firstVisibleLine(CDlgList& page)
{
    auto* edit = qobject_cast<QTextEdit*>(page.GetTextView().widget());
    return edit ? edit->verticalScrollBar()->value() / edit->fontMetrics().lineSpacing() : -1;
}

} // namespace listpage
