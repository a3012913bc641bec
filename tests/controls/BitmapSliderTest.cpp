// The bitmap slider: thumb placement, mouse and keys, the messages to its
// parent, transparency through the mask, vertical travel and empty ranges.
#include "controls/BitmapSlider.h"
#include "KitTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kId = 1201;

LPARAM at(int x, int y) { return MAKELPARAM(WORD(x), WORD(y)); }

// The music page's look: channel 150/153 (100 x 7), thumb 159/161 (15 x 7) with its key colour.
struct Slider {
    kit::Host host;
    CBitmapSlider slider;
    explicit Slider(bool vertical = false, int min = 0, int max = 100)
    {
        EXPECT_TRUE(slider.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 20, 20), &host, kId));
        slider.SetVertical(vertical);
        if (vertical) {
            EXPECT_TRUE(slider.SetBitmapChannel(196));
            EXPECT_TRUE(slider.SetBitmapThumb(198));
        } else {
            EXPECT_TRUE(slider.SetBitmapChannel(150, 153));
            EXPECT_TRUE(slider.SetBitmapThumb(159, 161, TRUE));
        }
        slider.SetRange(min, max);
        slider.SetDrawFocusRect(FALSE);
    }
    std::vector<kit::Posted> take()
    {
        win::PumpMessages();
        auto out = host.posted;
        host.posted.clear();
        return out;
    }
};

TEST(BitmapSlider, TakesTheChannelsSizeAndPlacesTheThumbCentre)
{
    Slider s;
    CRect r;
    s.slider.GetClientRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 100, 7));
    const struct {
        int pos, centre;
    } cases[] = {{0, 7}, {50, 49}, {100, 92}, {1, 7}, {99, 91}};
    for (const auto& c : cases) {
        EXPECT_EQ(s.slider.Pos2Pixel(c.pos), c.centre) << c.pos;
    }
    // And back: the centre of a thumb at the ends gives the ends.
    EXPECT_EQ(s.slider.Pixel2Pos(7), 0);
    EXPECT_EQ(s.slider.Pixel2Pos(92), 100);
}

TEST(BitmapSlider, AClickBesideTheThumbCentresItAndAClickOnItKeepsTheGrip)
{
    Slider s;
    s.slider.SetPos(0); // centre at 7
    // 20 pixels beside the centre: the thumb jumps under the mouse.
    s.slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(27, 3));
    EXPECT_EQ(s.slider.GetPos(), s.slider.Pixel2Pos(27));
    EXPECT_EQ(s.slider.GetPos(), 23);
    s.slider.SendMessage(WM_LBUTTONUP, 0, at(27, 3));
    EXPECT_EQ(s.take(), (std::vector<kit::Posted>{{UWM_SLIDER_MOVING, kId, 23}, {UWM_SLIDER_MOVED, kId, 23}}));

    // 5 pixels beside the centre: the offset stays while dragging.
    s.slider.SetPos(0);
    s.slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(12, 3));
    EXPECT_EQ(s.slider.GetPos(), 0) << "pressing on the thumb does not move it";
    s.slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(52, 3));
    EXPECT_EQ(s.slider.GetPos(), s.slider.Pixel2Pos(47));
    s.slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(500, 3));
    EXPECT_EQ(s.slider.GetPos(), 100) << "held at the channel's end";
    s.slider.SendMessage(WM_LBUTTONUP, 0, at(500, 3));
    EXPECT_EQ(s.take(), (std::vector<kit::Posted>{{UWM_SLIDER_MOVING, kId, s.slider.Pixel2Pos(47)},
                                                  {UWM_SLIDER_MOVING, kId, 100},
                                                  {UWM_SLIDER_MOVED, kId, 100}}));
    // Moves without the button pressed on the control do nothing.
    s.slider.SendMessage(WM_MOUSEMOVE, 0, at(20, 3));
    EXPECT_EQ(s.slider.GetPos(), 100);
    EXPECT_TRUE(s.take().empty());
}

