// The tooltip control: tools by rectangle and by window, relayed mouse
// messages, text asked by callback once per showing, clicks and leaving
// that hide the tip, deactivation and the maximum tip width.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

constexpr UINT kDialog = 9173;

const char* kScript = R"rc(
9173 DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    PUSHBUTTON      "Play", 1601, 120, 80, 50, 14
END
)rc";

class TipDialog : public CDialog {
public:
    TipDialog() : CDialog(kDialog) {}
    int asks = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnNeedText(NMHDR* h, LRESULT*)
    {
        auto* di = reinterpret_cast<NMTTDISPINFO*>(h);
        ++asks;
        std::snprintf(di->szText, sizeof di->szText, "Close tab %d", asks);
    }
};

BEGIN_MESSAGE_MAP(TipDialog, CDialog)
    ON_NOTIFY(TTN_NEEDTEXT, 7, OnNeedText)
END_MESSAGE_MAP()

class ToolTips : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool done = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)done;
        ASSERT_TRUE(dlg.Create(kDialog));
        dlg.ShowWindow(SW_SHOW);
        ASSERT_TRUE(tips.Create(&dlg, TTS_ALWAYSTIP));
        tips.SetDelayTime(TTDT_INITIAL, 5);
        const CRect area(10, 10, 60, 40);
        ASSERT_TRUE(tips.AddTool(&dlg, LPSTR_TEXTCALLBACK, &area, 7));
    }
    void TearDown() override
    {
        tips.DestroyWindow();
        dlg.DestroyWindow();
    }
    void relay(CWnd* wnd, UINT message, int x, int y)
    {
        MSG m;
        m.hwnd = wnd->m_hWnd;
        m.message = message;
        m.lParam = MAKELPARAM(WORD(x), WORD(y));
        tips.RelayEvent(&m);
    }
    static void wait(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // Waits until a tip shows (a busy machine may take longer than the tip's delay).
    static void waitForTip(const ToolTips* self)
    {
        QElapsedTimer t;
        t.start();
        while (!self->tip() && t.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QLabel* tip() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<QLabel*>(w); l && (l->windowFlags() & Qt::ToolTip) == Qt::ToolTip && l->isVisible())
                return l;
        return nullptr;
    }
    TipDialog dlg;
    CToolTipCtrl tips;
};

TEST_F(ToolTips, ACallbackToolAsksForItsTextOnceEachTimeItsTipShows)
{
    relay(&dlg, WM_MOUSEMOVE, 80, 80); // outside every tool
    wait(30);
    EXPECT_EQ(tip(), nullptr);
    for (int x = 12; x < 50; x += 5)
        relay(&dlg, WM_MOUSEMOVE, x, 20);
    waitForTip(this);
    ASSERT_NE(tip(), nullptr);
    EXPECT_EQ(tip()->text().toStdString(), "Close tab 1");
    TOOLINFO current;
    ASSERT_TRUE(tips.GetCurrentTool(&current));
    EXPECT_EQ(current.uId, 7u);
    relay(&dlg, WM_MOUSEMOVE, 30, 30);
    wait(30);
    EXPECT_EQ(dlg.asks, 1);

    // Leaving hides it; coming back asks again.
    relay(&dlg, WM_MOUSEMOVE, 100, 100);
    EXPECT_EQ(tip(), nullptr);
    EXPECT_FALSE(tips.GetCurrentTool(nullptr));
    relay(&dlg, WM_MOUSEMOVE, 20, 20);
    waitForTip(this);
    ASSERT_NE(tip(), nullptr);
    EXPECT_EQ(tip()->text().toStdString(), "Close tab 2");

    // A click hides it, and it stays hidden while the pointer stays on that tool.
    relay(&dlg, WM_LBUTTONDOWN, 20, 20);
    EXPECT_EQ(tip(), nullptr);
    relay(&dlg, WM_MOUSEMOVE, 22, 20);
    wait(30);
    EXPECT_EQ(tip(), nullptr);
    EXPECT_EQ(dlg.asks, 2);

    // A tool moved elsewhere answers there (the control's tab area changes).
    const CRect moved(100, 10, 150, 40);
    tips.SetToolRect(&dlg, 7, &moved);
    relay(&dlg, WM_MOUSEMOVE, 20, 20); // no longer a tool: the click is forgotten
    relay(&dlg, WM_MOUSEMOVE, 120, 20);
    waitForTip(this);
    EXPECT_NE(tip(), nullptr);
    tips.Pop();
    EXPECT_EQ(tip(), nullptr);
}

TEST_F(ToolTips, AWindowToolShowsItsTextWrappedAtTheMaximumWidthAndNothingWhileInactive)
{
    CWnd* play = dlg.GetDlgItem(1601);
    const std::string text = "Starts the song at the top of the queued list from its loop start";
    ASSERT_TRUE(tips.AddTool(play, text.c_str()));
    EXPECT_EQ(tips.GetToolCount(), 2);
    EXPECT_EQ(tips.SetMaxTipWidth(120), -1);

    tips.Activate(FALSE);
    relay(play, WM_MOUSEMOVE, 5, 5);
    wait(30);
    EXPECT_EQ(tip(), nullptr);

    tips.Activate(TRUE);
    relay(play, WM_MOUSEMOVE, 6, 5);
    waitForTip(this);
    ASSERT_NE(tip(), nullptr);
    EXPECT_EQ(tip()->text().toStdString(), text);
    EXPECT_EQ(tip()->width(), 120);
    EXPECT_GT(tip()->height(), 2 * tip()->fontMetrics().height()); // wrapped over several lines
    EXPECT_EQ(dlg.asks, 0);

    tips.UpdateTipText("Play", play);
    tips.DelTool(play);
    EXPECT_EQ(tips.GetToolCount(), 1);
    EXPECT_EQ(tip(), nullptr);
}

} // namespace
