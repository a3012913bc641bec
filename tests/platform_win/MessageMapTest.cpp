// Message maps, sent and posted messages, timers and the life of windows.
#include "common/WaitFor.h"
#include "platform/win/Controls.h"
#include "platform/win/Wnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST = WM_APP + 1;
constexpr UINT NM_TEST = 77;

// Records every handler call as text.
class Recorder : public CWnd {
public:
    std::vector<std::string> calls;
    std::vector<std::string>* shared = nullptr; // a log several windows write to
    std::string tag;
    HWND Make(CWnd* parent = nullptr)
    {
        const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
        Create(nullptr, "", style, CRect(0, 0, 100, 100), parent, parent ? 500 : 0);
        calls.clear(); // creation's own messages are not what the tests look at
        return m_hWnd;
    }

protected:
    DECLARE_MESSAGE_MAP()
    void OnCmd100() { calls.push_back("cmd100"); }
    void OnRange(UINT id) { calls.push_back("range" + std::to_string(id)); }
    void OnClicked() { calls.push_back("clicked300"); }
    void OnNotifyTest(NMHDR* h, LRESULT* r)
    {
        calls.push_back("notify" + std::to_string(h->idFrom));
        *r = 42;
    }
    LRESULT OnTest(WPARAM w, LPARAM l)
    {
        calls.push_back("test" + std::to_string(w) + "," + std::to_string(l));
        return LRESULT(w + 1);
    }
    void OnTimer(UINT_PTR id)
    {
        calls.push_back("timer" + std::to_string(id));
        CWnd::OnTimer(id);
    }
    void OnSize(UINT, int cx, int cy) { calls.push_back("size" + std::to_string(cx) + "x" + std::to_string(cy)); }
    void OnDestroy()
    {
        calls.push_back("destroy");
        if (shared)
            shared->push_back(tag + " destroy");
        CWnd::OnDestroy();
    }
};

BEGIN_MESSAGE_MAP(Recorder, CWnd)
    ON_COMMAND(100, OnCmd100)
    ON_COMMAND_RANGE(200, 210, OnRange)
    ON_BN_CLICKED(300, OnClicked)
    ON_NOTIFY(NM_TEST, 400, OnNotifyTest)
    ON_MESSAGE(WM_TEST, OnTest)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A derived class: its own entries come first, the base's still apply.
class DerivedRecorder : public Recorder {
protected:
    DECLARE_MESSAGE_MAP()
    void OnCmd100Again() { calls.push_back("derived100"); }
};

BEGIN_MESSAGE_MAP(DerivedRecorder, Recorder)
    ON_COMMAND(100, OnCmd100Again)
END_MESSAGE_MAP()

// A control that handles its own click notification (reflection).
class SelfClickingButton : public CButton {
public:
    int clicks = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnReflectedClick() { ++clicks; }
};

BEGIN_MESSAGE_MAP(SelfClickingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

struct DispatchCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected; // "" when nothing should run
};

TEST(MessageMap, RoutesMessagesCommandsAndNotificationsToTheirHandlers)
{
    Recorder w;
    w.Make();
    NMHDR hdr;
    hdr.hwndFrom = nullptr;
    hdr.idFrom = 400;
    hdr.code = NM_TEST;
    NMHDR other = hdr;
    other.idFrom = 401;
    const DispatchCase cases[] = {
        {"menu command", WM_COMMAND, MAKEWPARAM(100, 0), 0, "cmd100"},
        {"button click counts as command", WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), 0, "cmd100"},
        {"other code is not the command", WM_COMMAND, MAKEWPARAM(100, EN_CHANGE), 0, ""},
        {"range start", WM_COMMAND, MAKEWPARAM(200, 0), 0, "range200"},
        {"range end", WM_COMMAND, MAKEWPARAM(210, 0), 0, "range210"},
        {"past the range", WM_COMMAND, MAKEWPARAM(211, 0), 0, ""},
        {"clicked", WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), 0, "clicked300"},
        {"notification", WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&hdr), "notify400"},
        {"notification of another control", WM_NOTIFY, 401, reinterpret_cast<LPARAM>(&other), ""},
        {"own message", WM_TEST, 5, 6, "test5,6"},
        {"unmapped message", WM_APP + 2, 0, 0, ""},
    };
    for (const auto& c : cases) {
        w.calls.clear();
        w.SendMessage(c.message, c.wParam, c.lParam);
        const std::string got = w.calls.empty() ? "" : w.calls.back();
        EXPECT_EQ(got, c.expected) << c.name;
        EXPECT_LE(w.calls.size(), 1u) << c.name;
    }
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&hdr)), 42);
    EXPECT_EQ(w.SendMessage(WM_TEST, 9, 0), 10);
    w.DestroyWindow();
}

TEST(MessageMap, DerivedEntriesComeFirstAndBaseEntriesStillApply)
{
    DerivedRecorder w;
    w.Make();
    w.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0), 0);
    EXPECT_EQ(w.calls, (std::vector<std::string>{"derived100", "range205"}));
    w.DestroyWindow();
}

