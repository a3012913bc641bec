// The image button: colour offsets, the flat look's borders by state, images
// in and out, the captured parent background, clicks and the drop-down menu.
#include "controls/BCMenu.h"
#include "controls/ButtonST.h"
#include "KitTestSupport.h"
#include "platform/win/Menu.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

constexpr UINT kId = 1301;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A host that paints its background in a colour of its own.
class PaintedHost : public kit::Host {
public:
    COLORREF colour = RGB(0, 90, 200);

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, colour);
    }
};

BEGIN_MESSAGE_MAP(PaintedHost, kit::Host)
    ON_WM_PAINT()
END_MESSAGE_MAP()

LPARAM at(int x, int y) { return MAKELPARAM(WORD(x), WORD(y)); }

// A 40 x 40 button set up as the pages do: one image call, slot 0 lightened by
// 30, slot 1 green, transparent over the parent.
struct Button {
    PaintedHost host;
    CButtonST button;
    explicit Button(bool transparent = true, DWORD type = BS_PUSHBUTTON)
    {
        EXPECT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, CRect(20, 20, 60, 60), &host, kId));
        QApplication::processEvents();
        EXPECT_EQ(button.SetBitmaps(348, kMagenta), CButtonST::BTNST_OK);
        button.OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        button.SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        if (transparent)
            button.DrawTransparent(TRUE);
    }
    QImage shot() { return kit::grab(button); }
    void press(bool down) { qobject_cast<QPushButton*>(button.widget())->setDown(down); }
    void hover() { button.SendMessage(WM_MOUSEMOVE, 0, at(20, 20)); }
};

