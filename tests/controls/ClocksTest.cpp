// The segment display, the digital clock and the analog clock: glyphs and
// their colours, the clock's text, hand angles and what each paint changes.
#include "controls/DigiClock.h"
#include "controls/DigiDisplay.h"
#include "controls/XAnalogClock.h"
#include "KitTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(DigiDisplay, MapsCharactersToGlyphs)
{
    const struct {
        char c;
        int index;
    } cases[] = {{' ', 0}, {'0', 1}, {'9', 10}, {'A', 11}, {'Z', 36}, {'*', 37}, {'+', 38},
                 {'-', 39}, {'.', 40}, {':', 41}, {'a', 0}, {'#', 0}, {'\xe9', 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CDigiDisplay::GetGlyphIndex(c.c), c.index) << c.c;
}

TEST(DigiDisplay, LightsTheGlyphsSegmentsInTheOnColour)
{
    CDigiDisplay d;
    d.SetBackColor(RGB(0, 0, 40));
    d.SetColor(RGB(60, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(d.GetGlyphSize(1), CSize(45, 87));
    EXPECT_EQ(d.GetGlyphSize(41), CSize(15, 87));
    const struct {
        char c;
        CPoint lit, unlit; // points inside segment boxes
    } cases[] = {
        {'1', {38, 20}, {20, 6}},  // upper right lit, top bar not
        {'-', {12, 43}, {38, 20}}, // middle bar lit, upper right not
        {'7', {20, 6}, {12, 43}},  // top bar lit, middle not
        {'a', {0, 0}, {20, 6}},    // a lower-case letter is blank
    };
    for (const auto& c : cases) {
        CBitmap glyph;
        ASSERT_TRUE(glyph.Attach(d.CreateGlyphBitmap(CDigiDisplay::GetGlyphIndex(c.c))));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&glyph);
        if (c.c != 'a') {
            EXPECT_EQ(dc.GetPixel(c.lit), RGB(0, 255, 0)) << c.c;
        }
        EXPECT_EQ(dc.GetPixel(c.unlit), RGB(60, 0, 0)) << c.c;
        EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 40)) << "black becomes the background";
    }
    CBitmap colon;
    ASSERT_TRUE(colon.Attach(d.CreateGlyphBitmap(41)));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&colon);
    EXPECT_EQ(dc.GetPixel(7, 26), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(7, 45), RGB(0, 0, 40));
}

TEST(DigiDisplay, StretchesTheGlyphsToFillTheControl)
{
    kit::Host host(700, 200);
    CDigiDisplay d;
    // "88:88:88" is 6 x 45 + 2 x 15 = 300 bitmap pixels; 600 pixels wide doubles each glyph.
    ASSERT_TRUE(d.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 87), &host, 1));
    d.SetColor(RGB(0, 0, 0), RGB(255, 0, 0));
    d.SetText("88:88:88");
    const QImage shot = kit::grab(d);
    EXPECT_EQ(kit::pixel(shot, 2 * 38, 20), RGB(255, 0, 0)) << "first glyph's upper right";
    EXPECT_EQ(kit::pixel(shot, 2 * 90 + 2 * 7, 26), RGB(255, 0, 0)) << "first colon's upper dot";
    EXPECT_EQ(kit::pixel(shot, 2 * (255 + 38), 20), RGB(255, 0, 0)) << "last glyph ends at the right edge";
    EXPECT_EQ(kit::pixel(shot, 2 * 20, 20), RGB(0, 0, 0)) << "unlit segments vanish in the background";

    // An empty text paints nothing.
    d.SetText("");
    kit::grab(d);
}