TEST(MessageMap, ControlNotificationsReachTheParentOrTheReflectingControl)
{
    Recorder parent;
    parent.Make();
    CButton plain;
    ASSERT_TRUE(plain.Create("A", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &parent, 300));
    SelfClickingButton reflecting;
    ASSERT_TRUE(reflecting.Create("B", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &parent, 300));

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), reinterpret_cast<LPARAM>(plain.m_hWnd));
    EXPECT_EQ(parent.calls, (std::vector<std::string>{"clicked300"}));
    parent.calls.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), reinterpret_cast<LPARAM>(reflecting.m_hWnd));
    EXPECT_TRUE(parent.calls.empty());
    EXPECT_EQ(reflecting.clicks, 1);
    parent.DestroyWindow();
}

TEST(Messages, SendRunsAtOncePostRunsLaterInOrder)
{
    Recorder w;
    const HWND h = w.Make();
    EXPECT_TRUE(w.PostMessage(WM_TEST, 1, 0));
    EXPECT_TRUE(::PostMessage(h, WM_TEST, 2, 0));
    w.SendMessage(WM_TEST, 3, 0);
    ASSERT_EQ(w.calls, (std::vector<std::string>{"test3,0"}));
    win::PumpMessages();
    EXPECT_EQ(w.calls, (std::vector<std::string>{"test3,0", "test1,0", "test2,0"}));
    w.DestroyWindow();
}

TEST(Messages, APostToAWindowDestroyedMeanwhileIsDropped)
{
    auto w = std::make_unique<Recorder>();
    const HWND h = w->Make();
    ASSERT_TRUE(w->PostMessage(WM_TEST, 1, 0));
    w->DestroyWindow();
    w.reset();
    win::PumpMessages(); // must not touch the freed object
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(::PostMessage(h, WM_TEST, 1, 0));
    EXPECT_EQ(::SendMessage(h, WM_TEST, 1, 0), 0);
}

// Pumps until the predicate holds or the time is up.
using testsupport::waitFor;

TEST(Timers, FireByIdUntilKilled)
{
    Recorder w;
    w.Make();
    EXPECT_EQ(w.SetTimer(7, 20), 7u);
    EXPECT_EQ(w.SetTimer(8, 20), 8u);
    ASSERT_TRUE(waitFor([&] {
        return std::count(w.calls.begin(), w.calls.end(), "timer7") >= 2 &&
               std::count(w.calls.begin(), w.calls.end(), "timer8") >= 2;
    }));
    EXPECT_TRUE(w.KillTimer(7));
    EXPECT_FALSE(w.KillTimer(7));
    w.calls.clear();
    ASSERT_TRUE(waitFor([&] { return std::count(w.calls.begin(), w.calls.end(), "timer8") >= 2; }));
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), "timer7"), 0);
    EXPECT_EQ(w.SetTimer(0, 10), 0u) << "id 0 names no timer";
    w.DestroyWindow();
}

// Kills its timer and destroys itself inside the tick.
class OneShot : public Recorder {
public:
    int ticks = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnTimer(UINT_PTR id)
    {
        ++ticks;
        KillTimer(id);
        DestroyWindow();
    }
};

BEGIN_MESSAGE_MAP(OneShot, Recorder)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Timers, ATickMayKillItsTimerAndDestroyItsWindow)
{
    OneShot w;
    const HWND h = w.Make();
    w.SetTimer(1, 10);
    ASSERT_TRUE(waitFor([&] { return w.ticks > 0; }));
    win::PumpMessages(60);
    EXPECT_EQ(w.ticks, 1);
    EXPECT_FALSE(IsWindow(h));
}

TEST(Windows, DestroySendsDestroyToParentThenChildrenAndFreesHandles)
{
    const size_t before = win::LiveWindowCount();
    std::vector<std::string> order;
    Recorder parent, child, grandchild;
    parent.Make();
    child.Make(&parent);
    grandchild.Make(&child);
    for (auto [w, tag] : {std::pair{&parent, "parent"}, {&child, "child"}, {&grandchild, "grandchild"}}) {
        w->shared = &order;
        w->tag = tag;
    }
    EXPECT_EQ(parent.GetDlgItem(500), &child);
    EXPECT_EQ(grandchild.GetParent(), &child);
    EXPECT_EQ(grandchild.GetTopLevelParent(), &parent);
    EXPECT_EQ(win::LiveWindowCount(), before + 3);
    const HWND childHandle = child.m_hWnd;
    parent.DestroyWindow();
    EXPECT_EQ(order, (std::vector<std::string>{"parent destroy", "child destroy", "grandchild destroy"}));
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(childHandle), nullptr);
    EXPECT_EQ(win::LiveWindowCount(), before);
}

TEST(Windows, ResizingSendsSizeWithTheClientSize)
{
    Recorder parent;
    parent.Make();
    Recorder child;
    child.Make(&parent);
    child.calls.clear();
    child.MoveWindow(5, 6, 70, 30);
    ASSERT_FALSE(child.calls.empty());
    EXPECT_EQ(child.calls.back(), "size70x30");
    CRect r;
    child.GetClientRect(r);
    EXPECT_EQ(r, CRect(0, 0, 70, 30));
    parent.DestroyWindow();
}

} // namespace
