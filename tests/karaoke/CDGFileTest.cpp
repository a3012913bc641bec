#include "karaoke/CDGFile.h"
#include "karaoke/VideoFrameSurface.h"

#include "common/TestSupport.h"
#include "tests/karaoke/CdgPackets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <random>

using namespace cdgtest;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

class CdgDecoder : public ::testing::Test {
protected:
    CdgDecoder() { cdg->SetSurface(surface.get()); }

    std::string write(const std::vector<Packet>& packets, const std::string& tail = {})
    {
        const std::string path = dir.file("song" + std::to_string(++files) + ".cdg");
        testsupport::writeFile(path, bytes(packets) + tail);
        return path;
    }

    void open(const std::vector<Packet>& packets, const std::string& tail = {})
    {
        ASSERT_TRUE(cdg->Open(write(packets, tail)));
    }

    // Opens the packets and decodes every one of them.
    void play(const std::vector<Packet>& packets)
    {
        open(packets);
        cdg->RenderTo(static_cast<int32_t>(10 * ((packets.size() + 2) / 3)));
        ASSERT_EQ(cdg->GetPacketsTaken(), static_cast<int64_t>(packets.size()));
    }

    std::vector<uint8_t> image() const
    {
        std::vector<uint8_t> out;
        for (int y = 0; y < CDGFile::kHeight; ++y)
            for (int x = 0; x < CDGFile::kWidth; ++x)
                out.push_back(cdg->GetIndex(x, y));
        return out;
    }

    testsupport::TempDir dir;
    int files = 0;
    std::unique_ptr<VideoFrameSurface> surface = std::make_unique<VideoFrameSurface>();
    std::unique_ptr<CDGFile> cdg = std::make_unique<CDGFile>();
};

// Colour entry 1 white, the rest black.
Packet whiteAsOne()
{
    std::array<Rgb4, 8> e{};
    e[1] = {15, 15, 15};
    return colours(0, e);
}

} // namespace

TEST(CdgLength, FromSizeTruncatesAndHoldsTo32Bits)
{
    struct Case {
        uint64_t bytes;
        int32_t ms;
    } cases[] = {
        {0, 0},
        {23, 0},
        {24, 3},
        {48, 6},
        {72, 10},
        {2400, 333},
        {7200, 1000},
        {7201, 1000},
        {51539616, 7158280},        // where 32-bit arithmetic overflowed
        {4ull << 30, 596523233},    // beyond 32-bit sizes
        {15461882256ull, 2147483646},
        {15461882280ull, INT32_MAX},
        {1ull << 40, INT32_MAX},
        {UINT64_MAX, INT32_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDGFile::LengthFromSize(c.bytes), c.ms) << c.bytes << " bytes";
}

TEST_F(CdgDecoder, OpenTakesTheLengthFromTheFileSize)
{
    struct Case {
        uint64_t bytes;
        int32_t ms;
    } cases[] = {{0, 0}, {23, 0}, {24, 3}, {2400, 333}, {7200, 1000}, {7201, 1000},
                 {51539616, 7158280}, {3ull << 30, 447392426}};
    for (const Case& c : cases) {
        const std::string path = dir.file("size.cdg");
        testsupport::writeFile(path, "");
        fs::resize_file(path, c.bytes); // sparse: large sizes cost no disk
        EXPECT_TRUE(cdg->Open(path)) << c.bytes;
        EXPECT_EQ(cdg->GetLength(), c.ms) << c.bytes << " bytes";
        EXPECT_EQ(cdg->GetCurrentTime(), 0);
    }
}

TEST_F(CdgDecoder, OpenFailures)
{
    // Missing file, a folder, and no surface bound.
    EXPECT_FALSE(cdg->Open(dir.file("missing.cdg")));
    EXPECT_EQ(cdg->GetLength(), 0);
    EXPECT_FALSE(cdg->Open(dir.str()));
    EXPECT_FALSE(cdg->IsOpen());

    const std::string path = write({memoryPreset(1)});
    CDGFile unbound;
    EXPECT_FALSE(unbound.Open(path));
    EXPECT_FALSE(unbound.IsOpen());
    EXPECT_EQ(unbound.GetLength(), 0);
}

TEST_F(CdgDecoder, RenderWithoutAFileLeavesTheSurfaceAlone)
{
    surface->pixels.fill(0x123456);
    cdg->RenderTo(1000);
    EXPECT_EQ(surface->Pixel(150, 100), 0x123456u);
    // A failed open clears the surface: the frame stays black.
    EXPECT_FALSE(cdg->Open(dir.file("missing.cdg")));
    cdg->RenderTo(1000);
    EXPECT_EQ(surface->Pixel(150, 100), 0u);
}

TEST_F(CdgDecoder, PacketsTakenForRenderTimes)
{
    struct Step {
        int32_t time;
        int64_t taken;   // packets read since the start or the last replay
        int32_t current; // current time afterwards
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"in step", {{0, 0, 0}, {5, 0, 0}, {10, 3, 10}, {19, 3, 10}, {20, 6, 20}}},
        {"remainder carries", {{995, 297, 990}, {1000, 300, 1000}}},
        {"backward replays", {{60000, 18000, 60000}, {30000, 9000, 30000}, {30010, 9003, 30010}}},
        {"same time again", {{1000, 300, 1000}, {1000, 300, 1000}}},
        {"negative takes nothing", {{-400, 0, 0}, {0, 0, 0}, {10, 3, 10}}},
        {"negative after playing", {{1000, 300, 1000}, {-50, 0, 0}, {10, 3, 10}}},
        {"most negative", {{INT32_MIN, 0, 0}, {20, 6, 20}}},
        {"past the end", {{70000, 18000, 70000}, {80000, 18000, 80000}, {100, 30, 100}}},
    };
    const std::string path = write(std::vector<Packet>(18000, empty()));
    for (const Case& c : cases) {
        ASSERT_TRUE(cdg->Open(path));
        for (const Step& s : c.steps) {
            cdg->RenderTo(s.time);
            EXPECT_EQ(cdg->GetPacketsTaken(), s.taken) << c.name << " at " << s.time;
            EXPECT_EQ(cdg->GetCurrentTime(), s.current) << c.name << " at " << s.time;
        }
    }
}

