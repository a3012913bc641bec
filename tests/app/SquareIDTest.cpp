// The square identification window: the names lists and their couple lines,
// the pair of boxes a couple line fills, the square and the hexagon layout,
// edit mode, reset, picking a list, and the colour buttons.
#include "MainWindowFixture.h"

#include "app/SquareID.h"
#include "platform/win/ColorButton.h"
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/FileDialog.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>
#include <fstream>

using namespace mainwindowtest;

namespace {

const std::filesystem::path kStartFolder = std::filesystem::current_path();

class SquareIDTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        win::SetFileDialogAnswerer({});
        g_hexagon = 0;
        MainWindowTest::TearDown();
    }
    std::string writeList(const std::string& name, const std::string& text)
    {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    CSquareID* open()
    {
        menu(32807);
        CSquareID* w = dlg->m_squareId.Get();
        EXPECT_NE(w, nullptr);
        return w;
    }
    static CComboBox& box(CSquareID* w, int id) { return *dynamic_cast<CComboBox*>(w->GetDlgItem(id)); }
    static std::vector<std::string> entries(CSquareID* w, int id)
    {
        std::vector<std::string> v;
        for (int i = 0; i < box(w, id).GetCount(); ++i)
            v.push_back(box(w, id).GetLBText(i));
        return v;
    }
    static std::string chosen(CSquareID* w, int id)
    {
        const int sel = box(w, id).GetCurSel();
        return sel < 0 ? std::string("(none)") : box(w, id).GetLBText(sel);
    }
    // The user picks an entry: the box reports the change to the window.
    static void pick(CSquareID* w, int id, const std::string& text)
    {
        ASSERT_GE(box(w, id).SelectString(-1, text), 0) << text;
        w->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box(w, id).m_hWnd));
    }
    static CRect placeOf(CSquareID* w, int id)
    {
        CRect r;
        w->GetDlgItem(id)->GetWindowRect(r);
        w->ScreenToClient(r);
        return r;
    }
    static void screenshot(CSquareID* w, const char* name)
    {
        win::PumpMessages(20);
        const QImage shot = w->frameWidget()->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
        EXPECT_TRUE(shot.save(QString::fromStdString(((out ? std::filesystem::path(out) : kStartFolder) / name).string())));
    }
};

TEST_F(SquareIDTest, NamesListsFillTheBoxesAndACoupleLineFillsTheBoyAndTheGirlOfItsCouple)
{
    const std::string boys = writeList("boys.txt", "John - Mary\r\nPeter  \r\n - Lone\r\n\r\nAnders\r\nPeter\r\n");
    const std::string girls = writeList("girls.txt", "Mary - Sue\nAnna\nSue\n");
    preset({{"music - squareidlist", boys}, {"music - squareidlist2", girls}});
    start();
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetWindowText(), "Mirtal - Square Identification");

    // Sorted, duplicates kept; a line starting with the separator is one boy's entry.
    const std::vector<std::string> boyEntries = {"", " - Lone", "Anders", "John", "John - Mary", "Peter", "Peter"};
    const std::vector<std::string> girlEntries = {"Anna", "Mary", "Mary - Sue", "Sue"};
    for (int id : {1308, 1309, 1314, 1315, 1324, 1327})
        EXPECT_EQ(entries(w, id), boyEntries) << id;
    for (int id : {1310, 1311, 1312, 1313, 1328, 1331})
        EXPECT_EQ(entries(w, id), girlEntries) << id;
    EXPECT_EQ(chosen(w, 1308), "(none)");
    EXPECT_EQ(w->GetDlgItem(1227)->GetWindowText(), boys);

    // The couple line in Boy #2's upper box: John there, Mary in Girl #2's upper box.
    pick(w, 1314, "John - Mary");
    EXPECT_EQ(chosen(w, 1314), "John");
    EXPECT_EQ(chosen(w, 1312), "Mary");
    EXPECT_EQ(chosen(w, 1315), "(none)") << "the other row stays";
    // Both lists loaded: the girls' list keeps Mary of the boys' couple line.
    // A girls' couple line in Girl #3's lower box: the boy's box finds no Mary, the girl's finds Sue.
    pick(w, 1321, "Mary - Sue");
    EXPECT_EQ(chosen(w, 1323), "(none)");
    EXPECT_EQ(chosen(w, 1321), "Sue");
    // A plain name stays as chosen and touches no other box.
    pick(w, 1309, "Anders");
    EXPECT_EQ(chosen(w, 1309), "Anders");
    EXPECT_EQ(chosen(w, 1311), "(none)");

    // Reset: no names chosen, every colour back to grey; the entries stay.
    auto* colour = dynamic_cast<CMFCColorButton*>(w->GetDlgItem(1126));
    ASSERT_NE(colour, nullptr);
    colour->ChooseColor(RGB(255, 0, 0));
    EXPECT_EQ(colour->GetColor(), RGB(255, 0, 0));
    w->SendMessage(WM_COMMAND, MAKEWPARAM(1084, BN_CLICKED), 0);
    EXPECT_EQ(chosen(w, 1314), "(none)");
    EXPECT_EQ(chosen(w, 1312), "(none)");
    EXPECT_EQ(colour->GetColor(), RGB(192, 192, 192));
    EXPECT_EQ(entries(w, 1314), boyEntries);
}

