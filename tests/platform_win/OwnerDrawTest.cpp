// Owner-drawn buttons: the parent draws them through WM_DRAWITEM with the
// button's rectangle and state; without the parent's handler the button's own
// DrawItem draws. What they draw is what shows (pixels of a grab).
#include "platform/win/Controls.h"
#include "platform/win/Dc.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>
#include <vector>

namespace {

class Host : public CWnd {
public:
    explicit Host(bool drawsButtons) : m_draws(drawsButtons)
    {
        CreateEx(0, nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 120), nullptr, 0);
    }
    ~Host() override { DestroyWindow(); }
    std::vector<DRAWITEMSTRUCT> draws;

protected:
    DECLARE_MESSAGE_MAP()
    void OnDrawItem(int id, DRAWITEMSTRUCT* dis)
    {
        draws.push_back(*dis);
        draws.back().hDC = nullptr;
        EXPECT_EQ(UINT(id), dis->CtlID);
        dis->hDC->FillSolidRect(&dis->rcItem, (dis->itemState & ODS_SELECTED) ? RGB(0, 0, 255) : RGB(255, 0, 0));
    }
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == WM_DRAWITEM && !m_draws)
            return CWnd::DefWindowProc(message, w, l);
        return CWnd::WindowProc(message, w, l);
    }

private:
    bool m_draws;
};

BEGIN_MESSAGE_MAP(Host, CWnd)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class GreenButton : public CButton {
public:
    int drawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++drawn;
        dis->hDC->FillSolidRect(&dis->rcItem, RGB(0, 160, 0));
    }
};

QRgb centre(CWnd& w)
{
    const QImage image = w.widget()->grab().toImage();
    return image.pixel(image.width() / 2, image.height() / 2) & 0xffffff;
}

TEST(OwnerDraw, TheParentDrawsTheButtonWithItsRectangleAndState)
{
    Host host(true);
    CButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), &host, 1701));
    EXPECT_EQ(centre(button), qRgb(255, 0, 0) & 0xffffff);
    ASSERT_FALSE(host.draws.empty());
    const DRAWITEMSTRUCT& d = host.draws.back();
    EXPECT_EQ(d.CtlType, ODT_BUTTON);
    EXPECT_EQ(d.CtlID, 1701u);
    EXPECT_EQ(d.hwndItem, button.m_hWnd);
    EXPECT_EQ(CRect(d.rcItem), CRect(0, 0, 80, 30));
    EXPECT_EQ(d.itemState & ODS_SELECTED, 0u);

    // Pressed: drawn selected.
    qobject_cast<QPushButton*>(button.widget())->setDown(true);
    EXPECT_EQ(centre(button), qRgb(0, 0, 255) & 0xffffff);
    EXPECT_NE(host.draws.back().itemState & ODS_SELECTED, 0u);
    qobject_cast<QPushButton*>(button.widget())->setDown(false);
    button.EnableWindow(FALSE);
    centre(button);
    EXPECT_NE(host.draws.back().itemState & ODS_DISABLED, 0u);
}

TEST(OwnerDraw, WithoutTheParentsHandlerTheButtonDrawsItself)
{
    Host host(false);
    GreenButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), &host, 1702));
    EXPECT_EQ(centre(button), qRgb(0, 160, 0) & 0xffffff);
    EXPECT_GT(button.drawn, 0);
    EXPECT_TRUE(host.draws.empty());
}

} // namespace
