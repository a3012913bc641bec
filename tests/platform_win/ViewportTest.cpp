// Scroll areas (a multi-line edit, a list) get their viewport's mouse,
// wheel, paint and drop events as window messages; files dropped on a window
// that accepts them arrive as WM_DROPFILES.
#include "platform/win/Controls.h"
#include "platform/win/Shell.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A multi-line edit that watches its messages and lets each have its default.
class WatchingEdit : public CEdit {
public:
    std::vector<std::string> seen;

protected:
    DECLARE_MESSAGE_MAP()
    void OnLButtonDown(UINT, CPoint p)
    {
        seen.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y));
        Default();
    }
    BOOL OnMouseWheel(UINT, short delta, CPoint)
    {
        seen.push_back("wheel " + std::to_string(delta));
        return TRUE; // handled: the text does not scroll
    }
    void OnPaint()
    {
        seen.push_back("paint");
        Default();
    }
};

BEGIN_MESSAGE_MAP(WatchingEdit, CEdit)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// A window that takes dropped files.
class DropHost : public CWnd {
public:
    std::vector<std::string> dropped;
    POINT at{-1, -1};
    DropHost()
    {
        CreateEx(WS_EX_ACCEPTFILES, nullptr, "Drops", WS_POPUP | WS_CAPTION, CRect(0, 0, 300, 200), nullptr, 0);
    }
    ~DropHost() override { DestroyWindow(); }

protected:
    DECLARE_MESSAGE_MAP()
    void OnDropFiles(HDROP drop)
    {
        const UINT n = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < n; ++i) {
            std::string path(DragQueryFile(drop, i, nullptr, 0), '\0');
            std::vector<char> buffer(path.size() + 1);
            DragQueryFile(drop, i, buffer.data(), UINT(buffer.size()));
            dropped.emplace_back(buffer.data());
        }
        DragQueryPoint(drop, &at);
        DragFinish(drop);
    }
};

BEGIN_MESSAGE_MAP(DropHost, CWnd)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

void sendMouse(QWidget* w, QEvent::Type type, QPoint p)
{
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(Viewport, AMultiLineEditSubclassGetsTheMouseWheelAndPaintOfItsViewport)
{
    DropHost host;
    host.ShowWindow(SW_SHOW);
    WatchingEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_BORDER, CRect(10, 10, 210, 110), &host, 5));
    edit.SetWindowText("first line\r\nsecond line");
    auto* area = qobject_cast<QPlainTextEdit*>(edit.widget());
    ASSERT_NE(area, nullptr);
    QWidget* viewport = area->viewport();

    const QPoint click(40, 20);
    sendMouse(viewport, QEvent::MouseButtonPress, click);
    sendMouse(viewport, QEvent::MouseButtonRelease, click);
    ASSERT_FALSE(edit.seen.empty());
    const QPoint inClient = area->mapFromGlobal(viewport->mapToGlobal(click));
    EXPECT_EQ(edit.seen[0], "down " + std::to_string(inClient.x()) + "," + std::to_string(inClient.y()));
    EXPECT_GT(area->textCursor().position(), 0) << "the default processing placed the caret";

    edit.seen.clear();
    QWheelEvent wheel(QPointF(30, 30), QPointF(viewport->mapToGlobal(QPoint(30, 30))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    ASSERT_EQ(edit.seen.size(), 1u);
    EXPECT_EQ(edit.seen[0], "wheel -120");

    edit.seen.clear();
    (void)host.frameWidget()->grab();
    ASSERT_FALSE(edit.seen.empty()) << "the viewport's paint arrives as WM_PAINT";
    EXPECT_EQ(edit.seen[0], "paint");
}

TEST(Viewport, FilesDroppedOnAControlReachTheWindowThatAcceptsThem)
{
    DropHost host;
    host.ShowWindow(SW_SHOW);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(20, 30, 220, 130), &host, 6));
    QWidget* viewport = qobject_cast<QPlainTextEdit*>(edit.widget())->viewport();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/music/one song.mp3"), QUrl::fromLocalFile("/lyrics/two.pdf"),
                  QUrl("https://example.org/not-a-file")});
    // As a drag does: it enters (and is taken), then drops.
    QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    const std::vector<std::string> expected = {"/music/one song.mp3", "/lyrics/two.pdf"};
    EXPECT_EQ(host.dropped, expected);
    POINT p{5, 6};
    CRect frame;
    edit.GetWindowRect(frame);
    host.ScreenToClient(frame);
    EXPECT_GE(host.at.x, frame.left + p.x);
    EXPECT_GE(host.at.y, frame.top + p.y);
    EXPECT_EQ(edit.GetWindowText(), "") << "the edit did not take the drop as text";

    // A window that stops accepting files gets none.
    host.dropped.clear();
    DragAcceptFiles(host.m_hWnd, FALSE);
    QDragEnterEvent enterAgain(QPoint(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enterAgain);
    QDropEvent again(QPointF(5, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &again);
    EXPECT_TRUE(host.dropped.empty());
}

} // namespace