TEST_F(CdgDecoder, RightAfterOpeningTheFrameIsBlack)
{
    surface->pixels.fill(0xABCDEF);
    open({memoryPreset(3), whiteAsOne()});
    for (int y : {0, 100, 215})
        for (int x : {0, 150, 299})
            EXPECT_EQ(surface->Pixel(x, y), 0u);
    cdg->RenderTo(0);
    EXPECT_EQ(cdg->GetPacketsTaken(), 0);
    EXPECT_EQ(surface->Pixel(150, 100), 0u);
}

TEST_F(CdgDecoder, ReplayStartsFromAClearedScreen)
{
    // Colours at the start; at 50 s a tile, a border and a fine scroll that no
    // packet before 30 s clears.
    std::vector<Packet> packets(18000, empty());
    std::array<Rgb4, 8> e{};
    e[1] = {15, 15, 15};
    e[2] = {15, 0, 0};
    packets[0] = colours(0, e);
    packets[15000] = solidTile(1, 5, 10);
    packets[15001] = borderPreset(2);
    packets[15002] = scroll(0, 0x03, 0x05, true);
    open(packets);

    cdg->RenderTo(60000);
    EXPECT_EQ(cdg->GetIndex(60, 60), 1);
    EXPECT_EQ(cdg->GetBorderColor(), 2);
    EXPECT_EQ(cdg->GetHorizontalOffset(), 3);
    EXPECT_EQ(surface->Pixel(0, 0), 0xFF0000u);

    cdg->RenderTo(30000);
    EXPECT_EQ(cdg->GetIndex(60, 60), 0);
    EXPECT_EQ(cdg->GetIndex(0, 0), 0);
    EXPECT_EQ(cdg->GetBorderColor(), 0);
    EXPECT_EQ(cdg->GetHorizontalOffset(), 0);
    EXPECT_EQ(cdg->GetVerticalOffset(), 0);
    EXPECT_EQ(cdg->GetColor(1), kWhite) << "the colours from the start are replayed";
    EXPECT_EQ(surface->Pixel(0, 0), 0u);
    EXPECT_EQ(surface->Pixel(60, 60), 0u);

    // Forward again shows the later picture once more.
    cdg->RenderTo(60000);
    EXPECT_EQ(surface->Pixel(60 - 3, 60 - 5), kWhite);
}

