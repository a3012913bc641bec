// Dialog templates, dialog units, modal and modeless dialogs, data exchange
// and the pre-translation of keys.
#include "platform/win/DataExchange.h"
#include "platform/win/Dialog.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr UINT kTestDialog = 9001;
constexpr UINT kNestedDialog = 9002;

constexpr UINT kPageDialog = 9003;

const char* kScript = R"rc(
9003 DIALOGEX 0, 0, 100, 60
STYLE DS_SETFONT | DS_CONTROL | WS_CHILD
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT        1201, 5, 5, 60, 14, ES_AUTOHSCROLL
END

// A dialog of each kind of control the program's dialogs use.
9001 DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Test ""Dialog"""
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT        1001, 10, 10, 60, 14, ES_AUTOHSCROLL
    EDITTEXT        1002, 10, 30, 60, 14, ES_AUTOHSCROLL | ES_NUMBER
    AUTOCHECKBOX    "Check", 1003, 10, 50, 60, 10
    AUTORADIOBUTTON "One", 1004, 80, 10, 40, 10, WS_GROUP
    AUTORADIOBUTTON "Two", 1005, 80, 22, 40, 10
    AUTORADIOBUTTON "Three", 1006, 80, 34, 40, 10
    AUTORADIOBUTTON "Other group", 1007, 80, 46, 40, 10, WS_GROUP
    LTEXT           "&Label", 1008, 130, 10, 60, 8
    CONTROL         "", 1009, "Static", SS_BLACKFRAME | NOT WS_VISIBLE, 130, 20, 20, 20
    DEFPUSHBUTTON   "OK", IDOK, 90, 100, 50, 14
    PUSHBUTTON      "Cancel", IDCANCEL, 145, 100, 50, 14
END

9002 DIALOG 0, 0, 100, 50
STYLE WS_POPUP | WS_CAPTION
CAPTION "Nested"
BEGIN
    PUSHBUTTON "Open", 1101, 5, 5, 40, 14
END
)rc";

struct Registered {
    Registered() { win::AddResourceScript(kScript); }
};

void registerTemplates()
{
    static Registered r;
}

TEST(ResourceScript, ReadsDialogsWithTheLanguagesDefaultStyles)
{
    const win::ResourceSet set = win::ParseResourceScript(kScript);
    const win::DialogTemplate& d = set.dialogs.at(kTestDialog);
    EXPECT_EQ(d.caption, "Test \"Dialog\"");
    EXPECT_EQ(d.fontName, "MS Shell Dlg");
    EXPECT_EQ(d.fontSize, 8);
    EXPECT_EQ(d.cx, 200);
    ASSERT_EQ(d.items.size(), 11u);
    struct ItemCase {
        size_t index;
        const char* className;
        int id;
        DWORD mustHave;
        DWORD mustLack;
    };
    const ItemCase cases[] = {
        {0, "Edit", 1001, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {1, "Edit", 1002, ES_NUMBER, 0},
        {2, "Button", 1003, BS_AUTOCHECKBOX | WS_TABSTOP, 0},
        {3, "Button", 1004, BS_AUTORADIOBUTTON | WS_GROUP, WS_TABSTOP},
        {4, "Button", 1005, BS_AUTORADIOBUTTON, WS_GROUP},
        {7, "Static", 1008, WS_GROUP | WS_VISIBLE, 0},
        {8, "Static", 1009, SS_BLACKFRAME | WS_CHILD, WS_VISIBLE},
        {9, "Button", IDOK, BS_DEFPUSHBUTTON, 0},
    };
    for (const auto& c : cases) {
        const win::DialogItemTemplate& it = d.items[c.index];
        EXPECT_EQ(it.className, c.className) << c.index;
        EXPECT_EQ(it.id, c.id) << c.index;
        EXPECT_EQ(it.style & c.mustHave, c.mustHave) << c.index;
        EXPECT_EQ(it.style & c.mustLack, 0u) << c.index;
    }
    EXPECT_EQ(d.items[7].text, "&Label");
}

TEST(ResourceScript, ReadsMenusStringsAndImages)
{
    const win::ResourceSet set = win::ParseResourceScript(R"rc(
        195 MENU
        BEGIN
            POPUP "&File"
            BEGIN
                MENUITEM "&Open\tCtrl+O", 10, CHECKED
                MENUITEM SEPARATOR
                MENUITEM "E&xit", 11, GRAYED
            END
            MENUITEM "Top", 12
        END
        STRINGTABLE
        BEGIN
            101 "&About Mirtal..."
            102, "Line\nbreak"
        END
        194 BITMAP "bitmaps/194.bmp"
    )rc");
    const auto& menu = set.menus.at(195);
    ASSERT_EQ(menu.size(), 2u);
    ASSERT_EQ(menu[0].children.size(), 3u);
    EXPECT_EQ(menu[0].children[0].text, "&Open\tCtrl+O");
    EXPECT_TRUE(menu[0].children[0].checked);
    EXPECT_TRUE(menu[0].children[1].separator);
    EXPECT_TRUE(menu[0].children[2].grayed);
    EXPECT_EQ(menu[1].id, 12u);
    EXPECT_EQ(set.strings.at(102), "Line\nbreak");
    EXPECT_EQ(set.images.at(194), "bitmaps/194.bmp");
}

TEST(ResourceScript, AMistakeNamesItsLine)
{
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"1 DIALOG 0, 0, 10, 10\nSTYLE WS_NOSUCH\nBEGIN\nEND", "script:2: unknown style 'WS_NOSUCH'"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"unterminated, 1, 0, 0, 1, 1\nEND", "script:3: unterminated string"},
        {"1 WHATEVER", "script:1: unknown resource kind 'WHATEVER'"},
        {"1 MENU\nBEGIN\n  MENUITEM \"x\"\nEND", "script:4: expected ','"},
        {"7 DIALOG 0, 0, 10, 10\nBEGIN\nEND\n7 DIALOG 0, 0, 20, 20\nBEGIN\nEND", "script:4: dialog 7 is defined twice"},
    };
    for (const auto& c : cases) {
        try {
            win::ParseResourceScript(c.script);
            ADD_FAILURE() << c.script;
        } catch (const win::ResourceError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(ResourceScript, ADialogIdTakenAlreadyIsRefusedAndTheFirstTemplateStays)
{
    registerTemplates();
    const char* again = "9002 DIALOG 0, 0, 10, 10\nCAPTION \"Second\"\nBEGIN\nEND\n"
                        "9199 DIALOG 0, 0, 10, 10\nBEGIN\nEND";
    try {
        win::AddResourceScript(again);
        ADD_FAILURE() << "a second template 9002 was taken";
    } catch (const win::ResourceError& e) {
        EXPECT_STREQ(e.what(), "dialog 9002 is defined twice");
    }
    EXPECT_EQ(win::FindDialogTemplate(kNestedDialog)->caption, "Nested");
    EXPECT_EQ(win::FindDialogTemplate(9199), nullptr) << "nothing of the refused script was added";
}

TEST(ResourceScript, TheProgramsOwnScriptsParse)
{
    // Reading any resource parses every script built into the program.
    EXPECT_EQ(LoadResourceString(101), "&About Mirtal...");
}

struct UnitCase {
    int dpi;
    int x, y, cx, cy;
    CRect expected;
};

TEST(DialogUnits, ScaleWithTheBaseUnitsAndTheDisplaysDpi)
{
    const UnitCase cases[] = {
        {96, 4, 8, 4, 8, CRect(6, 13, 12, 26)},             // one base unit each way
        {96, 0, 0, 681, 410, CRect(0, 0, 1022, 666)},       // the main window: 1021.5 and 666.25 rounded
        {96, 7, 297, 667, 13, CRect(11, 483, 1012, 504)},   // its position slider
        {120, 4, 8, 4, 8, CRect(8, 16, 16, 32)},            // 7.5 rounds up, 16.25 down
        {144, 0, 0, 205, 174, CRect(0, 0, 461, 424)},       // the splash window at 150 %
    };
    for (const auto& c : cases) {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, c.dpi, c.dpi});
        EXPECT_EQ(win::DialogRectToPixels(c.x, c.y, c.cx, c.cy), c.expected) << c.dpi << " " << c.cx;
    }
    win::SetDisplayOverride(std::nullopt);
}

// The dialog under test, with a binding of every kind.
class TestDialog : public CDialogEx {
public:
    TestDialog() : CDialogEx(kTestDialog) {}
    std::string name = "start";
    int number = 7;
    int checked = 1;
    int choice = 2;
    int initCalls = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialogEx::DoDataExchange(dx);
        DDX_Text(dx, 1001, name);
        DDX_Text(dx, 1002, number);
        DDX_Check(dx, 1003, checked);
        DDX_Radio(dx, 1004, choice);
    }
    BOOL OnInitDialog() override
    {
        ++initCalls;
        return CDialogEx::OnInitDialog();
    }
};

std::optional<int> answerWith(const win::MessageBoxRequest& r, UINT dialogId,
                              const std::function<std::optional<int>(CDialog&)>& act)
{
    if (r.kind != win::DialogKind::Dialog || r.dialogId != dialogId)
        return std::nullopt;
    return act(*static_cast<CDialog*>(r.window));
}

class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerTemplates();
        win::ClearMessageBoxLog();
    }
    void TearDown() override { win::SetMessageBoxAnswerer({}); }
};

using ModalDialog = DialogFixture;

TEST_F(ModalDialog, ATestAnswersItByIdAfterItsControlsAreFilled)
{
    TestDialog dlg;
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) {
        return answerWith(r, kTestDialog, [](CDialog& d) -> std::optional<int> {
            // The controls show the members.
            EXPECT_EQ(d.GetWindowText(), "Test \"Dialog\"");
            std::string text;
            d.GetDlgItemText(1001, text);
            EXPECT_EQ(text, "start");
            EXPECT_EQ(d.GetDlgItemInt(1002), 7u);
            EXPECT_EQ(d.IsDlgButtonChecked(1003), 1u);
            EXPECT_EQ(d.GetCheckedRadioButton(1004, 1006), 1006);
            // The user types and chooses, then presses OK.
            d.SetDlgItemText(1001, "it's \"done\"");
            d.SetDlgItemText(1002, "42");
            d.CheckDlgButton(1003, 0);
            d.CheckRadioButton(1004, 1006, 1004);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return IDOK;
        });
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(dlg.name, "it's \"done\"");
    EXPECT_EQ(dlg.number, 42);
    EXPECT_EQ(dlg.checked, 0);
    EXPECT_EQ(dlg.choice, 0);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is gone after DoModal";
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].dialogId, kTestDialog);
}

TEST_F(ModalDialog, HeadlessAndUnansweredItIsCancelledAndKeepsTheMembers)
{
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.name, "start");
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].kind, win::DialogKind::Dialog);
}

TEST_F(ModalDialog, ABadNumberIsRefusedWithAMessageAndTheDialogStays)
{
    TestDialog dlg;
    int okResult = -5;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& r) {
        return answerWith(r, kTestDialog, [&](CDialog& d) -> std::optional<int> {
            d.SetDlgItemText(1002, "12x");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            okResult = static_cast<TestDialog&>(d).GetDialogResult();
            d.SetDlgItemText(1002, "-3");
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return std::nullopt; // already ended by OK
        });
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(okResult, -1) << "the first OK did not end the dialog";
    EXPECT_EQ(dlg.number, -3);
    bool warned = false;
    for (const auto& box : win::MessageBoxLog())
        warned |= box.kind == win::DialogKind::MessageBox && box.text == "Please enter an integer.";
    EXPECT_TRUE(warned);
}

// Opens a nested modal dialog from its button, inside its own modal loop.
class NestingDialog : public CDialog {
public:
    NestingDialog() : CDialog(kNestedDialog) {}
    INT_PTR innerResult = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOpen()
    {
        TestDialog inner;
        innerResult = inner.DoModal();
        EndDialog(77);
    }
};

BEGIN_MESSAGE_MAP(NestingDialog, CDialog)
    ON_BN_CLICKED(1101, OnOpen)
END_MESSAGE_MAP()

TEST_F(ModalDialog, RunsItsOwnLoopWhenAskedAndNestsAnother)
{
    NestingDialog outer;
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) -> std::optional<int> {
        if (r.kind != win::DialogKind::Dialog)
            return std::nullopt;
        if (r.dialogId == kNestedDialog) {
            // Click the button once the loop runs.
            CDialog* d = static_cast<CDialog*>(r.window);
            const HWND h = d->m_hWnd;
            QTimer::singleShot(0, [h] {
                ::SendMessage(h, WM_COMMAND, MAKEWPARAM(1101, BN_CLICKED), 0);
            });
            return win::kRunModalLoop;
        }
        if (r.dialogId == kTestDialog) {
            const HWND h = r.window->m_hWnd;
            QTimer::singleShot(0, [h] { ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
            return win::kRunModalLoop;
        }
        return std::nullopt;
    });
    EXPECT_EQ(outer.DoModal(), 77);
    EXPECT_EQ(outer.innerResult, IDCANCEL);
}

TEST_F(ModalDialog, ClosingItIsItsCancel)
{
    TestDialog dlg;
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) {
        return answerWith(r, kTestDialog, [](CDialog& d) -> std::optional<int> {
            d.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            return std::nullopt;
        });
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// Sends a key press to the widget that has the focus, as the keyboard does.
void pressKey(QWidget* target, Qt::Key key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Counts key-downs it sees before the focused control, and eats F5.
class KeyDialog : public TestDialog {
public:
    std::vector<UINT> seen;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            seen.push_back(UINT(msg->wParam));
            if (msg->wParam == VK_F1 + 4)
                return TRUE;
        }
        return TestDialog::PreTranslateMessage(msg);
    }
};

using ModelessDialog = DialogFixture;

TEST_F(ModelessDialog, KeysPassPreTranslateMessageBeforeTheFocusedControl)
{
    KeyDialog dlg;
    ASSERT_TRUE(dlg.Create(kTestDialog));
    dlg.ShowWindow(SW_SHOW);
    CWnd* edit = dlg.GetDlgItem(1001);
    ASSERT_NE(edit, nullptr);
    auto* line = qobject_cast<QLineEdit*>(edit->widget());
    ASSERT_NE(line, nullptr);
    line->clear();

    pressKey(line, Qt::Key_A, "a");
    EXPECT_EQ(line->text(), "a") << "a key the dialog does not eat reaches the field";
    pressKey(line, Qt::Key_F5);
    ASSERT_EQ(dlg.seen.size(), 2u);
    EXPECT_EQ(dlg.seen[0], UINT('A'));
    EXPECT_EQ(dlg.seen[1], VK_F1 + 4);

    // Enter presses the default button (OK), which ends the dialog: a modeless one hides.
    line->setText("typed");
    pressKey(line, Qt::Key_Return, "\r");
    EXPECT_EQ(dlg.GetDialogResult(), IDOK);
    EXPECT_EQ(dlg.name, "typed");
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
}

TEST_F(ModelessDialog, EscCancelsAndTheNumericKeypadHasItsOwnCodes)
{
    KeyDialog dlg;
    ASSERT_TRUE(dlg.Create(kTestDialog));
    dlg.ShowWindow(SW_SHOW);
    QWidget* line = dlg.GetDlgItem(1001)->widget();
    struct KeyCase {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        UINT vk;
    };
    const KeyCase cases[] = {
        {Qt::Key_1, Qt::NoModifier, '1'},
        {Qt::Key_1, Qt::KeypadModifier, 0x61},
        {Qt::Key_Plus, Qt::NoModifier, 0xBB},
        {Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
        {Qt::Key_Comma, Qt::NoModifier, 0xBC},
        {Qt::Key_Minus, Qt::NoModifier, 0xBD},
        {Qt::Key_Period, Qt::NoModifier, 0xBE},
        {Qt::Key_PageDown, Qt::NoModifier, VK_NEXT},
        {Qt::Key_F12, Qt::NoModifier, VK_F1 + 11},
    };
    for (const auto& c : cases) {
        dlg.seen.clear();
        QKeyEvent press(QEvent::KeyPress, c.key, c.mods);
        QApplication::sendEvent(line, &press);
        ASSERT_EQ(dlg.seen.size(), 1u) << c.key;
        EXPECT_EQ(dlg.seen[0], c.vk) << c.key;
    }
    pressKey(line, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(dlg.GetDialogResult(), IDCANCEL);
    dlg.DestroyWindow();
}

// A dialog whose hidden field holds the focus, as the program's command sinks do.
class SinkDialog : public TestDialog {
public:
    std::vector<UINT> keys;
    int helps = 0;

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnHelpInfo(HELPINFO*)
    {
        ++helps;
        return TRUE;
    }
};

BEGIN_MESSAGE_MAP(SinkDialog, TestDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

TEST_F(ModelessDialog, AHiddenFieldHoldsTheFocusAndStaysHidden)
{
    SinkDialog dlg;
    ASSERT_TRUE(dlg.Create(kTestDialog));
    dlg.ShowWindow(SW_SHOW);
    CWnd* sink = dlg.GetDlgItem(1001);
    sink->ShowWindow(SW_HIDE);
    CRect before;
    sink->GetWindowRect(before);
    sink->SetFocus();
    win::PumpMessages(20);
    EXPECT_EQ(CWnd::GetFocus(), sink);
    EXPECT_FALSE(sink->IsWindowVisible());
    EXPECT_FALSE(sink->GetStyle() & WS_VISIBLE);
    CRect after;
    sink->GetWindowRect(after);
    EXPECT_EQ(after, before);

    // Keys reach the dialog's pre-translation and the field; F1 becomes a help request
    // that travels up to the dialog.
    QWidget* w = QApplication::focusWidget();
    ASSERT_EQ(w, sink->widget());
    pressKey(w, Qt::Key_F1);
    EXPECT_EQ(dlg.helps, 1);
    // Shown again for real, it has its place back.
    sink->ShowWindow(SW_SHOW);
    EXPECT_TRUE(sink->IsWindowVisible());
    CRect shown;
    sink->GetWindowRect(shown);
    EXPECT_EQ(shown, before);
    dlg.DestroyWindow();
}

TEST_F(ModelessDialog, KeysInAPageReachThePreTranslationOfTheDialogAroundIt)
{
    KeyDialog outer;
    ASSERT_TRUE(outer.Create(kTestDialog));
    outer.ShowWindow(SW_SHOW);
    CDialog page(kPageDialog);
    ASSERT_TRUE(page.Create(kPageDialog, &outer));
    page.ShowWindow(SW_SHOW);
    QWidget* field = page.GetDlgItem(1201)->widget();
    pressKey(field, Qt::Key_F5);
    ASSERT_EQ(outer.seen.size(), 1u);
    EXPECT_EQ(outer.seen[0], VK_F1 + 4);
    // Esc in the page is the outer dialog's Cancel, not the page's.
    pressKey(field, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(outer.GetDialogResult(), IDCANCEL);
    EXPECT_EQ(page.GetDialogResult(), -1);
    outer.DestroyWindow();
}

// A dialog whose map names handlers it inherits: OnOK and OnCancel of
// CDialog, two classes up. The check box (1003) cancels, Enter's OK still
// runs the data exchange.
class InheritedHandlers : public TestDialog {
protected:
    DECLARE_MESSAGE_MAP()
    int helper() const { return 1; } // stays protected after the map's declaration
};

BEGIN_MESSAGE_MAP(InheritedHandlers, TestDialog)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_BN_CLICKED(1003, OnCancel)
END_MESSAGE_MAP()

class UsesTheProtectedHelper : public InheritedHandlers {
public:
    int call() const { return helper(); }
};

TEST_F(ModelessDialog, AMapNamesHandlersInheritedFromTheBase)
{
    EXPECT_EQ(UsesTheProtectedHelper().call(), 1);
    InheritedHandlers dlg;
    ASSERT_TRUE(dlg.Create(kTestDialog));
    dlg.SetDlgItemText(1001, "via OK");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dlg.GetDialogResult(), IDOK);
    EXPECT_EQ(dlg.name, "via OK") << "the inherited OnOK ran the data exchange";
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0);
    EXPECT_EQ(dlg.GetDialogResult(), IDCANCEL);
    dlg.DestroyWindow();
}

TEST_F(ModelessDialog, AutoRadioButtonsKeepToTheirGroup)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(kTestDialog));
    dlg.CheckRadioButton(1007, 1007, 1007);
    auto click = [&](int id) {
        dlg.GetDlgItem(id)->widget()->setFocus();
        static_cast<QAbstractButton*>(dlg.GetDlgItem(id)->widget())->click();
    };
    click(1005);
    EXPECT_EQ(dlg.GetCheckedRadioButton(1004, 1006), 1005);
    EXPECT_EQ(dlg.IsDlgButtonChecked(1007), 1u) << "another group is left alone";
    click(1004);
    EXPECT_EQ(dlg.GetCheckedRadioButton(1004, 1006), 1004);
    EXPECT_EQ(dlg.IsDlgButtonChecked(1005), 0u);
    dlg.DestroyWindow();
}

TEST_F(ModelessDialog, TemplateControlsHaveTheirPlacesInPixels)
{
    win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(kTestDialog));
    CRect client;
    dlg.GetClientRect(client);
    EXPECT_EQ(client.Size(), CSize(300, 195));
    CRect ok;
    dlg.GetDlgItem(IDOK)->GetWindowRect(ok);
    dlg.ScreenToClient(ok);
    EXPECT_EQ(ok, CRect(135, 163, 210, 186));
    EXPECT_FALSE(dlg.GetDlgItem(1009)->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(dlg.GetDlgItem(1008)->GetWindowText(), "&Label");
    dlg.DestroyWindow();
    win::SetDisplayOverride(std::nullopt);
}

} // namespace
