#include "store/MyFunctions.h"

#include "store/AppGlobals.h"
#include "common/TestSupport.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(SharedGlobals, StartValues)
{
    // Dirty a sample of every kind, then give the start values.
    g_danceLevel = 7;
    g_mainWnd = reinterpret_cast<HWND>(0x10);
    g_pitch = 2.5f;
    g_tooltipsOn = 0;
    g_outputDevice = 3;
    g_speedHz = 48000;
    g_masterVolume = 5;
    g_karaokeHeight = 1;
    g_colWidth2_1 = 9;
    g_cssLyricsColor = "#123456";
    g_statusRecordText = "Recording";
    g_baseFolder = "/somewhere";
    g_logEnabled = 0;
    g_markerComments = {"a"};
    g_cdgStream = 99;

    MyFunctions().InitGlobals();

    EXPECT_EQ(g_danceLevel, 0);
    EXPECT_EQ(g_mainWnd, nullptr);
    EXPECT_EQ(g_pitch, 0.0f);
    EXPECT_EQ(g_tooltipsOn, 1);
    EXPECT_EQ(g_eqEachSong, 1);
    EXPECT_EQ(g_danceTimerState, 1);
    EXPECT_EQ(g_outputDevice, -1);
    EXPECT_EQ(g_speedHz, 44100);
    EXPECT_EQ(g_masterVolume, 100);
    EXPECT_EQ(g_defaultVolume, 100);
    EXPECT_EQ(g_karaokeHeight, 600);
    EXPECT_EQ(g_callsWidth, 910);
    EXPECT_EQ(g_callsHeight, 505);
    EXPECT_EQ(g_musicControlHeight, 300);
    EXPECT_EQ(g_lyricsWindow2Y, 100);
    const int widths[5] = {70, 212, 20, 20, 20};
    const int list2[5] = {g_colWidth2_0, g_colWidth2_1, g_colWidth2_2, g_colWidth2_3, g_colWidth2_4};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list2[i], widths[i]);
    EXPECT_EQ(g_cssTextFontName, "Comic Sans MS");
    EXPECT_EQ(g_cssHeaderFontWeight, "Bold");
    EXPECT_EQ(g_cssLyricsColor, "#00FF00");
    EXPECT_EQ(g_cssTitleColor, "#E4E4E4");
    EXPECT_EQ(g_statusRecordText, "Recording stopped");
    EXPECT_TRUE(g_markerComments.empty());
    EXPECT_EQ(g_cdgStream, 0u);
    EXPECT_TRUE(g_baseFolder.empty());
    EXPECT_EQ(g_logEnabled, 1);

    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd(dir.path());
    MyFunctions().InitDataFolder();
    EXPECT_EQ(g_baseFolder, std::filesystem::current_path().string());
    g_baseFolder.clear();
}

} // namespace