TEST_F(SquareIDTest, MissingListsLeaveTheBoxesEmptyAndAPickedListIsLoadedAndKept)
{
    preset({{"music - squareidlist", dir.file("gone.txt")}});
    start();
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(entries(w, 1308).empty());
    EXPECT_TRUE(entries(w, 1310).empty());

    const std::string girls = writeList("belles.txt", "Karin\nAnna\n");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        EXPECT_FALSE(r.folder);
        return std::vector<std::string>{girls};
    });
    w->SendMessage(WM_COMMAND, MAKEWPARAM(1229, BN_CLICKED), 0);
    EXPECT_EQ(entries(w, 1331), (std::vector<std::string>{"Anna", "Karin"}));
    EXPECT_TRUE(entries(w, 1308).empty()) << "the boys' boxes are not touched";
    EXPECT_EQ(setting("music - squareidlist2"), girls);
    EXPECT_EQ(w->GetDlgItem(1228)->GetWindowText(), girls);

    // A new boys' list takes the girls of the old one's couple lines away, the girls' own names stay.
    const std::string first = writeList("beaus1.txt", "John - Mary\n");
    const std::string second = writeList("beaus2.txt", "Olle - Eva\n");
    for (const std::string& path : {first, second}) {
        win::SetFileDialogAnswerer([path](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
            return std::vector<std::string>{path};
        });
        w->SendMessage(WM_COMMAND, MAKEWPARAM(1226, BN_CLICKED), 0);
    }
    EXPECT_EQ(entries(w, 1310), (std::vector<std::string>{"Anna", "Eva", "Karin"}));
    EXPECT_EQ(entries(w, 1308), (std::vector<std::string>{"Olle", "Olle - Eva"}));

    // Cancelled: nothing changes.
    win::SetFileDialogAnswerer([](const win::FileDialogRequest&) { return std::nullopt; });
    w->SendMessage(WM_COMMAND, MAKEWPARAM(1226, BN_CLICKED), 0);
    EXPECT_EQ(setting("music - squareidlist"), second);
}

TEST_F(SquareIDTest, EditModeEnablesTheBoxesAndHidingEndsIt)
{
    start();
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->IsEditMode());
    EXPECT_FALSE(w->GetDlgItem(1308)->IsWindowEnabled());
    w->SendMessage(WM_COMMAND, MAKEWPARAM(1105, BN_CLICKED), 0);
    EXPECT_TRUE(w->IsEditMode());
    for (int id = 1308; id <= 1331; ++id)
        EXPECT_TRUE(w->GetDlgItem(id)->IsWindowEnabled()) << id;
    w->SendMessage(WM_COMMAND, MAKEWPARAM(1124, BN_CLICKED), 0);
    EXPECT_FALSE(w->IsEditMode());
    EXPECT_FALSE(w->GetDlgItem(1331)->IsWindowEnabled());
    EXPECT_FALSE(w->IsWindowVisible());
    EXPECT_NE(dlg->m_squareId.Get(), nullptr) << "hiding keeps the window";
}

TEST_F(SquareIDTest, TheSquareAndTheHexagonLayoutPlaceFourOrSixCouplesAndKeepTheNames)
{
    const std::string boys = writeList("boys.txt", "John - Mary\n");
    preset({{"music - squareidlist", boys}});
    start();
    g_hexagon = 0;
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    pick(w, 1308, "John - Mary");
    EXPECT_EQ(placeOf(w, 1449), CRect(102, 326, 164, 352)); // Boy #1's label
    EXPECT_EQ(placeOf(w, 1453).TopLeft(), CPoint(102, 14)); // Girl #3 at the top
    EXPECT_EQ(placeOf(w, 1128).TopLeft(), CPoint(90, 118)); // Boy #4's colour at the left
    EXPECT_EQ(placeOf(w, 1093), CRect(186, 154, 306, 274));
    EXPECT_TRUE(w->GetDlgItem(1093)->IsWindowVisible());
    EXPECT_FALSE(w->GetDlgItem(1094)->IsWindowVisible());
    for (int id : {1457, 1136, 1324, 1331})
        EXPECT_FALSE(w->GetDlgItem(id)->IsWindowVisible()) << id;
    EXPECT_EQ(placeOf(w, 1124).TopLeft(), CPoint(10, 380));
    EXPECT_EQ(placeOf(w, 1227).TopLeft(), CPoint(99, 432));
    CRect outer;
    w->GetWindowRect(outer);
    EXPECT_EQ(outer.Size(), CSize(510, 530));
    screenshot(w, "square-id-square.png");

    // The setting changes while the window is open: the main window re-applies it.
    g_hexagon = 1;
    w->ApplyLayout();
    EXPECT_EQ(placeOf(w, 1449).TopLeft(), CPoint(102, 526));
    EXPECT_EQ(placeOf(w, 1453).TopLeft(), CPoint(339, 120)); // Girl #3 on the upper right
    EXPECT_EQ(placeOf(w, 1458).TopLeft(), CPoint(13, 320));  // Boy #6 on the lower left
    for (int id : {1457, 1136, 1324, 1331})
        EXPECT_TRUE(w->GetDlgItem(id)->IsWindowVisible()) << id;
    EXPECT_FALSE(w->GetDlgItem(1093)->IsWindowVisible());
    EXPECT_EQ(placeOf(w, 1094), CRect(161, 234, 321, 394));
    EXPECT_EQ(placeOf(w, 1084).TopLeft(), CPoint(400, 580));
    w->GetWindowRect(outer);
    EXPECT_EQ(outer.Size(), CSize(510, 730));
    EXPECT_EQ(chosen(w, 1308), "John");
    EXPECT_EQ(chosen(w, 1310), "Mary");
    screenshot(w, "square-id-hexagon.png");
}

