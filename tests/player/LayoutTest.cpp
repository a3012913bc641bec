// The music page's shape: where the song lists, their combos, button rows and
// row counts go for one to three lists in the normal, compressed and large
// views; column widths that follow the list width; list fonts; colours; the
// switch to the lyrics view and back; settings read again; the keys the page
// keeps, uses up or leaves to the main window.
#include "MusicPageFixture.h"

#include "common/CallRecord.h"
#include "controls/NewLabel.h"
#include "platform/win/Input.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>

namespace {

using namespace musicpagetest;

class LayoutTest : public MusicPageTest {
protected:
    void TearDown() override
    {
        g_largeLayout = 0;
        g_compressedView = 0;
        g_japanese = 0;
        win::SetHeldModifiers(std::nullopt);
        MusicPageTest::TearDown();
    }

    CRect rect(UINT id)
    {
        CRect r;
        page->GetDlgItem(int(id))->GetWindowRect(&r);
        page->ScreenToClient(&r);
        return r;
    }
    bool visible(UINT id) { return page->GetDlgItem(int(id))->IsWindowVisible(); }
    int columnWidth(UINT list, int column)
    {
        return static_cast<CListCtrl*>(page->GetDlgItem(int(list)))->GetColumnWidth(column);
    }
    LOGFONT font(UINT id)
    {
        LOGFONT lf{};
        CFont* f = page->GetDlgItem(int(id))->GetFont();
        EXPECT_NE(f, nullptr) << id;
        if (f)
            f->GetLogFont(&lf);
        return lf;
    }
    void pressOn(UINT id, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        win::SetHeldModifiers(mods & Qt::ControlModifier ? std::optional<UINT>(MK_CONTROL) : std::nullopt);
        QKeyEvent down(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(page->GetDlgItem(int(id))->widget(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(page->GetDlgItem(int(id))->widget(), &up);
        win::SetHeldModifiers(std::nullopt);
    }
    void shoot(const char* name)
    {
        QApplication::processEvents();
        const QImage shot = page->widget()->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        const char* keep = std::getenv("MIRTAL_SCREENSHOT_DIR");
        EXPECT_TRUE(shot.save(QString::fromStdString(keep ? std::string(keep) + "/" + name : dir.file(name))));
    }
};

constexpr UINT kLists[3] = {1009, 1011, 1012};
constexpr UINT kCombos[3] = {1016, 1017, 1018};
constexpr UINT kFirstButtons[3] = {1247, 1199, 1201};
constexpr UINT kLastButtons[3] = {1115, 1116, 1117};
constexpr UINT kCounts[3] = {1061, 1062, 1063};

TEST_F(LayoutTest, ListsCombosButtonRowsAndCountsFollowTheWidthListCountAndView)
{
    struct Case {
        int large, compressed, n, width;
        int w;             // width of each list
        int top;           // list top
        bool combos;       // combos of the shown lists visible
        int buttonTop;     // top of the list button rows
    };
    const Case cases[] = {
        {0, 0, 1, 1000, 978, 262, true, 192},
        {0, 0, 2, 1000, 483, 262, true, 192},
        {0, 0, 3, 1100, 354, 262, true, 192},
        {0, 1, 1, 1000, 978, 200, false, 160},
        {0, 1, 2, 1000, 483, 200, false, 160},
        {0, 1, 3, 1100, 354, 200, false, 160},
        {1, 0, 2, 1000, 483, 262, true, 192},
        {1, 1, 3, 1100, 354, 262, true, 192}, // the large layout has no compressed view
    };
    const int height = 700;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "large " << c.large << " compressed " << c.compressed << " n " << c.n
                                        << " width " << c.width);
        g_largeLayout = c.large;
        g_compressedView = c.compressed;
        start({{"music - nrlistboxes", std::to_string(c.n)}, {"general - dpimsg", "true"}});
        page->MoveWindow(0, 0, c.width, height);
        for (int i = 0; i < 3; ++i) {
            const int x = 10 + i * (c.w + 10);
            if (i < c.n) {
                EXPECT_TRUE(visible(kLists[i])) << i;
                EXPECT_EQ(rect(kLists[i]), CRect(x, c.top, x + c.w, height - 8)) << i;
                EXPECT_EQ(visible(kCombos[i]), c.combos) << i;
                EXPECT_EQ(rect(kCombos[i]).TopLeft(), CPoint(x, 235)) << i;
                EXPECT_TRUE(visible(kFirstButtons[i])) << i;
            } else {
                EXPECT_FALSE(visible(kLists[i])) << i;
                EXPECT_EQ(rect(kLists[i]).Width(), 0) << i;
                EXPECT_FALSE(visible(kCombos[i])) << i;
                EXPECT_FALSE(visible(kFirstButtons[i])) << i;
                EXPECT_FALSE(visible(kLastButtons[i])) << i;
            }
            EXPECT_EQ(rect(kFirstButtons[i]), CRect(x, c.buttonTop, x + 38, c.buttonTop + 38)) << i;
            EXPECT_EQ(rect(kLastButtons[i]).left, x + 6 * 35) << i;
            const int countX = (i + 1) * c.w - 26 + 10 * i;
            EXPECT_EQ(rect(kCounts[i]), CRect(countX, c.buttonTop + 9, countX + 36, c.buttonTop + 31)) << i;
        }
        page->DestroyWindow();
        page.reset();
    }
}

TEST_F(LayoutTest, TheViewsPlaceTheirOwnControls)
{
    start({{"music - nrlistboxes", "3"}, {"music - keychangevisible", "true"}, {"music - breaktimervisible", "true"},
           {"general - rightalignclock", "true"}});
    for (int list = 1; list <= 3; ++list)
        rows(list, {dir.file("Red Boots - Hoedown.mp3"), dir.file("Blue Moon - Singing call.mp3")});
    page->MoveWindow(0, 0, 1000, 700);
    EXPECT_EQ(rect(1218), CRect(15, 95, 15 + 273, 95 + 90));
    EXPECT_EQ(rect(1120), CRect(8, 6, 8 + 374, 6 + 186));
    EXPECT_EQ(rect(1232), CRect(1000 - 143, 6, 1000 - 143 + 133, 6 + 186)) << "clocks at the right edge";
    EXPECT_EQ(rect(1037).TopLeft(), CPoint(1000 - 139, 130));
    EXPECT_TRUE(visible(1225)) << "key change shown";
    EXPECT_TRUE(visible(1281));
    EXPECT_EQ(rect(1281), CRect(692, 128, 716, 148));
    EXPECT_TRUE(visible(1175));
    EXPECT_TRUE(visible(1037));
    shoot("music-page-normal.png");
    page->DestroyWindow();

    g_compressedView = 1;
    start({{"music - keychangevisible", "true"}, {"music - breaktimervisible", "true"}});
    page->MoveWindow(0, 0, 1000, 700);
    EXPECT_EQ(rect(1218), CRect(15, 95, 15 + 273, 95 + 50));
    EXPECT_EQ(rect(1232), CRect(834, 6, 834 + 150, 6 + 150));
    EXPECT_EQ(rect(1200).TopLeft(), CPoint(500, 15));
    for (UINT id : {1245u, 1175u, 1037u, 1225u, 1204u, 1041u, 1016u})
        EXPECT_FALSE(visible(id)) << id;
    EXPECT_TRUE(visible(1281)) << "the break box keeps its own rule";
    EXPECT_TRUE(visible(1246));
    for (int list = 1; list <= 3; ++list)
        rows(list, {dir.file("Red Boots - Hoedown.mp3"), dir.file("Blue Moon - Singing call.mp3")});
    shoot("music-page-compressed.png");
}

TEST_F(LayoutTest, TheQueueLyricsButtonKeepsToItsSetting)
{
    start({{"lyrics - searchqueue", "false"}});
    page->MoveWindow(0, 0, 1000, 700);
    EXPECT_FALSE(visible(1245));
    page->DestroyWindow();
    start({{"lyrics - searchqueue", "true"}});
    page->MoveWindow(0, 0, 1000, 700);
    EXPECT_TRUE(visible(1245));
    EXPECT_EQ(rect(1245), CRect(320, 91, 358, 129));
}

TEST_F(LayoutTest, ColumnWidthsFollowTheListWidthAndAreKeptForTheNextStart)
{
    struct Case {
        int large, width;
        int name0[3], name1[3]; // columns 0 and 1 of lists 1..3 (naming modes 0, 1, 2)
    };
    // w 483 (a 96, rest 483 - 22 - 96 - 168 = 197); w 533 (a 106, rest 237); the large layout narrows by 8.
    const Case cases[] = {
        {0, 1000, {96, 197, 0}, {197, 96, 293}},
        {0, 1100, {106, 237, 0}, {237, 106, 343}},
        {1, 1000, {96, 189, 0}, {189, 96, 285}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "large " << c.large << " width " << c.width);
        g_largeLayout = c.large;
        start({{"music - nrlistboxes", "2"},
               {"music - adjustcolwidth", "true"},
               {"music - rateactive", "true"},
               {"music - lengthactive", "true"},
               {"music - commentactive", "true"},
               {"music - colname1", "0"},
               {"music - colname2", "1"},
               {"music - colname3", "2"},
               {"general - dpimsg", "true"}});
        page->MoveWindow(0, 0, c.width, 700);
        int* const globals[3][5] = {{&g_colWidth1_0, &g_colWidth1_1, &g_colWidth1_2, &g_colWidth1_3, &g_colWidth1_4},
                                    {&g_colWidth2_0, &g_colWidth2_1, &g_colWidth2_2, &g_colWidth2_3, &g_colWidth2_4},
                                    {&g_colWidth3_0, &g_colWidth3_1, &g_colWidth3_2, &g_colWidth3_3, &g_colWidth3_4}};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(columnWidth(kLists[i], 0), c.name0[i]) << i;
            EXPECT_EQ(columnWidth(kLists[i], 1), c.name1[i]) << i;
            EXPECT_EQ(columnWidth(kLists[i], 2), 20) << i;
            EXPECT_EQ(columnWidth(kLists[i], 4), 48) << i;
            EXPECT_EQ(columnWidth(kLists[i], 5), 100) << i;
            const int expected[5] = {c.name0[i], c.name1[i], 20, 48, 100};
            for (int slot = 0; slot < 5; ++slot)
                EXPECT_EQ(*globals[i][slot], expected[slot]) << i << " " << slot;
        }
        page->DestroyWindow();
        page.reset();
    }
}

TEST_F(LayoutTest, ListFontsTakeTheirHeightFromTheStoredSizeAndTheDisplay)
{
    struct Case {
        const char* size;
        int dpi;
        int height;
    };
    const Case cases[] = {{"-11", 96, 15}, {"10", 96, 12}, {"-11", 120, 18}, {"0", 96, 12}, {"-8", 144, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " at " << c.dpi);
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, c.dpi, c.dpi});
        start({{"music - listfontsize", c.size},
               {"music - listfontname", ""},
               {"music - listfontbold", "700"},
               {"music - listfontitalic", "1"},
               {"music - queuelistfontsize", c.size},
               {"music - queuelistfontname", "DejaVu Sans"},
               {"music - markersfontsize", c.size}});
        for (UINT id : {1009u, 1011u, 1012u, 1218u, 1146u})
            EXPECT_EQ(font(id).lfHeight, c.height) << id;
        const LOGFONT list = font(1011);
        EXPECT_STREQ(list.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(list.lfWeight, 700);
        EXPECT_EQ(list.lfItalic, 1);
        EXPECT_EQ(list.lfCharSet, 1);
        EXPECT_STREQ(font(1218).lfFaceName, "DejaVu Sans");
        page->DestroyWindow();
        page.reset();
    }
    g_japanese = 1;
    start();
    EXPECT_EQ(font(1009).lfCharSet, 128);
}

