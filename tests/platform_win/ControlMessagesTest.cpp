// The questions a window is asked around its input and painting: its cursor
// (WM_SETCURSOR, parents first), the keys it wants in a dialog (WM_GETDLGCODE),
// the colours of a control (WM_CTLCOLOR..., reflected to the control); the
// progress bar, and the colour, font and folder choices a test answers.
#include "platform/win/ChoiceDialogs.h"
#include "platform/win/Controls.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dc.h"
#include "platform/win/Display.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/Input.h"
#include "platform/win/PropertyGrid.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// ---- WM_SETCURSOR ----------------------------------------------------------------

// A child that shows the hand while the pointer is over its link and leaves
// the cursor to the default elsewhere.
class LinkArea : public CWnd {
public:
    std::vector<UINT> asked; // the mouse message of each question
    bool overLink = false;

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnSetCursor(CWnd* under, UINT hit, UINT message)
    {
        EXPECT_EQ(under, this);
        EXPECT_EQ(hit, HTCLIENT);
        asked.push_back(message);
        if (overLink) {
            ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        return BOOL(Default());
    }
};

BEGIN_MESSAGE_MAP(LinkArea, CWnd)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

// A top-level window that answers for its children when asked to.
class CursorHost : public CWnd {
public:
    bool answersForChildren = false;
    int askedForChild = 0;
    CursorHost() { CreateEx(0, nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0); }
    ~CursorHost() override { DestroyWindow(); }

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnSetCursor(CWnd* under, UINT, UINT)
    {
        if (under != this)
            ++askedForChild;
        if (answersForChildren && under != this) {
            ::SetCursor(::LoadCursor(nullptr, IDC_NO));
            return TRUE;
        }
        return FALSE;
    }
};

BEGIN_MESSAGE_MAP(CursorHost, CWnd)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

void mouse(CWnd& w, QEvent::Type type, QPoint local)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(local), QPointF(local), QPointF(w.widget()->mapToGlobal(local)), button,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.widget(), &e);
}

TEST(CursorQuestion, TheWindowUnderThePointerSetsItsCursorAndItsDefaultAsksTheParentsFirst)
{
    CursorHost host;
    LinkArea area;
    ASSERT_TRUE(area.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &host, 7));
    settle();
    QWidget* w = area.widget();

    // Moves ask, also without mouse tracking; the handler's cursor shows while it answers TRUE.
    area.overLink = true;
    mouse(area, QEvent::MouseMove, QPoint(20, 20));
    ASSERT_EQ(area.asked, std::vector<UINT>{WM_MOUSEMOVE});
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
    mouse(area, QEvent::MouseMove, QPoint(30, 20));
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);

    // Off the link the default runs: the parent is asked, nobody sets one, the window's own cursor is back.
    area.overLink = false;
    mouse(area, QEvent::MouseMove, QPoint(80, 20));
    EXPECT_EQ(host.askedForChild, 1);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(w->testAttribute(Qt::WA_SetCursor));

    // With mouse tracking the question comes before WM_MOUSEMOVE as well.
    w->setMouseTracking(true);
    area.asked.clear();
    mouse(area, QEvent::MouseMove, QPoint(81, 20));
    EXPECT_EQ(area.asked, std::vector<UINT>{WM_MOUSEMOVE});

    // A parent that answers for its child wins over the child's default.
    host.answersForChildren = true;
    mouse(area, QEvent::MouseMove, QPoint(82, 20));
    EXPECT_EQ(w->cursor().shape(), Qt::ForbiddenCursor);

    // A button press asks too; a release does not.
    area.asked.clear();
    mouse(area, QEvent::MouseButtonPress, QPoint(82, 20));
    mouse(area, QEvent::MouseButtonRelease, QPoint(82, 20));
    EXPECT_EQ(area.asked, std::vector<UINT>{WM_LBUTTONDOWN});

    // While a window holds the capture nobody is asked.
    area.asked.clear();
    SetCapture(area.m_hWnd);
    mouse(area, QEvent::MouseMove, QPoint(20, 20));
    EXPECT_TRUE(area.asked.empty());
    ReleaseCapture();
}

// ---- WM_GETDLGCODE ------------------------------------------------------------

constexpr UINT kKeysDialog = 9401;
const char* kScript = R"rc(
9401 DIALOGEX 0, 0, 160, 80
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "Keys"
FONT 8, "MS Shell Dlg"
BEGIN
    CONTROL         "", 1301, "KeyTaker", WS_TABSTOP, 10, 10, 60, 20
    CONTROL         "", 1302, "KeyTaker", WS_TABSTOP, 10, 40, 60, 20
    DEFPUSHBUTTON   "OK", IDOK, 100, 60, 50, 14
    PUSHBUTTON      "Cancel", IDCANCEL, 100, 40, 50, 14
    PUSHBUTTON      "Drawn", 1303, 100, 20, 50, 14