TEST(DigiClock, ShowsTheTimeInTwentyFourOrTwelveHours)
{
    CDigiClock clock;
    EXPECT_EQ(clock.GetText(), "  :  ");
    const struct {
        bool twelve;
        int h, m, s;
        const char* text;
    } cases[] = {
        {false, 14, 5, 9, "14:05:09"}, {true, 14, 5, 9, "02:05:09"}, {true, 0, 30, 0, "00:30:00"},
        {true, 12, 0, 0, "12:00:00"},  {true, 23, 59, 59, "11:59:59"},
    };
    for (const auto& c : cases) {
        clock.SetTwelveHourMode(c.twelve);
        EXPECT_EQ(clock.TimeText(c.h, c.m, c.s), c.text);
    }
}

TEST(DigiClock, TicksEverySecondFromItsCreation)
{
    kit::Host host;
    CDigiClock clock;
    ASSERT_TRUE(clock.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 40), &host, 1));
    win::PumpMessages(1300);
    const std::string text = clock.GetText();
    ASSERT_EQ(text.size(), 8u);
    EXPECT_EQ(text[2], ':');
    EXPECT_EQ(text[5], ':');
    clock.DestroyWindow();
}

// ---- The analog clock ------------------------------------------------------------

std::tm timeOf(int h, int m, int s, int day = 11)
{
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = day;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return t;
}

struct Analog {
    kit::Host host;
    CXAnalogClock clock;
    CFont font;
    Analog()
    {
        font.CreatePointFont(80, "MS Shell Dlg");
        host.SetFont(&font);
        clock.SetBitmaps(147, 148);
        EXPECT_TRUE(clock.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 20, 20), &host, 1));
        const CSize size = clock.GetWindowSize();
        clock.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        clock.SetUseSystemTime(FALSE);
    }
    QImage at(const std::tm& t)
    {
        clock.SetTime(t);
        return kit::grab(clock);
    }
};

TEST(XAnalogClock, PlacesTheHandsByTheirAngles)
{
    EXPECT_DOUBLE_EQ(CXAnalogClock::AngleOf(0), 90.0);
    EXPECT_DOUBLE_EQ(CXAnalogClock::AngleOf(15), 0.0);
    EXPECT_DOUBLE_EQ(CXAnalogClock::AngleOf(30), 270.0);
    EXPECT_EQ(CXAnalogClock::HourHandPosition(3, 0), 15);
    EXPECT_EQ(CXAnalogClock::HourHandPosition(15, 0), 15);
    EXPECT_EQ(CXAnalogClock::HourHandPosition(12, 30), 62);
    EXPECT_DOUBLE_EQ(CXAnalogClock::AngleOf(62), 78.0);
    EXPECT_DOUBLE_EQ(CXAnalogClock::AngleOf(CXAnalogClock::HourHandPosition(0, 30)), 78.0);
    EXPECT_EQ(CXAnalogClock::PointAt(0, 39, 100, 100), CPoint(50, 11));
    EXPECT_EQ(CXAnalogClock::PointAt(15, 28, 100, 100), CPoint(78, 50));

    // At 3:00 the minute hand points up and the hour hand right.
    Analog a;
    a.clock.SetShowSeconds(FALSE);
    a.clock.SetShowDate(FALSE);
    const QImage shot = a.at(timeOf(3, 0, 0));
    EXPECT_EQ(kit::pixel(shot, 50, 25), RGB(0, 0, 0)) << "minute hand";
    EXPECT_EQ(kit::pixel(shot, 70, 50), RGB(0, 0, 0)) << "hour hand";
    EXPECT_NE(kit::pixel(shot, 30, 50), RGB(0, 0, 0)) << "nothing to the left";
    EXPECT_NE(kit::pixel(shot, 50, 75), RGB(0, 0, 0)) << "nothing below";
}

double distanceToSegment(double px, double py, CPoint a, CPoint b)
{
    const double vx = b.x - a.x, vy = b.y - a.y;
    double t = ((px - a.x) * vx + (py - a.y) * vy) / (vx * vx + vy * vy);
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.x + t * vx), py - (a.y + t * vy));
}

