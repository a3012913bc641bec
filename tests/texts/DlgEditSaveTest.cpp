// Saving in the editor: files are replaced whole or not at all, New never
// overwrites the previous file, cue sheets of the record database land in the
// lyrics folder, and a document without HTML text is not saved as empty.
#include "DlgEditFixture.h"

#include "store/CommandCodes.h"
#include "platform/win/ListCtrl.h"

#include <sys/fsuid.h>
#include <sys/stat.h>

namespace {

using dlgedittest::DlgEditTest;
namespace fs = std::filesystem;

TEST_F(DlgEditTest, NewThenSaveAsksForANameAndLeavesTheOldFile)
{
    testsupport::writeFile(dir.file("old.txt"), "Old text\r\n");
    open(dir.file("old.txt"));
    command(32838); // New
    EXPECT_EQ(editor->GetDocument(), "");
    EXPECT_EQ(editor->GetWindowText(), "Mirtal");
    EXPECT_EQ(shownText(), "");
    type("New text");

    fileChoices = {std::nullopt}; // Cancel
    command(32934);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_FALSE(fileRequests[0].open);
    EXPECT_EQ(testsupport::readFile(dir.file("old.txt")), "Old text\r\n");

    fileChoices = {dir.file("new.txt")};
    command(32934);
    EXPECT_EQ(testsupport::readFile(dir.file("new.txt")), "New text\r\n");
    EXPECT_EQ(testsupport::readFile(dir.file("old.txt")), "Old text\r\n");
    EXPECT_EQ(editor->GetDocument(), dir.file("new.txt"));
    EXPECT_EQ(editor->GetWindowText(), dir.file("new.txt"));
    EXPECT_FALSE(editor->IsModified());
}

TEST_F(DlgEditTest, ASaveThatCannotBeWrittenIsReportedAndLeavesTheFile)
{
    const fs::path locked = dir.path() / "locked";
    fs::create_directories(locked);
    testsupport::writeFile((locked / "a.txt").string(), "Keep me\r\n");
    open((locked / "a.txt").string());
    type("Lost?");

    // A read-only folder; as root, the save's file access (this thread only) runs as another user.
    ::chmod(dir.str().c_str(), 0755);
    ::chmod(locked.c_str(), 0555);
    const int before = setfsuid(65534);
    command(32934);
    setfsuid(uid_t(before));
    ::chmod(locked.c_str(), 0755);

    EXPECT_EQ(testsupport::readFile((locked / "a.txt").string()), "Keep me\r\n");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Could not save " + (locked / "a.txt").string() + ":\n", 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("The file on disk is unchanged."), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1) << "no file left behind";
    EXPECT_TRUE(editor->IsModified()) << "the edit is still unsaved";
}

TEST_F(DlgEditTest, TextAndRtfSavesReplaceTheFileWhole)
{
    testsupport::writeFile(dir.file("a.txt"), "One\r\nTwo\r\nThree\r\n");
    open(dir.file("a.txt"));
    editor->GetTextView().SetWindowText("Only\r\nthis");
    command(32934);
    EXPECT_EQ(testsupport::readFile(dir.file("a.txt")), "Only\r\nthis\r\n");

    // Save As into an RTF file writes the view as RTF; ".Rtf" is written as text.
    editor->GetTextView().SetSel(0, 4);
    command(32940);
    fileChoices = {dir.file("b.rtf")};
    command(32935);
    const std::string rtf = testsupport::readFile(dir.file("b.rtf"));
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(rtf.find("\\b"), std::string::npos);
    EXPECT_EQ(editor->GetDocument(), dir.file("b.rtf"));
    fileChoices = {dir.file("c.Rtf")};
    command(32935);
    EXPECT_EQ(testsupport::readFile(dir.file("c.Rtf")), "Only\r\nthis\r\n");

    // Print hands the saved file to the shell; nothing to print before a save.
    command(32839);
    ASSERT_FALSE(win::ShellLog().empty());
    EXPECT_EQ(win::ShellLog().back().verb, "print");
    EXPECT_EQ(win::ShellLog().back().file, dir.file("c.Rtf"));
    command(32838);
    command(32839);
    EXPECT_EQ(boxes, std::vector<std::string>{"Save the file first!"});
}

TEST_F(DlgEditTest, ACueSheetOfTheDatabaseIsSavedInTheLyricsFolder)
{
    addRecord("RYL 123", "Sweet Caroline", "RYL 123 - Sweet Caroline",
              "[header]OPENER</FONT><br>[lyrics]Circle left</FONT><br>");
    g_currentSongPath = "/music/RYL 123 - Sweet Caroline.mp3";
    open();
    // Picked from the records that have a cue sheet.
    dialogSteps = [](CWnd& w) {
        auto& list = *static_cast<CListCtrl*>(w.GetDlgItem(1191));
        list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        list.SetSelectionMark(0);
        w.SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), LPARAM(w.GetDlgItem(1097)->m_hWnd));
    };
    command(32857);
    EXPECT_EQ(editor->GetDocument(), "[db]RYL 123 - Sweet Caroline");
    EXPECT_EQ(editor->GetDbReference(), "[db]RYL 123");
    EXPECT_EQ(editor->GetWindowText(), "RYL 123 - Sweet Caroline");
    EXPECT_NE(testsupport::readFile(dir.file("edit.html")).find("Circle left"), std::string::npos);
    ASSERT_TRUE(waitForDesignMode());

    // Save As proposes the label title in the lyrics folder.
    command(32935);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].fileName, dir.file("lyrics") + "/RYL 123 - Sweet Caroline");
    mainWnd.codes.clear();
    boxes.clear();

    // Save writes it there, pairs it with the loaded song when asked, and tells the main window.
    answers = {IDYES};
    command(32934);
    const std::string saved = dir.file("lyrics") + "/RYL 123 - Sweet Caroline.html";
    EXPECT_EQ(editor->GetDocument(), saved);
    EXPECT_EQ(editor->GetWindowText(), saved);
    EXPECT_NE(testsupport::readFile(saved).find("Circle left"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.file("lyrics") + "/cuesheet2.css")) << "the sheet beside the page";
    EXPECT_EQ(boxes, std::vector<std::string>{"Use this lyric when \"/music/RYL 123 - Sweet Caroline.mp3\" is "
                                              "played next time?"});
    EXPECT_EQ(CMusicDb().GetMarriage("/music/RYL 123 - Sweet Caroline.mp3"), saved);
    EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_RELOAD_LYRICS});
}

TEST_F(DlgEditTest, ADocumentWithoutHtmlTextIsNotSavedAsAnEmptyFile)
{
    const std::string pdf = "%PDF-1.4\nnot really a pdf\n";
    testsupport::writeFile(dir.file("sheet.pdf"), pdf);
    open(dir.file("sheet.pdf"));
    ASSERT_TRUE(htmlShown());
    command(32934);
    EXPECT_EQ(testsupport::readFile(dir.file("sheet.pdf")), pdf);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("This document has no HTML text", 0), 0u);
    command(32935);
    EXPECT_TRUE(fileRequests.empty()) << "refused before a name is asked";
    EXPECT_EQ(testsupport::readFile(dir.file("sheet.pdf")), pdf);
}

} // namespace
