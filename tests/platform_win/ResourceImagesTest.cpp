// Every image and sound resource the program names exists and loads through
// the window layer, at the size and with the key colour its user expects.
#include "platform/win/Dc.h"
#include "platform/win/Resources.h"

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct BitmapResource {
    UINT id;
    int width, height; // 0: any size
    std::optional<COLORREF> corner; // the pixel at (0, 0): the key colour of transparent pictures
};

const BitmapResource kBitmaps[] = {
    // Slider channels and thumbs (thumbs take their key from the pixel at 0, 0).
    {150, 100, 7, {}}, {153, 100, 7, {}}, {159, 15, 7, kMagenta}, {161, 15, 7, kMagenta},
    {196, 35, 93, {}}, {198, 35, 29, {}},
    {157, 1000, 20, {}}, {158, 1000, 20, {}}, {272, 1000, 20, {}}, {364, 1000, 20, {}}, {365, 1000, 20, {}},
    {146, 28, 18, {}}, {163, 28, 18, kMagenta}, {164, 28, 18, kMagenta},
    // The main window's position slider picture and the splash picture.
    {194, 0, 0, {}}, {197, 0, 0, {}},
    // Analog clock: the face is magenta outside the dial; the date box.
    {147, 100, 100, kMagenta}, {148, 18, 14, {}},
    // Segment display glyphs, on black.
    {296, 15, 87, kBlack}, {297, 45, 87, kBlack}, {298, 15, 87, kBlack},
    // Check images and the jukebox's button images.
    {206, 16, 16, {}}, {211, 16, 16, {}}, {212, 16, 16, {}}, {213, 16, 16, {}},
    // Square identification: the square and the hexagon.
    {273, 120, 120, {}}, {518, 160, 160, {}},
    // Image buttons with magenta as their key colour.
    {348, 0, 0, kMagenta}, {350, 0, 0, kMagenta}, {355, 0, 0, kMagenta}, {382, 0, 0, kMagenta},
    {383, 0, 0, kMagenta}, {406, 0, 0, kMagenta}, {413, 0, 0, kMagenta}, {485, 0, 0, kMagenta},
    {417, 0, 0, kMagenta}, {418, 0, 0, kMagenta},
    // The music control panel's buttons, black as the key colour.
    {386, 83, 84, kBlack}, {387, 83, 84, kBlack}, {388, 83, 84, kBlack}, {389, 83, 84, kBlack},
    {390, 83, 84, kBlack}, {391, 83, 84, kBlack}, {392, 83, 84, kBlack}, {393, 83, 84, kBlack},
    // Drag pictures of one row and of several.
    {395, 88, 16, {}}, {397, 89, 16, {}},
    // Karaoke logo and the editor's toolbar strip.
    {410, 400, 271, {}}, {459, 518, 32, {}},
};

const UINT kIcons[] = {135, 305, 306, 307, 308, 310, 312, 324, 325, 326, 327, 328, 333, 334, 335, 336, 411, 412,
                       479, 480, 481, 482, 483, 508,
                       // The cue sheet's picture buttons (147 and 176 are also a bitmap and a dialog).
                       373, 516, 381, 147, 176};

} // namespace

