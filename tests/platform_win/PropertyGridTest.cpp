// The property grid of the settings pages: addressing, the value kinds and
// their editors, the modified marks, reset, the colour pop-up, fonts, file
// filters and the keys an open editor keeps from the dialog.
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dialog.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/PropertyGrid.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr UINT kGridDialog = 9301;
constexpr UINT kTemplateGridDialog = 9302;

struct Registered {
    Registered()
    {
        static bool done = false;
        if (done)
            return;
        done = true;
        win::AddResourceScript(R"rc(
9301 DIALOGEX 0, 0, 260, 300
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Grid"
FONT 8, "MS Shell Dlg"
BEGIN
    DEFPUSHBUTTON   "OK", IDOK, 140, 280, 50, 14
    PUSHBUTTON      "Cancel", IDCANCEL, 200, 280, 50, 14
END
9302 DIALOGEX 0, 0, 200, 160
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    CONTROL         "", 1201, "MFCPropertyGrid", WS_BORDER | WS_TABSTOP, 5, 5, 190, 70
    CONTROL         "", 1202, "MFCPropertyGrid", WS_BORDER | WS_TABSTOP, 5, 80, 190, 70
END
)rc");
    }
};

LOGFONT makeFont(const char* face, int height)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = 400;
    win::SetFaceName(lf, face);
    return lf;
}

// A dialog with a grid of one row of every kind in group "All" and a sub-group.
class GridDialog : public CDialog {
public:
    GridDialog() : CDialog(kGridDialog) {}
    CMFCPropertyGridCtrl grid;
    CMFCPropertyGridProperty* group = nullptr;
    CMFCPropertyGridProperty *text = nullptr, *flag = nullptr, *number = nullptr, *choice = nullptr;
    CMFCPropertyGridColorProperty* colour = nullptr;
    CMFCPropertyGridFontProperty* font = nullptr;
    CMFCPropertyGridFileProperty *file = nullptr, *folder = nullptr;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(5, 5, 385, 400), this, UINT(-1));
        grid.EnableHeaderCtrl(TRUE, "Property", "Value");
        grid.EnableDescriptionArea(TRUE);
        grid.MarkModifiedProperties(TRUE, TRUE);
        group = new CMFCPropertyGridProperty("All");
        grid.AddProperty(group); // rows come after the group is in the grid
        text = new CMFCPropertyGridProperty("Text", COleVariant("one"), "A text");
        flag = new CMFCPropertyGridProperty("Flag", COleVariant(true), "A flag");
        number = new CMFCPropertyGridProperty("Number", COleVariant(130), "A number");
        number->EnableSpinControl(TRUE, 0, 30);
        choice = new CMFCPropertyGridProperty("Choice", COleVariant("Red"), "A choice");
        for (const char* o : {"Red", "Green", "Blue"})
            choice->AddOption(o);
        choice->AllowEdit(FALSE);
        colour = new CMFCPropertyGridColorProperty("Colour", RGB(0, 255, 0), nullptr, "A colour");
        colour->EnableOtherButton("Other...");
        colour->EnableAutomaticButton("Default", RGB(0, 255, 0));
        font = new CMFCPropertyGridFontProperty("Font", makeFont("Times New Roman", -21), CF_SCREENFONTS, "A font");
        file = new CMFCPropertyGridFileProperty("File", TRUE, "/data/sd.exe", "exe", 0,
                                                "Exe Files(*.exe)|*.exe|All Files(*.*)|*.*||", "A file");
        folder = new CMFCPropertyGridFileProperty("Folder", "/data/Text", 0, "A folder");
        for (CMFCPropertyGridProperty* p : {text, flag, number, choice})
            group->AddSubItem(p);
        auto* sub = new CMFCPropertyGridProperty("Sub");
        group->AddSubItem(sub);
        for (CMFCPropertyGridProperty* p : std::initializer_list<CMFCPropertyGridProperty*>{colour, font, file, folder})
            sub->AddSubItem(p);
        grid.ExpandAll(TRUE);
        return TRUE;
    }
};

class PropertyGridTest : public ::testing::Test {
protected:
    Registered registered;
    GridDialog dlg;