END
)rc";

// A drawn control that wants every key, or none, as its code says.
class KeyTaker : public CWnd {
public:
    UINT code = 0;
    std::vector<UINT> keys;

protected:
    DECLARE_MESSAGE_MAP()
    UINT OnGetDlgCode() { return code; }
    void OnKeyDown(UINT key, UINT, UINT) { keys.push_back(key); }
};

BEGIN_MESSAGE_MAP(KeyTaker, CWnd)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// A button of the program's own kind that says it is a push button.
class DrawnButton : public CButton {
protected:
    DECLARE_MESSAGE_MAP()
    UINT OnGetDlgCode() { return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON; }
};

BEGIN_MESSAGE_MAP(DrawnButton, CButton)
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

class KeysDialog : public CDialog {
public:
    KeysDialog() : CDialog(kKeysDialog) {}
    KeyTaker all, none;
    DrawnButton drawn;
    std::vector<UINT> commands;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, 1301, all);
        DDX_Control(dx, 1302, none);
        DDX_Control(dx, 1303, drawn);
    }
    BOOL OnCommand(WPARAM w, LPARAM) override
    {
        if (HIWORD(w) == BN_CLICKED)
            commands.push_back(LOWORD(w));
        return TRUE;
    }
};

void press(CWnd& focus, Qt::Key key)
{
    focus.SetFocus();
    settle();
    ASSERT_EQ(CWnd::GetFocus(), &focus);
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(focus.widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(focus.widget(), &up);
}

TEST(DialogCode, AControlThatWantsAllKeysKeepsEnterAndEscFromItsDialog)
{
    static const bool registered = [] {
        win::AddResourceScript(kScript);
        return true;
    }();
    (void)registered;
    KeysDialog dlg;
    ASSERT_TRUE(dlg.Create(kKeysDialog));
    dlg.ShowWindow(SW_SHOW);
    dlg.all.code = DLGC_WANTALLKEYS;
    press(dlg.all, Qt::Key_Return);
    press(dlg.all, Qt::Key_Escape);
    EXPECT_EQ(dlg.all.keys, (std::vector<UINT>{VK_RETURN, VK_ESCAPE}));
    EXPECT_TRUE(dlg.commands.empty());

    // One that wants only arrows leaves them to the dialog: OK, then Cancel.
    dlg.none.code = DLGC_WANTARROWS;
    press(dlg.none, Qt::Key_Return);
    press(dlg.none, Qt::Key_Escape);
    EXPECT_TRUE(dlg.none.keys.empty());
    EXPECT_EQ(dlg.commands, (std::vector<UINT>{IDOK, IDCANCEL}));

    // Enter on a focused push button presses that button, not the default one.
    dlg.commands.clear();
    press(dlg.drawn, Qt::Key_Return);
    EXPECT_EQ(dlg.commands, std::vector<UINT>{1303});
    dlg.DestroyWindow();
}

// ---- WM_CTLCOLOR ------------------------------------------------------------------

// A label that answers its own colours when its parent reflects the question.
class ColouredLabel : public CStatic {
public:
    CBrush brush{RGB(200, 30, 30)};
    std::vector<UINT> kinds;
    bool answer = true;

protected:
    DECLARE_MESSAGE_MAP()
    HBRUSH CtlColor(CDC* dc, UINT kind)
    {
        kinds.push_back(kind);
        if (!answer)
            return nullptr;
        dc->SetTextColor(RGB(255, 255, 0));
        return &brush;
    }
};

BEGIN_MESSAGE_MAP(ColouredLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A parent that answers for button 2 itself and leaves the others to their reflection.
class ColourHost : public CWnd {
public:
    CBrush blue{RGB(0, 0, 220)};
    int asked = 0;
    ColourHost() { CreateEx(0, nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0); }
    ~ColourHost() override { DestroyWindow(); }

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnButtonColor(WPARAM, LPARAM l)
    {
        ++asked;
        CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(l));
        if (control && control->GetDlgCtrlID() == 2)
            return reinterpret_cast<LRESULT>(&blue);
        return Default();
    }
};

BEGIN_MESSAGE_MAP(ColourHost, CWnd)
    ON_MESSAGE(WM_CTLCOLORBTN, OnButtonColor)
END_MESSAGE_MAP()

QRgb pixel(CWnd& w, QPoint p) { return w.widget()->grab().toImage().pixel(p) & 0xffffff; }

bool hasPixel(CWnd& w, QRgb colour)
{
    const QImage image = w.widget()->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == colour)
                return true;
    return false;
}

