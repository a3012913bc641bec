// A test dialog with the kit's sliders, meter, clocks and buttons, kept as a
// picture (control-kit.png) to look at: not a check of pixels.
#include "controls/BitmapSlider.h"
#include "controls/ButtonST.h"
#include "controls/DigiClock.h"
#include "controls/PeakMeterCtrl.h"
#include "controls/XAnalogClock.h"
#include "KitTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(KitGallery, ScreenshotOfSlidersMeterClocksAndButtons)
{
    kit::Host host(420, 220);
    CFont font;
    font.CreatePointFont(80, "MS Shell Dlg");
    host.SetFont(&font);

    CBitmapSlider horizontal, vertical;
    ASSERT_TRUE(horizontal.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 17), &host, 1));
    horizontal.SetBitmapChannel(150, 153);
    horizontal.SetBitmapThumb(159, 161, TRUE);
    horizontal.SetRange(0, 100);
    horizontal.SetPos(60);
    ASSERT_TRUE(vertical.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 30, 45, 123), &host, 2));
    vertical.SetVertical();
    vertical.SetBitmapChannel(196);
    vertical.SetBitmapThumb(198);
    vertical.SetRange(0, 20);
    vertical.SetPos(5);

    CPeakMeterCtrl meter;
    ASSERT_TRUE(meter.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(60, 30, 80, 130), &host, 3));
    meter.SetMeterBands(1, 10);
    meter.ShowGrid(TRUE);
    const int level = 75;
    meter.SetData(&level, 0, 1);

    CDigiClock digital;
    ASSERT_TRUE(digital.Create("", WS_CHILD | WS_VISIBLE, CRect(130, 10, 280, 40), &host, 4));
    digital.SetBackColor(RGB(0, 0, 0));
    digital.SetColor(RGB(0, 0, 0), RGB(0, 255, 0));
    digital.SetText("14:05:09");

    CXAnalogClock analog;
    analog.SetBitmaps(147, 148);
    ASSERT_TRUE(analog.Create("", WS_CHILD | WS_VISIBLE, CRect(300, 10, 400, 110), &host, 5));
    analog.SetUseSystemTime(FALSE);
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 11;
    t.tm_hour = 10;
    t.tm_min = 9;
    t.tm_sec = 30;
    analog.SetTime(t);

    CButtonST rest, hovered, pressed;
    CButtonST* buttons[] = {&rest, &hovered, &pressed};
    const UINT pictures[] = {348, 350, 382};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(buttons[i]->Create("", WS_CHILD | WS_VISIBLE, CRect(130 + i * 50, 140, 170 + i * 50, 180), &host,
                                       UINT(10 + i)));
        buttons[i]->SetBitmaps(pictures[i], RGB(255, 0, 255));
        buttons[i]->OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        buttons[i]->SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        buttons[i]->DrawTransparent(TRUE);
    }
    hovered.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    qobject_cast<QPushButton*>(pressed.widget())->setDown(true);
    QApplication::processEvents();

    const QImage shot = host.frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString::fromStdString(kit::shotPath("control-kit.png"))));
}

} // namespace
