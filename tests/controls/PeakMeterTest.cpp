// The peak meter: segments lit by level and colour range, falloff and peak
// hold on the timer, the timer resting at zero and starting again on data.
#include "controls/PeakMeterCtrl.h"
#include "KitTestSupport.h"
#include "common/WaitFor.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// The player page's meter: one vertical band of ten segments, 20 pixels each.
struct Meter {
    kit::Host host;
    CPeakMeterCtrl meter;
    Meter()
    {
        EXPECT_TRUE(meter.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 210), &host, 1));
        meter.SetMeterBands(1, 10);
        meter.ShowGrid(TRUE);
    }
    // The colour of each segment's centre, bottom first.
    std::vector<COLORREF> segments()
    {
        const QImage shot = kit::grab(meter);
        std::vector<COLORREF> out;
        for (int j = 0; j < 10; ++j)
            out.push_back(kit::pixel(shot, 10, 200 - j * 20 - 6));
        return out;
    }
};

TEST(PeakMeter, LightsSegmentsByLevelInTheirColourRanges)
{
    const COLORREF off = CPeakMeterCtrl::DarkenColor(GetSysColor(COLOR_BTNFACE), 15);
    const struct {
        int value;
        std::vector<COLORREF> want;
    } cases[] = {
        {55, {kGreen, kGreen, kGreen, kGreen, kGreen, off, off, off, off, off}},
        {75, {kGreen, kGreen, kGreen, kGreen, kGreen, kGreen, kYellow, off, off, off}},
        {100, {kGreen, kGreen, kGreen, kGreen, kGreen, kGreen, kYellow, kYellow, kRed, kRed}},
        {250, {kGreen, kGreen, kGreen, kGreen, kGreen, kGreen, kYellow, kYellow, kRed, kRed}},
        {0, {off, off, off, off, off, off, off, off, off, off}},
    };
    for (const auto& c : cases) {
        Meter m;
        const int value = c.value;
        ASSERT_TRUE(m.meter.SetData(&value, 0, 1));
        EXPECT_EQ(m.segments(), c.want) << c.value;
    }
}

TEST(PeakMeter, EachTickTakesASegmentAndThePeakHoldsThenFalls)
{
    Meter m;
    const int full = 100;
    m.meter.SetData(&full, 0, 1);
    for (int tick = 1; tick <= 10; ++tick) {
        m.meter.DecayBands();
        EXPECT_EQ(m.meter.GetBand(0).value, 100 - 10 * tick) << tick;
        EXPECT_EQ(m.meter.GetBand(0).peak, tick < 10 ? 100 : 95) << tick;
    }
    m.meter.DecayBands();
    EXPECT_EQ(m.meter.GetBand(0).peak, 90);
    // A lower value replaces the band at once and leaves the peak; a higher one lifts it.
    const int low = 30, high = 97;
    m.meter.SetData(&low, 0, 1);
    EXPECT_EQ(m.meter.GetBand(0).value, 30);
    EXPECT_EQ(m.meter.GetBand(0).peak, 90);
    m.meter.SetData(&high, 0, 1);
    EXPECT_EQ(m.meter.GetBand(0).peak, 97);
    EXPECT_EQ(m.meter.GetBand(0).hold, 10);

    // More segments than the range has units: the bands still fall, one unit a tick.
    m.meter.SetMeterBands(1, 200);
    m.meter.DecayBands();
    EXPECT_EQ(m.meter.GetBand(0).value, 99);
}

TEST(PeakMeter, IgnoresBadSetUpsAndData)
{
    Meter m;
    m.meter.SetMeterBands(0, 10);
    m.meter.SetMeterBands(4, 0);
    EXPECT_EQ(m.meter.GetBandCount(), 1);
    EXPECT_EQ(m.meter.GetSegmentCount(), 10);
    const int v = 40;
    EXPECT_FALSE(m.meter.SetData(nullptr, 0, 1));
    EXPECT_FALSE(m.meter.SetData(&v, -1, 1));
    EXPECT_EQ(m.meter.GetBand(0).value, 100) << "a fresh meter starts full";
    const int two[2] = {10, 20};
    EXPECT_TRUE(m.meter.SetData(two, 0, 2)) << "bands past the last are left out";
    EXPECT_EQ(m.meter.GetBand(0).value, 10);
}

// Counts the ticks and where they run.
class CountingMeter : public CPeakMeterCtrl {
public:
    int ticks = 0;
    bool offThread = false;
    std::thread::id ui = std::this_thread::get_id();
    void DecayBands() override
    {
        ++ticks;
        offThread = offThread || std::this_thread::get_id() != ui;
        CPeakMeterCtrl::DecayBands();
    }
};

TEST(PeakMeter, TheTimerRestsWhenAllIsZeroAndDataStartsItAgain)
{
    kit::Host host;
    CountingMeter meter;
    ASSERT_TRUE(meter.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 200), &host, 1));
    meter.SetMeterBands(1, 10);
    ASSERT_TRUE(meter.Start(5));
    EXPECT_TRUE(testsupport::waitFor([&] { return meter.GetBand(0).peak == 0; }));
    // The last tick may come late on a busy machine: rested is when 50 ms pass without one.
    int rested = -1;
    for (int i = 0; i < 40 && rested != meter.ticks; ++i) {
        rested = meter.ticks;
        win::PumpMessages(50);
    }
    win::PumpMessages(100);
    EXPECT_EQ(meter.ticks, rested) << "no ticks once everything is zero";
    EXPECT_TRUE(meter.IsStarted()) << "it still counts as started";

    const int v = 50;
    EXPECT_TRUE(meter.SetData(&v, 0, 1));
    EXPECT_TRUE(testsupport::waitFor([&] { return meter.GetBand(0).value == 0; }));
    EXPECT_GT(meter.ticks, rested);
    EXPECT_FALSE(meter.offThread) << "ticks run on the user-interface thread";

    EXPECT_TRUE(meter.Stop());
    EXPECT_FALSE(meter.Stop());
    EXPECT_FALSE(meter.IsStarted());
    const int after = meter.ticks;
    meter.SetData(&v, 0, 1);
    win::PumpMessages(50);
    EXPECT_EQ(meter.ticks, after) << "a stopped meter only shows the data";
}

TEST(PeakMeter, HorizontalBandsRunLeftToRight)
{
    kit::Host host;
    CPeakMeterCtrl meter;
    ASSERT_TRUE(meter.Create(nullptr, "", WS_CHILD | WS_VISIBLE | 1, CRect(0, 0, 200, 20), &host, 1));
    meter.SetMeterBands(1, 10);
    const int v = 30;
    meter.SetData(&v, 0, 1);
    const QImage shot = kit::grab(meter);
    EXPECT_EQ(kit::pixel(shot, 10, 10), kGreen);
    EXPECT_EQ(kit::pixel(shot, 50, 10), kGreen);
    EXPECT_EQ(kit::pixel(shot, 70, 10), GetSysColor(COLOR_BTNFACE));
}

} // namespace