    void SetUp() override
    {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) -> std::optional<int> {
            if (r.kind == win::DialogKind::Dialog)
                return win::kRunModalLoop;
            return std::nullopt;
        });
        ASSERT_TRUE(dlg.Create(kGridDialog));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
        win::SetMessageBoxAnswerer({});
        win::SetColorDialogAnswerer({});
        win::SetFontDialogAnswerer({});
        win::SetFileDialogAnswerer({});
        win::SetDisplayOverride(std::nullopt);
    }

    QWidget* grid() { return dlg.grid.widget(); }
    template <class W>
    W* find(const char* name)
    {
        return grid()->findChild<W*>(name);
    }
    void key(QWidget* w, Qt::Key k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }
    // Types a text into a row's cell editor and presses Enter, as the user does.
    void typeInto(CMFCPropertyGridProperty* p, const std::string& text)
    {
        ASSERT_TRUE(dlg.grid.EditItem(p));
        QLineEdit* line = find<QLineEdit>("propertyEdit");
        ASSERT_NE(line, nullptr);
        line->setText(QString::fromStdString(text));
        key(line, Qt::Key_Return);
        EXPECT_FALSE(dlg.grid.IsEditing());
    }
    void choose(CMFCPropertyGridProperty* p, const std::string& option)
    {
        ASSERT_TRUE(dlg.grid.EditItem(p));
        QComboBox* combo = find<QComboBox>("propertyCombo");
        ASSERT_NE(combo, nullptr);
        combo->setCurrentText(QString::fromStdString(option));
        key(combo, Qt::Key_Return);
    }
};

TEST_F(PropertyGridTest, ItemsAreAddressedByInsertionOrderWithSubGroupsCountingAsItems)
{
    ASSERT_EQ(dlg.grid.GetPropertyCount(), 1);
    EXPECT_EQ(dlg.grid.GetProperty(0), dlg.group);
    ASSERT_EQ(dlg.group->GetSubItemsCount(), 5);
    EXPECT_EQ(dlg.group->GetSubItem(2), dlg.number);
    CMFCPropertyGridProperty* sub = dlg.group->GetSubItem(4);
    ASSERT_TRUE(sub && sub->IsGroup());
    EXPECT_EQ(sub->GetName(), "Sub");
    EXPECT_EQ(sub->GetSubItem(1), dlg.font);
    EXPECT_EQ(dlg.group->GetSubItem(5), nullptr);
    EXPECT_EQ(dlg.grid.ShownValue(dlg.font), "Times New Roman(16)") << "rows added to an attached group are shown";

    // The header and the description pane.
    auto* tree = find<QTreeWidget>("propertyTree");
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(tree->isHeaderHidden());
    EXPECT_EQ(tree->headerItem()->text(0), "Property");
    EXPECT_EQ(tree->headerItem()->text(1), "Value");
    dlg.grid.SetCurSel(dlg.text);
    EXPECT_EQ(dlg.grid.DescriptionText(), "<b>Text</b><br>A text");

    dlg.grid.ExpandAll(FALSE);
    EXPECT_FALSE(sub->IsExpanded());
    dlg.grid.ExpandAll(TRUE);
    EXPECT_TRUE(sub->IsExpanded());
}

