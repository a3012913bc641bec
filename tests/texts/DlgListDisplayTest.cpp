// How the viewer page shows an entry, arranges itself, and takes drops and
// edit requests.
#include "DlgListFixture.h"

#include "store/ChoreoRef.h"
#include "store/CommandCodes.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/Shell.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <set>

using namespace dlglisttest;

namespace {

// Drops one file on the page as the desktop would.
void dropFile(CWnd& wnd, const std::string& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wnd.widget(), &enter);
    QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(wnd.widget(), &drop);
}

// The first line the text view shows.
int firstVisibleLine(CRichEditCtrl& view)
{
    auto* edit = qobject_cast<QTextEdit*>(view.widget());
    return edit ? edit->verticalScrollBar()->value() / edit->fontMetrics().lineSpacing() : -1;
}

TEST_F(DlgListTest, EntriesGoToTheBrowserOrTheTextViewByKind)
{
    CChoreoDb db;
    db.SaveEntry("plus", "Page", "Easy", "[html]<p>Hello</p>", 0, 1);
    db.SaveEntry("plus", "lines", "", "a<br>b", 0, 1);
    testsupport::writeFile(dir.file("notes.Rtf"), "{\\rtf1 plain}\r\n");
    testsupport::writeFile(dir.file("real.rtf"), "{\\rtf1 Bold {\\b text}}");
    testsupport::writeFile(dir.file("tip.txt"), "first  \r\nsecond\r\n");

    struct Case {
        std::string entry;
        bool browser;        // the browser shows, else the text view
        std::string name;    // the Name field
        std::string text;    // the text view's text (text entries only)
    };
    const Case cases[] = {
        {"[choreotable]plus[choreoname]page[choreotype]easy", true, "page, Type:easy", ""},
        {"[choreotable]plus[choreoname]lines[choreotype]", false, "lines", "a\nb"},
        {"notes.Rtf", false, "notes", "{\\rtf1 plain}\n"}, // read as plain text lines
        {"real.rtf", false, "real", "Bold text"},
        {"tip.txt", false, "tip", "first\nsecond\n"},
        {"gone.txt", false, "gone", "Open gone.txt failed!"},
        {"http://127.0.0.1:9/page.txt", true, "page", ""},
        {"[choreotable]plus[choreoname]unknown[choreotype]", false, "unknown", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        source(CDlgList::kDocument, c.entry);
        EXPECT_EQ(browserShown(), c.browser);
        EXPECT_EQ(textShown(), !c.browser);
        EXPECT_EQ(field(1086), c.name);
        if (!c.browser) {
            EXPECT_EQ(shownText(), c.text);
        }
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DlgListTest, AnHtmlChoreographyIsShownThroughEditHtml)
{
    CChoreoDb().SaveEntry("plus", "Page", "", "[html]<p>Hello</p>", 0, 1);
    source(CDlgList::kDocument, "[choreotable]plus[choreoname]page[choreotype]");
    EXPECT_EQ(testsupport::readFile(dir.file("edit.html")), "<p>Hello</p>\n");
    EXPECT_EQ(page->GetWindowText(), "Database Choreography: page");
    ASSERT_TRUE(page->GetBrowser());
    std::string html;
    ASSERT_TRUE(page->GetBrowser()->EnsureDocument());
    EXPECT_EQ(page->GetBrowser()->GetLocationURL(), dir.file("edit.html"));
}

TEST_F(DlgListTest, AnotherExtensionGoesToTheShellAndTheViewStays)
{
    testsupport::writeFile(dir.file("tip.txt"), "kept\n");
    testsupport::writeFile(dir.file("sheet.doc"), "x");
    source(CDlgList::kListFile, listFile({"tip.txt", "sheet.doc"}));
    win::ClearShellLog();
    page->OnIndexPlus1();
    ASSERT_EQ(win::ShellLog().size(), 1u);
    EXPECT_EQ(win::ShellLog()[0].verb, "open");
    EXPECT_EQ(shownText(), "kept\n");
    EXPECT_TRUE(textShown());
}

TEST_F(DlgListTest, ClocksNeedRoomAndFullScreenKeepsOnlyTheDocument)
{
    struct Case {
        int screenHeight;
        int large;
        bool clock;
        int viewX;
    };
    const Case cases[] = {{700, 0, true, 196}, {699, 0, false, 196}, {800, 1, true, 231}, {799, 1, false, 231}};
    for (const bool digital : {false, true}) {
        CMusicDb().SetSetting("general - digitalclock", digital ? "2" : "0", 1);
        page->MarkFontReload();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.screenHeight) + (digital ? " digital" : " analog"));
            win::SetDisplayOverride(win::DisplayMetrics{1280, c.screenHeight, 96, 96});
            g_largeLayout = c.large;
            page->LoadSettings();
            EXPECT_EQ(page->GetDlgItem(1131)->IsWindowVisible(), c.clock && digital);
            EXPECT_EQ(page->GetDlgItem(1036)->IsWindowVisible(), c.clock && !digital);
            CRect view;
            page->GetTextView().GetWindowRect(view);
            page->ScreenToClient(view);
            EXPECT_EQ(view.left, c.viewX);
            EXPECT_EQ(view.top, 11);
        }
    }

    g_largeLayout = 0;
    win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
    page->ToggleFullScreen();
    EXPECT_EQ(key("fullscreen"), "true");
    CRect client;
    page->GetClientRect(client);
    CRect view;
    page->GetTextView().GetWindowRect(view);
    page->ScreenToClient(view);
    EXPECT_EQ(view, CRect(11, 11, 11 + client.Width() - 20, 11 + client.Height() - 20));
    for (int id : {1261, 1272, 1086, 1087, 1088, 1131, 1036, 1091})
        EXPECT_FALSE(page->GetDlgItem(id)->IsWindowVisible()) << id;
    page->ToggleFullScreen();
    EXPECT_EQ(key("fullscreen"), "false");
    EXPECT_TRUE(page->GetDlgItem(1261)->IsWindowVisible());
}