TEST_F(CdgDecoder, InstructionsOnTheIndexImage)
{
    struct Check {
        int x, y, index;
    };
    TileLines pattern{};
    for (size_t j = 0; j < pattern.size(); ++j)
        pattern[j] = j % 2 ? 0x01 : 0xE0; // 0xE0: only bit 5 of the low six counts
    struct Case {
        const char* name;
        std::vector<Packet> packets;
        std::vector<Check> checks;
        int border;
    } cases[] = {
        {"memory preset fills all", {memoryPreset(5)}, {{0, 0, 5}, {150, 100, 5}, {299, 215, 5}}, 5},
        {"memory preset high bits", {memoryPreset(0xF5, 0xF0)}, {{150, 100, 5}}, 5},
        {"memory preset repeat", {memoryPreset(2), memoryPreset(7, 3)}, {{0, 0, 2}, {150, 100, 2}}, 7},
        {"border preset band",
         {memoryPreset(1), borderPreset(4)},
         {{0, 100, 4}, {5, 100, 4}, {6, 100, 1}, {293, 100, 1}, {294, 100, 4}, {299, 100, 4},
          {150, 11, 4}, {150, 12, 1}, {150, 203, 1}, {150, 204, 4}, {0, 0, 4}, {299, 215, 4}},
         4},
        {"tile normal",
         {memoryPreset(9), tile(0xF3, 0xF7, 1, 2, pattern)},
         {{12, 12, 7}, {13, 12, 3}, {17, 12, 3}, {12, 13, 3}, {17, 13, 7}, {12, 23, 3},
          {17, 23, 7}, {11, 12, 9}, {18, 12, 9}, {12, 11, 9}, {12, 24, 9}},
         9},
        {"tile row and column masks", {solidTile(6, 0x21, 0x42)}, {{12, 12, 6}, {17, 23, 6}}, 0},
        {"last tile drawn", {solidTile(6, 17, 49)}, {{294, 204, 6}, {299, 215, 6}, {293, 215, 0}, {299, 203, 0}}, 0},
        {"row past the last ignored", {solidTile(6, 18, 0)}, {{0, 215, 0}, {5, 215, 0}}, 0},
        {"column past the last ignored", {solidTile(6, 0, 50)}, {{299, 0, 0}, {0, 0, 0}}, 0},
        {"tile xor", {memoryPreset(5), solidTile(3, 2, 2, true)}, {{12, 24, 6}, {17, 35, 6}, {18, 24, 5}}, 5},
        {"xor colour 0 too", {memoryPreset(5), tile(1, 2, 0, 0, TileLines{}, true)}, {{0, 0, 4}}, 5},
        {"transparent colour does nothing", {memoryPreset(5), packet(kTransparent, {3, 3, 3})}, {{150, 100, 5}}, 5},
        {"unknown instruction ignored", {memoryPreset(5), packet(3, {1}), packet(63, {1})}, {{150, 100, 5}}, 5},
        {"command 0x49 acted on", {packet(kMemoryPreset, {4}, 0x49)}, {{150, 100, 4}}, 4},
        {"instruction 0xC1 acted on", {packet(0xC1, {4})}, {{150, 100, 4}}, 4},
        {"extended graphics ignored", {packet(kMemoryPreset, {4}, 10)}, {{150, 100, 0}}, 0},
        {"other commands ignored",
         {packet(kMemoryPreset, {4}, 0), packet(kMemoryPreset, {4}, 8), packet(kMemoryPreset, {4}, 0x0B),
          packet(kMemoryPreset, {4}, 0x19)},
         {{150, 100, 0}},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.packets);
        for (const Check& k : c.checks)
            EXPECT_EQ(cdg->GetIndex(k.x, k.y), k.index) << "at " << k.x << "," << k.y;
        EXPECT_EQ(cdg->GetBorderColor(), c.border);
    }
}

