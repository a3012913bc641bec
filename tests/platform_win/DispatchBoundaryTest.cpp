// The boundary between Qt and the window procedures: whatever a handler
// throws when the event loop called it reaches the application object's
// hook, and the program goes on.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"
#include "platform/win/WidgetAccess.h"
#include "platform/win/WinApp.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

constexpr UINT WM_THROW = WM_APP + 7;

struct Report {
    std::string text;
    HWND hwnd;
    UINT message;
};

class RecordingApp : public CWinApp {
public:
    std::vector<Report> reports;
    void OnHandlerException(std::exception_ptr error, HWND hwnd, UINT message) override
    {
        reports.push_back({win::DescribeException(error), hwnd, message});
    }
};

// A tool window whose handlers fail.
class FailingWindow : public CWnd {
public:
    int ticks = 0;
    int clicks = 0;
    FailingWindow()
    {
        Create(nullptr, "Tool", WS_POPUP | WS_CAPTION, CRect(0, 0, 200, 100), nullptr, 0);
        m_button.Create("Press", WS_CHILD | WS_VISIBLE, CRect(10, 10, 80, 30), this, 50);
    }
    ~FailingWindow() override { DestroyWindow(); }
    CButton m_button;

protected:
    DECLARE_MESSAGE_MAP()
    void OnTimer(UINT_PTR)
    {
        ++ticks;
        throw std::runtime_error("tick " + std::to_string(ticks) + " failed");
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("posted work failed"); }
    void OnLButtonDown(UINT, CPoint) { throw std::runtime_error("click failed"); }
    void OnPress()
    {
        ++clicks;
        throw 42; // not even a standard exception
    }
};

BEGIN_MESSAGE_MAP(FailingWindow, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_THROW, OnThrow)
    ON_WM_LBUTTONDOWN()
    ON_BN_CLICKED(50, OnPress)
END_MESSAGE_MAP()

void waitUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 200 && !done(); ++i)
        win::PumpMessages(5);
}

TEST(DispatchBoundary, AnExceptionInOnTimerReachesTheHookAndTheTimerGoesOn)
{
    RecordingApp app;
    FailingWindow w;
    w.SetTimer(1, 10);
    waitUntil([&] { return w.ticks >= 3; });
    w.KillTimer(1);
    ASSERT_GE(w.ticks, 3) << "the timer kept running after its handler failed";
    ASSERT_GE(app.reports.size(), 3u);
    EXPECT_EQ(app.reports[0].text, "tick 1 failed");
    EXPECT_EQ(app.reports[2].text, "tick 3 failed");
    EXPECT_EQ(app.reports[0].hwnd, w.m_hWnd);
    EXPECT_EQ(app.reports[0].message, WM_TIMER);
}

TEST(DispatchBoundary, PostedMessagesQtEventsAndControlNotificationsAreCovered)
{
    RecordingApp app;
    FailingWindow w;
    w.ShowWindow(SW_SHOW);

    w.PostMessage(WM_THROW);
    win::PumpMessages();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 50), QPointF(w.widget()->mapToGlobal(QPoint(150, 50))),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.widget(), &press);
    auto* button = qobject_cast<QPushButton*>(w.m_button.widget());
    ASSERT_NE(button, nullptr);
    button->click();
    button->click();

    ASSERT_EQ(app.reports.size(), 4u);
    EXPECT_EQ(app.reports[0].text, "posted work failed");
    EXPECT_EQ(app.reports[0].message, WM_THROW);
    EXPECT_EQ(app.reports[1].text, "click failed");
    EXPECT_EQ(app.reports[1].message, WM_LBUTTONDOWN);
    EXPECT_EQ(app.reports[2].text, "Unknown error");
    EXPECT_EQ(app.reports[2].message, WM_COMMAND);
    EXPECT_EQ(app.reports[2].hwnd, w.m_hWnd) << "the window whose handler threw, not the button";
    EXPECT_EQ(w.clicks, 2) << "the button still works after its handler failed";
}

TEST(DispatchBoundary, AHandlerCalledByTheProgramPassesItsExceptionToTheCaller)
{
    RecordingApp app;
    FailingWindow w;
    EXPECT_THROW(w.SendMessage(WM_THROW), std::runtime_error);
    EXPECT_TRUE(app.reports.empty());
}

TEST(DispatchBoundary, ArrowButtonsAndWorkCalledSoonAreCovered)
{
    RecordingApp app;
    FailingWindow w;
    w.ShowWindow(SW_SHOW);
    CStatic field;
    field.Create("", WS_CHILD | WS_VISIBLE, CRect(100, 10, 120, 40), &w, 60);
    int steps = 0;
    win::AddArrowButtons(&field, [&](int delta) {
        steps += delta;
        throw std::runtime_error("step failed");
    });
    const auto arrows = field.widget()->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    arrows[0]->click();
    win::CallSoon([] { throw std::runtime_error("later work failed"); });
    win::PumpMessages();

    ASSERT_EQ(app.reports.size(), 2u);
    EXPECT_EQ(app.reports[0].text, "step failed");
    EXPECT_EQ(app.reports[0].hwnd, field.m_hWnd);
    EXPECT_EQ(app.reports[1].text, "later work failed");
    EXPECT_EQ(steps, 1);
    arrows[1]->click();
    EXPECT_EQ(steps, 0) << "the arrows still work after a step failed";
}

// A modal dialog whose command fails.
class FailingDialog : public CDialog {
public:
    FailingDialog() : CDialog(9102) {}

protected:
    DECLARE_MESSAGE_MAP()
    void OnFail() { throw std::runtime_error("the dialog's command failed"); }
};

BEGIN_MESSAGE_MAP(FailingDialog, CDialog)
    ON_BN_CLICKED(1001, OnFail)
END_MESSAGE_MAP()

TEST(DispatchBoundary, AnExceptionInsideAModalLoopLeavesTheDialogRunning)
{
    static const bool registered = [] {
        win::AddResourceScript(R"rc(
9102 DIALOGEX 0, 0, 100, 40
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    PUSHBUTTON      "Fail", 1001, 5, 5, 40, 14
    DEFPUSHBUTTON   "OK", IDOK, 50, 5, 40, 14
END
)rc");
        return true;
    }();
    (void)registered;
    RecordingApp app;
    const auto previous = win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) -> std::optional<int> {
        if (r.kind != win::DialogKind::Dialog)
            return std::nullopt;
        auto* dlg = static_cast<CDialog*>(r.window);
        // Inside the dialog's own loop: the failing button, then OK.
        QTimer::singleShot(0, [dlg] {
            static_cast<QPushButton*>(dlg->GetDlgItem(1001)->widget())->click();
            QTimer::singleShot(0, [dlg] { static_cast<QPushButton*>(dlg->GetDlgItem(IDOK)->widget())->click(); });
        });
        return win::kRunModalLoop;
    });
    FailingDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    win::SetMessageBoxAnswerer(previous);
    ASSERT_EQ(app.reports.size(), 1u);
    EXPECT_EQ(app.reports[0].text, "the dialog's command failed");
}

TEST(DispatchBoundary, TheDefaultHookEndsTheWaitCursorAndShowsTheErrorInABox)
{
    CWinApp app;
    FailingWindow w;
    win::ClearMessageBoxLog();
    w.BeginWaitCursor();
    w.PostMessage(WM_THROW);
    win::PumpMessages();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].text, "posted work failed");
    EXPECT_EQ(win::MessageBoxLog()[0].caption, "Mirtal");
}

} // namespace