TEST_F(DlgListTest, ClockSettingsChooseTheClockAndItsColours)
{
    CMusicDb db;
    db.BeginBatch();
    for (const auto& [k, v] : std::vector<std::pair<std::string, std::string>>{
             {"general - digitalclock", "1"}, {"general - clockbgcolorR", "10"}, {"general - clockbgcolorG", "20"},
             {"general - clockbgcolorB", "30"}, {"general - clocktxtcolorR", "200"},
             {"general - clocktxtcolorG", "210"}, {"general - clocktxtcolorB", "220"}})
        db.SetSetting(k, v, 0);
    db.CommitBatch();
    page->ApplyClockSettings();
    EXPECT_FALSE(page->IsAnalogClockChosen());
    EXPECT_TRUE(page->IsTwelveHourClock());
    EXPECT_EQ(page->GetClockBackColor(), RGB(10, 20, 30));
    EXPECT_EQ(page->GetClockTextColor(), RGB(200, 210, 220));
    CDigiClock& digital = page->GetDigitalClock();
    EXPECT_EQ(digital.GetBackColor(), RGB(10, 20, 30));
    EXPECT_EQ(digital.GetOffColor(), RGB(10, 20, 30)) << "unlit segments in the background colour";
    EXPECT_EQ(digital.GetOnColor(), RGB(200, 210, 220));
    EXPECT_TRUE(digital.GetTwelveHourMode());
    EXPECT_TRUE(digital.IsWindowVisible());
    EXPECT_FALSE(page->GetAnalogClock().IsWindowVisible());
    CMusicDb().SetSetting("general - digitalclock", "2", 1);
    page->ApplyClockSettings();
    EXPECT_FALSE(page->IsTwelveHourClock());
    CMusicDb().SetSetting("general - digitalclock", "0", 1);
    page->ApplyClockSettings();
    EXPECT_TRUE(page->IsAnalogClockChosen());
    EXPECT_TRUE(page->GetAnalogClock().IsWindowVisible());
    EXPECT_FALSE(page->GetAnalogClock().IsStopped());
    CRect analog;
    page->GetAnalogClock().GetClientRect(analog);
    EXPECT_EQ(analog.Size(), page->GetAnalogClock().GetWindowSize()) << "the clock takes its face's size";
}

