// The computer cards window: the tip letter's round, the start values, the
// place kept on the screen, and keys that go to the main window or nowhere.
#include "MainWindowFixture.h"

#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "app/ComputerCards.h"

using namespace mainwindowtest;

namespace {

class ComputerCardsTest : public MainWindowTest {
protected:
    CComputerCards* open()
    {
        menu(32848);
        CComputerCards* cards = dlg->m_cards.Get();
        EXPECT_NE(cards, nullptr);
        return cards;
    }
};

TEST_F(ComputerCardsTest, TheTipGoesRoundFromAToMAndStartsAfreshInEveryNewWindow)
{
    start();
    CComputerCards* cards = open();
    EXPECT_EQ(cards->GetWindowText(), "Computer Cards");
    EXPECT_EQ(cards->Tip(), "A");
    EXPECT_EQ(cards->Number(), 8);
    EXPECT_EQ(cards->GetDlgItem(1461)->GetWindowText(), "8");
    std::string seen;
    for (int i = 0; i < 13; ++i) {
        code(CMD_CARDS_NEXT);
        seen += cards->Tip();
    }
    EXPECT_EQ(seen, "BCDEFGHIJKLMA");
    EXPECT_EQ(cards->GetDlgItem(1231)->GetWindowText(), "A");

    // Any other text, as the edit may hold, moves on to A.
    cards->SetDlgItemText(1231, "Q");
    cards->SendMessage(WM_COMMAND, MAKEWPARAM(1231, EN_KILLFOCUS), 0);
    cards->NextTip();
    EXPECT_EQ(cards->Tip(), "A");

    code(CMD_CARDS_NEXT);
    cards->SetDlgItemText(1461, "42");
    EXPECT_EQ(cards->Number(), 42);
    code(CMD_CARDS_CLOSED);
    win::PumpMessages();
    cards = open();
    EXPECT_EQ(cards->Tip(), "A");
    EXPECT_EQ(cards->Number(), 8);
}

TEST_F(ComputerCardsTest, APlaceBeyondTheScreenIsPulledBack)
{
    struct Case {
        int x, y;
        int wantX, wantY;
    } const cases[] = {
        {100, 100, 100, 100},
        {1200, 100, 1280 - 165, 100},
        {100, 1000, 100, 1024 - 200},
        {5000, 5000, 1280 - 165, 1024 - 200},
    };
    start();
    CComputerCards* cards = open();
    for (const Case& c : cases) {
        g_cardsPosX = c.x;
        g_cardsPosY = c.y;
        cards->PlaceWindow();
        EXPECT_EQ(g_cardsPosX, c.wantX) << c.x;
        EXPECT_EQ(g_cardsPosY, c.wantY) << c.y;
        CRect r;
        cards->GetWindowRect(&r);
        EXPECT_EQ(r.left, c.wantX);
        EXPECT_EQ(r.top, c.wantY);
        EXPECT_EQ(r.Width(), 165);
    }
}

TEST_F(ComputerCardsTest, KeysReachTheMainWindowExceptFromTheTipEditAndAreNeverTyped)
{
    start();
    CComputerCards* cards = open();
    ASSERT_EQ(dlg->GetCurrentPage(), 0);
    press(Qt::Key_2, Qt::NoModifier, cards->GetDlgItem(1231));
    EXPECT_EQ(dlg->GetCurrentPage(), 0);
    EXPECT_EQ(cards->GetDlgItem(1231)->GetWindowText(), "A");
    press(Qt::Key_2, Qt::NoModifier, cards->GetDlgItem(1461));
    EXPECT_EQ(dlg->GetCurrentPage(), 1);
    EXPECT_EQ(cards->GetDlgItem(1461)->GetWindowText(), "8");
    cards->SetDlgItemText(1004, "x");
    EXPECT_EQ(cards->GetDlgItem(1004)->GetWindowText(), "");
    cards->SendMessage(WM_COMMAND, MAKEWPARAM(1124, BN_CLICKED), 0);
    EXPECT_TRUE(dlg->m_cards.Exists());
    EXPECT_FALSE(cards->IsWindowVisible());
}

} // namespace

namespace {

TEST_F(ComputerCardsTest, HideHasItsBalloonTip)
{
    start();
    CComputerCards* cards = open();
    ASSERT_NE(cards, nullptr);
    const auto* tools = cards->Tips().GetTools(cards->GetDlgItem(1124));
    ASSERT_TRUE(tools && tools->size() == 1);
    EXPECT_EQ(tools->front().text, "Hide the window");
}

} // namespace