TEST(ButtonST, OffsetsColoursKeepingTheirHue)
{
    const struct {
        COLORREF from;
        short offset;
        COLORREF to;
    } cases[] = {
        {RGB(240, 240, 240), 30, RGB(255, 255, 255)}, {RGB(212, 208, 200), 30, RGB(242, 238, 230)},
        {RGB(250, 100, 0), 30, RGB(255, 105, 5)},     {RGB(10, 50, 100), -30, RGB(0, 40, 90)},
        {RGB(100, 100, 100), 0, RGB(100, 100, 100)},  {RGB(0, 0, 0), -255, RGB(0, 0, 0)},
    };
    CButtonST b;
    for (const auto& c : cases) {
        EXPECT_EQ(b.SetColor(0, c.from, FALSE), CButtonST::BTNST_OK);
        EXPECT_EQ(b.OffsetColor(0, c.offset, FALSE), CButtonST::BTNST_OK);
        COLORREF now = 0;
        b.GetColor(0, &now);
        EXPECT_EQ(now, c.to) << c.from << " by " << c.offset;
    }
    COLORREF before = 0, after = 0;
    b.GetColor(0, &before);
    EXPECT_EQ(b.OffsetColor(0, 256, FALSE), CButtonST::BTNST_BADPARAM);
    EXPECT_EQ(b.OffsetColor(0, -256, FALSE), CButtonST::BTNST_BADPARAM);
    b.GetColor(0, &after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(b.SetColor(6, 0, FALSE), CButtonST::BTNST_INVALIDINDEX);
    EXPECT_EQ(b.OffsetColor(6, 1, FALSE), CButtonST::BTNST_INVALIDINDEX);
    EXPECT_EQ(b.SetPressedOffset(2), CButtonST::BTNST_INVALIDPRESSEDSTYLE);
    // Repeating the pages' recipe lightens slot 0 again, up to white.
    b.ResetColors(FALSE);
    for (int i = 0; i < 3; ++i)
        b.OffsetColor(0, 30, FALSE);
    b.GetColor(0, &after);
    EXPECT_EQ(after, RGB(255, 255, 255));
}

TEST(ButtonST, AFlatButtonRaisesOnHoverSinksWhenPressedAndClearsOnLeave)
{
    Button b;
    const COLORREF parent = b.host.colour;
    const COLORREF light = GetSysColor(COLOR_BTNHILIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    QImage s = b.shot();
    EXPECT_EQ(kit::pixel(s, 0, 0), parent) << "no border at rest";
    EXPECT_EQ(kit::pixel(s, 39, 39), parent);

    b.hover();
    EXPECT_TRUE(b.button.IsHovered());
    s = b.shot();
    EXPECT_EQ(kit::pixel(s, 0, 0), light) << "raised";
    EXPECT_EQ(kit::pixel(s, 39, 39), shadow);

    b.press(true);
    s = b.shot();
    EXPECT_EQ(kit::pixel(s, 0, 0), shadow) << "sunken";
    EXPECT_EQ(kit::pixel(s, 39, 39), light);
    b.press(false);

    // Every way of ending the hover removes the raised border.
    for (UINT message : {WM_MOUSELEAVE, WM_KILLFOCUS, WM_CANCELMODE, WM_ACTIVATE, WM_ENABLE}) {
        b.hover();
        ASSERT_TRUE(b.button.IsHovered());
        b.button.SendMessage(message, message == WM_ENABLE || message == WM_ACTIVATE ? 0 : 0, 0);
        EXPECT_FALSE(b.button.IsHovered()) << message;
        EXPECT_EQ(kit::pixel(b.shot(), 0, 0), parent) << message;
    }
    // A move outside the button ends it too; a drag onto it with the button held does not start it.
    b.hover();
    b.button.SendMessage(WM_MOUSEMOVE, 0, at(100, 100));
    EXPECT_FALSE(b.button.IsHovered());
    b.button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(20, 20));
    EXPECT_FALSE(b.button.IsHovered());
}

TEST(ButtonST, PaintsItsColourSlotsWhenNotTransparent)
{
    Button b(false);
    QImage s = b.shot();
    EXPECT_EQ(kit::pixel(s, 2, 2), GetSysColor(COLOR_BTNFACE)) << "slot 2 at rest";
    b.hover();
    s = b.shot();
    EXPECT_EQ(kit::pixel(s, 2, 2), CButtonST::OffsetColorValue(GetSysColor(COLOR_BTNFACE), 30)) << "slot 0";
    // After a system colour change every slot is the system's again.
    b.button.SendMessage(WM_SYSCOLORCHANGE);
    COLORREF c = 0;
    b.button.GetColor(CButtonST::BTNST_COLOR_BK_IN, &c);
    EXPECT_EQ(c, GetSysColor(COLOR_BTNFACE));
    b.button.GetColor(CButtonST::BTNST_COLOR_FG_IN, &c);
    EXPECT_EQ(c, GetSysColor(COLOR_BTNTEXT));
}

TEST(ButtonST, KeepsTheCapturedBackgroundUntilAskedAgain)
{
    Button b;
    const kit::ResourcePixels picture(348);
    QImage s = b.shot();
    EXPECT_EQ(kit::pixel(s, 4, 4), b.host.colour) << "the key colour shows the parent";
    EXPECT_EQ(kit::pixel(s, 20, 20), picture.at(16, 16)) << "the picture is centred";
    b.host.colour = RGB(200, 40, 40);
    b.host.Invalidate();
    EXPECT_EQ(kit::pixel(b.shot(), 4, 4), RGB(0, 90, 200)) << "old background kept";
    b.button.DrawTransparent(TRUE);
    EXPECT_EQ(kit::pixel(b.shot(), 4, 4), RGB(200, 40, 40));
}

TEST(ButtonST, ShowsAGreyCopyWhileThePointerIsAway)
{
    Button b;
    ASSERT_EQ(b.button.SetBitmaps(348, kMagenta, CButtonST::BTNST_AUTO_GRAY), CButtonST::BTNST_OK);
    const kit::ResourcePixels picture(348);
    const COLORREF colour = picture.at(16, 16);
    const int g = int(0.299 * GetRValue(colour) + 0.587 * GetGValue(colour) + 0.114 * GetBValue(colour));
    EXPECT_EQ(kit::pixel(b.shot(), 20, 20), RGB(g, g, g));
    b.hover();
    EXPECT_EQ(kit::pixel(b.shot(), 20, 20), colour);
    // Darker copy.
    ASSERT_EQ(b.button.SetBitmaps(348, kMagenta, CButtonST::BTNST_AUTO_DARKER), CButtonST::BTNST_OK);
    b.button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(kit::pixel(b.shot(), 20, 20), CButtonST::DarkenColor(colour, 0.25));
    // A resource that cannot be read leaves no image.
    EXPECT_EQ(b.button.SetBitmaps(59999, kMagenta), CButtonST::BTNST_OK);
    EXPECT_EQ(b.button.SetIcon(59999), CButtonST::BTNST_OK);
}

TEST(ButtonST, AnIconStaysCentredInEveryStateAndEmbossesWhenDisabled)
{
    Button b(false);
    ASSERT_EQ(b.button.SetIcon(308), CButtonST::BTNST_OK);
    const QImage rest = b.shot();
    b.hover();
    const QImage hovered = b.shot();
    // The icon's pixels are the same; only the border differs.
    EXPECT_EQ(rest.copy(4, 4, 32, 32).pixel(16, 16), hovered.copy(4, 4, 32, 32).pixel(16, 16));
    b.button.SendMessage(WM_MOUSELEAVE);
    b.button.EnableWindow(FALSE);
    const QImage disabled = b.shot();
    EXPECT_NE(disabled.pixel(20, 20), rest.pixel(20, 20)) << "the disabled icon is embossed";

    // A grey copy of the icon while the pointer is away.
    b.button.EnableWindow(TRUE);
    ASSERT_EQ(b.button.SetIcon(308, CButtonST::BTNST_AUTO_GRAY), CButtonST::BTNST_OK);
    const QRgb grey = b.shot().pixel(20, 20);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey));
    EXPECT_NE(grey & 0xffffff, rest.pixel(20, 20) & 0xffffff);
}

