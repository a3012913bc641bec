// The editor's database commands and its checker import, as a user drives
// them: the choreography dialog filled in, the checker file chosen.
#include "DlgEditFixture.h"

#include "texts/ChoreoSaveToDb.h"
#include "store/ChoreoRef.h"
#include "platform/win/ComboBox.h"

namespace {

using dlgedittest::DlgEditTest;

// Fills the choreography dialog: level (0 Basic .. 9 Challenge 4), name and type (or,
// without a name, the first stored name), then OK.
std::function<void(CWnd&)> fillChoreoDialog(int level, const std::string& name, const std::string& type)
{
    return [=](CWnd& w) {
        if (level >= 0) {
            static_cast<CComboBox*>(w.GetDlgItem(1272))->SetCurSel(level);
            w.SendMessage(WM_COMMAND, MAKEWPARAM(1272, CBN_SELCHANGE), LPARAM(w.GetDlgItem(1272)->m_hWnd));
        }
        if (!name.empty()) {
            w.GetDlgItem(1086)->SetWindowText(name);
            w.GetDlgItem(1271)->SetWindowText(type);
        } else { // open and delete: the first stored name of the level
            static_cast<CComboBox*>(w.GetDlgItem(1273))->SetCurSel(0);
            w.SendMessage(WM_COMMAND, MAKEWPARAM(1273, CBN_SELCHANGE), LPARAM(w.GetDlgItem(1273)->m_hWnd));
        }
        w.SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), LPARAM(w.GetDlgItem(1097)->m_hWnd));
    };
}

TEST_F(DlgEditTest, ATextChoreographyIsStoredLineByLineAndOpensAgain)
{
    open();
    editor->GetTextView().SetWindowText("A\r\n\r\nB");
    dialogSteps = fillChoreoDialog(2, "Teacup Chain", "Figure");
    command(32850);
    EXPECT_EQ(editor->GetWindowText(), "Database: plus - Teacup Chain");
    const std::string ref = CChoreoRef("plus", "Teacup Chain", "Figure", "").GetEncoded();
    EXPECT_EQ(editor->GetDocument(), ref);
    EXPECT_EQ(editor->GetDbReference(), ref);
    EXPECT_EQ(CChoreoDb().GetEntryValue(ref, 1), "A<br><br>B<br>");

    // Opened again: A, an empty line, B and an empty last line.
    command(32838);
    dialogSteps = fillChoreoDialog(2, "", "");
    command(32966);
    EXPECT_EQ(shownText(), "A\n\nB\n");
    EXPECT_EQ(editor->GetWindowText(), "Database Choreography: teacup chain");
    EXPECT_FALSE(htmlShown());

    // Save As proposes level and name.
    command(32935);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].fileName, "plus - teacup chain");

    // Deleting leaves the text in the editor.
    answers = {IDYES};
    dialogSteps = fillChoreoDialog(2, "", "");
    command(32968);
    EXPECT_EQ(CChoreoDb().GetEntryValue(ref, 1), "");
    EXPECT_EQ(shownText(), "A\n\nB\n");
}

TEST_F(DlgEditTest, AnHtmlChoreographyOpensInTheHtmlViewAndIsStoredAsHtml)
{
    CChoreoDb().SaveEntry("plus", "Relay", "figure", "[html]<html><body><p>Relay the deucey</p></body></html>", 0, 1);
    open();
    dialogSteps = fillChoreoDialog(2, "", "");
    command(32966);
    EXPECT_TRUE(htmlShown());
    EXPECT_NE(testsupport::readFile(dir.file("edit.html")).find("Relay the deucey"), std::string::npos);
    ASSERT_TRUE(waitForDesignMode());

    // Stored back from the HTML view, not from the hidden text view.
    answers = {IDYES}; // overwrite
    dialogSteps = fillChoreoDialog(2, "Relay", "figure");
    command(32850);
    const std::string value = CChoreoDb().GetEntryValue(CChoreoRef("plus", "relay", "figure", "").GetEncoded(), 1);
    EXPECT_EQ(value.rfind("[html]", 0), 0u);
    EXPECT_NE(value.find("<head>"), std::string::npos) << "the whole document";
    EXPECT_NE(value.find("Relay the deucey"), std::string::npos);
}

TEST_F(DlgEditTest, TheCheckerOutputIsImportedWithoutHeadersAndFormatted)
{
    const std::string longLine = "HEADS " + std::string(90, 'X');
    struct Case {
        std::string file;
        std::string imported; // after "Get From SD..."
        std::string formatted; // after "Format"
    };
    const Case cases[] = {
        {"SAT JUN 10 12:00:00 2023\r\nTitle\r\n1P2P\r\nheads start\r\n", "1P2P\nHEADS START\n", "1P2P\nHEADS START"},
        {"SUNSET BLVD\r\ndropped\r\nkept\r\n", "KEPT\n", "KEPT"},
        {"heads square thru 4\r\nspread\r\n", "HEADS SQUARE THRU 4\nSPREAD\n", "HEADS SQUARE THRU 4 & SPREAD"},
        {"swing thru\r\ncirculate\r\n", "SWING THRU\nCIRCULATE\n", "SWING THRU\nALL 8 CIRCULATE"},
        {"three quarter tag\r\n", "THREE QUARTER TAG\n", "3/4 TAG"},
        {"A\r\n\r\n\r\n\r\nB\r\n\r\n", "A\n\n\n\nB\n\n", "A\n\nB"},
        {longLine + "\r\n", longLine + "\n", longLine}, // long lines are kept whole
    };
    for (const Case& c : cases) {
        testsupport::writeFile(dir.file("sd.txt"), c.file);
        open();
        fileChoices = {dir.file("sd.txt")};
        answers = {IDNO}; // keep the file
        command(32831);
        EXPECT_EQ(shownText(), c.imported) << c.file;
        EXPECT_EQ(editor->GetDocument(), dir.file("sd.txt"));
        command(32832);
        EXPECT_EQ(shownText(), c.formatted) << c.file;
        editor->DestroyWindow();
    }
    EXPECT_EQ(setting("general - sdpath"), dir.file("sd.txt"));
    EXPECT_EQ(boxes.back(), "Do you want to delete " + dir.file("sd.txt") + " ?");

    // Yes deletes it; the next import proposes it again.
    open();
    EXPECT_EQ(editor->GetCheckerFile(), dir.file("sd.txt"));
    fileChoices = {dir.file("sd.txt")};
    answers = {IDYES};
    command(32831);
    EXPECT_FALSE(std::filesystem::exists(dir.file("sd.txt")));
    EXPECT_EQ(fileRequests.back().fileName, dir.file("sd.txt"));
}

} // namespace
