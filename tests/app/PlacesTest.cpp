// The main window's small window-level behaviours: level names in the title
// and the Change Program menu, the position slider's look, the large layout,
// the wheel, the move, and Restore Windows Positions.
#include "ServicesFixture.h"

#include "app/CallRecorder.h"
#include "platform/win/Menu.h"

namespace servicestest {
namespace {

using PlacesTest = ServicesTest;

TEST_F(PlacesTest, LevelNamesGiveTheTitleAndTheChangeProgramItem)
{
    struct Case {
        const char* stored;
        const char* title;
        const char* item;
    };
    const Case cases[] = {
        {"Basic", "Mirtal - Basic", "Basic"},
        {"Mirtal - Mainstream", "Mirtal - Mainstream", "Mainstream"},
        {"mIRTAL - Plus", "mIRTAL - Plus", "Plus"},
        {"MIRTAL - ", "MIRTAL - ", ""},
        {"Mirtal -A1", "Mirtal - Mirtal -A1", "Mirtal -A1"},
        {"Mirt", "Mirtal - Mirt", "Mirt"},
        {"", "Mirtal - ", ""},
        {"Mirtal - Mirtal - C1", "Mirtal - Mirtal - C1", "Mirtal - C1"},
    };
    const char* const keys[] = {"basic - levelname", "main - levelname", "plus - levelname", "a1 - levelname",
                                "a2 - levelname",    "c1 - levelname",   "c2 - levelname",   "c3a - levelname"};
    std::vector<std::pair<std::string, std::string>> names;
    for (size_t i = 0; i < std::size(cases); ++i)
        names.emplace_back(keys[i], cases[i].stored);
    preset(names);
    start();
    for (int level = 1; level <= int(std::size(cases)); ++level) {
        const Case& c = cases[level - 1];
        std::string item;
        dlg->GetMenu()->GetMenuString(32786 + UINT(level), item, MF_BYCOMMAND);
        EXPECT_EQ(item, c.item) << c.stored;
        dlg->SetLevel(level);
        EXPECT_EQ(dlg->GetWindowText(), c.title) << c.stored;
    }
}

TEST_F(PlacesTest, TheOvertimeLookLeavesTheChosenStyleToComeBack)
{
    struct Look {
        int style;
        UINT channel, thumb;
        int remembered;
    };
    preset({{"music - progressbar", "2"}});
    start();
    ASSERT_EQ(dlg->GetSliderStyle(), 2);
    const Look steps[] = {
        {3, 157, 146, 2},  // a dance timer over its time
        {2, 365, 164, 2},  // the restyle command brings the chosen style back
        {0, 272, 164, 0},
        {1, 364, 164, 1},
        {7, 364, 164, 1},  // no such style: nothing changes
        {-1, 364, 164, 1},
    };
    for (const Look& l : steps) {
        dlg->SetSliderStyle(l.style);
        EXPECT_EQ(dlg->PositionSlider().GetChannelBitmap(), l.channel) << l.style;
        EXPECT_EQ(dlg->PositionSlider().GetThumbBitmap(), l.thumb) << l.style;
        EXPECT_EQ(dlg->GetSliderStyle(), l.remembered) << l.style;
    }
}

TEST_F(PlacesTest, MoreThanNinetyNineDotsPerInchMakeTheLargeLayout)
{
    preset({{"general - compressedview", "true"}});
    for (int dpi : {96, 99, 100, 120}) {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, dpi, dpi});
        start();
        EXPECT_EQ(g_largeLayout, dpi > 99 ? 1 : 0) << dpi;
        EXPECT_EQ(g_compressedView, dpi > 99 ? 0 : 1) << dpi;
        // A later look at a smaller display never takes the large layout back.
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        dlg->DetectDisplayDpi();
        EXPECT_EQ(g_largeLayout, dpi > 99 ? 1 : 0) << dpi;
        dlg->DestroyWindow();
    }
    // The wider of the two directions counts.
    win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 144});
    start();
    EXPECT_EQ(g_largeLayout, 1);
}

} // namespace
} // namespace servicestest