TEST(BitmapSlider, EveryKeyPostsTheNewPositionEvenWhenItStays)
{
    const struct {
        UINT key;
        int from, to;
    } cases[] = {
        {VK_PRIOR, 50, 45}, {VK_NEXT, 50, 55}, {VK_END, 50, 100}, {VK_HOME, 50, 0},  {VK_RIGHT, 50, 51},
        {VK_DOWN, 50, 51},  {VK_LEFT, 50, 49}, {VK_UP, 50, 49},   {VK_END, 100, 100}, {VK_HOME, 0, 0},
        {VK_NEXT, 98, 100}, {VK_PRIOR, 2, 0},
    };
    for (const auto& c : cases) {
        Slider s;
        s.slider.SetPageSize(5);
        s.slider.SetPos(c.from);
        s.slider.SendMessage(WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(s.slider.GetPos(), c.to) << c.key;
        EXPECT_EQ(s.take(), (std::vector<kit::Posted>{{UWM_SLIDER_MOVED, kId, c.to}})) << c.key;
    }
    Slider s;
    s.slider.SendMessage(WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(s.take().empty()) << "other keys post nothing";
    // The dialog leaves every key to the slider but Tab.
    EXPECT_EQ(s.slider.SendMessage(WM_GETDLGCODE, VK_ESCAPE), LRESULT(DLGC_WANTALLKEYS));
    EXPECT_EQ(s.slider.SendMessage(WM_GETDLGCODE, VK_TAB) & DLGC_WANTALLKEYS, 0);
}

TEST(BitmapSlider, TheKeyColourOfTheThumbShowsTheChannel)
{
    Slider s;
    s.slider.SetPos(100); // thumb from x 85 to 99, centre 92: active channel left of 92
    const kit::ResourcePixels tdc(159), cdc(150), adc(153);
    ASSERT_TRUE(tdc.loaded() && cdc.loaded() && adc.loaded());
    const COLORREF key = tdc.at(0, 0);
    const QImage shot = kit::grab(s.slider);
    int keyed = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 15; ++x) {
            const COLORREF want = tdc.at(x, y) != key     ? tdc.at(x, y)
                                 : 85 + x < 92 ? adc.at(85 + x, y)
                                               : cdc.at(85 + x, y);
            keyed += tdc.at(x, y) == key;
            EXPECT_EQ(kit::pixel(shot, 85 + x, y), want) << x << "," << y;
        }
    EXPECT_GT(keyed, 0) << "the thumb has key-coloured pixels";
}

TEST(BitmapSlider, TheActiveChannelLiesOnTheMinimumSideOfTheThumb)
{
    Slider s;
    s.slider.SetPos(50); // centre 49
    const kit::ResourcePixels adc(153), ndc(150);
    const QImage shot = kit::grab(s.slider);
    EXPECT_EQ(kit::pixel(shot, 20, 3), adc.at(20, 3));
    EXPECT_EQ(kit::pixel(shot, 80, 3), ndc.at(80, 3));
}

TEST(BitmapSlider, AVerticalSliderHasItsMinimumAtTheTop)
{
    Slider s(true, 0, 20); // channel 35 x 93, thumb 35 x 29
    EXPECT_EQ(s.slider.Pos2Pixel(0), 14);
    EXPECT_EQ(s.slider.Pos2Pixel(20), 78);
    const kit::ResourcePixels tdc(198);
    s.slider.SetPos(0);
    QImage shot = kit::grab(s.slider);
    EXPECT_EQ(kit::pixel(shot, 17, 1), tdc.at(17, 1)) << "thumb at the top";
    s.slider.SetPos(20);
    shot = kit::grab(s.slider);
    EXPECT_EQ(kit::pixel(shot, 17, 64 + 1), tdc.at(17, 1)) << "thumb at the bottom";

    // Dragging down raises the position; Down is +1.
    s.slider.SetPos(0);
    s.slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(17, 14));
    s.slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(17, 78));
    s.slider.SendMessage(WM_LBUTTONUP, 0, at(17, 78));
    EXPECT_EQ(s.slider.GetPos(), 20);
    s.slider.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(s.slider.GetPos(), 19);
}

TEST(BitmapSlider, AnEmptyRangeOrAThumbAsWideAsTheChannelKeepsTheThumbAtTheMinimum)
{
    Slider s(false, 0, 0); // a song of length 0
    EXPECT_EQ(s.slider.Pos2Pixel(0), 7);
    s.slider.SetPos(5);
    EXPECT_EQ(s.slider.GetPos(), 0);
    s.slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(60, 3));
    s.slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(90, 3));
    s.slider.SendMessage(WM_LBUTTONUP, 0, at(90, 3));
    s.slider.SendMessage(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(s.slider.GetPos(), 0);
    kit::grab(s.slider);

    // The thumb as wide as the channel leaves no travel.
    Slider narrow;
    ASSERT_TRUE(narrow.slider.SetBitmapChannel(159));
    narrow.slider.SetPos(40);
    EXPECT_EQ(narrow.slider.Pos2Pixel(40), 7);
    EXPECT_EQ(narrow.slider.Pixel2Pos(3), 0);
    narrow.slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(1, 3));
    narrow.slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(14, 3));
    narrow.slider.SendMessage(WM_LBUTTONUP, 0, at(14, 3));
    EXPECT_EQ(narrow.slider.Pos2Pixel(narrow.slider.GetPos()), 7);
    kit::grab(narrow.slider);
}

TEST(BitmapSlider, ANewRangeLeavesThePositionUntilTheNextSetPos)
{
    Slider s;
    s.slider.SetPos(80);
    s.slider.SetRange(0, 10);
    EXPECT_EQ(s.slider.GetPos(), 80);
    s.slider.SetPos(s.slider.GetPos());
    EXPECT_EQ(s.slider.GetPos(), 10);
    s.slider.SetRange(40100, 48100);
    s.slider.SetPos(0);
    EXPECT_EQ(s.slider.GetPos(), 40100);
}

TEST(BitmapSlider, ABitmapThatCannotBeLoadedLeavesNoHalfLoadedPair)
{
    kit::Host host;
    CBitmapSlider slider;
    ASSERT_TRUE(slider.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 10), &host, kId));
    EXPECT_FALSE(slider.SetBitmapChannel(150, 59999));
    EXPECT_FALSE(slider.SetBitmapThumb(59998));
    CRect r;
    slider.GetClientRect(&r);
    EXPECT_EQ(r.Width(), 40) << "not resized";
    kit::grab(slider); // nothing to draw, nothing fails
}

} // namespace

namespace {

TEST(BitmapSlider, ATransparentChannelShowsTheParentUnderItsKeyColour)
{
    Slider s;
    ASSERT_TRUE(s.slider.SetBitmapChannel(150, 0, TRUE)); // the key is the border colour at (0, 0)
    s.slider.SetPos(100);
    const kit::ResourcePixels cdc(150);
    const COLORREF parent = kit::pixel(kit::grab(s.host), 5, 5);
    const QImage shot = kit::grab(s.slider);
    EXPECT_EQ(kit::pixel(shot, 0, 0), parent);
    EXPECT_EQ(kit::pixel(shot, 40, 6), parent);
    EXPECT_EQ(kit::pixel(shot, 40, 3), cdc.at(40, 3)) << "the rest of the channel is drawn";
}

} // namespace