TEST_F(DlgListTest, StoredFontsGiveTheTextViewItsFont)
{
    struct Case {
        const char* size;
        const char* face;
        int height;
        const char* shownFace;
    };
    const Case cases[] = {{"-13", "Arial", 17, "Arial"}, {"0", "", 12, "MS Sans Serif"}, {"15", "Arial", 12, "Arial"}};
    for (const Case& c : cases) {
        setKey("fontsize", c.size);
        setKey("fontname", c.face);
        setKey("fontbold", "700");
        page->MarkFontReload();
        page->LoadSettings();
        EXPECT_EQ(page->GetPageFont().lfHeight, c.height) << c.size;
        EXPECT_EQ(std::string(page->GetPageFont().lfFaceName), c.shownFace);
        EXPECT_EQ(page->GetPageFont().lfWeight, 700);
        EXPECT_FALSE(page->IsFontReloadMarked());
    }
    // A font chosen in the dialog is stored and used at once.
    win::SetFontDialogAnswerer([](const win::FontDialogRequest& r) -> std::optional<LOGFONT> {
        LOGFONT lf = r.initial;
        lf.lfHeight = -16;
        lf.lfItalic = 1;
        return lf;
    });
    page->OnChangeFont();
    win::SetFontDialogAnswerer({});
    EXPECT_EQ(key("fontsize"), "-16");
    EXPECT_EQ(key("fontitalic"), "1");
    EXPECT_EQ(key("fontname"), "Arial");
    EXPECT_EQ(page->GetPageFont().lfHeight, 21);
}

TEST_F(DlgListTest, DroppedDocumentsShowAndOtherFilesLeaveTheMusicAlone)
{
    testsupport::writeFile(dir.file("tip.txt"), "tip\n");
    testsupport::writeFile(dir.file("dropped.pdf"), "%PDF-1.4\n");
    source(CDlgList::kListFile, listFile({"tip.txt"}));
    g_droppedFilePath.clear();
    testsupport::writeFile(dir.file("song.mp3"), "x");
    dropFile(*page, dir.file("song.mp3"));
    EXPECT_EQ(std::count(mainWnd.codes.begin(), mainWnd.codes.end(), CMD_PLAY_DROPPED_FILE), 0);
    EXPECT_TRUE(g_droppedFilePath.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("song.mp3"), std::string::npos);
    dropFile(*page, dir.file("dropped.pdf"));
    EXPECT_TRUE(browserShown());
    EXPECT_EQ(page->GetEntryCount(), 1) << "the list stays";
    EXPECT_EQ(page->GetFileList()[0].GetCol1(), "tip.txt");
}

TEST_F(DlgListTest, EditSendsTheEntryAsAPathOrAReference)
{
    const std::string reference = "[choreotable]plus[choreoname]x[choreotype]";
    source(CDlgList::kListFile, listFile({"sub/tip.txt", "/abs/tip.txt", reference}));
    const std::string expected[] = {dir.str() + "/sub/tip.txt", "/abs/tip.txt", reference};
    for (const std::string& path : expected) {
        mainWnd.codes.clear();
        page->OnEdit();
        EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_EDIT_HTML});
        EXPECT_EQ(g_htmlPath, path);
        page->OnIndexPlus1();
    }
}

TEST_F(DlgListTest, ScrollingMovesTheTextViewByLines)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line " + std::to_string(i) + "\n";
    testsupport::writeFile(dir.file("long.txt"), text);
    source(CDlgList::kDocument, dir.file("long.txt"));
    const int before = firstVisibleLine(page->GetTextView());
    page->ScrollBy(40, 5);
    EXPECT_EQ(firstVisibleLine(page->GetTextView()), before + 5);
    page->ScrollBy(-9999, -9999);
    EXPECT_EQ(firstVisibleLine(page->GetTextView()), 0);
}