TEST_F(LayoutTest, SettingsReadAgainReshapeRefontAndRecolourThePage)
{
    start({{"music - nrlistboxes", "3"}, {"music - rateactive", "true"}, {"music - listfontsize", "-11"}});
    page->MoveWindow(0, 0, 1100, 700);
    ASSERT_TRUE(visible(1012));
    ASSERT_TRUE(visible(1221));
    ASSERT_TRUE(visible(1061));
    CMusicDb db;
    for (const auto& [k, v] : std::vector<std::pair<std::string, std::string>>{{"music - nrlistboxes", "1"},
                                                                              {"music - rateactive", "false"},
                                                                              {"music - showlistboxnr", "true"},
                                                                              {"music - listfontsize", "-16"},
                                                                              {"music - col1name1", "Singer"}})
        db.SetSetting(k, v, 1);
    g_dlgColorR = 10;
    g_dlgColorG = 20;
    g_dlgColorB = 300; // only the low 8 bits count
    mainWnd.codes.clear();
    page->ReloadSettings();

    EXPECT_FALSE(visible(1011));
    EXPECT_FALSE(visible(1012));
    EXPECT_EQ(rect(1009), CRect(10, 262, 10 + 1078, 692));
    EXPECT_FALSE(visible(1221)) << "rating hidden";
    EXPECT_FALSE(visible(1061)) << "row counts hidden";
    EXPECT_EQ(font(1009).lfHeight, 21);
    HDITEM item{};
    char text[64] = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    static_cast<CListCtrl*>(page->GetDlgItem(1009))->GetHeaderCtrl()->GetItem(0, &item);
    EXPECT_STREQ(text, "Singer") << "the columns are built again";
    EXPECT_EQ(static_cast<CListCtrl*>(page->GetDlgItem(1009))->GetHeaderCtrl()->GetItemCount(), 6);

    const COLORREF c = RGB(10, 20, 44);
    EXPECT_EQ(page->GetBackgroundColor(), c);
    for (UINT id : {1020u, 1022u, 1023u, 1033u, 1037u, 1021u, 1031u, 1029u, 1028u, 1030u, 1151u})
        EXPECT_EQ(dynamic_cast<CNewLabel*>(CWnd::FromHandlePermanent(page->GetDlgItem(int(id))->m_hWnd))->GetBkColor(),
                  c)
            << id;
    EXPECT_NE(dynamic_cast<CNewLabel*>(CWnd::FromHandlePermanent(page->GetDlgItem(1010)->m_hWnd))->GetBkColor(), c)
        << "the title keeps its own background";
    EXPECT_TRUE(mainWnd.sent(CMD_MARKER_TIMER_REFRESH));
}