TEST_F(CdgDecoder, ColourTable)
{
    struct Case {
        uint8_t a, b;
        uint32_t pixel;
    } cases[] = {
        {0x3F, 0x3F, 0xFFFFFF}, {0x00, 0x0F, 0x0000FF}, {0x3C, 0x00, 0xFF0000},
        {0x03, 0x30, 0x00FF00}, {0x08, 0x25, 0x222255}, {0xFF, 0xFF, 0xFFFFFF},
        {0xC0, 0xC0, 0x000000},
    };
    for (int half : {0, 1}) {
        for (const Case& c : cases) {
            // The case's pair at entry 3 of the half, zeros elsewhere.
            Packet p = packet(half ? kColorsHigh : kColorsLow, {});
            p[4 + 6] = c.a;
            p[4 + 7] = c.b;
            play({p});
            EXPECT_EQ(cdg->GetColor(8 * half + 3), c.pixel) << int(c.a) << "," << int(c.b);
            EXPECT_EQ(cdg->GetColor(8 * (1 - half) + 3), 0u);
        }
    }
}

TEST_F(CdgDecoder, ComposesBorderAndPictureThroughTheColourTable)
{
    std::array<Rgb4, 8> low{};
    low[2] = {15, 0, 0};
    std::array<Rgb4, 8> high{};
    high[1] = {0, 0, 15}; // entry 9
    std::vector<Packet> packets{colours(0, low), colours(1, high), memoryPreset(9), borderPreset(2)};
    play(packets);
    EXPECT_EQ(surface->Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(surface->Pixel(5, 100), 0xFF0000u);
    EXPECT_EQ(surface->Pixel(6, 12), 0x0000FFu);
    EXPECT_EQ(surface->Pixel(293, 203), 0x0000FFu);
    EXPECT_EQ(surface->Pixel(294, 203), 0xFF0000u);
    EXPECT_EQ(surface->Pixel(150, 204), 0xFF0000u);

    // A new colour table recolours the whole frame at the next composition;
    // a border colour change recolours the whole border.
    low[2] = {0, 15, 0};
    packets.push_back(colours(0, low));
    play(packets);
    EXPECT_EQ(surface->Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(surface->Pixel(150, 215), 0x00FF00u);
    EXPECT_EQ(surface->Pixel(150, 100), 0x0000FFu);

    packets.push_back(memoryPreset(9, 1)); // a repeat: the border colour only
    play(packets);
    EXPECT_EQ(surface->Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(surface->Pixel(299, 215), 0x0000FFu);
    EXPECT_EQ(cdg->GetIndex(0, 0), 2);
}

TEST_F(CdgDecoder, OffsetsMoveThePictureAndReachTheBand)
{
    // A white tile at columns 6-11, rows 12-23 and one in the corner band
    // (columns 294-299, rows 204-215), shown through the largest offsets.
    play({whiteAsOne(), solidTile(1, 1, 1), solidTile(1, 17, 49), scroll(0, 0x07, 0x0F, true)});
    EXPECT_EQ(cdg->GetHorizontalOffset(), 5);
    EXPECT_EQ(cdg->GetVerticalOffset(), 11);
    EXPECT_EQ(surface->Pixel(6, 12), kWhite);  // index at 11, 23
    EXPECT_EQ(surface->Pixel(7, 12), 0u);      // index at 12, 23
    EXPECT_EQ(surface->Pixel(6, 13), 0u);      // index at 11, 24
    EXPECT_EQ(surface->Pixel(293, 203), kWhite); // index at 298, 214
    EXPECT_EQ(surface->Pixel(289, 193), kWhite); // index at 294, 204
    EXPECT_EQ(surface->Pixel(288, 193), 0u);

    // Without offsets the band stays hidden.
    play({whiteAsOne(), solidTile(1, 17, 49)});
    for (int y = 12; y < 204; ++y)
        for (int x = 6; x < 294; ++x)
            ASSERT_EQ(surface->Pixel(x, y), 0u) << x << "," << y;
}

TEST_F(CdgDecoder, XorTwiceIsTheIdentity)
{
    std::mt19937 rng(7);
    std::vector<Packet> packets{memoryPreset(3)};
    for (int i = 0; i < 60; ++i) {
        TileLines lines;
        for (auto& l : lines)
            l = uint8_t(rng());
        packets.push_back(tile(int(rng() % 16), int(rng() % 16), int(rng() % 18), int(rng() % 50), lines));
    }
    play(packets);
    const std::vector<uint8_t> before = image();

    TileLines lines;
    for (auto& l : lines)
        l = uint8_t(rng());
    const Packet x = tile(5, 10, 4, 7, lines, true);
    packets.push_back(x);
    play(packets);
    EXPECT_NE(image(), before);
    packets.push_back(x);
    play(packets);
    EXPECT_EQ(image(), before);
}

TEST_F(CdgDecoder, ScrollPresetAndCopy)
{
    // Tile A in the top-left corner (colour 1), B in the bottom-right corner
    // (colour 2), C inside at columns 60-65, rows 60-71 (colour 3).
    const std::vector<Packet> start{solidTile(1, 0, 0), solidTile(2, 17, 49), solidTile(3, 5, 10)};
    struct Check {
        int x, y;
        int copy, preset; // index after Scroll Copy, after Scroll Preset with colour 9
    };
    struct Case {
        const char* name;
        int h, v;
        int hOffset, vOffset;
        std::vector<Check> checks;
    } cases[] = {
        {"right", 0x10, 0x00, 0, 0,
         {{66, 60, 3, 3}, {60, 60, 0, 0}, {6, 0, 1, 1}, {0, 204, 2, 9}, {5, 0, 0, 9}, {0, 100, 0, 9}}},
        {"left", 0x20, 0x00, 0, 0,
         {{54, 60, 3, 3}, {65, 60, 0, 0}, {294, 0, 1, 9}, {288, 204, 2, 2}, {299, 100, 0, 9}}},
        {"down", 0x00, 0x10, 0, 0,
         {{60, 72, 3, 3}, {60, 60, 0, 0}, {0, 12, 1, 1}, {294, 0, 2, 9}, {150, 11, 0, 9}}},
        {"up", 0x00, 0x20, 0, 0,
         {{60, 48, 3, 3}, {60, 59, 3, 3}, {0, 204, 1, 9}, {294, 192, 2, 2}, {150, 215, 0, 9}}},
        {"right and down", 0x10, 0x10, 0, 0,
         {{66, 72, 3, 3}, {0, 0, 2, 9}, {6, 12, 1, 1}, {150, 5, 0, 9}, {2, 100, 0, 9}}},
        {"right with offset", 0x15, 0x00, 5, 0, {{66, 60, 3, 3}, {0, 204, 2, 9}}},
        {"up with offset", 0x00, 0x2F, 0, 11, {{60, 48, 3, 3}, {0, 204, 1, 9}}},
        {"offsets only", 0x07, 0x0F, 5, 11, {{60, 60, 3, 3}, {0, 0, 1, 1}, {299, 215, 2, 2}}},
        {"step 3 does not move", 0x33, 0x3A, 3, 10, {{60, 60, 3, 3}, {0, 0, 1, 1}, {299, 215, 2, 2}}},
        {"high bits ignored", 0xC0, 0xC0, 0, 0, {{60, 60, 3, 3}, {0, 0, 1, 1}}},
    };
    for (const Case& c : cases) {
        for (bool copy : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (copy ? " copy" : " preset"));
            std::vector<Packet> packets = start;
            packets.push_back(scroll(0xF9, c.h, c.v, copy));
            play(packets);
            for (const Check& k : c.checks)
                EXPECT_EQ(cdg->GetIndex(k.x, k.y), copy ? k.copy : k.preset) << "at " << k.x << "," << k.y;
            EXPECT_EQ(cdg->GetHorizontalOffset(), c.hOffset);
            EXPECT_EQ(cdg->GetVerticalOffset(), c.vOffset);
        }
    }
}

TEST_F(CdgDecoder, ScrollCopyAroundTheWholeScreenRestoresTheImage)
{
    std::vector<Packet> packets{solidTile(1, 0, 0), solidTile(2, 17, 49), solidTile(3, 5, 10)};
    play(packets);
    const std::vector<uint8_t> before = image();
    for (int i = 0; i < 50; ++i)
        packets.push_back(scroll(0, 0x10, 0, true));
    for (int i = 0; i < 18; ++i)
        packets.push_back(scroll(0, 0, 0x20, true));
    play(packets);
    EXPECT_EQ(image(), before);
}

TEST_F(CdgDecoder, TruncatedLastPacketIsNeverActedOn)
{
    // 300 packets, then a memory preset cut one byte short: its used bytes are
    // all there, yet it is no packet.
    const Packet cut = memoryPreset(5);
    open(std::vector<Packet>(300, empty()), std::string(reinterpret_cast<const char*>(cut.data()), 23));
    EXPECT_EQ(cdg->GetLength(), 1000);
    cdg->RenderTo(5000);
    EXPECT_EQ(cdg->GetPacketsTaken(), 300);
    EXPECT_EQ(cdg->GetIndex(150, 100), 0);
    EXPECT_EQ(cdg->GetBorderColor(), 0);
    // Still nothing after a replay.
    cdg->RenderTo(100);
    cdg->RenderTo(5000);
    EXPECT_EQ(cdg->GetPacketsTaken(), 300);
    EXPECT_EQ(cdg->GetBorderColor(), 0);
}

TEST_F(CdgDecoder, FileThatShrinksWhileOpenEndsCleanly)
{
    std::vector<Packet> packets(3000, empty());
    packets[50] = memoryPreset(4);
    packets[2000] = memoryPreset(7);
    const std::string path = write(packets);
    ASSERT_TRUE(cdg->Open(path));
    cdg->RenderTo(1000);
    EXPECT_EQ(cdg->GetPacketsTaken(), 300);

    fs::resize_file(path, 100 * 24 + 10);
    cdg->RenderTo(10000);
    EXPECT_LE(cdg->GetPacketsTaken(), 3000);
    EXPECT_NE(cdg->GetBorderColor(), 7);

    // A replay reads what is left, and not the fragment.
    cdg->RenderTo(5000);
    EXPECT_EQ(cdg->GetPacketsTaken(), 100);
    EXPECT_EQ(cdg->GetIndex(150, 100), 4);

    fs::resize_file(path, 0);
    cdg->RenderTo(0);
    cdg->RenderTo(5000);
    EXPECT_EQ(cdg->GetPacketsTaken(), 0);
    EXPECT_EQ(surface->Pixel(150, 100), 0u);
}

TEST_F(CdgDecoder, OpenAgainClearsAndOpensAnew)
{
    play({whiteAsOne(), memoryPreset(1)});
    EXPECT_EQ(surface->Pixel(150, 100), kWhite);
    const std::string second = write(std::vector<Packet>(600, empty()));
    ASSERT_TRUE(cdg->Open(second));
    EXPECT_EQ(cdg->GetLength(), 2000);
    EXPECT_EQ(cdg->GetCurrentTime(), 0);
    EXPECT_EQ(cdg->GetIndex(150, 100), 0);
    EXPECT_EQ(cdg->GetColor(1), 0u);
    EXPECT_EQ(surface->Pixel(150, 100), 0u);
    cdg->RenderTo(2000);
    EXPECT_EQ(cdg->GetPacketsTaken(), 600);
}

TEST(CdgSurface, VideoFrameSurfacePixelIsRgb)
{
    VideoFrameSurface s;
    EXPECT_EQ(s.MakePixel(0x12, 0x34, 0x56), 0x123456u);
    const uint32_t p = s.MakePixel(255, 128, 1);
    const auto* b = reinterpret_cast<const uint8_t*>(&p);
    EXPECT_EQ(b[0], 1);   // blue first when stored little-endian
    EXPECT_EQ(b[1], 128);
    EXPECT_EQ(b[2], 255);
    EXPECT_EQ(b[3], 0);
}

TEST(CdgSurface, DestroyingTheDecoderClearsItsSurface)
{
    VideoFrameSurface s;
    {
        CDGFile cdg;
        cdg.SetSurface(&s);
        s.pixels.fill(0x777777);
    }
    EXPECT_EQ(s.Pixel(0, 0), 0u);
    EXPECT_EQ(s.Pixel(299, 215), 0u);
}