TEST(ResourceImages, EveryBitmapLoadsAtItsSizeWithItsKeyColour)
{
    for (const BitmapResource& r : kBitmaps) {
        CBitmap bmp;
        ASSERT_TRUE(bmp.LoadBitmap(r.id)) << r.id;
        BITMAP bm;
        bmp.GetBitmap(&bm);
        if (r.width) {
            EXPECT_EQ(bm.bmWidth, r.width) << r.id;
            EXPECT_EQ(bm.bmHeight, r.height) << r.id;
        }
        if (r.corner) {
            CDC dc;
            dc.CreateCompatibleDC(nullptr);
            dc.SelectObject(&bmp);
            EXPECT_EQ(dc.GetPixel(0, 0), *r.corner) << r.id;
            dc.SelectObject(static_cast<CBitmap*>(nullptr));
        }
        HBITMAP viaLoadImage = static_cast<HBITMAP>(LoadImage(nullptr, r.id, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        EXPECT_NE(viaLoadImage, nullptr) << r.id;
        DeleteObject(viaLoadImage);
    }
}

TEST(ResourceImages, EveryIconLoadsWithTransparentParts)
{
    for (UINT id : kIcons) {
        HICON icon = LoadIconResource(id);
        ASSERT_NE(icon, nullptr) << id;
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info)) << id;
        EXPECT_GT(info.xHotspot, 0u) << id;
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
}

TEST(ResourceImages, IconsAndBitmapsOfOneIdAreTwoPictures)
{
    // 147 is the clock face as a bitmap and the cue sheet's view picture as an icon.
    CBitmap face;
    ASSERT_TRUE(face.LoadBitmap(147));
    BITMAP bm;
    face.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 100);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(LoadIconResource(147), &info));
    EXPECT_EQ(info.xHotspot, 16u) << "a 32 by 32 icon";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    HICON viaLoadImage = static_cast<HICON>(LoadImage(nullptr, 147, IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(viaLoadImage, nullptr);
    ASSERT_TRUE(GetIconInfo(viaLoadImage, &info));
    EXPECT_EQ(info.xHotspot, 8u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(viaLoadImage);
    // An id that names only a bitmap still shows as an icon.
    EXPECT_NE(LoadIconResource(395), nullptr);
}

TEST(ResourceImages, BitmapsLoadFromFiles)
{
    const std::string path = testing::TempDir() + "mirtal-picture.bmp";
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(qRgb(10, 20, 30));
    img.setPixel(2, 1, qRgb(200, 0, 0));
    ASSERT_TRUE(img.save(QString::fromStdString(path), "BMP"));
    HBITMAP b = static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(b, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectBitmap(b);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(200, 0, 0));
    dc.SelectBitmap(nullptr);
    DeleteObject(b);
    EXPECT_EQ(LoadImage(nullptr, (path + ".missing").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::remove(path.c_str());
}

TEST(ResourceImages, TheSegmentGlyphsCarryTheirKeyColours)
{
    // Each segment's key colour sits inside its box, so mapping it lights the segment.
    struct Key {
        COLORREF color;
        int x, y;
    };
    const Key keys[] = {{RGB(128, 128, 0), 22, 5},   {RGB(255, 255, 255), 38, 20}, {RGB(0, 128, 128), 38, 60},
                        {RGB(255, 0, 255), 22, 80},  {RGB(0, 128, 0), 6, 60},      {RGB(128, 0, 0), 6, 20},
                        {RGB(255, 255, 0), 30, 43},  {RGB(255, 0, 0), 14, 43},     {RGB(192, 192, 192), 22, 60},
                        {RGB(128, 128, 128), 22, 25}};
    CBitmap glyphs;
    ASSERT_TRUE(glyphs.LoadBitmap(297));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&glyphs);
    for (const Key& k : keys)
        EXPECT_EQ(dc.GetPixel(k.x, k.y), k.color) << k.x << "," << k.y;
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
    // Mapped: the top bar lit, the rest off, black as the background.
    const COLORMAP map[] = {{RGB(128, 128, 0), RGB(255, 0, 0)}, {RGB(255, 255, 255), RGB(52, 0, 0)}, {kBlack, RGB(1, 2, 3)}};
    CBitmap mapped;
    ASSERT_TRUE(mapped.LoadMappedBitmap(297, 0, map, 3));
    dc.SelectObject(&mapped);
    EXPECT_EQ(dc.GetPixel(22, 5), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(38, 20), RGB(52, 0, 0));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(1, 2, 3));
    dc.SelectObject(static_cast<CBitmap*>(nullptr));
}

TEST(ResourceImages, TheDingIsAShortWave)
{
    const std::string wav = win::LoadResourceData(401);
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 4), "WAVE");
    // Plain PCM the audio layer plays from memory, under a second long, and audible.
    const auto u16 = [&](size_t at) { return unsigned(uint8_t(wav[at])) | unsigned(uint8_t(wav[at + 1])) << 8; };
    const auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    ASSERT_EQ(wav.substr(12, 4), "fmt ");
    EXPECT_EQ(u16(20), 1u) << "PCM";
    const unsigned bytesPerSecond = u32(28);
    ASSERT_EQ(wav.substr(36, 4), "data");
    const unsigned dataBytes = u32(40);
    EXPECT_EQ(size_t(dataBytes) + 44, wav.size());
    EXPECT_LT(dataBytes, bytesPerSecond);
    EXPECT_GT(dataBytes, bytesPerSecond / 4);
    int peak = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2)
        peak = std::max(peak, std::abs(int(int16_t(u16(i)))));
    EXPECT_GT(peak, 16000);
}