void click(QWidget* w, QEvent::Type type)
{
    QMouseEvent e(type, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

int clicks(const kit::Host& host)
{
    int n = 0;
    for (const auto& p : host.posted)
        n += p.message == WM_COMMAND && LOWORD(p.wParam) == kId && HIWORD(p.wParam) == BN_CLICKED;
    return n;
}

TEST(ButtonST, ADoubleClickGivesTwoClicks)
{
    Button b;
    QWidget* w = b.button.widget();
    click(w, QEvent::MouseButtonPress);
    click(w, QEvent::MouseButtonRelease);
    click(w, QEvent::MouseButtonDblClick);
    click(w, QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks(b.host), 2);
}

TEST(ButtonST, ACheckBoxToggles)
{
    Button b(true, BS_AUTOCHECKBOX);
    EXPECT_EQ(b.button.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(b.button.GetCheck(), 0);
    b.button.SendMessage(BM_CLICK);
    EXPECT_EQ(b.button.GetCheck(), 1);
    EXPECT_EQ(b.button.SendMessage(BM_GETCHECK), BST_CHECKED);
    b.button.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(b.button.GetCheck(), 0);
    EXPECT_EQ(clicks(b.host), 1);
}

class ButtonSTMenu : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static bool added = false;
        if (!added)
            win::AddResourceScript("9101 MENU\nBEGIN\n  POPUP \"Pick\"\n  BEGIN\n    MENUITEM \"&First\", 9201\n"
                                   "    MENUITEM SEPARATOR\n    MENUITEM \"Sec&ond\", 9202\n  END\nEND\n");
        added = true;
    }
    void TearDown() override { win::SetPopupMenuAnswerer({}); }
};

TEST_F(ButtonSTMenu, AMenuButtonShowsItsMenuPressedAndSendsTheChosenCommand)
{
    Button b;
    ASSERT_EQ(b.button.SetMenu(9101, b.host.m_hWnd), CButtonST::BTNST_OK);
    EXPECT_EQ(b.button.SetMenu(59999, b.host.m_hWnd), CButtonST::BTNST_INVALIDRESOURCE);
    ASSERT_EQ(b.button.SetMenu(9101, b.host.m_hWnd), CButtonST::BTNST_OK);
    win::PopupMenuRequest seen;
    COLORREF corner = 0;
    win::SetPopupMenuAnswerer([&](const win::PopupMenuRequest& r) -> std::optional<UINT> {
        seen = r;
        corner = kit::pixel(b.shot(), 0, 0);
        return 9202;
    });
    b.button.SendMessage(BM_CLICK);
    win::PumpMessages();
    ASSERT_NE(seen.menu, nullptr);
    EXPECT_EQ(seen.menu, b.button.GetMenu()->GetSubMenu(0));
    CRect r;
    b.button.GetWindowRect(&r);
    EXPECT_EQ(seen.at.x, r.left);
    EXPECT_EQ(seen.at.y, r.bottom) << "below the button";
    EXPECT_EQ(corner, GetSysColor(COLOR_BTNSHADOW)) << "pressed while the menu is open";
    EXPECT_EQ(clicks(b.host), 1);
    int commands = 0;
    for (const auto& p : b.host.posted)
        commands += p.message == WM_COMMAND && p.wParam == 9202 && p.lParam == 0;
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(kit::pixel(b.shot(), 0, 0), b.host.colour) << "back at rest";

    // Closing the menu without a choice sends nothing.
    b.host.posted.clear();
    win::SetPopupMenuAnswerer([](const win::PopupMenuRequest&) -> std::optional<UINT> { return 0u; });
    b.button.SendMessage(BM_CLICK);
    win::PumpMessages();
    EXPECT_EQ(b.host.posted.size(), 1u) << "only the click";
}

TEST_F(ButtonSTMenu, FindsKeyboardShortcutsOnlyInItsOwnPopups)
{
    BCMenu menu;
    ASSERT_TRUE(menu.LoadMenu(9101));
    BCMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(BCMenu::IsMenu(popup));
    EXPECT_EQ(popup->GetItemText(9202), "Sec&ond");
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('O', MF_POPUP, popup), LRESULT(MAKELONG(2, MNC_EXECUTE)));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('f', MF_POPUP, popup), LRESULT(MAKELONG(0, MNC_EXECUTE)));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('x', MF_POPUP, popup), 0);
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('f', 0, popup), 0) << "not a pop-up";
    CMenu plain;
    plain.LoadMenu(9101);
    EXPECT_FALSE(BCMenu::IsMenu(plain.GetSubMenu(0)));
    EXPECT_EQ(BCMenu::FindKeyboardShortcut('f', MF_POPUP, plain.GetSubMenu(0)), 0);
    menu.DestroyMenu();
    EXPECT_FALSE(BCMenu::IsMenu(popup));
    EXPECT_FALSE(menu.LoadMenu(59999));
    EXPECT_EQ(BCMenu::LightenColor(RGB(0, 100, 255), 0.5), RGB(127, 177, 255));
    EXPECT_EQ(BCMenu::LightenColor(RGB(0, 100, 255), 1.5), RGB(0, 100, 255));
}

} // namespace
