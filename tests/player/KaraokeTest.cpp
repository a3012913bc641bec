// The karaoke window: its place kept on the screen, the frame period, the
// logo without a CD+G stream, and the frame of a playing CD+G song drawn
// upright over the whole client area, in step with the music.
#include "PlayerFixture.h"

#include "platform/win/Dc.h"
#include "player/Karaoke.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "tests/karaoke/KaraluxFixtures.h"

#include <QImage>
#include <thread>

using namespace playertest;

namespace {

class KaraokeTest : public PlayerTest {
protected:
    void TearDown() override
    {
        g_cdgStream = 0;
        g_karaokeOpen = 0;
        PlayerTest::TearDown();
    }
    void place(int x, int y, int w, int h)
    {
        g_karaokeX = x, g_karaokeY = y, g_karaokeWidth = w, g_karaokeHeight = h;
    }
    // A COLORREF as the screen's 0xRRGGBB.
    static unsigned rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
    static QImage client(CKaraoke& k)
    {
        k.Invalidate(FALSE);
        win::PumpMessages(20);
        return k.widget()->grab().toImage();
    }
};

TEST_F(KaraokeTest, SavedPlacesAreKeptOnTheScreen)
{
    struct Row {
        int x, y, left, top;
    };
    // 400 x 300 on a 1280 x 1024 screen.
    const Row rows[] = {{100, 200, 100, 200}, {1100, 900, 880, 724}, {-30, -10, 0, 0}};
    for (const Row& r : rows) {
        place(r.x, r.y, 400, 300);
        CKaraoke k;
        ASSERT_TRUE(k.Create(CKaraoke::IDD));
        k.PlaceWindow();
        CRect rect;
        k.GetWindowRect(rect);
        EXPECT_EQ(rect.TopLeft(), CPoint(r.left, r.top)) << r.x << "," << r.y;
        EXPECT_EQ(rect.Size(), CSize(400, 300));
        EXPECT_TRUE(k.IsWindowVisible());
        k.DestroyWindow();
    }
}

TEST_F(KaraokeTest, FramePeriodIsAtLeastFiftyMilliseconds)
{
    const std::pair<const char*, int> cases[] = {{"10", 50}, {"120", 120}, {"", 50}};
    for (const auto& [stored, period] : cases) {
        set("music - karaokemillie", stored);
        CKaraoke k;
        ASSERT_TRUE(k.Create(CKaraoke::IDD));
        EXPECT_EQ(k.FramePeriod(), period) << stored;
        EXPECT_EQ(g_karaokeOpen, 1);
        set("music - karaokemillie", "200");
        k.RestartFrameTimer();
        EXPECT_EQ(k.FramePeriod(), 200);
        // Closing ends the companions and tells the main window.
        k.SendMessage(WM_CLOSE);
        EXPECT_EQ(g_karaokeOpen, 0);
        if (k.m_hWnd)
            k.DestroyWindow();
    }
}

TEST_F(KaraokeTest, WithoutACdgStreamTheLogoStaysCentred)
{
    CBitmap logo;
    ASSERT_TRUE(logo.LoadBitmap(410));
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    memory.SelectObject(&logo);
    place(50, 50, 500, 400);
    CKaraoke k;
    ASSERT_TRUE(k.Create(CKaraoke::IDD));
    k.PlaceWindow();
    k.SetSongTitle("/music/Blue Star - Sing Along.mp3");
    EXPECT_EQ(k.GetWindowText(), "Karaoke - Blue Star - Sing Along");
    for (int width : {500, 700}) {
        k.MoveWindow(50, 50, width, 400);
        const QImage image = client(k);
        const int cx = image.width() / 2, cy = image.height() / 2;
        for (auto [dx, dy] : {std::pair{-150, -100}, {0, 0}, {120, 90}})
            EXPECT_EQ(image.pixel(cx + dx, cy + dy) & 0xFFFFFF, rgb(memory.GetPixel(200 + dx, 135 + dy)))
                << width << " at " << dx << "," << dy;
    }
    shot(k, "karaoke-logo.png");
}

TEST_F(KaraokeTest, ThePlayingFrameFillsTheClientAreaUprightAndInStep)
{
    using namespace cdgtest;
    karaluxtest::openDeviceAndPlugin();
    audio = true;
    // Blue screen, red border; at 1 s a green tile at row 1, column 1.
    std::vector<Packet> packets{colours(0, {{{0, 0, 0}, {15, 0, 0}, {0, 15, 0}, {0, 0, 15}}}), memoryPreset(3),
                                borderPreset(1)};
    packets.resize(300, empty());
    packets.push_back(solidTile(2, 1, 1));
    packets.resize(900, empty());
    testsupport::writeFile(dir.file("song.cdg"), bytes(packets));
    karaluxtest::copyMp3(3.0, dir.file("song.mp3"));
    const HSTREAM s = BASS_StreamCreateFile(FALSE, dir.file("song.cdg").c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();

    place(40, 40, 640, 480);
    CKaraoke k;
    ASSERT_TRUE(k.Create(CKaraoke::IDD));
    k.PlaceWindow();
    g_cdgStream = s;
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    const auto position = [&] { return BASS_ChannelBytes2Seconds(s, BASS_ChannelGetPosition(s, BASS_POS_BYTE)); };
    const auto at = [](const QImage& image, double fx, double fy) {
        // A frame pixel (300 x 216) where the client area shows it.
        return image.pixel(int((fx + 0.5) * image.width() / 300), int((fy + 0.5) * image.height() / 216)) & 0xFFFFFF;
    };
    ASSERT_TRUE(waitFor([&] { return position() >= 0.5; }));
    QImage early = client(k);
    const double grabbedBy = position();
    EXPECT_EQ(at(early, 1, 1), 0xFF0000u) << "the border at the top left";
    EXPECT_EQ(at(early, 298, 214), 0xFF0000u) << "the border at the bottom right, row 216 included";
    if (grabbedBy < 0.95) { // a busy machine may have taken the song past 1 s meanwhile
        EXPECT_EQ(at(early, 9, 15), 0x0000FFu) << "no tile yet before 1 s";
    }
    ASSERT_TRUE(waitFor([&] { return position() >= 1.3; }));
    QImage late;
    // The window shows the frame on its own timer, a tick after the song got there.
    EXPECT_TRUE(waitFor([&] {
        late = client(k);
        return at(late, 9, 15) == 0x00FF00u;
    })) << "the tile of 1 s, upright at the top";
    EXPECT_EQ(at(late, 9, 216 - 15), 0x0000FFu) << "not mirrored to the bottom";
    shot(k, "karaoke-frame.png");
    g_cdgStream = 0;
    BASS_StreamFree(s);
    k.DestroyWindow();
}

} // namespace