TEST_F(PropertyGridTest, KeysMoveThroughTheRowsAndTheSplitterFollowsTheMouse)
{
    auto* tree = find<QTreeWidget>("propertyTree");
    ASSERT_NE(tree, nullptr);
    dlg.grid.SetCurSel(dlg.text);
    key(tree, Qt::Key_Down);
    EXPECT_EQ(dlg.grid.GetCurSel(), dlg.flag);
    key(tree, Qt::Key_Up);
    key(tree, Qt::Key_Up);
    EXPECT_EQ(dlg.grid.GetCurSel(), dlg.group);
    key(tree, Qt::Key_Left);
    EXPECT_FALSE(dlg.group->IsExpanded()) << "Left closes a group";
    key(tree, Qt::Key_Right);
    EXPECT_TRUE(dlg.group->IsExpanded()) << "Right opens it";
    key(tree, Qt::Key_End);
    EXPECT_EQ(dlg.grid.GetCurSel(), dlg.folder);

    // Dragging the line between the two columns resizes them while the mouse moves.
    QHeaderView* header = tree->header();
    const int before = dlg.grid.GetLeftColumnWidth();
    const QPoint line(header->sectionViewportPosition(0) + header->sectionSize(0) - 1, header->height() / 2);
    QWidget* target = header->viewport();
    QMouseEvent down(QEvent::MouseButtonPress, line, target->mapToGlobal(line), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &down);
    const QPoint to = line + QPoint(-40, 0);
    QMouseEvent moved(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &moved);
    EXPECT_EQ(dlg.grid.GetLeftColumnWidth(), before - 40) << "before the button is released";
    QMouseEvent up(QEvent::MouseButtonRelease, to, target->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(target, &up);
    EXPECT_EQ(dlg.grid.GetLeftColumnWidth(), before - 40);
}

TEST_F(PropertyGridTest, ValuesFromCodeComeBackUnchangedWhileEditorsKeepToRangeAndOptions)
{
    // 130 lies outside 0..30: shown and returned as it is, also through an editor left alone.
    EXPECT_EQ(dlg.grid.ShownValue(dlg.number), "130");
    typeInto(dlg.number, "130");
    EXPECT_EQ(dlg.number->GetValue().Int(), 130);
    EXPECT_FALSE(dlg.grid.IsShownBold(dlg.number));
    // The spin keeps to the range.
    ASSERT_TRUE(dlg.grid.EditItem(dlg.number));
    find<QToolButton>("spinUp")->click();
    dlg.grid.EndEditItem(TRUE);
    EXPECT_EQ(dlg.number->GetValue().Int(), 30);
    typeInto(dlg.number, "-4");
    EXPECT_EQ(dlg.number->GetValue().Int(), 0);
    typeInto(dlg.number, "twelve");
    EXPECT_EQ(dlg.number->GetValue().Int(), 0) << "no number: refused";

    // A text that is no option, set from code, is shown and returned unchanged.
    dlg.choice->SetValue(COleVariant("Purple"));
    EXPECT_EQ(dlg.grid.ShownValue(dlg.choice), "Purple");
    ASSERT_TRUE(dlg.grid.EditItem(dlg.choice));
    dlg.grid.EndEditItem(TRUE);
    EXPECT_EQ(dlg.choice->GetValue().Text(), "Purple");
    choose(dlg.choice, "Blue");
    EXPECT_EQ(dlg.choice->GetValue().Text(), "Blue");

    // SetValue takes only a value of the row's own type.
    dlg.text->SetValue(COleVariant(5));
    EXPECT_EQ(dlg.text->GetValue().Text(), "one");
}

TEST_F(PropertyGridTest, OnlyAUserEditMarksARowBoldAndResetRestoresEveryKind)
{
    dlg.text->SetValue(COleVariant("loaded"));
    EXPECT_FALSE(dlg.grid.IsShownBold(dlg.text)) << "loading marks nothing";
    typeInto(dlg.text, "typed");
    EXPECT_TRUE(dlg.grid.IsShownBold(dlg.text));
    typeInto(dlg.text, "one");
    EXPECT_FALSE(dlg.grid.IsShownBold(dlg.text)) << "back at the construction value";

    typeInto(dlg.text, "two");
    choose(dlg.flag, "False");
    typeInto(dlg.number, "7");
    choose(dlg.choice, "Green");
    dlg.colour->ChooseColor(RGB(1, 2, 3));
    win::SetFontDialogAnswerer([](const win::FontDialogRequest&) { return makeFont("Arial", -13); });
    dlg.grid.ClickButton(dlg.font);
    win::SetFileDialogAnswerer([](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        return std::vector<std::string>{r.folder ? "/elsewhere" : "/tools/checker"};
    });
    dlg.grid.ClickButton(dlg.file);
    dlg.grid.ClickButton(dlg.folder);
    EXPECT_EQ(dlg.file->GetValue().Text(), "/tools/checker.exe") << "the default extension";
    EXPECT_EQ(dlg.folder->GetValue().Text(), "/elsewhere");
    EXPECT_STREQ(dlg.font->GetLogFont()->lfFaceName, "Arial");
    for (auto* p : std::initializer_list<CMFCPropertyGridProperty*>{dlg.text, dlg.flag, dlg.number, dlg.choice,
                                                                     dlg.colour, dlg.font, dlg.file, dlg.folder})
        EXPECT_TRUE(dlg.grid.IsShownBold(p)) << p->GetName();

    dlg.grid.ResetOriginalValues(TRUE);
    EXPECT_EQ(dlg.text->GetValue().Text(), "one");
    EXPECT_TRUE(dlg.flag->GetValue().Bool());
    EXPECT_EQ(dlg.number->GetValue().Int(), 130);
    EXPECT_EQ(dlg.choice->GetValue().Text(), "Red");
    EXPECT_EQ(dlg.colour->GetColor(), RGB(0, 255, 0));
    EXPECT_STREQ(dlg.font->GetLogFont()->lfFaceName, "Times New Roman");
    EXPECT_EQ(dlg.font->GetLogFont()->lfHeight, -21);
    EXPECT_EQ(dlg.file->GetValue().Text(), "/data/sd.exe");
    EXPECT_EQ(dlg.folder->GetValue().Text(), "/data/Text");
    for (auto* p : std::initializer_list<CMFCPropertyGridProperty*>{dlg.text, dlg.flag, dlg.number, dlg.choice,
                                                                     dlg.colour, dlg.font, dlg.file, dlg.folder})
        EXPECT_FALSE(dlg.grid.IsShownBold(p)) << p->GetName();
}

TEST_F(PropertyGridTest, TheColourPopUpOffersDefaultAndTheColourDialog)
{
    dlg.colour->SetColor(RGB(9, 9, 9));
    dlg.grid.ClickButton(dlg.colour);
    QWidget* popup = dlg.grid.ColorPopup();
    ASSERT_NE(popup, nullptr);
    auto* automatic = popup->findChild<QPushButton*>("automatic");
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(automatic->text(), "Default");
    automatic->click();
    EXPECT_EQ(dlg.colour->GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(dlg.grid.ShownValue(dlg.colour), "Default") << "the word beside the swatch";

    // "Other..." opens the colour dialog; Cancel there changes nothing.
    win::ClearChoiceDialogLogs();
    std::optional<COLORREF> answer;
    win::SetColorDialogAnswerer([&](const win::ColorDialogRequest&) { return answer; });
    dlg.grid.ClickButton(dlg.colour);
    dlg.grid.ColorPopup()->findChild<QPushButton*>("other")->click();
    EXPECT_EQ(dlg.colour->GetColor(), RGB(0, 255, 0));
    answer = RGB(10, 20, 30);
    dlg.grid.ClickButton(dlg.colour);
    dlg.grid.ColorPopup()->findChild<QPushButton*>("other")->click();
    EXPECT_EQ(dlg.colour->GetColor(), RGB(10, 20, 30));
    ASSERT_EQ(win::ColorDialogLog().size(), 2u);
    EXPECT_EQ(win::ColorDialogLog()[1].initial, RGB(0, 255, 0));
    EXPECT_EQ(dlg.grid.ShownValue(dlg.colour), "");

    // Esc closes the pop-up and nothing else.
    dlg.grid.ClickButton(dlg.colour);
    ASSERT_NE(dlg.grid.ColorPopup(), nullptr);
    key(dlg.grid.ColorPopup()->findChild<QPushButton*>("other"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(dlg.grid.ColorPopup(), nullptr);
    EXPECT_TRUE(dlg.m_hWnd != nullptr && dlg.IsWindowVisible());
}

TEST_F(PropertyGridTest, FontPointsAndHeightsConvertAtTheDotsPerInch)
{
    struct Case {
        int points, dpi, height;
    };
    for (const Case c : {Case{8, 96, -11}, Case{16, 96, -21}, Case{8, 120, -13}, Case{10, 144, -20}}) {
        EXPECT_EQ(win::FontHeightFromPoints(c.points, c.dpi), c.height) << c.points << " " << c.dpi;
        EXPECT_EQ(win::FontPointsFromHeight(c.height, c.dpi), c.points) << c.points << " " << c.dpi;
    }
    // The font dialog starts from the row's font and its answer replaces height, weight, italic and face.
    win::SetFontDialogAnswerer([](const win::FontDialogRequest& r) {
        EXPECT_STREQ(r.initial.lfFaceName, "Times New Roman");
        EXPECT_EQ(r.dpi, 96);
        LOGFONT lf = makeFont("DejaVu Sans", -11);
        lf.lfWeight = 700;
        lf.lfItalic = 1;
        lf.lfUnderline = 1; // no effects: not taken
        return lf;
    });
    dlg.grid.ClickButton(dlg.font);
    const LOGFONT* lf = dlg.font->GetLogFont();
    EXPECT_EQ(lf->lfHeight, -11);
    EXPECT_EQ(lf->lfWeight, 700);
    EXPECT_EQ(lf->lfItalic, 1);
    EXPECT_EQ(lf->lfUnderline, 0);
    EXPECT_EQ(dlg.grid.ShownValue(dlg.font), "DejaVu Sans(8)");

    // A face longer than 31 bytes is cut, never inside a character.
    LOGFONT cut;
    win::SetFaceName(cut, std::string(30, 'a') + "\xC3\xA9" + "tail");
    EXPECT_EQ(std::strlen(cut.lfFaceName), 30u);
}

TEST_F(PropertyGridTest, FileFiltersBecomeQtsForm)
{
    EXPECT_EQ(win::QtFileFilter("Exe Files(*.exe)|*.exe|All Files(*.*)|*.*||"), "Exe Files (*.exe);;All Files (*)");
    EXPECT_EQ(win::QtFileFilter("Wave Files(*.wav)|*.wav|MP3 Files(*.mp3)|*.mp3||"),
              "Wave Files (*.wav);;MP3 Files (*.mp3)");
    EXPECT_EQ(win::QtFileFilter("Music|*.mp3;*.wav||"), "Music (*.mp3 *.wav)");
    // The file row hands its filter and default extension to the file dialog.
    win::ClearFileDialogLog();
    win::SetFileDialogAnswerer([](const win::FileDialogRequest&) { return std::nullopt; });
    dlg.grid.ClickButton(dlg.file);
    ASSERT_EQ(win::FileDialogLog().size(), 1u);
    EXPECT_EQ(win::FileDialogLog()[0].filter, "Exe Files(*.exe)|*.exe|All Files(*.*)|*.*||");
    EXPECT_EQ(win::FileDialogLog()[0].defaultExt, "exe");
    EXPECT_EQ(dlg.file->GetValue().Text(), "/data/sd.exe") << "cancelled: unchanged";
}

TEST_F(PropertyGridTest, EscClosesOnlyTheOpenCellEditor)
{
    ASSERT_TRUE(dlg.grid.EditItem(dlg.text));
    QLineEdit* line = find<QLineEdit>("propertyEdit");
    ASSERT_NE(line, nullptr);
    line->setText("not taken");
    key(line, Qt::Key_Escape);
    EXPECT_FALSE(dlg.grid.IsEditing());
    EXPECT_EQ(dlg.text->GetValue().Text(), "one");
    EXPECT_EQ(dlg.GetDialogResult(), -1) << "the dialog stays open";

    // Enter on a row opens its editor; without an editor Esc reaches the dialog.
    dlg.grid.SetCurSel(dlg.number);
    auto* tree = find<QTreeWidget>("propertyTree");
    key(tree, Qt::Key_Return);
    EXPECT_TRUE(dlg.grid.IsEditing());
    key(find<QLineEdit>("propertyEdit"), Qt::Key_Escape);
    EXPECT_EQ(dlg.GetDialogResult(), -1);
    key(tree, Qt::Key_Escape);
    EXPECT_EQ(dlg.GetDialogResult(), IDCANCEL);
}

// The grid is a window class: a template control of it makes a grid, which
// works as it is or taken over by a member through data exchange.
TEST(PropertyGridClass, ATemplateControlMakesAGridAndAMemberCanTakeItOver)
{
    Registered registered;
    win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
    class Dlg : public CDialog {
    public:
        Dlg() : CDialog(kTemplateGridDialog) {}
        CMFCPropertyGridCtrl member;
        void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 1202, member); }
    } dlg;
    ASSERT_TRUE(dlg.Create(kTemplateGridDialog));
    dlg.ShowWindow(SW_SHOW);
    QApplication::processEvents();

    auto* own = dynamic_cast<CMFCPropertyGridCtrl*>(dlg.GetDlgItem(1201));
    ASSERT_NE(own, nullptr) << "the template control is a grid";
    ASSERT_NE(dlg.GetDlgItem(1202), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(1202), &dlg.member);

    for (CMFCPropertyGridCtrl* grid : {own, &dlg.member}) {
        auto* group = new CMFCPropertyGridProperty("Group");
        auto* number = new CMFCPropertyGridProperty("Number", COleVariant(7), "A number");
        group->AddSubItem(number);
        grid->AddProperty(group);
        grid->ExpandAll(TRUE);
        QApplication::processEvents();
        EXPECT_EQ(grid->ShownValue(number), "7");
        EXPECT_TRUE(grid->widget()->isVisible());
        EXPECT_NEAR(grid->GetLeftColumnWidth(), grid->widget()->width() / 2, 2)
            << "the columns start equal at the size the template gives";
        grid->SetCurSel(number);
        EXPECT_EQ(grid->GetCurSel(), number);
    }
    dlg.DestroyWindow();
    win::SetDisplayOverride(std::nullopt);
}

} // namespace