TEST_F(LayoutTest, TheLyricsViewTakesThePlaceOfTheListsAndGivesItBack)
{
    g_compressedView = 0;
    start({{"music - nrlistboxes", "2"}});
    page->MoveWindow(0, 0, 1000, 700);
    page->ShowSongLists(true);
    EXPECT_TRUE(visible(1009)) << "nothing to switch back from";

    page->ShowLyricsView();
    EXPECT_TRUE(page->IsLyricsViewShown());
    for (UINT id : {1009u, 1011u, 1016u, 1017u, 1061u, 1247u, 1115u, 1199u})
        EXPECT_FALSE(visible(id)) << id;
    page->ShowLyricsView();
    EXPECT_TRUE(page->IsLyricsViewShown()) << "shown by force stays shown";
    page->MoveWindow(0, 0, 1100, 700);
    EXPECT_FALSE(visible(1009)) << "a resize keeps the lists away";

    page->ShowSongLists(true);
    EXPECT_FALSE(page->IsLyricsViewShown());
    for (UINT id : {1009u, 1011u, 1016u, 1017u, 1061u, 1247u, 1199u})
        EXPECT_TRUE(visible(id)) << id;
    for (UINT id : {1012u, 1018u, 1201u})
        EXPECT_FALSE(visible(id)) << id << " belongs to list 3";
    EXPECT_EQ(rect(1011).left, 1100 / 2 - 2 - 15 + 20);

    page->ToggleLyricsView();
    page->ToggleLyricsView();
    EXPECT_TRUE(visible(1009));
    EXPECT_FALSE(page->IsLyricsViewShown());
}