TEST_F(SquareIDTest, AColourButtonOffersTheDefaultColourAndTheColourDialog)
{
    start();
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    auto* colour = dynamic_cast<CMFCColorButton*>(w->GetDlgItem(1137));
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->GetColor(), RGB(192, 192, 192));
    colour->SendMessage(BM_CLICK);
    QWidget* popup = colour->ColorPopup();
    ASSERT_NE(popup, nullptr);
    auto* red = popup->findChild<QWidget*>("color-FF0000");
    ASSERT_NE(red, nullptr);
    ASSERT_NE(popup->findChild<QWidget*>("automatic"), nullptr);
    ASSERT_NE(popup->findChild<QWidget*>("other"), nullptr);
    colour->ChooseColor(RGB(255, 0, 0));
    EXPECT_EQ(colour->GetColor(), RGB(255, 0, 0));
    const QImage face = colour->widget()->grab().toImage();
    EXPECT_EQ(face.pixel(face.width() / 2, face.height() / 2) & 0xffffff, 0xff0000u);

    win::SetColorDialogAnswerer([](const win::ColorDialogRequest&) -> std::optional<COLORREF> { return RGB(1, 2, 3); });
    EXPECT_TRUE(colour->ChooseOther());
    EXPECT_EQ(colour->GetColor(), RGB(1, 2, 3));
    win::SetColorDialogAnswerer(nullptr);
    colour->ChooseAutomatic();
    EXPECT_EQ(colour->GetColor(), RGB(192, 192, 192));
}

} // namespace

namespace {

TEST_F(SquareIDTest, BalloonTipsNameTheButtonsTheColoursAndTheLists)
{
    const std::string boys = writeList("boys.txt", "John\n");
    preset({{"music - squareidlist", boys}});
    start();
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    const auto tip = [&](int id) {
        const auto* tools = w->Tips().GetTools(w->GetDlgItem(id));
        return tools && tools->size() == 1 ? tools->front().text : std::string("(none)");
    };
    const std::pair<int, std::string> cases[] = {
        {1105, "Edit the identifications"},
        {1124, "Hide the window"},
        {1084, "Reset all information"},
        {1126, "Color for Boy #1"},
        {1131, "Color for Girl #2"},
        {1135, "Color for Girl #6"},
        {1226, "Select a file for beaus with names"},
        {1229, "Select a file for belles with names"},
        {1227, boys},
        {1228, ""},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(tip(id), text) << id;
}

TEST_F(SquareIDTest, KeysReachTheMainWindowOutsideEditModeAndATypedNameStays)
{
    start();
    CSquareID* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(dlg->GetCurrentPage(), 0);
    // A digit picks the main window's tab.
    press(Qt::Key_2, Qt::NoModifier, w->GetDlgItem(1004));
    EXPECT_EQ(dlg->GetCurrentPage(), 1);
    EXPECT_EQ(w->GetDlgItem(1004)->GetWindowText(), "") << "the sink is emptied";

    // In edit mode the keys are the name box's: a typed name stays when the focus moves on.
    w->SendMessage(WM_COMMAND, MAKEWPARAM(1105, BN_CLICKED), 0);
    CComboBox& first = box(w, 1308);
    first.SetFocus();
    press(Qt::Key_3, Qt::NoModifier, &first);
    EXPECT_EQ(dlg->GetCurrentPage(), 1);
    first.SetWindowText("Olle");
    box(w, 1310).SetFocus();
    w->ParkFocus();
    EXPECT_EQ(first.GetWindowText(), "Olle");
}

} // namespace