// Clicks the left mouse button in the middle of a control, as the user would.
void clickOn(CWnd& control)
{
    QWidget* w = control.widget();
    const QPointF centre(w->width() / 2.0, w->height() / 2.0);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, centre, w->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

TEST_F(DlgListTest, PictureButtonsShowTheirPicturesCarryBalloonsAndStep)
{
    const std::pair<int, const char*> tips[] = {
        {1261, "Decrease the index with 10 and shows the new file"},
        {1262, "Increase the index with 10 and shows the new file"},
        {1263, "Decrease the index with 1 and shows the new file"},
        {1264, "Increase the index with 1 and shows the new file"},
        {1267, "Change the font for RTF and TXT files"},
        {1266, "Save the file path for a later review"},
        {1195, "Select a new directory"},
        {1196, "Select a new chorography file"},
        {1269, "Display the Edit dialog"},
        {1270, "Random selection of the next file to display"},
        {1197, "Reload the list/directory"},
        {1272, "Display choreography from the database"},
    };
    for (int i = 0; i < 12; ++i) {
        CButtonST& button = page->GetButton(i);
        EXPECT_EQ(button.GetDlgCtrlID(), tips[i].first);
        const auto* tools = page->Tips().GetTools(&button);
        ASSERT_TRUE(tools && tools->size() == 1) << tips[i].first;
        EXPECT_EQ(tools->front().text, tips[i].second);
        COLORREF fg = 0;
        button.GetColor(CButtonST::BTNST_COLOR_FG_IN, &fg);
        EXPECT_EQ(fg, RGB(0, 128, 0)) << tips[i].first;
        EXPECT_EQ(button.GetWindowText(), "") << "the picture carries the words";
    }

    // The picture is drawn: its face and letters cover the button, not the page's grey.
    win::PumpMessages(20);
    const QImage picture = page->GetButton(3).widget()->grab().toImage();
    std::set<QRgb> colours;
    int grey = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2) {
            colours.insert(picture.pixel(x, y));
            grey += picture.pixel(x, y) == qRgb(212, 212, 212);
        }
    EXPECT_GE(colours.size(), 3u);
    EXPECT_LT(grey, picture.width() * picture.height() / 4 / 4);

    // A click steps through the list; the name and source fields' balloons follow the entry.
    const std::string list = listFile({"one.txt", "two.txt", "three.txt"}, "steps.ini");
    source(CDlgList::kListFile, list);
    clickOn(page->GetButton(3)); // +1
    EXPECT_EQ(page->GetCurrentIndex(), 2);
    EXPECT_EQ(field(1088), "2");
    clickOn(page->GetButton(2)); // -1
    EXPECT_EQ(page->GetCurrentIndex(), 1);
    const auto* nameTips = page->Tips().GetTools(page->GetDlgItem(1086));
    ASSERT_TRUE(nameTips && nameTips->size() == 1);
    EXPECT_EQ(nameTips->front().text, "one");
    const auto* sourceTips = page->Tips().GetTools(page->GetDlgItem(1087));
    ASSERT_TRUE(sourceTips && sourceTips->size() == 1);
    EXPECT_EQ(sourceTips->front().text, list);
}

// A Plus page with a list of three choreographies, one of them from the
// database, as the caller sees it. Keeps viewer-plus.png where the tests run
// (or in MIRTAL_SCREENSHOT_DIR).
TEST_F(DlgListTest, APlusPageWithThreeChoreographiesLooksRight)
{
    CChoreoDb().SaveEntry("plus", "Plus_Relay", "Figure",
                          "Heads square thru four<br>Swing thru, boys run<br>Ferris wheel, centers pass thru<br>"
                          "Relay the deucey<br>Left allemande",
                          0, 1);
    testsupport::writeFile(dir.file("Plus Singers.txt"), "Heads promenade half way\r\nSides square thru\r\n");
    testsupport::writeFile(dir.file("Plus Calls.htm"), "<html><body><h2>Plus calls</h2><p>Acey deucey</p></body></html>");
    source(CDlgList::kListFile,
           listFile({"[choreotable]plus[choreoname]plus_relay[choreotype]figure", dir.file("Plus Singers.txt"),
                     dir.file("Plus Calls.htm")},
                    "Plus Evening.ini"));
    EXPECT_EQ(field(1068), "3");
    EXPECT_EQ(field(1086), "plus_relay, Type:figure");
    const QImage shot = page->widget()->grab().toImage();
    const char* folder = std::getenv("MIRTAL_SCREENSHOT_DIR");
    shot.save(QString::fromStdString((folder ? std::string(folder) + "/" : std::string()) + "viewer-plus.png"));
    EXPECT_FALSE(shot.isNull());
}

} // namespace