TEST(XAnalogClock, WithinAMinuteOnlyTheSecondHandChanges)
{
    Analog a;
    const QImage first = a.at(timeOf(10, 20, 5));
    const QImage second = a.at(timeOf(10, 20, 40));
    int changed = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            if (first.pixel(x, y) == second.pixel(x, y))
                continue;
            ++changed;
            const double near = std::min(
                {distanceToSegment(x, y, CXAnalogClock::PointAt(5, 35, 100, 100), CXAnalogClock::PointAt(5, 5, 100, 100)),
                 distanceToSegment(x, y, CXAnalogClock::PointAt(40, 35, 100, 100),
                                   CXAnalogClock::PointAt(40, 5, 100, 100))});
            EXPECT_LE(near, 2.5) << x << "," << y;
        }
    EXPECT_GT(changed, 20);

    // Without the second hand nothing changes within the minute.
    a.clock.SetShowSeconds(FALSE);
    EXPECT_EQ(a.at(timeOf(10, 20, 5)), a.at(timeOf(10, 20, 59)));
    // A new minute moves the minute hand.
    EXPECT_NE(a.at(timeOf(10, 20, 59)), a.at(timeOf(10, 21, 0)));
}

TEST(XAnalogClock, AnHourLaterAtTheSameMinuteTheHourHandHasMoved)
{
    Analog a;
    a.clock.SetShowSeconds(FALSE);
    const QImage ten = a.at(timeOf(10, 15, 5));
    const QImage eleven = a.at(timeOf(11, 15, 6)); // never painted in between
    a.clock.Run();                                  // forgets the cached face
    const QImage fresh = kit::grab(a.clock);
    EXPECT_NE(ten, eleven);
    EXPECT_EQ(eleven, fresh);
}

TEST(XAnalogClock, TheDateBoxShowsTheDayAndTheDialKeepsItsOutside)
{
    Analog a;
    a.clock.SetShowSeconds(FALSE);
    const QImage first = a.at(timeOf(6, 0, 0, 1));
    const QImage second = a.at(timeOf(6, 0, 0, 2));
    bool differs = false;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (first.pixel(x, y) != second.pixel(x, y)) {
                differs = true;
                EXPECT_TRUE(x >= 67 && x < 86 && y >= 42 && y < 57) << x << "," << y;
            }
    EXPECT_TRUE(differs) << "the day shows in the box";
    const COLORREF parent = kit::pixel(kit::grab(a.host), 200, 200);
    EXPECT_EQ(kit::pixel(first, 0, 0), parent) << "the corner outside the dial is the parent's";
}

TEST(XAnalogClock, DrawsNothingWithoutBitmapsAndStopsItsTimer)
{
    kit::Host host;
    CXAnalogClock clock;
    ASSERT_TRUE(clock.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 1));
    EXPECT_EQ(clock.GetWindowSize(), CSize(0, 0));
    kit::grab(clock);
    clock.SetBitmaps(147, 59999);
    kit::grab(clock);
    EXPECT_TRUE(clock.IsStopped());
    clock.Run();
    EXPECT_FALSE(clock.IsStopped());
    clock.DestroyWindow();
    EXPECT_TRUE(clock.IsStopped());
}

TEST(AntialiasedLine, EndsOnItsPointsAndBlendsBetween)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap b;
    b.CreateCompatibleBitmap(&dc, 40, 40);
    dc.SelectObject(&b);
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    DrawAntialiasedLine(&dc, 30, 30, 2, 5, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(2, 5), RGB(0, 0, 0));
    int grey = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            grey += c != RGB(0, 0, 0) && c != RGB(255, 255, 255);
        }
    EXPECT_GT(grey, 20) << "in-between pixels are blended";
    // Straight lines are plain.
    DrawAntialiasedLine(&dc, 5, 35, 15, 35, RGB(0, 0, 255));
    for (int x = 5; x <= 15; ++x)
        EXPECT_EQ(dc.GetPixel(x, 35), RGB(0, 0, 255));
}

} // namespace