TEST(ControlColours, TheReflectedAnswerColoursTheLabelAndTheParentsOwnAnswerWins)
{
    ColourHost host;
    ColouredLabel label;
    ASSERT_TRUE(label.Create("Boy #1", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &host, 1));
    CButton plain;
    ASSERT_TRUE(plain.Create("Blue", WS_CHILD | WS_VISIBLE, CRect(150, 10, 250, 40), &host, 2));
    settle();

    EXPECT_EQ(pixel(label, QPoint(95, 25)), qRgb(200, 30, 30) & 0xffffff);
    EXPECT_TRUE(hasPixel(label, qRgb(255, 255, 0) & 0xffffff)) << "the text in the DC's colour";
    ASSERT_FALSE(label.kinds.empty());
    EXPECT_EQ(label.kinds.back(), CTLCOLOR_STATIC);

    // The parent answered the push button itself.
    EXPECT_GT(host.asked, 0);
    EXPECT_TRUE(hasPixel(plain, qRgb(0, 0, 220) & 0xffffff));

    // No answer any more: the label is drawn as it was before any answer.
    const QRgb parentBackground = pixel(host, QPoint(5, 5));
    label.answer = false;
    label.Invalidate();
    settle();
    label.widget()->grab(); // a paint asks again
    settle();
    EXPECT_EQ(pixel(label, QPoint(95, 25)), parentBackground);
}

// ---- The progress bar -------------------------------------------------------------

TEST(ProgressBar, ItsPositionKeepsToItsRange)
{
    ColourHost host;
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 60, 210, 80), &host, 3));
    EXPECT_EQ(bar.GetPos(), 0);
    bar.SetRange(0, 40);
    struct Case {
        int set;
        int expected;
    };
    for (const Case& c : {Case{10, 10}, Case{40, 40}, Case{41, 40}, Case{-3, 0}}) {
        bar.SetPos(c.set);
        EXPECT_EQ(bar.GetPos(), c.expected) << c.set;
    }
    EXPECT_EQ(bar.SetPos(20), 0) << "the position before";
    bar.SetRange(50, 10); // an upside-down range is empty at its start
    EXPECT_EQ(bar.GetPos(), 50);
}

// ---- Colour, font and folder choices --------------------------------------------------

TEST(ChoiceDialogs, TestsAnswerTheColourFontAndFolderChoicesAndUnansweredTheyAreCancelled)
{
    ColourHost host;
    win::ClearChoiceDialogLogs();
    win::SetColorDialogAnswerer([](const win::ColorDialogRequest& r) -> std::optional<COLORREF> {
        EXPECT_EQ(r.initial, RGB(192, 192, 192));
        return RGB(10, 20, 30);
    });
    CColorDialog colour(RGB(192, 192, 192), CC_FULLOPEN, &host);
    EXPECT_EQ(colour.DoModal(), IDOK);
    EXPECT_EQ(colour.GetColor(), RGB(10, 20, 30));
    ASSERT_EQ(win::ColorDialogLog().size(), 1u);
    EXPECT_EQ(win::ColorDialogLog()[0].owner, host.m_hWnd);

    LOGFONT start;
    win::SetFaceName(start, "Liberation Serif");
    start.lfHeight = -27;
    win::SetFontDialogAnswerer([](const win::FontDialogRequest& r) -> std::optional<LOGFONT> {
        EXPECT_STREQ(r.initial.lfFaceName, "Liberation Serif");
        LOGFONT chosen = r.initial;
        chosen.lfHeight = win::FontHeightFromPoints(12, r.dpi);
        chosen.lfWeight = 700;
        return chosen;
    });
    CFontDialog font(&start, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT, &host);
    EXPECT_EQ(font.DoModal(), IDOK);
    LOGFONT got;
    font.GetCurrentFont(&got);
    EXPECT_EQ(got.lfWeight, 700);
    EXPECT_EQ(got.lfHeight, win::FontHeightFromPoints(12, win::FontDialogLog().back().dpi));

    win::SetFileDialogAnswerer([](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        EXPECT_TRUE(r.folder);
        return std::vector<std::string>{"/music/dances"};
    });
    EXPECT_EQ(win::BrowseForFolder(host.m_hWnd, "Select a folder:", "/music"), "/music/dances");

    // Nobody answers on a headless display: every choice is cancelled and nothing changes.
    win::SetColorDialogAnswerer(nullptr);
    win::SetFontDialogAnswerer(nullptr);
    win::SetFileDialogAnswerer(nullptr);
    EXPECT_EQ(colour.DoModal(), IDCANCEL);
    EXPECT_EQ(colour.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(font.DoModal(), IDCANCEL);
    EXPECT_EQ(win::BrowseForFolder(host.m_hWnd, "Select a folder:", "/music"), "");
}

} // namespace
