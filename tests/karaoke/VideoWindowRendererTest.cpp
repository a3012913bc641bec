// The video window renderer over the surface layer: frames presented from a
// thread that is not the user-interface thread show stretched in the target
// window's client area, follow the window when it is replaced, and a lost
// surface drops one frame.
#include "karaoke/VideoWindowRenderer.h"
#include "tests/karaoke/KaraluxFixtures.h"

#include "common/WaitFor.h"
#include "platform/win/WinDefs.h"
#include "platform/win/Wnd.h"

#include <QWidget>

#include <thread>

using namespace karaluxtest;

namespace {

constexpr int kW = 300, kH = 216;

// A frame of blue, green, red bytes: the left half one colour, the right half
// another, the top row a third.
std::vector<std::uint8_t> frame(std::uint32_t left, std::uint32_t right, std::uint32_t top)
{
    std::vector<std::uint8_t> f(size_t(kW) * kH * 3);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const std::uint32_t c = y == 0 ? top : x < kW / 2 ? left : right;
            std::uint8_t* p = &f[(size_t(y) * kW + x) * 3];
            p[0] = std::uint8_t(c), p[1] = std::uint8_t(c >> 8), p[2] = std::uint8_t(c >> 16);
        }
    return f;
}

class Host : public CWnd {
public:
    Host()
    {
        Create(nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(40, 30, 40 + 1000, 30 + 600), nullptr, 0);
        first.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + 600, 10 + 432), this, 1);
        second.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(650, 100, 650 + 300, 100 + 216), this, 2);
    }
    ~Host() override
    {
        first.DestroyWindow();
        second.DestroyWindow();
        DestroyWindow();
    }
    CWnd first;
    CWnd second;
};

std::uint32_t at(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// Presents on a thread of its own, as the audio layer's playback thread does.
bool presentFromThread(VideoWindowRenderer& renderer, const std::vector<std::uint8_t>& f)
{
    bool shown = false;
    std::thread t([&] { shown = renderer.Present(f.data()); });
    t.join();
    return shown;
}

class Renderer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testsupport::waitFor([&] { return host.widget()->isVisible(); })); }
    Host host;
};

TEST_F(Renderer, PresentFromAnotherThreadShowsTheFrameStretchedInTheWindow)
{
    VideoWindowRenderer renderer;
    ASSERT_TRUE(renderer.Init(host.first, kW, kH));
    const auto f = frame(0xFF0000, 0x0000FF, 0x00FF00);
    EXPECT_TRUE(presentFromThread(renderer, f));
    QWidget* w = host.first.widget();
    ASSERT_TRUE(testsupport::waitFor([&] { return at(w->grab().toImage(), 599, 431) == 0x0000FF; }));
    const QImage shown = w->grab().toImage();
    // Twice the frame's size: every frame pixel covers two by two.
    EXPECT_EQ(at(shown, 0, 0), 0x00FF00u);
    EXPECT_EQ(at(shown, 599, 1), 0x00FF00u);
    EXPECT_EQ(at(shown, 0, 2), 0xFF0000u);
    EXPECT_EQ(at(shown, 299, 431), 0xFF0000u);
    EXPECT_EQ(at(shown, 300, 2), 0x0000FFu);
    renderer.Release();
    EXPECT_FALSE(renderer.Present(f.data()));
}

TEST_F(Renderer, ReplacedWindowIsDrawnAndClippedToItsClientArea)
{
    VideoWindowRenderer renderer;
    ASSERT_TRUE(renderer.Init(host.first, kW, kH));
    ASSERT_TRUE(presentFromThread(renderer, frame(0xFF0000, 0xFF0000, 0xFF0000)));
    ASSERT_TRUE(testsupport::waitFor([&] { return at(host.first.widget()->grab().toImage(), 5, 5) == 0xFF0000; }));

    std::thread([&] { renderer.SetWindow(host.second); }).join();
    const auto f = frame(0x00FFFF, 0xFFFF00, 0xFF00FF);
    ASSERT_TRUE(testsupport::waitFor([&] { return renderer.Present(f.data()); }));
    QWidget* second = host.second.widget();
    ASSERT_TRUE(testsupport::waitFor([&] { return at(second->grab().toImage(), 299, 215) == 0xFFFF00; }));
    const QImage shown = second->grab().toImage();
    EXPECT_EQ(at(shown, 0, 0), 0xFF00FFu);
    EXPECT_EQ(at(shown, 0, 1), 0x00FFFFu);
    EXPECT_EQ(at(shown, 150, 215), 0xFFFF00u);
    // Nothing of the new frame lands outside the new window, nor in the old one.
    const QImage all = host.widget()->grab().toImage();
    for (QPoint p : {QPoint(649, 100), QPoint(950, 100), QPoint(800, 99), QPoint(800, 316), QPoint(15, 15)}) {
        const std::uint32_t c = at(all, p.x(), p.y());
        EXPECT_TRUE(c != 0x00FFFF && c != 0xFFFF00 && c != 0xFF00FF) << p.x() << "," << p.y();
    }
}

TEST_F(Renderer, LostSurfaceDropsOneFrame)
{
    VideoWindowRenderer renderer;
    ASSERT_TRUE(renderer.Init(host.second, kW, kH));
    ddraw::LoseAllSurfaces();
    const auto f = frame(0x123456, 0x123456, 0x123456);
    EXPECT_FALSE(presentFromThread(renderer, f));
    EXPECT_TRUE(presentFromThread(renderer, f));
    ASSERT_TRUE(testsupport::waitFor([&] { return at(host.second.widget()->grab().toImage(), 10, 10) == 0x123456; }));
}

TEST_F(Renderer, WithoutSurfacesNothingIsPresented)
{
    VideoWindowRenderer renderer;
    EXPECT_FALSE(renderer.Init(host.first, 0, kH));
    EXPECT_FALSE(renderer.HasSurfaces());
    const auto f = frame(0, 0, 0);
    EXPECT_FALSE(renderer.Present(f.data()));
}

TEST_F(Renderer, StreamDrawsIntoTheWindowItIsPointedAt)
{
    openDeviceAndPlugin();
    testsupport::TempDir dir;
    using namespace cdgtest;
    std::vector<Packet> p{colours(0, {{{0, 0, 0}, {15, 0, 0}, {0, 0, 15}}}), memoryPreset(2), borderPreset(1)};
    p.resize(900, empty());
    testsupport::writeFile(dir.file("song.cdg"), bytes(p));
    copyMp3(2.0, dir.file("song.mp3"));
    const HSTREAM s = BASS_StreamCreateFile(FALSE, dir.file("song.cdg").c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u);
    KARALUX_SetVideoWindow(s, host.second);
    EXPECT_EQ(recordOf(s)->renderer->GetWindow(), HWND(host.second));
    KARALUX_SetVideoWindow(0, host.first);
    // Pulled on another thread, as the playback thread does, past the playback buffer.
    std::thread([&] {
        std::vector<char> buffer(8192);
        const QWORD want = BASS_ChannelSeconds2Bytes(s, 0.1 + BASS_GetConfig(BASS_CONFIG_BUFFER) / 1000.0);
        for (QWORD got = 0; got < want;)
            got += BASS_ChannelGetData(s, buffer.data(), DWORD(buffer.size()));
    }).join();
    QWidget* w = host.second.widget();
    EXPECT_TRUE(testsupport::waitFor([&] {
        const QImage shown = w->grab().toImage();
        return at(shown, 0, 0) == 0xFF0000 && at(shown, 150, 100) == 0x0000FF;
    }));
    BASS_StreamFree(s);
}

} // namespace
