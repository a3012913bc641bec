// The toolbar: buttons from a TOOLBAR resource, pictures cut from a bitmap
// strip (light grey showing the face), clicks as commands to the parent, and
// the bar along the top of its parent as the parent resizes.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Gdi.h"
#include "platform/win/Resources.h"
#include "platform/win/ToolBar.h"

#include <QAction>
#include <QImage>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <vector>

namespace {

const char* kScript = R"rc(
9175 DIALOGEX 0, 0, 200, 100
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION | WS_THICKFRAME
FONT 8, "MS Shell Dlg"
BEGIN
END
9176 TOOLBAR 16, 15
BEGIN
    BUTTON      32934
    SEPARATOR
    BUTTON      32940
    BUTTON      32941
END
)rc";

class BarDialog : public CDialog {
public:
    BarDialog() : CDialog(9175) {}
    std::vector<UINT> commands;

protected:
    DECLARE_MESSAGE_MAP()
    void OnCommand(UINT id) { commands.push_back(id); }
};

BEGIN_MESSAGE_MAP(BarDialog, CDialog)
    ON_COMMAND_RANGE(32934, 32941, OnCommand)
END_MESSAGE_MAP()

TEST(ToolBar, ButtonsFromTheResourceTakeTheirPicturesFromTheStripAndSendTheirCommands)
{
    static const bool done = [] {
        win::AddResourceScript(kScript);
        return true;
    }();
    (void)done;
    BarDialog dlg;
    ASSERT_TRUE(dlg.Create(9175));
    CToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateEx(&dlg));
    ASSERT_TRUE(toolbar.LoadToolBar(9176));
    EXPECT_EQ(toolbar.GetCount(), 4);
    EXPECT_EQ(toolbar.GetItemID(1), 0u); // the separator
    EXPECT_EQ(toolbar.CommandToIndex(32941), 3);

    // Three pictures: red, green, blue, each with a light grey corner.
    QImage strip(48, 15, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < 3; ++i)
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                strip.setPixel(i * 16 + x, y, x == 0 && y == 0 ? qRgb(192, 192, 192) : colours[i]);
    ASSERT_TRUE(toolbar.SetBitmap(CreateBitmapHandle(strip)));

    auto* qbar = qobject_cast<QToolBar*>(toolbar.widget());
    ASSERT_NE(qbar, nullptr);
    std::vector<QAction*> buttons;
    for (QAction* a : qbar->actions())
        if (!a->isSeparator())
            buttons.push_back(a);
    ASSERT_EQ(buttons.size(), 3u);
    const QImage second = buttons[1]->icon().pixmap(QSize(16, 15)).toImage();
    EXPECT_EQ(second.pixel(8, 8) & 0xffffff, colours[1] & 0xffffff); // the separator takes no picture
    EXPECT_EQ(qAlpha(second.pixel(0, 0)), 0);

    for (QAction* a : {buttons[2], buttons[0]})
        qobject_cast<QToolButton*>(qbar->widgetForAction(a))->click();
    EXPECT_EQ(dlg.commands, (std::vector<UINT>{32941, 32934}));

    // Along the top, the parent's full width, also after a resize.
    dlg.MoveWindow(0, 0, 420, 300);
    CRect client, barRect;
    dlg.GetClientRect(client);
    EXPECT_EQ(qbar->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(qbar->width(), client.Width());
    EXPECT_GT(toolbar.GetBarHeight(), 14);
    toolbar.GetItemRect(3, barRect);
    EXPECT_GE(barRect.Width(), 16);
    toolbar.DestroyWindow();
    dlg.DestroyWindow();
}

} // namespace