TEST_F(LayoutTest, CompressedListsComeBackWithoutTheirCombos)
{
    g_compressedView = 1;
    start({{"music - nrlistboxes", "3"}});
    page->ToggleLyricsView();
    page->ToggleLyricsView();
    EXPECT_TRUE(visible(1012));
    for (UINT id : kCombos)
        EXPECT_FALSE(visible(id)) << id;
}

TEST_F(LayoutTest, KeysOnTheListsAreUsedUpAndOthersGoOnToTheMainWindow)
{
    start({{"music - autostart", "false"}, {"markers - fadein", "true"}});
    rows(1, {wav("Red Boots - Hoedown.wav", 5), wav("Blue Moon - Singing call.wav", 5)});
    auto* list = static_cast<CListCtrl*>(page->GetDlgItem(1009));
    list->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list->SetSelectionMark(1);

    callrec::Scope rec;
    pressOn(1009, Qt::Key_Return);
    EXPECT_EQ(page->GetDlgItem(1010)->GetWindowText(), "Blue Moon - Singing call") << "Enter opens the row";
    rec.Clear();
    pressOn(1009, Qt::Key_Return, Qt::ControlModifier);
    auto* queue = static_cast<CListBox*>(page->GetDlgItem(1218));
    ASSERT_EQ(queue->GetCount(), 1) << "Ctrl+Enter queues the row";
    EXPECT_EQ(queue->GetText(0), "Blue Moon - Singing call");
    EXPECT_EQ(page->QueuedSongs().front().GetRow(), 1);
    rec.Clear();
    pressOn(1009, Qt::Key_Backspace);
    ASSERT_EQ(page->SongRows(1).size(), 1u) << "Backspace removes the selected row";
    EXPECT_NE(page->SongRows(1)[0].GetCol(3).find("Red Boots"), std::string::npos);

    // Enter in the markers list with nothing selected seeks to 0 and starts the song.
    g_position = 12;
    mainWnd.codes.clear();
    pressOn(1146, Qt::Key_Return);
    EXPECT_EQ(g_position, 0.0f);
    EXPECT_EQ(mainWnd.codes, (std::vector<UINT>{CMD_SEEK_TO_MARKER, CMD_PLAY_PAUSE}));

    // What the main window is left to dispatch.
    struct Case {
        UINT on;
        WPARAM key;
        bool ctrl;
        bool kept;
    };
    const Case cases[] = {
        {1009, 'A', true, true},  {1009, 'A', false, false}, {1004, 'A', true, true},
        {1009, '2', true, false}, {1004, VK_BACK, false, true}, {1016, VK_BACK, false, true},
        {1004, VK_F1 + 5, true, false}, {1004, 222, true, true},
    };
    for (const Case& c : cases) {
        win::SetHeldModifiers(c.ctrl ? std::optional<UINT>(MK_CONTROL) : std::nullopt);
        MSG msg{page->GetDlgItem(int(c.on))->m_hWnd, WM_KEYDOWN, c.key, 0, 0, {}};
        EXPECT_EQ(page->KeepsKey(msg), c.kept) << c.on << " " << c.key << " " << c.ctrl;
    }
    win::SetHeldModifiers(std::nullopt);
    MSG outside{mainWnd.m_hWnd, WM_KEYDOWN, VK_BACK, 0, 0, {}};
    EXPECT_FALSE(page->KeepsKey(outside)) << "keys of other windows are not the page's";
}

} // namespace
