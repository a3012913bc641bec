// Mouse capture, hover tracking, windows under a point, cursors, and files
// with long paths dropped on a window.
#include "platform/win/Controls.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A top-level window that records mouse messages and takes dropped files.
class Pad : public CWnd {
public:
    std::vector<std::string> heard;
    std::vector<std::string> dropped;
    Pad(int x, int y)
    {
        CreateEx(WS_EX_ACCEPTFILES, nullptr, "Pad", WS_POPUP | WS_VISIBLE, CRect(x, y, x + 200, y + 150), nullptr, 0);
    }
    ~Pad() override { DestroyWindow(); }

protected:
    DECLARE_MESSAGE_MAP()
    void OnMouseMove(UINT, CPoint p) { heard.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    LRESULT OnCaptureChanged(WPARAM, LPARAM l)
    {
        heard.push_back(l ? "lost to a window" : "lost");
        return 0;
    }
    LRESULT OnHover(WPARAM, LPARAM l)
    {
        heard.push_back("hover " + std::to_string(GET_X_LPARAM(l)) + "," + std::to_string(GET_Y_LPARAM(l)));
        return 0;
    }
    void OnDropFiles(HDROP drop)
    {
        for (UINT i = 0; i < DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0); ++i) {
            std::vector<char> buffer(DragQueryFile(drop, i, nullptr, 0) + 1);
            DragQueryFile(drop, i, buffer.data(), UINT(buffer.size()));
            dropped.emplace_back(buffer.data());
        }
        DragFinish(drop);
    }
};

BEGIN_MESSAGE_MAP(Pad, CWnd)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_MOUSEHOVER, OnHover)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

// The pointer moves over a window, as the windowing system reports it.
void moveOver(Pad& pad, QPoint local)
{
    QWindow* window = pad.frameWidget()->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint global = pad.frameWidget()->mapToGlobal(local);
    // Through the window, which hands it to the widget under the pointer or to the grabber.
    QMouseEvent e(QEvent::MouseMove, QPointF(local), QPointF(local), QPointF(global), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(window, &e);
}

void wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(Input, CaptureKeepsMouseMovesComingOutsideTheWindowUntilReleased)
{
    Pad a(0, 0), b(400, 0);
    wait(20);
    a.heard.clear();
    EXPECT_EQ(SetCapture(a.m_hWnd), nullptr);
    EXPECT_EQ(GetCapture(), a.m_hWnd);
    moveOver(b, QPoint(10, 20)); // over the other window
    ASSERT_FALSE(a.heard.empty());
    EXPECT_EQ(a.heard.back(), "move 410,20"); // in a's client coordinates
    EXPECT_TRUE(b.heard.empty() || b.heard.back().rfind("move", 0) != 0);

    // Another window takes the capture; a hears it has lost it.
    b.heard.clear();
    EXPECT_EQ(SetCapture(b.m_hWnd), a.m_hWnd);
    EXPECT_EQ(a.heard.back(), "lost to a window");
    ReleaseCapture();
    EXPECT_EQ(b.heard.back(), "lost");
    EXPECT_EQ(GetCapture(), nullptr);
    a.heard.clear();
    moveOver(b, QPoint(15, 25));
    EXPECT_TRUE(a.heard.empty());
    EXPECT_EQ(b.heard.back(), "move 15,25");
}

TEST(Input, HoverComesOnceAfterThePointerRestsForTheHoverTime)
{
    Pad a(0, 0);
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = a.m_hWnd;
    // Long enough that a busy machine still makes the small move in time.
    track.dwHoverTime = 400;
    ASSERT_TRUE(TrackMouseEvent(&track));
    moveOver(a, QPoint(50, 60));
    a.heard.clear();
    wait(10);
    moveOver(a, QPoint(52, 60)); // a small move does not restart the time
    QElapsedTimer clock;
    clock.start();
    while (a.heard.size() < 2 && clock.elapsed() < 10000)
        wait(10);
    EXPECT_EQ(a.heard, (std::vector<std::string>{"move 52,60", "hover 50,60"}));
    a.heard.clear();
    wait(500);
    EXPECT_TRUE(a.heard.empty()); // once per tracking
    TRACKMOUSEEVENT query;
    query.dwFlags = TME_QUERY;
    query.hwndTrack = a.m_hWnd;
    TrackMouseEvent(&query);
    EXPECT_EQ(query.dwFlags & TME_HOVER, 0u);
}

TEST(Input, WindowsUnderAPointAndCursors)
{
    Pad pad(100, 100);
    CStatic label, hidden;
    ASSERT_TRUE(label.Create("Tip", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 30), &pad, 5));
    ASSERT_TRUE(hidden.Create("", WS_CHILD, CRect(100, 10, 150, 30), &pad, 6));
    wait(10);
    EXPECT_EQ(ChildWindowFromPoint(pad.m_hWnd, POINT{20, 20}), label.m_hWnd);
    EXPECT_EQ(ChildWindowFromPoint(pad.m_hWnd, POINT{120, 20}), hidden.m_hWnd);
    EXPECT_EQ(ChildWindowFromPoint(pad.m_hWnd, POINT{80, 100}), pad.m_hWnd);
    EXPECT_EQ(ChildWindowFromPoint(pad.m_hWnd, POINT{500, 20}), nullptr);
    POINT p{20, 20};
    pad.ClientToScreen(&p);
    EXPECT_EQ(WindowFromPoint(p), label.m_hWnd);
    p = POINT{80, 100};
    pad.ClientToScreen(&p);
    EXPECT_EQ(WindowFromPoint(p), pad.m_hWnd);

    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    EXPECT_NE(hand, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_NE(LoadCursor(nullptr, IDC_NO), nullptr);
    EXPECT_NE(LoadCursor(nullptr, IDC_WAIT), nullptr);
    EXPECT_EQ(LoadCursor(nullptr, reinterpret_cast<const char*>(1)), nullptr);
    SetCapture(label.m_hWnd);
    SetCursor(hand);
    EXPECT_EQ(label.widget()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(SetCursor(LoadCursor(nullptr, IDC_ARROW)), hand);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
    ReleaseCapture();
}

TEST(Input, TwoDroppedFilesArriveWithTheirFullPathsBeyondTwoHundredSixtyCharacters)
{
    Pad pad(0, 0);
    const std::string deep = "/music/" + std::string(150, 'a') + "/" + std::string(120, 'b');
    const std::vector<std::string> files = {deep + "/first song.mp3", deep + "/second song.mp3"};
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(files[0])),
                  QUrl::fromLocalFile(QString::fromStdString(files[1]))});
    QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pad.widget(), &enter);
    QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pad.widget(), &drop);
    ASSERT_EQ(pad.dropped, files);
    EXPECT_GT(pad.dropped[0].size(), 260u);
}

} // namespace
